// The single sign-on page over a scripted library: the list the option file's [SSO] section
// allows, the credential rules of the chosen profile, the persistent connection's rules, the
// exact selection of the stored name, a failed or absent state, Apply's calls in order; and the
// profile page's warning when a profile not allowed for single sign-on is activated.
#include "FakeProfileLibrary.h"

#include "station/controls/tests/DialogsFixture.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PageSSODlg.h"

#include <cstring>
#include <utility>

namespace {

struct SsoLibrary : FakeProfileLibrary {
    using FakeProfileLibrary::FakeProfileLibrary;
    int read_result { 0 };
    SSO_STATUS state {};
    std::string current_name;
    std::vector<SSO_STATUS> settings;
    std::vector<int> sources;
    std::vector<int> persistent;
    std::vector<std::string> applied;
    // Profiles the first count leaves out: the list grows between the count and the read.
    int added_after_count { 0 };
};

SsoLibrary* g_sso = nullptr;

void bind_sso_calls()
{
    auto& lib = G_VxWlLib;
    lib.VXWL_ReadSSOStatus.bind([](SSO_STATUS* s) {
        FakeProfileLibrary::log("ReadSSOStatus");
        if (g_sso->read_result == 0)
            std::memcpy(s, &g_sso->state, SSO_STATUS_LEGACY_SIZE);
        return g_sso->read_result;
    });
    lib.VXWL_WriteSSOSetting.bind([](SSO_STATUS record) {
        FakeProfileLibrary::log("WriteSSOSetting");
        g_sso->settings.push_back(record);
        return 1;
    });
    lib.VXWL_WriteSSOSavePassword.bind([](int source) {
        FakeProfileLibrary::log("WriteSSOSavePassword");
        g_sso->sources.push_back(source);
        return 1;
    });
    lib.VXWL_WriteSSOEnablePersConn.bind([](int flag) {
        FakeProfileLibrary::log("WriteSSOEnablePersConn");
        g_sso->persistent.push_back(flag);
        return 1;
    });
    lib.VXWL_ResetSSOFeature.bind([] {
        FakeProfileLibrary::log("ResetSSOFeature");
        return 1;
    });
    lib.VXWL_ReadSSOCurrProfileName.bind([](char* name) {
        std::snprintf(name, 128, "%s", g_sso->current_name.c_str());
        return g_sso->current_name.empty() ? 0 : 1;
    });
    lib.VXWL_ReadDriverDesc.bind([](char* text) {
        FakeProfileLibrary::log("ReadDriverDesc");
        std::strcpy(text, "Test Card");
        return 1;
    });
    lib.VXWL_IsWow64.bind([] { return 0; });
    lib.VXWL_ReadProfileList.bind([](WLANPROFILE* out, VXWL_U32* count) {
        auto const& list = g_sso->profiles;
        if (!out) {
            *count = VXWL_U32(list.size()) - VXWL_U32(std::exchange(g_sso->added_after_count, 0));
            return 1;
        }
        if (*count < list.size()) {
            *count = VXWL_U32(list.size());
            return -10;
        }
        std::copy(list.begin(), list.end(), out);
        *count = VXWL_U32(list.size());
        return 1;
    });
    lib.VXWL_SetWLANProfile.bind([](WLANPROFILE* p) {
        FakeProfileLibrary::log("SetWLANProfile");
        g_sso->applied.push_back(wlan::profile::name_of(*p));
        return 1;
    });
    lib.VXWL_WriteSSOProfileAndFunc.bind([](const char*, int) {
        FakeProfileLibrary::log("WriteSSOProfileAndFunc");
        return 1;
    });
}

WLANPROFILE& eap_profile(FakeProfileLibrary& lib, char const* name, std::uint32_t method)
{
    WLANPROFILE& p = lib.add(name, "Corp", AUTH_WPA2, ENC_AES);
    p.b8021X = 1;
    p.enumAuthenProtocol = method;
    return p;
}

class SsoPageTest : public DialogsTest {
public:
    void SetUp() override
    {
        DialogsTest::SetUp();
        lib.window = parent.m_hWnd;
        g_sso = &lib;
        bind_sso_calls();
        saved_ui = G_UiStr;
        G_UiStr.IDS_8021X_EAP_PEAP = "PEAP";
        G_UiStr.IDS_8021X_EAP_TLS_SMART_CARD = "TLS";
        G_UiStr.IDS_LEAP = "LEAP";
        G_UiStr.IDS_PROFILE_NOSSO = "IDS_PROFILE_NOSSO";
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR { IDOK };
        });
        allow_all(1);
        lib.state.bAvailable = 1;
        lib.state.bEnabled = 1;
        std::strcpy(lib.state.CredentialSource, "2");
        std::strcpy(lib.state.PersistentConn, "0");
    }
    void TearDown() override
    {
        page.reset();
        profile_page.reset();
        SetMessageBoxHandler(nullptr);
        G_UiStr = saved_ui;
        allow_all(0);
        g_sso = nullptr;
        DialogsTest::TearDown();
    }
    static void allow_all(int on)
    {
        auto& o = G_VxWlLib;
        for (int* option : { &o.bSSO_PEAP, &o.bSSO_TLS_SmartCard, &o.bSSO_TTLS, &o.bSSO_EAP_FAST, &o.bSSO_LEAP, &o.bSSO_Open_None,
                 &o.bSSO_Open_WEP, &o.bSSO_Shared_WEP, &o.bSSO_WPA_PSK, &o.bSSO_WPA2_PSK })
            *option = on;
    }

    CPageSSODlg& open()
    {
        page = std::make_unique<CPageSSODlg>(&parent);
        EXPECT_TRUE(page->Create(CPageSSODlg::IDD, &parent));
        page->ShowWindow(SW_SHOW);
        pump();
        lib.calls.clear();
        parent.privates.clear();
        return *page;
    }
    std::vector<std::string> items() const
    {
        std::vector<std::string> out;
        HWND const combo = page->m_comboProfiles.m_hWnd;
        int const n = int(::SendMessage(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[256] {};
            ::SendMessage(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
            out.emplace_back(text);
        }
        return out;
    }
    int selection() const { return int(page->m_comboProfiles.SendMessage(CB_GETCURSEL)); }
    void choose(int item)
    {
        page->m_comboProfiles.SendMessage(CB_SETCURSEL, WPARAM(item));
        page->SendMessage(WM_COMMAND, MAKEWPARAM(CPageSSODlg::IDC_PROFILES, CBN_SELCHANGE),
            reinterpret_cast<LPARAM>(page->m_comboProfiles.m_hWnd));
        pump();
    }
    // A click: the notice, which the button turns into its new check state before the page
    // hears of it.
    void click_check(int id)
    {
        HWND const box = ::GetDlgItem(page->m_hWnd, id);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box));
        pump();
    }
    bool enabled(int id) const { return ::IsWindowEnabled(::GetDlgItem(page->m_hWnd, id)) != FALSE; }
    std::string shown(int id) const { return text_of(::GetDlgItem(page->m_hWnd, id)); }
    int sent(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        int n = 0;
        for (auto const& m : parent.privates)
            n += m.message == message && m.wParam == wParam && m.lParam == lParam;
        return n;
    }

    SsoLibrary lib { nullptr };
    std::unique_ptr<CPageSSODlg> page;
    std::unique_ptr<CPageProfileDlg> profile_page;
    std::vector<std::string> boxes;
    CUISTR saved_ui;
};

}

