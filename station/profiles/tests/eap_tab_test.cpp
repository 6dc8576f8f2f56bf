// The 802.1X tab and its sub-tabs inside the profile editor, over a scripted library with
// certificate stores: the method and inner commands, the sub-tab layouts, the menus' greying,
// the checks of OK, the certificate lists, the EAP-FAST tab's PAC list, the round trip of
// every method through Add, Save, Edit, Save, and pictures of the sub-tabs.
#include "ProfileEditorFixture.h"

#include "platform/system/FileDialog.h"
#include "platform/system/FileDialogModel.h"
#include "platform/system/Locale.h"
#include "platform/user/Clock.h"
#include "station/core/IniFile.h"
#include "station/profiles/PageClientCertificationDlg.h"
#include "station/profiles/PageNamePasswordDlg.h"
#include "station/profiles/PageProfileSSODlg.h"
#include "station/profiles/PageServerCertificationDlg.h"

#include <fstream>
#include <set>

namespace {

using Name = CPageNamePasswordDlg;
using Client = CPageClientCertificationDlg;
using Server = CPageServerCertificationDlg;
using Fast = CPageEAPFastDlg;
using Tab = CPage8021XDlg;

// One certificate of the scripted stores.
struct StoreCert {
    std::string store, to, by, expires, friendly;
    std::vector<std::uint8_t> data;
};

// The stores and what the library handed out and got back.
struct CertStores {
    std::vector<StoreCert> certs;
    std::set<std::uint8_t const*> handed;
    int eap_host { 1 };
    KT_BLOB_KEY stored_user_cert {};
    int read_cert_result { 0 };
};
CertStores* g_stores = nullptr;

void bind_cert_calls()
{
    auto& lib = G_VxWlLib;
    lib.VXWL_EnumCert.bind([](const char* store, CERT_RECORD* records, VXWL_U32* count) {
        std::vector<StoreCert const*> of;
        for (auto const& c : g_stores->certs)
            if (c.store == store)
                of.push_back(&c);
        if (!records) {
            *count = VXWL_U32(of.size());
            return VXWL_ERROR_SUCCESS;
        }
        VXWL_U32 const filled = std::min<VXWL_U32>(*count, VXWL_U32(of.size()));
        for (VXWL_U32 i = 0; i < filled; ++i) {
            CERT_RECORD& r = records[i];
            r = CERT_RECORD {};
            std::strncpy(r.IssuedTo, of[i]->to.c_str(), 255);
            std::strncpy(r.IssuedBy, of[i]->by.c_str(), 255);
            std::strncpy(r.Expiration, of[i]->expires.c_str(), 255);
            std::strncpy(r.FriendlyName, of[i]->friendly.c_str(), 255);
            // A copy per record, as the library hands out data it frees later.
            auto* data = new std::uint8_t[of[i]->data.size() + 1];
            std::copy(of[i]->data.begin(), of[i]->data.end(), data);
            r.DataLength = VXWL_U32(of[i]->data.size());
            r.Data = data;
            g_stores->handed.insert(data);
        }
        *count = filled;
        return VXWL_ERROR_SUCCESS;
    });
    lib.VXWL_FreeCertArray.bind([](CERT_RECORD* records, VXWL_U32* count) {
        if (!records || !count)
            return VXWL_ERROR_SUCCESS;
        for (VXWL_U32 i = 0; i < *count; ++i) {
            if (g_stores->handed.erase(records[i].Data))
                delete[] records[i].Data;
            records[i].Data = nullptr;
        }
        *count = 0;
        return VXWL_ERROR_SUCCESS;
    });
    lib.VXWL_IsEapHostInstalled.bind([] { return g_stores->eap_host; });
    lib.VXWL_Read8021XCert.bind([](KT_BLOB_KEY* cert, const char*) {
        if (g_stores->read_cert_result == VXWL_ERROR_SUCCESS)
            *cert = g_stores->stored_user_cert;
        return g_stores->read_cert_result;
    });
}

std::vector<std::uint8_t> bytes_of(std::string const& id, std::size_t size = 20)
{
    std::vector<std::uint8_t> out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = std::uint8_t(id[i % id.size()] + i);
    return out;
}

class EapTabTest : public ProfileEditorTest {
public:
    void SetUp() override
    {
        g_stores = &stores;
        stores.certs = {
            { "MY", "carol", "Corp Root CA", "2030/12/31", "Carol", bytes_of("carol") },
            { "MY", "carol-old", "Corp Root CA", "2020/01/01", "Carol (old)", bytes_of("carol-old") },
            { "ROOT", "Corp Root CA", "Corp Root CA", "2035/01/01", "", bytes_of("corp-root") },
            { "ROOT", "Other Root", "Other Root", "2035/01/01", "", bytes_of("other-root") },
        };
        bind_cert_calls();
        folder = std::filesystem::temp_directory_path() / ("eap-tab-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "elsewhere");
        SetProgramPathForTesting((folder / "Zorvel").string());
        ProfileEditorTest::SetUp();
        G_UiStr.IDS_IDREQUIRED = "IDS_IDREQUIRED";
        G_UiStr.IDS_PWDREQUIRED = "IDS_PWDREQUIRED";
        G_UiStr.IDS_CHECKRULE4 = "IDS_CHECKRULE4";
        G_UiStr.IDS_CHECKRULE5 = "IDS_CHECKRULE5";
        G_UiStr.IDS_CHECKRULE7 = "IDS_CHECKRULE7";
        G_UiStr.IDS_SERVER_NAME_REQUIRED = "IDS_SERVER_NAME_REQUIRED";
        G_UiStr.IDS_ERROR_CERT_INVALID_EXPDAT = "IDS_ERROR_CERT_INVALID_EXPDAT";
        G_UiStr.IDS_NOSELECTEDITEM = "IDS_NOSELECTEDITEM";
        G_UiStr.IDS_PAC_LIST_MAX_ITEM = "At most %d PAC files";
        G_UiStr.IDS_8021X_PEAP_TUNNEL_MSCHAP2 = "EAP-MSCHAP v2";
        G_UiStr.IDS_8021X_PEAP_TUNNEL_TLS_SMART_CARD = "EAP-TLS / Smart Card";
        G_UiStr.IDS_8021X_PEAP_TUNNEL_TLS_GTC = "Generic Token Card";
    }
    void TearDown() override
    {
        ProfileEditorTest::TearDown();
        platform::system::set_file_dialog_ui(nullptr);
        SetProgramPathForTesting("");
        G_VxWlLib.bEapFastEnhancement = 0;
        G_VxWlLib.bShowPassword = 0;
        std::filesystem::remove_all(folder);
        g_stores = nullptr;
    }

    // A new editor, for what its tabs read at creation (the system code, the options).
    void remake(int win_os)
    {
        lib.win_os = win_os;
        editor.reset();
        editor = std::make_unique<CProfileEditorDlg>(&parent);
        ASSERT_TRUE(editor->Create(CProfileEditorDlg::IDD, &parent));
        pump();
    }
    // Add, WPA2 on the authentication tab, then the 802.1X tab.
    void open_8021x(std::uint32_t auth_mode = kAuthWpa2)
    {
        add("Corp", "3");
        type(sys(), CPageSystemConfigDlg::IDC_SSID, "CorpNet");
        tab(TAB_BUTTON_AUTH);
        command(auth(), auth_command(int(auth_mode)));
        tab(TAB_BUTTON_8021X);
    }
    Tab& x() { return *editor->m_pPage8021XDlg; }
    Name& name() { return *x().m_pNamePasswordDlg; }
    Client& client() { return *x().m_pClientCertDlg; }
    Server& server() { return *x().m_pServerCertDlg; }
    Fast& fast() { return *x().m_pEapFastDlg; }
    void method(int m) { command(x(), Tab::ID_PEAP + m); }
    void inner(int i) { command(x(), Tab::ID_INNER_MSCHAPV2 + i); }
    void ttls_inner(int i) { command(x(), Tab::ID_TTLS_CHAP + i); }
    static bool enabled(CWnd& page, int id) { return ::IsWindowEnabled(::GetDlgItem(page.m_hWnd, id)) != FALSE; }
    static bool shown(CWnd& page, int id) { return (::GetWindowLong(::GetDlgItem(page.m_hWnd, id), GWL_STYLE) & WS_VISIBLE) != 0; }
    static bool shown(CWnd* button) { return button && (::GetWindowLong(button->m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }
    // The slot a sub-tab button sits in: 1 to 4, 0 when hidden.
    int slot_of(CWnd* button)
    {
        if (!shown(button))
            return 0;
        CRect rect;
        button->GetWindowRect(&rect);
        for (int s = 0; s < 4; ++s) {
            CRect slot;
            GetCtrlRectInDlg(&slot, x().m_hWnd, Tab::IDC_SLOT1 + s);
            x().ClientToScreen(&slot);
            if (slot.left == rect.left)
                return s + 1;
        }
        return -1;
    }
    // The sub-tab whose page shows: the page's template id, 0 for none.
    int shown_page()
    {
        for (CWnd* page : { static_cast<CWnd*>(&name()), static_cast<CWnd*>(&client()), static_cast<CWnd*>(&server()),
                 static_cast<CWnd*>(&fast()), static_cast<CWnd*>(x().m_pProfileSSODlg) })
            if (::GetWindowLong(page->m_hWnd, GWL_STYLE) & WS_VISIBLE)
                return page == &name() ? Name::IDD : page == &client() ? Client::IDD : page == &server() ? Server::IDD : page == &fast() ? Fast::IDD : 446;
        return 0;
    }
    void write_pac(std::filesystem::path const& path) { std::ofstream(path) << "pac"; }
    // The user picks `path` in the file dialog.
    void answer_file_dialog(std::string path)
    {
        platform::system::set_file_dialog_ui([path](platform::system::FileDialogModel& model, auto const&) {
            return model.submit(path) == platform::system::FileDialogModel::Outcome::accepted ? platform::system::FileDialogAnswer::accepted
                                                                                                 : platform::system::FileDialogAnswer::cancelled;
        });
    }
    void select_row(CQuickList& list, int row)
    {
        list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        pump();
    }

    CertStores stores;
    std::filesystem::path folder;
};

}

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
        remake(c.win_os);
        open_8021x();
        method(c.method);
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

// The identity tab's controls after a method or inner command: the newer systems' rule table,
// soft-token cases included, and the older systems' settings.
TEST_F(EapTabTest, IdentityTabControlsByMethod)
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
TEST_F(EapTabTest, CertificateListsAndChoices)
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

TEST_F(EapTabTest, ALoadedProfileSelectsItsCertificatesByTheirBytes)
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
TEST_F(EapTabTest, PacListOfTheEapFastTab)
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
TEST_F(EapTabTest, SingleSignOnKeepsItsBits)
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
TEST_F(EapTabTest, ClientCertificateTabByMethod)
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
TEST_F(EapTabTest, IdentityKindShowPasswordAndLongTexts)
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
