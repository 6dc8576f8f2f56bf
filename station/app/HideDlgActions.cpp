// CHideDlg: the connection action queue. Pages ask through ACTION_INSERT_EXEC, timers and the
// status callback's recovery through InsertAction; ActionExec hands each queued action to the
// library in order. Everything here runs on the user-interface thread.
#include "station/app/HideDlg.h"

#include "station/app/VxUI2008Dlg.h"
#include "station/app/WorkerThreads.h"
#include "station/core/AdvanceSettings.h"
#include "station/core/HideDlgIds.h"
#include "station/core/RecordDump.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageAdvanceDlg.h"
#include "station/features/PageWPSDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PeapSettingDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <cstring>

namespace {

constexpr UINT MSG_SHOW_AUTHSTATUS_TO_WINDOW = 0x415;
constexpr WPARAM AUTHSTATUS_PROGRESS = 10;
// Value types of VXWL_WriteRegValue.
constexpr VXWL_U32 REG_VALUE_STRING = 1;
constexpr VXWL_U32 REG_VALUE_DWORD = 4;

bool needs_8021x_prompt(WLANPROFILE const& p)
{
    return p.enumAuthenMode == AUTH_WPA || p.enumAuthenMode == AUTH_WPA2
        || ((p.enumAuthenMode == AUTH_OPEN || p.enumAuthenMode == AUTH_SHARED) && p.b8021X);
}

bool token_card_password(WLANPROFILE const& p)
{
    bool const peap_gtc = p.enumAuthenProtocol == EAP_PEAP && p.enumTunnel == RS_TunnelGTC;
    bool const fast_gtc = p.enumAuthenProtocol == EAP_FAST
        && (p.enumTunnel == RS_TunnelGTC || p.enumProvisioningTunnel == RS_TunnelGTC);
    return (peap_gtc || fast_gtc) && p.nPasswordMode == 0;
}

template<std::size_t N>
void copy_field(char (&to)[N], char const (&from)[N])
{
    std::memcpy(to, from, N);
}

}

// [SECTION] ACTION_INSERT_EXEC

LRESULT CHideDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ACTION_INSERT_EXEC)
        OnActionInsertExec(wParam);
    else if (message == WM_POWERBROADCAST)
        OnPowerBroadcast(wParam);
    return CDialog::WindowProc(message, wParam, lParam);
}

void CHideDlg::OnActionInsertExec(WPARAM sender)
{
    TraceMsg(TRACE_TICK, "[Kivra] Receive ACTION_INSERT_EXEC message\n");
    CPageProfileDlg* const profiles = m_pVxUI ? m_pVxUI->m_pPageProfileDlg : nullptr;
    int type = -1;
    void* data = nullptr;
    switch (int(sender)) {
    case SEND_BY_SITESURVEY_DLG: {
        TraceMsg(TRACE_TICK, "[Kivra] wParam: SEND_BY_SITESURVEY_DLG\n");
        CPageSiteSurveyDlg* const survey = m_pVxUI ? m_pVxUI->site_survey_page() : nullptr;
        G_bReConnect = TRUE;
        if (profiles)
            profiles->m_bActiveProfile = FALSE;
        G_VxWlLib.VXWL_WriteRegValue("CurProfile", REG_VALUE_STRING, "", 0);
        if (profiles)
            profiles->m_bConnectFromSurvey = TRUE;
        if (survey) {
            type = survey->m_nActionType;
            data = survey->m_pActionData;
        }
        break;
    }
    case SEND_BY_PROFILE_DLG:
        TraceMsg(TRACE_TICK, "[Kivra] wParam: SEND_BY_PROFILE_DLG\n");
        if (profiles) {
            type = profiles->m_nActionType;
            data = profiles->m_pActionProfile.get();
        }
        break;
    case SEND_BY_ADVANCE_DLG: {
        TraceMsg(TRACE_TICK, "[Kivra] wParam: SEND_BY_ADVANCE_DLG\n");
        CPageAdvanceDlg* const advance = m_pVxUI ? m_pVxUI->m_pPageAdvanceDlg : nullptr;
        if (advance) {
            type = advance->m_nActionType;
            data = advance->m_pActionData;
        }
        break;
    }
    default: return;
    }
    // A page that is gone, or a type no entry has, queues nothing.
    if (type < actionTypeBssidListScan || type > actionTypeWPSProfile || (!data && type != actionTypeBssidListScan)) {
        TraceMsg(TRACE_FAIL, "[Kivra] ACTION_INSERT_EXEC: no action to queue\n");
        return;
    }
    TraceMsg(TRACE_TICK, "[Kivra] call InsertAction()\n");
    if (InsertAction(type, data))
        ActionExec();
}

