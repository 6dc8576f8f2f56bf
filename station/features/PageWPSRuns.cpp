// CPageWPSDlg: the WPS runs (push button, PIN, the adapter's own button), connecting with and
// rotating through stored credentials, ending a run, and the page's timers.
//
// [SECTION] Starting and stopping
// [SECTION] Runs
// [SECTION] Stored credentials
// [SECTION] Timers
#include "station/features/PageWPSDlg.h"

#include "station/core/BssidQuery.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/ConnectionFlags.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Helpers.h"
#include "station/core/HideDlgIds.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/core/WpsGlobals.h"
#include "station/features/WpsPin.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace station::features;

namespace {

constexpr int kNewerSystem = 10;
constexpr UINT kStatusMs = 200;
constexpr UINT kConnectWatchMs = 2000;
constexpr UINT kTwoMinutesMs = 120000;
constexpr UINT kMediaDisconnectedMs = 5000;
constexpr DWORD kLeaveNetworkMs = 600;
constexpr LPARAM kWpsConnectProfile = 0;

bool newer_system() { return G_VxWlLib.VXWL_GetWinOS() >= kNewerSystem; }

}

// [SECTION] Starting and stopping

BOOL CPageWPSDlg::StartWpsRoutine()
{
    G_bRotateProfile = TRUE;
    TraceMsg(TRACE_STEP, "[Kivra] Set G_bRotateProfile as TRUE\n");
    m_nConnectTick = 1;
    enable(IDC_RESCAN, false);
    enable(IDC_BAND, false);
    m_progress.SetPos(5);
    SetTimer(TIMER_WPS_DLG_STATUS, kStatusMs);
    return TRUE;
}

BOOL CPageWPSDlg::StopWpsRoutine(BOOL bResetProgress)
{
    enable(IDC_RESCAN, true);
    enable(IDC_BAND, true);
    if (bResetProgress)
        m_progress.SetPos(0);
    StopWpsTimers();
    return TRUE;
}

void CPageWPSDlg::StopWpsTimers()
{
    enable(IDC_RESCAN, true);
    enable(IDC_BAND, true);
    enable(IDC_PBC, G_nConfigMode != WPS_ROLE_REGISTRAR);
    if (G_nWPSMode != WPS_RUN_PIN) {
        RescanTimeEnd();
        UpdateWpsButtons();
    }
    for (UINT_PTR id : { TIMER_WPS_DLG_SCAN_DONE, TIMER_WPS_DLG_STATUS, TIMER_WPS_DLG_CONNECT_STATUS })
        KillTimer(id);
}

void CPageWPSDlg::leave_network()
{
    if (newer_system()) {
        G_VxWlLib.VXWL_WlanDisconnect();
        G_VxWlLib.VXWL_WlanDeleteAllWindowsProfiles();
    } else {
        G_VxWlLib.VXWL_SetAuthMode(0);
        G_VxWlLib.VXWL_StopAuth();
        G_VxWlLib.VXWL_Disassociate();
    }
}

// What every run does before it hands over: the connection belongs to WPS from now, the
// network is left, and an enrollee's old credentials go.
void CPageWPSDlg::prepare_run()
{
    G_VxWlLib.VXWL_WriteWPSFlag(TRUE);
    StopWpsTimers();
    leave_network();
    DelayTime(kLeaveNetworkMs);
    G_VxWlLib.VXWL_SetPreferWPSAPPhyType(G_nPreferWpsBand);
    if (G_nConfigMode == WPS_ROLE_ENROLLEE)
        empty_profile_list();
}

void CPageWPSDlg::empty_profile_list()
{
    m_WpsProfile = WPS_PROFILE {};
    WriteBackWpsProfiletoRegistry();
    DisplayWPSProfile();
}

