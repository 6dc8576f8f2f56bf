// CHideDlg: the polling tick. Every timer of the hidden dialog runs the same tick; the timer's
// id picks the steps it adds to the common ones (adapter presence, the library's hold on the
// adapter, the tray icon, the window's buttons). The order of the steps matters: a tick that
// finds the adapter gone stops before anything asks the adapter for more, and the WPS rotation
// tick leaves the tray and the retry to the other timers.
#include "station/app/HideDlg.h"

#include "station/app/StatusCallback.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/core/HideDlgIds.h"
#include "station/core/IniFile.h"
#include "station/core/ScanList.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageAdvanceDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kCheckCardMs = 2000;
constexpr UINT kWepErrorMs = 10000;
// Disconnected ticks between two rescans while nobody looks at the window.
constexpr int kRescanTicks = 90;

bool bssid_set(BYTE const (&bssid)[6])
{
    return std::any_of(std::begin(bssid), std::end(bssid), [](BYTE b) { return b != 0; });
}

}

bool CHideDlg::config_window_alive() const
{
    return m_pVxUI && m_pVxUI->m_hWnd && ::IsWindow(m_pVxUI->m_hWnd);
}

// [SECTION] The tick

void CHideDlg::OnTimer(UINT_PTR nIDEvent)
{
    TraceMsg(TRACE_TICK, "[Kivra] CHideDlg::OnTimer(%d)\n", int(nIDEvent));
    if (nIDEvent == TIMER_HIDE_DLG_CHECKINI_DEBUGMODE)
        read_debug_mode();
    if (nIDEvent == TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME) {
        check_init_after_resume();
        CDialog::OnTimer(nIDEvent);
        return;
    }
    if (nIDEvent == TIMER_HIDE_DLG_RESUME_CONNECT || nIDEvent == TIMER_HIDE_DLG_SESSION_ID) {
        if (nIDEvent == TIMER_HIDE_DLG_RESUME_CONNECT) {
            KillTimer(nIDEvent);
            ConnectAfterResume();
        } else {
            ProcDetectSessionIDChangedEx();
        }
        CDialog::OnTimer(nIDEvent);
        return;
    }
    if (m_bDialogRunning) {
        TraceMsg(TRACE_STEP, "[Kivra] m_bDialogRunning is TRUE, return!\n");
        return;
    }
    // A prompt the window closed over ends as Cancel before the tick asks the adapter more.
    EndUnseenPrompt();
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 1, 1, 0, 0, 1 } });
    if (nIDEvent == TIMER_HIDE_DLG_RADIO)
        ProcDetectHardwareRadioOnOff();
    if (ProcDetectDeviceRemoval() == 2) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    run_timer_actions(nIDEvent);
    ProcDetectWPACapNWindowsUtil();
    if (run_wps_steps(nIDEvent)) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    update_connection_state(status, nIDEvent);
    if (nIDEvent == TIMER_HIDE_DLG_RETRY_CON)
        ProcRetryConnection(status);
    if (nIDEvent == TIMER_HIDE_DLG_CCX)
        rotate_profile_tick();
    if (config_window_alive())
        m_pVxUI->EnableWMMButton();
    CDialog::OnTimer(nIDEvent);
}

void CHideDlg::read_debug_mode()
{
    char level[16] {};
    ReadIniString("Settings", "DebugMode", "0", level, sizeof level);
    G_VxWlLib.nDebugMode.store(std::atoi(level));
}

void CHideDlg::run_timer_actions(UINT_PTR id)
{
    switch (id) {
    case TIMER_HIDE_DLG_RECONNECT: ProcReConnect(); break;
    case TIMER_HIDE_DLG_PREV_PROFILE:
        KillTimer(id);
        ConnectPreviousProfileSetting();
        break;
    case TIMER_HIDE_DLG_ADVANCE_CONNECT: advance_page_connection(); break;
    case TIMER_HIDE_DLG_RESCAN: ProcRescan(); break;
    case TIMER_HIDE_DLG_SCANTABLE: ProcGetScanTable(); break;
    default: break;
    }
}

// True when the tick ends here (the rotation tick).
bool CHideDlg::run_wps_steps(UINT_PTR id)
{
    switch (id) {
    case TIMER_HIDE_DLG_WPS_ROTATE: ProcWPSRotate(); return true;
    case TIMER_HIDE_DLG_WPS_HW_PBC:
        if (G_VxWlLib.VXWL_IsZeroConfig() != VXWL_ZERO_CONFIG_SYSTEM)
            ProcWPS_HWPBC();
        break;
    case TIMER_HIDE_DLG_WPS_STATUS: ProcWPSStatus(); break;
    case TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN: ProcWPSRoutineRescan(); break;
    default: break;
    }
    return false;
}

// [SECTION] Tray icon and the tick count

