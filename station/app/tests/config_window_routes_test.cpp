// The configuration window's routing of the pages' private messages, as one table: for each
// message and parameters, the lower child shown, the member written and the call made; every
// message goes on to the default processing. Then the routes with more to them: the access
// point detail's entry, the advanced page's Apply and the WPS profile import's mapping.
#include "config_window_harness.h"

#include "platform/system/DebugOutput.h"
#include "station/app/WpsImport.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/tests/ScanFixtures.h"
#include "station/features/AddBlockAckDlg.h"
#include "station/features/DeleteBlockAckDlg.h"
#include "station/features/PageAdvanceDlg.h"
#include "station/features/PageCCXConfigDlg.h"
#include "station/features/PageWPSDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PageSystemConfigDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "wlan/profile/ProfileFields.h"
#include "station/features/PageWPSProfile.h"
#include "station/profiles/PeapSettingDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "station/survey/HiddenSsidDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/survey/APDetailInfoDlg.h"
#include "station/survey/LinkStatusDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"
#include "station/profiles/PageProfileDlg.h"

#include <algorithm>
#include <cstring>
#include <optional>

using station::testing::ConfigWindowTest;
using station::testing::Machine;
using station::testing::scan_entry;
using station::testing::ScanListBuffer;

namespace {

constexpr int kUnchanged = -1;

struct RouteCase {
    char const* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int start;                                     // lower child shown before the message
    int child;                                     // lower child after it, or kUnchanged
    char const* call;                              // a trace line the route writes, or null
    std::function<void(CVxUI2008Dlg&)> before {};  // set-up of members
    std::function<void(CVxUI2008Dlg&)> check {};   // the members written
};

// Fills the site survey page from a cache of three networks (last address bytes 1, 2, 3).
void fill_survey(CVxUI2008Dlg& window)
{
    ScanListBuffer list;
    list.add(scan_entry(1, 1)).add(scan_entry(2, 6)).add(scan_entry(3, 11));
    std::memcpy(G_VxWlLib.pBssidList, list.data(), BSSID_LIST_BUFFER_SIZE);
    window.site_survey_page()->RescanTimeFunc();
}

int detail_mac(CVxUI2008Dlg& window)
{
    auto const* entry = window.m_pAPDetailInfoDlg->m_pBssidEntry;
    return entry ? entry->MacAddress[5] : -1;
}

std::vector<RouteCase> route_cases()
{
    using W = CVxUI2008Dlg;
    return {
        { "wps info: link status", MSG_SHOW_WPSINFO, 0, 0, W::SUB_HIDDEN_SSID, W::SUB_LINK_STATUS, nullptr },
        { "wps info from the survey, no focused row: the first entry", MSG_SHOW_WPSINFO, 2, 0, W::SUB_LINK_STATUS, W::SUB_AP_DETAIL, nullptr,
            fill_survey, [](W& w) { EXPECT_EQ(detail_mac(w), 1); } },
        { "wps info from the survey, focused row 2", MSG_SHOW_WPSINFO, 2, 0, W::SUB_LINK_STATUS, W::SUB_AP_DETAIL, nullptr,
            [](W& w) {
                fill_survey(w);
                w.site_survey_page()->List().SetItemState(2, LVIS_FOCUSED, LVIS_FOCUSED);
            },
            [](W& w) { EXPECT_EQ(detail_mac(w), 3); } },
        { "wps info from an empty survey: nothing", MSG_SHOW_WPSINFO, 2, 0, W::SUB_LINK_STATUS, kUnchanged, nullptr,
            [](W& w) {
                std::memset(G_VxWlLib.pBssidList, 0, 4);
                w.site_survey_page()->RescanTimeFunc();
            } },
        { "wps info from the WPS page without rows: nothing", MSG_SHOW_WPSINFO, 1, 0, W::SUB_LINK_STATUS, kUnchanged, nullptr },
        { "wps info, unknown source", MSG_SHOW_WPSINFO, 5, 0, W::SUB_HIDDEN_SSID, kUnchanged, nullptr },
        { "add block ack as originator", MSG_SHOW_ADDBADLG, 3, 1, W::SUB_LINK_STATUS, W::SUB_ADD_BLOCK_ACK, nullptr, {},
            [](W& w) { EXPECT_EQ(w.m_pAddBlockAckDlg->m_nDirection, 1); } },
        { "add block ack as recipient", MSG_SHOW_ADDBADLG, 3, 0, W::SUB_LINK_STATUS, W::SUB_ADD_BLOCK_ACK, nullptr, {},
            [](W& w) { EXPECT_EQ(w.m_pAddBlockAckDlg->m_nDirection, 0); } },
        { "add block ack closed", MSG_SHOW_ADDBADLG, 0, 0, W::SUB_ADD_BLOCK_ACK, W::SUB_LINK_STATUS, nullptr },
        { "add block ack, unknown wParam", MSG_SHOW_ADDBADLG, 4, 1, W::SUB_HIDDEN_SSID, kUnchanged, nullptr },
        { "delete block ack mode 1", MSG_SHOW_DELBADLG, 3, 1, W::SUB_LINK_STATUS, W::SUB_DELETE_BLOCK_ACK, nullptr, {},
            [](W& w) { EXPECT_EQ(std::vector<int>({ w.m_pDeleteBlockAckDlg->m_nDirection, w.m_pDeleteBlockAckDlg->m_nDeleteAll, w.m_pDeleteBlockAckDlg->m_nDeleteOne }), std::vector<int>({ 1, 0, 1 })); } },
        { "delete block ack mode 2", MSG_SHOW_DELBADLG, 3, 2, W::SUB_LINK_STATUS, W::SUB_DELETE_BLOCK_ACK, nullptr, {},
            [](W& w) { EXPECT_EQ(std::vector<int>({ w.m_pDeleteBlockAckDlg->m_nDirection, w.m_pDeleteBlockAckDlg->m_nDeleteAll, w.m_pDeleteBlockAckDlg->m_nDeleteOne }), std::vector<int>({ 1, 1, 0 })); } },
        { "delete block ack mode 3", MSG_SHOW_DELBADLG, 3, 3, W::SUB_LINK_STATUS, W::SUB_DELETE_BLOCK_ACK, nullptr, {},
            [](W& w) { EXPECT_EQ(std::vector<int>({ w.m_pDeleteBlockAckDlg->m_nDirection, w.m_pDeleteBlockAckDlg->m_nDeleteAll, w.m_pDeleteBlockAckDlg->m_nDeleteOne }), std::vector<int>({ 0, 0, 1 })); } },
        { "delete block ack mode 4", MSG_SHOW_DELBADLG, 3, 4, W::SUB_LINK_STATUS, W::SUB_DELETE_BLOCK_ACK, nullptr, {},
            [](W& w) { EXPECT_EQ(std::vector<int>({ w.m_pDeleteBlockAckDlg->m_nDirection, w.m_pDeleteBlockAckDlg->m_nDeleteAll, w.m_pDeleteBlockAckDlg->m_nDeleteOne }), std::vector<int>({ 0, 1, 0 })); } },
        { "delete block ack, other mode leaves the members", MSG_SHOW_DELBADLG, 3, 9, W::SUB_LINK_STATUS, W::SUB_DELETE_BLOCK_ACK, nullptr,
            [](W& w) { w.m_pDeleteBlockAckDlg->m_nDirection = 7; },
            [](W& w) { EXPECT_EQ(w.m_pDeleteBlockAckDlg->m_nDirection, 7); } },
        { "delete block ack closed", MSG_SHOW_DELBADLG, 0, 0, W::SUB_DELETE_BLOCK_ACK, W::SUB_LINK_STATUS, nullptr },
        { "profile editor from the survey", MSG_SHOW_PROFILEEDITOR, 2, 1, W::SUB_LINK_STATUS, W::SUB_PROFILE_EDITOR,
            "[Kivra] --> CPageProfileDlg::GetNextProfileIDText", [](W& w) { w.m_pProfileEditorDlg->m_bNewProfile = FALSE; },
            [](W& w) { EXPECT_TRUE(w.m_pProfileEditorDlg->m_bNewProfile); } },
        { "profile editor: Add", MSG_SHOW_PROFILEEDITOR, 4, 0, W::SUB_LINK_STATUS, W::SUB_PROFILE_EDITOR,
            "[Kivra] --> CPageProfileDlg::GetDefaultProfileName",
            [](W& w) {
                w.m_pProfileEditorDlg->m_strOldProfileName = "Old";
                w.m_pProfileEditorDlg->m_bNewProfile = FALSE;
            },
            [](W& w) {
                EXPECT_TRUE(w.m_pProfileEditorDlg->m_strOldProfileName.IsEmpty());
                EXPECT_TRUE(w.m_pProfileEditorDlg->m_bNewProfile);
            } },
        { "profile editor: Edit", MSG_SHOW_PROFILEEDITOR, 5, 0, W::SUB_LINK_STATUS, W::SUB_PROFILE_EDITOR,
            "[Kivra] --> CProfileEditorDlg::LoadProfile",
            [](W& w) {
                WLANPROFILE p {};
                wlan::profile::write_text(p.strProfileName, "Edited");
                wlan::profile::write_ssid(p, "Edited net");
                p.nProfileID = 5;
                p.enumNetworkType = 1;
                p.enumEncryStatus = ENC_NONE;
                G_VxWlLib.VXWL_WriteProfile("", &p);
                w.m_pPageProfileDlg->RefreshProfileList(TRUE);
                w.m_pProfileEditorDlg->m_bNewProfile = TRUE;
            },
            [](W& w) {
                EXPECT_FALSE(w.m_pProfileEditorDlg->m_bNewProfile);
                EXPECT_EQ(w.m_pProfileEditorDlg->m_pPageSystemConfigDlg->m_strSSID, "Edited net");
            } },
        { "profile editor closed", MSG_SHOW_PROFILEEDITOR, 0, 0, W::SUB_PROFILE_EDITOR, W::SUB_LINK_STATUS, nullptr },
        { "profile editor, unknown wParam", MSG_SHOW_PROFILEEDITOR, 3, 0, W::SUB_HIDDEN_SSID, kUnchanged, nullptr },
        { "hidden network prompt", MSG_SHOW_HIDDENSSID, 2, 0, W::SUB_LINK_STATUS, W::SUB_HIDDEN_SSID, nullptr },
        { "hidden network prompt's OK, open network: the page connects", MSG_SHOW_HIDDENSSID, 0, 1, W::SUB_HIDDEN_SSID,
            W::SUB_LINK_STATUS, "[Kivra] --> CPageSiteSurveyDlg::LoadProfile",
            [](W& w) {
                w.site_survey_page()->m_bSecurity = FALSE;
                w.m_pHiddenSsidDlg->m_strSSID = "Attic";
            },
            [](W& w) {
                NDIS_802_11_SSID const& holder = w.site_survey_page()->m_HiddenSsid;
                EXPECT_EQ(std::string(reinterpret_cast<char const*>(holder.Ssid), holder.SsidLength), "Attic");
            } },
        { "hidden network prompt's Cancel: nothing is built", MSG_SHOW_HIDDENSSID, 0, 0, W::SUB_HIDDEN_SSID,
            W::SUB_LINK_STATUS, nullptr, [](W& w) { w.site_survey_page()->m_HiddenSsid = {}; },
            [](W& w) { EXPECT_EQ(w.site_survey_page()->m_HiddenSsid.SsidLength, 0u); } },
        { "security editor", MSG_SHOW_SECURITYEDITOR, 2, 0, W::SUB_LINK_STATUS, W::SUB_SECURITY_EDITOR, nullptr },
        { "security editor resets the pending settings", MSG_SHOW_SECURITYEDITOR, 2, 1, W::SUB_HIDDEN_SSID, kUnchanged,
            "[Kivra] --> CPageSiteSurveyDlg::ResetSecuritySettings" },
        { "security editor's OK: its choices connect", MSG_SHOW_SECURITYEDITOR, 0, 2, W::SUB_SECURITY_EDITOR,
            W::SUB_LINK_STATUS, "[Kivra] --> CPageSiteSurveyDlg::LoadProfile",
            [](W& w) {
                w.m_pSecurityEditorDlg->m_HandOver.nAuthIndex = 6;
                w.m_pSecurityEditorDlg->m_HandOver.strPskKey = "sunflower";
            },
            [](W& w) { EXPECT_EQ(w.site_survey_page()->m_Pending.strPskKey, "sunflower"); } },
        { "security editor's Cancel", MSG_SHOW_SECURITYEDITOR, 0, 0, W::SUB_SECURITY_EDITOR, W::SUB_LINK_STATUS, nullptr },
        { "PEAP settings closed", MSG_SHOW_PEAPSETTING, 0, 0, W::SUB_PEAP_SETTING, W::SUB_LINK_STATUS, nullptr },
        { "PEAP settings with the current identity", MSG_SHOW_PEAPSETTING, 8, 0, W::SUB_LINK_STATUS, W::SUB_PEAP_SETTING, nullptr,
            [](W& w) {
                std::memset(g_pHideDlg->m_pProfData->chID, 'x', sizeof g_pHideDlg->m_pProfData->chID); // full: no terminator
                w.m_pPeapSettingDlg->m_strPassword = "old";
            },
            [](W& w) {
                EXPECT_EQ(std::string(w.m_pPeapSettingDlg->m_strIdentity.GetString()), std::string(128, 'x'));
                EXPECT_TRUE(w.m_pPeapSettingDlg->m_strPassword.IsEmpty());
                std::memset(g_pHideDlg->m_pProfData->chID, 0, sizeof g_pHideDlg->m_pProfData->chID);
            } },
        { "identity re-prompt", MSG_SHOW_INVALIDIDPW, 8, 0, W::SUB_LINK_STATUS, W::SUB_INVALID_IDPW, nullptr },
        { "identity re-prompt closed", MSG_SHOW_INVALIDIDPW, 0, 0, W::SUB_INVALID_IDPW, W::SUB_LINK_STATUS, nullptr },
        { "authentication status: stop", MSG_SHOW_AUTHSTATUS, 0, 2, W::SUB_AUTHEN_STATUS, W::SUB_LINK_STATUS,
            "[Kivra] --> CPageCCXConfigDlg::StopDiagnostic" },
        { "authentication status: OK while it shows", MSG_SHOW_AUTHSTATUS, 0, 3, W::SUB_AUTHEN_STATUS, W::SUB_LINK_STATUS, nullptr },
        { "authentication status: OK while the detail shows", MSG_SHOW_AUTHSTATUS, 0, 3, W::SUB_AP_DETAIL, kUnchanged, nullptr },
        { "authentication status closed", MSG_SHOW_AUTHSTATUS, 0, 0, W::SUB_AUTHEN_STATUS, W::SUB_LINK_STATUS, nullptr },
        { "authentication status of a CCX test", MSG_SHOW_AUTHSTATUS, 9, 0, W::SUB_LINK_STATUS, W::SUB_AUTHEN_STATUS,
            "[Kivra] --> CAuthenStatusDlg::AppendLine(Diag step)",
            [](W& w) { std::strcpy(w.m_pPageCCXConfigDlg->m_chMessage, "Diag step"); } },
        { "authentication status of a profile on a newer system", MSG_SHOW_AUTHSTATUS, 10, 0, W::SUB_HIDDEN_SSID, W::SUB_LINK_STATUS, nullptr,
            [](W& w) { w.m_pPageAdvanceDlg->m_bShowAuthStatus = TRUE; } },
        { "WPS profile without a focused credential", MSG_SHOW_WPSPROFILE, 1, 0, W::SUB_LINK_STATUS, kUnchanged, nullptr },
        { "WPS profile's OK outside the credentials writes nothing", MSG_SHOW_WPSPROFILE, 0, 1, W::SUB_WPS_PROFILE, W::SUB_LINK_STATUS, nullptr,
            [](W& w) { w.m_pPageWPSProfile->m_nSelIndex = -1; } },
        { "WPS profile closed", MSG_SHOW_WPSPROFILE, 0, 0, W::SUB_WPS_PROFILE, W::SUB_LINK_STATUS, nullptr },
        { "action from the site survey", ACTION_INSERT_EXEC, SEND_BY_SITESURVEY_DLG, 0, W::SUB_HIDDEN_SSID, kUnchanged,
            "[Kivra] Receive ACTION_INSERT_EXEC message" },
        { "advanced page's rescan", DLG_MSG_EXCHANGE, PAGE_ADVANCE_DLG, 0, W::SUB_HIDDEN_SSID, kUnchanged,
            "[Kivra] --> CPageSiteSurveyDlg::DoScan",
            [](W& w) {
                // The scan that showing the window started is over: Rescan is offered again.
                w.site_survey_page()->RescanTimeFunc();
                w.site_survey_page()->UpdateControlState();
            } },
        { "advanced page's Apply without a current profile", DLG_MSG_EXCHANGE, PAGE_ADVANCE_DLG, ON_APPLY_NOW_XP, W::SUB_HIDDEN_SSID, kUnchanged,
            "[Kivra] lParam: ON_APPLY_NOW_XP" },
        { "WMM page's connection status", DLG_MSG_EXCHANGE, PAGE_WMM_DLG, 0, W::SUB_HIDDEN_SSID, kUnchanged,
            "[Kivra] --> CPageSiteSurveyDlg::StartConnectStatusTimer" },
        { "statistics reset", DLG_MSG_EXCHANGE, PAGE_STATISTICS_DLG, 0, W::SUB_HIDDEN_SSID, kUnchanged, nullptr,
            [](W& w) {
                w.m_pLinkStatusDlg->m_lTxCount = 5;
                w.m_pLinkStatusDlg->m_lRxCount = 6;
            },
            [](W& w) {
                EXPECT_EQ(w.m_pLinkStatusDlg->m_lTxCount, 0);
                EXPECT_EQ(w.m_pLinkStatusDlg->m_lRxCount, 0);
            } },
        { "CCX page re-applies the profile", DLG_MSG_EXCHANGE, PAGE_CCXCFG_DLG, SET_OID_FROM_REG, W::SUB_HIDDEN_SSID, kUnchanged,
            "[Kivra] --> CPageProfileDlg::SetOidFromReg(0)" },
        { "single sign-on page re-applies the profile", DLG_MSG_EXCHANGE, PAGE_SSO_DLG, SET_OID_FROM_REG, W::SUB_HIDDEN_SSID, kUnchanged,
            "[Kivra] call CPageProfileDlg::SetOidFromReg()" },
        { "WPS page re-applies the profile", DLG_MSG_EXCHANGE, PAGE_WPS_DLG, SET_OID_FROM_REG, W::SUB_HIDDEN_SSID, kUnchanged,
            "[Kivra] call CPageProfileDlg::SetOidFromReg(FALSE)" },
        { "WPS page without the WPS flag", DLG_MSG_EXCHANGE, PAGE_WPS_DLG, 0, W::SUB_HIDDEN_SSID, kUnchanged, "[Kivra] lParam: 0" },
        { "WPS page imports its profiles", DLG_MSG_EXCHANGE, PAGE_WPS_DLG, 3, W::SUB_HIDDEN_SSID, kUnchanged,
            "[Kivra] call WPS_ImportProfile()" },
        { "link status follows Show dBm", DLG_MSG_EXCHANGE, PAGE_LINK_STATUS, ON_DBM_CHECK, W::SUB_HIDDEN_SSID, kUnchanged, nullptr,
            [](W& w) {
                w.site_survey_page()->m_bShowDbm = TRUE;
                w.m_pLinkStatusDlg->m_bShowDbm = FALSE;
            },
            [](W& w) { EXPECT_TRUE(w.m_pLinkStatusDlg->m_bShowDbm); } },
        { "unknown page", DLG_MSG_EXCHANGE, 9, 0, W::SUB_HIDDEN_SSID, kUnchanged, "[Kivra] Receive DLG_MSG_EXCHANGE message" },
        { "post-authentication message is not the window's", WM_APP + 3, 0, 0, W::SUB_HIDDEN_SSID, kUnchanged, nullptr },
    };
}

}

