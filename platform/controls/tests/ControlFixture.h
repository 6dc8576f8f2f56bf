// Shared set-up of the controls' tests: a manual clock, a clean window table, a parent
// window that records what its controls tell it (WM_COMMAND, WM_DRAWITEM, WM_MEASUREITEM,
// WM_DELETEITEM, WM_HSCROLL, WM_VSCROLL, WM_NOTIFY), and helpers to click and type.
#pragma once

#include "platform/controls/ControlClasses.h"
#include "platform/controls/ControlMessages.h"
#include "platform/gdi/Testing.h"
#include "platform/user/InputDriver.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct ParentEvent {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

class ControlTest : public ::testing::Test {
public:
    using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
    static inline Handler handler;
    static inline std::vector<ParentEvent> events;

    static LRESULT parent_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
    {
        switch (message) {
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_NOTIFY:
            events.push_back({ message, wparam, lparam });
            break;
        default:
            break;
        }
        if (handler) {
            if (auto result = handler(hwnd, message, wparam, lparam))
                return *result;
        }
        return DefWindowProc(hwnd, message, wparam, lparam);
    }

protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        platform::gdi::testing::use_test_drawing(CONTROLS_TEST_FONT);
        platform::user::reset_beep_count();
        handler = nullptr;
        events.clear();
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc {};
            wc.lpfnWndProc = parent_proc;
            wc.lpszClassName = "ControlTestParent";
            ASSERT_NE(RegisterClass(&wc), 0);
            registered = true;
        }
        parent = CreateWindowEx(0, "ControlTestParent", "parent", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
            nullptr, nullptr, nullptr, nullptr);
        platform::testing::pump_until_idle();
        events.clear();
    }

    void TearDown() override
    {
        handler = nullptr;
        platform::testing::reset_windows();
    }

    HWND make(LPCSTR cls, LPCSTR text, DWORD style, int id, RECT r = { 10, 10, 110, 40 })
    {
        return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
            r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    }

    // Screen point of a control's client point.
    static POINT at(HWND hwnd, int x, int y)
    {
        POINT p { x, y };
        ClientToScreen(hwnd, &p);
        return p;
    }

    static void pump() { platform::testing::pump_until_idle(); }

    // WM_COMMAND notification codes the parent got from control `id`.
    static std::vector<WORD> commands(int id)
    {
        std::vector<WORD> codes;
        for (auto const& e : events) {
            if (e.message == WM_COMMAND && LOWORD(e.wparam) == id)
                codes.push_back(HIWORD(e.wparam));
        }
        return codes;
    }

    static int count(UINT message)
    {
        int n = 0;
        for (auto const& e : events)
            n += e.message == message;
        return n;
    }

    // Paints a control into a memory bitmap through WM_PRINTCLIENT and returns the pixel.
    static COLORREF pixel_of(HWND hwnd, int x, int y)
    {
        RECT r;
        GetClientRect(hwnd, &r);
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateBitmap(r.right, r.bottom, 1, 32, nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
        COLORREF c = GetPixel(dc, x, y);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return c;
    }

    HWND parent {};
};
