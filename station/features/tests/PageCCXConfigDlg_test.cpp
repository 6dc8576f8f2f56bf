// The CCX page on a fake library: the stored word shown and written back, the box rules and the
// adapter kinds that hide controls, the profile table, the admission control command, and the
// diagnostic test driven by the manual clock: its calls and texts in order, its refusals, the
// failed connects, the library's failure and a stop at each point.
#include "FeaturesFixture.h"

#include "station/core/ConfigWindowMessages.h"
#include "station/core/ConnectionFlags.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageCCXConfigDlg.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

std::string ssid_of(WLANPROFILE const& p) { return std::string(reinterpret_cast<char const*>(p.SSID.Ssid), p.SSID.SsidLength); }

WLANPROFILE profile(char const* name, char const* ssid, std::uint32_t diagnostic)
{
    WLANPROFILE p {};
    std::snprintf(p.strProfileName, sizeof p.strProfileName, "%s", name);
    p.SSID.SsidLength = std::uint32_t(std::strlen(ssid));
    std::memcpy(p.SSID.Ssid, ssid, p.SSID.SsidLength);
    p.bUseDiagnostic = diagnostic;
    return p;
}

struct FakeCcx {
    // [SECTION] What the library answers
    VXWL_U32 ccx { 0 };
    int win_os { 10 };
    std::vector<WLANPROFILE> profiles;
    // Profiles added between the count and the read.
    std::vector<WLANPROFILE> added_after_count;
    std::vector<std::string> system_profiles;
    std::string active { "Home" };
    std::string ihv_text;

    // [SECTION] What the page did, in order
    std::vector<std::string> calls;
    std::vector<VXWL_U32> written_words;
    std::vector<std::pair<int, VXWL_U32>> ccx_infos;
    std::vector<WLANPROFILE> set_profiles;
    std::vector<ACM_COMMAND> acm;
    std::string system_name_asked;

