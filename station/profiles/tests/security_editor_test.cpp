// The security editor over a scripted library: OK's checks and collection as a table (which
// steps run for which security, what reaches the site survey's record through the window's
// copy), the WAPI certificate names, the preset from a scanned network and Cancel.
#include "FakeProfileLibrary.h"

#include "station/controls/tests/DialogsFixture.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/core/tests/ScanFixtures.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageEAPFastDlg.h"
#include "station/profiles/PageNamePasswordDlg.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageWAPIDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "station/survey/SurveyConnect.h"

#include <cstring>
#include <functional>
#include <map>

using namespace station::profiles;

namespace {

constexpr char const* kHex26 = "0123456789abcdef0123456789";

struct EditorLibrary : FakeProfileLibrary {
    using FakeProfileLibrary::FakeProfileLibrary;
    std::map<std::string, std::vector<PAC_ENTRY>> pac_lists;
};

EditorLibrary* g_lib = nullptr;

void bind_editor_calls()
{
    auto& lib = G_VxWlLib;
    lib.VXWL_WritePACList.bind([](PAC_LIST* list, const char* name) {
        FakeProfileLibrary::log("WritePACList");
        g_lib->pac_lists[name].assign(list->Entries, list->Entries + list->Count);
        return 1;
    });
    lib.VXWL_WlanIsAdhocSupportWPA2AES.bind([] { return 1; });
    lib.VXWL_ReadPSMode.bind([](VXWL_U32* mode) {
        *mode = 0;
        return 1;
    });
}

class SecurityEditorTest : public DialogsTest {
public:
    void SetUp() override
    {
        DialogsTest::SetUp();
        lib.window = parent.m_hWnd;
        g_lib = &lib;
        bind_editor_calls();
        saved_ui = G_UiStr;
        G_UiStr.IDS_NO_USER_CERT = "IDS_NO_USER_CERT";
        G_UiStr.IDS_NO_AS_CERT = "IDS_NO_AS_CERT";
        G_UiStr.IDS_IDREQUIRED = "IDS_IDREQUIRED";
        G_UiStr.IDS_TKIP = "TKIP";
        G_UiStr.IDS_SMS4 = "SMS4";
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR { IDOK };
        });
        G_VxWlLib.bSupportWAPI = 1;
        G_VxWlLib.adapter.AdapterKind = 5;
        editor = std::make_unique<CSecurityEditorDlg>(&parent);
        ASSERT_TRUE(editor->Create(CSecurityEditorDlg::IDD, &parent));
        pump();
    }
    void TearDown() override
    {
        editor.reset();
        SetMessageBoxHandler(nullptr);
        G_UiStr = saved_ui;
        G_VxWlLib.bSupportWAPI = 0;
        G_VxWlLib.bWAPICert = 0;
        g_lib = nullptr;
        DialogsTest::TearDown();
    }

    CPageAuthEncryDlg& auth() { return *editor->m_pPageAuthEncryDlg; }
    CPage8021XDlg& tab8021x() { return *editor->m_pPage8021XDlg; }

    // The window's route for a scanned network: preset, then shown.
    void open_for(int infrastructure, int wpa, char const* cipher)
    {
        editor->ShowWindow(SW_HIDE);
        entry = station::testing::scan_entry(4, 6);
        auto* e = reinterpret_cast<NDIS_WLAN_BSSID_EX*>(entry.data());
        e->InfrastructureMode = std::uint32_t(infrastructure);
        e->Privacy = 1;
        e->Ssid.SsidLength = 4;
        std::memcpy(e->Ssid.Ssid, "Home", 4);
        editor->PresetFromSurvey(e, wpa, cipher);
        parent.privates.clear();
        editor->ShowWindow(SW_SHOW);
        pump();
    }
    void command(int id)
    {
        auth().SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        pump();
    }
    void type(int id, std::string const& text)
    {
        auth().SetDlgItemText(id, text.c_str());
        pump();
    }
    void check_8021x(bool on)
    {
        HWND const box = ::GetDlgItem(auth().m_hWnd, CPageAuthEncryDlg::IDC_USE_8021X);
        if ((::SendMessage(box, BM_GETCHECK, 0, 0) == BST_CHECKED) != on)
            ::SendMessage(box, BM_CLICK, 0, 0);
        pump();
    }
    // The 802.1X tab's method menu, and the identity sub-tab's two edits.
    void eap_method(int method)
    {
        tab8021x().SendMessage(WM_COMMAND, MAKEWPARAM(CPage8021XDlg::ID_PEAP + method, 0), 0);
        pump();
    }
    void identity(char const* id, char const* password)
    {
        CWnd& name = *tab8021x().m_pNamePasswordDlg;
        name.SetDlgItemText(CPageNamePasswordDlg::IDC_IDENTITY, id);
        name.SetDlgItemText(CPageNamePasswordDlg::IDC_PASSWORD, password);
        pump();
    }
    void ok()
    {
        parent.privates.clear();
        lib.calls.clear();
        editor->OnOK();
        pump();
    }
    int sent(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        int n = 0;
        for (auto const& m : parent.privates)
            n += m.message == message && m.wParam == wParam && m.lParam == lParam;
        return n;
    }
    int calls(char const* name) const { return int(std::count(lib.calls.begin(), lib.calls.end(), name)); }
    NDIS_WLAN_BSSID_EX const* scanned() const { return reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(entry.data()); }

    EditorLibrary lib { nullptr };
    std::unique_ptr<CSecurityEditorDlg> editor;
    std::vector<std::string> boxes;
    CUISTR saved_ui;
    std::vector<std::uint8_t> entry;
};

