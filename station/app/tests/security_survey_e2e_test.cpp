// The site survey's Connect on a secured network through the security editor, typed in as a user
// would: open (without it), WEP with ASCII and hexadecimal keys, shared WEP, the pre-shared keys,
// WAPI-PSK, a hidden network, 802.1X (PEAP, TTLS, LEAP, CCKM, EAP-FAST through the system's EAP
// configuration window) and WAPI-CA with the certificates chosen on the WAPI tab, each with its
// wrong secret; on an older system WPA-None ad hoc and MD5-Challenge over open WEP; and
// the single sign-on page on the running program: a stored LEAP profile for "Voice" listed and
// applied (wlansim list shows it), and the page's button hidden once the world uninstalls the
// feature. Snapshots of the editor and the page stay beside the test for a person to look at.
#include "SecurityMatrixHarness.h"
#include "Wlansim.h"

#include "platform/display/Snapshots.h"
#include "platform/system/FileDialog.h"
#include "platform/system/FileDialogModel.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageNamePasswordDlg.h"
#include "station/profiles/PageSSODlg.h"
#include "station/profiles/PageWAPIDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "station/survey/HiddenSsidDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"
#include "wlan/profile/ProfileFields.h"
#include "wlan/sim/KeyMaterial.h"

using namespace station::testing;
using namespace station::profiles;