TEST_F(SsoPageTest, TheListHoldsTheAllowedProfilesInTheLibrarysOrder)
{
    eap_profile(lib, "Voice", EAP_LEAP);
    lib.add("Cafe", "Corner Cafe");
    eap_profile(lib, "Corp", EAP_TTLS);
    lib.add("Home", "HomeNet", AUTH_WPA2_PSK, ENC_AES);
    G_VxWlLib.bSSO_TTLS = 0;
    G_VxWlLib.bSSO_Open_None = 0;
    open();
    EXPECT_EQ(items(), (std::vector<std::string> { "Voice", "Home" }));
    EXPECT_EQ(selection(), 0) << "no stored name: the first";
    EXPECT_EQ(shown(CPageSSODlg::IDC_NAME), "Voice");
    EXPECT_EQ(shown(CPageSSODlg::IDC_SSID), "Corp");
    EXPECT_EQ(shown(CPageSSODlg::IDC_AUTH), "LEAP");
    EXPECT_TRUE(enabled(CPageSSODlg::IDC_APPLY));
    // Enter and Escape leave the page as it is.
    for (int id : { IDOK, IDCANCEL })
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    pump();
    EXPECT_TRUE(::IsWindowVisible(page->m_hWnd));
    page.reset();

    lib.added_after_count = 2;
    open();
    EXPECT_EQ(items(), (std::vector<std::string> { "Voice", "Home" })) << "a list that grew is read again";
    page.reset();

    allow_all(0);
    open();
    EXPECT_TRUE(items().empty());
    EXPECT_FALSE(enabled(CPageSSODlg::IDC_APPLY));
    EXPECT_FALSE(enabled(CPageSSODlg::IDC_GROUP_INFO));
}

