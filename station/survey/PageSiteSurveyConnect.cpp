// CPageSiteSurveyDlg: the road from Connect to a queued connection. The chosen network's
// security is digested, a network the adapter cannot join is refused, and then a hidden
// network first gets its name from the hidden-network prompt, a secured one its settings from
// the security editor, an open one is connected at once; all three end in LoadProfile, whose
// record SurveyConnect.h builds.
#include "station/survey/PageSiteSurveyDlg.h"

#include "station/core/ActionQueue.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgIds.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/survey/SurveyList.h"

#include <cstring>

namespace {

constexpr int kZeroConfigOwnsAdapter = 2;
constexpr int kCckm = 8;

}

// [SECTION] Connect

void CPageSiteSurveyDlg::OnConnect()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageSiteSurveyDlg::OnConnect\n");
    if (hide_dlg_services().peap_setting_visible())
        send_to_window(MSG_SHOW_PEAPSETTING, 0, 0);
    m_nWPA = 0;
    m_nNetworkType = 1;
    m_bHiddenSsid = FALSE;
    if (connect_preconditions() && digest_chosen_entry()) {
        if (m_pDesiredBssid->InfrastructureMode == 1 && m_pDesiredBssid->Ssid.SsidLength == 0) {
            send_to_window(MSG_SHOW_HIDDENSSID, 2, 0);
            m_bHiddenSsid = TRUE;
            TraceMsg(TRACE_STEP, "[Kivra] Show hidden SSID dialog\n");
        } else if (m_bSecurity) {
            send_to_window(MSG_SHOW_SECURITYEDITOR, 2, 0);
            TraceMsg(TRACE_STEP, "[Kivra] m_bSecurity is TRUE, show security editor dialog\n");
        } else {
            send_to_window(MSG_SHOW_AUTHSTATUS, 0, 0);
            LoadProfile();
        }
    }
    TraceMsg(TRACE_STEP, "[Kivra] <-- CPageSiteSurveyDlg::OnConnect\n");
}

// Everything that ends the attempt before the entry is read: false to stop.
bool CPageSiteSurveyDlg::connect_preconditions()
{
    if (G_VxWlLib.VXWL_GetWinOS() < 10 && G_VxWlLib.VXWL_IsZeroConfig() == kZeroConfigOwnsAdapter) {
        TraceMsg(TRACE_STEP, "[Kivra] Is ZeroConfig!\n");
        return false;
    }
    // The selected row's own entry: a row without one (the scan-wait row) is no selection.
    int const row = selected_row();
    if (row < 0 || !EntryOfRow(row)) {
        ShowMessageBox(G_UiStr.IDS_NOSELECTEDITEM);
        return false;
    }
    std::uint32_t count = 0;
    std::memcpy(&count, m_pBssidList.get(), sizeof count);
    if (count == 0) {
        TraceMsg(TRACE_STEP, "[Kivra] m_pBssidList->NumberOfItems is 0!\n");
        return false;
    }
    UpdateControlState();
    if (!m_btnConnect.m_hWnd || !m_btnConnect.IsWindowEnabled())
        return false;
    if (!choose_entry(row))
        return false;
    std::memset(m_pProfile.get(), 0, sizeof(WLANPROFILE));
    m_Pending.nAuthenMode = AUTH_OPEN;
    m_Pending.nEncryStatus = ENC_NONE;
    return true;
}

// Security flag, cipher text, security mode and network type of the chosen entry, then the
// refusal of a WPA-family network on an adapter without WPA (false).
bool CPageSiteSurveyDlg::digest_chosen_entry()
{
    IE_INFO_WPA digest {};
    G_VxWlLib.VXWL_ParseInfoElement(m_pDesiredBssid, &digest);
    m_bSecurity = FALSE;
    if (m_pDesiredBssid->Privacy || digest.nAuthentication || digest.nEncryption) {
        m_strEncryption = station::survey::CipherText(digest.nEncryption).c_str();
        m_bSecurity = TRUE;
    }
    bool const cckm = digest.bCCKM && G_VxWlLib.VXWL_GetWinOS() >= 10;
    m_nWPA = cckm ? kCckm : station::survey::AuthBitsToWPAMode(digest.nAuthentication);
    m_nNetworkType = int(m_pDesiredBssid->InfrastructureMode);
    TraceMsg(TRACE_STEP,
        "[Kivra] m_pDesiredBssid->Privacy = %d, m_bSecurity = %d, m_nWPA = %d, m_strEncryption = %s, m_nNetworkType = %d\n",
        int(m_pDesiredBssid->Privacy), int(m_bSecurity), m_nWPA, m_strEncryption.GetString(), m_nNetworkType);
    if (!refused_without_wpa(digest.nAuthentication))
        return true;
    TraceMsg(TRACE_STEP, "[Kivra] Authen mode is above WPA and VXWL_IsWpaCapable() return FALSE\n");
    return false;
}