// Hands the run to the library: its method and role, the credentials (a registrar's offer),
// the two element switches; failures are traced and the run goes on.
void CPageWPSDlg::hand_over_run(WPS_MODE const& mode)
{
    if (!G_VxWlLib.VXWL_SetWPSMode(mode))
        TraceMsg(TRACE_FAIL, "[Kivra] Set Wps Mode to driver Failed\n");
    if (G_VxWlLib.VXWL_SetWPSProfile(m_WpsProfile))
        m_bWpsProfileSet = TRUE;
    else
        TraceMsg(TRACE_FAIL, "[Kivra] Set WPS Profile to driver Failed\n");
    if (!G_VxWlLib.VXWL_SetWPSAssociateIE(m_bAssociateIE))
        TraceMsg(TRACE_FAIL, "[Kivra] Set Asso. IE Failed\n");
    if (!G_VxWlLib.VXWL_SetWPSProbeReqIE(m_bProbeIE))
        TraceMsg(TRACE_FAIL, "[Kivra] Set Probe Req. IE Failed\n");
    StartWpsRoutine();
}

// [SECTION] Runs

void CPageWPSDlg::OnPbcConnect()
{
    hide_dlg_services().stop_hide_dlg_timer(TIMER_HIDE_DLG_RETRY_CON);
    UpdateData(TRUE);
    G_nWPSMode = WPS_RUN_PBC;
    prepare_run();
    m_strStatus = "Start PBC connection";
    SetDlgItemText(IDC_STATUS, m_strStatus);
    UpdateWpsButtons();
    enable(IDC_PBC, true);
    WPS_MODE mode {};
    mode.WpsMode = 0x20000000;
    mode.ConfigMode = G_nConfigMode == WPS_ROLE_REGISTRAR ? 2 : 1;
    hand_over_run(mode);
}

// The automatic choice moves on from the row after the last one tried and skips access points
// whose button is pressed; the manual choice is the selected row.
bool CPageWPSDlg::choose_pin_row()
{
    if (!m_bAutoSelect) {
        G_nCurSelItem = selected_row(m_listAP);
        return true;
    }
    ++G_nCurSelItem;
    if (!m_bRescan) {
        SetTimer(TIMER_WPS_DLG_TWO_MINUTES, kTwoMinutesMs);
        m_bRescan = TRUE;
    }
    SetTimer(TIMER_WPS_NDIS_MEDIA_DISCONNECTED, kMediaDisconnectedMs);
    int const rows = int(ApRows().size());
    for (; G_nCurSelItem < rows; ++G_nCurSelItem) {
        std::string const id = "ID : " + ApRows()[std::size_t(G_nCurSelItem)].strDevPwdId;
        if (id != kPushButtonId)
            return true;
        TraceMsg(TRACE_STEP, "[Kivra] ID: 0x0004 found, skip PBC mode\n");
    }
    TraceMsg(TRACE_STEP, "[Kivra] No available PIN AP!\n");
    G_nCurSelItem = -1;
    KillTimer(TIMER_WPS_NDIS_MEDIA_DISCONNECTED);
    m_strStatus = G_UiStr.IDS_RESCANNING.c_str();
    SetDlgItemText(IDC_STATUS, m_strStatus);
    OnWpsRescan();
    return false;
}

