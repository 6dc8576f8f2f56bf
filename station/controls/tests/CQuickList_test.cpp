// CQuickList in a window: colours by the rules table, cell parts, the empty text, messages to
// the parent for clicks and keys, type-ahead, repaint regions, display info, find and tips.
#include "station/controls/tests/QuickListFixture.h"

// ListView.h declares the same LPSTR_TEXTCALLBACK; the tip header's copy is set aside.
#define LPSTR_TEXTCALLBACK tool_tip_LPSTR_TEXTCALLBACK
#include "platform/controls/common/ToolTip.h"
#undef LPSTR_TEXTCALLBACK
#include "station/controls/QuickCellPainter.h"

#include <string>

namespace input = platform::user::input;

namespace {

// A system colour index, or an explicit colour when the index is -1.
struct Colour {
    int index;
    COLORREF rgb;
    COLORREF value() const { return index >= 0 ? GetSysColor(index) : rgb; }
};
Colour sys(int index) { return { index, 0 }; }
Colour rgb(COLORREF c) { return { -1, c }; }

}

// [SECTION] Colours

// Cell (0, 1) of a full-row-select list; its background is probed in the cell's middle (the
// cell has no text), its text colour as the pixels of a second, texted request.
TEST_F(QuickListTest, ColourRulesTable)
{
    struct Case {
        char const* name;
        bool selected;
        bool focused;
        bool navigation;
        int current;
        bool hot;
        void (*set)(QuickCellRequest&);
        Colour background;
        Colour text;
    };
    auto none = [](QuickCellRequest&) { };
    Case const cases[] = {
        { "plain", false, true, false, 0, false, none, sys(COLOR_WINDOW), sys(COLOR_WINDOWTEXT) },
        { "hot, not selected", false, true, false, 0, true, none, sys(COLOR_WINDOW), sys(COLOR_HOTLIGHT) },
        { "selected, focused", true, true, false, 0, false, none, sys(COLOR_HIGHLIGHT), sys(COLOR_HIGHLIGHTTEXT) },
        { "selected, no focus", true, false, false, 0, false, none, sys(COLOR_BTNFACE), sys(COLOR_WINDOWTEXT) },
        { "selected, current column", true, true, true, 1, false, none, sys(COLOR_HOTLIGHT), sys(COLOR_HIGHLIGHTTEXT) },
        { "selected, other column", true, true, true, 0, false, none, sys(COLOR_HIGHLIGHT), sys(COLOR_HIGHLIGHTTEXT) },
        { "selected hot, navigation off", true, true, false, 0, true, none, sys(COLOR_HOTLIGHT), sys(COLOR_HIGHLIGHTTEXT) },
        { "selected hot, navigation on", true, true, true, 0, true, none, sys(COLOR_HIGHLIGHT), sys(COLOR_HIGHLIGHTTEXT) },
        { "no highlight", true, true, false, 0, false, [](QuickCellRequest& r) { r.m_bNoHighlight = 1; },
            sys(COLOR_WINDOW), sys(COLOR_WINDOWTEXT) },
        { "own colours", false, true, false, 0, false,
            [](QuickCellRequest& r) { r.m_crBackground = RGB(10, 20, 30); r.m_crText = RGB(40, 50, 60); },
            rgb(RGB(10, 20, 30)), rgb(RGB(40, 50, 60)) },
        { "own selected colours", true, true, false, 0, false,
            [](QuickCellRequest& r) { r.m_crSelectedBackground = RGB(70, 80, 90); r.m_crSelectedText = RGB(1, 1, 1); },
            rgb(RGB(70, 80, 90)), rgb(RGB(1, 1, 1)) },
        { "own current-column colours", true, true, true, 1, false,
            [](QuickCellRequest& r) { r.m_crNavigationBackground = RGB(5, 6, 7); r.m_crNavigationText = RGB(8, 9, 10); },
            rgb(RGB(5, 6, 7)), rgb(RGB(8, 9, 10)) },
        { "own colour without focus", true, false, false, 0, false,
            [](QuickCellRequest& r) { r.m_crSelectedBackgroundNoFocus = RGB(11, 12, 13); },
            rgb(RGB(11, 12, 13)), sys(COLOR_WINDOWTEXT) },
        { "no fill shows the list's background", false, true, false, 0, false,
            [](QuickCellRequest& r) { r.m_crBackground = CLR_NONE; }, rgb(RGB(3, 2, 1)), sys(COLOR_WINDOWTEXT) },
    };
    make_list(3, 4, LVS_SHOWSELALWAYS, LVS_EX_FULLROWSELECT);
    ::SendMessage(list.m_hWnd, LVM_SETBKCOLOR, 0, RGB(3, 2, 1));
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        select(0, c.selected);
        if (c.focused)
            list.SetFocus();
        else
            ::SetFocus(parent.m_hWnd);
        list.SetColumnStepping(true);
        list.StepCurrentColumn(c.current);
        list.SetColumnStepping(c.navigation);
        ::SendMessage(list.m_hWnd, LVM_SETHOTITEM, c.hot ? 0 : static_cast<WPARAM>(-1), 0);
        CRect const r = cell(0, 1);
        parent.describe = [&c](QuickCellRequest& q) {
            if (q.m_nItem == 0 && q.m_nSubItem == 1)
                c.set(q);
        };
        repaint();
        EXPECT_EQ(pixel(r.CenterPoint().x, r.CenterPoint().y), c.background.value());
        parent.describe = [&c](QuickCellRequest& q) {
            if (q.m_nItem == 0 && q.m_nSubItem == 1) {
                c.set(q);
                q.m_strText = "MMM";
            }
        };
        repaint();
        EXPECT_GT(count_in(r, c.text.value()), 10);
    }
}

