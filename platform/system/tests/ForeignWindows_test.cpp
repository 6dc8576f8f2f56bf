#include "platform/system/Kernel.h"
#include "platform/system/Paths.h"
#include "platform/system/Process.h"
#include "platform/system/ProcessLetters.h"
#include "platform/system/WindowMailbox.h"
#include "platform/system/WindowRecords.h"
#include "platform/user/Messages.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "platform/user/WindowCore.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <future>
#include <mutex>
#include <set>
#include <sys/wait.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using platform::system::Letter;
using platform::system::WindowMailbox;

TEST(WindowMailbox, DeliversWholeLettersAndRefusesPointerMessages)
{
    platform::system::testing::TempFolder folder;
    std::string path = folder.file("mailbox");
    std::promise<std::vector<Letter>> arrived;
    std::vector<Letter> letters;
    WindowMailbox mailbox;
    ASSERT_TRUE(mailbox.open(path, [&](Letter const& letter) {
        letters.push_back(letter);
        if (letter.message == WM_USER + 5)
            arrived.set_value(letters);
    }));

    // A stray datagram of the wrong size is dropped, not half read.
    int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    char const junk[] = "not a letter";
    EXPECT_EQ(::sendto(fd, junk, sizeof junk, 0, reinterpret_cast<sockaddr*>(&address), sizeof address),
        static_cast<ssize_t>(sizeof junk));
    ::close(fd);

    EXPECT_FALSE(WindowMailbox::send(path, Letter { 7, WM_SETTEXT, 0, 0x1234 }));
    EXPECT_TRUE(WindowMailbox::send(path, Letter { 7, WM_COMMAND, 32771, -1 }));
    EXPECT_TRUE(WindowMailbox::send(path, Letter { 7, WM_USER + 5, 0, 0 }));
    auto future = arrived.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    auto got = future.get();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].handle, 7u);
    EXPECT_EQ(got[0].message, WM_COMMAND);
    EXPECT_EQ(got[0].wparam, 32771u);
    EXPECT_EQ(got[0].lparam, -1);
    mailbox.close();
    EXPECT_FALSE(WindowMailbox::send(path, Letter { 7, WM_COMMAND, 1, 0 })) << "nobody listens any more";
}

TEST(WindowRecords, ReadBackWhatWasWrittenAndRejectDamagedRecords)
{
    platform::system::ProcessWindows record { 4242, 987654, {
        { 0x10002, "#32770", "Tarsel SoftAP Utility" },
        { 0x20003, "Odd\nClass 5:", "" },
    } };
    std::string text = platform::system::format_process_windows(record);
    EXPECT_EQ(platform::system::parse_process_windows(text), record);

    struct Case {
        char const* name;
        std::string text;
    } const cases[] = {
        { "empty", "" },
        { "cut inside a title", text.substr(0, text.size() - 5) },
        { "length beyond the end", "process 1 2\nwindow 10 6:#32770 99:short\n" },
        { "missing start time", "process 1\n" },
        { "negative length", "process 1 2\nwindow 10 -1:x 0:\n" },
        { "unknown line", text + "menu 1\n" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(platform::system::parse_process_windows(c.text));
    }
}

TEST(WindowRecords, AProcessIsNamedByItsIdAndStartTime)
{
    auto self = static_cast<std::uint32_t>(::getpid());
    auto start = platform::system::process_start_time(self);
    ASSERT_TRUE(start);
    EXPECT_TRUE(platform::system::process_is_alive(self, *start));
    EXPECT_FALSE(platform::system::process_is_alive(self, *start + 1)) << "a reused id is another process";
}

// What killed processes left (a gone process, or a record naming a reused id's earlier
// process) is swept; a live process's files and other files stay.
TEST(WindowRecords, DeadProcessesRecordsAreRemoved)
{
    platform::system::testing::TempFolder folder;
    std::string const dir = folder.file("windows");
    std::filesystem::create_directory(dir);
    auto const self = static_cast<std::uint32_t>(::getpid());
    std::uint64_t const start = platform::system::process_start_time(self).value();
    pid_t const gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    auto const write = [&](std::string const& name, std::string const& text) { std::ofstream(dir + "/" + name) << text; };
    auto const record = [](std::uint32_t pid, std::uint64_t time) {
        return platform::system::format_process_windows({ pid, time, {} });
    };
    write(std::to_string(self) + ".windows", record(self, start));
    write(std::to_string(self) + ".mailbox", "");
    write(std::to_string(gone) + ".windows", record(std::uint32_t(gone), 1));
    write(std::to_string(gone) + ".mailbox", "");
    write("1.windows", record(1, start + 12345)); // pid 1 lives, but this record is older
    write("notes.txt", "");
    write("x.mailbox", "");
    platform::system::remove_dead_records(dir);
    std::set<std::string> left;
    for (auto const& entry : std::filesystem::directory_iterator(dir))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string> { std::to_string(self) + ".windows", std::to_string(self) + ".mailbox", "notes.txt",
                        "x.mailbox" }));
}

class ForeignWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder.use_for_system_services();
        platform::testing::reset_windows();
    }
    void TearDown() override
    {
        platform::testing::reset_windows();
        ::unsetenv("ZORVEL_HELPER_MODE");
    }
    platform::system::testing::TempFolder m_folder;
};

TEST_F(ForeignWindowsTest, SecondProcessFindsAWindowByTitleAndItsCommandArrivesOnce)
{
    HANDLE ready = CreateEvent(nullptr, TRUE, FALSE, "HelperReady");
    ::setenv("ZORVEL_HELPER_MODE", "window-owner", 1);
    PROCESS_INFORMATION owner {};
    char line[] = "SysHelper.exe";
    ASSERT_TRUE(CreateProcess(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &owner));
    HANDLE started[] = { ready, owner.hProcess };
    ASSERT_EQ(WaitForMultipleObjects(2, started, FALSE, 10000), WAIT_OBJECT_0);

    HWND found = FindWindow(nullptr, "Tarsel SoftAP Utility");
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(reinterpret_cast<ULONG_PTR>(found) & platform::user::foreign_window_bit);
    EXPECT_TRUE(IsWindow(found));
    EXPECT_EQ(FindWindow("helperwindow", nullptr), found) << "class names ignore case; one window, one handle";
    EXPECT_EQ(FindWindow("HelperWindow", "Vexlor Utility"), nullptr);
    EXPECT_FALSE(PostMessage(found, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("text")));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    EXPECT_TRUE(PostMessage(found, WM_COMMAND, 32771, 0));
    // Letters from one sender arrive in order, so the owner has seen every command by the
    // time this one ends its loop.
    EXPECT_TRUE(PostMessage(found, WM_USER + 5, 0, 0));
    ASSERT_EQ(WaitForSingleObject(owner.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(owner.hProcess, &code);
    EXPECT_EQ(code, 0x21u) << "the command should arrive exactly once";

    EXPECT_FALSE(IsWindow(found));
    EXPECT_FALSE(PostMessage(found, WM_COMMAND, 32771, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(FindWindow(nullptr, "Tarsel SoftAP Utility"), nullptr);
    for (HANDLE handle : { ready, owner.hProcess, owner.hThread })
        CloseHandle(handle);
}

std::vector<UINT> first_messages;

LRESULT first_messages_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (first_messages.size() < 4)
        first_messages.push_back(message);
    return DefWindowProc(hwnd, message, wparam, lparam);
}

// This process's own windows are found as they are, and their record is what another
// process reads. Publishing never sends the window a message: the first one it gets is
// still WM_NCCREATE.
TEST_F(ForeignWindowsTest, OwnWindowsArePublishedUnderTheirCurrentTitle)
{
    first_messages.clear();
    WNDCLASS wc {};
    wc.lpfnWndProc = first_messages_proc;
    wc.lpszClassName = "PublishedWindow";
    RegisterClass(&wc);
    HWND hwnd = CreateWindowEx(0, "PublishedWindow", "Before", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_FALSE(first_messages.empty());
    EXPECT_EQ(first_messages.front(), WM_NCCREATE);
    SetWindowText(hwnd, "Vexlor Utility");
    EXPECT_EQ(FindWindow(nullptr, "Vexlor Utility"), hwnd);

    auto self = static_cast<std::uint32_t>(::getpid());
    std::string text;
    std::string path = platform::system::record_path(platform::system::window_folder(), self);
    ASSERT_TRUE(platform::system::read_whole_file(path, text));
    auto record = platform::system::parse_process_windows(text);
    ASSERT_TRUE(record);
    ASSERT_EQ(record->windows.size(), 1u);
    EXPECT_EQ(record->windows[0].title, "Vexlor Utility");
    EXPECT_EQ(record->windows[0].class_name, "PublishedWindow");

    DestroyWindow(hwnd);
    EXPECT_FALSE(platform::system::read_whole_file(path, text)) << "no windows, no record";
}

// Untitled windows (tool tips, drop-down lists) reach the record together, once the thread
// takes its messages; a titled one at once, with those still waiting.
TEST_F(ForeignWindowsTest, UntitledWindowsArePublishedTogetherWhenTheThreadTakesItsMessages)
{
    WNDCLASS wc {};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "UntitledWindow";
    RegisterClass(&wc);
    std::string const path = platform::system::record_path(platform::system::window_folder(), std::uint32_t(::getpid()));
    auto published = [&] {
        std::string text;
        if (!platform::system::read_whole_file(path, text))
            return std::size_t { 0 };
        auto record = platform::system::parse_process_windows(text);
        return record ? record->windows.size() : std::size_t { 0 };
    };
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(CreateWindowEx(0, "UntitledWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(published(), 0u);
    platform::testing::pump_until_idle();
    EXPECT_EQ(published(), 3u);

    HWND untitled = CreateWindowEx(0, "UntitledWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(published(), 3u);
    HWND titled = CreateWindowEx(0, "UntitledWindow", "Vexlor Utility", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(published(), 5u);
    DestroyWindow(untitled);
    EXPECT_EQ(published(), 5u);
    DestroyWindow(titled);
    EXPECT_EQ(published(), 3u);
    platform::testing::pump_until_idle();
    EXPECT_EQ(published(), 3u);
}

// A letter to no window runs the handlers of its topic, on the mailbox's thread, in the
// order letters arrive; a removed handler never runs again. The last letter of each round is
// the fence: letters from one sender arrive in order.
TEST_F(ForeignWindowsTest, ALetterToNoWindowRunsTheHandlersOfItsTopic)
{
    std::mutex mutex;
    std::vector<int> seen;
    std::promise<void> fence[2];
    int round = 0;
    auto record = [&](int value) {
        std::lock_guard lock(mutex);
        seen.push_back(value);
    };
    int const first = platform::system::add_topic_handler(7, [&] { record(7); });
    int const fence_id = platform::system::add_topic_handler(9, [&] { fence[round++].set_value(); });
    ASSERT_NE(first, 0);
    std::string const mailbox = platform::system::mailbox_path(platform::system::window_folder(), static_cast<std::uint32_t>(::getpid()));
    auto send = [&](std::uint32_t topic) { return WindowMailbox::send(mailbox, Letter { 0, WM_NULL, topic, 0 }); };

    EXPECT_TRUE(send(8)) << "a topic nobody listens to";
    EXPECT_TRUE(send(7));
    EXPECT_TRUE(send(9));
    ASSERT_EQ(fence[0].get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    platform::system::remove_topic_handler(first);
    EXPECT_TRUE(send(7));
    EXPECT_TRUE(send(9));
    ASSERT_EQ(fence[1].get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    platform::system::remove_topic_handler(fence_id);
    std::lock_guard lock(mutex);
    EXPECT_EQ(seen, std::vector<int> { 7 });
}

}