// [SECTION] The queue

void CHideDlg::ZeroProfile()
{
    std::lock_guard lock(m_profileMutex);
    if (m_pProfData)
        std::memset(static_cast<void*>(m_pProfData), 0, sizeof(WLANPROFILE));
}

bool CHideDlg::CopyProfile(WLANPROFILE& out)
{
    std::lock_guard lock(m_profileMutex);
    if (!m_pProfData)
        return false;
    out = *m_pProfData;
    return true;
}

bool CHideDlg::TakeProfileForAdvance(WLANPROFILE& out)
{
    std::lock_guard lock(m_profileMutex);
    if (!m_pProfData)
        return false;
    m_pProfData->bSetAdvance = 0;
    out = *m_pProfData;
    return true;
}

BOOL CHideDlg::InsertAction(int type, void* data)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::InsertAction\n");
    if (type == actionTypeProfile) {
        m_bRetryHoldBack = FALSE;
        std::lock_guard lock(m_profileMutex);
        if (!m_pProfData) {
            TraceMsg(TRACE_FAIL, "[Kivra] m_pProfData is NULL!\n");
            TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::InsertAction\n");
            return FALSE;
        }
        if (data && data != m_pProfData)
            std::memcpy(m_pProfData, data, sizeof(WLANPROFILE));
    }
    MergeAction(aryActionData, MakeAction(type, data));
    WLANPROFILE current {};
    CopyProfile(current);
    BOOL run = TRUE;
    if (aryActionData.size() > 1 && aryActionData[0].nType == actionTypeBssidListScan) {
        run = FALSE;
    } else if (QueueMustWait(aryActionData, current)) {
        TraceMsg(TRACE_STEP, "[Kivra] nPasswordMode is 0 and enumTunnel is RS_TunnelGTC\n");
        run = FALSE;
    } else if (m_pVxUI && m_pVxUI->m_pPeapSettingDlg && m_pVxUI->m_pPeapSettingDlg->m_hWnd
        && m_pVxUI->m_pPeapSettingDlg->IsWindowVisible()) {
        TraceMsg(TRACE_STEP, "[Kivra] Peap Setting Dialog is open!\n");
        run = FALSE;
    }
    TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::InsertAction\n");
    return run;
}

// The head is taken out before it runs: a prompt inside it runs a message loop, in which other
// producers may queue or replace entries; those stay for the rest of this run.
void CHideDlg::ActionExec()
{
    if (m_bInActionExec)
        return;
    m_bInActionExec = true;
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::ActionExec\n");
    while (!aryActionData.empty()) {
        _ACTION_DATA action = std::move(aryActionData.front());
        aryActionData.erase(aryActionData.begin());
        bool go_on = true;
        switch (action.nType) {
        case actionTypeBssidListScan:
            TraceMsg(TRACE_STEP, "[Kivra] ACTION TYPE is actionTypeBssidListScan\n");
            if (m_pVxUI && m_pVxUI->site_survey_page())
                m_pVxUI->site_survey_page()->DoScan();
            break;
        case actionTypeProfile: go_on = exec_profile(action); break;
        case actionTypeSSID:
        case actionTypeBSSID: exec_ssid_or_bssid(action); break;
        case actionTypeWPSProfile:
            if (G_VxWlLib.VXWL_ReadRadioStatus()) {
                TraceMsg(TRACE_STEP, "[Kivra] ACTION TYPE is actionTypeWPSProfile and SW Radio ON\n");
                TraceMsg(TRACE_STEP, "[Kivra] call VXWL_ConnectWPSProfile()\n");
                WPS_CREDENTIAL credential {};
                std::memcpy(&credential, action.pData(), sizeof credential);
                G_VxWlLib.VXWL_ConnectWPSProfile(credential);
            }
            break;
        default: break;
        }
        if (!go_on)
            break;
    }
    TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::ActionExec\n");
    m_bInActionExec = false;
}