    static FakeCcx& the()
    {
        static FakeCcx fake;
        return fake;
    }
    static void bind()
    {
        the() = FakeCcx {};
        auto& l = G_VxWlLib;
        l.VXWL_ReadCCX2Cont.bind([](VXWL_U32* w) { return *w = the().ccx, 1; });
        l.VXWL_WriteRegValue.bind([](const char* name, VXWL_U32 type, const void* data, VXWL_U32 size) {
            the().calls.push_back(std::string("write ") + name + " " + std::to_string(type) + " " + std::to_string(size));
            VXWL_U32 word = 0;
            std::memcpy(&word, data, std::min<VXWL_U32>(size, 4));
            the().written_words.push_back(word);
            the().ccx = word;
            return 1;
        });
        l.VXWL_SetCCXInfo.bind([](int on, VXWL_U32 w) { return the().ccx_infos.emplace_back(on, w), 1; });
        l.VXWL_ReadActiveProfileName.bind([](char* name) {
            std::strcpy(name, the().active.c_str());
            return 1;
        });
        l.VXWL_ReadProfileData.bind([](WLANPROFILE* p, const char* name) {
            for (auto const& stored : the().profiles)
                if (std::string(stored.strProfileName) == name)
                    *p = stored;
            return 1;
        });
        l.VXWL_ReadProfileList.bind([](WLANPROFILE* buffer, VXWL_U32* count) {
            auto& f = the();
            if (buffer) {
                f.profiles.insert(f.profiles.end(), f.added_after_count.begin(), f.added_after_count.end());
                f.added_after_count.clear();
            }
            auto const needed = VXWL_U32(f.profiles.size());
            if (buffer && *count < needed) {
                *count = needed;
                return VXWL_ERROR_BUFFER_TOO_SMALL;
            }
            if (buffer)
                std::copy(f.profiles.begin(), f.profiles.end(), buffer);
            *count = needed;
            return 1;
        });
        l.VXWL_WlanIsCCXDiagnosticProfile.bind([](const char* name) {
            for (auto const& p : the().profiles)
                if (std::string(p.strProfileName) == name)
                    return p.bUseDiagnostic == 1 ? 1 : 0;
            return 0;
        });
        l.VXWL_WlanIsWindowsProfileExist.bind([](const char* name) {
            the().system_name_asked = name;
            auto const& s = the().system_profiles;
            return std::find(s.begin(), s.end(), name) != s.end() ? 1 : 0;
        });
        l.VXWL_SetWLANProfile.bind([](WLANPROFILE* p) {
            the().calls.push_back("profile " + std::string(p->strProfileName));
            return the().set_profiles.push_back(*p), 1;
        });
        l.VXWL_WlanSendS64Start.bind([](const char16_t* name) {
            std::string text;
            for (std::size_t i = 0; name[i]; ++i)
                text += char(name[i]);
            return the().calls.push_back("s64 " + text), 1;
        });
        l.VXWL_WlanSendClientAbort.bind([] { return the().calls.push_back("abort"), 1; });
        l.VXWL_StartDiagTest.bind([] { return the().calls.push_back("start"), 1; });
        l.VXWL_StopDiagTest.bind([] { return the().calls.push_back("stop"), 1; });
        l.VXWL_WlanBuildIHVMessage.bind([](WPARAM code, char* text) {
            std::snprintf(text, 256, "%s%d", the().ihv_text.c_str(), int(code));
            return 1;
        });
        l.VXWL_SetACMCmd.bind([](ACM_COMMAND c) { return the().acm.push_back(c), 1; });
        l.VXWL_GetWinOS.bind([] { return the().win_os; });
    }
    static void unbind()
    {
        auto& l = G_VxWlLib;
        l.VXWL_ReadCCX2Cont.bind(nullptr);
        l.VXWL_WriteRegValue.bind(nullptr);
        l.VXWL_SetCCXInfo.bind(nullptr);
        l.VXWL_ReadActiveProfileName.bind(nullptr);
        l.VXWL_ReadProfileData.bind(nullptr);
        l.VXWL_ReadProfileList.bind(nullptr);
        l.VXWL_WlanIsCCXDiagnosticProfile.bind(nullptr);
        l.VXWL_WlanIsWindowsProfileExist.bind(nullptr);
        l.VXWL_SetWLANProfile.bind(nullptr);
        l.VXWL_WlanSendS64Start.bind(nullptr);
        l.VXWL_WlanSendClientAbort.bind(nullptr);
        l.VXWL_StartDiagTest.bind(nullptr);
        l.VXWL_StopDiagTest.bind(nullptr);
        l.VXWL_WlanBuildIHVMessage.bind(nullptr);
        l.VXWL_SetACMCmd.bind(nullptr);
        l.VXWL_GetWinOS.bind(nullptr);
    }
};