TEST_F(SsoPageTest, TlsAndProfilesWithout8021XUseOnlyTheirOwnCredentials)
{
    struct Case {
        char const* what;
        std::function<void(SsoLibrary&)> add;
        char const* auth_text;
        bool own_only;
    };
    Case const cases[] = {
        { "PEAP", [](auto& l) { eap_profile(l, "P", EAP_PEAP); }, "PEAP", false },
        { "TLS", [](auto& l) { eap_profile(l, "P", EAP_TLS); }, "TLS", true },
        { "WPA-PSK", [](auto& l) { l.add("P", "S", AUTH_WPA_PSK, ENC_TKIP); }, "WPA-PSK", true },
        { "WPA2-PSK", [](auto& l) { l.add("P", "S", AUTH_WPA2_PSK, ENC_AES); }, "WPA2-PSK", true },
        { "Shared-WEP", [](auto& l) { l.add("P", "S", AUTH_SHARED, ENC_WEP); }, "Shared-WEP", true },
        { "Open-None", [](auto& l) { l.add("P", "S"); }, "Open-None", true },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        lib.profiles.clear();
        eap_profile(lib, "First", EAP_PEAP);
        c.add(lib);
        open();
        choose(1);
        EXPECT_EQ(shown(CPageSSODlg::IDC_AUTH), c.auth_text);
        EXPECT_EQ(page->m_nCredentialSource, c.own_only ? 1 : 2);
        for (int id : { CPageSSODlg::IDC_SOURCE_LOGON, CPageSSODlg::IDC_SOURCE_PROMPT, CPageSSODlg::IDC_LABEL_LOGON, CPageSSODlg::IDC_LABEL_PROMPT })
            EXPECT_EQ(enabled(id), !c.own_only) << id;
        EXPECT_TRUE(enabled(CPageSSODlg::IDC_SOURCE_PROFILE));
        page.reset();
    }
}

TEST_F(SsoPageTest, PersistentConnectionOnForcesTheProfilesCredentialsOffIsWrittenAtOnce)
{
    eap_profile(lib, "Corp", EAP_PEAP);
    open();
    ASSERT_EQ(page->m_nCredentialSource, 2);
    click_check(CPageSSODlg::IDC_PERSISTENT);
    EXPECT_TRUE(lib.persistent.empty()) << "on waits for Apply";
    EXPECT_EQ(page->m_nCredentialSource, 1);
    EXPECT_FALSE(enabled(CPageSSODlg::IDC_SOURCE_LOGON));
    EXPECT_FALSE(enabled(CPageSSODlg::IDC_SOURCE_PROMPT));

    click_check(CPageSSODlg::IDC_PERSISTENT);
    EXPECT_EQ(lib.persistent, std::vector<int> { 0 });
    EXPECT_TRUE(enabled(CPageSSODlg::IDC_SOURCE_LOGON));
    EXPECT_TRUE(enabled(CPageSSODlg::IDC_SOURCE_PROMPT));

    // A source is written as it is chosen.
    click_check(CPageSSODlg::IDC_SOURCE_PROMPT);
    EXPECT_EQ(lib.sources, std::vector<int> { 2 });
}