void CHideDlg::DrainActionQueue()
{
    while (!aryActionData.empty())
        aryActionData.erase(aryActionData.begin());
}

// A profile action; false when a cancelled prompt ends the run.
bool CHideDlg::exec_profile(_ACTION_DATA& action)
{
    if (!G_VxWlLib.VXWL_ReadRadioStatus())
        return true;
    WLANPROFILE& record = *action.profile();
    TraceMsg(TRACE_STEP, "[Kivra] ACTION TYPE is actionTypeProfile and SW Radio ON\n");
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_StopAuth()\n");
    G_VxWlLib.VXWL_StopAuth();
    bool const older = G_VxWlLib.VXWL_GetWinOS() < 10;
    if (older && G_VxWlLib.VXWL_IsWpaCapable() && needs_8021x_prompt(record) && !prompt_for_credentials(record))
        return false;
    WLANPROFILE current {};
    CopyProfile(current);
    if (older && record.enumAuthenMode == AUTH_WAPI_CERT) {
        copy_field(record.chUserCertPath, current.chUserCertPath);
        copy_field(record.chASCertPath, current.chASCertPath);
    }
    bool const mfp = older && (record.enumEncryStatus == ENC_TKIP_MFP || record.enumEncryStatus == ENC_AES_MFP);
    if (mfp)
        record.enumEncryStatus = record.enumEncryStatus == ENC_TKIP_MFP ? ENC_TKIP : ENC_AES;
    TraceMsg(TRACE_STEP, "[Kivra] Before call VXWL_SetWLANProfile()...\n");
    DumpWlanProfile(&record);
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_SetWLANProfile()\n");
    G_VxWlLib.VXWL_SetWLANProfile(&record);
    station::app::WorkerThreads::the().start(RenewIPAddrThread);
    bool const eap = record.b8021X == 1 || record.enumAuthenMode == AUTH_WPA || record.enumAuthenMode == AUTH_WPA2;
    if (eap && m_pVxUI && m_pVxUI->m_hWnd)
        m_pVxUI->SendMessage(MSG_SHOW_AUTHSTATUS_TO_WINDOW, AUTHSTATUS_PROGRESS, 0);
    apply_ccx_after_profile(mfp);
    G_bWepError = FALSE;
    arm_wep_error_check(record);
    if (older && m_pVxUI && m_pVxUI->m_bScanAfterAdvanceChange) {
        TraceMsg(TRACE_STEP, "[Kivra] m_bScanAfterAdvanceChange is TRUE, reset it as FALSE\n");
        m_pVxUI->m_bScanAfterAdvanceChange = FALSE;
        TraceMsg(TRACE_STEP, "[Kivra] call SetTimer(), TIMER_HIDE_DLG_RESCAN, 1sec\n");
        m_nTimerRescan = SetTimer(TIMER_HIDE_DLG_RESCAN, 1000);
    }
    UINT const retry_ms = UINT(std::max(0, G_VxWlLib.nRetryConnectTimer)) * 1000u;
    TraceMsg(TRACE_STEP, "[Kivra] call SetTimer(), TIMER_HIDE_DLG_RETRY_CON, %dms\n", int(retry_ms));
    SetTimer(TIMER_HIDE_DLG_RETRY_CON, retry_ms);
    return true;
}

