// The hidden dialog's polling step by step: which steps each timer's tick runs, the resume's
// wait for the driver, the rescans of a lost link, the retry decision, the WPS steps and the
// private messages. Headless, on the manual clock; the library's answers come from the
// simulated world, from wlansim, or from test functions put in the binding's slots.
#include "config_window_harness.h"
#include "Wlansim.h"

#include "platform/system/DebugSink.h"
#include "platform/system/Module.h"
#include "platform/system/Session.h"
#include "station/app/RetryDecision.h"
#include "station/core/tests/CoreTestSupport.h"
#include "station/core/Trace.h"
#include "station/core/tests/LibraryRecorder.h"
#include "station/features/PageWPSDlg.h"
#include "station/survey/LinkStatusDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <cstdlib>
#include <cstring>
#include <optional>

using station::testing::wlansim;

using platform::testing::timer_period;
using station::testing::ConfigWindowTest;
using station::testing::LibraryRecorder;
using station::testing::TraceAt;

namespace {

// A link to "Elsewhere" or none, as the status query answers it.
struct FakeLink {
    static inline std::uint32_t status = VxStatus_Disconnected;
    static int query(WLAN_STATUS* out, WLAN_STATUS_REQUEST)
    {
        *out = WLAN_STATUS {};
        out->Status = status;
        out->NetworkType = 1;
        if (status == VxStatus_Connected) {
            out->Bssid[0] = 0x02;
            out->Ssid.SsidLength = 9;
            std::memcpy(out->Ssid.Ssid, "Elsewhere", 9);
        }
        return VXWL_ERROR_SUCCESS;
    }
    static int no_device(AdapterEntry*)
    {
        LibraryRecorder::record("VXWL_IsDeviceExist");
        return 0;
    }
};

class WatchStepsTest : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        FakeLink::status = VxStatus_Disconnected;
    }


    static void settle()
    {
        using Settle = void (*)();
        if (auto const fn = reinterpret_cast<Settle>(GetProcAddress(G_VxWlLib.hModule, "VXSIM_Settle")))
            fn();
        platform::testing::pump_until_idle();
    }

    static void tick(CHideDlg& dialog, UINT id) { dialog.SendMessage(WM_TIMER, id); }
    static bool armed(CHideDlg& dialog, UINT id) { return timer_period(dialog.m_hWnd, id).has_value(); }
};

bool called(std::vector<std::string> const& calls, char const* name)
{
    return std::find(calls.begin(), calls.end(), name) != calls.end();
}

}

// [SECTION] The step order

TEST_F(WatchStepsTest, EachTimerRunsItsStepsInOrder)
{
    struct Case {
        char const* name;
        UINT id;
        bool dialog_running;
        bool adapter;
        bool status;      // step 5
        bool presence;    // step 6
        bool hold;        // step 8, the library's hold on the adapter
        bool tray;        // step 10, the tick count
        bool refresh;     // step 12, the WMM button
    };
    static constexpr Case cases[] = {
        { "trace level goes on", 22, false, true, true, true, true, true, true },
        { "radio", 11, false, true, true, true, true, true, true },
        { "card check", 1, false, true, true, true, true, true, true },
        { "driver after resume stops early", 13, false, true, false, false, false, false, false },
        { "connect after resume stops early", 19, false, true, false, false, false, false, false },
        { "session stops early", 20, false, true, false, false, false, false, false },
        { "WPS rotation skips tray, retry and refresh", 4, false, true, true, true, true, false, false },
        { "a running dialog stops the radio tick", 11, true, true, false, false, false, false, false },
        { "a running dialog stops the trace level's tick after it", 22, true, true, false, false, false, false, false },
        { "an absent adapter stops after its step", 11, false, false, true, true, false, false, false },
    };
    options("0,1,4,9,10", { { "DebugMode", "2" } });
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg&) {
        LibraryRecorder::install();
        for (auto const& c : cases) {
            SCOPED_TRACE(c.name);
            if (!c.adapter)
                G_VxWlLib.VXWL_IsDeviceExist.bind(&FakeLink::no_device);
            dialog.m_bDialogRunning = c.dialog_running;
            dialog.m_nTickCount = 0;
            G_VxWlLib.nDebugMode = 0;
            LibraryRecorder::clear();
            tick(dialog, c.id);
            dialog.m_bDialogRunning = FALSE;
            auto const calls = LibraryRecorder::calls();
            EXPECT_EQ(G_VxWlLib.nDebugMode.load(), c.id == 22 ? 2 : 0);
            EXPECT_EQ(called(calls, "VXWL_QueryWLANStatus"), c.status);
            EXPECT_EQ(called(calls, "VXWL_IsDeviceExist"), c.presence);
            EXPECT_EQ(called(calls, "VXWL_IsWpaCapable"), c.hold);
            EXPECT_EQ(dialog.m_nTickCount, c.tray ? 1 : 0);
            EXPECT_EQ(called(calls, "VXWL_DetectUserAdmin"), c.refresh);
            // The adapter's absence tore the window down and watches for the adapter.
            if (!c.adapter) {
                EXPECT_EQ(dialog.tray_icon_id(), IDI_NOTEXIST);
                EXPECT_EQ(dialog.m_pVxUI, nullptr);
                EXPECT_EQ(timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_CHECK_CARD), 2000u);
                break;
            }
        }
    });
}

