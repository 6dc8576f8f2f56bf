// CHideDlg: the private messages the WLAN library, the status callback and the pages post to
// the hidden dialog. Most are passed on to the page that shows their news, and only while
// the configuration window exists: without it nobody would see them.
#include "station/app/HideDlg.h"

#include "station/app/VxUI2008Dlg.h"
#include "station/core/HideDlgIds.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageCCXConfigDlg.h"
#include "station/features/PageWPSDlg.h"
#include "station/survey/LinkStatusDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

namespace {

constexpr UINT kReconnectMs = 4000;
constexpr VXWL_U32 kOidAssociatedBssid = 0x0D010101;

}

// Posts the message unchanged to `page` while the window and the page exist.
bool CHideDlg::relay(CWnd* page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!config_window_alive() || !page || !page->m_hWnd)
        return false;
    return page->PostMessage(message, wParam, lParam) != FALSE;
}

LRESULT CHideDlg::OnScanFailed(WPARAM wParam, LPARAM lParam)
{
    if (!config_window_alive())
        return 0;
    relay(m_pVxUI->site_survey_page(), VXWL_MSG_SCAN_FAILED, wParam, lParam);
    relay(m_pVxUI->m_pPageWPSDlg, VXWL_MSG_SCAN_FAILED, wParam, lParam);
    return 0;
}

// FIXME: on systems 12 and later the radio going off also leaves the access point mode; that
// comes with the mode-switching commands.
LRESULT CHideDlg::OnTurnOffRadio(WPARAM, LPARAM)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::OnTurnOffRadio\n");
    if (config_window_alive() && m_pVxUI->kind_button(BTN_RADIO))
        m_pVxUI->ShowRadioIcon(FALSE);
    leave_ap_client_on_radio_off();
    return 0;
}

LRESULT CHideDlg::OnCcxDiagnostic4(WPARAM wParam, LPARAM lParam)
{
    relay(m_pVxUI ? m_pVxUI->m_pPageCCXConfigDlg : nullptr, VXWL_MSG_CCX_DIAG_FIRST, wParam, lParam);
    return 0;
}

LRESULT CHideDlg::OnCcxDiagnostic5(WPARAM wParam, LPARAM lParam)
{
    relay(m_pVxUI ? m_pVxUI->m_pPageCCXConfigDlg : nullptr, VXWL_MSG_CCX_DIAG_FIRST + 1, wParam, lParam);
    return 0;
}

LRESULT CHideDlg::OnCcxDiagnostic6(WPARAM wParam, LPARAM lParam)
{
    relay(m_pVxUI ? m_pVxUI->m_pPageCCXConfigDlg : nullptr, VXWL_MSG_CCX_DIAG_FIRST + 2, wParam, lParam);
    return 0;
}

LRESULT CHideDlg::OnCcxDiagnostic7(WPARAM wParam, LPARAM lParam)
{
    relay(m_pVxUI ? m_pVxUI->m_pPageCCXConfigDlg : nullptr, VXWL_MSG_CCX_DIAG_LAST, wParam, lParam);
    return 0;
}

LRESULT CHideDlg::OnReConnectMsg(WPARAM, LPARAM)
{
    TraceMsg(TRACE_STEP, "[Kivra] call SetTimer(), TIMER_HIDE_DLG_RECONNECT, 4sec\n");
    m_nTimerReconnect = SetTimer(TIMER_HIDE_DLG_RECONNECT, kReconnectMs);
    return 0;
}

LRESULT CHideDlg::OnIgnoredMsg(WPARAM, LPARAM) { return 0; }

// The system's EAP settings window is modal to nothing of ours: the configuration window is
// kept from input while it shows.
LRESULT CHideDlg::OnEnableConfigUI(WPARAM wParam, LPARAM)
{
    if (config_window_alive())
        m_pVxUI->EnableWindow(wParam == 1);
    return 0;
}

LRESULT CHideDlg::OnResumeConnect(WPARAM, LPARAM)
{
    if (config_window_alive())
        relay(m_pVxUI->site_survey_page(), VXWL_MSG_EAP_CONFIG_DONE, 0, 0);
    return 0;
}

LRESULT CHideDlg::OnPrivateMsg(WPARAM, LPARAM)
{
    VXWL_U32 value = 0;
    G_VxWlLib.VXWL_QueryPrivateMsg(&value);
    G_bWepError = (value & 1) ? TRUE : FALSE;
    if (config_window_alive() && m_pVxUI->m_pLinkStatusDlg)
        m_pVxUI->m_pLinkStatusDlg->m_bICVError = G_bWepError;
    return 0;
}

// The link is up: a WEP infrastructure profile gets its keys again, and the WPS page learns
// which access point the adapter joined.
LRESULT CHideDlg::OnNdisStatusMediaConnectMessage(WPARAM, LPARAM)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::OnNdisStatusMediaConnectMessage\n");
    WLANPROFILE profile {};
    bool const wep = CopyProfile(profile) && profile.enumNetworkType == 1 && profile.enumEncryStatus == ENC_WEP
        && profile.b8021X == 0;
    if (wep && G_VxWlLib.VXWL_SetWEPKey)
        G_VxWlLib.VXWL_SetWEPKey(&profile);
    BYTE bssid[6] {};
    VXWL_U32 returned = 0;
    G_VxWlLib.VXWL_OIDQueryInfo(kOidAssociatedBssid, bssid, sizeof bssid, &returned);
    if (config_window_alive() && m_pVxUI->m_pPageWPSDlg)
        std::copy(std::begin(bssid), std::end(bssid), m_pVxUI->m_pPageWPSDlg->m_ConnectedBssid);
    TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::OnNdisStatusMediaConnectMessage\n");
    return 0;
}