// Without full-row select only column 0 shows the selection, and only under its text.
TEST_F(QuickListTest, SelectionOutsideFullRowSelectShowsOnlyUnderTheText)
{
    make_list(2, 3);
    list.SetColumnStepping(false);
    parent.describe = [](QuickCellRequest& q) { q.m_strText = q.m_nSubItem == 0 ? "MM" : ""; };
    list.SetFocus();
    select(0);
    repaint();
    CRect const first = cell(0, 0);
    EXPECT_EQ(pixel(first.right - 2, first.CenterPoint().y), GetSysColor(COLOR_WINDOW));
    EXPECT_GT(count_in(first, GetSysColor(COLOR_HIGHLIGHT)), 0);
    EXPECT_EQ(count_in(cell(0, 1), GetSysColor(COLOR_HIGHLIGHT)), 0);
}

// [SECTION] Cell parts

TEST_F(QuickListTest, CheckBoxImageAndBarArePaintedInTheirRectangles)
{
    HIMAGELIST images = ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 8, 8);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    RECT all { 0, 0, 8, 8 };
    ::SetBkColor(mem, RGB(0, 0, 200));
    ::ExtTextOut(mem, 0, 0, ETO_OPAQUE, &all, "", 0, nullptr);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    ImageList_Add(images, bitmap, nullptr);
    ::DeleteObject(bitmap);
    make_list(3, 2, 0, LVS_EX_FULLROWSELECT);
    ::SendMessage(list.m_hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    parent.describe = [](QuickCellRequest& q) {
        if (q.m_nSubItem == 0) {
            q.m_bCheckBox = 1;
            q.m_nCheckState = DFCS_CHECKED;
            q.m_nImage = 0;
        }
        if (q.m_nSubItem == 1) {
            q.m_nBarMax = 10;
            q.m_nBarValue = q.m_nItem == 0 ? 20 : 5;
        }
        if (q.m_nSubItem == 2) {
            q.m_nBarMax = 10;
            q.m_nBarValue = 0;
        }
    };
    repaint();
    CRect const first = cell(0, 0);
    QuickCellLayout const parts = list.LayOutCell(*list.FillCellRequest(0, 0), first);
    ASSERT_TRUE(parts.has_check_box && parts.has_image);
    EXPECT_EQ(parts.check_box.left, first.left);
    EXPECT_EQ(parts.check_box.Width(), first.Height());
    EXPECT_EQ(parts.image.left, parts.check_box.right);
    EXPECT_EQ(parts.text.left, parts.image.right);
    EXPECT_EQ(pixel(parts.image.left + 3, parts.image.top + 3), RGB(0, 0, 200));
    // The check mark is drawn in the window text colour inside the square.
    EXPECT_GT(count_in(parts.check_box, GetSysColor(COLOR_WINDOWTEXT)), 0);
    // A value above the maximum fills the whole bar: red at the left, plain yellow in the
    // middle third, green at the right. The gradient's last band is one blend step short of
    // its green peg (band k of n takes k / n of the difference), so a little red remains.
    QuickCellLayout const full = list.LayOutCell(*list.FillCellRequest(0, 1), cell(0, 1));
    EXPECT_EQ(pixel(full.bar_inner.left, full.bar_inner.top), RGB(255, 0, 0));
    EXPECT_EQ(pixel(full.bar_inner.CenterPoint().x, full.bar_inner.top), RGB(255, 255, 0));
    COLORREF const right = pixel(full.bar_inner.right - 1, full.bar_inner.bottom - 1);
    EXPECT_EQ(GetGValue(right), 255);
    EXPECT_EQ(GetBValue(right), 0);
    EXPECT_LT(GetRValue(right), 255 / (full.bar_inner.Width() / 3 - 1) + 1);
    // Half a bar shows the left half of the whole bar's gradient, not all of it squeezed.
    QuickCellLayout const half = list.LayOutCell(*list.FillCellRequest(1, 1), cell(1, 1));
    int const filled = quick_bar_fill(5, 10, half.bar_inner.Width());
    EXPECT_EQ(pixel(half.bar_inner.left + filled - 1, half.bar_inner.top), RGB(255, 255, 0));
    EXPECT_EQ(pixel(half.bar_inner.left + filled, half.bar_inner.top), GetSysColor(COLOR_WINDOW));
    // A value of 0 leaves only the frame and the background.
    QuickCellLayout const empty = list.LayOutCell(*list.FillCellRequest(0, 2), cell(0, 2));
    EXPECT_EQ(count_in(empty.bar_inner, GetSysColor(COLOR_WINDOW)), empty.bar_inner.Width() * empty.bar_inner.Height());
    EXPECT_EQ(pixel(empty.bar.left, empty.bar.top), GetSysColor(COLOR_BTNSHADOW));
    ImageList_Destroy(images);
}