// The target is decided before the flag is set or the network left: a run without one only
// traces, and the user keeps the connection.
void CPageWPSDlg::OnPinConnect()
{
    hide_dlg_services().stop_hide_dlg_timer(TIMER_HIDE_DLG_RETRY_CON);
    UpdateData(TRUE);
    if (!CheckEditPinCode()) {
        TraceMsg(TRACE_STEP, "[Kivra] CheckEditPinCode() return FALSE\n");
        return;
    }
    G_nWPSMode = WPS_RUN_PIN;
    if (!choose_pin_row())
        return;
    NDIS_WLAN_BSSID_EX const* entry = EntryOfRow(G_nCurSelItem);
    if (G_nCurSelItem < 0 || !entry) {
        TraceMsg(TRACE_STEP, "[Kivra] G_nCurSelItem is -1\n");
        G_nCurSelItem = -1;
        return;
    }
    if (G_nConfigMode == WPS_ROLE_REGISTRAR) {
        IE_INFO_WPA digest {};
        G_VxWlLib.VXWL_ParseInfoElement(entry, &digest);
        if (DigestText(digest.WpsState) == "Configured")
            ShowMessageBox(G_UiStr.IDS_WPS_AP_CONFIGURED);
    }
    WPS_MODE mode {};
    mode.WpsMode = 0x10000000;
    mode.WpsSSID.SsidLength = std::min<std::uint32_t>(entry->Ssid.SsidLength, sizeof mode.WpsSSID.Ssid);
    std::memcpy(mode.WpsSSID.Ssid, entry->Ssid.Ssid, sizeof mode.WpsSSID.Ssid);
    std::memcpy(mode.Bssid, entry->MacAddress, sizeof mode.Bssid);
    mode.Channel = BYTE(G_VxWlLib.VXWL_FrequencyToChannel(entry->DSConfig));
    char pin[16] {};
    std::snprintf(pin, sizeof pin, "%08lu", static_cast<unsigned long>(G_lPin));
    std::memcpy(mode.PIN, pin, sizeof mode.PIN);
    mode.ConfigMode = G_nConfigMode == WPS_ROLE_REGISTRAR ? 2 : 1;
    std::string const ssid(reinterpret_cast<char const*>(mode.WpsSSID.Ssid), mode.WpsSSID.SsidLength);

    prepare_run();
    m_strStatus.Format("Start PIN connection - %s", ssid.c_str());
    SetDlgItemText(IDC_STATUS, m_strStatus);
    if (G_nConfigMode == WPS_ROLE_REGISTRAR && m_WpsProfile.Profile[0].AuthType == 1
        && m_WpsProfile.Profile[0].EncrType == 1)
        m_WpsProfile.Profile[0].KeyLength = 0;
    G_VxWlLib.VXWL_SetWPSAutoSelect(m_bAutoSelect == 1 ? 1 : 0);
    hand_over_run(mode);
}

// The hidden dialog saw the adapter's button: the adapter runs the exchange already.
void CPageWPSDlg::HwPbcConnect()
{
    hide_dlg_services().stop_hide_dlg_timer(TIMER_HIDE_DLG_RETRY_CON);
    UpdateData(TRUE);
    StopWpsTimers();
    std::memset(m_WpsBssid, 0, sizeof m_WpsBssid);
    empty_profile_list();
    m_strStatus = "Start PBC connection";
    SetDlgItemText(IDC_STATUS, m_strStatus);
    UpdateWpsButtons();
    enable(IDC_PBC, true);
    StartWpsRoutine();
}

// [SECTION] Stored credentials

BOOL CPageWPSDlg::IsWpsProfileConnected()
{
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST {});
    WPS_MODE mode {};
    WPS_PROFILE stored {};
    G_VxWlLib.VXWL_ReadWPSProfile(&mode, &stored);
    stored = ClampWpsProfile(stored);
    if (m_nCurProfile < 0 || std::uint32_t(m_nCurProfile) >= stored.ProfileCnt)
        return FALSE;
    return IsCredentialConnected(stored.Profile[m_nCurProfile], status) ? TRUE : FALSE;
}

void CPageWPSDlg::OnWpsConnect()
{
    G_bRotateProfile = FALSE;
    m_nConnectTick = 1;
    StopWpsTimers();
    G_nCurWpsProfile = selected_row(m_listProfile);
    if (G_nCurWpsProfile == -1) {
        TraceMsg(TRACE_STEP, "[Kivra] G_nCurWpsProfile is -1\n");
        G_nCurWpsProfile = 0;
        return;
    }
    G_VxWlLib.VXWL_WriteWPSFlag(TRUE);
    MarkWpsProfileRow(G_nCurWpsProfile, 1);
    if (m_WpsProfile.ProfileCnt > 0) {
        TraceMsg(TRACE_STEP,
            "[Kivra] Profile count is larger than 0, SendMessage to call CHideDlg::ConnectWpsProfile()\n");
        exchange(kWpsConnectProfile);
        SetTimer(TIMER_WPS_DLG_CONNECT_STATUS, kConnectWatchMs);
    }
}

