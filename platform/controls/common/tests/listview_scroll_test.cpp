// The list view's window bars: when they show, and that their ranges and positions follow
// every way of scrolling the list, the bars' own mouse messages included.
#include "platform/controls/common/tests/ListFixture.h"

#include "platform/controls/ScrollMessages.h"
#include "platform/user/InputDriver.h"

namespace {

namespace in = platform::user::input;

DWORD bars(HWND list)
{
    return static_cast<DWORD>(GetWindowLong(list, GWL_STYLE)) & (WS_VSCROLL | WS_HSCROLL);
}

int top(HWND list)
{
    return static_cast<int>(SendMessage(list, LVM_GETTOPINDEX, 0, 0));
}

void add_columns(HWND list, int first, int n)
{
    for (int c = first; c < first + n; ++c) {
        LVCOLUMN col {};
        col.mask = LVCF_WIDTH;
        col.cx = 50;
        SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
}

WNDPROC list_proc;

// A list that wants no horizontal bar: it drops the style while its frame is measured.
LRESULT drop_horizontal_bar(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCALCSIZE)
        SetWindowLong(hwnd, GWL_STYLE, GetWindowLong(hwnd, GWL_STYLE) & ~static_cast<LONG>(WS_HSCROLL));
    return CallWindowProc(list_proc, hwnd, message, wparam, lparam);
}

TEST_F(ListTest, BarsShowOnlyWhereRowsOrColumnsOverflow)
{
    HWND few = make_list(LVS_OWNERDATA, 2, 5);
    EXPECT_EQ(bars(few), 0u);
    HWND rows = make_list(LVS_OWNERDATA, 2, 1000);
    EXPECT_EQ(bars(rows), WS_VSCROLL);
    RECT client {};
    GetClientRect(rows, &client);
    EXPECT_EQ(client.right, 300 - GetSystemMetrics(SM_CXVSCROLL)) << "the bar takes its room from the client area";
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0 };
    ASSERT_TRUE(GetScrollInfo(rows, SB_VERT, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 999);
    EXPECT_EQ(static_cast<int>(info.nPage), SendMessage(rows, LVM_GETCOUNTPERPAGE, 0, 0));
    SendMessage(rows, LVM_SETITEMCOUNT, 3, 0);
    EXPECT_EQ(bars(rows), 0u) << "the bar goes with the rows";

    add_columns(few, 2, 8); // 500 pixels of columns in 300
    EXPECT_EQ(bars(few), WS_HSCROLL);
    ASSERT_TRUE(GetScrollInfo(few, SB_HORZ, &info));
    EXPECT_EQ(info.nMax, 499);
    EXPECT_EQ(info.nPage, 300u);
    SendMessage(few, LVM_SETCOLUMNWIDTH, 0, 10);
    SendMessage(few, LVM_DELETECOLUMN, 9, 0);
    ASSERT_TRUE(GetScrollInfo(few, SB_HORZ, &info));
    EXPECT_EQ(info.nMax, 409);

    HWND fixed = make_list(LVS_OWNERDATA | LVS_NOSCROLL, 10, 1000);
    EXPECT_EQ(bars(fixed), 0u) << "LVS_NOSCROLL keeps both bars away";
}

TEST_F(ListTest, ListThatDropsTheHorizontalBarNeverShowsOne)
{
    HWND list = make_list(LVS_OWNERDATA, 2, 5);
    list_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&drop_horizontal_bar)));
    add_columns(list, 2, 8);
    EXPECT_EQ(bars(list), 0u);
    RECT client {};
    GetClientRect(list, &client);
    EXPECT_EQ(client.bottom, 200);
    SendMessage(list, LVM_SETCOLUMNWIDTH, 0, 400);
    SendMessage(list, WM_SIZE, 0, 0);
    EXPECT_EQ(bars(list), 0u);
}

TEST_F(ListTest, ScrollPositionFollowsEveryWayOfScrolling)
{
    HWND list = make_list(LVS_OWNERDATA, 10, 1000);
    int row = item_rect(list, 1).top - item_rect(list, 0).top;
    int page = static_cast<int>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
    int last = 1000 - page;
    struct Step {
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
        int top;
    };
    Step const steps[] = {
        { LVM_SCROLL, 0, 10 * row, 10 },
        { LVM_SCROLL, 0, -3 * row, 7 },
        { WM_KEYDOWN, VK_END, 0, last },
        { WM_KEYDOWN, VK_HOME, 0, 0 },
        { WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0, 1 },
        { WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0, 1 + page },
        { WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0, 1 },
        { WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 500), 0, 500 },
        { WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 2000), 0, last },
        { WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0, 0 },
        { WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0, last },
        { WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0, last - 1 },
    };
    for (Step const& s : steps) {
        SendMessage(list, s.message, s.wparam, s.lparam);
        EXPECT_EQ(top(list), s.top) << s.message << " " << s.wparam;
        EXPECT_EQ(GetScrollPos(list, SB_VERT), s.top) << s.message << " " << s.wparam;
    }
    EXPECT_EQ(bars(list), WS_VSCROLL | WS_HSCROLL);
    SendMessage(list, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
    EXPECT_EQ(GetScrollPos(list, SB_HORZ), 10);
    EXPECT_EQ(item_rect(list, 0).left, -10);
    RECT client {};
    GetClientRect(list, &client);
    SendMessage(list, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), 0);
    EXPECT_EQ(GetScrollPos(list, SB_HORZ), 500 - client.right);
    SendMessage(list, LVM_SCROLL, static_cast<WPARAM>(-30), 0);
    EXPECT_EQ(GetScrollPos(list, SB_HORZ), 470 - client.right);
}

TEST_F(ListTest, MouseOnTheBarScrollsTheRows)
{
    HWND list = make_list(LVS_OWNERDATA, 2, 40);
    int page = static_cast<int>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
    RECT r {};
    GetWindowRect(list, &r);
    in::click(POINT { r.right - 8, r.bottom - 5 }); // the down arrow
    platform::testing::pump_until_idle();
    EXPECT_EQ(top(list), 1);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 1);
    in::move_mouse(POINT { r.right - 8, r.top + 16 + 10 }); // on the thumb
    in::press_mouse(in::MouseButton::Left);
    in::move_mouse(POINT { r.right - 8, r.bottom + 100 });
    in::release_mouse(in::MouseButton::Left);
    platform::testing::pump_until_idle();
    EXPECT_EQ(top(list), 40 - page);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 40 - page);

    // Past 65535 rows the message's 16 bits fall short: the bar's track position counts.
    HWND long_list = make_list(LVS_OWNERDATA, 2, 100000, { 0, 210, 300, 410 });
    GetWindowRect(long_list, &r);
    in::move_mouse(POINT { r.right - 8, r.top + 16 + 2 });
    in::press_mouse(in::MouseButton::Left);
    in::move_mouse(POINT { r.right - 8, r.bottom + 100 });
    in::release_mouse(in::MouseButton::Left);
    platform::testing::pump_until_idle();
    EXPECT_EQ(top(long_list), 100000 - page);
    EXPECT_EQ(GetScrollPos(long_list, SB_VERT), 100000 - page);
}

}