TEST_F(ConfigWindowTest, RoutesEachRequestToItsChildMemberAndCall)
{
    options("", { { "DebugMode", "5" } });
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        for (RouteCase const& c : route_cases()) {
            SCOPED_TRACE(c.name);
            window.ShowSubDialog(c.start);
            if (c.before)
                c.before(window);
            platform::system::TraceCapture trace;
            window.SendMessage(c.message, c.wParam, c.lParam);
            platform::testing::pump_until_idle();
            int const want = c.child == kUnchanged ? c.start : c.child;
            EXPECT_EQ(window.current_sub_dialog(), want);
            EXPECT_TRUE(visible(window.lower_child(want)));
            if (c.call) {
                EXPECT_TRUE(trace.contains(c.call)) << c.call;
            }
            if (c.check)
                c.check(window);
            EXPECT_TRUE(trace.contains("[Kivra] <-- CVxUI2008Dlg::WindowProc"));
        }
    });
}

namespace {

WPS_CREDENTIAL credential(std::uint32_t auth, std::uint32_t encryption, std::uint32_t index = 0, char const* key = "")
{
    WPS_CREDENTIAL c {};
    c.SsidLength = 4;
    std::memcpy(c.Ssid, "Home", 4);
    c.AuthType = auth;
    c.EncrType = encryption;
    c.KeyIndex = index;
    c.KeyLength = std::uint32_t(std::strlen(key));
    std::memcpy(c.Key, key, c.KeyLength);
    return c;
}

}