void CPageWPSDlg::OnWpsRotate()
{
    if (newer_system())
        G_VxWlLib.VXWL_WlanDeleteAllWindowsProfiles();
    G_bRotateProfile = TRUE;
    m_nConnectTick = 1;
    G_VxWlLib.VXWL_WriteWPSFlag(TRUE);
    MarkWpsProfileRow(m_nCurProfile, 1);
    if (m_WpsProfile.ProfileCnt > 0) {
        exchange(kWpsConnectProfile);
        SetTimer(TIMER_WPS_DLG_CONNECT_STATUS, kConnectWatchMs);
    }
}

void CPageWPSDlg::OnWpsDisconnect()
{
    G_nWPSMode = WPS_RUN_NONE;
    G_VxWlLib.VXWL_WriteWPSFlag(FALSE);
    KillTimer(TIMER_WPS_NDIS_MEDIA_DISCONNECTED);
    KillTimer(TIMER_WPS_DLG_TWO_MINUTES);
    G_nCurSelItem = -1;
    m_bRescan = FALSE;
    G_bRotateProfile = FALSE;
    StopWpsRoutine(TRUE);
    m_strStatus.Empty();
    SetDlgItemText(IDC_STATUS, "");
    if (newer_system()) {
        G_VxWlLib.VXWL_WPSDisconnect();
        m_progress.SetPos(0);
        MarkWpsProfileRow(m_nCurProfile, -1);
        return;
    }
    G_VxWlLib.VXWL_Disassociate();
    MarkWpsProfileRow(m_nCurProfile, -1);
    TraceMsg(TRACE_STEP, "[Kivra] SendMessage to call CHideDlg::SetOidFromReg(FALSE)\n");
    exchange(SET_OID_FROM_REG);
}

// [SECTION] Timers

void CPageWPSDlg::check_radio_tick()
{
    if (radio_on())
        return;
    enable(IDC_RESCAN, false);
    ClearListContainers();
    for (int id : { IDC_CONNECT, IDC_RESCAN, IDC_ROTATE, IDC_INFORMATION, IDC_PIN, IDC_PBC, IDC_DISCONNECT })
        enable(id, false);
}

void CPageWPSDlg::enable_by_credentials()
{
    if (m_WpsProfile.ProfileCnt > 0) {
        enable(IDC_IMPORT, may_change_profiles());
        enable(IDC_ROTATE, radio_on());
        return;
    }
    for (int id : { IDC_IMPORT, IDC_ROTATE, IDC_DETAIL, IDC_CONNECT, IDC_DELETE })
        enable(id, false);
}

// G_bScanComplete is raised on the library's thread: taken by exchange, so a scan finishing
// between the read and the clear is not lost.
void CPageWPSDlg::scan_complete_tick()
{
    if (!G_bScanComplete.exchange(0))
        return;
    ForceUpdateBssidList();
    UpdateWpsButtons();
    bool const radio = radio_on();
    if (radio)
        enable(IDC_RESCAN, true);
    enable(IDC_PBC, G_nConfigMode != WPS_ROLE_REGISTRAR && radio);
    if (m_bAutoSelect == 1 && G_nWPSMode == WPS_RUN_PIN && G_nCurSelItem == -1)
        OnPinConnect();
}

