// CHideDlg: handing the adapter to another mode. Access point, station and access point
// client mode end this utility and start the mode switcher, which waits for the end and
// starts the utility of the new mode; the radio going off in access point client mode does
// the same back to station mode.
#include "station/app/HideDlg.h"

#include "platform/system/Spawner.h"
#include "station/app/SwapCommand.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Helpers.h"
#include "station/core/IniFile.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/features/StationExtAPPrompt.h"
#include "station/features/extap/ExtAPSsidPWDlg.h"

#include <cstring>

using namespace station::app;

namespace {

// The programs whose run means another switch is under way or the adapter is taken, in the
// order they are looked for.
constexpr char const* kSwitchPrograms[] = { "VxSwap.exe", "VxSwapEx.exe", "Ostrel.exe" };

std::string bounded_text(char const* text, std::size_t size)
{
    return std::string(text, ::strnlen(text, size));
}

SwapNames swap_names()
{
    auto const& lib = G_VxWlLib;
    return { ProgramBaseName(GetProgramPath()), bounded_text(lib.szSoftAPUIName, sizeof lib.szSoftAPUIName),
        bounded_text(lib.szShortCutFolderName, sizeof lib.szShortCutFolderName),
        bounded_text(lib.szShortCutIconName, sizeof lib.szShortCutIconName),
        bounded_text(lib.adapter.DeviceDescription, sizeof lib.adapter.DeviceDescription) };
}

// On newer systems a running switcher (or the other owner of the adapter) refuses the switch.
bool switch_refused()
{
    if (G_VxWlLib.VXWL_GetWinOS() < 12)
        return false;
    for (char const* program : kSwitchPrograms) {
        if (FindProcessIdByName(program) != 0) {
            TraceMsg(TRACE_STEP, "[Kivra] %s has been running!\n", program);
            TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::RunVxSwap\n");
            return true;
        }
    }
    return false;
}

// The switcher beside this program, started from the argument vector: no value is re-parsed.
void start_switcher(std::vector<std::string> const& arguments)
{
    TraceMsg(TRACE_STEP, "[Kivra] WinExec: %s\n", FormatSwapCommand(arguments).c_str());
    platform::system::SpawnRequest request;
    request.arguments.push_back(GetProgramFolder() + "VxSwap.exe");
    request.arguments.insert(request.arguments.end(), arguments.begin(), arguments.end());
    if (platform::system::spawn_detached(request) == 0)
        TraceMsg(TRACE_FAIL, "[Kivra] VxSwap.exe could not be started\n");
}

}

void CHideDlg::RunVxSwap(int mode)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::RunVxSwap(%d)\n", mode);
    if (switch_refused())
        return;
    bool const adapter_variant = G_VxWlLib.VXWL_GetWinOS() < 12 || mode == 1;
    start_switcher(SwapArguments(SwapWordForMode(mode), swap_names(), adapter_variant));
}

void CHideDlg::RunVxSwapEx(int currentOpMode, int kind)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::RunVxSwapEx(%d, %d)\n", currentOpMode, kind);
    if (switch_refused())
        return;
    start_switcher(SwapArguments(SwapWordForKind(currentOpMode, kind), swap_names(), kind == 1));
}

// [SECTION] Tray commands

void CHideDlg::OnTraySwitchApMode()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::OnTraySwitchApMode\n");
    if (G_VxWlLib.VXWL_DetectMoreThanOneUser()) {
        AfxMessageBox(G_UiStr.IDS_UI_LOCKED.c_str(), MB_ICONEXCLAMATION);
        return;
    }
    if (!G_VxWlLib.VXWL_ReadRadioStatus()) {
        show_radio_off_message();
        return;
    }
    if (G_VxWlLib.VXWL_GetWinOS() < 10) {
        TraceMsg(TRACE_STEP, "[Kivra] call VXWL_StopAuth()\n");
        G_VxWlLib.VXWL_StopAuth();
        TraceMsg(TRACE_STEP, "[Kivra] call VXWL_Release()\n");
        G_VxWlLib.VXWL_Release();
        StopXpZeroConfig(TRUE);
    } else {
        if (!IsWlanServiceRunning()) {
            ShowMessageBox("Please turn on AutoConfig service");
            return;
        }
        TraceMsg(TRACE_STEP, "[Kivra] call VXWL_WlanDeleteAllWindowsProfiles()\n");
        G_VxWlLib.VXWL_WlanDeleteAllWindowsProfiles();
    }
    OnTrayExit();
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_BackupStationSetting()\n");
    G_VxWlLib.VXWL_BackupStationSetting();
    int const current = G_VxWlLib.VXWL_QueryOPMode();
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_SetAndWriteOPMode(%d)\n", VXWL_OPMODE_AP);
    G_VxWlLib.VXWL_SetAndWriteOPMode(VXWL_OPMODE_AP);
    RunVxSwapEx(current, 1);
}