// What the site survey page builds from the hand-over: the window's copy, then LoadProfile's
// record for the scanned entry.
WLANPROFILE survey_record(SECURITY_HAND_OVER const& hand_over, NDIS_WLAN_BSSID_EX const* entry, int wpa)
{
    station::survey::PendingSecurity pending;
    pending.Reset();
    station::survey::TakeHandOver(pending, hand_over, true);
    station::survey::ConnectInput input;
    input.entry = entry;
    input.nWPA = wpa;
    NDIS_802_11_SSID holder {};
    WLANPROFILE record {};
    EXPECT_TRUE(station::survey::BuildSurveyProfile(input, pending, holder, record).ok);
    return record;
}

}

TEST_F(SecurityEditorTest, OkCollectsEachSecurityAndHandsItToTheSiteSurvey)
{
    struct Case {
        char const* what;
        int infrastructure;
        int wpa;
        char const* cipher;
        std::function<void(SecurityEditorTest&)> enter;
        int pac_writes;            // the 802.1X block collected, its PAC list written under ""
        std::array<char const*, 4> keys; // handed over as typed
        std::array<int, 4> lengths;
        int key_type;
        char const* psk;
        std::uint32_t auth_code;   // the site survey's record
        std::uint32_t cipher_code;
        std::uint32_t b8021x;
    };
    auto wep = [](int mode, int key_type, char const* key) {
        return [=](SecurityEditorTest& t) {
            t.command(auth_command(mode));
            t.command(cipher_command(kCipherWep));
            t.command(key_type_command(1, key_type == 1));
            t.type(CPageAuthEncryDlg::kKeyEdits[0], key);
        };
    };
    auto with_8021x = [wep](int mode, int method) {
        return [=](SecurityEditorTest& t) {
            wep(mode, 0, "1A2B3C4D5E")(t);
            t.check_8021x(true);
            t.eap_method(method);
            t.identity("frank", "md5pass");
            t.tab8021x().m_pEapFastDlg->m_arrPAC = { PAC_ENTRY { 1, "pac", "/tmp/a.pac" } };
        };
    };
    Case const cases[] = {
        { "open wep, 26 hexadecimal digits", 1, 0, "WEP", wep(kAuthOpen, 0, kHex26), 0, { kHex26 }, { 13 }, 0, "", AUTH_OPEN, ENC_WEP, 0 },
        { "open wep, 13 ASCII characters", 1, 0, "WEP", wep(kAuthOpen, 1, "abcdefghijklm"), 0, { "abcdefghijklm" }, { 13 }, 1, "", AUTH_OPEN,
            ENC_WEP, 0 },
        { "shared wep", 1, 0, "WEP", wep(kAuthShared, 1, "abcde"), 0, { "abcde" }, { 5 }, 1, "", AUTH_SHARED, ENC_WEP, 0 },
        { "shared with the box and PEAP: the block, no keys", 1, 0, "WEP", with_8021x(kAuthShared, EAP_PEAP), 1, {}, {}, 0, "", AUTH_SHARED,
            ENC_WEP, 1 },
        { "open with the box and MD5-Challenge: the block and the keys", 1, 0, "WEP", with_8021x(kAuthOpen, EAP_MD5), 1, { "1A2B3C4D5E" }, { 5 },
            0, "", AUTH_OPEN, ENC_WEP, 1 },
        { "CCKM: the block", 1, 8, "AES",
            [](SecurityEditorTest& t) {
                t.command(auth_command(kAuthCckm));
                t.command(cipher_command(kCipherAes));
                t.eap_method(EAP_LEAP);
            },
            1, {}, {}, 0, "", AUTH_CCKM, ENC_AES, 1 },
        { "WPA2-PSK", 1, 5, "AES",
            [](SecurityEditorTest& t) {
                t.command(auth_command(kAuthWpa2Psk));
                t.command(cipher_command(kCipherAes));
                t.type(CPageAuthEncryDlg::IDC_PSK, "correct horse battery");
            },
            0, {}, {}, 0, "correct horse battery", AUTH_WPA2_PSK, ENC_AES, 0 },
        { "WPA2-PSK ad hoc", 0, 5, "AES",
            [](SecurityEditorTest& t) {
                t.command(auth_command(kAuthWpa2Psk));
                t.command(cipher_command(kCipherAes));
                t.type(CPageAuthEncryDlg::IDC_PSK, "frag-them-all");
            },
            0, {}, {}, 0, "frag-them-all", AUTH_WPA2_PSK, ENC_AES, 0 },
        { "WAPI-PSK", 1, 6, "SMS4",
            [](SecurityEditorTest& t) {
                t.command(auth_command(kAuthWapiPsk));
                t.type(CPageAuthEncryDlg::IDC_PSK, "wapi-secret");
            },
            0, {}, {}, 0, "wapi-secret", AUTH_WAPI_PSK, ENC_SMS4, 0 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        lib.pac_lists.clear();
        open_for(c.infrastructure, c.wpa, c.cipher);
        EXPECT_EQ(sent(MSG_SHOW_SECURITYEDITOR, 2, 1), 1) << "shown: the pending settings reset";
        c.enter(*this);
        ok();
        ASSERT_EQ(boxes, std::vector<std::string>());
        EXPECT_EQ(sent(MSG_SHOW_SECURITYEDITOR, 0, 2), 1);
        EXPECT_EQ(calls("WritePACList"), c.pac_writes);
        EXPECT_EQ(lib.pac_lists.count(""), std::size_t(c.pac_writes));
        SECURITY_HAND_OVER const& h = editor->m_HandOver;
        EXPECT_TRUE(editor->m_PacList.empty()) << "the PAC list goes with OK";
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_STREQ(h.WEPKey[k].data(), c.keys[k] ? c.keys[k] : "") << "key " << k + 1;
            EXPECT_EQ(h.nKeyLength[k], c.lengths[k]) << "key " << k + 1;
        }
        if (c.keys[0]) {
            EXPECT_EQ(h.nKeyType[0], c.key_type);
        }
        EXPECT_EQ(h.strPskKey, c.psk);

        WLANPROFILE const record = survey_record(h, scanned(), c.wpa);
        EXPECT_EQ(record.enumAuthenMode, c.auth_code);
        EXPECT_EQ(record.enumEncryStatus, c.cipher_code);
        EXPECT_EQ(record.b8021X, c.b8021x);
        EXPECT_STREQ(record.WEPKey1, c.keys[0] ? c.keys[0] : "");
        if (c.keys[0]) {
            EXPECT_EQ(record.WEPKey1Type, std::uint32_t(c.key_type));
        }
        EXPECT_EQ(wlan::profile::read_psk(record), c.psk);
        if (c.b8021x) {
            EXPECT_EQ(record.enumAuthenProtocol, std::uint32_t(tab8021x().m_nEapMethod));
        }
    }
}