namespace {

namespace fs = std::filesystem;

// One network joined through the editor: what is chosen and typed, and what the link shows.
struct SurveyRow {
    std::string what;
    char const* ssid;
    int mode;
    int cipher;
    bool ascii;
    char const* key;
    char const* wrong_key;
    Failure failure;
    std::uint32_t auth_code;
    std::uint32_t cipher_code;
};

std::string hex_pmk(char const* passphrase, char const* ssid)
{
    std::string hex;
    char digits[3];
    for (auto byte : wlan::sim::passphrase_pmk(passphrase, ssid)) {
        std::snprintf(digits, sizeof digits, "%02x", byte);
        hex += digits;
    }
    return hex;
}

std::string const kHomeNetPmk = hex_pmk("correct horse battery", "HomeNet 5G");

std::vector<SurveyRow> survey_rows()
{
    return {
        { "open WEP, ASCII key", "Old Router", kAuthOpen, kCipherWep, true, "12345", "54321", Failure::Icv, AUTH_OPEN, ENC_WEP },
        { "open WEP, hexadecimal key", "Old Router", kAuthOpen, kCipherWep, false, "3132333435", "0000000000", Failure::Icv, AUTH_OPEN,
            ENC_WEP },
        { "shared WEP", "Warehouse", kAuthShared, kCipherWep, false, "0123456789abcdef0123456789", "ffffffffffffffffffffffffff",
            Failure::AssocFail, AUTH_SHARED, ENC_WEP },
        { "WPA-PSK TKIP", "Sunflower", kAuthWpaPsk, kCipherTkip, true, "sunflower-tkip", "not-the-secret", Failure::NoMedia, AUTH_WPA_PSK,
            ENC_TKIP },
        { "WPA2-PSK AES, passphrase", "HomeNet 5G", kAuthWpa2Psk, kCipherAes, true, "correct horse battery", "not-the-secret",
            Failure::NoMedia, AUTH_WPA2_PSK, ENC_AES },
        { "WPA2-PSK AES, 64 digits", "HomeNet 5G", kAuthWpa2Psk, kCipherAes, true, kHomeNetPmk.c_str(), "not-the-secret", Failure::NoMedia,
            AUTH_WPA2_PSK, ENC_AES },
        { "WPA/WPA2-PSK mixed", "Family", kAuthWpa2Psk, kCipherAes, true, "family-first", "not-the-secret", Failure::NoMedia, AUTH_WPA2_PSK,
            ENC_AES },
        { "WAPI-PSK ASCII", "WAPI Office", kAuthWapiPsk, kCipherSms4, true, "wapi-secret", "other-secret", Failure::NoMedia, AUTH_WAPI_PSK,
            ENC_SMS4 },
        { "WAPI-PSK hexadecimal", "WAPI Office", kAuthWapiPsk, kCipherSms4, false, "776170692d736563726574", "6f746865722d736563726574",
            Failure::NoMedia, AUTH_WAPI_PSK, ENC_SMS4 },
    };
}

// One 802.1X network joined through the editor: the method and inner method chosen on the
// 802.1X tab, the identity and password typed on its identity sub-tab.
struct EapRow {
    std::string what;
    char const* ssid;
    int mode;
    int cipher;
    int method;
    int inner_command; // 0: the method's default
    char const* identity;
    char const* password;
    std::uint32_t auth_code;
    std::uint32_t cipher_code;
    char const* wep_key = nullptr; // Open or Shared with the 802.1X box: its static hexadecimal key
};

std::vector<EapRow> eap_rows()
{
    return {
        { "WPA2 PEAP as alice", "Corp", kAuthWpa2, kCipherAes, EAP_PEAP, 0, "alice", "wonderland", AUTH_WPA2, ENC_AES },
        { "WPA2 TTLS MS-CHAPv2", "Corp", kAuthWpa2, kCipherAes, EAP_TTLS, CPage8021XDlg::ID_TTLS_CHAP + 2, "bob", "builder", AUTH_WPA2,
            ENC_AES },
        { "WPA2 LEAP", "Corp", kAuthWpa2, kCipherAes, EAP_LEAP, 0, "eve", "secret", AUTH_WPA2, ENC_AES },
        { "WPA TKIP PEAP", "Corp Legacy", kAuthWpa, kCipherTkip, EAP_PEAP, 0, "alice", "wonderland", AUTH_WPA, ENC_TKIP },
        { "CCKM LEAP", "Voice", kAuthCckm, kCipherAes, EAP_LEAP, 0, "eve", "secret", AUTH_CCKM, ENC_AES },
        // On code 12 through the system's EAP configuration window, then 0x40C.
        { "WPA2 EAP-FAST", "Corp", kAuthWpa2, kCipherAes, EAP_FAST, 0, "dave", "pacman", AUTH_WPA2, ENC_AES },
    };
}

WLANPROFILE link_of(char const* ssid, std::uint32_t auth, std::uint32_t cipher)
{
    WLANPROFILE p {};
    wlan::profile::write_ssid(p, ssid);
    p.enumAuthenMode = auth;
    p.enumEncryStatus = cipher;
    return p;
}

std::string snapshot(std::string const& name)
{
    platform::testing::pump_until_idle();
    fs::path const folder = fs::read_symlink("/proc/self/exe").parent_path() / "security_snapshots" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    platform::display::write_snapshot(folder.string());
    return read_file((folder / "windows.txt").string());
}

class SecuritySurveyTest : public SecurityMatrixTest {
protected:
    static void wait_for_rows(CPageSiteSurveyDlg& page)
    {
        ASSERT_TRUE(run_until([&] { return page.RowCount() > 10; }, 12000));
        run_for(4000);
    }
    // The row of `ssid` (a hidden one, with an empty name, by its channel), selected, and
    // Connect clicked.
    static void connect(CVxUI2008Dlg& window, std::string const& ssid, std::string const& channel = {})
    {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        // The end of a WAPI attempt rescans; Connect waits for the scan.
        CWnd* const button = page.GetDlgItem(CPageSiteSurveyDlg::IDC_CONNECT);
        ASSERT_TRUE(run_until([&] {
            page.UpdateControlState();
            return button->IsWindowEnabled() != FALSE;
        }, 8000));
        int row = -1;
        for (int i = 0; i < page.RowCount(); ++i)
            if (page.Row(i).strSsid == ssid.c_str() && (channel.empty() || page.Row(i).strChannel == channel.c_str()))
                row = i;
        ASSERT_GE(row, 0) << ssid;
        page.List().SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        page.List().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        click(page.GetDlgItem(CPageSiteSurveyDlg::IDC_CONNECT));
    }
    static void command(CWnd& page, int id)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        platform::testing::pump_until_idle();
    }
    // What a user chooses and types on the editor's authentication tab.
    static void enter(CSecurityEditorDlg& editor, SurveyRow const& row, char const* key)
    {
        CPageAuthEncryDlg& auth = *editor.m_pPageAuthEncryDlg;
        ASSERT_TRUE(auth.IsWindowVisible());
        command(auth, auth_command(row.mode));
        command(auth, cipher_command(row.cipher));
        if (row.cipher == kCipherWep) {
            command(auth, key_type_command(1, row.ascii));
            auth.SetDlgItemText(CPageAuthEncryDlg::kKeyEdits[0], key);
        } else {
            if (row.mode == kAuthWapiPsk)
                command(auth, key_type_command(0, row.ascii));
            auth.SetDlgItemText(CPageAuthEncryDlg::IDC_PSK, key);
        }
        platform::testing::pump_until_idle();
    }
    static void through_editor(CVxUI2008Dlg& window, SurveyRow const& row, char const* key, std::string const& picture = {})
    {
        connect(window, row.ssid);
        ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_SECURITY_EDITOR);
        CSecurityEditorDlg& editor = *window.m_pSecurityEditorDlg;
        enter(editor, row, key);
        if (!picture.empty())
            snapshot(picture);
        click(editor.GetDlgItem(CSecurityEditorDlg::IDC_OK));
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);
    }
    static void through_editor_8021x(CVxUI2008Dlg& window, EapRow const& row, char const* password, std::string const& picture = {})
    {
        connect(window, row.ssid);
        ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_SECURITY_EDITOR);
        CSecurityEditorDlg& editor = *window.m_pSecurityEditorDlg;
        CPageAuthEncryDlg& auth = *editor.m_pPageAuthEncryDlg;
        command(auth, auth_command(row.mode));
        command(auth, cipher_command(row.cipher));
        if (row.wep_key) {
            click(auth.GetDlgItem(CPageAuthEncryDlg::IDC_USE_8021X));
            command(auth, key_type_command(1, false));
            auth.SetDlgItemText(CPageAuthEncryDlg::kKeyEdits[0], row.wep_key);
        }
        CPage8021XDlg& tab = *editor.m_pPage8021XDlg;
        ASSERT_TRUE(editor.tab_button(TAB_BUTTON_8021X)->IsWindowEnabled());
        click(editor.tab_button(TAB_BUTTON_8021X));
        command(tab, CPage8021XDlg::ID_PEAP + row.method);
        if (row.inner_command)
            command(tab, row.inner_command);
        CWnd& name = *tab.m_pNamePasswordDlg;
        name.SetDlgItemText(CPageNamePasswordDlg::IDC_IDENTITY, row.identity);
        name.SetDlgItemText(CPageNamePasswordDlg::IDC_PASSWORD, password);
        platform::testing::pump_until_idle();
        if (!picture.empty())
            snapshot(picture);
        click(editor.GetDlgItem(CSecurityEditorDlg::IDC_OK));
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);
    }
    // Each row joined once with its secret and once with the wrong one.
    static void join_each(CHideDlg& dialog, CVxUI2008Dlg& window, std::vector<SurveyRow> const& rows)
    {
        for (SurveyRow const& row : rows) {
            SCOPED_TRACE(row.what);
            auto const start = std::chrono::steady_clock::now();
            WLANPROFILE const link = link_of(row.ssid, row.auth_code, row.cipher_code);
            clear_events();
            bool const pictured = row.what == "WPA2-PSK AES, passphrase" || row.what == "WAPI-PSK ASCII";
            through_editor(window, row, row.key, pictured ? "editor " + row.what : std::string());
            expect_connects(dialog, link);
            clear_events();
            through_editor(window, row, row.wrong_key);
            expect_fails(dialog, link, row.failure);
            print_row("survey: " + row.what, start);
        }
    }
    static void join_each_8021x(CHideDlg& dialog, CVxUI2008Dlg& window, std::vector<EapRow> const& rows)
    {
        for (EapRow const& row : rows) {
            SCOPED_TRACE(row.what);
            auto const start = std::chrono::steady_clock::now();
            WLANPROFILE link = link_of(row.ssid, row.auth_code, row.cipher_code);
            link.b8021X = 1;
            clear_events();
            through_editor_8021x(window, row, row.password, row.what == "WPA2 PEAP as alice" ? "editor 802.1X" : "");
            expect_connects(dialog, link);
            if (row.method == int(EAP_FAST)) {
                EXPECT_TRUE(in_order({ RS_CBS_FAST_PAC_AID_INFO, RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS, RS_CBS_FAST_SAVE_PAC }));
            }
            clear_events();
            through_editor_8021x(window, row, "not-the-password");
            expect_fails(dialog, link, Failure::IdentityRejected);
            print_row("survey: " + row.what, start);
        }
    }
    // The WAPI tab's two certificates chosen with Browse, each file dialog answered with `file`.
    static void choose_wapi_certificates(CSecurityEditorDlg& editor, char const* user, char const* as)
    {
        CPageWAPIDlg& wapi = *editor.m_pPageWAPIDlg;
        click(editor.tab_button(TAB_BUTTON_WAPI));
        struct Choice {
            CShadeButtonST& tab;
            CWnd& page;
            char const* file;
        };
        for (Choice const& c : { Choice { wapi.m_btnUserCert, wapi.m_dlgUserCert, user }, Choice { wapi.m_btnASCert, wapi.m_dlgASCert, as } }) {
            std::string const path = cert(c.file);
            platform::system::set_file_dialog_ui([path](platform::system::FileDialogModel& model, auto const&) {
                return model.submit(path) == platform::system::FileDialogModel::Outcome::accepted
                    ? platform::system::FileDialogAnswer::accepted
                    : platform::system::FileDialogAnswer::cancelled;
            });
            click(&c.tab);
            click(c.page.GetDlgItem(CWapiCertSubTab::IDC_BROWSER));
        }
        platform::system::set_file_dialog_ui(nullptr);
    }
};

}