// The configuration window as the page sees it: it lists the page's message text at each
// MSG_SHOW_AUTHSTATUS (9, 0), and the profile page's SetOidFromReg calls.
class AuthWindow : public CWnd {
public:
    CPageCCXConfigDlg* page {};
    std::vector<std::string> texts;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == MSG_SHOW_AUTHSTATUS && wParam == 9 && lParam == 0 && page) {
            texts.push_back(page->m_chMessage);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class WindowServices : public HideDlgServices {
public:
    explicit WindowServices(HWND window)
        : m_window(window)
    {
        set_hide_dlg_services(this);
    }
    ~WindowServices() override { set_hide_dlg_services(nullptr); }
    HWND config_window() const override { return m_window; }
    void set_oid_from_reg(BOOL set_advance) override { oid_from_reg.push_back(set_advance); }
    std::vector<BOOL> oid_from_reg;

private:
    HWND m_window;
};

constexpr char kTestStarted[] = "Test Started";
constexpr char kConnected[] = "Connect to the Diagnostic Channel successfully";
constexpr char kNotConnected[] = "Could not connect to the Diagnostic Channel. Please try again later";

class PageCcxTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        FakeCcx::bind();
        saved_ui = G_UiStr;
        saved_lib_kind = G_VxWlLib.adapter.AdapterKind;
        saved_delays = { G_VxWlLib.nDelayAfterSetDCProf, G_VxWlLib.nDelayAfterIHVContDC, G_VxWlLib.nDelayAfterSetCurProf };
        G_VxWlLib.adapter.AdapterKind = 5;
        G_VxWlLib.nDelayAfterSetDCProf = 2;
        G_VxWlLib.nDelayAfterIHVContDC = 3;
        G_VxWlLib.nDelayAfterSetCurProf = 5;
        G_UiStr.IDS_INVALID_MEASURE_TIME = "bad limit";
        ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "config", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        services = std::make_unique<WindowServices>(window.m_hWnd);
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR { IDOK };
        });
        fake().profiles = { profile("Home", "HomeNet 5G", 1), profile("Cafe", "Corner Cafe", 0),
            profile("Diag", "diagnostic channel", 1) };
        fake().system_profiles = { "Home", "Cafe", "Diag" };
    }
    void TearDown() override
    {
        page.reset();
        services.reset();
        window.DestroyWindow();
        SetMessageBoxHandler(nullptr);
        FakeCcx::unbind();
        G_VxWlLib.adapter.AdapterKind = saved_lib_kind;
        G_VxWlLib.nDelayAfterSetDCProf = saved_delays[0];
        G_VxWlLib.nDelayAfterIHVContDC = saved_delays[1];
        G_VxWlLib.nDelayAfterSetCurProf = saved_delays[2];
        G_bReConnect = TRUE;
        G_UiStr = saved_ui;
        FeaturesTest::TearDown();
    }
    static FakeCcx& fake() { return FakeCcx::the(); }

    void open()
    {
        page = std::make_unique<CPageCCXConfigDlg>(&host);
        window.page = page.get();
        ASSERT_TRUE(page->Create(CPageCCXConfigDlg::IDD, &host));
        page->ShowWindow(SW_SHOW);
        pump();
        fake().calls.clear();
        fake().ccx_infos.clear();
    }
    HWND item(int id) const { return ::GetDlgItem(page->m_hWnd, id); }
    std::string shown(int id) const { return text_of(item(id)); }
    bool checked(int id) const { return ::IsDlgButtonChecked(page->m_hWnd, id) == BST_CHECKED; }
    bool enabled(int id) const { return ::IsWindowEnabled(item(id)) != FALSE; }
    bool visible(int id) const { return (::GetWindowLong(item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    void click(int id)
    {
        ::SendMessage(page->m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(item(id)));
        pump();
    }
    void check(int id, bool on)
    {
        ::CheckDlgButton(page->m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED);
        click(id);
    }
    void select(std::string const& name)
    {
        int const index = int(::SendMessage(item(CPageCCXConfigDlg::IDC_PROFILE_LIST), CB_FINDSTRINGEXACT, WPARAM(-1),
            reinterpret_cast<LPARAM>(name.c_str())));
        ::SendMessage(item(CPageCCXConfigDlg::IDC_PROFILE_LIST), CB_SETCURSEL, WPARAM(index), 0);
        ::SendMessage(page->m_hWnd, WM_COMMAND, MAKEWPARAM(CPageCCXConfigDlg::IDC_PROFILE_LIST, CBN_SELCHANGE),
            LPARAM(item(CPageCCXConfigDlg::IDC_PROFILE_LIST)));
        pump();
    }
    void library(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        ::SendMessage(page->m_hWnd, message, wParam, lParam);
        pump();
    }
    void seconds(int n) { platform::testing::advance(std::uint64_t(n) * 1000); }

    std::unique_ptr<CPageCCXConfigDlg> page;
    AuthWindow window;
    std::unique_ptr<WindowServices> services;
    std::vector<std::string> boxes;
    CUISTR saved_ui;
    std::uint32_t saved_lib_kind {};
    std::array<int, 3> saved_delays {};
};

using Calls = std::vector<std::string>;
using Texts = std::vector<std::string>;

}

// [SECTION] The CCX word

TEST_F(PageCcxTest, ApplyWritesTheWordAsAFourByteValueAndHandsItToTheDriver)
{
    // CCX on with radio measurement; fast roaming at -75 and bits 29-31 as another program left them.
    fake().ccx = 1u | 1u << 2 | 1u << 5 | 75u << 8 | 250u << 16 | 7u << 29;
    open();
    EXPECT_TRUE(checked(CPageCCXConfigDlg::IDC_CCX_ENABLE));
    EXPECT_TRUE(checked(CPageCCXConfigDlg::IDC_RM));
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_TIME_LIMIT), "250");
    check(CPageCCXConfigDlg::IDC_DCRM, true);
    ::SetWindowText(item(CPageCCXConfigDlg::IDC_TIME_LIMIT), "1023");
    check(CPageCCXConfigDlg::IDC_MFP, true);
    click(CPageCCXConfigDlg::IDC_APPLY);
    ASSERT_EQ(fake().written_words.size(), 1u);
    EXPECT_EQ(fake().calls.front(), "write CCX2Control 4 4");
    VXWL_U32 const expected = 1u | 1u << 2 | 1u << 3 | 1u << 5 | 75u << 8 | 1023u << 16 | 1u << 26 | 7u << 29;
    EXPECT_EQ(fake().written_words[0], expected);
    // "Home" is not bound to its BSSID: fast roaming allowed.
    ASSERT_EQ(fake().ccx_infos.size(), 1u);
    EXPECT_EQ(fake().ccx_infos[0], (std::pair<int, VXWL_U32> { 1, expected }));
    EXPECT_TRUE(boxes.empty());

    ::SetWindowText(item(CPageCCXConfigDlg::IDC_TIME_LIMIT), "1024");
    click(CPageCCXConfigDlg::IDC_APPLY);
    EXPECT_EQ(boxes, Texts { "bad limit" });
    EXPECT_EQ(fake().written_words.size(), 1u);
    // A paste passes the edit's filter; the whole text must be digits.
    ::SetWindowText(item(CPageCCXConfigDlg::IDC_TIME_LIMIT), "1x");
    click(CPageCCXConfigDlg::IDC_APPLY);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(fake().written_words.size(), 1u);
}