bool CHideDlg::profile_matches(WLAN_STATUS const& status)
{
    WLANPROFILE profile {};
    if (!CopyProfile(profile))
        return false;
    if (profile.bBssid)
        return bssid_set(profile.BSSID) && std::memcmp(profile.BSSID, status.Bssid, 6) == 0;
    return std::memcmp(&profile.SSID, &status.Ssid, sizeof profile.SSID) == 0;
}

void CHideDlg::update_connection_state(WLAN_STATUS const& status, UINT_PTR id)
{
    if (status.Status == VxStatus_Connected && status.LinkState != LINK_HW_RADIO_OFF && bssid_set(status.Bssid)) {
        m_nTickCount = profile_matches(status) ? m_nTickCount + 1 : 0;
        ProcDetectICVError(id);
        UpdateSignalIcon();
        return;
    }
    ModifyTaskBar(IDI_LOST);
    lost_link_tick(status);
}

void CHideDlg::lost_link_tick(WLAN_STATUS const& status)
{
    if (G_VxWlLib.VXWL_GetWinOS() < 10) {
        G_bWepError = FALSE;
        KillTimer(TIMER_HIDE_DLG_WEP_ERROR);
        if (m_bWepErrorDetect) {
            SetTimer(TIMER_HIDE_DLG_WEP_ERROR, kWepErrorMs);
            StoreFrameBaseline(status);
        }
    }
    bool const managed = G_VxWlLib.VXWL_IsZeroConfig() != VXWL_ZERO_CONFIG_SYSTEM;
    if (managed && G_VxWlLib.VXWL_ReadRadioStatus() && !config_window_alive() && m_nTickCount != 0
        && m_nTickCount % kRescanTicks == 0)
        RescanBssidList();
    ++m_nTickCount;
}

// [SECTION] Adapter presence

int CHideDlg::ProcDetectDeviceRemoval()
{
    if (G_VxWlLib.VXWL_IsDeviceExist(&G_VxWlLib.adapter)) {
        m_bDeviceExist = TRUE;
    } else {
        adapter_gone();
        if (!m_bDeviceExist) {
            ModifyTaskBar(IDI_NOTEXIST);
            G_VxWlLib.VXWL_Release();
            return 2;
        }
        ModifyTaskBar(IDI_LOST);
        InitCard(FALSE);
    }
    if (!m_bDeviceExist) {
        G_VxWlLib.VXWL_StopAuth();
        G_VxWlLib.VXWL_Release();
    }
    if (m_pVxUI && !config_window_alive()) {
        set_config_window(nullptr);
        delete m_pVxUI;
        m_pVxUI = nullptr;
    }
    return 0;
}

// Closing help windows by their titles is left out, as at tear-down: the desktop's browser
// shows the help.
void CHideDlg::adapter_gone()
{
    {
        std::lock_guard lock(m_profileMutex);
        if (m_pProfData)
            std::memset(m_pProfData, 0, sizeof(WLANPROFILE));
    }
    KillTimer(TIMER_HIDE_DLG_CHECK_CARD);
    if (m_bWepErrorDetect)
        KillTimer(TIMER_HIDE_DLG_WEP_ERROR);
    G_VxWlLib.VXWL_Release();
    close_windows();
    DetectAdapter();
    m_bDeviceExist = G_VxWlLib.VXWL_IsDeviceExist(&G_VxWlLib.adapter) ? TRUE : FALSE;
    SetTimer(TIMER_HIDE_DLG_CHECK_CARD, kCheckCardMs);
}

// [SECTION] Radio switch

void CHideDlg::ProcDetectHardwareRadioOnOff()
{
    VXWL_U32 hardware = 1;
    VXWL_U32 software = 1;
    G_VxWlLib.VXWL_QueryHWAndSWRadioState(&hardware, &software);
    BOOL const off = hardware == 0 ? TRUE : FALSE;
    if (off == m_bHWRadioOff)
        return;
    m_bHWRadioOff = off;
    TraceMsg(TRACE_STEP, "[Kivra] hardware radio %s\n", off ? "OFF" : "ON");
    // The window's layout pass, which the radio change runs, enables the radio button; the
    // hardware switch has the last word.
    if (config_window_alive()) {
        m_pVxUI->ActionTurnOnOffRadio(!off && software != 0);
        m_pVxUI->EnableRadioButton(!off);
    } else if (!off) {
        InitCard_SetOidFromReg(FALSE, TRUE);
    }
}

// [SECTION] Scans

void CHideDlg::RescanBssidList()
{
    TraceMsg(TRACE_STEP, "[Kivra] Insert scan type action!\n");
    if (InsertAction(actionTypeBssidListScan, nullptr))
        ActionExec();
}

void CHideDlg::ProcRescan()
{
    KillTimer(TIMER_HIDE_DLG_RESCAN);
    RescanBssidList();
}

void CHideDlg::ProcGetScanTable()
{
    KillTimer(TIMER_HIDE_DLG_SCANTABLE);
    if (config_window_alive() && m_pVxUI->site_survey_page())
        m_pVxUI->site_survey_page()->ForceUpdateBssidList();
}

