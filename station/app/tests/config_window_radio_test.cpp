// The configuration window's radio button and help: switching the radio off and on through
// the library, what the pages and the hidden dialog's timers do about it, a library that
// refuses the switch, and opening the help document.
#include "config_window_harness.h"

#include "station/core/AuthStatusRing.h"

#include "platform/system/DebugSink.h"
#include "platform/system/Module.h"
#include "platform/system/Shell.h"
#include "platform/user/InputDriver.h"
#include "station/core/UiStr.h"
#include "station/features/PageCCXConfigDlg.h"
#include "station/features/PageWPSDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <cstring>
#include <mutex>

using station::testing::ConfigWindowTest;
using station::testing::Machine;

namespace {

// The hidden dialog's timer ticks, from its trace at level 5.
class TimerTicks {
public:
    TimerTicks()
    {
        m_id = platform::system::DebugSink::the().add_capture([this](std::string_view line) {
            std::lock_guard lock(m_mutex);
            if (line.find("CHideDlg::OnTimer(") != std::string_view::npos)
                m_lines.emplace_back(line);
        });
    }
    ~TimerTicks() { platform::system::DebugSink::the().remove_capture(m_id); }
    int count(int id)
    {
        std::lock_guard lock(m_mutex);
        std::string const wanted = "CHideDlg::OnTimer(" + std::to_string(id) + ")";
        int n = 0;
        for (auto const& l : m_lines)
            n += l.find(wanted) != std::string::npos;
        return n;
    }
    void clear()
    {
        std::lock_guard lock(m_mutex);
        m_lines.clear();
    }

private:
    int m_id {};
    std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

VXWL_U32 software_radio()
{
    VXWL_U32 hardware = 1;
    VXWL_U32 software = 1;
    G_VxWlLib.VXWL_QueryHWAndSWRadioState(&hardware, &software);
    return software;
}

int enabled_wps_actions(CPageWPSDlg& page)
{
    int n = 0;
    for (int i = 0; i < CPageWPSDlg::kActionButtons; ++i)
        n += ConfigWindowTest::enabled(page.ActionButton(i));
    return n;
}

}

TEST_F(ConfigWindowTest, RadioOffEmptiesTheScanCacheAndDisablesWps)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        ASSERT_TRUE(window.radio_on());
        ASSERT_NE(G_VxWlLib.pBssidList, nullptr);
        std::uint32_t const claimed = 3;
        std::memcpy(G_VxWlLib.pBssidList, &claimed, sizeof claimed);
        CShadeButtonST* const radio = window.kind_button(BTN_RADIO);
        HICON const on_icon = radio->hover_icon();
        radio->SendMessage(BM_CLICK);
        EXPECT_FALSE(window.radio_on());
        EXPECT_EQ(software_radio(), 0u);
        std::uint32_t count = 1;
        std::memcpy(&count, G_VxWlLib.pBssidList, sizeof count);
        EXPECT_EQ(count, 0u);
        ASSERT_NE(window.m_pPageWPSDlg, nullptr);
        EXPECT_EQ(enabled_wps_actions(*window.m_pPageWPSDlg), 0);
        EXPECT_NE(radio->hover_icon(), on_icon);
    });
}

TEST_F(ConfigWindowTest, RadioOnShowsScanWaitRowsAndArmsReconnectAndRescan)
{
    // Older system, managed by this program: the scan-wait rows and both timers.
    machine({ 9 });
    options("", { { "DebugMode", "5" } });
    TimerTicks ticks;
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        // The progress window pauses 100 ms of the clock after each line it lists (the link
        // going down and up): it would move the clock under the exact timer checks below.
        station::core::AuthStatusRing::the().set_window(nullptr);
        CShadeButtonST* const radio = window.kind_button(BTN_RADIO);
        radio->SendMessage(BM_CLICK);
        ASSERT_FALSE(window.radio_on());
        CPageSiteSurveyDlg* const survey = window.site_survey_page();
        survey->m_bConnectByBssid = TRUE;
        survey->m_bConnectBySsid = TRUE;
        ticks.clear();
        radio->SendMessage(BM_CLICK);
        EXPECT_TRUE(window.radio_on());
        EXPECT_EQ(software_radio(), 1u);
        EXPECT_EQ(survey->RowCount(), 1);
        ASSERT_EQ(window.m_pPageWPSDlg->ApRows().size(), 1u);
        EXPECT_EQ(window.m_pPageWPSDlg->ApRows()[0].strSSID, G_UiStr.IDS_SITESUR_SCAN_WAIT);
        EXPECT_FALSE(survey->m_bConnectByBssid);
        EXPECT_FALSE(survey->m_bConnectBySsid);
        // Rescan and push button come back; the other WPS actions stay off.
        EXPECT_TRUE(enabled(window.m_pPageWPSDlg->ActionButton(0)));
        EXPECT_TRUE(enabled(window.m_pPageWPSDlg->ActionButton(1)));
        EXPECT_EQ(enabled_wps_actions(*window.m_pPageWPSDlg), 2);
        EXPECT_EQ(dialog.m_nTimerReconnect, UINT_PTR(TIMER_HIDE_DLG_RECONNECT));
        EXPECT_EQ(dialog.m_nTimerRescan, UINT_PTR(TIMER_HIDE_DLG_RESCAN));
        EXPECT_EQ(platform::testing::timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_RECONNECT), 3000u);
        EXPECT_EQ(platform::testing::timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_RESCAN), 8000u);
        // The library's radio-on message follows: the hidden dialog arms both again, longer.
        using Settle = void (*)();
        reinterpret_cast<Settle>(GetProcAddress(G_VxWlLib.hModule, "VXSIM_Settle"))();
        platform::testing::pump_until_idle();
        EXPECT_EQ(platform::testing::timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_RECONNECT), 4000u);
        EXPECT_EQ(platform::testing::timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_RESCAN), 12000u);
        platform::testing::advance(4000);
        EXPECT_EQ(ticks.count(TIMER_HIDE_DLG_RECONNECT), 1);
    });
}

