#include "platform/system/Shell.h"

#include "platform/system/Session.h"
#include "platform/system/Spawner.h"
#include "platform/system/TrayModel.h"
#include "platform/user/Messages.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "platform/user/WindowCore.h"

#include "TempFolder.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

struct Received {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};
std::vector<Received> received;

LRESULT recording_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message >= WM_USER || message == WM_POWERBROADCAST || message == WM_DEVICECHANGE
        || message == WM_WTSSESSION_CHANGE)
        received.push_back({ message, wparam, lparam });
    return DefWindowProc(hwnd, message, wparam, lparam);
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        platform::system::TrayModel::the().clear();
        received.clear();
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc {};
            wc.lpfnWndProc = recording_proc;
            wc.lpszClassName = "ShellTestWindow";
            registered = RegisterClass(&wc) != 0;
        }
        m_hwnd = CreateWindowEx(0, "ShellTestWindow", "Vexlor Utility", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hwnd, nullptr);
    }
    void TearDown() override
    {
        platform::system::set_shell_opener(nullptr);
        platform::testing::reset_windows();
    }
    NOTIFYICONDATA icon_data(char const* tip)
    {
        NOTIFYICONDATA data {};
        data.cbSize = sizeof data;
        data.hWnd = m_hwnd;
        data.uID = 222;
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = 0x464;
        data.hIcon = reinterpret_cast<HICON>(static_cast<ULONG_PTR>(133));
        std::strncpy(data.szTip, tip, sizeof data.szTip);
        return data;
    }
    HWND m_hwnd { nullptr };
};

TEST_F(ShellTest, TrayModelRecordsAddModifyDeleteAsTheOriginalAnswers)
{
    auto& model = platform::system::TrayModel::the();
    NOTIFYICONDATA data = icon_data("Vexlor Utility");
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &data)) << "modify of an unknown icon fails";
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &data));
    unsigned changes = model.change_count();
    EXPECT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &data));
    EXPECT_EQ(model.change_count(), changes) << "an identical modify changes nothing";

    std::memset(data.szTip, 'x', sizeof data.szTip); // not terminated
    data.hIcon = reinterpret_cast<HICON>(static_cast<ULONG_PTR>(134));
    ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &data));
    auto icon = model.find(m_hwnd, 222);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->tip, std::string(127, 'x'));
    EXPECT_EQ(icon->icon, data.hIcon);
    EXPECT_EQ(model.change_count(), changes + 1);

    ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &data));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &data));
    EXPECT_TRUE(model.icons().empty());
}

TEST_F(ShellTest, ClicksArriveAsTheCallbackMessage)
{
    NOTIFYICONDATA data = icon_data("tip");
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    auto& model = platform::system::TrayModel::the();
    EXPECT_TRUE(model.click(m_hwnd, 222, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(model.click(m_hwnd, 222, WM_RBUTTONDOWN));
    EXPECT_FALSE(model.click(m_hwnd, 223, WM_RBUTTONDOWN));
    platform::testing::pump_until_idle();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, 0x464u);
    EXPECT_EQ(received[0].wparam, 222u);
    EXPECT_EQ(received[0].lparam, static_cast<LPARAM>(WM_LBUTTONDBLCLK));
    EXPECT_EQ(received[1].lparam, static_cast<LPARAM>(WM_RBUTTONDOWN));
}

// What a presenter sees: each change once, on the user-interface thread, with the listing
// already showing it.
class RecordingTray final : public platform::system::TrayObserver {
public:
    void icon_added(platform::system::TrayIcon const& icon) override { record("added", icon); }
    void icon_changed(platform::system::TrayIcon const& icon) override { record("changed", icon); }
    void icon_removed(platform::system::TrayIcon const& icon) override { record("removed", icon); }
    std::vector<std::string> events;
    bool all_on_ui_thread { true };

private:
    void record(char const* what, platform::system::TrayIcon const& icon)
    {
        all_on_ui_thread = all_on_ui_thread && GetCurrentThreadId() == platform::user::ui_thread_id();
        auto listed = platform::system::TrayModel::the().find(icon.owner, icon.id);
        bool shown = std::string(what) == "removed" ? !listed : listed == icon;
        events.push_back(std::string(what) + " " + std::to_string(icon.id) + " " + icon.tip + (shown ? "" : " (not listed)"));
    }
};

TEST_F(ShellTest, ObserversHearEachChangeOnTheUserInterfaceThread)
{
    RecordingTray tray;
    auto& model = platform::system::TrayModel::the();
    model.add_observer(&tray);
    NOTIFYICONDATA data = icon_data("first");
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &data)); // identical: nobody hears of it
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &data));

    // A change from another thread reaches the observers through the user-interface thread,
    // which learns that the worker is done from the message the worker posts afterwards.
    std::thread worker([&] {
        NOTIFYICONDATA changed = icon_data("second");
        Shell_NotifyIcon(NIM_MODIFY, &changed);
        PostMessage(m_hwnd, WM_USER + 1, 0, 0);
    });
    MSG msg {};
    while (GetMessage(&msg, nullptr, 0, 0) && msg.message != WM_USER + 1)
        DispatchMessage(&msg);
    worker.join();
    ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &data));
    model.remove_observer(&tray);

    std::vector<std::string> expected { "added 222 first", "changed 222 second", "removed 222 second" };
    EXPECT_EQ(tray.events, expected);
    EXPECT_TRUE(tray.all_on_ui_thread);
}

