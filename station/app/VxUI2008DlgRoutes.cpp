// CVxUI2008Dlg: the window procedure, and the routes of the MSG_SHOW family, by which the pages
// and the lower dialogs ask the window to show a lower child and hand it what it shows. The
// routes of the exchange between pages are in VxUI2008DlgExchange.cpp.
#include "station/app/VxUI2008Dlg.h"

#include "station/app/HideDlg.h"
#include "station/controls/CInvalidIDPW.h"
#include "station/core/BssidQuery.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/features/AddBlockAckDlg.h"
#include "station/features/DeleteBlockAckDlg.h"
#include "station/features/PageAdvanceDlg.h"
#include "station/features/PageCCXConfigDlg.h"
#include "station/features/PageWPSDlg.h"
#include "station/features/PageWPSProfile.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PeapSettingDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "station/survey/APDetailInfoDlg.h"
#include "station/survey/AuthenStatusDlg.h"
#include "station/survey/HiddenSsidDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include "platform/user/Utf8.h"

#include <cstring>
#include <functional>
#include <memory>
#include <utility>

namespace {

// The trace names of the MSG_SHOW family, from MSG_SHOW_WPSINFO on.
constexpr char const* kShowNames[] = { "MSG_SHOW_WPSINFO", "MSG_SHOW_ADDBADLG", "MSG_SHOW_DELBADLG",
    "MSG_SHOW_PROFILEEDITOR", "MSG_SHOW_HIDDENSSID", "MSG_SHOW_SECURITYEDITOR", "MSG_SHOW_PEAPSETTING",
    "MSG_SHOW_INVALIDIDPW", "MSG_SHOW_AUTHSTATUS", "MSG_SHOW_WPSPROFILE" };
static_assert(std::size(kShowNames) == MSG_SHOW_WPSPROFILE - MSG_SHOW_WPSINFO + 1);

// The delete dialog's three mode members for lParam 1 to 4, in its declaration order.
struct DeleteModes {
    int direction;
    int delete_all;
    int delete_one;
};
constexpr DeleteModes kDeleteModes[] = { { 1, 0, 1 }, { 1, 1, 0 }, { 0, 0, 1 }, { 0, 1, 0 } };

// The WPS information sources: wParam 1 the WPS page, 2 the site survey page.
constexpr WPARAM kFromWpsPage = 1;
constexpr WPARAM kFromSurveyPage = 2;

int focused_row(CListCtrl& list)
{
    return list.m_hWnd ? list.GetNextItem(-1, LVNI_FOCUSED) : -1;
}

// The entry of `focused`, or else the first row's entry that there is; null for a list
// without entries.
NDIS_WLAN_BSSID_EX const* entry_for_detail(int focused, int rows, std::function<NDIS_WLAN_BSSID_EX const*(int)> entry_of)
{
    if (NDIS_WLAN_BSSID_EX const* entry = focused >= 0 ? entry_of(focused) : nullptr)
        return entry;
    for (int row = 0; row < rows; ++row)
        if (NDIS_WLAN_BSSID_EX const* entry = entry_of(row))
            return entry;
    return nullptr;
}

}

LRESULT CVxUI2008Dlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    TraceMsg(TRACE_TICK, "[Kivra] --> CVxUI2008Dlg::WindowProc\n");
    m_bSkipClosingTrace = false;
    route(message, wParam, lParam);
    if (!std::exchange(m_bSkipClosingTrace, false))
        TraceMsg(TRACE_TICK, "[Kivra] <-- CVxUI2008Dlg::WindowProc\n");
    return CResizeDlg::WindowProc(message, wParam, lParam);
}

// Decodes and forwards only; the default processing always follows in WindowProc.
void CVxUI2008Dlg::route(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= MSG_SHOW_WPSINFO && message <= MSG_SHOW_WPSPROFILE)
        TraceMsg(TRACE_STEP, "[Kivra] Msg:%s wParam: %d, lParam: %d\n", kShowNames[message - MSG_SHOW_WPSINFO],
            int(wParam), int(lParam));
    switch (message) {
    case ACTION_INSERT_EXEC: return on_action_insert_exec(wParam, lParam);
    case CHANGE_DLG_PAGE: return on_change_dlg_page(wParam);
    case DLG_MSG_EXCHANGE: return on_dlg_msg_exchange(wParam, lParam);
    case MSG_SHOW_WPSINFO: return on_show_wps_info(wParam);
    case MSG_SHOW_ADDBADLG: return on_show_add_ba(wParam, lParam);
    case MSG_SHOW_DELBADLG: return on_show_delete_ba(wParam, lParam);
    case MSG_SHOW_PROFILEEDITOR: return on_show_profile_editor(wParam, lParam);
    case MSG_SHOW_HIDDENSSID: return on_show_hidden_ssid(wParam, lParam);
    case MSG_SHOW_SECURITYEDITOR: return on_show_security_editor(wParam, lParam);
    case MSG_SHOW_PEAPSETTING: return on_show_peap_setting(wParam);
    case MSG_SHOW_INVALIDIDPW: return on_show_invalid_idpw(wParam);
    case MSG_SHOW_AUTHSTATUS: return on_show_auth_status(wParam, lParam);
    case MSG_SHOW_WPSPROFILE: return on_show_wps_profile(wParam, lParam);
    default: return;
    }
}