// [SECTION] Resume

namespace {

// The clock times of one timer's ticks, from the tick trace.
class TickTimes {
public:
    explicit TickTimes(UINT id)
        : m_key("CHideDlg::OnTimer(" + std::to_string(id) + ")")
    {
        m_id = platform::system::DebugSink::the().add_capture([this](std::string_view line) {
            if (line.find(m_key) != std::string_view::npos)
                m_times.push_back(platform::clock().now_ms());
        });
    }
    ~TickTimes() { platform::system::DebugSink::the().remove_capture(m_id); }
    std::vector<std::uint64_t> since(std::uint64_t start) const
    {
        std::vector<std::uint64_t> out;
        for (auto t : m_times)
            out.push_back(t - start);
        return out;
    }

private:
    std::string m_key;
    std::vector<std::uint64_t> m_times;
    int m_id { 0 };
};

}

TEST_F(WatchStepsTest, AfterResumeTheDriverIsAskedEveryTwoSecondsUntilReady)
{
    struct Case {
        char const* delay;
        std::vector<std::uint64_t> ticks;   // of timer 13, after the one-second pause
        std::uint64_t scan_armed;           // the tick that arms the scan timer
    };
    Case const cases[] = {
        { "7000", { 1000, 3000, 5000, 7000 }, 7000 },
        { "never", { 1000, 3000, 5000, 7000, 9000, 11000 }, 11000 },
    };
    options("0,1,9,10", { { "DebugMode", "5" } });
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg&) {
        for (auto const& c : cases) {
            SCOPED_TRACE(c.delay);
            wlansim(std::string("driver-delay ") + c.delay);
            wlansim("power suspend");
            settle();
            EXPECT_FALSE(armed(dialog, TIMER_HIDE_DLG_RESCAN));
            TickTimes ticks(TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME);
            wlansim("power resume");
            std::uint64_t const start = platform::clock().now_ms();
            settle();
            std::uint64_t const paused = platform::clock().now_ms() - start;
            EXPECT_GE(paused, 1000u);
            std::optional<std::uint64_t> scan_at;
            for (int step = 0; step < 130 && !scan_at; ++step) {
                platform::testing::advance(100);
                settle();
                if (armed(dialog, TIMER_HIDE_DLG_RESCAN))
                    scan_at = platform::clock().now_ms() - start - paused;
            }
            EXPECT_EQ(ticks.since(start + paused), c.ticks);
            EXPECT_EQ(scan_at, c.scan_armed);
        }
    });
}

TEST_F(WatchStepsTest, ResumeInStationModeWithTheClientModeStoredHandsOverToTheModeSwitcher)
{
    std::string text = station::testing::kOneAdapterWorld;
    world(text.insert(text.find("ap_mode"), "op_mode = 2\n"));
    options("0,1,9,10", { { "DebugMode", "3" } });
    TraceAt trace(TRACE_STEP);
    bool ended = false;
    on_running([&](CHideDlg& dialog) {
        wlansim("mode station");
        wlansim("power suspend");
        settle();
        wlansim("power resume");
        settle();
        HWND const hwnd = dialog.m_hWnd;
        for (int i = 0; i < 20 && !ended; ++i) {
            platform::testing::advance(500);
            settle();
            ended = !::IsWindow(hwnd) || !tray_icon();
        }
    });
    run();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(trace.contains("[Kivra] --> CHideDlg::RunVxSwap(0)"));
}

