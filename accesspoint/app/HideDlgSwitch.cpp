// CHideDlg: the switches back to station mode and into AP-client mode. Both leave the adapter
// to VxSwap, started with an argument vector (never a line for a shell to split), which waits
// until this program has let the single-instance mutex go.
#include "accesspoint/app/HideDlg.h"

#include "accesspoint/app/ApExtAPPrompt.h"
#include "accesspoint/core/Trace.h"
#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "platform/framework/MessageBox.h"
#include "platform/system/Spawner.h"
#include "station/core/IniFile.h"
#include "station/features/extap/ExtAPSsidPWDlg.h"

#include <cerrno>
#include <cstring>

namespace hotvane {

namespace {

constexpr char kVxSwapProgram[] = "VxSwap.exe";
constexpr char kHostedAdapterName[] = "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP";

void show_switch_message(HWND owner, std::string const& text)
{
    ::MessageBox(owner, text.c_str(), G_UiStr.IDS_APCONFIGMSG.c_str(), MB_ICONEXCLAMATION);
}

}

std::vector<std::string> CHideDlg::StationSwitchArguments() const
{
    AdapterEntry const& adapter = G_VxApApi.adapter;
    std::string const description(adapter.DeviceDescription, strnlen(adapter.DeviceDescription, sizeof adapter.DeviceDescription));
    return { kVxSwapProgram, "OFF", G_VxApApi.UTILITY_FILE_NAME, PROGRAM_NAME, G_VxApApi.SHORTCUT_FOLDER_NAME,
        G_VxApApi.SHORTCUT_UI_NAME, description };
}

std::vector<std::string> CHideDlg::APClientSwitchArguments()
{
    return { kVxSwapProgram, "OFFON", PROGRAM_NAME, G_VxApApi.UTILITY_FILE_NAME, G_VxApApi.SHORTCUT_FOLDER_NAME,
        G_VxApApi.SHORTCUT_UI_NAME, kHostedAdapterName };
}

// The line as the switch was once written for the system to split: the program quoted, the
// mode and the two program names bare, the rest quoted. Shown in the trace only.
std::string CHideDlg::SwitchTraceLine(std::vector<std::string> const& arguments)
{
    std::string line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        bool const quoted = i == 0 || i >= 4;
        if (i > 0)
            line += ' ';
        line += quoted ? "\"" + arguments[i] + "\"" : arguments[i];
    }
    return line;
}

void CHideDlg::start_vxswap(std::vector<std::string> const& arguments)
{
    TraceMsg("[Hotvane] call WinExec(): %s\n", SwitchTraceLine(arguments).c_str());
    // Started from the program's own folder, as the system found it beside the program.
    platform::system::SpawnRequest request;
    request.arguments = arguments;
    request.arguments[0] = GetProgramFolder() + arguments[0];
    if (!platform::system::spawn_process(request))
        TraceMsg("[Hotvane] VxSwap could not be started: %s\n", std::strerror(errno));
}

void CHideDlg::OnTraySwitchSTAMode()
{
    if (m_bDialogRunning || defer_while_sheet_modal(Deferred::SwitchStation))
        return;
    if (G_VxApApi.VXAP_DetectMoreThanOneProcess()) {
        show_switch_message(m_hWnd, G_UiStr.IDS_UI_LOCKED);
        return;
    }
    G_VxApApi.VXAP_SetOPMode(0);
    std::vector<std::string> const arguments = StationSwitchArguments();
    OnTrayExit();
    G_VxApApi.VXAP_RestoreStationSetting();
    if (G_VxApApi.VXAP_GetWinOS() >= OS_NEWER)
        G_VxApApi.VXAP_DeleteVistaWindowsProfile();
    start_vxswap(arguments);
}

// With no network name or key stored the prompt asks for them; false when it was not ended by
// OK (Cancel, or a stop signal that ended its loop).
bool CHideDlg::ask_apclient_record()
{
    ExtAPConfig record {};
    G_VxApApi.VXAP_ReadExtAPConfig(&record);
    if (record.SsidLength != 0 && record.KeyLength != 0)
        return true;
    TraceMsg("[Hotvane] No data saved for ExtAP! Show SSID/PWD dialog\n");
    CApExtAPPrompt backend;
    CExtAPSsidPWDlg prompt(backend, nullptr);
    prompt.SetExtAPConfig(record);
    m_bDialogRunning = TRUE;
    INT_PTR const answer = prompt.DoModal();
    m_bDialogRunning = FALSE;
    return answer == IDOK;
}

void CHideDlg::OnTraySwitchApclientMode()
{
    if (m_bDialogRunning || defer_while_sheet_modal(Deferred::SwitchAPClient))
        return;
    if (!ask_apclient_record())
        return;
    G_VxApApi.VXAP_SetOPMode(2);
    if (G_VxApApi.VXAP_GetWinOS() >= OS_NEWER)
        G_VxApApi.VXAP_DeleteVistaWindowsProfile();
    finish_apclient_switch();
}

// A record that cannot be read back is a failed set-up too: the adapter goes back to access
// point mode and the user is told.
void CHideDlg::finish_apclient_switch()
{
    ExtAPConfig record {};
    if (G_VxApApi.VXAP_ReadExtAPConfig(&record) == 1 && LOWORD(G_VxApApi.VXAP_HostedNetworkSetup(record)) == 1) {
        KillAllTimer();
        OnTrayExit();
        G_VxApApi.VXAP_RestoreStationSetting();
        start_vxswap(APClientSwitchArguments());
        return;
    }
    G_VxApApi.VXAP_SetOPMode(1);
    show_switch_message(m_hWnd, G_UiStr.IDS_MSG_SWITCH_APCLIENT_MODE_FAIL);
}

}
