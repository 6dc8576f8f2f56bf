// The running program's tray icon, tray menu, single instance and shut-down.
#include "AppHarness.h"
#include "station/core/tests/LibraryRecorder.h"

#include "platform/controls/common/Menu.h"
#include "platform/system/Kernel.h"
#include "platform/system/ProcessTable.h"
#include "station/app/ShowUIEvent.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/core/UiStr.h"

#include <chrono>
#include <cstring>
#include <thread>
#include <unistd.h>

using station::testing::AppHarness;
using station::testing::LibraryRecorder;
using platform::system::TrayModel;

namespace {

// A connected link whose name and signal the test sets.
struct FakeLink {
    static inline std::string ssid;
    static inline int percent = 0;
    static int status(WLAN_STATUS* status, WLAN_STATUS_REQUEST)
    {
        *status = WLAN_STATUS {};
        status->Status = VxStatus_Connected;
        status->Bssid[0] = 0x02;
        status->Ssid.SsidLength = std::uint32_t(ssid.size());
        std::memcpy(status->Ssid.Ssid, ssid.data(), std::min<std::size_t>(ssid.size(), 32));
        return VXWL_ERROR_SUCCESS;
    }
    static int rssi_to_percent(int) { return percent; }
    static void install()
    {
        G_VxWlLib.VXWL_QueryWLANStatus.bind(&status);
        G_VxWlLib.VXWL_RssiToPercent.bind(&rssi_to_percent);
    }
};

struct ShownMenu {
    std::vector<UINT> ids;
    std::vector<std::string> texts;
    std::vector<bool> grey;
};

// Right-clicks the icon and answers what the menu showed; the menu is cancelled.
ShownMenu right_click(CHideDlg& dialog)
{
    ShownMenu shown;
    platform::commctrl::set_menu_hook([&](platform::commctrl::OpenMenu& menu) {
        for (auto const& item : menu.items()) {
            shown.ids.push_back(item.id);
            shown.texts.push_back(item.text);
            shown.grey.push_back((item.flags & MF_GRAYED) != 0);
        }
        menu.cancel();
    });
    TrayModel::the().click(dialog.m_hWnd, TRAY_ICON_ID, WM_RBUTTONDOWN);
    platform::testing::pump_until_idle();
    platform::commctrl::set_menu_hook(nullptr);
    return shown;
}

}

TEST_F(AppHarness, IconAndTipFollowTheSignal)
{
    on_running([&](CHideDlg& dialog) {
        FakeLink::install();
        FakeLink::ssid = "Tom & Jerry 100%";
        struct Case {
            int percent;
            unsigned icon;
        };
        for (auto const c : { Case { 71, IDI_SIGNAL_GOOD }, Case { 70, IDI_SIGNAL_NORMAL }, Case { 41, IDI_SIGNAL_NORMAL },
                 Case { 40, IDI_SIGNAL_WEAK } }) {
            SCOPED_TRACE(c.percent);
            FakeLink::percent = c.percent;
            platform::testing::advance(1000);
            EXPECT_EQ(dialog.tray_icon_id(), c.icon);
            EXPECT_EQ(tray_icon()->icon, dialog.tray_icon_handle(c.icon));
        }
        EXPECT_EQ(tray_icon()->tip, "Connected to Tom & Jerry 100% - signal weak");
        G_bWepError = TRUE;
        platform::testing::advance(1000);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_WEP_ERROR);
        EXPECT_EQ(tray_icon()->tip, "Connection problem: The WEP key may be wrong");
        G_bWepError = FALSE;
    });
    run({ "-s" });
}

TEST_F(AppHarness, TrayMenuFollowsTheProgramsBesideIt)
{
    on_running([&](CHideDlg& dialog) {
        ShownMenu plain = right_click(dialog);
        EXPECT_EQ(plain.ids, (std::vector<UINT> { ID_TRAY_LAUNCH, ID_TRAY_DIAGNOSTIC, ID_TRAY_EXIT }));
        EXPECT_EQ(plain.texts, (std::vector<std::string> { G_UiStr.IDS_TRAY_LAUNCH, G_UiStr.IDS_TRAY_SWITCH_DIAGNOSTIC_MODE,
                                   G_UiStr.IDS_TRAY_EXIT }));
        // With the mode switcher and the access point utility beside the program: menu 259.
        write("VxSwap", "");
        write("Hotvane", "");
        ShownMenu full = right_click(dialog);
        // Menu 259: Launch, station and access point mode, AP mode, Diagnostic, Exit.
        EXPECT_EQ(full.ids, (std::vector<UINT> { ID_TRAY_LAUNCH, ID_TRAY_SWITCH_APCLIENT_MODE, ID_TRAY_SWITCH_AP_MODE,
                                ID_TRAY_DIAGNOSTIC, ID_TRAY_EXIT }));
        EXPECT_EQ(full.texts[1], G_UiStr.IDS_TRAY_SWITCH_APCLIENT_MODE);
        EXPECT_EQ(full.grey, (std::vector<bool>(5, false)));
        // A visible diagnostics dialog greys its item; a visible message dialog the AP item.
        dialog.m_dlgDiagnostic.CreateEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr);
        ASSERT_TRUE(dialog.m_dlgMessage.Create(CMessageBoxDlg::IDD, &dialog));
        dialog.m_dlgMessage.ShowWindow(SW_SHOW);
        ShownMenu greyed = right_click(dialog);
        EXPECT_EQ(greyed.grey, (std::vector<bool> { false, false, true, true, false }));
        // Hidden again, the message dialog greys nothing; the exit command destroys it.
        dialog.m_dlgMessage.ShowWindow(SW_HIDE);
        EXPECT_EQ(right_click(dialog).grey, (std::vector<bool> { false, false, false, true, false }));
    });
    run({ "-s" });
}