// The prompts of an older system's 802.1X profile; false when one was cancelled or was open.
bool CHideDlg::prompt_for_credentials(WLANPROFILE& record)
{
    auto take_credentials = [&] {
        WLANPROFILE current {};
        CopyProfile(current);
        copy_field(record.chID, current.chID);
        copy_field(record.chPassword, current.chPassword);
    };
    if (token_card_password(record)) {
        if (PromptPeapCredentials() == 2) {
            TraceMsg(TRACE_STEP, "[Kivra] Peap Setting Dialog is open!\n");
            return false;
        }
        take_credentials();
    }
    if (record.enumAuthenProtocol == EAP_LEAP || record.enumAuthenProtocol == EAP_FAST) {
        if (PromptLeapFastCredentials() == 2) {
            TraceMsg(TRACE_STEP, "[Kivra] enumAuthenProtocol is Leap or Fast, Peap Setting Dialog is open!\n");
            return false;
        }
        take_credentials();
    }
    return true;
}

void CHideDlg::apply_ccx_after_profile(bool mfp_cipher)
{
    VXWL_U32 word = 0;
    if (!G_VxWlLib.VXWL_ReadCCX2Cont(&word))
        return;
    TraceMsg(TRACE_STEP, "[Kivra] VXWL_ReadCCX2Cont() return TRUE\n");
    if (G_VxWlLib.VXWL_GetWinOS() < 10) {
        word = mfp_cipher ? word | CCX2_MFP : word & ~CCX2_MFP;
        TraceMsg(TRACE_STEP, "[Kivra] call VXWL_WriteRegValue(), write \"CCX2Control\"\n");
        G_VxWlLib.VXWL_WriteRegValue("CCX2Control", REG_VALUE_DWORD, &word, sizeof word);
    }
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_SetCCXInfo(), bEnableFastRoaming = TRUE\n");
    G_VxWlLib.VXWL_SetCCXInfo(1, word);
}

void CHideDlg::arm_wep_error_check(WLANPROFILE const& record)
{
    bool const open_or_shared = record.enumAuthenMode == AUTH_OPEN || record.enumAuthenMode == AUTH_SHARED;
    if (!(open_or_shared && record.enumEncryStatus == ENC_WEP && record.enumNetworkType == 1)) {
        m_bWepErrorDetect = FALSE;
        return;
    }
    TraceMsg(TRACE_STEP, "[Kivra] Open or WEP and Infrastructure, set m_bWepErrorDetect as TRUE\n");
    m_bWepErrorDetect = TRUE;
    CaptureFrameBaseline();
    TraceMsg(TRACE_STEP, "[Kivra] call SetTimer(), TIMER_HIDE_DLG_WEP_ERROR, 10sec\n");
    SetTimer(TIMER_HIDE_DLG_WEP_ERROR, 10000);
}

void CHideDlg::exec_ssid_or_bssid(_ACTION_DATA& action)
{
    bool const ssid = action.nType == actionTypeSSID;
    TraceMsg(TRACE_STEP, ssid ? "[Kivra] ACTION TYPE is actionTypeSSID\n" : "[Kivra] ACTION TYPE is actionTypeBSSID\n");
    G_bWepError = FALSE;
    if (ssid) {
        NDIS_802_11_SSID record {};
        std::memcpy(&record, action.pData(), sizeof record);
        G_VxWlLib.VXWL_SetSSID(record);
    } else {
        G_VxWlLib.VXWL_SetBSSID(static_cast<std::uint8_t const*>(action.pData()));
    }
    VXWL_U32 word = 0;
    int const read = G_VxWlLib.VXWL_ReadCCX2Cont(&word);
    if (ssid ? read != 0 : read == 1)
        G_VxWlLib.VXWL_SetCCXInfo(1, word);
    if (m_bWepErrorDetect)
        CaptureFrameBaseline();
}