TEST_F(SecuritySurveyTest, ConnectThroughTheSecurityEditorJoinsEachMethodAndAWrongSecretFails)
{
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        record_events(dialog);
        window.ToggleExpand();
        wait_for_rows(*window.site_survey_page());
        {
            auto const start = std::chrono::steady_clock::now();
            SCOPED_TRACE("open, none");
            clear_events();
            connect(window, "Corner Cafe");
            EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS) << "no editor for an open network";
            expect_connects(dialog, link_of("Corner Cafe", AUTH_OPEN, ENC_NONE));
            print_row("survey: open, none", start);
        }
        join_each(dialog, window, survey_rows());

        // The access point's key changes underneath: the key that worked fails next time.
        {
            SCOPED_TRACE("WAPI-PSK, the access point's key changed");
            SurveyRow const wapi = survey_rows()[7];
            ASSERT_EQ(wapi.what, "WAPI-PSK ASCII");
            wlansim("ap-set wapi-psk key=other-secret");
            clear_events();
            through_editor(window, wapi, "wapi-secret");
            expect_fails(dialog, link_of(wapi.ssid, wapi.auth_code, wapi.cipher_code), Failure::NoMedia);
            clear_events();
            through_editor(window, wapi, "other-secret");
            expect_connects(dialog, link_of(wapi.ssid, wapi.auth_code, wapi.cipher_code));
        }

        // A hidden network: its name first, then the editor.
        {
            SCOPED_TRACE("hidden WPA2-PSK");
            clear_events();
            connect(window, "", "6");
            ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_HIDDEN_SSID);
            CHiddenSsidDlg& prompt = *window.m_pHiddenSsidDlg;
            prompt.SetDlgItemText(CHiddenSsidDlg::IDC_SSID, "Backroom");
            click(prompt.GetDlgItem(CHiddenSsidDlg::IDC_OK));
            ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_SECURITY_EDITOR);
            SurveyRow const hidden { "hidden", "Backroom", kAuthWpa2Psk, kCipherAes, true, "hidden-key-1", "", Failure::None,
                AUTH_WPA2_PSK, ENC_AES };
            enter(*window.m_pSecurityEditorDlg, hidden, hidden.key);
            click(window.m_pSecurityEditorDlg->GetDlgItem(CSecurityEditorDlg::IDC_OK));
            expect_connects(dialog, link_of("Backroom", AUTH_WPA2_PSK, ENC_AES));
        }

        // Cancel: nothing is connected, the window goes back to the link status.
        clear_events();
        connect(window, "Sunflower");
        ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_SECURITY_EDITOR);
        click(window.m_pSecurityEditorDlg->GetDlgItem(CSecurityEditorDlg::IDC_CANCEL));
        run_for(3000);
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);
        EXPECT_FALSE(has_event(RS_CBS_AU_STATUS_START));
    });
}

