// The 802.1X tab inside the profile editor: the round trip of every method through Add, Save,
// Edit, Save, the checks of OK, the menus' greying, the sub-tab layouts, and pictures of the
// sub-tabs.
#include "EapTabFixture.h"

// Pictures of the four sub-tabs beside the test binary, for a person to look at.
TEST_F(EapTabTest, SnapshotsOfTheSubTabs)
{
    std::filesystem::path const out = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "eap_tab_snapshots";
    std::filesystem::create_directories(out);
    editor.reset();
    G_UiStr.load_from(std::filesystem::path(DIALOGS_RESOURCES).parent_path().string() + "/", "0409");
    G_VxWlLib.bShowPassword = 1;
    write_pac(folder / "corp.pac");
    remake(8);
    auto write = [&](char const* file) {
        pump();
        HDC const whole = ::GetWindowDC(parent.m_hWnd);
        EXPECT_TRUE(platform::gdi::write_png(whole, (out / (std::string(file) + ".png")).string()));
        ::ReleaseDC(parent.m_hWnd, whole);
    };
    open_8021x();
    type(name(), Name::IDC_IDENTITY, "alice");
    type(name(), Name::IDC_PASSWORD, "secret");
    write("identity");
    method(EAP_TLS);
    x().m_pBtnClientCert->SendMessage(BM_CLICK);
    write("client-certificate");
    x().m_pBtnServerCert->SendMessage(BM_CLICK);
    click(server(), Server::IDC_USE_CERT);
    type(server(), Server::IDC_SERVER_NAME, "radius.corp.example");
    write("server-certificate");
    method(EAP_FAST);
    x().m_pBtnEapFast->SendMessage(BM_CLICK);
    write("eap-fast");
}

