#include "DialogsFixture.h"

#include "platform/system/DebugOutput.h"
#include "station/controls/CInvalidIDPW.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <cstring>

using namespace station::controls;

namespace {

// What the fake library saw.
struct LibraryRecord {
    std::vector<std::pair<std::string, std::string>> credentials;
    std::vector<std::string> domains;
    std::vector<WLANPROFILE> profiles;
    int answer { VXWL_ERROR_SUCCESS };
};
LibraryRecord g_library;

int fake_read_desc(char* text)
{
    std::memset(text, 'D', 128); // no terminator: the dialog must stop at the buffer's end
    return VXWL_ERROR_SUCCESS;
}
int fake_read_profile_name(char* name)
{
    std::strcpy(name, "Office");
    return VXWL_ERROR_SUCCESS;
}
int fake_write_id(const char* identity, const char* password)
{
    g_library.credentials.emplace_back(identity, password);
    return g_library.answer;
}
int fake_write_domain(const char* domain)
{
    g_library.domains.emplace_back(domain);
    return g_library.answer;
}
int fake_set_profile(WLANPROFILE* profile)
{
    g_library.profiles.push_back(*profile);
    return g_library.answer;
}

}

class InvalidIDPWTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        g_library = LibraryRecord {};
        G_VxWlLib.VXWL_ReadDriverDesc.bind(&fake_read_desc);
        G_VxWlLib.VXWL_ReadActiveProfileName.bind(&fake_read_profile_name);
        G_VxWlLib.VXWL_WriteIDnPasswd.bind(&fake_write_id);
        G_VxWlLib.VXWL_WriteDomainName.bind(&fake_write_domain);
        G_VxWlLib.VXWL_SetWLANProfile.bind(&fake_set_profile);
        saved_ui = G_UiStr;
        G_UiStr.IDS_INVALID_IDPW = "Identity rejected";
        G_UiStr.IDS_PEAP_TIMEOUT = "PEAP timed out";
        G_UiStr.IDS_TLS_TIMEOUT = "TLS timed out";
        G_UiStr.IDS_TTLS_TIMEOUT = "TTLS timed out";
        G_UiStr.IDS_EAP_FAST_TIMEOUT = "EAP-FAST timed out";
        G_UiStr.IDS_MD5_TIMEOUT = "MD5 timed out";
        G_UiStr.IDS_LEAP_TIMEOUT = "LEAP timed out";
        G_UiStr.IDS_OK = "OK!";
        G_UiStr.IDS_TUNNELID = "Identity >>";
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR { IDOK };
        });
        CInvalidIDPW::BindStationFlags(&hide_tab_icon, &reconnect);
        ASSERT_TRUE(dlg.Create(CInvalidIDPW::IDD, &parent));
    }
    void TearDown() override
    {
        CInvalidIDPW::BindStationFlags(nullptr, nullptr);
        SetMessageBoxHandler(nullptr);
        for (auto* slot : { &G_VxWlLib.VXWL_ReadDriverDesc, &G_VxWlLib.VXWL_ReadActiveProfileName })
            slot->bind(nullptr);
        G_VxWlLib.VXWL_WriteIDnPasswd.bind(nullptr);
        G_VxWlLib.VXWL_WriteDomainName.bind(nullptr);
        G_VxWlLib.VXWL_SetWLANProfile.bind(nullptr);
        G_UiStr = saved_ui;
        DialogsTest::TearDown();
    }

    void show(int kind, std::uint32_t protocol)
    {
        dlg.ShowWindow(SW_HIDE);
        dlg.m_nFailKind = kind;
        dlg.m_pProfile->enumAuthenProtocol = protocol;
        dlg.ShowWindow(SW_SHOW);
        pump();
    }
    HWND item(int id) const { return ::GetDlgItem(dlg.m_hWnd, id); }
    bool shown(int id) const { return (GetWindowLong(item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    void enter(char const* identity, char const* password, char const* domain)
    {
        SetWindowText(item(CInvalidIDPW::IDC_IDENTITY), identity);
        SetWindowText(item(CInvalidIDPW::IDC_PASSWORD), password);
        SetWindowText(item(CInvalidIDPW::IDC_DOMAIN), domain);
    }
    void press_ok() { SendMessage(item(CInvalidIDPW::IDC_OK), BM_CLICK, 0, 0); }
    std::vector<RecordingParent::Message> sent(UINT message) const
    {
        std::vector<RecordingParent::Message> out;
        for (auto const& m : parent.privates)
            if (m.message == message)
                out.push_back(m);
        return out;
    }

    CUISTR saved_ui;
    BOOL hide_tab_icon { FALSE };
    std::atomic<BOOL> reconnect { TRUE };
    std::vector<std::string> boxes;
    CInvalidIDPW dlg { &parent };
};

TEST_F(InvalidIDPWTest, TextsAndCredentialRowsPerFailureAndMethod)
{
    struct Case {
        char const* name;
        int kind;
        std::uint32_t protocol;
        char const* message;
        bool identity;
        bool password;
        bool domain;
    };
    Case const cases[] = {
        { "rejected, PEAP", 1, EAP_PEAP, "Identity rejected", true, true, false },
        { "rejected, TLS", 1, EAP_TLS, "Identity rejected", true, false, false },
        { "rejected, EAP-FAST", 1, EAP_FAST, "Identity rejected", true, true, true },
        { "rejected, LEAP", 1, EAP_LEAP, "Identity rejected", true, true, true },
        { "time-out, PEAP", 0, EAP_PEAP, "PEAP timed out", false, false, false },
        { "time-out, TLS", 0, EAP_TLS, "TLS timed out", false, false, false },
        { "time-out, TTLS", 0, EAP_TTLS, "TTLS timed out", false, false, false },
        { "time-out, EAP-FAST", 0, EAP_FAST, "EAP-FAST timed out", false, false, false },
        { "time-out, MD5", 0, EAP_MD5, "MD5 timed out", false, false, false },
        { "time-out, LEAP", 0, EAP_LEAP, "LEAP timed out", false, false, false },
        { "time-out, unknown method keeps the message", 0, 9, "LEAP timed out", false, false, false },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        show(c.kind, c.protocol);
        EXPECT_EQ(text_of(item(CInvalidIDPW::IDC_MESSAGE)), c.message);
        EXPECT_EQ(shown(CInvalidIDPW::IDC_LABEL_IDENTITY), c.identity);
        EXPECT_EQ(shown(CInvalidIDPW::IDC_IDENTITY), c.identity);
        EXPECT_EQ(shown(CInvalidIDPW::IDC_LABEL_PASSWORD), c.password);
        EXPECT_EQ(shown(CInvalidIDPW::IDC_PASSWORD), c.password);
        EXPECT_EQ(shown(CInvalidIDPW::IDC_LABEL_DOMAIN), c.domain);
        EXPECT_EQ(shown(CInvalidIDPW::IDC_DOMAIN), c.domain);
    }
}

TEST_F(InvalidIDPWTest, ShowsLabelsCardAndProfileFromTheirSources)
{
    show(1, EAP_PEAP);
    EXPECT_EQ(text_of(item(CInvalidIDPW::IDC_LABEL_IDENTITY)), "Identity >>");
    EXPECT_EQ(text_of(item(CInvalidIDPW::IDC_OK)), "OK!");
    // The description filled all 128 bytes without a terminator: 128 'D's, nothing past them.
    EXPECT_EQ(text_of(item(CInvalidIDPW::IDC_CARDNAME)), std::string(128, 'D'));
    EXPECT_EQ(text_of(item(CInvalidIDPW::IDC_PROFILENAME)), "Office");
}

TEST_F(InvalidIDPWTest, OkWritesThroughTheLibraryAndReconnects)
{
    dlg.m_pProfile->b8021X = 1;
    reconnect = FALSE;
    show(1, EAP_LEAP);
    enter("alice", "secret", "CORP");
    press_ok();
    ASSERT_EQ(g_library.credentials.size(), 1u);
    EXPECT_EQ(g_library.credentials[0], std::make_pair(std::string("alice"), std::string("secret")));
    EXPECT_EQ(g_library.domains, std::vector<std::string> { "CORP" });
    ASSERT_EQ(g_library.profiles.size(), 1u);
    EXPECT_STREQ(g_library.profiles[0].chID, "alice");
    EXPECT_STREQ(g_library.profiles[0].chPassword, "secret");
    EXPECT_STREQ(g_library.profiles[0].chDomainName, "CORP");
    EXPECT_TRUE(reconnect);
    auto const status = sent(MSG_SHOW_AUTHSTATUS);
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].wParam, AUTHSTATUS_PROGRESS_CHILD);
    EXPECT_TRUE(dlg.IsWindowVisible()) << "the dialog never closes itself";
}

