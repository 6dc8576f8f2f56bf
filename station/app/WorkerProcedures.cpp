// The worker threads' procedures: address renewal, the identity re-prompt, the change-password
// prompt and the checks after an 802.1X authentication, whose outcomes are announced as lines
// of the authentication progress window. They sleep through WorkerThreads, so that exit ends
// their sleeps, and they touch the current profile only under the hidden dialog's lock.
#include "station/app/WorkerThreads.h"

#include "platform/system/Network.h"
#include "platform/system/Registry.h"
#include "station/app/HideDlg.h"
#include "station/core/AuthStatusRing.h"
#include "station/core/HideDlgIds.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/PeapSettingDlg.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

using station::app::WorkerThreads;
using station::core::AuthStatusRing;

namespace {

std::atomic<int> g_post_auth_busy { 0 };

bool main_window_exists() { return g_pHideDlg && g_pHideDlg->config_window(); }

void announce(std::string const& text) { AuthStatusRing::the().announce(text); }

template<std::size_t N>
void set_field(char (&field)[N], std::string const& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

}

UINT RenewIPAddrThread(LPVOID)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> RenewIPAddrThread\n");
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_RenewIPAddr()\n");
    G_VxWlLib.VXWL_RenewIPAddr();
    TraceMsg(TRACE_STEP, "[Kivra] <-- RenewIPAddrThread\n");
    return 1;
}

// The copy of the current profile into the re-prompt is made on the hidden dialog's thread.
UINT ShowInvalidIDPWThread(LPVOID)
{
    if (main_window_exists())
        ::PostMessage(g_pHideDlg->m_hWnd, WM_HIDE_DLG_SHOW_INVALID_IDPW, 0, 0);
    return 1;
}

UINT ChangePasswordThread(LPVOID)
{
    G_bReConnect = FALSE;
    if (!main_window_exists())
        return 1;
    CPeapSettingDlg::BeginWait();
    ::PostMessage(g_pHideDlg->m_hWnd, WM_HIDE_DLG_ASK_NEW_PASSWORD, 0, 0);
    if (WorkerThreads::the().stopping() || CPeapSettingDlg::WaitForAnswer() != 1)
        return 2;
    G_bReConnect = TRUE;
    std::string identity, password;
    CPeapSettingDlg::ConfirmedCredentials(identity, password);
    {
        std::lock_guard lock(g_pHideDlg->profile_lock());
        if (g_pHideDlg->m_pProfData) {
            set_field(g_pHideDlg->m_pProfData->chID, identity);
            set_field(g_pHideDlg->m_pProfData->chPassword, password);
        }
    }
    char no_identity[128] {};
    char typed[128] {};
    set_field(typed, password);
    G_VxWlLib.VXWL_WriteIDnPasswd(no_identity, typed);
    return 1;
}

UINT PostAuthenticationThread(LPVOID)
{
    if (g_post_auth_busy.exchange(1) == 1)
        return 999;
    if (main_window_exists()) {
        WaitForIPAddress();
        ProbeIpxProtocol();
        CheckDomainController();
        if (WorkerThreads::the().sleep(2000))
            AuthStatusRing::the().announce_end();
    }
    g_post_auth_busy = 0;
    return 1;
}

// [SECTION] The address

void WaitForIPAddress()
{
    if (G_VxWlLib.bRenewIPStatus)
        WorkerThreads::the().start(RenewIPAddrThread);
    std::string address;
    for (int poll = 0; poll < 15; ++poll) {
        if (!WorkerThreads::the().sleep(1000))
            return;
        address = GetAdapterIPAddress();
        if (address != "0.0.0.0")
            break;
    }
    announce("Static IP address is " + address);
}

