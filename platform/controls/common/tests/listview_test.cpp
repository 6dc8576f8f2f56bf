#include "platform/controls/common/tests/Canvas.h"
#include "platform/controls/common/tests/ListFixture.h"

#include "platform/gdi/SysPaint.h"
#include "platform/user/Input.h"

#include <cstring>
#include <set>
#include <string>

namespace {

int focused(HWND list)
{
    return ListView_GetNextItem(list, -1, LVNI_FOCUSED);
}

std::vector<int> selected(HWND list)
{
    std::vector<int> out;
    for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0; i = ListView_GetNextItem(list, i, LVNI_SELECTED))
        out.push_back(i);
    return out;
}

void click(HWND list, POINT pt, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP)
{
    SendMessage(list, down, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
    SendMessage(list, up, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
}

TEST_F(ListTest, OwnerDataAsksOnlyForVisibleCells)
{
    HWND list = make_list(LVS_OWNERDATA, 11, 100000);
    std::set<std::pair<int, int>> asked;
    int hint_from = -1, hint_to = -1;
    answer = [&](NMHDR* nm) -> LRESULT {
        if (nm->code == LVN_GETDISPINFO) {
            auto* info = reinterpret_cast<NMLVDISPINFO*>(nm);
            asked.insert({ info->item.iItem, info->item.iSubItem });
            std::snprintf(info->item.pszText, static_cast<std::size_t>(info->item.cchTextMax), "r%d", info->item.iItem);
        } else if (nm->code == LVN_ODCACHEHINT) {
            hint_from = reinterpret_cast<NMLVCACHEHINT*>(nm)->iFrom;
            hint_to = reinterpret_cast<NMLVCACHEHINT*>(nm)->iTo;
        }
        return 0;
    };
    SendMessage(list, LVM_SCROLL, 0, 5000 * (item_rect(list, 1).top - item_rect(list, 0).top));
    int top = static_cast<int>(SendMessage(list, LVM_GETTOPINDEX, 0, 0));
    int page = static_cast<int>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_EQ(top, 5000);
    Canvas canvas(300, 200);
    SendMessage(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    ASSERT_FALSE(asked.empty());
    for (auto [item, sub] : asked) {
        EXPECT_GE(item, top);
        EXPECT_LE(item, top + page);
        EXPECT_LT(sub, 6) << "columns right of the client area are not asked";
    }
    EXPECT_EQ(hint_from, top);
    EXPECT_LE(hint_to, top + page);
    char text[16] {};
    LVITEM item {};
    item.iSubItem = 3;
    item.pszText = text;
    item.cchTextMax = 3;
    SendMessage(list, LVM_GETITEMTEXT, 99999, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "r9") << "the text is cut to the buffer and terminated";
}

TEST_F(ListTest, KeyboardMovesFocusAndSelection)
{
    HWND list = make_list(LVS_OWNERDATA, 2, 100);
    SetFocus(list);
    int page = static_cast<int>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(page, 2);
    struct Step {
        char const* name;
        int key;
        int focus;
        std::vector<int> selection;
    } const steps[] = {
        { "down from nothing", VK_DOWN, 0, { 0 } },
        { "down", VK_DOWN, 1, { 1 } },
        { "up", VK_UP, 0, { 0 } },
        { "up at the top", VK_UP, 0, { 0 } },
        { "page down to the bottom of the page", VK_NEXT, page - 1, { page - 1 } },
        { "page down again", VK_NEXT, 2 * page - 2, { 2 * page - 2 } },
        { "end", VK_END, 99, { 99 } },
        { "down at the end", VK_DOWN, 99, { 99 } },
        { "home", VK_HOME, 0, { 0 } },
    };
    for (Step const& s : steps) {
        SCOPED_TRACE(s.name);
        SendMessage(list, WM_KEYDOWN, static_cast<WPARAM>(s.key), 0);
        EXPECT_EQ(focused(list), s.focus);
        EXPECT_EQ(selected(list), s.selection);
        int top = static_cast<int>(SendMessage(list, LVM_GETTOPINDEX, 0, 0));
        EXPECT_TRUE(s.focus >= top && s.focus < top + page) << "the focus is scrolled into view";
    }
    EXPECT_GT(count_code(LVN_KEYDOWN), 0);
    EXPECT_GT(count_code(LVN_ITEMCHANGED), 0);
}

TEST_F(ListTest, TypeAheadAsksTheParentToFind)
{
    HWND list = make_list(LVS_OWNERDATA, 2, 1000);
    std::vector<std::string> searched;
    std::vector<int> starts;
    answer = [&](NMHDR* nm) -> LRESULT {
        if (nm->code != LVN_ODFINDITEM)
            return 0;
        auto* find = reinterpret_cast<NMLVFINDITEM*>(nm);
        searched.push_back(find->lvfi.psz);
        starts.push_back(find->iStart);
        EXPECT_TRUE(find->lvfi.flags & LVFI_STRING);
        return searched.back() == "x" ? -1 : 700;
    };
    SendMessage(list, WM_CHAR, 'a', 0);
    EXPECT_EQ(focused(list), 700);
    SendMessage(list, WM_CHAR, 'b', 0);
    platform::testing::advance(1500);
    SendMessage(list, WM_CHAR, 'x', 0);
    EXPECT_EQ(focused(list), 700) << "no match leaves the focus";
    EXPECT_EQ(searched, (std::vector<std::string> { "a", "ab", "x" }));
    EXPECT_EQ(starts, (std::vector<int> { 0, 700, 701 }));
}

TEST_F(ListTest, SubItemRectanglesAndHitTests)
{
    HWND list = make_list(LVS_OWNERDATA, 3, 10);
    RECT row = item_rect(list, 2);
    RECT sub { LVIR_BOUNDS, 0, 0, 0 };
    SendMessage(list, LVM_GETSUBITEMRECT, 2, reinterpret_cast<LPARAM>(&sub));
    EXPECT_EQ(sub.left, row.left);
    EXPECT_EQ(sub.right, 150) << "sub-item 0 spans the row";
    RECT second { LVIR_BOUNDS, 1, 0, 0 };
    SendMessage(list, LVM_GETSUBITEMRECT, 2, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(second.left, 50);
    EXPECT_EQ(second.right, 100);
    struct Case {
        char const* name;
        POINT pt;
        int item, sub_item;
        UINT flags;
    } const cases[] = {
        { "first cell", { 5, row.top + 1 }, 2, 0, LVHT_ONITEMLABEL },
        { "third cell", { 120, row.top + 1 }, 2, 2, LVHT_ONITEMLABEL },
        { "right of the columns", { 200, row.top + 1 }, -1, -1, LVHT_NOWHERE },
        { "below the items", { 5, 190 }, -1, -1, LVHT_NOWHERE },
        { "on the header", { 5, 3 }, -1, -1, LVHT_ABOVE | LVHT_NOWHERE },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        LVHITTESTINFO hit { c.pt, 0, 0, 0 };
        EXPECT_EQ(SendMessage(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), c.item);
        EXPECT_EQ(hit.iSubItem, c.sub_item);
        EXPECT_EQ(hit.flags, c.flags);
    }
    NMITEMACTIVATE got {};
    answer = [&](NMHDR* nm) -> LRESULT {
        if (nm->code == NM_CLICK || nm->code == NM_RCLICK)
            got = *reinterpret_cast<NMITEMACTIVATE*>(nm);
        return 0;
    };
    click(list, { 120, row.top + 1 });
    EXPECT_EQ(got.hdr.code, NM_CLICK);
    EXPECT_EQ(got.iItem, 2);
    EXPECT_EQ(got.iSubItem, 2);
    EXPECT_EQ(selected(list), std::vector<int> { 2 });
    click(list, { 60, row.top + 1 }, WM_RBUTTONDOWN, WM_RBUTTONUP);
    EXPECT_EQ(got.hdr.code, NM_RCLICK);
    EXPECT_EQ(got.iSubItem, 1);
}

TEST_F(ListTest, HeaderDragReordersOnlyWithDragDrop)
{
    for (bool drag_drop : { false, true }) {
        SCOPED_TRACE(drag_drop ? "drag and drop" : "plain");
        HWND list = make_list(0, 3, 0);
        if (drag_drop)
            SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_HEADERDRAGDROP, LVS_EX_HEADERDRAGDROP);
        HWND header = ListView_GetHeader(list);
        // Drag the first title to the third place.
        SendMessage(header, WM_LBUTTONDOWN, 0, MAKELPARAM(20, 5));
        SendMessage(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 5));
        SendMessage(header, WM_LBUTTONUP, 0, MAKELPARAM(130, 5));
        int order[3] {};
        SendMessage(list, LVM_GETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
        if (drag_drop) {
            EXPECT_EQ((std::vector<int>(order, order + 3)), (std::vector<int> { 1, 2, 0 }));
            RECT r {};
            SendMessage(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
            EXPECT_EQ(r.left, 100);
        } else {
            EXPECT_EQ((std::vector<int>(order, order + 3)), (std::vector<int> { 0, 1, 2 }));
        }
        DestroyWindow(list);
    }
}

TEST_F(ListTest, HeaderResizeAndClicks)
{
    HWND list = make_list(0, 2, 0);
    HWND header = ListView_GetHeader(list);
    SendMessage(header, WM_LBUTTONDOWN, 0, MAKELPARAM(49, 5));
    SendMessage(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(79, 5));
    SendMessage(header, WM_LBUTTONUP, 0, MAKELPARAM(79, 5));
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), 80);
    NMLISTVIEW column {};
    answer = [&](NMHDR* nm) -> LRESULT {
        if (nm->code == LVN_COLUMNCLICK)
            column = *reinterpret_cast<NMLISTVIEW*>(nm);
        return 0;
    };
    click(header, { 100, 5 });
    EXPECT_EQ(column.hdr.code, LVN_COLUMNCLICK);
    EXPECT_EQ(column.iSubItem, 1);
    HDHITTESTINFO hit { { 100, 5 }, 0, 0 };
    EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.flags, HHT_ONHEADER);
}

// The stages a list with one row and two columns goes through for each answer.
TEST_F(ListTest, CustomDrawStages)
{
    struct Case {
        char const* name;
        LRESULT prepaint, itemprepaint, subitemprepaint;
        std::vector<DWORD> stages;
        bool cells_painted;
    } const cases[] = {
        { "default", CDRF_DODEFAULT, 0, 0, { CDDS_PREPAINT }, true },
        { "skip all", CDRF_SKIPDEFAULT, 0, 0, { CDDS_PREPAINT }, false },
        { "items", CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT, CDRF_DODEFAULT, 0,
            { CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_POSTPAINT }, true },
        { "skip item", CDRF_NOTIFYITEMDRAW, CDRF_SKIPDEFAULT, 0, { CDDS_PREPAINT, CDDS_ITEMPREPAINT }, false },
        { "sub-items", CDRF_NOTIFYITEMDRAW, CDRF_NOTIFYSUBITEMDRAW | CDRF_NOTIFYPOSTPAINT, CDRF_SKIPDEFAULT,
            { CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT | CDDS_SUBITEM, CDDS_ITEMPREPAINT | CDDS_SUBITEM,
                CDDS_ITEMPOSTPAINT },
            false },
        { "sub-item post-paint", CDRF_NOTIFYITEMDRAW, CDRF_NOTIFYSUBITEMDRAW, CDRF_NOTIFYPOSTPAINT,
            { CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT | CDDS_SUBITEM, CDDS_ITEMPOSTPAINT | CDDS_SUBITEM,
                CDDS_ITEMPREPAINT | CDDS_SUBITEM, CDDS_ITEMPOSTPAINT | CDDS_SUBITEM },
            true },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        HWND list = make_list(LVS_OWNERDATA, 2, 1);
        SendMessage(list, LVM_SETBKCOLOR, 0, RGB(0, 0, 255));
        SendMessage(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 0, 0));
        std::vector<DWORD> stages;
        answer = [&](NMHDR* nm) -> LRESULT {
            if (nm->code != NM_CUSTOMDRAW)
                return 0;
            auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
            stages.push_back(cd->nmcd.dwDrawStage);
            switch (cd->nmcd.dwDrawStage) {
            case CDDS_PREPAINT: return c.prepaint;
            case CDDS_ITEMPREPAINT: return c.itemprepaint;
            case CDDS_ITEMPREPAINT | CDDS_SUBITEM: return c.subitemprepaint;
            default: return 0;
            }
        };
        Canvas canvas(300, 200, RGB(0, 255, 0));
        SendMessage(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), 0);
        EXPECT_EQ(stages, c.stages);
        RECT row = item_rect(list, 0);
        EXPECT_EQ(canvas.at(80, row.top + 1) == RGB(255, 0, 0), c.cells_painted) << "a skipped cell is not painted";
        EXPECT_EQ(canvas.at(200, row.top + 1), RGB(0, 0, 255)) << "the background outside the columns";
        DestroyWindow(list);
    }
}