TEST_F(InvalidIDPWTest, AuthenticationStatusChildByProfileKind)
{
    struct Case {
        char const* name;
        std::uint32_t b8021x;
        std::uint32_t mode;
        WPARAM child;
    };
    Case const cases[] = { { "802.1X", 1, AUTH_OPEN, 10 }, { "WPA", 0, AUTH_WPA, 10 }, { "WPA2", 0, AUTH_WPA2, 10 },
        { "WPA2-PSK", 0, AUTH_WPA2_PSK, 0 }, { "open", 0, AUTH_OPEN, 0 } };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        parent.privates.clear();
        dlg.m_pProfile->b8021X = c.b8021x;
        dlg.m_pProfile->enumAuthenMode = c.mode;
        show(0, EAP_PEAP);
        press_ok();
        auto const status = sent(MSG_SHOW_AUTHSTATUS);
        ASSERT_EQ(status.size(), 1u);
        EXPECT_EQ(status[0].wParam, c.child);
    }
}

TEST_F(InvalidIDPWTest, MissingCredentialsKeepTheDialogOpen)
{
    struct Case {
        char const* name;
        std::uint32_t protocol;
        char const* identity;
        char const* password;
        char const* box;
    };
    Case const cases[] = {
        { "no identity", EAP_PEAP, "", "pw", "Must input Identity" },
        { "no password", EAP_TTLS, "bob", "", "Must input Password" },
        { "TLS needs no password", EAP_TLS, "bob", "", nullptr },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        g_library = LibraryRecord {};
        show(1, c.protocol);
        enter(c.identity, c.password, "");
        press_ok();
        if (c.box) {
            EXPECT_EQ(boxes, std::vector<std::string> { c.box });
            EXPECT_TRUE(g_library.credentials.empty());
            EXPECT_TRUE(g_library.profiles.empty());
            EXPECT_EQ(text_of(item(CInvalidIDPW::IDC_IDENTITY)), c.identity) << "what was typed stays";
        } else {
            EXPECT_TRUE(boxes.empty());
            EXPECT_EQ(g_library.profiles.size(), 1u);
        }
    }
}

