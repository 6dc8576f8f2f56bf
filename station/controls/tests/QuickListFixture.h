// Shared set-up of the lists group's tests: manual clock, pinned font, probe colours, and a
// parent window that answers cell requests from a test's function and records every message
// the list sends it.
#pragma once

#include "platform/controls/common/ListView.h"
#include "platform/framework/Dc.h"
#include "platform/gdi/Testing.h"
#include "platform/user/InputDriver.h"
#include "platform/user/Testing.h"
#include "platform/user/WindowCore.h"
#include "station/controls/CQuickList.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// What the parent heard, in order; cell requests are counted, not logged.
struct Heard {
    UINT message;
    int a;
    int b;
    int c;
    int d;
};

class QuickParent : public CWnd {
public:
    std::function<void(QuickCellRequest&)> describe;
    std::function<void(QuickNavigation&)> on_navigate;
    std::vector<Heard> heard;
    int requests {};

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case QLN_CELLREQUEST:
            ++requests;
            if (describe)
                describe(*reinterpret_cast<QuickCellRequest*>(lParam));
            return 0;
        case QLN_COLUMNCHANGE: {
            auto& n = *reinterpret_cast<QuickNavigation*>(lParam);
            heard.push_back({ message, n.m_nOldColumn, n.m_nNewColumn, n.m_bAllow, 0 });
            if (on_navigate)
                on_navigate(n);
            return 0;
        }
        case QLN_CELLCLICK: {
            auto const& c = *reinterpret_cast<QuickCellClick*>(lParam);
            heard.push_back({ message, c.m_nItem, c.m_nSubItem, c.m_bOnImage, c.m_bOnCheckBox });
            return 0;
        }
        case QLN_HEADERMENU: {
            auto const& h = *reinterpret_cast<QuickHeaderMenu*>(lParam);
            heard.push_back({ message, h.m_nColumn, static_cast<int>(h.m_ptScreen.x), static_cast<int>(h.m_ptScreen.y), 0 });
            return 0;
        }
        case QLN_KEYDOWN:
        case QLN_BUTTONDOWN:
            heard.push_back({ message, static_cast<int>(wParam), 0, 0, 0 });
            return 0;
        case WM_NOTIFY: {
            // Logged after the list has seen it through reflection.
            UINT const code = reinterpret_cast<NMHDR*>(lParam)->code;
            LRESULT const result = CWnd::WindowProc(message, wParam, lParam);
            if (code == NM_CLICK)
                heard.push_back({ NM_CLICK, 0, 0, 0, 0 });
            return result;
        }
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class QuickListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        platform::user::input::reset();
        platform::gdi::testing::use_test_drawing(LISTS_TEST_FONT);
        platform::gdi::testing::use_probe_colors();
        platform::user::set_desktop_size(640, 480);
        InitCommonControls();
        AfxInstallMessageFilter();
        LPCTSTR const cls = AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
        parent.CreateEx(0, cls, "parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 500, 300, nullptr, nullptr);
    }

    void TearDown() override
    {
        platform::testing::reset_windows();
        platform::user::input::reset();
        AfxDeleteTempMap();
    }

    // An owner-data report list at the parent's origin: `columns` columns 60 wide, `rows` rows.
    void make_list(int columns, int rows, DWORD style = 0, DWORD ex_style = 0, RECT r = { 0, 0, 400, 200 })
    {
        HWND const hwnd = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | style,
            r.left, r.top, r.right - r.left, r.bottom - r.top, parent.m_hWnd, reinterpret_cast<HMENU>(7), nullptr, nullptr);
        ASSERT_TRUE(list.SubclassWindow(hwnd));
        for (int c = 0; c < columns; ++c) {
            LVCOLUMN col {};
            col.mask = LVCF_WIDTH | LVCF_TEXT;
            col.cx = 60;
            col.pszText = const_cast<LPSTR>("c");
            ::SendMessage(hwnd, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
        }
        if (ex_style)
            ::SendMessage(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, ex_style, ex_style);
        ::SendMessage(hwnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
        platform::testing::pump_until_idle();
    }

    void select(int item, bool on = true)
    {
        ListView_SetItemState(list.m_hWnd, item, on ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }

    void repaint()
    {
        list.Invalidate(TRUE);
        platform::testing::pump_until_idle();
    }

    CRect cell(int item, int sub_item)
    {
        CRect r;
        EXPECT_TRUE(list.GetCellRect(item, sub_item, r));
        return r;
    }

    COLORREF pixel(int x, int y)
    {
        HDC const dc = ::GetDC(list.m_hWnd);
        COLORREF const c = ::GetPixel(dc, x, y);
        ::ReleaseDC(list.m_hWnd, dc);
        return c;
    }

    int count_in(CRect const& r, COLORREF colour)
    {
        HDC const dc = ::GetDC(list.m_hWnd);
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += ::GetPixel(dc, x, y) == colour;
        ::ReleaseDC(list.m_hWnd, dc);
        return n;
    }

    // Messages other than cell requests, as codes.
    std::vector<UINT> codes() const
    {
        std::vector<UINT> out;
        for (Heard const& h : parent.heard)
            out.push_back(h.message);
        return out;
    }

    QuickParent parent;
    CQuickList list;
};