// Add, Save, Edit, Save stores the same record for every method and inner method, with and
// without server validation.
TEST_F(EapTabTest, AddSaveEditSaveStoresTheSameRecordForEveryMethod)
{
    struct Case {
        char const* what;
        int win_os;
        int method;
        int inner;        // PEAP / EAP-FAST index, TTLS index, or -1
        bool server;      // validate the server against Corp Root CA
        std::uint32_t tunnel_code;
        bool user_cert;
        int provisioning { -1 }; // EAP-FAST under EapFastEnhancement: the provisioning tunnel
    };
    Case const cases[] = {
        { "PEAP MSCHAPv2", 12, EAP_PEAP, 0, false, 26, false },
        { "PEAP MSCHAPv2, server", 12, EAP_PEAP, 0, true, 26, false },
        { "PEAP TLS", 12, EAP_PEAP, 1, true, 13, true },
        { "PEAP GTC", 12, EAP_PEAP, 2, false, 6, false },
        { "TLS", 12, EAP_TLS, -1, true, 26, true },
        { "TLS, no server check", 12, EAP_TLS, -1, false, 26, true },
        { "LEAP", 12, EAP_LEAP, -1, false, 26, false },
        { "EAP-FAST, older", 8, EAP_FAST, -1, false, 6, false },
        { "EAP-FAST, provisioned over EAP-TLS", 8, EAP_FAST, -1, false, 26, true, 1 },
        { "EAP-FAST, provisioned over GTC", 8, EAP_FAST, -1, true, 26, false, 2 },
        { "PEAP, older, server", 8, EAP_PEAP, 0, true, 26, false },
        { "TTLS CHAP", 8, EAP_TTLS, 0, false, 72, false },
        { "TTLS MS-CHAP", 8, EAP_TTLS, 1, true, 71, false },
        { "TTLS MS-CHAP-V2", 8, EAP_TTLS, 2, false, 26, false },
        { "TTLS PAP", 8, EAP_TTLS, 3, false, 73, false },
        { "TTLS EAP-MD5", 8, EAP_TTLS, 4, true, 4, false },
        { "MD5-Challenge", 8, EAP_MD5, -1, false, 26, false },
    };
    write_pac(folder / "corp.pac");
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        lib.profiles.clear();
        lib.pac_lists.clear();
        G_VxWlLib.bEapFastEnhancement = c.provisioning >= 0;
        remake(c.win_os);
        open_8021x();
        method(c.method);
        if (c.provisioning >= 0)
            command(fast(), 32891 + c.provisioning);
        if (c.inner >= 0)
            c.method == EAP_TTLS ? ttls_inner(c.inner) : inner(c.inner);
        type(name(), Name::IDC_IDENTITY, "alice");
        type(name(), Name::IDC_PASSWORD, "secret");
        if (c.server) {
            click(server(), Server::IDC_USE_CERT);
            server().m_comboCA.SendMessage(CB_SETCURSEL, 1);
            server().SendMessage(WM_COMMAND, MAKEWPARAM(Server::IDC_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(server().m_comboCA.m_hWnd));
            type(server(), Server::IDC_SERVER_NAME, "radius.corp.example");
        }
        if (c.method == EAP_FAST) {
            ASSERT_EQ(fast().m_arrPAC.size(), 1u);
            select_row(fast().m_listPAC, 0);
            fast().ToggleFocused();
        }
        ok();
        ASSERT_EQ(boxes, std::vector<std::string>());
        WLANPROFILE const* first = stored("Corp");
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->enumAuthenProtocol, std::uint32_t(c.method));
        EXPECT_EQ(first->enumTunnel, c.tunnel_code);
        EXPECT_STREQ(first->chID, "alice");
        EXPECT_EQ(first->bServerCert, c.server ? 1u : 0u);
        EXPECT_EQ(first->CA_cert.BlobLength, c.server ? 20u : 0u);
        EXPECT_EQ(first->user_cert.BlobLength, c.user_cert ? 20u : 0u);
        if (c.user_cert) {
            EXPECT_EQ(std::vector<std::uint8_t>(first->user_cert.BlobData, first->user_cert.BlobData + 20), bytes_of("carol"));
        }
        if (c.server) {
            EXPECT_STREQ(first->chServerName, "radius.corp.example");
            EXPECT_EQ(std::vector<std::uint8_t>(first->CA_cert.BlobData, first->CA_cert.BlobData + 20), bytes_of("corp-root"));
        }
        if (c.method == EAP_FAST) {
            std::uint32_t const provisioning_codes[3] = { 26, 13, 6 };
            EXPECT_EQ(first->enumProvisioningTunnel, provisioning_codes[c.provisioning >= 0 ? c.provisioning : 0]);
            EXPECT_EQ(first->bProvision, 1u);
            EXPECT_EQ(first->bPAC, 1u);
            ASSERT_EQ(lib.pac_lists["Corp"].size(), 1u);
            EXPECT_EQ(lib.pac_lists["Corp"][0].Value, 1u);
            EXPECT_STREQ(lib.pac_lists["Corp"][0].Name, "corp.pac");
        }
        WLANPROFILE const saved = *first;
        auto const pacs = lib.pac_lists["Corp"];

        edit("Corp", "3");
        ok();
        ASSERT_EQ(boxes, std::vector<std::string>());
        ASSERT_EQ(lib.profiles.size(), 1u);
        EXPECT_EQ(std::memcmp(&saved, stored("Corp"), sizeof(WLANPROFILE)), 0);
        EXPECT_EQ(lib.pac_lists["Corp"].size(), pacs.size());
    }
}