TEST_F(InvalidIDPWTest, TimeOutReconnectsWithTheUnchangedProfile)
{
    std::strcpy(dlg.m_pProfile->chID, "kept");
    show(0, EAP_TTLS);
    enter("ignored", "ignored", "ignored");
    press_ok();
    EXPECT_TRUE(g_library.credentials.empty());
    EXPECT_TRUE(g_library.domains.empty());
    ASSERT_EQ(g_library.profiles.size(), 1u);
    EXPECT_STREQ(g_library.profiles[0].chID, "kept");
}

TEST_F(InvalidIDPWTest, CancelStopsReconnectingAndShowsLinkStatus)
{
    show(1, EAP_PEAP);
    SendMessage(item(CInvalidIDPW::IDC_CANCEL), BM_CLICK, 0, 0);
    EXPECT_FALSE(reconnect);
    auto const back = sent(MSG_SHOW_INVALIDIDPW);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].wParam, 0u);
    EXPECT_EQ(back[0].lParam, 0);
    EXPECT_TRUE(g_library.profiles.empty());
}

TEST_F(InvalidIDPWTest, ShowingAgainClearsWhatWasTyped)
{
    show(1, EAP_LEAP);
    enter("alice", "secret", "CORP");
    show(1, EAP_LEAP);
    for (int id : { CInvalidIDPW::IDC_IDENTITY, CInvalidIDPW::IDC_PASSWORD, CInvalidIDPW::IDC_DOMAIN })
        EXPECT_EQ(text_of(item(id)), "") << id;
}

