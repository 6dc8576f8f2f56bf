// The 802.1X tab's sub-tabs inside the profile editor: the identity and client certificate
// tabs' controls by method, the certificate lists, the EAP-FAST tab's PAC list, single sign-on,
// machine identity and the ShowPassword option.
#include "EapTabFixture.h"

namespace {

// A suite name of its own: the fixture type is this file's.
using EapSubTabsTest = EapTabTest;

}

// The identity tab's controls after a method or inner command: the newer systems' rule table,
// soft-token cases included, and the older systems' settings.
TEST_F(EapSubTabsTest, IdentityTabControlsByMethod)
{
    struct Case {
        char const* what;
        int win_os;
        bool enhanced;
        int start_mode; // the checked password mode before the command
        int method;
        int inner;
        bool kind, identity, password, modes, token_enabled, windows;
        int mode_after;
    };
    Case const cases[] = {
        { "newer PEAP MSCHAPv2", 12, false, 1, EAP_PEAP, 0, false, true, true, false, true, false, 1 },
        { "newer PEAP TLS", 12, false, 1, EAP_PEAP, 1, false, true, false, false, true, false, 1 },
        { "newer PEAP GTC static", 12, false, 1, EAP_PEAP, 2, false, true, true, true, true, true, 1 },
        { "newer PEAP GTC soft token", 12, false, 0, EAP_PEAP, 2, false, false, false, true, true, true, 0 },
        { "newer TLS", 12, false, 1, EAP_TLS, -1, false, true, false, false, true, false, 1 },
        { "newer MD5", 12, false, 1, EAP_MD5, -1, false, true, true, false, true, false, 1 },
        { "newer LEAP static", 12, false, 1, EAP_LEAP, -1, false, true, true, true, false, true, 1 },
        { "newer LEAP leaves soft token", 12, false, 0, EAP_LEAP, -1, false, true, true, true, false, true, 1 },
        { "newer EAP-FAST GTC keeps soft token", 12, false, 0, EAP_FAST, -1, false, false, true, true, true, true, 0 },
        { "newer EAP-FAST MSCHAPv2 leaves soft token", 12, true, 0, EAP_FAST, -1, false, true, true, true, true, false, 1 },
        { "older PEAP MSCHAPv2", 8, false, 1, EAP_PEAP, 0, false, true, true, false, true, false, 1 },
        { "older PEAP GTC", 8, false, 1, EAP_PEAP, 2, false, true, true, true, true, false, 1 },
        { "older TTLS", 8, false, 1, EAP_TTLS, -1, false, true, true, false, true, false, 1 },
        { "older TLS", 8, false, 1, EAP_TLS, -1, false, true, false, false, true, false, 1 },
        { "older EAP-FAST", 8, false, 1, EAP_FAST, -1, true, true, true, true, true, false, 1 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        G_VxWlLib.bEapFastEnhancement = c.enhanced;
        remake(c.win_os);
        open_8021x();
        for (int m = 0; m < 4; ++m)
            name().m_radioMode[std::size_t(m)].SendMessage(BM_SETCHECK, m == c.start_mode ? BST_CHECKED : BST_UNCHECKED);
        name().UpdateDataEx(TRUE);
        method(c.method);
        if (c.inner >= 0)
            inner(c.inner);
        EXPECT_EQ(enabled(name(), Name::IDC_ID_KIND), c.kind);
        EXPECT_EQ(enabled(name(), Name::IDC_IDENTITY), c.identity);
        EXPECT_EQ(enabled(name(), Name::IDC_PASSWORD), c.password);
        EXPECT_EQ(enabled(name(), Name::IDC_PASSWORD_LABEL), c.password);
        EXPECT_FALSE(enabled(name(), Name::IDC_DOMAIN) && c.win_os >= 10);
        EXPECT_EQ(shown(name(), Name::IDC_MODE_LABEL), c.modes);
        EXPECT_EQ(shown(name(), Name::IDC_MODE_TOKEN), c.modes);
        if (c.modes) {
            EXPECT_EQ(enabled(name(), Name::IDC_MODE_TOKEN), c.token_enabled);
        }
        EXPECT_EQ(shown(name(), Name::IDC_MODE_WINDOWS), c.windows);
        name().UpdateDataEx(TRUE);
        EXPECT_EQ(name().m_nPasswordMode, c.mode_after);
    }
}

// The personal store's certificates in the client tab: none, one, three; a choice that
// outlives the next enumeration; equal texts; the trusted roots; a loaded profile's stored
// certificates found by their bytes; everything handed back when the tabs go.
TEST_F(EapSubTabsTest, CertificateListsAndChoices)
{
    auto const roots = std::vector<StoreCert> { stores.certs[2], stores.certs[3] };
    remake(12);
    open_8021x();
    for (std::size_t n : { 0u, 1u, 3u }) {
        SCOPED_TRACE(n);
        stores.certs = roots;
        for (std::size_t i = 0; i < n; ++i)
            stores.certs.push_back({ "MY", "user" + std::to_string(i), "Corp Root CA", "2030/12/31", "", bytes_of("user" + std::to_string(i)) });
        method(EAP_TLS);
        EXPECT_EQ(client().m_comboCert.SendMessage(CB_GETCOUNT), LRESULT(n));
        EXPECT_EQ(client().m_selectedCert.empty(), n == 0);
        if (n) {
            EXPECT_EQ(client().m_strIssuedTo, "user0");
        }
    }
    // The third chosen, then the store enumerated again: the choice was a copy and the
    // library's records of the first enumeration went back.
    client().m_comboCert.SendMessage(CB_SETCURSEL, 2);
    client().SendMessage(WM_COMMAND, MAKEWPARAM(Client::IDC_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(client().m_comboCert.m_hWnd));
    CertChoice const chosen = client().m_selectedCert;
    EXPECT_EQ(std::vector<std::uint8_t>(chosen.data.begin(), chosen.data.begin() + 20), bytes_of("user2"));
    EXPECT_EQ(client().m_selectedCert.record.Data, client().m_selectedCert.data.data());
    client().EnumerateCertificates();
    EXPECT_EQ(stores.handed.size(), 3u);
    EXPECT_EQ(client().m_strIssuedTo, "user0");
    EXPECT_EQ(std::vector<std::uint8_t>(client().m_selectedCert.data.begin(), client().m_selectedCert.data.begin() + 20), bytes_of("user0"));

    // Two certificates with the same four texts: either item picks the first.
    stores.certs = roots;
    stores.certs.push_back({ "MY", "twin", "CA", "2030/01/01", "t", bytes_of("first") });
    stores.certs.push_back({ "MY", "twin", "CA", "2030/01/01", "t", bytes_of("second") });
    method(EAP_TLS);
    client().m_comboCert.SendMessage(CB_SETCURSEL, 1);
    client().SendMessage(WM_COMMAND, MAKEWPARAM(Client::IDC_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(client().m_comboCert.m_hWnd));
    EXPECT_EQ(std::vector<std::uint8_t>(client().m_selectedCert.data.begin(), client().m_selectedCert.data.begin() + 20), bytes_of("first"));

    // A certificate longer than a profile blob holds is listed but cannot be chosen.
    stores.certs = roots;
    stores.certs.push_back({ "MY", "big", "CA", "2030/01/01", "", bytes_of("big", 200) });
    method(EAP_TLS);
    EXPECT_EQ(client().m_comboCert.SendMessage(CB_GETCOUNT), 1);
    EXPECT_TRUE(client().m_selectedCert.empty());

    // An empty trusted root store: the single "any" item and no authority.
    stores.certs.clear();
    click(server(), Server::IDC_USE_CERT);
    EXPECT_EQ(server().m_comboCA.SendMessage(CB_GETCOUNT), 1);
    EXPECT_EQ(server().m_comboCA.FetchCellText(0, 0), "- Any Trusted CA -");
    EXPECT_TRUE(server().m_selectedCA.empty());

    // Destroying the tabs hands every enumeration back.
    editor.reset();
    EXPECT_TRUE(stores.handed.empty());
}

TEST_F(EapSubTabsTest, ALoadedProfileSelectsItsCertificatesByTheirBytes)
{
    stores.certs.insert(stores.certs.begin() + 1, { "MY", "carol", "Corp Root CA", "2031/01/01", "Carol 2", bytes_of("carol-2") });
    WLANPROFILE& p = lib.add("Corp", "CorpNet", AUTH_WPA2, ENC_AES);
    p.enumAuthenProtocol = EAP_TLS;
    p.bClientCert = 1;
    p.bServerCert = 1;
    wlan::profile::write_text(p.chID, "carol");
    wlan::profile::write_text(p.chServerName, "radius.corp.example");
    auto const blob = [](std::vector<std::uint8_t> const& bytes) {
        KT_BLOB_KEY b {};
        b.BlobLength = std::uint32_t(bytes.size());
        std::copy(bytes.begin(), bytes.end(), b.BlobData);
        return b;
    };
    p.user_cert = blob(bytes_of("carol-2"));
    p.CA_cert = blob(bytes_of("other-root"));
    edit("Corp", "1");
    EXPECT_EQ(client().m_comboCert.SendMessage(CB_GETCURSEL), 1);
    EXPECT_EQ(client().m_strFriendlyName, "Carol 2");
    EXPECT_EQ(server().m_comboCA.SendMessage(CB_GETCURSEL), 2);
    EXPECT_EQ(server().m_comboCA.FetchCellText(2, 0), "Other Root");
    // Shown again: the library's stored certificate is selected once more (a new profile, whose
    // read fails, keeps the loaded one).
    stores.read_cert_result = VXWL_ERROR_FAIL;
    tab(TAB_BUTTON_8021X);
    EXPECT_EQ(client().m_strFriendlyName, "Carol 2");
    ok();
    EXPECT_EQ(std::memcmp(&stored("Corp")->user_cert, &p.user_cert, sizeof p.user_cert), 0);
}

// The EAP-FAST tab's PAC list: its folder, imports, the limit, Remove and the mark.
TEST_F(EapSubTabsTest, PacListOfTheEapFastTab)
{
    for (int i = 0; i < 60; ++i)
        write_pac(folder / ("p" + std::to_string(100 + i) + ".pac"));
    write_pac(folder / "elsewhere" / "outside.pac");
    remake(8);
    open_8021x();
    method(EAP_FAST);
    EXPECT_EQ(fast().m_arrPAC.size(), 50u); // the list's limit
    std::string const outside = (folder / "elsewhere" / "outside.pac").string();
    answer_file_dialog(outside);
    fast().OnImportPACFile();
    EXPECT_EQ(boxes, std::vector<std::string> { "At most 50 PAC files" });
    EXPECT_EQ(fast().m_arrPAC.size(), 50u);

    fast().m_arrPAC.resize(2);
    fast().RefreshPACList();
    boxes.clear();
    fast().OnImportPACFile();
    fast().OnImportPACFile();
    ASSERT_EQ(fast().m_arrPAC.size(), 3u); // once, however often imported
    EXPECT_STREQ(fast().m_arrPAC[2].Name, "outside.pac");
    EXPECT_EQ(fast().m_arrPAC[2].Path, outside);

    // The double click flips the focused row's mark.
    select_row(fast().m_listPAC, 2);
    NMHDR notice { fast().m_listPAC.m_hWnd, UINT_PTR(Fast::IDC_LIST), UINT(NM_DBLCLK) };
    fast().SendMessage(WM_NOTIFY, Fast::IDC_LIST, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(fast().m_arrPAC[2].Value, 1u);
    fast().SendMessage(WM_NOTIFY, Fast::IDC_LIST, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(fast().m_arrPAC[2].Value, 0u);

    // Remove: a PAC imported from elsewhere only leaves the list; one of the PAC folder goes.
    fast().OnRemovePACFile();
    EXPECT_EQ(fast().m_arrPAC.size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(outside));
    std::string const inside = fast().m_arrPAC[0].Path;
    select_row(fast().m_listPAC, 0);
    fast().OnRemovePACFile();
    EXPECT_EQ(fast().m_arrPAC.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(inside));
    for (int i = 0; i < 3; ++i)
        fast().m_listPAC.SetItemState(i, 0, LVIS_SELECTED);
    fast().OnRemovePACFile();
    EXPECT_EQ(boxes, std::vector<std::string> { "IDS_NOSELECTEDITEM" });

    // Three provisioning tunnels below code 10, two from 10.
    auto tunnels = [&] {
        HMENU const menu = fast().m_btnTunnel.drop_menu()->GetSubMenu(0);
        return ::GetMenuItemCount(menu);
    };
    EXPECT_EQ(tunnels(), 3);
    remake(12);
    open_8021x();
    EXPECT_EQ(tunnels(), 2);
}

// Single sign-on: a profile with machine authentication but no single sign-on shows the
// option checked and disabled and keeps its bit when saved.
TEST_F(EapSubTabsTest, SingleSignOnKeepsItsBits)
{
    WLANPROFILE& p = lib.add("Corp", "CorpNet", AUTH_WPA2, ENC_AES);
    wlan::profile::write_text(p.chID, "alice");
    wlan::profile::write_text(p.chPassword, "secret");
    p.ssoInfo = 2;
    edit("Corp", "1");
    tab(TAB_BUTTON_8021X);
    x().m_pBtnSSO->SendMessage(BM_CLICK);
    pump();
    CPageProfileSSODlg& sso = *x().m_pProfileSSODlg;
    EXPECT_EQ(shown_page(), 446);
    EXPECT_EQ(sso.m_btnMachine.SendMessage(BM_GETCHECK), BST_CHECKED);
    EXPECT_FALSE(enabled(sso, CPageProfileSSODlg::IDC_MACHINE));
    click(sso, CPageProfileSSODlg::IDC_ENABLE);
    EXPECT_TRUE(enabled(sso, CPageProfileSSODlg::IDC_MACHINE));
    click(sso, CPageProfileSSODlg::IDC_ENABLE);
    ok();
    ASSERT_EQ(boxes, std::vector<std::string>());
    EXPECT_EQ(stored("Corp")->ssoInfo, 2u);
}

// The client certificate tab after a method or inner command.
TEST_F(EapSubTabsTest, ClientCertificateTabByMethod)
{
    struct Case {
        char const* what;
        int win_os;
        bool enhanced;
        int method;
        int inner;
        bool use_box_enabled, combo_enabled;
        int use_cert;
    };
    Case const cases[] = {
        { "older PEAP MSCHAPv2", 8, false, EAP_PEAP, 0, false, false, 0 },
        { "older PEAP TLS", 8, false, EAP_PEAP, 1, false, true, 1 },
        { "older TLS", 8, false, EAP_TLS, -1, false, true, 1 },
        { "older TTLS", 8, false, EAP_TTLS, -1, true, false, 0 },
        { "older MD5", 8, false, EAP_MD5, -1, true, false, 0 },
        { "older EAP-FAST", 8, false, EAP_FAST, -1, false, false, 0 },
        { "older EAP-FAST, enhanced, TLS inside", 8, true, EAP_FAST, 1, false, true, 1 },
        { "newer TLS", 12, false, EAP_TLS, -1, false, true, 1 },
        { "newer PEAP GTC", 12, false, EAP_PEAP, 2, false, false, 0 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        G_VxWlLib.bEapFastEnhancement = c.enhanced;
        remake(c.win_os);
        open_8021x();
        method(c.method);
        if (c.inner >= 0)
            c.method == EAP_TTLS ? ttls_inner(c.inner) : inner(c.inner);
        EXPECT_EQ(enabled(client(), Client::IDC_USE_CERT), c.use_box_enabled);
        EXPECT_EQ(enabled(client(), Client::IDC_COMBO), c.combo_enabled);
        EXPECT_EQ(client().m_bUseClientCert, c.use_cert);
        EXPECT_EQ(client().m_comboCert.SendMessage(CB_GETCOUNT), c.combo_enabled ? 2 : 0);
        // The box of older systems, the location radios of newer ones.
        EXPECT_EQ(shown(client(), Client::IDC_USE_CERT), c.win_os < 10);
        EXPECT_EQ(shown(client(), Client::IDC_ON_MACHINE), c.win_os >= 10);
    }
}

// Machine identity, the ShowPassword option, and texts longer than a profile field holds.
TEST_F(EapSubTabsTest, IdentityKindShowPasswordAndLongTexts)
{
    ::unsetenv("USERDNSDOMAIN");
    char computer[256] {};
    DWORD size = sizeof computer;
    ASSERT_TRUE(::GetComputerName(computer, &size));
    remake(8);
    open_8021x();
    method(EAP_FAST);
    name().SetIdentityKind(1);
    name().SendMessage(WM_COMMAND, MAKEWPARAM(Name::IDC_ID_KIND, CBN_SELCHANGE), reinterpret_cast<LPARAM>(name().m_comboIdKind.m_hWnd));
    pump();
    CString identity;
    name().GetDlgItemText(Name::IDC_IDENTITY, identity);
    EXPECT_EQ(identity.str(), std::string("host/") + computer + ".%USERDNSDOMAIN%");
    EXPECT_FALSE(enabled(name(), Name::IDC_IDENTITY));
    EXPECT_TRUE(enabled(name(), Name::IDC_PASSWORD));
    EXPECT_FALSE(x().m_pBtnClientCert->IsWindowEnabled());
    EXPECT_EQ(fast().m_bAllowUnauthProvision, 0);

    // ShowPassword 0: the box and its label stay hidden and the password masked.
    name().m_bShowPassword = 1;
    name().UpdateDataEx(FALSE);
    EXPECT_FALSE(shown(name(), Name::IDC_SHOW_PASSWORD));
    EXPECT_EQ(name().m_editPassword.SendMessage(EM_GETPASSWORDCHAR), LRESULT('*'));
    G_VxWlLib.bShowPassword = 1;
    name().UpdateDataEx(FALSE);
    EXPECT_EQ(name().m_editPassword.SendMessage(EM_GETPASSWORDCHAR), 0);

    // A 130-byte identity whose 127th byte starts a two-byte character is cut before it.
    name().SetIdentityKind(0);
    std::string const long_identity = std::string(126, 'a') + "\xC3\xA9" + "bc";
    remake(12);
    open_8021x();
    type(name(), Name::IDC_IDENTITY, long_identity);
    type(name(), Name::IDC_PASSWORD, "secret");
    ok();
    ASSERT_EQ(boxes, std::vector<std::string>());
    EXPECT_EQ(std::string(stored("Corp")->chID), std::string(126, 'a'));
}