TEST_F(ConfigWindowTest, RadioOnUnderTheSystemServiceOnlyRescans)
{
    machine({ 9, true, 2 });
    options("", { { "DebugMode", "5" } });
    TimerTicks ticks;
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        window.ActionTurnOnOffRadio(FALSE);
        dialog.KillTimer(TIMER_HIDE_DLG_RECONNECT);
        ticks.clear();
        window.ActionTurnOnOffRadio(TRUE);
        platform::testing::advance(8000);
        EXPECT_EQ(ticks.count(TIMER_HIDE_DLG_RECONNECT), 0);
        EXPECT_EQ(ticks.count(TIMER_HIDE_DLG_RESCAN), 1);
    });
}

TEST_F(ConfigWindowTest, RefusedRadioSwitchIsReportedAndChangesNothing)
{
    struct Refuse {
        static int set(int) { return 0; }
    };
    std::vector<std::string> reported;
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        G_VxWlLib.VXWL_SetAndWriteRadioState.bind(&Refuse::set);
        SetMessageBoxHandler([&](std::string const& text) {
            reported.push_back(text);
            return INT_PTR(IDOK);
        });
        CShadeButtonST* const radio = window.kind_button(BTN_RADIO);
        HICON const icon = radio->hover_icon();
        int const wps_actions = enabled_wps_actions(*window.m_pPageWPSDlg);
        radio->SendMessage(BM_CLICK);
        EXPECT_EQ(reported, std::vector<std::string> { G_UiStr.IDS_RADIO_SWITCH_FAIL });
        EXPECT_TRUE(window.radio_on());
        EXPECT_EQ(radio->hover_icon(), icon);
        EXPECT_EQ(software_radio(), 1u);
        EXPECT_EQ(enabled_wps_actions(*window.m_pPageWPSDlg), wps_actions);
    });
}

TEST_F(ConfigWindowTest, HelpOpensOnlyWithoutAHelpWindowOfOurs)
{
    std::vector<std::string> opened;
    platform::system::set_shell_opener([&](std::string const& target) {
        opened.push_back(target);
        return true;
    });
    help_file();
    options("0,1,11");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CShadeButtonST* const help = window.kind_button(BTN_HELP);
        ASSERT_TRUE(visible(help));
        help->SendMessage(BM_CLICK);
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0], folder() + "/VXCONFIGENG.html");
        // F1 in the window asks for help too.
        window.expand_button().SetFocus();
        platform::user::input::tap_key(VK_F1);
        platform::testing::pump_until_idle();
        EXPECT_EQ(opened.size(), 2u);
        for (const char* title : CVxUI2008Dlg::kHelpWindowTitles) {
            SCOPED_TRACE(title);
            CWnd viewer;
            ASSERT_TRUE(viewer.CreateEx(0, AfxRegisterWndClass(0), title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
            help->SendMessage(BM_CLICK);
            window.SendMessage(WM_HELP, 0, 0);
            EXPECT_EQ(opened.size(), 2u);
            viewer.DestroyWindow();
        }
    });
    platform::system::set_shell_opener(nullptr);
}

TEST_F(ConfigWindowTest, WithoutTheHelpDocumentF1OpensNothingAndHelpIsHidden)
{
    std::vector<std::string> opened;
    platform::system::set_shell_opener([&](std::string const& target) {
        opened.push_back(target);
        return true;
    });
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        EXPECT_FALSE(visible(window.kind_button(BTN_HELP)));
        window.SendMessage(WM_HELP, 0, 0);
        EXPECT_TRUE(opened.empty());
    });
    platform::system::set_shell_opener(nullptr);
}