TEST_F(QuickListTest, EmptyTextStartsTenPixelsBelowTheHeader)
{
    make_list(2, 0);
    list.SetEmptyText("Nothing here");
    repaint();
    RECT header_item {};
    ::SendMessage(ListView_GetHeader(list.m_hWnd), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&header_item));
    int const top = header_item.bottom + 10;
    COLORREF const ink = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(count_in(CRect(0, header_item.bottom, 400, top), ink), 0);
    EXPECT_GT(count_in(CRect(0, top, 400, top + 20), ink), 0);
    // Centred: no ink at the left edge.
    EXPECT_EQ(count_in(CRect(0, top, 100, top + 20), ink), 0);
}

// [SECTION] Messages to the parent

TEST_F(QuickListTest, ClickMovesTheColumnThenReportsTheCell)
{
    make_list(3, 5);
    CRect const target = cell(1, 2);
    input::click(target.CenterPoint());
    platform::testing::pump_until_idle();
    std::vector<UINT> const expected { QLN_BUTTONDOWN, QLN_COLUMNCHANGE, QLN_CELLCLICK, NM_CLICK };
    EXPECT_EQ(codes(), expected);
    ASSERT_EQ(parent.heard.size(), 4u);
    EXPECT_EQ(parent.heard[1].a, 0);
    EXPECT_EQ(parent.heard[1].b, 2);
    EXPECT_EQ(parent.heard[2].a, 1);
    EXPECT_EQ(parent.heard[2].b, 2);
    EXPECT_EQ(list.GetCurrentColumn(), 2);
}