TEST_F(SecurityEditorTest, The8021XCheckRunsForSharedWithTheBoxButNotForCckm)
{
    struct Case {
        char const* what;
        int mode;
        int cipher;
        bool box;
        int wpa;
        bool checked;
    };
    Case const cases[] = {
        { "shared with the box", kAuthShared, kCipherWep, true, 0, true },
        { "open with the box", kAuthOpen, kCipherWep, true, 0, true },
        { "WPA2", kAuthWpa2, kCipherAes, false, 4, true },
        { "CCKM", kAuthCckm, kCipherAes, false, 8, false },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        open_for(1, c.wpa, c.cipher == kCipherWep ? "WEP" : "AES");
        command(auth_command(c.mode));
        command(cipher_command(c.cipher));
        if (c.cipher == kCipherWep)
            type(CPageAuthEncryDlg::kKeyEdits[0], "1A2B3C4D5E");
        if (c.box)
            check_8021x(true);
        eap_method(EAP_PEAP);
        identity("", "");
        ok();
        EXPECT_EQ(boxes, c.checked ? std::vector<std::string> { "IDS_IDREQUIRED" } : std::vector<std::string> {});
        EXPECT_EQ(sent(MSG_SHOW_SECURITYEDITOR, 0, 2), c.checked ? 0 : 1);
    }
}