TEST_F(SecuritySurveyTest, ConnectThroughTheSecurityEditorJoins8021XNetworksAndAWrongPasswordIsRejected)
{
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        record_events(dialog);
        window.ToggleExpand();
        wait_for_rows(*window.site_survey_page());
        join_each_8021x(dialog, window, eap_rows());
    });
}

// An older system (code 8): WPA-None in an ad hoc network, and MD5-Challenge over open WEP with
// the 802.1X box and its static key, both chosen on the editor.
TEST_F(SecuritySurveyTest, OnAnOlderSystemTheEditorJoinsWpaNoneAndMd5Challenge)
{
    world(default_world(8));
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        record_events(dialog);
        window.ToggleExpand();
        wait_for_rows(*window.site_survey_page());
        join_each(dialog, window,
            { { "older: WPA-None ad hoc", "Old LAN", kAuthWpaNone, kCipherTkip, true, "lan-party-99", "not-the-secret", Failure::NoMedia,
                AUTH_WPA_NONE, ENC_TKIP } });
        join_each_8021x(dialog, window,
            { { "older: open 802.1X WEP, MD5-Challenge", "Lab", kAuthOpen, kCipherWep, EAP_MD5, 0, "frank", "md5pass", AUTH_OPEN, ENC_WEP,
                "1A2B3C4D5E" } });
    });
}