// The message dialog runs modally over the configuration window, which takes no input meanwhile.
void CHideDlg::show_radio_off_message()
{
    CWnd* const window = config_window_alive() ? m_pVxUI : nullptr;
    if (window)
        window->EnableWindow(FALSE);
    m_dlgMessage.m_strMessage = G_UiStr.IDS_INVAILDRADIOOFF.c_str();
    m_dlgMessage.DoModal();
    if (window && config_window_alive())
        window->EnableWindow(TRUE);
}

void CHideDlg::OnTraySwitchSTAMode()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::OnTraySwitchSTAMode\n");
    G_VxWlLib.VXWL_SetAndWriteOPMode(VXWL_OPMODE_STATION);
    G_VxWlLib.VXWL_HostedNetworkStopUsing();
    OnTrayExit();
    RunVxSwap(VXWL_OPMODE_STATION);
}

void CHideDlg::OnTraySwitchAPClientMode()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::OnTraySwitchAPClientMode\n");
    if (G_VxWlLib.VXWL_QueryOPMode() != VXWL_OPMODE_STATION)
        return;
    ExtAPConfig record {};
    G_VxWlLib.VXWL_ReadExtAPConfig(&record);
    if ((record.SsidLength == 0 || record.KeyLength == 0) && !ask_hosted_network(record))
        return;
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST {});
    if (status.NetworkType == 0) {
        TraceMsg(TRACE_STEP, "[Kivra] wLanStatus.networkType is Ndis802_11IBSS, call VXWL_WlanDisconnect()\n");
        G_VxWlLib.VXWL_WlanDisconnect();
    }
    G_VxWlLib.VXWL_SetAndWriteOPMode(VXWL_OPMODE_AP_CLIENT);
    m_bHideAPButton = FALSE;
    TraceMsg(TRACE_STEP, "[Kivra] Switch to APClient mode, set m_bHideAPButton as FALSE\n");
    // A record that cannot be read back fails as a set-up would: the adapter must not stay in
    // a mode that nothing serves.
    if (G_VxWlLib.VXWL_ReadExtAPConfig(&record) == VXWL_ERROR_SUCCESS
        && G_VxWlLib.VXWL_HostedNetworkSetup(record) == VXWL_ERROR_SUCCESS) {
        OnTrayExit();
        RunVxSwap(VXWL_OPMODE_AP_CLIENT);
        return;
    }
    TraceMsg(TRACE_FAIL, "[Kivra] VXWL_HostedNetworkSetup() return not VXWL_ERROR_SUCCESS, set m_bHideAPButton as TRUE\n");
    m_bHideAPButton = TRUE;
    ShowMessageBox(G_UiStr.IDS_MSG_SWITCH_APCLIENT_MODE_FAIL);
    G_VxWlLib.VXWL_SetAndWriteOPMode(VXWL_OPMODE_STATION);
    OnTrayLaunch();
}

// The hosted network's name and key, asked once; false when the user cancelled.
bool CHideDlg::ask_hosted_network(ExtAPConfig const& record)
{
    TraceMsg(TRACE_STEP, "[Kivra] No data saved for ExtAP! Show SSID/PWD dialog\n");
    CStationExtAPPrompt backend;
    CExtAPSsidPWDlg prompt(backend, this);
    prompt.SetExtAPConfig(record);
    m_bDialogRunning = TRUE;
    INT_PTR const answer = prompt.DoModal();
    m_bDialogRunning = FALSE;
    if (answer == IDOK)
        return true;
    TraceMsg(TRACE_STEP, "[Kivra] Cancel ExtAP SSID/PWD dialog!\n");
    return false;
}

// [SECTION] The radio goes off

// On newer systems the hosted network needs the radio: its page gives way to the site survey,
// and an administrator's adapter that the radio put back into station mode goes back to it.
void CHideDlg::leave_ap_client_on_radio_off()
{
    if (G_VxWlLib.VXWL_GetWinOS() < 12)
        return;
    if (config_window_alive()) {
        CShadeButtonST* const extap = m_pVxUI->kind_button(BTN_EXTAP);
        CShadeButtonST* const survey = m_pVxUI->kind_button(BTN_SITESURVEY);
        if (extap && extap->m_bHighlighted && survey && survey->m_hWnd)
            survey->SendMessage(BM_CLICK);
    }
    if (G_VxWlLib.VXWL_ReadOpMode() == VXWL_OPMODE_AP_CLIENT && G_VxWlLib.VXWL_QueryOPMode() == VXWL_OPMODE_STATION
        && G_VxWlLib.VXWL_DetectUserAdmin()) {
        OnTrayExit();
        RunVxSwap(VXWL_OPMODE_STATION);
    }
}
