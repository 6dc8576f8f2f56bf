// Shared set-up of the drawing group's tests: manual clock, clean window table, the pinned
// test font and classic colours, and a small off-screen canvas to draw on and probe.
#pragma once

#include "platform/framework/Afx.h"
#include "platform/gdi/Testing.h"
#include "platform/user/Testing.h"
#include "platform/user/WindowCore.h"

#include <gtest/gtest.h>

// A memory DC with a screen-compatible bitmap of the given size.
class Canvas {
public:
    Canvas(int width, int height)
    {
        HDC const screen = ::GetDC(nullptr);
        dc.Attach(::CreateCompatibleDC(screen));
        bitmap.Attach(::CreateCompatibleBitmap(screen, width, height));
        ::ReleaseDC(nullptr, screen);
        old = dc.SelectObject(static_cast<HGDIOBJ>(bitmap.m_hObject));
        dc.FillSolidRect(0, 0, width, height, RGB(1, 2, 3));
    }
    ~Canvas() { dc.SelectObject(old); }
    COLORREF at(int x, int y) const { return dc.GetPixel(x, y); }

    CDC dc;
    CBitmap bitmap;
    HGDIOBJ old {};
};

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        platform::gdi::testing::use_test_drawing(DRAWING_TEST_FONT);
        platform::gdi::testing::use_classic_colors();
        platform::gdi::testing::use_palette_device(false);
        platform::user::set_desktop_size(640, 480);
    }

    void TearDown() override
    {
        platform::gdi::testing::use_palette_device(false);
        platform::testing::reset_windows();
        AfxDeleteTempMap();
    }

    // A visible top-level window to put controls in.
    HWND make_parent(int width = 300, int height = 200)
    {
        LPCTSTR const cls = AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
        m_parent.CreateEx(0, cls, "parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height, nullptr, nullptr);
        platform::testing::pump_until_idle();
        return m_parent.m_hWnd;
    }

    // A pixel of a window's client area as the screen shows it.
    static COLORREF pixel(HWND hwnd, int x, int y)
    {
        HDC const dc = ::GetDC(hwnd);
        COLORREF const c = ::GetPixel(dc, x, y);
        ::ReleaseDC(hwnd, dc);
        return c;
    }

    CWnd m_parent;
};