std::string GetAdapterIPAddress()
{
    std::uint8_t mac[6] {};
    G_VxWlLib.VXWL_QueryCurrAddress(mac);
    ULONG size = 0;
    if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0)
        return {};
    std::vector<std::uint8_t> buffer(size);
    auto* const list = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (GetAdaptersInfo(list, &size) != ERROR_SUCCESS)
        return {};
    for (IP_ADAPTER_INFO const* a = list; a; a = a->Next) {
        if (a->AddressLength == 6 && std::memcmp(a->Address, mac, 6) == 0)
            return std::string(a->IpAddressList.IpAddress.String,
                ::strnlen(a->IpAddressList.IpAddress.String, sizeof a->IpAddressList.IpAddress.String));
    }
    return {};
}

// [SECTION] IPX

int TestIpxSocket()
{
    WSADATA data {};
    if (WSAStartup(0x0002, &data) != 0) {
        WSACleanup();
        return 9;
    }
    SOCKET const s = socket(AF_IPX_W, SOCK_DGRAM_W, NSPROTO_IPX);
    if (s == INVALID_SOCKET) {
        WSACleanup();
        return 7;
    }
    closesocket(s);
    WSACleanup();
    return 0;
}

void ProbeIpxProtocol()
{
    announce("Detecting IPX Frame Type.");
    switch (TestIpxSocket()) {
    case 0: announce("IPX protocol is supported on this machine."); break;
    case 7: announce("IPX protocol is not installed on this machine."); break;
    case 9: announce("Winsock 2 is not supported on this machine."); break;
    default: announce("Detecting IPX Frame Type: UNDEFINED ERROR!"); break;
    }
}

// [SECTION] Domain controller

void CheckDomainController()
{
    char const* const key = G_VxWlLib.VXWL_IsWow64()
        ? "Software\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Vexlor"
        : "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Vexlor";
    HKEY hkey = nullptr;
    // Read only: the check has no business changing the logon component's key.
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &hkey) != LONG(ERROR_SUCCESS)) {
        TraceMsg(TRACE_FAIL, "[Kivra] RegOpenKeyEx '%hs' failed\n", key);
        announce("Domain Controller is not found.");
        return;
    }
    if (!main_window_exists()) {
        RegCloseKey(hkey);
        return;
    }
    std::vector<char> domain(2056, '\0');
    DWORD size = DWORD(domain.size() - 1);
    DWORD type = 0;
    LONG const read = RegQueryValueEx(hkey, "WinlogonDomain", nullptr, &type, reinterpret_cast<LPBYTE>(domain.data()), &size);
    RegCloseKey(hkey);
    if (read != LONG(ERROR_SUCCESS)) {
        TraceMsg(TRACE_FAIL, "[Kivra] RegQueryValueEx 'REGSTR_SSO_INSTALL' failed\n");
        announce("Domain Controller is not found.");
        return;
    }
    announce(std::string("Finding Domain Controller - ") + domain.data());
    DOMAIN_CONTROLLER_INFOA* info = nullptr;
    if (DsGetDcNameA(nullptr, domain.data(), nullptr, nullptr, DS_FORCE_REDISCOVERY | DS_RETURN_FLAT_NAME, &info) != ERROR_SUCCESS
        || !info) {
        announce("Domain Controller is not found.");
        return;
    }
    announce(std::string("Domain Controller Name = ") + info->DomainControllerName);
    CheckRemoteFileAccess(info->DomainControllerName);
    NetApiBufferFree(info);
}

// A controller that answers at all, even with a refusal, counts as reached.
void CheckRemoteFileAccess(char const* controller)
{
    if (!main_window_exists())
        return;
    std::string const path = std::string(controller) + "\\NETLOGON\\NonExist";
    for (int attempt = 1; attempt <= 7; ++attempt) {
        HANDLE const file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
            FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD const error = GetLastError();
        bool const opened = file != INVALID_HANDLE_VALUE && file != nullptr;
        if (opened)
            CloseHandle(file);
        char line[512];
        std::snprintf(line, sizeof line, "Create File - %s, returned - %d", path.c_str(), int(error));
        announce(line);
        switch (error) {
        case 2:
        case 5:
        case 67:
        case 1311:
        case 1331:
        case 1909: announce("Access remote file is succeed."); return;
        default: break;
        }
        if (opened || !WorkerThreads::the().sleep(500))
            return;
    }
    announce("Failed to access remote file.");
}
