// Shared set-up of the window core's tests: a manual clock, a clean window table, and a test
// window class whose procedure the test sets, with a log of what each window received.
#pragma once

#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "platform/user/WindowCore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

class CoreTest : public ::testing::Test {
public:
    using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

    static inline Handler handler;
    static inline std::vector<Received> log;
    static inline std::vector<UINT> logged_messages;

    static LRESULT test_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
    {
        if (logged_messages.empty() || std::find(logged_messages.begin(), logged_messages.end(), message) != logged_messages.end())
            log.push_back({ hwnd, message, wparam, lparam });
        if (handler) {
            if (auto result = handler(hwnd, message, wparam, lparam))
                return *result;
        }
        return DefWindowProc(hwnd, message, wparam, lparam);
    }

protected:
    void SetUp() override
    {
        clock = &platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        handler = nullptr;
        log.clear();
        logged_messages.clear();
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc {};
            wc.lpfnWndProc = test_proc;
            wc.lpszClassName = "CoreTestWindow";
            wc.style = CS_DBLCLKS;
            ASSERT_NE(RegisterClass(&wc), 0);
            registered = true;
        }
    }

    void TearDown() override
    {
        handler = nullptr;
        platform::testing::reset_windows();
        platform::user::set_modal_hook(nullptr);
    }

    static HWND make_top(LPCSTR title = "top", DWORD style = WS_OVERLAPPEDWINDOW, RECT r = { 100, 100, 400, 300 })
    {
        return CreateWindowEx(0, "CoreTestWindow", title, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
            nullptr, nullptr, nullptr, nullptr);
    }

    static HWND make_child(HWND parent, int id, RECT r = { 10, 10, 60, 40 }, DWORD style = WS_CHILD | WS_VISIBLE)
    {
        return CreateWindowEx(0, "CoreTestWindow", "", style, r.left, r.top, r.right - r.left, r.bottom - r.top,
            parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    }

    // Logs only these messages from now on.
    static void watch(std::vector<UINT> messages)
    {
        logged_messages = std::move(messages);
        log.clear();
    }

    static std::vector<UINT> messages_of(HWND hwnd)
    {
        std::vector<UINT> result;
        for (auto const& r : log) {
            if (r.hwnd == hwnd)
                result.push_back(r.message);
        }
        return result;
    }

    static int count_of(HWND hwnd, UINT message)
    {
        int n = 0;
        for (auto const& r : log)
            n += r.hwnd == hwnd && r.message == message;
        return n;
    }

    platform::ManualClock* clock {};
};