// The library's buffers and the profile's fields hold 127 bytes and a terminator.
TEST_F(InvalidIDPWTest, CredentialsAreCutAt127BytesOnACharacterBoundary)
{
    show(1, EAP_FAST);
    std::string const long_ascii(200, 'a');
    std::string const accented = std::string(126, 'b') + "\xC3\xA9"; // 128 bytes, last character 2 bytes
    enter(long_ascii.c_str(), accented.c_str(), long_ascii.c_str());
    press_ok();
    ASSERT_EQ(g_library.credentials.size(), 1u);
    EXPECT_EQ(g_library.credentials[0].first, std::string(127, 'a'));
    EXPECT_EQ(g_library.credentials[0].second, std::string(126, 'b'));
    EXPECT_EQ(g_library.domains[0].size(), 127u);
    ASSERT_EQ(g_library.profiles.size(), 1u);
    EXPECT_EQ(std::string(g_library.profiles[0].chID), std::string(127, 'a'));
    EXPECT_EQ(std::string(g_library.profiles[0].chPassword), std::string(126, 'b'));
    // Typing stops at the limit too.
    EXPECT_EQ(SendMessage(item(CInvalidIDPW::IDC_IDENTITY), EM_GETLIMITTEXT, 0, 0), 127);
}

TEST_F(InvalidIDPWTest, FailedLibraryWritesAreTraced)
{
    G_VxWlLib.nDebugMode = 1;
    platform::system::TraceCapture trace;
    g_library.answer = VXWL_ERROR_FAIL;
    show(1, EAP_LEAP);
    enter("alice", "secret", "CORP");
    press_ok();
    G_VxWlLib.nDebugMode = 0;
    EXPECT_TRUE(trace.contains("[Kivra] CInvalidIDPW::OnOK: VXWL_WriteIDnPasswd failed (0)"));
    EXPECT_TRUE(trace.contains("[Kivra] CInvalidIDPW::OnOK: VXWL_WriteDomainName failed (0)"));
    EXPECT_TRUE(trace.contains("[Kivra] CInvalidIDPW::OnOK: VXWL_SetWLANProfile failed (0)"));
    EXPECT_EQ(sent(MSG_SHOW_AUTHSTATUS).size(), 1u) << "the flow goes on";
}

TEST_F(InvalidIDPWTest, SmallDesktopDragsTheMainWindow)
{
    CRect r;
    dlg.GetWindowRect(&r);
    LPARAM const point = MAKELPARAM(static_cast<WORD>(r.left + 5), static_cast<WORD>(r.top + 5));
    dlg.SendMessage(WM_NCHITTEST, 0, point);
    EXPECT_TRUE(sent(WM_NCLBUTTONDOWN).empty());
    hide_tab_icon = TRUE;
    dlg.SendMessage(WM_NCHITTEST, 0, point);
    auto const drags = sent(WM_NCLBUTTONDOWN);
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_EQ(drags[0].wParam, static_cast<WPARAM>(HTCAPTION));
}