// [SECTION] Rescans and the tick count

TEST_F(WatchStepsTest, ALostLinkRescansEveryNinetyTicksWhileNobodyLooks)
{
    options("0,1,9,10", { { "DebugMode", "3" } });
    std::vector<int> rescans;
    on_running([&](CHideDlg& dialog) {
        ASSERT_EQ(dialog.m_pVxUI, nullptr);
        int const capture = platform::system::DebugSink::the().add_capture([&](std::string_view line) {
            if (line.find("Insert scan type action!") != std::string_view::npos)
                rescans.push_back(dialog.m_nTickCount);
        });
        dialog.m_nTickCount = 0;
        for (int i = 0; i <= 270; ++i)
            tick(dialog, TIMER_HIDE_DLG_RADIO);
        // A link to another network than the current profile's keeps the count at zero.
        G_VxWlLib.VXWL_QueryWLANStatus.bind(&FakeLink::query);
        FakeLink::status = VxStatus_Connected;
        for (int i = 0; i < 5; ++i)
            tick(dialog, TIMER_HIDE_DLG_RADIO);
        EXPECT_EQ(dialog.m_nTickCount, 0);
        platform::system::DebugSink::the().remove_capture(capture);
    });
    run({ "-s" });
    EXPECT_EQ(rescans, (std::vector<int> { 90, 180, 270 }));
}

// [SECTION] The retry decision