TEST_F(QuickListTest, ClickReportsCheckBoxAndRefusedNavigation)
{
    make_list(3, 5);
    parent.describe = [](QuickCellRequest& q) { q.m_bCheckBox = q.m_nSubItem == 1; };
    parent.on_navigate = [](QuickNavigation& n) { n.m_bAllow = 0; };
    CRect const target = cell(0, 1);
    input::click({ target.left + 3, target.top + 3 });
    platform::testing::pump_until_idle();
    ASSERT_EQ(parent.heard.size(), 4u);
    EXPECT_EQ(parent.heard[2].message, QLN_CELLCLICK);
    EXPECT_EQ(parent.heard[2].d, 1); // on the check box
    EXPECT_EQ(list.GetCurrentColumn(), 0);
}

TEST_F(QuickListTest, KeysReachTheParentFirst)
{
    struct Case {
        char const* name;
        int key;
        std::vector<UINT> heard;
        int column;
    };
    Case const cases[] = {
        { "Left at column 0 is refused", VK_LEFT, { QLN_KEYDOWN }, 0 },
        { "Right moves on", VK_RIGHT, { QLN_KEYDOWN, QLN_COLUMNCHANGE }, 1 },
        { "Right again", VK_RIGHT, { QLN_KEYDOWN, QLN_COLUMNCHANGE }, 2 },
        { "Right past the last column", VK_RIGHT, { QLN_KEYDOWN }, 2 },
        { "Left moves back", VK_LEFT, { QLN_KEYDOWN, QLN_COLUMNCHANGE }, 1 },
        { "Down", VK_DOWN, { QLN_KEYDOWN }, 1 },
        { "Up", VK_UP, { QLN_KEYDOWN }, 1 },
        { "Enter", VK_RETURN, { QLN_KEYDOWN }, 1 },
    };
    make_list(3, 5);
    list.SetFocus();
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        parent.heard.clear();
        input::tap_key(c.key);
        platform::testing::pump_until_idle();
        EXPECT_EQ(codes(), c.heard);
        EXPECT_EQ(list.GetCurrentColumn(), c.column);
    }
}

TEST_F(QuickListTest, EnterIsTakenBeforeTheDialog)
{
    make_list(2, 2);
    MSG msg { list.m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, { 0, 0 } };
    EXPECT_TRUE(AfxPreTranslateMessage(msg));
    ASSERT_EQ(parent.heard.size(), 1u);
    EXPECT_EQ(parent.heard[0].message, QLN_KEYDOWN);
}

TEST_F(QuickListTest, HeaderRightClickNamesTheColumn)
{
    make_list(3, 2);
    input::click({ 130, 5 }, input::MouseButton::Right);
    platform::testing::pump_until_idle();
    ASSERT_EQ(codes(), std::vector<UINT> { QLN_HEADERMENU });
    EXPECT_EQ(parent.heard[0].a, 2);
    EXPECT_EQ(parent.heard[0].b, 130);
    EXPECT_EQ(parent.heard[0].c, 5);
}

// [SECTION] Type-ahead

