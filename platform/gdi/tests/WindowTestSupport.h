// A fixture for tests that paint real windows: a manual clock, the pinned test font and the
// probe colours, two window classes (one with a class background brush, one without) whose
// WM_PAINT runs the painter a test sets per window.
#pragma once

#include "platform/gdi/SysColors.h"
#include "platform/gdi/Testing.h"
#include "platform/gdi/WindowSurfaces.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "platform/user/WindowCore.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

class WindowPaintTest : public ::testing::Test {
public:
    using Painter = std::function<void(HWND, HDC)>;
    static inline std::map<HWND, Painter> painters;
    static inline std::map<HWND, std::vector<UINT>> received;

    static LRESULT proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
    {
        received[hwnd].push_back(message);
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            if (auto it = painters.find(hwnd); it != painters.end() && ps.hdc)
                it->second(hwnd, ps.hdc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        return DefWindowProc(hwnd, message, wparam, lparam);
    }

protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        platform::gdi::install_window_drawing();
        platform::gdi::testing::use_test_drawing(GDI_TEST_DIR "/DejaVuSans.ttf");
        platform::gdi::testing::use_default_system_parameters();
        painters.clear();
        received.clear();
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc {};
            wc.lpfnWndProc = proc;
            wc.lpszClassName = "GdiWindowBrush";
            wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
            ASSERT_NE(RegisterClass(&wc), 0);
            wc.lpszClassName = "GdiWindowBare";
            wc.hbrBackground = nullptr;
            ASSERT_NE(RegisterClass(&wc), 0);
            registered = true;
        }
    }

    void TearDown() override
    {
        platform::testing::reset_windows();
        platform::gdi::testing::use_default_system_parameters();
        platform::gdi::testing::use_classic_colors();
        painters.clear();
    }

    static HWND make_window(LPCSTR class_name, DWORD style, RECT r, HWND parent = nullptr, DWORD ex_style = 0, LPCSTR title = "")
    {
        return CreateWindowEx(ex_style, class_name, title, style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
            nullptr, nullptr, nullptr);
    }

    // A pixel of the top-level surface at a point of `hwnd`'s client area.
    static COLORREF client_pixel(HWND hwnd, int x, int y)
    {
        POINT origin = platform::user::client_origin_in_top_level(hwnd);
        return platform::gdi::window_pixel(hwnd, origin.x + x, origin.y + y);
    }

    static void fill(HDC dc, RECT r, COLORREF colour)
    {
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }

    static int count_of(HWND hwnd, UINT message)
    {
        int n = 0;
        for (UINT m : received[hwnd])
            n += m == message;
        return n;
    }
};

inline HBRUSH sys_brush_handle(int index)
{
    return reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(index + 1));
}