TEST(RetryDecision, RetriesWhenTheLinkIsNotTheProfiles)
{
    struct Case {
        char const* name;
        bool wpa_capable;
        std::uint32_t status;
        bool bssid;
        char const* profile_ssid;
        char const* link_ssid;
        std::uint32_t mobility_domain;
        std::uint32_t profile_auth;
        std::uint32_t link_auth;
        std::uint32_t profile_cipher;
        std::uint32_t link_cipher;
        bool retry;
    };
    static constexpr Case cases[] = {
        { "library holds no adapter", false, 2, false, "Home", "", 0, 7, 0, 6, 0, false },
        { "disconnected", true, 2, false, "Home", "", 0, 7, 0, 6, 0, true },
        { "no BSSID", true, 3, false, "Home", "Home", 0, 7, 7, 6, 6, true },
        { "other SSID", true, 3, true, "Home", "Other", 0, 7, 7, 6, 6, true },
        { "other SSID in the mobility domain", true, 3, true, "Home", "Other", 1, 7, 7, 6, 6, false },
        { "SSID not set", true, 3, true, "", "Other", 0, 7, 7, 6, 6, false },
        { "other authentication", true, 3, true, "Home", "Home", 0, 7, 4, 6, 6, true },
        { "same cipher", true, 3, true, "Home", "Home", 0, 7, 7, 6, 6, false },
        { "none against WEP key absent", true, 3, true, "Home", "Home", 0, 0, 0, 1, 2, false },
        { "TKIP against its key absent", true, 3, true, "Home", "Home", 0, 4, 4, 4, 5, false },
        { "AES against its key absent", true, 3, true, "Home", "Home", 0, 7, 7, 6, 7, false },
        { "AES against TKIP", true, 3, true, "Home", "Home", 0, 7, 7, 6, 4, true },
        { "TKIP against AES", true, 3, true, "Home", "Home", 0, 4, 4, 4, 6, true },
        { "none against WEP", true, 3, true, "Home", "Home", 0, 0, 0, 1, 0, true },
        { "WEP against none", true, 3, true, "Home", "Home", 0, 0, 0, 0, 1, false },
        { "TKIP key absent against AES", true, 3, true, "Home", "Home", 0, 4, 4, 5, 6, false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        WLANPROFILE profile {};
        profile.SSID.SsidLength = std::uint32_t(std::strlen(c.profile_ssid));
        std::memcpy(profile.SSID.Ssid, c.profile_ssid, profile.SSID.SsidLength);
        profile.enumAuthenMode = c.profile_auth;
        profile.enumEncryStatus = c.profile_cipher;
        WLAN_STATUS status {};
        status.Status = c.status;
        status.Bssid[5] = c.bssid ? 1 : 0;
        status.Ssid.SsidLength = std::uint32_t(std::strlen(c.link_ssid));
        std::memcpy(status.Ssid.Ssid, c.link_ssid, status.Ssid.SsidLength);
        status.AuthMode = c.link_auth;
        status.EncryptionStatus = c.link_cipher;
        IE_INFO_WPA digest {};
        digest.bMobilityDomain = c.mobility_domain;
        EXPECT_EQ(DecideRetry(RetryInputs { profile, status, digest, c.wpa_capable }), c.retry);
    }
}

// [SECTION] WPS

namespace {

struct FakeWps {
    static inline int answer = VXWL_ERROR_SUCCESS;
    static inline VXWL_U32 status = 0;
    static inline VXWL_U32 credentials = 0;
    static inline VXWL_U32 pressed = 0;
    static inline int connects = 0;
    static int query_status(VXWL_U32* out)
    {
        *out = status;
        return answer;
    }
    static int query_profile(WPS_PROFILE* out)
    {
        *out = WPS_PROFILE {};
        out->ProfileCnt = credentials;
        for (VXWL_U32 i = 0; i < credentials; ++i) {
            out->Profile[i].SsidLength = 7;
            std::memcpy(out->Profile[i].Ssid, "Printer", 7);
        }
        return VXWL_ERROR_SUCCESS;
    }
    static int query_pressed(VXWL_U32* out)
    {
        *out = pressed;
        return VXWL_ERROR_SUCCESS;
    }
    static int connect(WPS_CREDENTIAL)
    {
        ++connects;
        return VXWL_ERROR_SUCCESS;
    }
    static void install()
    {
        G_VxWlLib.VXWL_QueryWPSStatus.bind(&query_status);
        G_VxWlLib.VXWL_QueryWPSProfile.bind(&query_profile);
        G_VxWlLib.VXWL_QueryWPSHwPbc.bind(&query_pressed);
        G_VxWlLib.VXWL_ConnectWPSProfile.bind(&connect);
    }
};

}

TEST_F(WatchStepsTest, TheWpsStatusTickEndsTheRunByItsStatus)
{
    struct Case {
        char const* name;
        int answer;
        VXWL_U32 status;
        VXWL_U32 credentials;
        bool rotate, poll, rescan;   // timers 4, 6, 7 afterwards
        int connects;
    };
    static constexpr Case cases[] = {
        { "a failed query is ignored", 0, 0, 0, true, true, true, 0 },
        { "idle stops the polling", 1, 0, 0, true, false, true, 0 },
        { "success connects and rotates", 1, 15, 1, true, false, false, 1 },
        { "success in the high bits", 1, 0x30000000 | 15, 1, true, false, false, 1 },
        { "success without credentials arms nothing", 1, 15, 0, false, false, false, 0 },
        { "time-out 260", 1, 260, 0, false, false, false, 0 },
        { "failure 262", 1, 262, 0, false, false, false, 0 },
        { "failure 513", 1, 513, 0, false, false, false, 0 },
        { "failure 516", 1, 516, 0, false, false, false, 0 },
        { "in progress keeps polling", 1, 257, 0, true, true, true, 0 },
        { "other values keep polling", 1, 517, 0, true, true, true, 0 },
    };
    options("0,1,5,9,10");
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg&) {
        FakeWps::install();
        G_VxWlLib.nWPSRotatePeriod = 7;
        for (auto const& c : cases) {
            SCOPED_TRACE(c.name);
            FakeWps::answer = c.answer;
            FakeWps::status = c.status;
            FakeWps::credentials = c.credentials;
            FakeWps::connects = 0;
            for (UINT id : { TIMER_HIDE_DLG_WPS_ROTATE, TIMER_HIDE_DLG_WPS_STATUS, TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN })
                dialog.SetTimer(id, 60000);
            tick(dialog, TIMER_HIDE_DLG_WPS_STATUS);
            EXPECT_EQ(armed(dialog, TIMER_HIDE_DLG_WPS_ROTATE), c.rotate);
            EXPECT_EQ(armed(dialog, TIMER_HIDE_DLG_WPS_STATUS), c.poll);
            EXPECT_EQ(armed(dialog, TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN), c.rescan);
            EXPECT_EQ(FakeWps::connects, c.connects);
            if (c.connects) {
                EXPECT_EQ(timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_WPS_ROTATE), 7000u);
            }
        }
    });
}

