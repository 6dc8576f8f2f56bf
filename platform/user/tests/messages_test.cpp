#include "CoreFixture.h"

#include <atomic>
#include <map>
#include <thread>

using platform::testing::pump_until_idle;

namespace {

constexpr UINT WM_TEST = WM_APP + 7;

// A plain C entry point, as a library loaded at run time would post from its own thread.
extern "C" BOOL post_from_c(HWND hwnd, unsigned sender, unsigned sequence)
{
    return PostMessage(hwnd, WM_TEST, sender, sequence);
}

}

TEST_F(CoreTest, PostsFromEightThreadsArriveOnceInOrderPerSender)
{
    HWND hwnd = make_top();
    constexpr unsigned senders = 8;
    constexpr unsigned per_sender = 2000;
    std::map<unsigned, std::vector<unsigned>> seen;
    handler = [&](HWND, UINT message, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
        if (message == WM_TEST)
            seen[static_cast<unsigned>(w)].push_back(static_cast<unsigned>(l));
        return std::nullopt;
    };
    watch({ WM_NULL });
    std::vector<std::thread> threads;
    for (unsigned s = 0; s < senders; ++s) {
        threads.emplace_back([=] {
            for (unsigned i = 0; i < per_sender; ++i) {
                BOOL ok = s == 0 ? post_from_c(hwnd, s, i) : PostMessage(hwnd, WM_TEST, s, i);
                EXPECT_TRUE(ok);
            }
        });
    }
    for (auto& t : threads)
        t.join();
    pump_until_idle();
    ASSERT_EQ(seen.size(), senders);
    for (auto const& [sender, sequence] : seen) {
        ASSERT_EQ(sequence.size(), per_sender) << "sender " << sender;
        for (unsigned i = 0; i < per_sender; ++i)
            ASSERT_EQ(sequence[i], i) << "sender " << sender;
    }
}

TEST_F(CoreTest, SameThreadSendIsADirectReentrantCall)
{
    HWND hwnd = make_top();
    std::vector<int> depth_seen;
    int depth = 0;
    handler = [&](HWND h, UINT message, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_TEST)
            return std::nullopt;
        ++depth;
        depth_seen.push_back(depth);
        LRESULT inner = w > 0 ? SendMessage(h, WM_TEST, w - 1, 0) : 0;
        --depth;
        return static_cast<LRESULT>(w) + inner;
    };
    EXPECT_EQ(SendMessage(hwnd, WM_TEST, 3, 0), 3 + 2 + 1 + 0);
    EXPECT_EQ(depth_seen, (std::vector<int> { 1, 2, 3, 4 }));
}

TEST_F(CoreTest, CrossThreadSendBlocksUntilHandledAndReturnsTheResult)
{
    HWND hwnd = make_top();
    std::atomic<bool> handled { false };
    handler = [&](HWND, UINT message, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_TEST)
            return std::nullopt;
        EXPECT_TRUE(InSendMessage());
        handled = true;
        return static_cast<LRESULT>(w * 2);
    };
    std::atomic<LRESULT> result { -1 };
    std::atomic<bool> returned { false };
    std::thread sender([&] {
        result = SendMessage(hwnd, WM_TEST, 21, 0);
        EXPECT_TRUE(handled.load());
        returned = true;
    });
    // The sender waits until this thread looks at its queue.
    while (!returned) {
        pump_until_idle();
        std::this_thread::yield();
    }
    sender.join();
    EXPECT_EQ(result.load(), 42);
    EXPECT_FALSE(InSendMessage());
}