TEST(WpsImport, CredentialTypesMapToTheTabsEntries)
{
    struct Case {
        std::uint32_t auth, encryption;
        std::optional<int> authentication, cipher;
    } const cases[] = {
        { 1, 1, 0, 0 }, { 2, 4, 4, 2 }, { 4, 2, 1, 1 }, { 8, 4, 3, 2 }, { 16, 8, 5, 3 }, { 32, 8, 6, 3 },
        { 34, 12, 4, 2 }, { 64, 16, std::nullopt, std::nullopt }, { 0, 0, std::nullopt, std::nullopt },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::to_string(c.auth) + "/" + std::to_string(c.encryption));
        WpsProfileEntries const e = map_wps_credential(credential(c.auth, c.encryption));
        EXPECT_EQ(e.authentication, c.authentication);
        EXPECT_EQ(e.encryption, c.cipher);
        EXPECT_EQ(e.ssid, "Home");
    }
}

TEST(WpsImport, WepKeysGoToTheSlotOfTheirIndexWithTheirType)
{
    struct Case {
        char const* name;
        std::uint32_t auth, index;
        char const* key;
        int slot;  // -1: no key text stored
        int type;  // 0 hexadecimal, 1 ASCII
    } const cases[] = {
        { "10 hex digits, index 0", 1, 0, "0123456789", 0, 0 },
        { "26 hex digits, index 3", 4, 3, "0123456789abcdef0123456789", 3, 0 },
        { "5 characters, index 1", 1, 1, "abcde", 1, 1 },
        { "index 2", 1, 2, "abcde", 2, 1 },
        { "index 4 stores no key", 1, 4, "abcde", -1, 1 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        WpsProfileEntries const e = map_wps_credential(credential(c.auth, 2, c.index, c.key));
        EXPECT_EQ(e.default_key, int(c.index));
        for (int slot = 0; slot < 4; ++slot) {
            EXPECT_EQ(e.keys[std::size_t(slot)], slot == c.slot ? c.key : "") << "slot " << slot;
            if (slot == c.slot) {
                EXPECT_EQ(e.key_types[std::size_t(slot)], c.type);
            }
        }
        EXPECT_FALSE(e.psk);
    }
}

TEST(WpsImport, PreSharedKeysAreCutToTheirLengthAndNamesToThirtyTwoBytes)
{
    for (std::uint32_t auth : { 2u, 32u, 34u }) {
        SCOPED_TRACE(auth);
        WPS_CREDENTIAL c = credential(auth, 8, 0, "passphrase-long");
        c.KeyLength = 10;
        c.SsidLength = 40;
        std::memset(c.Ssid, 'n', sizeof c.Ssid);
        WpsProfileEntries const e = map_wps_credential(c);
        EXPECT_EQ(e.psk, std::optional<std::string>("passphrase"));
        EXPECT_EQ(e.ssid, std::string(32, 'n'));
        EXPECT_FALSE(e.default_key);
    }
    WPS_CREDENTIAL full = credential(32, 8);
    full.KeyLength = 500;
    std::memset(full.Key, 'k', sizeof full.Key);
    EXPECT_EQ(map_wps_credential(full).psk, std::optional<std::string>(std::string(64, 'k')));
    EXPECT_FALSE(map_wps_credential(credential(1, 1)).psk);
}

// A secured hidden network goes on to the security editor: the prompt's message is passed on
// without the window procedure's closing line, which the editor's own route writes.
TEST_F(ConfigWindowTest, AHiddenSecuredNetworkGoesOnToTheSecurityEditor)
{
    options("", { { "DebugMode", "5" } });
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        page.m_bSecurity = TRUE;
        window.ShowSubDialog(CVxUI2008Dlg::SUB_HIDDEN_SSID);
        // 31 bytes and a two-byte character: the holder keeps 31, never half the character.
        window.m_pHiddenSsidDlg->m_strSSID = (std::string(31, 'a') + "\xC3\xA9").c_str();
        platform::system::TraceCapture trace;
        window.SendMessage(MSG_SHOW_HIDDENSSID, 0, 1);
        platform::testing::pump_until_idle();
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_SECURITY_EDITOR);
        EXPECT_EQ(page.m_HiddenSsid.SsidLength, 31u);
        EXPECT_FALSE(trace.contains("[Kivra] --> CPageSiteSurveyDlg::LoadProfile"));
        auto const lines = trace.lines();
        auto count = [&](std::string const& text) {
            return std::count_if(lines.begin(), lines.end(), [&](auto const& l) { return l.find(text) != std::string::npos; });
        };
        EXPECT_EQ(count("[Kivra] --> CVxUI2008Dlg::WindowProc"), count("[Kivra] <-- CVxUI2008Dlg::WindowProc") + 1);
        EXPECT_TRUE(trace.contains("[Kivra] Msg:MSG_SHOW_SECURITYEDITOR wParam: 2, lParam: 0"));
    });
}