// [SECTION] Access point detail and block acknowledgement

// The detail gets its own copy of the entry: the page rewrites its list every 2 seconds.
void CVxUI2008Dlg::on_show_wps_info(WPARAM wParam)
{
    if (wParam == 0)
        return ShowSubDialog(SUB_LINK_STATUS);
    NDIS_WLAN_BSSID_EX const* entry = nullptr;
    if (wParam == kFromSurveyPage && m_pPageSiteSurveyDlg) {
        CPageSiteSurveyDlg& page = *m_pPageSiteSurveyDlg;
        entry = entry_for_detail(focused_row(page.List()), page.RowCount(), [&](int row) { return page.EntryOfRow(row); });
    } else if (wParam == kFromWpsPage && m_pPageWPSDlg) {
        CPageWPSDlg& page = *m_pPageWPSDlg;
        entry = entry_for_detail(focused_row(page.m_listAP), int(page.ApRows().size()), [&](int row) { return page.EntryOfRow(row); });
    } else {
        return;
    }
    if (!entry || !m_pAPDetailInfoDlg)
        return;
    m_pAPDetailInfoDlg->SetBssidEntry(entry, entry->Length);
    ShowSubDialog(SUB_AP_DETAIL);
}

void CVxUI2008Dlg::on_show_add_ba(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0)
        return ShowSubDialog(SUB_LINK_STATUS);
    if (wParam != 3)
        return;
    if (m_pAddBlockAckDlg)
        m_pAddBlockAckDlg->m_nDirection = lParam == 1 ? 1 : 0;
    ShowSubDialog(SUB_ADD_BLOCK_ACK);
}

void CVxUI2008Dlg::on_show_delete_ba(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0)
        return ShowSubDialog(SUB_LINK_STATUS);
    if (wParam != 3)
        return;
    if (m_pDeleteBlockAckDlg && lParam >= 1 && lParam <= LPARAM(std::size(kDeleteModes))) {
        DeleteModes const& modes = kDeleteModes[lParam - 1];
        m_pDeleteBlockAckDlg->m_nDirection = modes.direction;
        m_pDeleteBlockAckDlg->m_nDeleteAll = modes.delete_all;
        m_pDeleteBlockAckDlg->m_nDeleteOne = modes.delete_one;
    }
    ShowSubDialog(SUB_DELETE_BLOCK_ACK);
}

// [SECTION] Editors and prompts

void CVxUI2008Dlg::on_show_profile_editor(WPARAM wParam, LPARAM lParam)
{
    CProfileEditorDlg* const editor = m_pProfileEditorDlg;
    switch (wParam) {
    case 0: return ShowSubDialog(SUB_LINK_STATUS);
    case 2: // Add to profile, from the site survey's chosen network
    case 4: // the profile page's Add
        if (editor)
            preset_profile_editor(*editor, wParam == 2);
        return ShowSubDialog(SUB_PROFILE_EDITOR);
    case 5: // the profile page's Edit of list row lParam
        if (editor && m_pPageProfileDlg && lParam >= 0 && lParam < m_pPageProfileDlg->RowCount()) {
            ProfileListItem const& row = m_pPageProfileDlg->Row(int(lParam));
            editor->EditProfile(row.strName, row.strID);
        }
        return ShowSubDialog(SUB_PROFILE_EDITOR);
    default: return;
    }
}

// Add and the site survey's add to profile: the tabs of a new profile, named and numbered by
// the profile page, from the chosen network for the site survey's.
void CVxUI2008Dlg::preset_profile_editor(CProfileEditorDlg& editor, bool from_survey)
{
    CString const id = m_pPageProfileDlg ? m_pPageProfileDlg->GetNextProfileIDText() : CString("1");
    CString const name = m_pPageProfileDlg ? m_pPageProfileDlg->GetDefaultProfileName() : CString();
    CPageSiteSurveyDlg* const survey = from_survey ? m_pPageSiteSurveyDlg : nullptr;
    if (survey && survey->m_pDesiredBssid)
        editor.PresetNewProfile(name, id, survey->m_pDesiredBssid, survey->m_nWPA, survey->m_strEncryption, survey->m_bSecurity);
    else
        editor.PresetNewProfile(name, id);
}