TEST_F(PageCcxTest, AProfileBoundToItsBssidTurnsFastRoamingOff)
{
    fake().profiles[0].bBssid = 1;
    fake().ccx = 1;
    open();
    click(CPageCCXConfigDlg::IDC_APPLY);
    ASSERT_EQ(fake().ccx_infos.size(), 1u);
    EXPECT_EQ(fake().ccx_infos[0].first, 0);
}

TEST_F(PageCcxTest, CcxOffKeepsRoamingAndTheLimitInTheWord)
{
    fake().ccx = 1u | 1u << 1 | 1u << 2 | 1u << 3 | 1u << 5 | 70u << 8 | 300u << 16 | 1u << 27 | 1u << 28;
    open();
    check(CPageCCXConfigDlg::IDC_CCX_ENABLE, false);
    // The box rule resets the limit shown; the word keeps the stored one.
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_TIME_LIMIT), "250");
    EXPECT_FALSE(checked(CPageCCXConfigDlg::IDC_RM));
    click(CPageCCXConfigDlg::IDC_APPLY);
    ASSERT_EQ(fake().written_words.size(), 1u);
    EXPECT_EQ(fake().written_words[0], 1u << 5 | 70u << 8 | 300u << 16 | 1u << 28);
}

TEST_F(PageCcxTest, BoxRulesAndEnabling)
{
    fake().ccx = 1u | 1u << 2 | 1u << 3 | 400u << 16;
    open();
    EXPECT_TRUE(enabled(CPageCCXConfigDlg::IDC_DCRM));
    EXPECT_TRUE(enabled(CPageCCXConfigDlg::IDC_TIME_LIMIT));
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_TIME_LIMIT), "400");

    // Clearing radio measurement clears the non-serving box and resets the limit.
    check(CPageCCXConfigDlg::IDC_RM, false);
    EXPECT_FALSE(checked(CPageCCXConfigDlg::IDC_DCRM));
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_TIME_LIMIT), "250");
    EXPECT_FALSE(enabled(CPageCCXConfigDlg::IDC_DCRM));
    EXPECT_FALSE(enabled(CPageCCXConfigDlg::IDC_TIME_LIMIT));

    check(CPageCCXConfigDlg::IDC_RM, true);
    check(CPageCCXConfigDlg::IDC_DCRM, true);
    ::SetWindowText(item(CPageCCXConfigDlg::IDC_TIME_LIMIT), "12");
    check(CPageCCXConfigDlg::IDC_DCRM, false);
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_TIME_LIMIT), "250");

    // An emptied limit is 0.
    check(CPageCCXConfigDlg::IDC_DCRM, true);
    ::SetWindowText(item(CPageCCXConfigDlg::IDC_TIME_LIMIT), "");
    pump();
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_TIME_LIMIT), "0");

    // CCX off clears the options and disables them with the diagnostic group; on again
    // checks both measurements.
    check(CPageCCXConfigDlg::IDC_CCKM, true);
    check(CPageCCXConfigDlg::IDC_CCX_ENABLE, false);
    EXPECT_FALSE(checked(CPageCCXConfigDlg::IDC_CCKM));
    for (int id : { CPageCCXConfigDlg::IDC_CCKM, CPageCCXConfigDlg::IDC_RM, CPageCCXConfigDlg::IDC_MFP,
             CPageCCXConfigDlg::IDC_PROFILE_LIST, CPageCCXConfigDlg::IDC_TIME_LIMIT })
        EXPECT_FALSE(enabled(id)) << id;
    // Left as they are: the test's button and admission control.
    EXPECT_TRUE(enabled(CPageCCXConfigDlg::IDC_DIAGNOSTIC));
    EXPECT_TRUE(enabled(CPageCCXConfigDlg::IDC_CAC_SET));
    check(CPageCCXConfigDlg::IDC_CCX_ENABLE, true);
    EXPECT_TRUE(checked(CPageCCXConfigDlg::IDC_RM));
    EXPECT_TRUE(checked(CPageCCXConfigDlg::IDC_DCRM));
    EXPECT_TRUE(enabled(CPageCCXConfigDlg::IDC_TIME_LIMIT));
}

