// CVxUI2008Dlg: the routes between pages (DLG_MSG_EXCHANGE, CHANGE_DLG_PAGE), the connection
// requests passed on to the hidden dialog (ACTION_INSERT_EXEC), and the WPS profile import.
#include "station/app/VxUI2008Dlg.h"

#include "station/app/HideDlg.h"
#include "station/app/WpsImport.h"
#include "station/controls/CTabDialog.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/Helpers.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageAdvanceDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageSystemConfigDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/survey/LinkStatusDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <algorithm>
#include <memory>

namespace {

constexpr char const* kPageNames[] = { "PAGE_ADVANCE_DLG", "PAGE_WMM_DLG", "PAGE_STATISTICS_DLG", "PAGE_CCXCFG_DLG",
    "PAGE_WPS_DLG", "PAGE_SSO_DLG", "PAGE_LINK_STATUS" };
constexpr int kZeroConfigOwnsAdapter = 2;

HWND hide_dialog_window()
{
    return g_pHideDlg ? g_pHideDlg->m_hWnd : nullptr;
}

void click(CWnd* button)
{
    if (button && button->m_hWnd)
        button->SendMessage(BM_CLICK);
}

bool all_zero(std::uint8_t const* bytes, std::size_t count)
{
    return std::all_of(bytes, bytes + count, [](std::uint8_t b) { return b == 0; });
}

}

// The hidden dialog queues and runs the action before this returns.
void CVxUI2008Dlg::on_action_insert_exec(WPARAM wParam, LPARAM lParam)
{
    TraceMsg(TRACE_TICK, "[Kivra] Receive ACTION_INSERT_EXEC message\n");
    if (HWND const hide = hide_dialog_window())
        ::SendMessage(hide, ACTION_INSERT_EXEC, wParam, lParam);
}

// [SECTION] CHANGE_DLG_PAGE

void CVxUI2008Dlg::on_change_dlg_page(WPARAM wParam)
{
    TraceMsg(TRACE_STEP, "[Kivra] Receive CHANGE_DLG_PAGE message\n");
    if (wParam == PAGE_PROFILE) {
        TraceMsg(TRACE_STEP, "[Kivra] wParam: PAGE_PROFILE\n");
        CShadeButtonST* const profile = kind_button(BTN_PROFILE);
        // A profile button outside the sequence never moves: one scroll per button is enough
        // to bring any registered one into view.
        std::size_t const bound = all_registered().size();
        for (std::size_t i = 0; profile && profile->m_nOrder < 1 && i < bound; ++i)
            OnLeft();
        click(profile);
        if (m_pPageProfileDlg)
            m_pPageProfileDlg->RefreshProfileList();
    } else if (wParam == PAGE_ADVANCE) {
        TraceMsg(TRACE_STEP, "[Kivra] wParam: PAGE_ADVANCE\n");
        click(kind_button(BTN_ADVANCE));
    }
}

// [SECTION] DLG_MSG_EXCHANGE

void CVxUI2008Dlg::on_dlg_msg_exchange(WPARAM wParam, LPARAM lParam)
{
    TraceMsg(TRACE_STEP, "[Kivra] Receive DLG_MSG_EXCHANGE message\n");
    if (wParam >= std::size(kPageNames))
        return;
    TraceMsg(TRACE_STEP, "[Kivra] wParam: %s\n", kPageNames[wParam]);
    switch (int(wParam)) {
    case PAGE_ADVANCE_DLG:
        if (lParam == 0 && m_pPageSiteSurveyDlg && m_pPageSiteSurveyDlg->m_hWnd)
            click(m_pPageSiteSurveyDlg->GetDlgItem(CPageSiteSurveyDlg::IDC_RESCAN));
        else if (lParam == ON_APPLY_NOW_XP)
            on_apply_now_xp();
        return;
    case PAGE_WMM_DLG:
        if (m_pPageSiteSurveyDlg)
            m_pPageSiteSurveyDlg->StartConnectStatusTimer();
        return;
    case PAGE_STATISTICS_DLG:
        if (m_pLinkStatusDlg) {
            m_pLinkStatusDlg->m_lTxCount = 0;
            m_pLinkStatusDlg->m_lRxCount = 0;
        }
        return;
    case PAGE_CCXCFG_DLG:
    case PAGE_SSO_DLG: return on_set_oid_from_reg(lParam, "[Kivra] call CPageProfileDlg::SetOidFromReg()\n");
    case PAGE_WPS_DLG: return on_wps_exchange(lParam);
    case PAGE_LINK_STATUS:
        if (lParam == ON_DBM_CHECK) {
            TraceMsg(TRACE_STEP, "[Kivra] lParam: ON_DBM_CHECK\n");
            if (m_pLinkStatusDlg && m_pPageSiteSurveyDlg)
                m_pLinkStatusDlg->m_bShowDbm = m_pPageSiteSurveyDlg->m_bShowDbm;
        }
        return;
    default: return;
    }
}

void CVxUI2008Dlg::on_set_oid_from_reg(LPARAM lParam, char const* call_trace)
{
    if (lParam != SET_OID_FROM_REG)
        return;
    TraceMsg(TRACE_STEP, "[Kivra] lParam: SET_OID_FROM_REG\n");
    TraceMsg(TRACE_STEP, call_trace);
    if (m_pPageProfileDlg)
        m_pPageProfileDlg->SetOidFromReg(FALSE);
}