TEST_F(WatchStepsTest, TheWpsButtonStartsARunAndTheRotationTriesTheNextCredential)
{
    options("0,1,5,9,10");
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        FakeWps::install();
        FakeWps::pressed = 1;
        for (UINT id : { TIMER_HIDE_DLG_RETRY_CON, TIMER_HIDE_DLG_WPS_ROTATE, TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN })
            dialog.SetTimer(id, 60000);
        tick(dialog, TIMER_HIDE_DLG_WPS_HW_PBC);
        EXPECT_TRUE(window.m_pPageWPSDlg->m_bHWPBC);
        EXPECT_FALSE(armed(dialog, TIMER_HIDE_DLG_RETRY_CON));
        EXPECT_FALSE(armed(dialog, TIMER_HIDE_DLG_WPS_ROTATE));
        // This system's page rescans on its own; only the status is polled.
        EXPECT_FALSE(armed(dialog, TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN));
        EXPECT_EQ(timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_WPS_STATUS), 200u);
        VXWL_U32 flag = 0;
        G_VxWlLib.VXWL_ReadWPSFlag(&flag);
        EXPECT_EQ(flag, 1u);

        // The run's credentials are stored, and the rotation tries them while disconnected.
        FakeWps::pressed = 0;
        FakeWps::status = 15;
        FakeWps::credentials = 2;
        FakeWps::connects = 0;
        tick(dialog, TIMER_HIDE_DLG_WPS_STATUS);
        EXPECT_EQ(FakeWps::connects, 1);
        WPS_MODE mode {};
        WPS_PROFILE stored {};
        G_VxWlLib.VXWL_ReadWPSProfile(&mode, &stored);
        EXPECT_EQ(stored.ProfileCnt, 2u);
        G_VxWlLib.VXWL_QueryWLANStatus.bind(&FakeLink::query);
        tick(dialog, TIMER_HIDE_DLG_WPS_ROTATE);
        EXPECT_EQ(FakeWps::connects, 2);
        EXPECT_TRUE(armed(dialog, TIMER_HIDE_DLG_WPS_ROTATE));
        FakeLink::status = VxStatus_Connected;
        tick(dialog, TIMER_HIDE_DLG_WPS_ROTATE);
        EXPECT_EQ(FakeWps::connects, 2);
        EXPECT_FALSE(armed(dialog, TIMER_HIDE_DLG_WPS_ROTATE));
    });
}

// [SECTION] Private messages

namespace {

struct FakeMessages {
    static inline int wep_keys = 0;
    static int private_message(VXWL_U32* value)
    {
        *value = 1;
        return 1;
    }
    static int bssid(VXWL_U32 oid, void* buffer, VXWL_U32 length, VXWL_U32* returned)
    {
        BYTE const address[6] { 2, 0x10, 0, 0, 0, 5 };
        if (oid != 0x0D010101 || length < 6)
            return 0;
        std::memcpy(buffer, address, 6);
        *returned = 6;
        return 1;
    }
    static int set_wep_key(WLANPROFILE*)
    {
        ++wep_keys;
        return VXWL_ERROR_SUCCESS;
    }
};

}