TEST_F(ConfigWindowTest, AnEmptyWpsRecordImportsNoProfile)
{
    options("", { { "DebugMode", "5" } });
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        platform::system::TraceCapture trace;
        window.SendMessage(DLG_MSG_EXCHANGE, PAGE_WPS_DLG, 3);
        EXPECT_TRUE(trace.contains("[Kivra] call WPS_ImportProfile()"));
        EXPECT_FALSE(trace.contains("[Kivra] --> CProfileEditorDlg::OnOK"));
    });
}

// The Apply of the advanced page on an older system with a profile locked to its access
// point: the link is dropped, the advanced page holds a copy of the profile, and the site
// survey scans before the reconnection.
TEST_F(ConfigWindowTest, ApplyWithALockedProfileScansBeforeReconnecting)
{
    machine({ 9 });
    options("", { { "DebugMode", "3" } });
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        window.site_survey_page()->RescanTimeFunc();
        window.site_survey_page()->UpdateControlState();
        dialog.m_pProfData->bBssid = 1;
        dialog.m_pProfData->bSetAdvance = 1;
        window.m_pPageAdvanceDlg->m_bSwitched = TRUE;
        platform::system::TraceCapture trace;
        window.SendMessage(DLG_MSG_EXCHANGE, PAGE_ADVANCE_DLG, ON_APPLY_NOW_XP);
        EXPECT_TRUE(trace.contains("[Kivra] call VXWL_Disassociate()"));
        EXPECT_TRUE(trace.contains("[Kivra] Switch country region, do scan before connect BSSID!"));
        EXPECT_TRUE(trace.contains("[Kivra] --> CPageSiteSurveyDlg::DoScan"));
        EXPECT_TRUE(window.m_bScanAfterAdvanceChange);
        EXPECT_EQ(window.m_pPageAdvanceDlg->m_nActionType, actionTypeProfile);
        EXPECT_EQ(window.m_pPageAdvanceDlg->m_ProfData.bBssid, 1u);
        EXPECT_EQ(dialog.m_pProfData->bSetAdvance, 0u);
        // Without the changed-settings flag nothing is dropped.
        window.m_pPageAdvanceDlg->m_bSwitched = FALSE;
        platform::system::TraceCapture quiet;
        window.SendMessage(DLG_MSG_EXCHANGE, PAGE_ADVANCE_DLG, ON_APPLY_NOW_XP);
        EXPECT_FALSE(quiet.contains("[Kivra] call VXWL_Disassociate()"));
    });
}

// The profile button scrolled out of view to the left comes back; scrolling is bounded when
// the button is not in the sequence.
TEST_F(ConfigWindowTest, ChangeToTheProfilePageScrollsItsButtonIntoView)
{
    options("0,1,2,3,4,5,6,7,9,10,11");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CShadeButtonST* const profile = window.kind_button(BTN_PROFILE);
        window.SendMessage(WM_COMMAND, CVxUI2008Dlg::IDC_BTN_RIGHT);
        window.SendMessage(WM_COMMAND, CVxUI2008Dlg::IDC_BTN_RIGHT);
        ASSERT_LT(profile->m_nOrder, 1);
        window.SendMessage(CHANGE_DLG_PAGE, PAGE_PROFILE, 0);
        EXPECT_EQ(profile->m_nOrder, 1);
        EXPECT_TRUE(profile->m_bHighlighted);
        EXPECT_TRUE(visible(window.m_pPageProfileDlg));
    });
    options("1,2,3");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        window.SendMessage(CHANGE_DLG_PAGE, PAGE_PROFILE, 0);
        EXPECT_TRUE(visible(window.site_survey_page()));
    });
}