void CHideDlg::CaptureFrameBaseline()
{
    WLAN_STATUS status {};
    WLAN_STATUS_REQUEST request {};
    request.Switch[4] = 1;
    G_VxWlLib.VXWL_QueryWLANStatus(&status, request);
    std::uint64_t const tx = status.Counters[COUNTER_TX_OK / 8];
    m_dwPrevTxLow = DWORD(tx & 0xFFFFFFFFu);
    m_dwPrevTxHigh = DWORD(tx >> 32);
    m_dwPrevRx = status.RxOkLegacy;
    TraceMsg(TRACE_STEP, "[Kivra] WepError Check: OID_GEN_RCV_OK Oid = %08x\n", static_cast<unsigned>(OID_GEN_RCV_OK));
    TraceMsg(TRACE_STEP, "[Kivra] WepError Check: m_lRcvOk=%d\n", int(m_dwPrevRx));
}

// [SECTION] Producers of the hidden dialog

void CHideDlg::ConnectWpsProfile()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::ConnectWpsProfile\n");
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_ReadWPSProfile()\n");
    WPS_MODE mode {};
    WPS_PROFILE list {};
    G_VxWlLib.VXWL_ReadWPSProfile(&mode, &list);
    if (list.ProfileCnt == 0) {
        TraceMsg(TRACE_STEP, "[Kivra] Profile count is 0\n");
    } else {
        TraceMsg(TRACE_STEP, "[Kivra] call VXWL_StopAuth()\n");
        G_VxWlLib.VXWL_StopAuth();
        connect_wps_entry(list);
    }
    TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::ConnectWpsProfile\n");
}

void CHideDlg::connect_wps_entry(WPS_PROFILE const& list)
{
    int const count = int(std::min(list.ProfileCnt, WPS_MAX_CREDENTIALS));
    *G_pWpsEntry = list.Profile[PickWpsProfile(count)];
    TraceMsg(TRACE_STEP, "[Kivra] Insert WPS profile type action!\n");
    if (InsertAction(actionTypeWPSProfile, G_pWpsEntry))
        ActionExec();
    AdvanceWpsRotation(count);
    if (m_pVxUI && m_pVxUI->m_pPageWPSDlg)
        m_pVxUI->m_pPageWPSDlg->m_nCurProfile = G_nCurWpsProfile;
}

void CHideDlg::ConnectPreviousProfileSetting()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::ConnectPreviousProfileSetting\n");
    VXWL_U32 wps = 0;
    G_VxWlLib.VXWL_ReadWPSFlag(&wps);
    if (wps == 0 && m_pProfData) {
        {
            std::lock_guard lock(m_profileMutex);
            m_pProfData->bSetAdvance = 0;
        }
        TraceMsg(TRACE_STEP, "[Kivra] Insert profile type action!\n");
        if (InsertAction(actionTypeProfile, m_pProfData))
            ActionExec();
    }
    TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::ConnectPreviousProfileSetting\n");
}