TEST_F(WatchStepsTest, PrivateMessagesReachThePagesOnlyWhileTheWindowExists)
{
    options("0,1,5,9,10");
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& survey = *window.site_survey_page();
        survey.DoScan();
        ASSERT_TRUE(survey.Rescanning());
        dialog.SendMessage(VXWL_MSG_SCAN_FAILED);
        platform::testing::pump_until_idle();
        EXPECT_FALSE(survey.Rescanning());

        dialog.SendMessage(VXWL_MSG_ENABLE_WINDOW, 0);
        EXPECT_FALSE(window.IsWindowEnabled());
        dialog.SendMessage(VXWL_MSG_ENABLE_WINDOW, 2);
        EXPECT_FALSE(window.IsWindowEnabled());
        dialog.SendMessage(VXWL_MSG_ENABLE_WINDOW, 1);
        EXPECT_TRUE(window.IsWindowEnabled());

        dialog.KillTimer(TIMER_HIDE_DLG_RECONNECT);
        dialog.SendMessage(VXWL_MSG_RECONNECT);
        EXPECT_EQ(timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_RECONNECT), 4000u);
        EXPECT_EQ(dialog.SendMessage(VXWL_MSG_RECONNECT + 1), 0);
        EXPECT_EQ(dialog.SendMessage(VXWL_MSG_RECONNECT + 2), 0);

        // The ICV error shows in the link page and, on the next connected tick, in the tray.
        G_VxWlLib.VXWL_QueryPrivateMsg.bind(&FakeMessages::private_message);
        dialog.SendMessage(WM_NDIS_PRIVATE);
        EXPECT_TRUE(G_bWepError);
        EXPECT_TRUE(window.m_pLinkStatusDlg->m_bICVError);
        G_VxWlLib.VXWL_QueryWLANStatus.bind(&FakeLink::query);
        FakeLink::status = VxStatus_Connected;
        tick(dialog, TIMER_HIDE_DLG_RADIO);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_WEP_ERROR);
        G_bWepError = FALSE;

        // The media connects: keys again for a WEP infrastructure profile, the BSSID for WPS.
        G_VxWlLib.VXWL_OIDQueryInfo.bind(&FakeMessages::bssid);
        G_VxWlLib.VXWL_SetWEPKey.bind(&FakeMessages::set_wep_key);
        struct Row {
            std::uint32_t cipher;
            int wep_keys;
        };
        for (Row row : { Row { ENC_WEP, 1 }, Row { ENC_AES, 0 } }) {
            SCOPED_TRACE(row.cipher);
            {
                std::lock_guard lock(dialog.profile_lock());
                *dialog.m_pProfData = WLANPROFILE {};
                dialog.m_pProfData->enumNetworkType = 1;
                dialog.m_pProfData->enumEncryStatus = row.cipher;
            }
            FakeMessages::wep_keys = 0;
            std::memset(window.m_pPageWPSDlg->m_ConnectedBssid, 0xFF, 6);
            dialog.SendMessage(WM_NDIS_MEDIA_CONNECT);
            EXPECT_EQ(FakeMessages::wep_keys, row.wep_keys);
            BYTE const bssid[6] { 2, 0x10, 0, 0, 0, 5 };
            EXPECT_EQ(std::memcmp(window.m_pPageWPSDlg->m_ConnectedBssid, bssid, 6), 0);
        }

        dialog.SendMessage(WM_HIDE_DLG_EXIT);
        EXPECT_FALSE(tray_icon());
    });
}

TEST_F(WatchStepsTest, WithoutTheWindowTheLibrarysNewsGoesNowhere)
{
    on_running([&](CHideDlg& dialog) {
        ASSERT_EQ(dialog.m_pVxUI, nullptr);
        for (UINT message : { UINT(VXWL_MSG_SCAN_FAILED), UINT(VXWL_MSG_CCX_DIAG_FIRST), UINT(VXWL_MSG_CCX_DIAG_LAST),
                 UINT(VXWL_MSG_ENABLE_WINDOW), UINT(VXWL_MSG_EAP_CONFIG_DONE), UINT(VXWL_MSG_RADIO_OFF) })
            EXPECT_EQ(dialog.SendMessage(message, 1, 2), 0);
        platform::testing::pump_until_idle();
        EXPECT_EQ(dialog.m_pVxUI, nullptr);
    });
    run({ "-s" });
}

// [SECTION] Radio, sessions and the resume's connection

TEST_F(WatchStepsTest, TheHardwareRadioComingOnWithoutTheWindowConnects)
{
    options("0,1,9,10", { { "DebugMode", "3" } });
    TraceAt trace(TRACE_STEP);
    auto applied = [&] {
        auto const lines = trace.lines();
        return std::count(lines.begin(), lines.end(), std::string("[Kivra] --> CHideDlg::InitCard_SetOidFromReg"));
    };
    on_running([&](CHideDlg& dialog) {
        auto const before = applied();
        wlansim("radio hw off");
        tick(dialog, TIMER_HIDE_DLG_RADIO);
        EXPECT_TRUE(dialog.m_bHWRadioOff);
        EXPECT_EQ(applied(), before);
        wlansim("radio hw on");
        tick(dialog, TIMER_HIDE_DLG_RADIO);
        EXPECT_FALSE(dialog.m_bHWRadioOff);
        EXPECT_EQ(applied(), before + 1);
    });
    run({ "-s" });
}