TEST_F(SecuritySurveyTest, WapiSecureJoinsWithTheCertificatesChosenOnTheWapiTab)
{
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        record_events(dialog);
        window.ToggleExpand();
        wait_for_rows(*window.site_survey_page());
        WLANPROFILE const link = link_of("WAPI Secure", AUTH_WAPI_CERT, ENC_SMS4);
        for (auto [as, right] : { std::pair { "wapi-as.cer", true }, std::pair { "wapi-other-as.cer", false } }) {
            SCOPED_TRACE(as);
            auto const start = std::chrono::steady_clock::now();
            clear_events();
            connect(window, "WAPI Secure");
            ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_SECURITY_EDITOR);
            CSecurityEditorDlg& editor = *window.m_pSecurityEditorDlg;
            command(*editor.m_pPageAuthEncryDlg, auth_command(kAuthWapiCa));
            ASSERT_TRUE(editor.tab_button(TAB_BUTTON_WAPI)->IsWindowEnabled());
            choose_wapi_certificates(editor, "wapi-user.cer", as);
            CPageWAPIDlg& wapi = *editor.m_pPageWAPIDlg;
            EXPECT_EQ(wapi.m_strUserCertPath, cert("wapi-user.cer").c_str());
            EXPECT_EQ(wapi.m_strASCertPath, cert(as).c_str());
            if (right) {
                // The AS sub-tab describes the chosen certificate.
                std::string const tree = snapshot("editor WAPI certificates");
                EXPECT_NE(tree.find("WAPI Office AS"), std::string::npos);
            }
            click(editor.GetDlgItem(CSecurityEditorDlg::IDC_OK));
            EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);
            if (right)
                expect_connects(dialog, link);
            else
                expect_fails(dialog, link, Failure::NoMedia);
            print_row(std::string("survey: WAPI-CA, ") + as, start);
        }
    });
}

TEST_F(SecuritySurveyTest, TheSingleSignOnPageListsAppliesAndGoesWithTheFeature)
{
    WLANPROFILE voice {};
    wlan::profile::write_text(voice.strProfileName, "Voice LEAP");
    wlan::profile::write_ssid(voice, "Voice");
    voice.enumNetworkType = 1;
    voice.enumAuthenMode = AUTH_CCKM;
    voice.enumEncryStatus = ENC_AES;
    voice.b8021X = 1;
    voice.enumAuthenProtocol = EAP_LEAP;
    wlan::profile::write_text(voice.chID, "eve");
    wlan::profile::write_text(voice.chPassword, "secret");
    WLANPROFILE home = voice;
    std::memset(home.strProfileName, 0, sizeof home.strProfileName);
    wlan::profile::write_text(home.strProfileName, "Home");
    home.b8021X = 0;
    home.enumAuthenMode = AUTH_WPA2_PSK;
    store({ home, voice });
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        ASSERT_TRUE(visible(window.kind_button(BTN_SSO)));
        click(window.kind_button(BTN_SSO));
        CPageSSODlg& page = *window.m_pPageSSODlg;
        ASSERT_TRUE(page.IsWindowVisible());
        ASSERT_EQ(page.m_comboProfiles.SendMessage(CB_GETCOUNT), 1) << "only the LEAP profile is allowed";
        EXPECT_EQ(page.m_strSSOProfile, "Voice LEAP");
        EXPECT_EQ(page.m_strSSID, "Voice");
        // The feature is switched on, then the choice applied.
        click(page.GetDlgItem(CPageSSODlg::IDC_ENABLE));
        ASSERT_TRUE(page.m_bEnableSSO);
        snapshot("single sign-on page");
        click(page.GetDlgItem(CPageSSODlg::IDC_APPLY));
        std::string const list = wlansim("list");
        EXPECT_NE(list.find("single sign-on: on"), std::string::npos) << list;
        EXPECT_NE(list.find("profile 'Voice LEAP'"), std::string::npos) << list;

        // Uninstalled: the page's button is gone the next time the window shows.
        wlansim("world-set sso=0");
        run_for(1000);
        window.ShowWindow(SW_HIDE);
        dialog.ShowConfigUI();
        platform::testing::pump_until_idle();
        EXPECT_FALSE(visible(window.kind_button(BTN_SSO)));
    });
}
