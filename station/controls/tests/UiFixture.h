// Shared set-up of the station controls' tests (and of the page tests built on them): a manual
// clock, a clean window table, the pinned font and classic colours, optionally the station
// utility's resource file, and a framework parent window that records the commands and private
// messages it gets. Scroll notifications reach the control that sent them through the
// framework's own reflection, as in the pages' dialogs.
#pragma once

#include "platform/controls/ScrollMessages.h"
#include "platform/framework/Afx.h"
#include "platform/framework/Resources.h"
#include "platform/gdi/Testing.h"
#include "platform/user/InputDriver.h"
#include "platform/user/Testing.h"
#include "platform/user/WindowCore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Declared here rather than through ControlClasses.h, whose common-control declarations clash
// with those of platform/controls/common that some groups include.
namespace platform::controls {
void register_control_classes();
}

class RecordingParent : public CWnd {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<std::pair<int, WORD>> commands;
    std::vector<Message> privates;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        BOOL const handled = CWnd::OnCommand(wParam, lParam);
        if (!handled)
            commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return handled;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_USER && message < 0x7FFF) {
            privates.push_back({ message, wParam, lParam });
            return 0;
        }
        if (message == WM_NCLBUTTONDOWN) {
            privates.push_back({ message, wParam, lParam });
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    int clicks(int id) const
    {
        int n = 0;
        for (auto const& [from, code] : commands)
            n += from == id && code == BN_CLICKED;
        return n;
    }
};

class StationUiTest : public ::testing::Test {
protected:
    // `resources` may be null when the tests need no templates.
    void start(char const* font, char const* resources, RECT parent_rect)
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        platform::gdi::testing::use_test_drawing(font);
        platform::user::set_desktop_size(1024, 768);
        platform::user::input::reset();
        platform::user::reset_beep_count();
        platform::controls::register_control_classes();
        if (resources) {
            ASSERT_TRUE(platform::framework::load_resources(resources));
        }
        AfxInstallMessageFilter();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE)), "parent",
            WS_POPUP | WS_VISIBLE, parent_rect.left, parent_rect.top, parent_rect.right - parent_rect.left,
            parent_rect.bottom - parent_rect.top, nullptr, nullptr));
    }

    void TearDown() override
    {
        platform::user::set_modal_hook(nullptr);
        platform::testing::reset_windows();
        AfxDeleteTempMap();
    }

    HWND make(LPCSTR cls, LPCSTR text, DWORD style, int id, RECT r = { 10, 10, 110, 40 }, HWND owner = nullptr)
    {
        return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
            r.bottom - r.top, owner ? owner : parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
            nullptr);
    }

    static std::string text_of(HWND hwnd)
    {
        char buffer[512] {};
        GetWindowText(hwnd, buffer, sizeof buffer);
        return buffer;
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

    RecordingParent parent;
};