TEST_F(SsoPageTest, SwitchingTheFeatureOffResetsItAndOnAnOlderSystemReappliesTheProfile)
{
    eap_profile(lib, "Corp", EAP_PEAP);
    for (int os : { 12, 8 }) {
        SCOPED_TRACE(os);
        lib.win_os = os;
        open();
        ASSERT_TRUE(page->m_bEnableSSO);
        click_check(CPageSSODlg::IDC_ENABLE);
        EXPECT_EQ(std::count(lib.calls.begin(), lib.calls.end(), "ResetSSOFeature"), 1);
        EXPECT_EQ(std::count(lib.calls.begin(), lib.calls.end(), "WriteSSOReleaseSUP"), os < 10 ? 1 : 0);
        EXPECT_EQ(sent(DLG_MSG_EXCHANGE, PAGE_SSO_DLG, SET_OID_FROM_REG), os < 10 ? 1 : 0);
        for (int id : { CPageSSODlg::IDC_PROFILES, CPageSSODlg::IDC_PERSISTENT, CPageSSODlg::IDC_SOURCE_PROFILE, CPageSSODlg::IDC_APPLY })
            EXPECT_FALSE(enabled(id)) << id;
        EXPECT_TRUE(enabled(CPageSSODlg::IDC_ENABLE));
        click_check(CPageSSODlg::IDC_ENABLE);
        EXPECT_TRUE(enabled(CPageSSODlg::IDC_PROFILES));
        EXPECT_TRUE(enabled(CPageSSODlg::IDC_APPLY));
        page.reset();
    }
}

TEST_F(SsoPageTest, TheStoredNameSelectsTheEqualItemOnly)
{
    struct Case {
        char const* what;
        std::vector<char const*> names;
        char const* stored;
        int selected;
    };
    Case const cases[] = {
        { "PROF1 among PROF1, PROF10", { "PROF1", "PROF10" }, "PROF1", 0 },
        { "PROF1 after PROF10", { "PROF10", "PROF1" }, "PROF1", 1 },
        { "case aside", { "PROF10", "Prof1" }, "pROF1", 1 },
        { "a prefix only: none", { "PROF10", "PROF11" }, "PROF1", CB_ERR },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        lib.profiles.clear();
        for (char const* name : c.names)
            eap_profile(lib, name, EAP_PEAP);
        lib.current_name = c.stored;
        open();
        EXPECT_EQ(selection(), c.selected);
        if (c.selected == CB_ERR) {
            EXPECT_FALSE(enabled(CPageSSODlg::IDC_APPLY));
        } else {
            EXPECT_EQ(shown(CPageSSODlg::IDC_NAME), c.names[std::size_t(c.selected)]);
        }
        page.reset();
    }
}

TEST_F(SsoPageTest, AFailedReadIsOnlyTracedAndAnAbsentFeatureShowsNothing)
{
    eap_profile(lib, "Corp", EAP_PEAP);
    lib.read_result = 1;
    open();
    EXPECT_EQ(page->m_bEnableSSO, 0);
    EXPECT_EQ(page->m_nCredentialSource, 0);
    EXPECT_TRUE(boxes.empty());
    page.reset();

    lib.read_result = 0;
    lib.state.bAvailable = 0;
    open();
    EXPECT_EQ(page->m_bEnableSSO, 0) << "the switch of a feature that is not there is not read";
    EXPECT_EQ(page->m_nCredentialSource, 0);
    page.reset();

    // Shown again: the state is read anew.
    lib.state.bAvailable = 1;
    open();
    ASSERT_EQ(page->m_bEnableSSO, 1);
    lib.state.bEnabled = 0;
    page->ShowWindow(SW_HIDE);
    page->ShowWindow(SW_SHOW);
    pump();
    EXPECT_EQ(page->m_bEnableSSO, 0);
    EXPECT_FALSE(enabled(CPageSSODlg::IDC_PROFILES));
}