namespace {

// A link the test describes, and the radio switches with it.
struct FakeLink {
    static inline std::uint32_t status = VxStatus_Disconnected;
    static inline std::uint32_t network_type = 1;
    static inline VXWL_U32 hardware = 1;
    static int query(WLAN_STATUS* out, WLAN_STATUS_REQUEST)
    {
        *out = WLAN_STATUS {};
        out->Status = status;
        out->NetworkType = network_type;
        return VXWL_ERROR_SUCCESS;
    }
    static int radios(VXWL_U32* hw, VXWL_U32* sw)
    {
        *hw = hardware;
        *sw = 1;
        return VXWL_ERROR_SUCCESS;
    }
    static void install()
    {
        G_VxWlLib.VXWL_QueryWLANStatus.bind(&query);
        G_VxWlLib.VXWL_QueryHWAndSWRadioState.bind(&radios);
    }
};

}

TEST_F(ConfigWindowTest, WmmButtonFollowsTheLinkWhileTheRadioIsOn)
{
    options("0,1,4,10");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        FakeLink::install();
        CShadeButtonST* const wmm = window.kind_button(BTN_WMM);
        struct Case {
            const char* name;
            std::uint32_t network_type;
            VXWL_U32 hardware;
            bool before;
            bool after;
        };
        Case const cases[] = {
            { "infrastructure", 1, 1, false, true },
            { "ad hoc", 0, 1, true, false },
            { "hardware radio off: unchanged", 0, 0, true, true },
        };
        for (auto const& c : cases) {
            SCOPED_TRACE(c.name);
            FakeLink::network_type = c.network_type;
            FakeLink::hardware = c.hardware;
            wmm->EnableWindow(c.before);
            window.EnableWMMButton();
            EXPECT_EQ(enabled(wmm), c.after);
        }
        FakeLink::hardware = 1;
    });
}

namespace {

struct Rotation {
    static inline std::vector<std::string> applied;
    static int ccx(VXWL_U32* word)
    {
        *word = CVxUI2008Dlg::kRotateProfileBit;
        return VXWL_ERROR_SUCCESS;
    }
    static int list(WLANPROFILE* profiles, VXWL_U32* count)
    {
        if (profiles) {
            std::strcpy(profiles[0].strProfileName, "Home");
            std::strcpy(profiles[1].strProfileName, "Office");
        }
        *count = 2;
        return VXWL_ERROR_SUCCESS;
    }
    static int copy(const char* name)
    {
        applied.emplace_back(name);
        return VXWL_ERROR_SUCCESS;
    }
};

}

// The rotation runs on the hidden dialog's timer 10, which showing the window arms from the
// CCX page's rotate option.
TEST_F(ConfigWindowTest, TimerTenRotatesToTheNextProfileAfterThreeDisconnectedTicks)
{
    machine({ 9 });
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        FakeLink::install();
        FakeLink::status = VxStatus_Disconnected;
        G_VxWlLib.VXWL_ReadCCX2Cont.bind(&Rotation::ccx);
        G_VxWlLib.VXWL_ReadProfileList.bind(&Rotation::list);
        G_VxWlLib.VXWL_CopyProfileToCurrentSetting.bind(&Rotation::copy);
        Rotation::applied.clear();
        window.m_pPageCCXConfigDlg->m_bRotateProfile = TRUE;
        dialog.ShowConfigUI();
        auto tick = [] { platform::testing::advance(10000); };
        tick();
        tick();
        EXPECT_TRUE(Rotation::applied.empty());
        tick();
        EXPECT_EQ(Rotation::applied, (std::vector<std::string> { "Office" }));
        // A connected tick starts the count again; the index wraps to the first profile.
        FakeLink::status = VxStatus_Connected;
        tick();
        FakeLink::status = VxStatus_Disconnected;
        tick();
        tick();
        EXPECT_EQ(Rotation::applied.size(), 1u);
        tick();
        EXPECT_EQ(Rotation::applied, (std::vector<std::string> { "Office", "Home" }));
        // Without the rotate option the timer is gone and nothing rotates.
        window.m_pPageCCXConfigDlg->m_bRotateProfile = FALSE;
        dialog.ShowConfigUI();
        for (int i = 0; i < 4; ++i)
            tick();
        EXPECT_EQ(Rotation::applied.size(), 2u);
    });
}

TEST_F(ConfigWindowTest, ShowingOnOlderSystemsArmsTheRotationPollByTheCcxPage)
{
    machine({ 9 });
    options("", { { "DebugMode", "5" } });
    TimerTicks ticks;
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        ASSERT_NE(window.m_pPageCCXConfigDlg, nullptr);
        window.m_pPageCCXConfigDlg->m_bRotateProfile = TRUE;
        dialog.ShowConfigUI();
        ticks.clear();
        platform::testing::advance(10000);
        EXPECT_EQ(ticks.count(TIMER_HIDE_DLG_CCX), 1);
        window.m_pPageCCXConfigDlg->m_bRotateProfile = FALSE;
        dialog.ShowConfigUI();
        platform::testing::advance(20000);
        EXPECT_EQ(ticks.count(TIMER_HIDE_DLG_CCX), 1);
    });
}