TEST_F(CoreTest, CrossThreadSendToAWindowDestroyedMeanwhileFails)
{
    HWND hwnd = make_top();
    HWND victim = make_top("victim");
    handler = [&](HWND h, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_TEST && h == hwnd)
            DestroyWindow(victim);
        if (message == WM_TEST)
            return 7;
        return std::nullopt;
    };
    std::atomic<int> done { 0 };
    std::atomic<LRESULT> first { 0 }, second { 0 };
    std::atomic<DWORD> error { 0 };
    std::thread sender([&] {
        first = SendMessage(hwnd, WM_TEST, 0, 0);
        second = SendMessage(victim, WM_TEST, 0, 0);
        error = GetLastError();
        done = 1;
    });
    while (!done) {
        pump_until_idle();
        std::this_thread::yield();
    }
    sender.join();
    EXPECT_EQ(first.load(), 7);
    EXPECT_EQ(second.load(), 0);
    EXPECT_EQ(error.load(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(CoreTest, PostingToADeadWindowFailsAndQueuedMessagesToItAreDropped)
{
    HWND hwnd = make_top();
    ASSERT_TRUE(PostMessage(hwnd, WM_TEST, 1, 0));
    DestroyWindow(hwnd);
    log.clear();
    pump_until_idle();
    EXPECT_EQ(count_of(hwnd, WM_TEST), 0);
    EXPECT_FALSE(PostMessage(hwnd, WM_TEST, 2, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    // A new window in the same slot does not receive messages meant for the old handle.
    HWND next = make_top();
    EXPECT_NE(next, hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(CoreTest, ThreadMessagesAndQuit)
{
    EXPECT_FALSE(PostThreadMessage(0x7FFFFFF0, WM_TEST, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_THREAD_ID);
    ASSERT_TRUE(PostThreadMessage(GetCurrentThreadId(), WM_TEST, 5, 6));
    PostQuitMessage(3);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_TEST);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(CoreTest, PeekWithoutRemovingLeavesTheMessage)
{
    HWND hwnd = make_top();
    PostMessage(hwnd, WM_TEST, 9, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_TEST, WM_TEST, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_TEST, WM_TEST, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_TEST, WM_TEST, PM_REMOVE));
}

TEST_F(CoreTest, SubclassingSeesMessagesFirstAndCallsThrough)
{
    HWND hwnd = make_top();
    static WNDPROC original;
    static std::vector<UINT> seen;
    seen.clear();
    auto sub = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        seen.push_back(m);
        return CallWindowProc(original, h, m, w, l) + (m == WM_TEST ? 100 : 0);
    };
    handler = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        return m == WM_TEST ? std::optional<LRESULT>(1) : std::nullopt;
    };
    original = reinterpret_cast<WNDPROC>(SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+sub)));
    EXPECT_EQ(SendMessage(hwnd, WM_TEST, 0, 0), 101);
    EXPECT_EQ(seen, std::vector<UINT> { WM_TEST });
}

TEST_F(CoreTest, BroadcastsReachEveryTopLevelWindowFromAnyThread)
{
    HWND a = make_top("a");
    HWND b = make_top("b");
    make_child(a, 5);
    watch({ WM_POWERBROADCAST });
    std::atomic<bool> done { false };
    std::thread raiser([&] {
        platform::user::broadcast(WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
        done = true;
    });
    while (!done) {
        pump_until_idle();
        std::this_thread::yield();
    }
    raiser.join();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(count_of(a, WM_POWERBROADCAST), 1);
    EXPECT_EQ(count_of(b, WM_POWERBROADCAST), 1);
    EXPECT_EQ(log[0].wparam, PBT_APMSUSPEND);
}

TEST_F(CoreTest, CallsPostedToTheUserInterfaceThreadRunThereWithoutTheSenderWaiting)
{
    // The poster returns before the call runs: it may be a thread the user-interface thread
    // waits for.
    make_top();
    std::vector<int> order;
    DWORD ran_on = 0;
    std::thread poster([&] {
        platform::user::post_to_ui_thread([&] { order.push_back(1); ran_on = GetCurrentThreadId(); });
        platform::user::post_to_ui_thread([&] { order.push_back(2); });
    });
    poster.join();
    EXPECT_TRUE(order.empty());
    pump_until_idle();
    EXPECT_EQ(order, (std::vector<int> { 1, 2 }));
    EXPECT_EQ(ran_on, GetCurrentThreadId());
}

TEST_F(CoreTest, WindowsBelongToTheUserInterfaceThread)
{
    make_top();
    HWND made = reinterpret_cast<HWND>(1);
    DWORD error = 0;
    std::thread other([&] {
        made = make_top("other");
        error = GetLastError();
    });
    other.join();
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(error, ERROR_WINDOW_OF_OTHER_THREAD);
}