TEST_F(ShellTest, DestroyingAWindowDropsItsIcons)
{
    RecordingTray tray;
    auto& model = platform::system::TrayModel::the();
    HWND other = CreateWindowEx(0, "ShellTestWindow", "Other", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowEx(0, "ShellTestWindow", "", WS_CHILD, 0, 0, 5, 5, m_hwnd, nullptr, nullptr, nullptr);
    NOTIFYICONDATA data = icon_data("mine");
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    data.hWnd = child;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    data.hWnd = other;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    model.add_observer(&tray);

    ASSERT_TRUE(DestroyWindow(m_hwnd));
    model.remove_observer(&tray);
    auto left = model.icons();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].owner, other);
    EXPECT_EQ(tray.events.size(), 2u) << "the window's own icon and its child's";
    EXPECT_FALSE(model.click(m_hwnd, 222, WM_RBUTTONDOWN));
}

TEST_F(ShellTest, PowerAndDeviceBroadcastsReachTopLevelWindows)
{
    platform::system::raise_power_event(PBT_APMSUSPEND);
    platform::system::raise_device_change(DBT_DEVNODES_CHANGED);
    platform::testing::pump_until_idle();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, WM_POWERBROADCAST);
    EXPECT_EQ(received[0].wparam, PBT_APMSUSPEND);
    EXPECT_EQ(received[1].message, WM_DEVICECHANGE);
}

TEST_F(ShellTest, SessionSwitchNotifiesRegisteredWindows)
{
    platform::system::testing::TempFolder folder;
    folder.use_for_system_services();
    ::setenv("ZORVEL_SESSION_ID", "1", 1);
    ASSERT_TRUE(WTSRegisterSessionNotification(m_hwnd, NOTIFY_FOR_THIS_SESSION));
    EXPECT_EQ(WTSGetActiveConsoleSessionId(), 1u);
    platform::system::set_active_console_session(2);
    EXPECT_EQ(WTSGetActiveConsoleSessionId(), 2u);
    platform::system::set_active_console_session(1);
    platform::testing::pump_until_idle();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, WM_WTSSESSION_CHANGE);
    EXPECT_EQ(received[0].wparam, WTS_CONSOLE_DISCONNECT);
    EXPECT_EQ(received[1].wparam, WTS_CONSOLE_CONNECT);
    WTSUnRegisterSessionNotification(m_hwnd);
    ::unsetenv("ZORVEL_SESSION_ID");
}

// Programs read the active session once a second: reading does not make the runtime folder
// (a missing one holds no session file, so the console is this process's session); a switch
// writes the file, making the folder again.
TEST_F(ShellTest, TheActiveSessionIsReadWithoutMakingTheRuntimeFolder)
{
    platform::system::testing::TempFolder folder;
    folder.use_for_system_services();
    ::setenv("ZORVEL_SESSION_ID", "1", 1);
    platform::system::set_active_console_session(2);
    EXPECT_EQ(WTSGetActiveConsoleSessionId(), 2u);
    std::filesystem::remove_all(folder.file("run"));
    EXPECT_EQ(WTSGetActiveConsoleSessionId(), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder.file("run")));
    platform::system::set_active_console_session(3);
    EXPECT_EQ(WTSGetActiveConsoleSessionId(), 3u);
    ::unsetenv("ZORVEL_SESSION_ID");
}

TEST_F(ShellTest, TheSessionCommandSwitchesTheActiveSessionForEveryProcess)
{
    platform::system::testing::TempFolder folder;
    folder.use_for_system_services();
    struct Case {
        std::vector<std::string> arguments;
        int exit_code;
        DWORD active_after;
    } const cases[] = {
        { { "3" }, 0, 3 },
        { { "x" }, 2, 3 },
        { { "4x" }, 2, 3 },
        { { "-1" }, 2, 3 },
        { { "99999999999" }, 2, 3 },
        { { "1", "2" }, 2, 3 },
        { { "7" }, 0, 7 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        std::vector<std::string> arguments { ZORVEL_SESSION_COMMAND };
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        auto result = platform::system::run_and_capture(arguments, 10000);
        ASSERT_TRUE(result.started);
        EXPECT_EQ(result.exit_code, c.exit_code) << result.output;
        EXPECT_EQ(WTSGetActiveConsoleSessionId(), c.active_after);
    }
    auto shown = platform::system::run_and_capture({ ZORVEL_SESSION_COMMAND }, 10000);
    EXPECT_EQ(shown.output.substr(0, shown.output.find('\n')), "active 7");
}

TEST_F(ShellTest, HelpFilesOpenTheirHtmlTwinThroughTheOpener)
{
    platform::system::testing::TempFolder folder;
    std::ofstream(folder.file("VXCONFIGENG.html")) << "<html></html>";
    std::ofstream(folder.file("Other.CHM")) << "";
    std::vector<std::string> opened;
    platform::system::set_shell_opener([&](std::string const& target) {
        opened.push_back(target);
        return true;
    });
    std::string folder_path = folder.path();
    EXPECT_GT(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "open", "VXCONFIGENG.CHM", nullptr, folder_path.c_str(), 5)), 32);
    EXPECT_GT(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "open", (folder_path + "/Other.CHM").c_str(), nullptr, nullptr, 5)), 32);
    EXPECT_GT(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "open", "http://example.com/a", nullptr, nullptr, 1)), 32);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "open", "VXCONFIGCHN.CHM", nullptr, folder_path.c_str(), 5)), SE_ERR_FNF);
    std::vector<std::string> expected { folder.file("VXCONFIGENG.html"), folder.file("Other.CHM"), "http://example.com/a" };
    EXPECT_EQ(opened, expected);
}

}
