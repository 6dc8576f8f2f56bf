#include "station/core/Helpers.h"

#include "platform/system/Module.h"
#include "platform/system/Process.h"
#include "platform/user/User.h"
#include "station/core/IniFile.h"
#include "station/core/VxWlLib.h"

#include <cstring>
#include <strings.h>

namespace {

constexpr DWORD kDayMs = 24u * 60u * 60u * 1000u;

DWORD milliseconds_of_day()
{
    SYSTEMTIME t {};
    GetLocalTime(&t);
    return ((DWORD(t.wHour) * 60 + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
}

}

DWORD DelayTime(DWORD ms)
{
    DWORD const start = milliseconds_of_day();
    for (;;) {
        // Taken modulo a day, so that a wait across midnight goes on instead of ending at the
        // first reading after it with a meaningless count.
        DWORD const elapsed = (milliseconds_of_day() + kDayMs - start) % kDayMs;
        if (elapsed > ms)
            return elapsed;
        // Gives the processor away between readings; on the tests' manual clock this is what
        // moves time on.
        Sleep(1);
    }
}

namespace {

using PfnCreateSnapshot = HANDLE (*)(DWORD, DWORD);
using PfnProcessWalk = BOOL (*)(HANDLE, PROCESSENTRY32*);
using PfnModuleWalk = BOOL (*)(HANDLE, MODULEENTRY32*);
using PfnEnumProcesses = BOOL (*)(DWORD*, DWORD, DWORD*);
using PfnEnumProcessModules = BOOL (*)(HANDLE, HMODULE*, DWORD, DWORD*);
using PfnGetModuleBaseName = DWORD (*)(HANDLE, HMODULE, LPSTR, DWORD);

template<typename T>
T lookup(HMODULE module, const char* name)
{
    return reinterpret_cast<T>(GetProcAddress(module, name));
}

// The older family: walk every process's modules in tool-help snapshots; a module whose name
// begins with `name` identifies the process.
DWORD find_by_snapshot(const char* name)
{
    HMODULE kernel = LoadLibrary("kernel32.dll");
    auto create = lookup<PfnCreateSnapshot>(kernel, "CreateToolhelp32Snapshot");
    auto first = lookup<PfnProcessWalk>(kernel, "Process32First");
    auto next = lookup<PfnProcessWalk>(kernel, "Process32Next");
    auto module_first = lookup<PfnModuleWalk>(kernel, "Module32First");
    auto module_next = lookup<PfnModuleWalk>(kernel, "Module32Next");
    DWORD found = 0;
    if (create && first && next && module_first && module_next) {
        std::size_t const length = std::strlen(name);
        HANDLE processes = create(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 process {};
        process.dwSize = sizeof(process);
        for (BOOL ok = processes != INVALID_HANDLE_VALUE && first(processes, &process); ok && !found;
             ok = next(processes, &process)) {
            HANDLE modules = create(TH32CS_SNAPMODULE, process.th32ProcessID);
            if (modules == INVALID_HANDLE_VALUE)
                continue;
            MODULEENTRY32 module {};
            module.dwSize = sizeof(module);
            for (BOOL more = module_first(modules, &module); more && !found; more = module_next(modules, &module)) {
                if (strncasecmp(module.szModule, name, length) == 0)
                    found = process.th32ProcessID;
            }
            CloseHandle(modules);
        }
        if (processes != INVALID_HANDLE_VALUE)
            CloseHandle(processes);
    }
    if (kernel)
        FreeLibrary(kernel);
    return found;
}

// The process-status functions: compare each process's first module's base name.
DWORD find_by_process_status(const char* name)
{
    HMODULE psapi = LoadLibrary("psapi.dll");
    auto enum_processes = lookup<PfnEnumProcesses>(psapi, "EnumProcesses");
    auto enum_modules = lookup<PfnEnumProcessModules>(psapi, "EnumProcessModules");
    auto base_name = lookup<PfnGetModuleBaseName>(psapi, "GetModuleBaseNameA");
    DWORD found = 0;
    DWORD ids[1024];
    DWORD bytes = 0;
    if (enum_processes && enum_modules && base_name && enum_processes(ids, sizeof(ids), &bytes)) {
        DWORD const count = std::min<DWORD>(bytes / sizeof(DWORD), 1024);
        for (DWORD i = 0; i < count && !found; ++i) {
            HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
            if (!process)
                continue;
            HMODULE module = nullptr;
            DWORD needed = 0;
            char text[260] = {};
            if (enum_modules(process, &module, sizeof(module), &needed) && base_name(process, module, text, sizeof(text))
                && strcasecmp(text, name) == 0)
                found = ids[i];
            CloseHandle(process);
        }
    }
    if (psapi)
        FreeLibrary(psapi);
    return found;
}

using PfnRedirection = BOOL (*)(BOOL);
PfnRedirection g_redirection = nullptr;

}

std::string OwnProgramName()
{
    char text[260] = {};
    if (HANDLE self = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, GetCurrentProcessId())) {
        GetModuleBaseName(self, nullptr, text, sizeof text);
        CloseHandle(self);
    }
    if (*text)
        return text;
    std::string const path = GetProgramPath();
    return path.substr(path.find_last_of("/\\") + 1);
}

DWORD FindProcessIdByName(const char* name)
{
    if (!name || !*name)
        return 0;
    return (GetVersion() & 0x80000000u) ? find_by_snapshot(name) : find_by_process_status(name);
}

void InitWow64Redirection()
{
    g_redirection = lookup<PfnRedirection>(GetModuleHandle("kernel32.dll"), "Wow64EnableWow64FsRedirection");
}

BOOL Wow64FsRedirectionOn()
{
    return g_redirection ? g_redirection(TRUE) : 0;
}

BOOL Wow64FsRedirectionOff()
{
    return g_redirection ? g_redirection(FALSE) : 0;
}

bool IsSSOProfileType(WLANPROFILE const& p)
{
    auto const& o = G_VxWlLib;
    if (p.b8021X) {
        switch (p.enumAuthenProtocol) {
        case EAP_PEAP: if (o.bSSO_PEAP) return true; break;
        case EAP_TLS: if (o.bSSO_TLS_SmartCard) return true; break;
        case EAP_TTLS: if (o.bSSO_TTLS) return true; break;
        case EAP_FAST: if (o.bSSO_EAP_FAST) return true; break;
        case EAP_MD5: if (o.bSSO_MD5) return true; break;
        case EAP_LEAP: if (o.bSSO_LEAP) return true; break;
        default: break;
        }
    }
    if (p.enumAuthenMode == AUTH_OPEN) {
        if ((p.enumEncryStatus == ENC_NONE && o.bSSO_Open_None) || (p.enumEncryStatus == ENC_WEP && o.bSSO_Open_WEP))
            return true;
    }
    if (p.enumAuthenMode == AUTH_SHARED && p.enumEncryStatus == ENC_WEP && o.bSSO_Shared_WEP)
        return true;
    return (p.enumAuthenMode == AUTH_WPA_PSK && o.bSSO_WPA_PSK) || (p.enumAuthenMode == AUTH_WPA2_PSK && o.bSSO_WPA2_PSK);
}

int CheckAdapterType()
{
    return G_VxWlLib.adapter.AdapterKind <= 3 ? 0 : 1;
}