// The prompt's OK: the typed name goes into the site survey's SSID holder and the connection
// goes on, at once for an open network, through the security editor for a secured one. Cancel
// ends the attempt.
void CVxUI2008Dlg::on_show_hidden_ssid(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 2)
        return ShowSubDialog(SUB_HIDDEN_SSID);
    if (wParam != 0 || (lParam != 0 && lParam != 1))
        return;
    CPageSiteSurveyDlg* const page = m_pPageSiteSurveyDlg;
    if (lParam == 0 || !page || !m_pHiddenSsidDlg)
        return ShowSubDialog(SUB_LINK_STATUS);
    take_hidden_ssid(*page, m_pHiddenSsidDlg->m_strSSID);
    if (page->m_bSecurity != 1) {
        page->LoadProfile();
        return ShowSubDialog(SUB_LINK_STATUS);
    }
    SendMessage(MSG_SHOW_SECURITYEDITOR, 2, 0);
    m_bSkipClosingTrace = true;
}

// The holder keeps 32 bytes; a longer name is cut there, never inside a character.
void CVxUI2008Dlg::take_hidden_ssid(CPageSiteSurveyDlg& page, CString const& name)
{
    std::size_t const length = platform::utf8_cut_length(name.str(), NDIS_SSID_MAX);
    page.m_HiddenSsid = {};
    page.m_HiddenSsid.SsidLength = std::uint32_t(length);
    std::memcpy(page.m_HiddenSsid.Ssid, name.GetString(), length);
}

void CVxUI2008Dlg::on_show_security_editor(WPARAM wParam, LPARAM lParam)
{
    CPageSiteSurveyDlg* const page = m_pPageSiteSurveyDlg;
    if (wParam == 2 && lParam == 1) {
        if (page)
            page->ResetSecuritySettings();
        return;
    }
    if (wParam == 2) {
        if (page && m_pSecurityEditorDlg)
            m_pSecurityEditorDlg->PresetFromSurvey(page->m_pDesiredBssid, page->m_nWPA, page->m_strEncryption);
        return ShowSubDialog(SUB_SECURITY_EDITOR);
    }
    if (wParam != 0)
        return;
    // The editor's OK: its choices become the page's pending settings, which connect.
    if (lParam == 2 && page && m_pSecurityEditorDlg) {
        station::survey::TakeHandOver(page->m_Pending, m_pSecurityEditorDlg->m_HandOver, G_VxWlLib.VXWL_IsWpaCapable() != 0);
        page->LoadProfile();
    }
    ShowSubDialog(SUB_LINK_STATUS);
}

void CVxUI2008Dlg::on_show_peap_setting(WPARAM wParam)
{
    if (wParam == 0) {
        SSO_STATUS status {};
        G_VxWlLib.VXWL_ReadSSOStatus(&status);
        return ShowSubDialog(SUB_LINK_STATUS);
    }
    if (wParam != 8)
        return;
    if (m_pPeapSettingDlg) {
        // Worker threads write the current profile too: it is read through its lock.
        WLANPROFILE profile {};
        bool const has_profile = g_pHideDlg && g_pHideDlg->CopyProfile(profile);
        // The identity is read within its field, which a full one fills without a terminator.
        m_pPeapSettingDlg->m_strIdentity = has_profile ? DigestText(profile.chID).c_str() : "";
        m_pPeapSettingDlg->m_strPassword.Empty();
    }
    ShowSubDialog(SUB_PEAP_SETTING);
}

void CVxUI2008Dlg::on_show_invalid_idpw(WPARAM wParam)
{
    if (wParam == 8)
        ShowSubDialog(SUB_INVALID_IDPW);
    else if (wParam == 0)
        ShowSubDialog(SUB_LINK_STATUS);
}

// [SECTION] Authentication progress

