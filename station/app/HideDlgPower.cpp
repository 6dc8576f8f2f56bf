// CHideDlg: sleep and resume, the switch between logged-on users, and the radio coming on.
// Suspend lets go of the adapter and stops the polling; resume waits for the driver, re-arms
// the timers and connects again. A user switching away leaves the adapter to the next user.
#include "station/app/HideDlg.h"

#include "station/app/VxUI2008Dlg.h"
#include "station/core/HideDlgIds.h"
#include "station/core/ScanList.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageWPSDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <cstring>
#include <vector>

namespace {

constexpr DWORD kResumePauseMs = 1000;
// While paused, messages are looked at this often.
constexpr DWORD kResumePauseSliceMs = 50;
constexpr UINT kCheckCardMs = 2000;
constexpr UINT kWepErrorMs = 10000;
constexpr UINT kFirstInitCheckMs = 1000;
constexpr UINT kNextInitCheckMs = 2000;
constexpr UINT kResumeConnectMs = 1000;
constexpr UINT kRadioMs = 1000;
constexpr int kInitRetries = 5;
constexpr int kResumeConnectTries = 5;
constexpr UINT kRadioOnReconnectMs = 4000;
constexpr UINT kRadioOnRescanMs = 12000;

// Profiles whose connection needs the library's supplicant: LEAP, WPA and WPA2 with or
// without a pre-shared key, and 802.1X.
bool needs_supplicant(WLANPROFILE const& p)
{
    static constexpr std::uint32_t kModes[] = { 3, 4, 6, 7, 11 };
    bool const mode = std::find(std::begin(kModes), std::end(kModes), p.enumAuthenMode) != std::end(kModes);
    return p.enumAuthenProtocol == EAP_LEAP || mode || p.b8021X == 1;
}

bool has_profile(WLANPROFILE const& p) { return p.SSID.SsidLength != 0 || p.strProfileName[0] != '\0' || p.bBssid; }

}

// [SECTION] Power

void CHideDlg::OnPowerBroadcast(WPARAM event)
{
    if (event == PBT_APMSUSPEND) {
        TraceMsg(TRACE_STEP, "[Kivra] PBT_APMSUSPEND\n");
        if (G_VxWlLib.VXWL_IsWpaCapable())
            G_VxWlLib.VXWL_Release();
        KillAllTimer();
        return;
    }
    if (event != PBT_APMRESUMEAUTOMATIC)
        return;
    TraceMsg(TRACE_STEP, "[Kivra] PBT_APMRESUMEAUTOMATIC\n");
    pause_for_resume();
    SetTimer(TIMER_HIDE_DLG_CHECK_CARD, kCheckCardMs);
    int const win_os = G_VxWlLib.VXWL_GetWinOS();
    if (win_os < 10) {
        if (m_bWepErrorDetect)
            SetTimer(TIMER_HIDE_DLG_WEP_ERROR, kWepErrorMs);
        if (G_VxWlLib.VXWL_IsZeroConfig() != VXWL_ZERO_CONFIG_SYSTEM)
            SetTimer(TIMER_HIDE_DLG_RESUME_CONNECT, kResumeConnectMs);
    }
    VXWL_U32 ready = 0;
    G_VxWlLib.VXWL_QueryInitState(&ready);
    if (ready == 1)
        arm_scan_after_driver_ready(win_os);
    else
        SetTimer(TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME, kFirstInitCheckMs);
    SetTimer(TIMER_HIDE_DLG_RADIO, kRadioMs);
}

// A second of the platform clock during which messages keep being dispatched, so that the
// tray and the library's messages are not held up while the machine wakes.
void CHideDlg::pause_for_resume()
{
    DWORD const start = ::GetTickCount();
    for (;;) {
        MSG msg {};
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(int(msg.wParam));
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        DWORD const elapsed = ::GetTickCount() - start;
        if (elapsed >= kResumePauseMs)
            return;
        ::Sleep(std::min(kResumePauseSliceMs, kResumePauseMs - elapsed));
    }
}