TEST_F(SecurityEditorTest, WapiCertificateNamesAreRequiredOnlyWithTheCertificateOption)
{
    struct Case {
        char const* what;
        int wapi_cert;
        char const* user;
        char const* as;
        char const* message;
        int user_tab;
        int as_tab;
    };
    Case const cases[] = {
        { "option on, no user certificate", 1, "", "as.cer", "IDS_NO_USER_CERT", 1, 0 },
        { "option on, no AS certificate", 1, "user.cer", "", "IDS_NO_AS_CERT", 0, 1 },
        { "option on, both", 1, "user.cer", "as.cer", nullptr, 0, 0 },
        { "option off: not asked, taken as they are", 0, "", "", nullptr, 0, 0 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        G_VxWlLib.bWAPICert = c.wapi_cert;
        open_for(1, 7, "SMS4");
        CPageWAPIDlg& wapi = *editor->m_pPageWAPIDlg;
        command(auth_command(kAuthWapiCa));
        wapi.m_strUserCertPath = c.user;
        wapi.m_strASCertPath = c.as;
        int const user_shown = wapi.m_nUserTabShown;
        int const as_shown = wapi.m_nASTabShown;
        ok();
        EXPECT_EQ(boxes, c.message ? std::vector<std::string> { c.message } : std::vector<std::string> {});
        EXPECT_EQ(wapi.m_nUserTabShown - user_shown, c.user_tab);
        EXPECT_EQ(wapi.m_nASTabShown - as_shown, c.as_tab);
        EXPECT_EQ(sent(MSG_SHOW_SECURITYEDITOR, 0, 2), c.message ? 0 : 1);
        if (c.message) {
            EXPECT_TRUE(::IsWindowVisible(wapi.m_hWnd)) << "the WAPI tab is brought forward";
            continue;
        }
        EXPECT_EQ(editor->m_HandOver.strWAPIUserCert, c.user);
        EXPECT_EQ(editor->m_HandOver.strWAPIASCert, c.as);
        WLANPROFILE const record = survey_record(editor->m_HandOver, scanned(), 7);
        EXPECT_EQ(record.enumAuthenMode, std::uint32_t(AUTH_WAPI_CERT));
        EXPECT_STREQ(record.chUserCertPath, c.user);
    }
}

TEST_F(SecurityEditorTest, ThePresetFollowsTheScannedNetworkAndOpensOnTheAuthenticationTab)
{
    open_for(1, 5, "AES");
    EXPECT_EQ(auth().m_model.state.auth, kAuthWpa2Psk);
    EXPECT_EQ(auth().m_model.state.cipher, kCipherAes);
    EXPECT_TRUE(::IsWindowVisible(auth().m_hWnd));
    EXPECT_FALSE(auth().m_model.editor.in_profile_editor);
    EXPECT_FALSE(tab8021x().m_bInProfileEditor);
    EXPECT_FALSE(::IsWindowEnabled(editor->tab_button(TAB_BUTTON_8021X)->m_hWnd));

    open_for(0, 0, "WEP");
    EXPECT_EQ(auth().m_model.state.network_type, 0);
}

TEST_F(SecurityEditorTest, CancelPostsItsEndAndConnectsNothing)
{
    open_for(1, 5, "AES");
    command(auth_command(kAuthWpa2Psk));
    type(CPageAuthEncryDlg::IDC_PSK, "correct horse battery");
    parent.privates.clear();
    lib.calls.clear();
    editor->OnCancel();
    EXPECT_TRUE(parent.privates.empty()) << "posted, not sent";
    pump();
    EXPECT_EQ(sent(MSG_SHOW_SECURITYEDITOR, 0, 0), 1);
    EXPECT_EQ(sent(MSG_SHOW_SECURITYEDITOR, 0, 2), 0);
    EXPECT_EQ(calls("WritePACList"), 0);
    EXPECT_FALSE(::IsWindowVisible(editor->m_hWnd));
}