TEST_F(SsoPageTest, ApplyWritesTheRecordAndItsFieldsThenAppliesTheChosenProfile)
{
    eap_profile(lib, "Corp", EAP_PEAP);
    eap_profile(lib, "Voice", EAP_LEAP);
    std::strcpy(lib.state.PersistentConn, "1");
    std::strcpy(lib.state.CredentialSource, "1");
    open();
    choose(1);
    lib.calls.clear();
    page->SendMessage(WM_COMMAND, MAKEWPARAM(CPageSSODlg::IDC_APPLY, BN_CLICKED), reinterpret_cast<LPARAM>(page->m_btnApply.m_hWnd));
    pump();
    std::vector<std::string> const order = { "ReadDriverDesc", "WriteSSOSetting", "WriteSSOSavePassword", "WriteSSOEnablePersConn",
        "ReadProfileData", "SetWLANProfile" };
    std::vector<std::string> calls;
    for (auto const& c : lib.calls)
        if (std::find(order.begin(), order.end(), c) != order.end())
            calls.push_back(c);
    EXPECT_EQ(calls, order);
    ASSERT_EQ(lib.settings.size(), 1u);
    SSO_STATUS const& r = lib.settings[0];
    EXPECT_EQ(r.bEnabled, 1u);
    EXPECT_STREQ(r.LogonLibrary, "VexlorGina.DLL");
    EXPECT_STREQ(r.DriverDesc, "Test Card");
    EXPECT_STREQ(r.ProfileName, "Voice");
    EXPECT_EQ(lib.sources, std::vector<int> { 1 });
    EXPECT_EQ(lib.persistent, std::vector<int> { 1 });
    EXPECT_EQ(lib.applied, std::vector<std::string> { "Voice" });
    EXPECT_EQ(sent(DLG_MSG_EXCHANGE, PAGE_SSO_DLG, SET_OID_FROM_REG), 1);
}

TEST_F(SsoPageTest, ActivatingAProfileNotAllowedForSingleSignOnWarnsOnAnOlderSystem)
{
    G_UiStr.IDS_PROF = "PROF";
    G_VxWlLib.bSSO_WPA_PSK = 0;
    lib.win_os = 8;
    lib.add("Cafe", "Corner Cafe");
    lib.add("Sunflower", "Sunflower", AUTH_WPA_PSK, ENC_TKIP);
    lib.active = "Cafe";
    profile_page = std::make_unique<CPageProfileDlg>(&parent);
    ASSERT_TRUE(profile_page->Create(CPageProfileDlg::IDD, &parent));
    pump();
    auto activate = [&](int row) {
        profile_page->m_listProfile.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        profile_page->m_listProfile.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        profile_page->SendMessage(WM_COMMAND, MAKEWPARAM(CPageProfileDlg::IDC_ACTIVATE, BN_CLICKED),
            reinterpret_cast<LPARAM>(::GetDlgItem(profile_page->m_hWnd, CPageProfileDlg::IDC_ACTIVATE)));
        pump();
    };
    activate(1);
    EXPECT_EQ(boxes, std::vector<std::string> { "IDS_PROFILE_NOSSO" }) << "the profile being activated is checked";
    boxes.clear();
    activate(0);
    EXPECT_TRUE(boxes.empty());
    lib.state.bEnabled = 0;
    activate(1);
    EXPECT_TRUE(boxes.empty()) << "the feature off: no warning";
}