// Timer 13: the driver is asked once a second, then every two; after five retries the scan
// timer is armed anyway.
void CHideDlg::check_init_after_resume()
{
    KillTimer(TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME);
    VXWL_U32 ready = 0;
    G_VxWlLib.VXWL_QueryInitState(&ready);
    if (!ready && m_nCountInitRetry < kInitRetries) {
        ++m_nCountInitRetry;
        SetTimer(TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME, kNextInitCheckMs);
        return;
    }
    m_nCountInitRetry = 0;
    arm_scan_after_driver_ready(G_VxWlLib.VXWL_GetWinOS());
}

// A driver that came back in station mode while the stored mode is the access point client
// is handed to the mode switcher by an administrator, and the program ends.
void CHideDlg::arm_scan_after_driver_ready(int win_os)
{
    ADVANCE_CONFIG_DATA config {};
    G_VxWlLib.VXWL_ReadAdvanceCfgData(&config);
    UINT const period = UINT(SetTimerForScanByChnList(int(config.WirelessMode)));
    if (win_os < 10)
        m_nTimerScanTable = SetTimer(TIMER_HIDE_DLG_SCANTABLE, period);
    else
        m_nTimerRescan = SetTimer(TIMER_HIDE_DLG_RESCAN, period);
    if (win_os < 12)
        return;
    if (G_VxWlLib.VXWL_QueryOPMode() == VXWL_OPMODE_STATION && G_VxWlLib.VXWL_ReadOpMode() == VXWL_OPMODE_AP_CLIENT
        && G_VxWlLib.VXWL_DetectUserAdmin()) {
        OnTrayExit();
        RunVxSwap(0);
    }
}

// Timer 19: connects with the current profile once the library may run it, but not while
// the identity re-prompt asks the user for new credentials.
void CHideDlg::ConnectAfterResume()
{
    if (G_VxWlLib.VXWL_GetWinOS() >= 10)
        return;
    bool done = false;
    WLANPROFILE profile {};
    if (CopyProfile(profile) && has_profile(profile) && G_VxWlLib.VXWL_ReadRadioStatus()) {
        {
            std::lock_guard lock(m_profileMutex);
            m_pProfData->bSetAdvance = 0;
        }
        if (!needs_supplicant(profile) || G_VxWlLib.VXWL_IsWpaCapable()) {
            BOOL const run = InsertAction(actionTypeProfile, m_pProfData);
            CWnd* const prompt = config_window_alive() ? m_pVxUI->lower_child(CVxUI2008Dlg::SUB_INVALID_IDPW) : nullptr;
            if (!prompt || !prompt->m_hWnd || !prompt->IsWindowVisible()) {
                if (run)
                    ActionExec();
                done = true;
            }
        }
    }
    TraceMsg(TRACE_STEP, "[Kivra] m_nCountAfterResume is %d\n", m_nCountAfterResume);
    if (m_nCountAfterResume > kResumeConnectTries || done) {
        m_nCountAfterResume = 0;
        return;
    }
    ++m_nCountAfterResume;
    SetTimer(TIMER_HIDE_DLG_RESUME_CONNECT, kResumeConnectMs);
}

// [SECTION] Sessions

void CHideDlg::ProcDetectSessionIDChangedEx()
{
    if (!m_pfnGetActiveConsoleSessionId)
        return;
    DWORD const active = m_pfnGetActiveConsoleSessionId();
    if (active == m_dwPrevSessionId)
        return;
    if (active == m_dwSessionId)
        session_back_to_me();
    else if (m_dwPrevSessionId == m_dwSessionId)
        session_to_another_user();
    m_dwPrevSessionId = active;
}