namespace {

// The local date of the checks: 2026-06-15, noon.
void set_today()
{
    auto& manual = dynamic_cast<platform::ManualClock&>(platform::clock());
    auto const noon = std::chrono::sys_days { std::chrono::year { 2026 } / 6 / 15 } + std::chrono::hours { 12 };
    manual.set_unix_time_us(std::chrono::duration_cast<std::chrono::microseconds>(noon.time_since_epoch()).count());
}

struct CheckCase {
    char const* what;
    int win_os;
    int method;
    int inner;
    char const* identity;
    char const* password;
    std::function<void(EapTabTest&)> more;
    char const* message; // nullptr: the check passes
};

void server_check(EapTabTest& t, char const* name, int rule)
{
    t.click(t.server(), Server::IDC_USE_CERT);
    t.type(t.server(), Server::IDC_SERVER_NAME, name);
    t.server().m_radioRule[0].SendMessage(BM_SETCHECK, rule == 0 ? BST_CHECKED : BST_UNCHECKED);
    t.server().m_radioRule[1].SendMessage(BM_SETCHECK, rule == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void password_mode(EapTabTest& t, int mode)
{
    for (int m = 0; m < 4; ++m)
        t.name().m_radioMode[std::size_t(m)].SendMessage(BM_SETCHECK, m == mode ? BST_CHECKED : BST_UNCHECKED);
}

void expiring(EapTabTest& t, char const* date)
{
    t.stores.certs[0].expires = date;
    t.method(EAP_TLS); // enumerates again
}

}

TEST_F(EapTabTest, TheChecksOfOkOnOlderAndNewerSystems)
{
    set_today();
    auto no_personal_certs = [](EapTabTest& t) {
        std::erase_if(t.stores.certs, [](StoreCert const& c) { return c.store == "MY"; });
        t.method(EAP_TLS);
    };
    CheckCase const cases[] = {
        // Older systems.
        { "older: no identity", 8, EAP_PEAP, 0, "", "pw", nullptr, "IDS_IDREQUIRED" },
        { "older: PEAP without password", 8, EAP_PEAP, 0, "alice", "", nullptr, "IDS_PWDREQUIRED" },
        { "older: PEAP-TLS needs no password", 8, EAP_PEAP, 1, "alice", "", nullptr, nullptr },
        { "older: TTLS without password", 8, EAP_TTLS, 0, "alice", "", nullptr, "IDS_PWDREQUIRED" },
        { "older: EAP-FAST without password", 8, EAP_FAST, -1, "alice", "", nullptr, "IDS_PWDREQUIRED" },
        { "older: LEAP without password", 8, EAP_LEAP, -1, "alice", "", nullptr, "IDS_PWDREQUIRED" },
        { "older: MD5 without password", 8, EAP_MD5, -1, "alice", "", nullptr, "IDS_CHECKRULE4" },
        { "older: TLS without a certificate", 8, EAP_TLS, -1, "alice", "", no_personal_certs, "IDS_CHECKRULE5" },
        { "older: server without name", 8, EAP_PEAP, 0, "alice", "pw", [](EapTabTest& t) { server_check(t, "", 0); }, "IDS_IDREQUIRED" },
        { "older: rule 1, abc.", 8, EAP_PEAP, 0, "alice", "pw", [](EapTabTest& t) { server_check(t, "abc.", 1); }, "IDS_CHECKRULE7" },
        { "older: rule 1, .ab", 8, EAP_PEAP, 0, "alice", "pw", [](EapTabTest& t) { server_check(t, ".ab", 1); }, "IDS_CHECKRULE7" },
        { "older: rule 1, abc", 8, EAP_PEAP, 0, "alice", "pw", [](EapTabTest& t) { server_check(t, "abc", 1); }, "IDS_CHECKRULE7" },
        { "older: rule 1, a.b", 8, EAP_PEAP, 0, "alice", "pw", [](EapTabTest& t) { server_check(t, "a.b", 1); }, nullptr },
        { "older: rule 0, abc", 8, EAP_PEAP, 0, "alice", "pw", [](EapTabTest& t) { server_check(t, "abc", 0); }, nullptr },
        // Newer systems.
        { "newer: no identity", 12, EAP_PEAP, 0, "", "pw", nullptr, "IDS_IDREQUIRED" },
        { "newer: no password", 12, EAP_PEAP, 0, "alice", "", nullptr, "IDS_PWDREQUIRED" },
        { "newer: GTC soft token needs neither", 12, EAP_PEAP, 2, "", "", [](EapTabTest& t) { password_mode(t, 0); }, nullptr },
        { "newer: GTC static needs the password", 12, EAP_PEAP, 2, "alice", "", [](EapTabTest& t) { password_mode(t, 1); }, "IDS_PWDREQUIRED" },
        { "newer: TLS without a certificate", 12, EAP_TLS, -1, "alice", "", no_personal_certs, "IDS_CHECKRULE5" },
        { "newer: certificate expiring today", 12, EAP_TLS, -1, "alice", "", [](EapTabTest& t) { expiring(t, "2026/06/15"); }, nullptr },
        { "newer: certificate expired yesterday", 12, EAP_TLS, -1, "alice", "", [](EapTabTest& t) { expiring(t, "2026/06/14"); },
            "IDS_ERROR_CERT_INVALID_EXPDAT" },
        { "newer: certificate expired last month", 12, EAP_TLS, -1, "alice", "", [](EapTabTest& t) { expiring(t, "2026/05/30"); },
            "IDS_ERROR_CERT_INVALID_EXPDAT" },
        { "newer: expiry that is no date", 12, EAP_TLS, -1, "alice", "", [](EapTabTest& t) { expiring(t, "soon"); }, "IDS_ERROR_CERT_INVALID_EXPDAT" },
        { "newer: server without name", 12, EAP_TLS, -1, "alice", "", [](EapTabTest& t) { server_check(t, "", 0); }, "IDS_SERVER_NAME_REQUIRED" },
        { "newer: rule 1, abc.", 12, EAP_PEAP, 0, "alice", "pw", [](EapTabTest& t) { server_check(t, "abc.", 1); }, "IDS_CHECKRULE7" },
        { "newer: LEAP static without password", 12, EAP_LEAP, -1, "alice", "", nullptr, "IDS_PWDREQUIRED" },
        { "newer: TTLS checks nothing", 12, EAP_TTLS, 0, "", "", nullptr, nullptr },
        { "newer: EAP-FAST checks nothing", 12, EAP_FAST, -1, "", "", nullptr, nullptr },
    };
    auto const all_certs = stores.certs;
    for (CheckCase const& c : cases) {
        SCOPED_TRACE(c.what);
        stores.certs = all_certs;
        remake(c.win_os);
        open_8021x();
        method(c.method);
        if (c.inner >= 0)
            c.method == EAP_TTLS ? ttls_inner(c.inner) : inner(c.inner);
        type(name(), Name::IDC_IDENTITY, c.identity);
        type(name(), Name::IDC_PASSWORD, c.password);
        if (c.more)
            c.more(*this);
        boxes.clear();
        EXPECT_EQ(x().Validate(), c.message ? FALSE : TRUE);
        EXPECT_EQ(boxes, c.message ? std::vector<std::string> { c.message } : std::vector<std::string> {});
    }
}

// MD5-Challenge by the authentication tab's choice; LEAP, EAP-FAST and Generic Token Card
// greyed on a newer system without the EAP host, while a loaded profile keeps them.
TEST_F(EapTabTest, TheMethodMenusGreyByTheSystemAndTheAuthenticationTab)
{
    struct Case {
        int win_os;
        std::uint32_t auth_mode;
        int cipher; // -1: the mode's own
        bool b8021x;
        int eap_host;
        bool md5, leap, fast, gtc;
    };
    Case const cases[] = {
        { 12, kAuthWpa2, -1, false, 1, false, true, true, true },
        { 12, kAuthWpa2, -1, false, 0, false, false, false, false },
        { 8, kAuthWpa2, kCipherAes, false, 0, false, true, true, true },
        { 8, kAuthOpen, kCipherWep, true, 1, true, true, true, true },
        { 8, kAuthShared, kCipherWep, true, 1, true, true, true, true },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(testing::Message() << c.win_os << " auth " << c.auth_mode << " host " << c.eap_host);
        stores.eap_host = c.eap_host;
        remake(c.win_os);
        add("Corp", "3");
        tab(TAB_BUTTON_AUTH);
        command(auth(), auth_command(int(c.auth_mode)));
        if (c.cipher >= 0)
            command(auth(), cipher_command(c.cipher));
        if (c.b8021x)
            click(auth(), CPageAuthEncryDlg::IDC_USE_8021X);
        tab(TAB_BUTTON_8021X);
        HMENU const methods = x().m_btnMethod.drop_menu()->GetSubMenu(0);
        x().SendMessage(Tab::WM_METHOD_MENU, reinterpret_cast<WPARAM>(methods), 0);
        auto on = [](HMENU menu, int id) { return (GetMenuState(menu, UINT(id), MF_BYCOMMAND) & MF_GRAYED) == 0; };
        EXPECT_EQ(GetMenuState(methods, Tab::ID_TTLS, MF_BYCOMMAND) != UINT(-1), c.win_os < 10); // menu 204 or 208
        if (c.win_os < 10) {
            EXPECT_EQ(on(methods, Tab::ID_MD5), c.md5);
        }
        EXPECT_EQ(on(methods, Tab::ID_LEAP), c.leap);
        EXPECT_EQ(on(methods, Tab::ID_EAP_FAST), c.fast);
        EXPECT_TRUE(on(methods, Tab::ID_PEAP) && on(methods, Tab::ID_TLS));
        HMENU const tunnels = x().m_btnTunnel.drop_menu()->GetSubMenu(0);
        x().SendMessage(Tab::WM_TUNNEL_MENU, reinterpret_cast<WPARAM>(tunnels), 0);
        EXPECT_EQ(on(tunnels, Tab::ID_INNER_GTC), c.gtc);
    }
    // A stored LEAP profile keeps its method on the system without the EAP host.
    stores.eap_host = 0;
    remake(12);
    lib.add("Lab", "LabNet", AUTH_WPA2, ENC_AES).enumAuthenProtocol = EAP_LEAP;
    edit("Lab", "1");
    EXPECT_EQ(x().m_nEapMethod, int(EAP_LEAP));
    tab(TAB_BUTTON_8021X);
    EXPECT_EQ(x().m_nEapMethod, int(EAP_LEAP));
}

// Which sub-tab buttons show, in which slot (1 to 4, 0 hidden), and which page shows, by
// system, option, editor, method, inner method and provisioning tunnel.
TEST_F(EapTabTest, SubTabLayoutsForEveryMethod)
{
    struct Case {
        char const* what;
        int win_os;
        bool enhanced;
        bool profile_editor;
        int method;
        int inner;       // -1: the method's own
        int provisioning; // -1: untouched
        std::array<int, 5> slots; // identity, EAP-FAST, client, server, single sign-on
        int page;
    };
    Case const cases[] = {
        { "newer PEAP", 12, false, true, EAP_PEAP, 0, -1, { 1, 0, 2, 3, 4 }, 200 },
        { "newer TLS", 12, false, true, EAP_TLS, -1, -1, { 1, 0, 2, 3, 4 }, 200 },
        { "newer MD5", 12, false, true, EAP_MD5, -1, -1, { 1, 0, 0, 3, 4 }, 200 },
        { "newer LEAP", 12, false, true, EAP_LEAP, -1, -1, { 1, 0, 0, 0, 2 }, 200 },
        { "newer EAP-FAST, profile editor", 12, false, true, EAP_FAST, -1, -1, { 0, 0, 0, 0, 1 }, 446 },
        { "newer EAP-FAST, security editor", 12, false, false, EAP_FAST, -1, -1, { 0, 0, 0, 0, 0 }, 0 },
        { "newer PEAP, enhanced", 12, true, true, EAP_PEAP, 0, -1, { 1, 0, 2, 3, 4 }, 200 },
        { "older PEAP", 8, false, true, EAP_PEAP, 0, -1, { 1, 0, 2, 3, 0 }, 200 },
        { "older TTLS", 8, false, true, EAP_TTLS, 0, -1, { 1, 0, 2, 3, 0 }, 200 },
        { "older MD5", 8, false, true, EAP_MD5, -1, -1, { 1, 0, 0, 0, 0 }, 200 },
        { "older LEAP", 8, false, true, EAP_LEAP, -1, -1, { 1, 0, 0, 0, 0 }, 200 },
        { "older EAP-FAST", 8, false, true, EAP_FAST, -1, -1, { 1, 2, 0, 0, 0 }, 200 },
        { "older EAP-FAST, enhanced", 8, true, true, EAP_FAST, -1, -1, { 1, 2, 0, 0, 0 }, 200 },
        { "older EAP-FAST, enhanced, EAP-TLS inside", 8, true, true, EAP_FAST, 1, -1, { 1, 4, 2, 3, 0 }, 200 },
        { "older EAP-FAST, enhanced, provisioned over EAP-TLS", 8, true, true, EAP_FAST, 0, 1, { 1, 4, 2, 3, 0 }, 203 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        G_VxWlLib.bEapFastEnhancement = c.enhanced;
        remake(c.win_os);
        open_8021x();
        x().m_bInProfileEditor = c.profile_editor;
        method(c.method);
        if (c.inner >= 0)
            c.method == EAP_TTLS ? ttls_inner(c.inner) : inner(c.inner);
        int page = 0;
        if (c.provisioning >= 0) {
            x().m_pBtnEapFast->SendMessage(BM_CLICK);
            command(fast(), 32891 + c.provisioning);
            page = Fast::IDD;
        }
        Tab& t = x();
        std::array<int, 5> const slots = { slot_of(t.m_pBtnNamePassword), slot_of(t.m_pBtnEapFast), slot_of(t.m_pBtnClientCert),
            slot_of(t.m_pBtnServerCert), slot_of(t.m_pBtnSSO) };
        EXPECT_EQ(slots, c.slots);
        EXPECT_EQ(shown_page(), page ? page : c.page);
    }
}