TEST_F(ListTest, NormalItemsWithSubItemsAndStates)
{
    HWND list = make_list(LVS_SINGLESEL | LVS_SHOWSELALWAYS, 2, 0);
    for (int i = 0; i < 3; ++i) {
        std::string text = "item" + std::to_string(i);
        LVITEM item {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text.data();
        EXPECT_EQ(SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)), i);
        item.iSubItem = 1;
        std::string sub = "sub" + std::to_string(i);
        item.pszText = sub.data();
        SendMessage(list, LVM_SETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    EXPECT_EQ(ListView_GetItemCount(list), 3);
    char buffer[32] {};
    LVITEM get {};
    get.iSubItem = 1;
    get.pszText = buffer;
    get.cchTextMax = sizeof(buffer);
    SendMessage(list, LVM_GETITEMTEXT, 2, reinterpret_cast<LPARAM>(&get));
    EXPECT_STREQ(buffer, "sub2");
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(selected(list), std::vector<int> { 2 }) << "single selection";
    EXPECT_EQ(ListView_GetItemState(list, 2, LVIS_FOCUSED | LVIS_SELECTED), LVIS_FOCUSED | LVIS_SELECTED);
    SendMessage(list, WM_CHAR, 'I', 0);
    EXPECT_EQ(focused(list), 0) << "type-ahead wraps to the first match";
    EXPECT_TRUE(SendMessage(list, LVM_DELETEITEM, 0, 0));
    EXPECT_EQ(ListView_GetItemCount(list), 2);
    SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), -1);
}

TEST_F(ListTest, HorizontalScrollStaysWithinTheColumns)
{
    HWND list = make_list(LVS_OWNERDATA, 10, 5); // 500 pixels of columns in 300
    SendMessage(list, LVM_SCROLL, 1000, 0);
    EXPECT_EQ(item_rect(list, 0).left, -200);
    SendMessage(list, LVM_SCROLL, static_cast<WPARAM>(-1000), 0);
    EXPECT_EQ(item_rect(list, 0).left, 0);
    HWND fixed = make_list(LVS_OWNERDATA | LVS_NOSCROLL, 10, 5);
    SendMessage(fixed, LVM_SCROLL, 100, 0);
    EXPECT_EQ(item_rect(fixed, 0).left, 0);
}

TEST_F(ListTest, ParentDestroyingTheListDuringAClick)
{
    HWND list = make_list(LVS_OWNERDATA, 2, 5);
    answer = [&](NMHDR* nm) -> LRESULT {
        if (nm->code == LVN_ITEMCHANGED)
            DestroyWindow(list);
        return 0;
    };
    click(list, { 5, item_rect(list, 1).top + 1 });
    EXPECT_FALSE(IsWindow(list));
}

}