TEST_F(PageCcxTest, AdapterKindsZeroToThreeHideRoamingVoiceDiagnosticsAndAdmissionControl)
{
    int const hidden[] = { CPageCCXConfigDlg::IDC_RF_ROAM, CPageCCXConfigDlg::IDC_RF_ROAM_LABEL, CPageCCXConfigDlg::IDC_VOICE_RATE,
        CPageCCXConfigDlg::IDC_VOICE_RATE_LABEL, CPageCCXConfigDlg::IDC_DIAG_HEADING, CPageCCXConfigDlg::IDC_INFO_GROUP,
        CPageCCXConfigDlg::IDC_CAP_TEXT, CPageCCXConfigDlg::IDC_PROFILE_LIST, CPageCCXConfigDlg::IDC_DIAGNOSTIC,
        CPageCCXConfigDlg::IDC_CAC_LABEL, CPageCCXConfigDlg::IDC_CAC_LIST, CPageCCXConfigDlg::IDC_CAC_SET };
    for (std::uint32_t kind : { 0u, 3u, 4u, 5u }) {
        SCOPED_TRACE(kind);
        G_VxWlLib.adapter.AdapterKind = kind;
        open();
        for (int id : hidden)
            EXPECT_EQ(visible(id), kind > 3) << id;
        EXPECT_TRUE(visible(CPageCCXConfigDlg::IDC_MFP));
        page.reset();
    }
}

TEST_F(PageCcxTest, AdmissionControlSendsTheListIndexPlusOne)
{
    open();
    click(CPageCCXConfigDlg::IDC_CAC_SET);
    ASSERT_EQ(fake().acm.size(), 1u);
    EXPECT_EQ(fake().acm[0].Command, 0);
    EXPECT_EQ(fake().acm[0].Flag, 1);
    EXPECT_TRUE(std::all_of(std::begin(fake().acm[0].Params), std::end(fake().acm[0].Params), [](auto b) { return b == 0; }));
}