TEST_F(WatchStepsTest, SwitchingUsersGivesTheAdapterUpAndBackByTheSystem)
{
    struct Case {
        char const* name;
        int os;
        bool admin;
        char const* call_away;          // what lets the adapter go
        bool profile_kept;              // a non-administrator finds no stored active profile
    };
    static constexpr Case cases[] = {
        { "older system releases the card", 9, true, "VXWL_Release", true },
        { "administrator deletes the service's profiles", 12, true, "VXWL_WlanDeleteAllVexlorWindowsProfiles", true },
        { "a deleted active profile clears the current one", 12, false, "VXWL_WlanDeleteAllVexlorWindowsProfiles", false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        machine({ c.os, c.admin });
        with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
            {
                std::lock_guard lock(dialog.profile_lock());
                std::strcpy(dialog.m_pProfData->strProfileName, "Home");
                dialog.m_pProfData->SSID.SsidLength = 4;
                std::memcpy(dialog.m_pProfData->SSID.Ssid, "Home", 4);
            }
            LibraryRecorder::install();
            LibraryRecorder::clear();
            platform::system::set_active_console_session(dialog.m_dwSessionId + 9);
            tick(dialog, TIMER_HIDE_DLG_SESSION_ID);
            platform::testing::pump_until_idle();
            EXPECT_TRUE(dialog.m_bSessionLock);
            EXPECT_TRUE(called(LibraryRecorder::calls(), c.call_away));
            EXPECT_FALSE(window.IsWindowVisible());
            platform::system::set_active_console_session(dialog.m_dwSessionId);
            tick(dialog, TIMER_HIDE_DLG_SESSION_ID);
            EXPECT_FALSE(dialog.m_bSessionLock);
            WLANPROFILE current {};
            dialog.CopyProfile(current);
            EXPECT_EQ(current.SSID.SsidLength != 0, c.profile_kept);
        });
    }
}

TEST_F(WatchStepsTest, AfterResumeTheIdentityRePromptHoldsTheOldCredentialsBack)
{
    machine({ 9 });
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        {
            std::lock_guard lock(dialog.profile_lock());
            dialog.m_pProfData->enumNetworkType = 1;
            dialog.m_pProfData->enumEncryStatus = ENC_NONE;
            dialog.m_pProfData->SSID.SsidLength = 4;
            std::memcpy(dialog.m_pProfData->SSID.Ssid, "Home", 4);
        }
        LibraryRecorder::install();
        CWnd* const prompt = window.lower_child(CVxUI2008Dlg::SUB_INVALID_IDPW);
        ASSERT_NE(prompt, nullptr);
        window.ShowSubDialog(CVxUI2008Dlg::SUB_INVALID_IDPW);
        ASSERT_TRUE(prompt->IsWindowVisible());
        LibraryRecorder::clear();
        dialog.m_nCountAfterResume = 0;
        tick(dialog, TIMER_HIDE_DLG_RESUME_CONNECT);
        EXPECT_FALSE(called(LibraryRecorder::calls(), "VXWL_SetWLANProfile"));
        EXPECT_EQ(dialog.m_nCountAfterResume, 1);
        EXPECT_EQ(timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_RESUME_CONNECT), 1000u);
        // The prompt answered (hidden): the next try connects and the tries end.
        window.ShowSubDialog(CVxUI2008Dlg::SUB_LINK_STATUS);
        tick(dialog, TIMER_HIDE_DLG_RESUME_CONNECT);
        EXPECT_TRUE(called(LibraryRecorder::calls(), "VXWL_SetWLANProfile"));
        EXPECT_EQ(dialog.m_nCountAfterResume, 0);
        EXPECT_FALSE(armed(dialog, TIMER_HIDE_DLG_RESUME_CONNECT));
    });
}