// [SECTION] WEP key error

void CHideDlg::ProcDetectICVError(UINT_PTR nIDEvent)
{
    if (G_VxWlLib.VXWL_GetWinOS() >= 10 || nIDEvent != TIMER_HIDE_DLG_WEP_ERROR)
        return;
    if (!m_bWepErrorDetect && !G_bWepError) {
        TraceMsg(TRACE_STEP, "[Kivra] m_bWepErrorDetect is FALSE, and G_bWepError is FALSE (Do Nothing)\n");
        return;
    }
    if (!m_bWepErrorDetect)
        return;
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 0, 0, 0, 0, 1 } });
    std::uint64_t const tx = status.Counters[COUNTER_TX_OK / 8];
    std::uint64_t const previous_tx = (std::uint64_t(m_dwPrevTxHigh) << 32) | m_dwPrevTxLow;
    TraceMsg(TRACE_STEP, "[Kivra] WepError Check: previous Tx = %llu, Rx = %u; current Tx = %llu, Rx = %u\n",
        static_cast<unsigned long long>(previous_tx), unsigned(m_dwPrevRx), static_cast<unsigned long long>(tx),
        unsigned(status.RxOkLegacy));
    StoreFrameBaseline(status);
}

void CHideDlg::StoreFrameBaseline(WLAN_STATUS const& status)
{
    std::uint64_t const tx = status.Counters[COUNTER_TX_OK / 8];
    m_dwPrevTxLow = DWORD(tx & 0xFFFFFFFFu);
    m_dwPrevTxHigh = DWORD(tx >> 32);
    m_dwPrevRx = status.RxOkLegacy;
}

// [SECTION] The library's hold on the adapter, and the window's buttons

void CHideDlg::ProcDetectWPACapNWindowsUtil()
{
    int const zero_config = G_VxWlLib.VXWL_IsZeroConfig();
    if (zero_config != VXWL_ZERO_CONFIG_SYSTEM && G_VxWlLib.VXWL_IsWpaCapable() == 0 && !m_bSessionLock) {
        if (G_VxWlLib.VXWL_AdapterSelect(&G_VxWlLib.adapter, station::core::rsCallBackFunc, m_hWnd) != VXWL_ERROR_SUCCESS)
            TraceMsg(TRACE_FAIL, "[Kivra] VXWL_AdapterSelect() return NOT VXWL_ERROR_SUCCESS!\n");
    }
    if (G_VxWlLib.VXWL_GetWinOS() >= 10)
        return;
    if (zero_config == VXWL_ZERO_CONFIG_SYSTEM && G_VxWlLib.VXWL_IsWpaCapable())
        G_VxWlLib.VXWL_Release();
    if (config_window_alive())
        enable_window_buttons();
}

// The same button set as the window's layout pass: what needs the program to manage the
// adapter, what needs an administrator besides, and the radio button, which needs the
// hardware switch on.
void CHideDlg::enable_window_buttons()
{
    bool const managed = G_VxWlLib.VXWL_IsZeroConfig() != VXWL_ZERO_CONFIG_SYSTEM;
    bool const admin = managed && G_VxWlLib.VXWL_DetectUserAdmin() != 0;
    auto enable = [this](int kind, bool on) {
        if (CShadeButtonST* const button = m_pVxUI->kind_button(kind); button && button->m_hWnd)
            button->EnableWindow(on);
    };
    enable(BTN_PROFILE, managed);
    enable(BTN_SSO, managed);
    for (int kind : { BTN_ADVANCE, BTN_WPS, BTN_CCXCONFIG })
        enable(kind, admin);
    if (!admin)
        enable(BTN_WMM, false);
    enable(BTN_RADIO, managed && !m_bHWRadioOff);
}

// [SECTION] Timers nothing in the program arms

void CHideDlg::advance_page_connection()
{
    KillTimer(TIMER_HIDE_DLG_ADVANCE_CONNECT);
    CPageAdvanceDlg* const advance = config_window_alive() ? m_pVxUI->m_pPageAdvanceDlg : nullptr;
    if (!advance)
        return;
    {
        std::lock_guard lock(m_profileMutex);
        if (!m_pProfData)
            return;
        advance->m_ProfData = *m_pProfData;
        advance->m_bConnect = TRUE;
        m_pProfData->bSetAdvance = 0;
    }
    advance->m_nActionType = actionTypeProfile;
    advance->m_pActionData = &advance->m_ProfData;
    SendMessage(ACTION_INSERT_EXEC, SEND_BY_ADVANCE_DLG, 0);
}

// The profile rotation runs on this dialog's timer 10, which ShowConfigUI arms from the CCX
// page's rotate option; the step itself belongs to the window, which knows the pages.
void CHideDlg::rotate_profile_tick()
{
    if (config_window_alive())
        m_pVxUI->RotateProfileTick();
}