// [SECTION] Profile table

TEST_F(PageCcxTest, ProfileTableShowsTheDiagnosticCapability)
{
    open();
    EXPECT_EQ(::SendMessage(item(CPageCCXConfigDlg::IDC_PROFILE_LIST), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_NAME_TEXT), "Home");
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_SSID_TEXT), "HomeNet 5G");
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_CAP_TEXT), "YES");
    select("Cafe");
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_SSID_TEXT), "Corner Cafe");
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_CAP_TEXT), "NO");
    ::SendMessage(item(CPageCCXConfigDlg::IDC_PROFILE_LIST), CB_SETCURSEL, WPARAM(-1), 0);
    ::SendMessage(page->m_hWnd, WM_COMMAND, MAKEWPARAM(CPageCCXConfigDlg::IDC_PROFILE_LIST, CBN_SELCHANGE), 0);
    pump();
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_NAME_TEXT), "");
    EXPECT_EQ(shown(CPageCCXConfigDlg::IDC_CAP_TEXT), "");
}

TEST_F(PageCcxTest, AListThatGrowsBetweenTheCallsIsReadOnceMore)
{
    fake().added_after_count = { profile("Late", "Late Net", 0) };
    open();
    EXPECT_EQ(::SendMessage(item(CPageCCXConfigDlg::IDC_PROFILE_LIST), CB_GETCOUNT, 0, 0), 4);
    ASSERT_EQ(page->m_rows.size(), 4u);
    EXPECT_EQ(page->m_rows[3].strName, "Late");
}

TEST_F(PageCcxTest, NoStoredProfilesLeaveTheTableEmpty)
{
    fake().profiles.clear();
    open();
    EXPECT_TRUE(page->m_rows.empty());
    click(CPageCCXConfigDlg::IDC_DIAGNOSTIC);
    EXPECT_EQ(boxes, Texts { "Please select a profile" });
    EXPECT_TRUE(fake().calls.empty());
}

// [SECTION] Diagnostic test on newer systems

TEST_F(PageCcxTest, TestOfAnotherProfileSwitchesToTheDiagnosticChannelAndBack)
{
    open();
    click(CPageCCXConfigDlg::IDC_DIAGNOSTIC);
    EXPECT_EQ(fake().system_name_asked, "Home");
    ASSERT_EQ(fake().set_profiles.size(), 1u);
    WLANPROFILE const& d = fake().set_profiles[0];
    EXPECT_STREQ(d.strProfileName, "Diagnostic Channel");
    EXPECT_EQ(ssid_of(d), "Diagnostic Channel");
    EXPECT_EQ(d.enumNetworkType, 1u);
    EXPECT_EQ(d.lRtsThre, 2347);
    EXPECT_EQ(d.lFragThre, 2346);
    EXPECT_EQ(d.enumAuthenMode, 0u);
    EXPECT_EQ(d.enumEncryStatus, 1u);
    EXPECT_EQ(d.bUseDiagnostic, 1u);
    EXPECT_FALSE(enabled(CPageCCXConfigDlg::IDC_DIAGNOSTIC));
    EXPECT_EQ(window.texts, Texts { kTestStarted });

    seconds(1);
    EXPECT_EQ(fake().calls, Calls { "profile Diagnostic Channel" });
    seconds(1);
    EXPECT_EQ(fake().calls.back(), "s64 Diagnostic Channel");
    library(CPageCCXConfigDlg::MSG_CCX_DC_CONNECT, 0, 1);
    fake().ihv_text = "step ";
    library(CPageCCXConfigDlg::MSG_CCX_DIAG_MESSAGE, 1);
    library(CPageCCXConfigDlg::MSG_CCX_DIAG_MESSAGE, 2);
    seconds(2);
    EXPECT_EQ(fake().calls.back(), "s64 Diagnostic Channel");
    seconds(1);
    EXPECT_EQ(fake().calls.back(), "profile Home");
    EXPECT_EQ(ssid_of(fake().set_profiles.back()), "HomeNet 5G");
    seconds(4);
    EXPECT_EQ(fake().calls.back(), "profile Home");
    seconds(1);
    EXPECT_EQ(fake().calls, (Calls { "profile Diagnostic Channel", "s64 Diagnostic Channel", "profile Home", "s64 Home" }));
    library(CPageCCXConfigDlg::MSG_CCX_DC_CONNECT, 0, 1);
    EXPECT_EQ(page->m_nCountDC, 0);
    library(CPageCCXConfigDlg::MSG_CCX_TEST_FINISHED);
    EXPECT_EQ(window.texts, (Texts { kTestStarted, kConnected, "step 1", "step 2", kConnected, "Test finished" }));
    // Nothing runs after the last timer.
    seconds(60);
    EXPECT_EQ(fake().calls.size(), 4u);
}