// WPA, WPA-PSK, WPA-None, WPA2 and WPA2-PSK need the adapter's WPA; WPA2-None and WAPI do not.
bool CPageSiteSurveyDlg::refused_without_wpa(std::uint32_t authentication) const
{
    if (G_VxWlLib.VXWL_IsWpaCapable())
        return false;
    switch (authentication) {
    case IE_AUTH_WPA:
    case IE_AUTH_WPA_PSK:
    case IE_AUTH_WPA_NONE:
    case IE_AUTH_WPA2:
    case IE_AUTH_WPA2_PSK: return true;
    default: break;
    }
    return (authentication & (IE_AUTH_WPA | IE_AUTH_WPA_PSK | IE_AUTH_WPA2 | IE_AUTH_WPA2_PSK)) != 0;
}

// [SECTION] The profile

void CPageSiteSurveyDlg::ResetSecuritySettings()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageSiteSurveyDlg::ResetSecuritySettings\n");
    m_Pending.Reset();
}

void CPageSiteSurveyDlg::LoadProfile()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageSiteSurveyDlg::LoadProfile\n");
    station::survey::ConnectInput input;
    input.entry = m_pDesiredBssid;
    input.nWPA = m_nWPA;
    input.hidden = m_bHiddenSsid;
    input.wpa_capable = G_VxWlLib.VXWL_IsWpaCapable() != 0;
    input.win_os = G_VxWlLib.VXWL_GetWinOS();
    input.admin = G_VxWlLib.VXWL_DetectUserAdmin() != 0;
    G_VxWlLib.VXWL_ReadPSMode(&input.ps_mode);
    auto const plan = station::survey::BuildSurveyProfile(input, m_Pending, m_HiddenSsid, *m_pProfile);
    if (!plan.ok) {
        TraceMsg(TRACE_FAIL, "[Kivra] CPageSiteSurveyDlg::LoadProfile: %s, nothing is connected\n", plan.refusal.c_str());
        return;
    }
    G_VxWlLib.VXWL_WriteWPSFlag(0);
    m_nActionType = actionTypeProfile;
    m_pActionData = m_pProfile.get();
    if (plan.eap_config_ui)
        start_eap_configuration();
    hide_dlg_services().clear_active_profile();
    send_to_window(MSG_SHOW_PROFILEEDITOR, 0, 0);
    if (plan.reset_settings)
        G_VxWlLib.VXWL_ResetToDefaultConnecctionSetting();
    if (plan.queue_now)
        send_to_window(ACTION_INSERT_EXEC, SEND_BY_SITESURVEY_DLG, 0);
}

// The configuration window stays disabled until the library's MSG_ENABLE_CONFIG_UI (1), which
// it sends when the system's EAP configuration window has closed, done or cancelled.
void CPageSiteSurveyDlg::start_eap_configuration()
{
    if (HWND hide = hide_dlg_services().hide_dialog())
        ::PostMessage(hide, MSG_ENABLE_CONFIG_UI, 0, 0);
    WLANPROFILE& record = *m_pProfile;
    int const result = G_VxWlLib.VXWL_StartEapHostPeerInvokeConfigUI("", &record.dwLenEapFastConfigBlob,
        record.pEapFastConfigBlob);
    TraceMsg(TRACE_STEP, "[Kivra] VXWL_StartEapHostPeerInvokeConfigUI() return %d\n", result);
}

// MSG_SURVEY_CONNECT: the EAP configuration is done; the held-back connection is queued.
LRESULT CPageSiteSurveyDlg::OnInsertActionExec(WPARAM, LPARAM)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageSiteSurveyDlg::OnInsertActionExec\n");
    send_to_window(ACTION_INSERT_EXEC, SEND_BY_SITESURVEY_DLG, 0);
    return 0;
}