TEST_F(QuickListTest, TypeAheadMatchesTheFirstCharacterOfColumnOne)
{
    static char const* const texts[] = { "alpha", "Bravo", "beta", "", "(paren", "[x" };
    struct Case {
        char const* name;
        int selected;
        bool shift;
        int key;
        int match;
    };
    Case const cases[] = {
        { "letter from the top", -1, false, 'B', 1 },
        { "starts after the selected item", 1, false, 'B', 2 },
        { "wraps to the top", 2, false, 'B', 1 },
        { "shifted letter matches the empty text", -1, true, 'B', 3 },
        { "shifted digit", -1, true, '9', 4 },
        { "punctuation key", -1, false, 219, 5 },
        { "no match", -1, false, 'Z', -1 },
    };
    make_list(2, 6);
    parent.describe = [](QuickCellRequest& q) { q.m_strText = q.m_nSubItem == 1 ? texts[q.m_nItem] : ""; };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < 6; ++i)
            select(i, i == c.selected);
        if (c.shift)
            list.SendMessage(WM_KEYDOWN, VK_SHIFT);
        list.SendMessage(WM_KEYDOWN, static_cast<WPARAM>(c.key));
        if (c.shift)
            list.SendMessage(WM_KEYUP, VK_SHIFT);
        for (int i = 0; i < 6; ++i) {
            bool const expected = i == c.match || i == c.selected;
            EXPECT_EQ((ListView_GetItemState(list.m_hWnd, i, LVIS_SELECTED) & LVIS_SELECTED) != 0, expected) << i;
        }
    }
}

TEST_F(QuickListTest, TypeAheadScrollsTheMatchToTheTop)
{
    make_list(2, 60);
    parent.describe = [](QuickCellRequest& q) { q.m_strText = q.m_nItem == 30 ? "Zulu" : "a"; };
    list.SendMessage(WM_KEYDOWN, 'Z');
    EXPECT_EQ(::SendMessage(list.m_hWnd, LVM_GETTOPINDEX, 0, 0), 30);
    EXPECT_TRUE(ListView_GetItemState(list.m_hWnd, 30, LVIS_SELECTED));
}

TEST_F(QuickListTest, TypeAheadNeedsTwoColumns)
{
    make_list(1, 5);
    parent.describe = [](QuickCellRequest& q) { q.m_strText = "Zulu"; };
    parent.requests = 0;
    list.SendMessage(WM_KEYDOWN, 'Z');
    EXPECT_EQ(ListView_GetNextItem(list.m_hWnd, -1, LVNI_SELECTED), -1);
    EXPECT_EQ(parent.requests, 0);
}

// [SECTION] Repaint requests

TEST_F(QuickListTest, RepaintInvalidatesTheUnionOfTheCells)
{
    make_list(3, 8);
    parent.describe = [](QuickCellRequest& q) { q.m_bCheckBox = q.m_nSubItem == 2; };
    struct Case {
        char const* name;
        int first;
        int last;
        bool text;
        bool expected;
    };
    Case const cases[] = {
        { "whole cells", 1, 3, false, true },
        { "text only", 1, 3, true, true },
        { "clamped below", 6, 400, false, true },
        { "wholly below", 100, 200, false, false },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        platform::testing::pump_until_idle();
        if (c.text)
            list.RepaintCellText(c.first, c.last, 2, FALSE);
        else
            list.RepaintCells(c.first, c.last, 2, FALSE);
        RECT update {};
        BOOL const pending = ::GetUpdateRect(list.m_hWnd, &update, FALSE);
        EXPECT_EQ(pending != FALSE, c.expected);
        if (!c.expected)
            continue;
        int const last = std::min(c.last, 7);
        CRect a = cell(c.first, 2);
        CRect b = cell(last, 2);
        if (c.text) {
            a.left += a.Height();
            b.left += b.Height();
        }
        EXPECT_EQ(CRect(update), CRect(a.left, a.top, b.right, b.bottom));
    }
}

TEST_F(QuickListTest, RepaintOfAnEmptyListDoesNothing)
{
    make_list(3, 0);
    list.RepaintCells(0, 3, 1, TRUE);
    RECT update {};
    EXPECT_FALSE(::GetUpdateRect(list.m_hWnd, &update, FALSE));
}

// [SECTION] Display information and find requests