// False when the tick ends here: the flag is clear and the credential not connected.
bool CPageWPSDlg::connection_watch_tick()
{
    if (m_WpsProfile.ProfileCnt == 0) {
        m_nConnectTick = 1;
        KillTimer(TIMER_WPS_DLG_CONNECT_STATUS);
        return true;
    }
    VXWL_U32 flag = 0;
    G_VxWlLib.VXWL_ReadWPSFlag(&flag);
    if (IsWpsProfileConnected() && flag) {
        MarkWpsProfileRow(m_nCurProfile, 0);
        if (radio_on())
            enable(IDC_RESCAN, true);
        enable(IDC_BAND, true);
        G_bRotateProfile = FALSE;
        if (m_bWpsProfileSet) {
            ForceUpdateBssidList();
            m_bWpsProfileSet = FALSE;
        }
        ++m_nConnectTick;
        return true;
    }
    MarkWpsProfileRow(m_nCurProfile, 1);
    if (!flag) {
        m_strStatus.Empty();
        SetDlgItemText(IDC_STATUS, "");
        m_progress.SetPos(0);
        return false;
    }
    if (G_VxWlLib.VXWL_IsZeroConfig() != VXWL_ZERO_CONFIG_SYSTEM) {
        G_bRotateProfile = TRUE;
        TraceMsg(TRACE_STEP, "[Kivra] call KillTimer(), TIMER_HIDE_DLG_WPS_ROTATE\n");
        hide_dlg_services().stop_hide_dlg_timer(TIMER_HIDE_DLG_WPS_ROTATE);
    }
    // The option reader holds the period at 2 seconds or more, so half of it is never 0.
    int const half = std::max(1, G_VxWlLib.nWPSRotatePeriod / 2);
    bool const may_ask = !m_bAutoSelect || m_WpsProfile.ProfileCnt != 0;
    if (G_bRotateProfile && m_nConnectTick % half == 0 && may_ask)
        exchange(kWpsConnectProfile);
    ++m_nConnectTick;
    return true;
}

// Green below 35, yellow to 69, blue from 70, each around a light blue middle.
void CPageWPSDlg::colour_progress()
{
    int const position = m_progress.GetPos();
    COLORREF const colour = position < 35 ? RGB(0, 255, 0) : position < 70 ? RGB(250, 230, 50) : RGB(6, 6, 251);
    m_progress.SetColors(3, colour, RGB(166, 202, 240), colour);
    m_progress.Invalidate(FALSE);
}

void CPageWPSDlg::OnTimer(UINT_PTR nIDEvent)
{
    check_radio_tick();
    enable_by_credentials();
    if (nIDEvent == TIMER_WPS_DLG_SCAN_DONE) {
        KillTimer(TIMER_WPS_DLG_SCAN_DONE);
        RescanTimeEnd();
    }
    scan_complete_tick();
    if (nIDEvent == TIMER_WPS_DLG_TWO_MINUTES) {
        KillTimer(TIMER_WPS_DLG_TWO_MINUTES);
        G_nCurSelItem = -1;
        G_nWPSMode = WPS_RUN_NONE;
        m_bRescan = FALSE;
        StopWpsRoutine(TRUE);
        OnWpsDisconnect();
    }
    if (nIDEvent == TIMER_WPS_NDIS_MEDIA_DISCONNECTED) {
        KillTimer(TIMER_WPS_NDIS_MEDIA_DISCONNECTED);
        WLAN_STATUS status {};
        G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST {});
        if (status.Status != VxStatus_Connected) {
            StopWpsRoutine(TRUE);
            OnPinConnect();
        }
    }
    if (nIDEvent == TIMER_WPS_DLG_STATUS)
        GetWPSStatus();
    if (nIDEvent == TIMER_WPS_DLG_CONNECT_STATUS && !connection_watch_tick())
        return;
    if (nIDEvent == TIMER_WPS_DLG_HW_PBC) {
        TraceMsg(TRACE_TICK, "[Kivra] TIMER_WPS_DLG_HW_PBC\n");
        if (G_VxWlLib.VXWL_IsZeroConfig() != VXWL_ZERO_CONFIG_SYSTEM && m_bHWPBC) {
            m_bHWPBC = FALSE;
            HwPbcConnect();
        }
    }
    colour_progress();
    CResizeDlg::OnTimer(nIDEvent);
}