void CHideDlg::session_back_to_me()
{
    TraceMsg(TRACE_STEP, "[Kivra] Session change back to me!\n");
    m_bSessionLock = FALSE;
    int const win_os = G_VxWlLib.VXWL_GetWinOS();
    bool const window = config_window_alive();
    CPageProfileDlg* const profiles = window ? m_pVxUI->m_pPageProfileDlg : nullptr;
    if (win_os < 10 && profiles) {
        char name[PROFILE_NAME_SIZE + 1] {};
        G_VxWlLib.VXWL_ReadActiveProfileName(name);
        profiles->m_strProfile = name;
    }
    if (profiles)
        profiles->RefreshProfileList();
    if (window && m_pVxUI->site_survey_page())
        m_pVxUI->site_survey_page()->ForceUpdateBssidList();
    VXWL_U32 hardware = 1;
    VXWL_U32 software = 1;
    G_VxWlLib.VXWL_QueryHWAndSWRadioState(&hardware, &software);
    bool const radio_on = hardware && software;
    show_radio_state(radio_on);
    if (!radio_on) {
        if (win_os >= 12 && window) {
            m_bHideAPButton = TRUE;
            m_pVxUI->ShoworHideSTAButton();
        }
        return;
    }
    if (win_os >= 10)
        reapply_active_profile();
}

// An administrator connects the profile the program held; anyone else only after finding the
// active profile still stored, read anew.
void CHideDlg::reapply_active_profile()
{
    if (!G_VxWlLib.VXWL_DetectUserAdmin()) {
        char name[PROFILE_NAME_SIZE + 1] {};
        G_VxWlLib.VXWL_ReadActiveProfileName(name);
        VXWL_U32 count = 0;
        G_VxWlLib.VXWL_ReadProfileList(nullptr, &count);
        std::vector<WLANPROFILE> stored(count);
        if (count && G_VxWlLib.VXWL_ReadProfileList(stored.data(), &count) != VXWL_ERROR_SUCCESS)
            count = 0;
        stored.resize(std::min<std::size_t>(stored.size(), count));
        bool const kept = name[0] && std::any_of(stored.begin(), stored.end(), [&](WLANPROFILE const& p) {
            return std::strncmp(p.strProfileName, name, sizeof p.strProfileName) == 0;
        });
        std::lock_guard lock(m_profileMutex);
        if (!kept) {
            TraceMsg(TRACE_STEP, "[Kivra] Profile has been deleted! Clear m_pProfData\n");
            std::memset(m_pProfData, 0, sizeof(WLANPROFILE));
            return;
        }
        G_VxWlLib.VXWL_ReadProfileData(m_pProfData, name);
    }
    ConnectPreviousProfileSetting();
}

void CHideDlg::session_to_another_user()
{
    TraceMsg(TRACE_STEP, "[Kivra] Session change to another user!\n");
    m_bSessionLock = TRUE;
    if (G_VxWlLib.VXWL_GetWinOS() < 10) {
        if (G_VxWlLib.VXWL_IsWpaCapable())
            G_VxWlLib.VXWL_Release();
    } else {
        G_VxWlLib.VXWL_WlanDeleteAllVexlorWindowsProfiles();
    }
    if (!config_window_alive())
        return;
    if (CShadeButtonST* const survey = m_pVxUI->kind_button(BTN_SITESURVEY); survey && survey->m_hWnd)
        survey->SendMessage(BM_CLICK);
    m_pVxUI->SendMessage(WM_CLOSE);
}

void CHideDlg::show_radio_state(bool on)
{
    if (config_window_alive())
        m_pVxUI->MarkRadio(on ? TRUE : FALSE);
}

// [SECTION] The radio comes on

LRESULT CHideDlg::OnTurnOnRadio(WPARAM, LPARAM)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::OnTurnOnRadio\n");
    if (config_window_alive()) {
        if (m_pVxUI->site_survey_page())
            m_pVxUI->site_survey_page()->ClearListContainers();
        if (m_pVxUI->m_pPageWPSDlg)
            m_pVxUI->m_pPageWPSDlg->ClearListContainers();
        m_pVxUI->MarkRadio(TRUE);
    }
    if (!m_bSessionLock)
        m_nTimerReconnect = SetTimer(TIMER_HIDE_DLG_RECONNECT, kRadioOnReconnectMs);
    m_nTimerRescan = SetTimer(TIMER_HIDE_DLG_RESCAN, kRadioOnRescanMs);
    return 0;
}
