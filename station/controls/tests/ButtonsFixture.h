// Shared set-up of the button group's tests: a manual clock, a clean window table, the pinned
// font and the classic colours, and a framework parent window that records the commands its
// controls send (after reflection has had its turn) and hosts the buttons under test.
#pragma once

#include "platform/controls/ControlClasses.h"
#include "platform/framework/Afx.h"
#include "platform/gdi/Testing.h"
#include "platform/user/InputDriver.h"
#include "platform/user/Testing.h"
#include "platform/user/WindowCore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class RecordingParent : public CWnd {
public:
    std::vector<std::pair<int, WORD>> commands;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        BOOL const handled = CWnd::OnCommand(wParam, lParam);
        // A notification the control consumed through reflection is not the parent's.
        if (!handled)
            commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return handled;
    }

    int clicks(int id) const
    {
        int n = 0;
        for (auto const& [from, code] : commands)
            n += from == id && code == BN_CLICKED;
        return n;
    }
};

class ButtonsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        platform::gdi::testing::use_test_drawing(BUTTONS_TEST_FONT);
        platform::user::set_desktop_size(1024, 768);
        platform::user::input::reset();
        platform::controls::register_control_classes();
        AfxInstallMessageFilter();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE)), "parent",
            WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr));
        pump();
    }

    void TearDown() override
    {
        platform::testing::reset_windows();
        AfxDeleteTempMap();
    }

    HWND make(LPCSTR cls, LPCSTR text, DWORD style, int id, RECT r = { 10, 10, 110, 40 })
    {
        return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
            r.bottom - r.top, parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    }

    static POINT at(HWND hwnd, int x, int y)
    {
        POINT p { x, y };
        ClientToScreen(hwnd, &p);
        return p;
    }

    static void pump() { platform::testing::pump_until_idle(); }

    // A pixel of what the window shows now, in its client coordinates.
    static COLORREF pixel(HWND hwnd, int x, int y)
    {
        HDC dc = GetDC(hwnd);
        COLORREF const c = GetPixel(dc, x, y);
        ReleaseDC(hwnd, dc);
        return c;
    }

    // A w x h icon of one colour (opaque), owned by the caller.
    static HICON solid_icon(int w, int h, COLORREF colour)
    {
        std::vector<DWORD> pixels(static_cast<size_t>(w * h), 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour));
        HBITMAP bits = CreateBitmap(w, h, 1, 32, pixels.data());
        std::vector<BYTE> zeros(static_cast<size_t>((w + 15) / 16 * 2 * h), 0);
        HBITMAP mask = CreateBitmap(w, h, 1, 1, zeros.data());
        ICONINFO info { TRUE, 0, 0, mask, bits };
        HICON icon = CreateIconIndirect(&info);
        DeleteObject(mask);
        DeleteObject(bits);
        return icon;
    }

    RecordingParent parent;
};