TEST_F(QuickListTest, DisplayInfoCopiesWithinTheBufferAndReportsCheckBoxes)
{
    make_list(2, 3);
    parent.describe = [](QuickCellRequest& q) {
        q.m_strText = "abcdef";
        q.m_nImage = 4;
        q.m_bCheckBox = q.m_nItem == 1;
        q.m_nCheckState = DFCS_CHECKED;
    };
    struct Case {
        int max;
        char const* expected;
    };
    for (Case const c : { Case { 4, "abc" }, Case { 1, "" }, Case { 0, "zzzz" }, Case { 50, "abcdef" } }) {
        SCOPED_TRACE(c.max);
        char buffer[8] = "zzzz";
        NMLVDISPINFO info {};
        info.hdr = { list.m_hWnd, 7, LVN_GETDISPINFO };
        info.item.mask = LVIF_TEXT | LVIF_IMAGE;
        info.item.iItem = 1;
        info.item.pszText = buffer;
        info.item.cchTextMax = c.max;
        parent.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(buffer, c.expected);
        EXPECT_EQ(info.item.iImage, 4);
        EXPECT_EQ(info.item.state & LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2));
    }
}

TEST_F(QuickListTest, FindSearchesTheFindColumnAndWraps)
{
    static char const* const texts[] = { "apple", "Banana", "cherry", "band" };
    make_list(3, 4);
    parent.describe = [](QuickCellRequest& q) { q.m_strText = q.m_nSubItem == 2 ? texts[q.m_nItem] : "x"; };
    auto find = [&](char const* text, int start) {
        NMLVFINDITEM nm {};
        nm.hdr = { list.m_hWnd, 7, LVN_ODFINDITEM };
        nm.iStart = start;
        nm.lvfi.flags = LVFI_STRING | LVFI_PARTIAL;
        nm.lvfi.psz = text;
        return static_cast<int>(parent.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&nm)));
    };
    list.SetFindColumn(2);
    EXPECT_EQ(find("ban", 0), 1);
    EXPECT_EQ(find("BAN", 2), 3);
    EXPECT_EQ(find("ban", 9), 1);
    EXPECT_EQ(find("kiwi", 0), -1);
    list.SetFindColumn(-1); // the current column, 0: every text is "x"
    EXPECT_EQ(find("ban", 0), -1);
    EXPECT_EQ(find("x", 2), 2);
    list.SetFindColumn(-2); // left to the parent, which answers 0
    EXPECT_EQ(find("x", 2), 0);
}

TEST_F(QuickListTest, FindInAnEmptyListMatchesNothing)
{
    make_list(2, 0);
    NMLVFINDITEM nm {};
    nm.hdr = { list.m_hWnd, 7, LVN_ODFINDITEM };
    nm.lvfi.psz = "";
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&nm)), -1);
}

// [SECTION] Tool tips

TEST_F(QuickListTest, ToolIdsNameTheCellAndTipsAreCutTo79Characters)
{
    make_list(3, 4);
    std::string const long_tip(120, 't');
    parent.describe = [&](QuickCellRequest& q) {
        if (q.m_nItem == 2 && q.m_nSubItem == 1)
            q.m_strTipText = long_tip.c_str();
    };
    // The framework's tips are on from subclassing: enabling again answers the old state.
    EXPECT_TRUE(list.EnableToolTips(TRUE));
    CRect const target = cell(2, 1);
    TOOLINFO info {};
    EXPECT_EQ(list.OnToolHitTest(target.CenterPoint(), &info), 2 * 1000 + 1 + 1);
    EXPECT_EQ(info.hwnd, list.m_hWnd);
    EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACK);
    EXPECT_EQ(list.OnToolHitTest(CPoint(390, 190), &info), -1);

    input::move_mouse(target.CenterPoint());
    platform::testing::pump_until_idle();
    NMTTDISPINFO tip {};
    tip.hdr = { parent.m_hWnd, 2001 + 1, TTN_NEEDTEXTA };
    EXPECT_TRUE(list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip)) == 0);
    EXPECT_EQ(std::string(tip.szText), long_tip.substr(0, 79));
    // The tip text stays in the record for later cells until the parent changes it.
    EXPECT_EQ(list.FillCellRequest(0, 0)->m_strTipText.GetLength(), 120);
}