void CHideDlg::InitCard_SetOidFromReg(BOOL bSetAdvance, BOOL bConnect)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::InitCard_SetOidFromReg\n");
    if (!G_bReConnect) {
        TraceMsg(TRACE_STEP, "[Kivra] G_bReConnect is FALSE!\n");
        TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::InitCard_SetOidFromReg\n");
        return;
    }
    std::memset(G_pProfileBuffer, 0, sizeof(WLANPROFILE));
    VXWL_U32 wps = 0;
    G_VxWlLib.VXWL_ReadWPSFlag(&wps);
    WPS_MODE mode {};
    WPS_PROFILE list {};
    G_VxWlLib.VXWL_ReadWPSProfile(&mode, &list);
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_ReadCCX2Cont()\n");
    G_VxWlLib.VXWL_ReadCCX2Cont(&G_pProfileBuffer->CCX2Control);
    TraceMsg(TRACE_STEP, "[Kivra] VXWL_ReadCCX2Cont() return...\n");
    DumpCCX2Ctrl(&G_pProfileBuffer->CCX2Control);
    if (bSetAdvance)
        apply_advance_settings();
    CPageProfileDlg* const profiles = m_pVxUI ? m_pVxUI->m_pPageProfileDlg : nullptr;
    if (profiles)
        profiles->m_bActiveProfile = FALSE;
    bool const wps_connect = wps && list.ProfileCnt > 0 && G_VxWlLib.VXWL_IsZeroConfig() != VXWL_ZERO_CONFIG_SYSTEM;
    if (wps) {
        TraceMsg(TRACE_STEP, "[Kivra] WPS flag is TRUE\n");
    } else {
        TraceMsg(TRACE_STEP, "[Kivra] WPS flag is FALSE\n");
        read_active_profile();
    }
    if (wps_connect) {
        TraceMsg(TRACE_STEP, "[Kivra] call VXWL_StopAuth()\n");
        G_VxWlLib.VXWL_StopAuth();
        connect_wps_entry(list);
        UINT const rotate_ms = UINT(std::max(0, G_VxWlLib.nWPSRotatePeriod)) * 1000u;
        TraceMsg(TRACE_STEP, "[Kivra] call SetTimer(), TIMER_HIDE_DLG_WPS_ROTATE, %dms\n", int(rotate_ms));
        SetTimer(TIMER_HIDE_DLG_WPS_ROTATE, rotate_ms);
    } else if (bConnect == 1) {
        TraceMsg(TRACE_STEP, "[Kivra] bConnect is TRUE\n");
        TraceMsg(TRACE_STEP, "[Kivra] Insert profile type action!\n");
        if (InsertAction(actionTypeProfile, G_pProfileBuffer))
            ActionExec();
    }
    TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::InitCard_SetOidFromReg\n");
}

void CHideDlg::apply_advance_settings()
{
    TraceMsg(TRACE_STEP, "[Kivra] bSetAdvance is TRUE\n");
    ADVANCE_CONFIG_DATA config {};
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_ReadAdvanceCfgData()\n");
    G_VxWlLib.VXWL_ReadAdvanceCfgData(&config);
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_ReadAdvanceCfgData() return...\n");
    DumpAdvanceCfg(&config);
    ADVANCE_OID const oid = BuildAdvanceOid(config);
    TraceMsg(TRACE_STEP, "[Kivra] Before call VXWL_SetAdvanceSetting()...\n");
    DumpAdvanceOID(&oid);
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_SetAdvanceSetting()\n");
    G_VxWlLib.VXWL_SetAdvanceSetting(oid);
    G_VxWlLib.VXWL_QuerySTAConfig(&G_pProfileBuffer->configSta);
    G_pProfileBuffer->nCountryRegion = config.CountryRegionABand * 256 + config.CountryRegion;
}

void CHideDlg::read_active_profile()
{
    char name[PROFILE_NAME_SIZE + 1] {};
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_ReadActiveProfileName()\n");
    G_VxWlLib.VXWL_ReadActiveProfileName(name);
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_ReadProfileData()\n");
    G_VxWlLib.VXWL_ReadProfileData(G_pProfileBuffer, name);
    CPageProfileDlg* const profiles = m_pVxUI ? m_pVxUI->m_pPageProfileDlg : nullptr;
    if (!profiles)
        return;
    profiles->m_bActiveProfile = name[0] != '\0';
    profiles->m_strProfile = name;
    TraceMsg(TRACE_STEP, "[Kivra] m_pPageProfileDlg->m_bActiveProfile = %d, m_pPageProfileDlg->m_strProfile = %s\n",
        int(profiles->m_bActiveProfile), name);
}

void CHideDlg::ProcReConnect()
{
    KillTimer(TIMER_HIDE_DLG_RECONNECT);
    InitCard_SetOidFromReg(FALSE, TRUE);
}