TEST_F(AppHarness, MenuLaunchKeepsItsOwnTextInMenu257)
{
    on_running([&](CHideDlg& dialog) {
        write("VxSwap", "");
        ShownMenu shown = right_click(dialog);
        // Menu 257: Launch, station and access point mode, Diagnostic, Exit.
        ASSERT_EQ(shown.ids,
            (std::vector<UINT> { ID_TRAY_LAUNCH, ID_TRAY_SWITCH_APCLIENT_MODE, ID_TRAY_DIAGNOSTIC, ID_TRAY_EXIT }));
        EXPECT_EQ(shown.texts[0], "Open configuration");
        EXPECT_EQ(shown.texts[1], G_UiStr.IDS_TRAY_SWITCH_APCLIENT_MODE);
    });
    run({ "-s" });
}

TEST_F(AppHarness, ChoosingExitInTheMenuEndsTheProgram)
{
    bool ended = false;
    on_running([&](CHideDlg& dialog) {
        HWND const hidden = dialog.m_hWnd;
        platform::commctrl::set_menu_hook([](platform::commctrl::OpenMenu& menu) { EXPECT_TRUE(menu.choose(ID_TRAY_EXIT)); });
        TrayModel::the().click(hidden, TRAY_ICON_ID, WM_RBUTTONDOWN);
        platform::testing::pump_until_idle();
        platform::commctrl::set_menu_hook(nullptr);
        ended = !::IsWindow(hidden) || TrayModel::the().icons().empty();
    });
    run();
    EXPECT_TRUE(ended);
}

// The process's thread count once it is at most `limit`: a thread that was told to end and
// has returned may still be leaving the kernel's list for a moment, so the count is read
// again for a bounded time (an outside event, not a timer of ours).
static unsigned threads_once_settled(unsigned limit)
{
    auto const give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    unsigned count = platform::system::process_status(std::uint32_t(::getpid())).threads;
    while (count > limit && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::yield();
        count = platform::system::process_status(std::uint32_t(::getpid())).threads;
    }
    return count;
}

TEST_F(AppHarness, ShutDownSavesReleasesAndEndsItsThreads)
{
    struct Case {
        int os;
        std::vector<std::string> calls;
    };
    std::vector<Case> const cases = {
        { 8, { "VXWL_QueryOPMode", "VXWL_BackupStationSetting", "VXWL_Release", "VXWL_DeInitial" } },
        { 12, { "VXWL_QueryOPMode", "VXWL_BackupStationSetting", "VXWL_DeInitial" } },
    };
    // Threads the platform starts once for the process are there after the first run; every
    // further run must end with as many as it began with.
    std::vector<unsigned> threads_after;
    for (auto const& c : cases) {
        SCOPED_TRACE(c.os);
        std::string text = station::testing::kOneAdapterWorld;
        text.replace(text.find("os = 12"), 7, "os = " + std::to_string(c.os));
        world(text);
        on_running([&](CHideDlg&) {
            LibraryRecorder::clear();
            LibraryRecorder::install();
        });
        run({ "-s" });
        EXPECT_EQ(LibraryRecorder::calls_among({ "VXWL_QueryOPMode", "VXWL_BackupStationSetting", "VXWL_Release",
                      "VXWL_DeInitial" }),
            c.calls);
        EXPECT_EQ(G_VxWlLib.hModule, nullptr);
        EXPECT_EQ(g_hShowUIEvent, nullptr);
        threads_after.push_back(threads_once_settled(threads_after.empty() ? ~0u : threads_after.front()));
    }
    // The first count may still include a thread on its way out; a thread left behind would
    // make a later run end with more.
    EXPECT_LE(threads_after.back(), threads_after.front());
}

TEST_F(AppHarness, ARunningInstanceEndsASecondStart)
{
    // The first instance, or the access point utility, holds the mutex.
    HANDLE const first = CreateMutex(nullptr, FALSE, SINGLE_INSTANCE_MUTEX_NAME);
    HANDLE const event = CreateEvent(nullptr, FALSE, FALSE, SHOW_UI_EVENT_NAME);
    bool ran = false;
    on_running([&](CHideDlg&) { ran = true; });
    EXPECT_FALSE(run());
    EXPECT_FALSE(ran);
    EXPECT_EQ(::FindWindow(nullptr, HIDE_DLG_TITLE), nullptr);
    EXPECT_EQ(G_VxWlLib.hModule, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    CloseHandle(event);
    // Without the running station utility's event the second start still ends quietly.
    EXPECT_FALSE(run());
    CloseHandle(first);
}

TEST_F(AppHarness, ASecondStartOpensTheRunningInstancesWindow)
{
    on_running([&](CHideDlg& dialog) {
        platform::testing::advance(1000);
        EXPECT_EQ(dialog.m_pVxUI, nullptr);
        // What a second start does once it found the mutex taken.
        HANDLE const event = OpenEvent(EVENT_ALL_ACCESS, FALSE, SHOW_UI_EVENT_NAME);
        ASSERT_NE(event, nullptr);
        SetEvent(event);
        CloseHandle(event);
        // The waiter thread posts the launch command; wait for it on the queue, a bounded number
        // of rounds, so that a lost command fails the test instead of hanging it.
        for (int round = 0; round < 200000 && !(dialog.m_pVxUI && dialog.m_pVxUI->IsWindowVisible()); ++round) {
            platform::testing::pump_until_idle();
            std::this_thread::yield();
        }
        EXPECT_TRUE(dialog.m_pVxUI && dialog.m_pVxUI->IsWindowVisible());
    });
    run({ "-s" });
}