TEST_F(PageCcxTest, AProfileOfTheDiagnosticChannelIsStartedAtOnce)
{
    open();
    select("Diag");
    click(CPageCCXConfigDlg::IDC_DIAGNOSTIC);
    EXPECT_EQ(fake().calls, Calls { "s64 Diag" });
    seconds(20);
    EXPECT_EQ(fake().calls, Calls { "s64 Diag" });
}

TEST_F(PageCcxTest, RefusedTests)
{
    struct Case {
        char const* name;
        char const* select;
        std::vector<std::string> system;
        char const* message;
    };
    Case const cases[] = {
        { "not activated", "Home", { "Cafe" }, "Please activate the profile before diagnosing" },
        { "without the diagnostic option", "Cafe", { "Home", "Cafe" }, "Please enable diagnostic function" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        fake().system_profiles = c.system;
        boxes.clear();
        open();
        select(c.select);
        click(CPageCCXConfigDlg::IDC_DIAGNOSTIC);
        EXPECT_EQ(boxes, Texts { c.message });
        EXPECT_TRUE(fake().calls.empty());
        EXPECT_TRUE(enabled(CPageCCXConfigDlg::IDC_DIAGNOSTIC));
        EXPECT_TRUE(window.texts.empty());
        page.reset();
    }
}

TEST_F(PageCcxTest, ALongNameIsCutForTheSystemStore)
{
    std::string const name(100, 'n');
    fake().profiles.insert(fake().profiles.begin(), profile(name.c_str(), "Long", 1));
    open();
    click(CPageCCXConfigDlg::IDC_DIAGNOSTIC);
    EXPECT_EQ(fake().system_name_asked, std::string(63, 'n'));
}

TEST_F(PageCcxTest, AFailedFirstConnectStopsTheTest)
{
    open();
    click(CPageCCXConfigDlg::IDC_DIAGNOSTIC);
    seconds(2);
    library(CPageCCXConfigDlg::MSG_CCX_DC_CONNECT, 0, 0);
    EXPECT_EQ(fake().calls.back(), "abort");
    EXPECT_TRUE(enabled(CPageCCXConfigDlg::IDC_DIAGNOSTIC));
    EXPECT_EQ(window.texts.back(), kNotConnected);
    // The stop put the user's profile back (timer 7 was pending) and nothing more runs.
    EXPECT_EQ(fake().calls, (Calls { "profile Diagnostic Channel", "s64 Diagnostic Channel", "profile Home", "abort" }));
    seconds(30);
    EXPECT_EQ(fake().calls.size(), 4u);
}

TEST_F(PageCcxTest, AFailedSecondConnectRetriesOnceAndTheCountStartsAgain)
{
    open();
    click(CPageCCXConfigDlg::IDC_DIAGNOSTIC);
    seconds(2);
    library(CPageCCXConfigDlg::MSG_CCX_DC_CONNECT, 0, 1);
    seconds(8);
    EXPECT_EQ(fake().calls.back(), "s64 Home");
    library(CPageCCXConfigDlg::MSG_CCX_DC_CONNECT, 0, 0);
    EXPECT_EQ(page->m_nCountDC, 2);
    EXPECT_EQ(fake().calls.back(), "s64 Home");
    EXPECT_EQ(std::count(fake().calls.begin(), fake().calls.end(), "s64 Home"), 2);
    EXPECT_FALSE(enabled(CPageCCXConfigDlg::IDC_DIAGNOSTIC));
    // The end of the failed run is not shown while the count is 2.
    library(CPageCCXConfigDlg::MSG_CCX_TEST_FINISHED);
    EXPECT_EQ(window.texts.back(), kNotConnected);
    // The retry's result counts from 0 again.
    library(CPageCCXConfigDlg::MSG_CCX_DC_CONNECT, 0, 1);
    EXPECT_EQ(page->m_nCountDC, 0);
    library(CPageCCXConfigDlg::MSG_CCX_TEST_FINISHED);
    EXPECT_EQ(window.texts.back(), "Test finished");
    EXPECT_EQ(std::count(fake().calls.begin(), fake().calls.end(), "abort"), 0);
}

TEST_F(PageCcxTest, TheLibraryCannotRunTheTest)
{
    open();
    library(CPageCCXConfigDlg::MSG_CCX_TEST_FAILED);
    EXPECT_EQ(window.texts, Texts { "The test could not be run" });
}

TEST_F(PageCcxTest, StoppingDuringTheFirstWaitPutsTheProfileBackAndJoinsNothing)
{
    open();
    click(CPageCCXConfigDlg::IDC_DIAGNOSTIC);
    seconds(1);
    page->StopDiagnostic();
    EXPECT_EQ(fake().calls, (Calls { "profile Diagnostic Channel", "profile Home", "abort" }));
    EXPECT_TRUE(enabled(CPageCCXConfigDlg::IDC_DIAGNOSTIC));
    seconds(30);
    EXPECT_EQ(fake().calls.size(), 3u);
    // A second stop changes nothing more.
    page->StopDiagnostic();
    EXPECT_EQ(fake().calls.size(), 3u);
}

TEST_F(PageCcxTest, StoppingAfterTheProfileCameBackDoesNotSetItAgain)
{
    open();
    click(CPageCCXConfigDlg::IDC_DIAGNOSTIC);
    seconds(6);
    EXPECT_EQ(fake().calls.back(), "profile Home");
    page->StopDiagnostic();
    EXPECT_EQ(fake().calls, (Calls { "profile Diagnostic Channel", "s64 Diagnostic Channel", "profile Home", "abort" }));
    seconds(30);
    EXPECT_EQ(fake().calls.size(), 4u);
}

TEST_F(PageCcxTest, MessageTextsAreCutTo240Characters)
{
    open();
    fake().ihv_text = std::string(300, 'm');
    library(CPageCCXConfigDlg::MSG_CCX_DIAG_MESSAGE, 7);
    ASSERT_EQ(window.texts.size(), 1u);
    EXPECT_EQ(window.texts[0], std::string(240, 'm'));
}

// [SECTION] Diagnostic test on older systems

TEST_F(PageCcxTest, OlderSystemsRunTheLibrarysTestAndStopItWithTheProfilePage)
{
    fake().win_os = 9;
    open();
    click(CPageCCXConfigDlg::IDC_DIAGNOSTIC);
    EXPECT_FALSE(G_bReConnect);
    EXPECT_EQ(fake().calls, Calls { "start" });
    EXPECT_TRUE(fake().set_profiles.empty());
    EXPECT_EQ(window.texts, Texts { kTestStarted });
    EXPECT_FALSE(enabled(CPageCCXConfigDlg::IDC_DIAGNOSTIC));
    page->StopDiagnostic();
    EXPECT_EQ(fake().calls, (Calls { "start", "stop" }));
    EXPECT_EQ(services->oid_from_reg, std::vector<BOOL> { FALSE });
    EXPECT_TRUE(enabled(CPageCCXConfigDlg::IDC_DIAGNOSTIC));
    // Not running: a stop calls nothing.
    page->StopDiagnostic();
    EXPECT_EQ(fake().calls.size(), 2u);
}