void CVxUI2008Dlg::on_wps_exchange(LPARAM lParam)
{
    if (lParam == SET_OID_FROM_REG)
        return on_set_oid_from_reg(lParam, "[Kivra] call CPageProfileDlg::SetOidFromReg(FALSE)\n");
    if (lParam != 0) {
        TraceMsg(TRACE_STEP, "[Kivra] lParam: %d\n", int(lParam));
        TraceMsg(TRACE_STEP, "[Kivra] call WPS_ImportProfile()\n");
        return WPS_ImportProfile();
    }
    TraceMsg(TRACE_STEP, "[Kivra] lParam: 0\n");
    if (G_VxWlLib.VXWL_GetWinOS() < 10 && G_VxWlLib.VXWL_IsZeroConfig() == kZeroConfigOwnsAdapter)
        return;
    VXWL_U32 flag = 0;
    G_VxWlLib.VXWL_ReadWPSFlag(&flag);
    if (flag != 1 || !g_pHideDlg)
        return;
    TraceMsg(TRACE_STEP, "[Kivra] WPS flag is TRUE, call CHideDlg::ConnectWpsProfile()\n");
    g_pHideDlg->ConnectWpsProfile();
}

// [SECTION] The advanced page's Apply on older systems

void CVxUI2008Dlg::on_apply_now_xp()
{
    TraceMsg(TRACE_STEP, "[Kivra] lParam: ON_APPLY_NOW_XP\n");
    WLANPROFILE* const profile = g_pHideDlg ? g_pHideDlg->m_pProfData : nullptr;
    if (m_pPageAdvanceDlg && m_pPageAdvanceDlg->m_bSwitched == 1 && profile)
        reconnect_after_apply(*profile);
    // FIXME: the profile editor's system-configuration tab takes the station configuration's
    // ad hoc mode here, in every case, once the tab exists.
}

// The wireless mode, a country region or the bandwidth changed: the link is dropped and made
// again with the current profile, by name or address when the system's service runs the adapter.
void CVxUI2008Dlg::reconnect_after_apply(WLANPROFILE& profile)
{
    CPageAdvanceDlg& advance = *m_pPageAdvanceDlg;
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_Disassociate()\n");
    G_VxWlLib.VXWL_Disassociate();
    TraceMsg(TRACE_STEP, "[Kivra] call DelayTime(100)\n");
    DelayTime(100);
    if (G_VxWlLib.VXWL_IsZeroConfig() == kZeroConfigOwnsAdapter) {
        if (profile.bBssid == 0 && profile.SSID.SsidLength != 0) {
            advance.m_nActionType = actionTypeSSID;
            advance.m_pActionData = &profile.SSID;
        } else if (profile.bBssid != 0 && !all_zero(profile.BSSID, sizeof profile.BSSID)) {
            advance.m_nActionType = actionTypeBSSID;
            advance.m_pActionData = profile.BSSID;
        } else {
            NDIS_802_11_SSID none {};
            none.SsidLength = NDIS_SSID_MAX;
            G_VxWlLib.VXWL_SetSSID(none);
            VXWL_U32 word = 0;
            if (G_VxWlLib.VXWL_ReadCCX2Cont(&word))
                G_VxWlLib.VXWL_SetCCXInfo(1, word);
            return;
        }
        if (HWND const hide = hide_dialog_window())
            ::SendMessage(hide, ACTION_INSERT_EXEC, SEND_BY_ADVANCE_DLG, 0);
        return;
    }
    advance.m_nActionType = actionTypeProfile;
    advance.m_ProfData = profile;
    advance.m_pActionData = &advance.m_ProfData;
    profile.bSetAdvance = 0;
    if (profile.bBssid == 0) {
        if (HWND const hide = hide_dialog_window())
            ::PostMessage(hide, ACTION_INSERT_EXEC, SEND_BY_ADVANCE_DLG, 0);
        return;
    }
    TraceMsg(TRACE_STEP, "[Kivra] Switch country region, do scan before connect BSSID!\n");
    m_bScanAfterAdvanceChange = TRUE;
    if (m_pPageSiteSurveyDlg && m_pPageSiteSurveyDlg->m_hWnd)
        click(m_pPageSiteSurveyDlg->GetDlgItem(CPageSiteSurveyDlg::IDC_RESCAN));
}

// [SECTION] WPS profile import

void CVxUI2008Dlg::WPS_ImportProfile()
{
    WPS_MODE mode {};
    auto record = std::make_unique<WPS_PROFILE>();
    G_VxWlLib.VXWL_ReadWPSProfile(&mode, record.get());
    std::uint32_t const count = std::min<std::uint32_t>(record->ProfileCnt, WPS_MAX_CREDENTIALS);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!m_pProfileEditorDlg || !m_pProfileEditorDlg->m_pPageSystemConfigDlg)
            return;
        CProfileEditorDlg& editor = *m_pProfileEditorDlg;
        preset_profile_editor(editor, false);
        WpsProfileEntries const entries = map_wps_credential(record->Profile[i]);
        CPageSystemConfigDlg& sys = *editor.m_pPageSystemConfigDlg;
        sys.m_strSSID = entries.ssid.c_str();
        station::profiles::AuthEncryState& tab = editor.m_pPageAuthEncryDlg->m_model.state;
        if (entries.authentication)
            tab.auth = *entries.authentication;
        if (entries.encryption)
            tab.cipher = *entries.encryption;
        if (entries.default_key) {
            tab.default_key = *entries.default_key;
            tab.wep_key_type = entries.key_types;
            tab.wep_key = entries.keys;
        }
        if (entries.psk)
            tab.psk_key = *entries.psk;
        sys.RefreshControls();
        editor.m_pPageAuthEncryDlg->RefreshControls();
        editor.OnOK();
    }
}