void CVxUI2008Dlg::on_show_auth_status(WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case 0:
        if (lParam == 2 && m_pPageCCXConfigDlg)
            m_pPageCCXConfigDlg->StopDiagnostic();
        // The window's "OK" closes it only while it shows; it does not take another child's place.
        if (lParam == 3 && m_nCurrentSub != SUB_AUTHEN_STATUS)
            return;
        return ShowSubDialog(SUB_LINK_STATUS);
    case 9:
        ShowSubDialog(SUB_AUTHEN_STATUS);
        if (m_pAuthenStatusDlg && m_pPageCCXConfigDlg)
            m_pAuthenStatusDlg->AppendLine(DigestText(m_pPageCCXConfigDlg->m_chMessage).c_str());
        return;
    case 10: {
        bool const show = G_VxWlLib.VXWL_GetWinOS() < 10 && m_pPageAdvanceDlg && m_pPageAdvanceDlg->m_bShowAuthStatus;
        return ShowSubDialog(show ? SUB_AUTHEN_STATUS : SUB_LINK_STATUS);
    }
    default: return;
    }
}

// [SECTION] WPS profile dialog

void CVxUI2008Dlg::on_show_wps_profile(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 1) {
        if (fill_wps_profile_dialog())
            ShowSubDialog(SUB_WPS_PROFILE);
        return;
    }
    if (wParam != 0)
        return;
    if (lParam == 1)
        take_wps_profile_dialog();
    ShowSubDialog(SUB_LINK_STATUS);
}

// False, with nothing changed, when the page's focused row is not one of its credentials.
bool CVxUI2008Dlg::fill_wps_profile_dialog()
{
    CPageWPSDlg* const page = m_pPageWPSDlg;
    CPageWPSProfile* const dialog = m_pPageWPSProfile;
    if (!page || !dialog)
        return false;
    int const row = focused_row(page->m_listProfile);
    std::uint32_t const count = std::min<std::uint32_t>(page->m_WpsProfile.ProfileCnt, WPS_MAX_CREDENTIALS);
    if (row < 0 || std::uint32_t(row) >= count)
        return false;
    dialog->m_bEdit = FALSE;
    dialog->m_strSSID = page->m_strSSID;
    dialog->m_strBSSID = page->m_strBSSID;
    dialog->m_strAuth = page->m_strAuth;
    dialog->m_strEncr = page->m_strEncr;
    dialog->m_WpsProfile = page->m_WpsProfile;
    dialog->m_nSelIndex = row;
    WPS_CREDENTIAL const& credential = page->m_WpsProfile.Profile[row];
    dialog->m_strKeyMaterial.Empty();
    dialog->m_strKeyHex.Empty();
    dialog->m_strKeyAscii.Empty();
    if (credential.AuthType == 1 && credential.EncrType == 1) {
        dialog->m_nKeyLength = 0;
        return true;
    }
    dialog->m_nKeyLength = page->m_nKeyLength;
    dialog->m_strKeyLength.Format("%d", dialog->m_nKeyLength);
    dialog->m_strKeyIndex.Format("Key#%d", page->m_nKeyIndex);
    if (dialog->m_nKeyLength == 0)
        return true;
    if (credential.EncrType != 2) {
        std::size_t const length = std::min<std::size_t>(credential.KeyLength, sizeof credential.Key);
        dialog->m_strKeyMaterial = DigestText(reinterpret_cast<char const*>(credential.Key), length).c_str();
        return true;
    }
    // A WEP key of 5 or 13 characters is shown in both forms: its hexadecimal form is twice as long.
    if (dialog->m_nKeyLength == 5 || dialog->m_nKeyLength == 13) {
        dialog->m_nKeyLength *= 2;
        dialog->m_strKeyLength.Format("%d", dialog->m_nKeyLength);
    }
    dialog->m_strKeyHex = page->m_strKeyHex;
    dialog->m_strKeyAscii = page->m_strKeyAscii;
    dialog->m_bEdit = TRUE;
    return true;
}

// The dialog's OK: its edited credential replaces the page's at the same index, which must be
// one of the page's credentials; nothing is written back otherwise.
void CVxUI2008Dlg::take_wps_profile_dialog()
{
    CPageWPSDlg* const page = m_pPageWPSDlg;
    CPageWPSProfile* const dialog = m_pPageWPSProfile;
    if (!page || !dialog)
        return;
    std::uint32_t const count = std::min<std::uint32_t>(page->m_WpsProfile.ProfileCnt, WPS_MAX_CREDENTIALS);
    if (dialog->m_nSelIndex < 0 || std::uint32_t(dialog->m_nSelIndex) >= count)
        return;
    page->m_WpsProfile.Profile[dialog->m_nSelIndex] = dialog->m_WpsProfile.Profile[dialog->m_nSelIndex];
    page->WriteBackWpsProfiletoRegistry();
    page->DisplayWPSProfile();
}
