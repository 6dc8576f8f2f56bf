// The list box: item messages, search with wrap-around, silent selection, user selection,
// double click, owner-draw and the vertical scroll bar.
#include "ControlFixture.h"

#include "platform/controls/ScrollMessages.h"

#include <string>

namespace in = platform::user::input;

namespace {

class ListBoxTest : public ControlTest {
protected:
    HWND list(DWORD style = LBS_NOTIFY | WS_VSCROLL, std::vector<char const*> items = { "alpha", "Beta", "gamma", "beta two", "delta" })
    {
        HWND h = make("ListBox", "", style, 5, { 10, 10, 130, 74 });
        for (char const* item : items)
            SendMessage(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        return h;
    }
    static std::string text(HWND h, int i)
    {
        std::string s(static_cast<size_t>(SendMessage(h, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, '\0');
        s.resize(static_cast<size_t>(SendMessage(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()))));
        return s;
    }
};

TEST_F(ListBoxTest, ItemMessagesKeepTextDataAndOrder)
{
    HWND h = list();
    EXPECT_EQ(SendMessage(h, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("inserted")), 1);
    EXPECT_EQ(SendMessage(h, LB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(text(h, 1), "inserted");
    EXPECT_EQ(SendMessage(h, LB_SETITEMDATA, 2, 0x1234), LB_OKAY);
    EXPECT_EQ(SendMessage(h, LB_DELETESTRING, 0, 0), 5);
    EXPECT_EQ(SendMessage(h, LB_GETITEMDATA, 1, 0), 0x1234);
    EXPECT_EQ(SendMessage(h, LB_DELETESTRING, 9, 0), LB_ERR);
    EXPECT_EQ(SendMessage(h, LB_GETTEXT, 9, reinterpret_cast<LPARAM>("")), LB_ERR);
    HWND sorted = make("ListBox", "", LBS_SORT, 6);
    for (char const* s : { "b", "C", "a" })
        SendMessage(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    EXPECT_EQ(text(sorted, 0), "a");
    EXPECT_EQ(text(sorted, 2), "C");
}

TEST_F(ListBoxTest, FindSearchesAfterTheStartAndWraps)
{
    HWND h = list();
    struct Case {
        char const* name;
        UINT message;
        int start;
        char const* text;
        LRESULT found;
    };
    const Case cases[] = {
        { "prefix, case-insensitive, from the top", LB_FINDSTRING, -1, "BET", 1 },
        { "prefix after the start", LB_FINDSTRING, 1, "beta", 3 },
        { "wraps past the end", LB_FINDSTRING, 3, "beta", 1 },
        { "start item itself comes last", LB_FINDSTRING, 0, "alp", 0 },
        { "exact, case-insensitive", LB_FINDSTRINGEXACT, -1, "BETA", 1 },
        { "exact is not a prefix", LB_FINDSTRINGEXACT, -1, "bet", LB_ERR },
        { "nothing", LB_FINDSTRING, -1, "zeta", LB_ERR },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SendMessage(h, c.message, static_cast<WPARAM>(c.start), reinterpret_cast<LPARAM>(c.text)), c.found);
    }
}

TEST_F(ListBoxTest, SelectionMessagesAreSilentUserSelectionNotifies)
{
    HWND h = list();
    EXPECT_EQ(SendMessage(h, LB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendMessage(h, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("del")), 4);
    EXPECT_EQ(SendMessage(h, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_TRUE(commands(5).empty());

    SendMessage(h, LB_SETTOPINDEX, 0, 0);
    RECT item {};
    ASSERT_EQ(SendMessage(h, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)), LB_OKAY);
    int height = static_cast<int>(SendMessage(h, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(item.top, height);
    in::click(at(h, 5, item.top + 2));
    pump();
    EXPECT_EQ(SendMessage(h, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(GetFocus(), h);
    in::tap_key(VK_DOWN);
    pump();
    in::tap_key(VK_END);
    pump();
    EXPECT_EQ(SendMessage(h, LB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(commands(5), (std::vector<WORD> { LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE }));
    // The last item is scrolled into view, and the scroll bar follows the top index.
    EXPECT_GT(SendMessage(h, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), SendMessage(h, LB_GETTOPINDEX, 0, 0));
}

TEST_F(ListBoxTest, DoubleClickNotifies)
{
    HWND h = list();
    in::click(at(h, 5, 3));
    in::click(at(h, 5, 3));
    pump();
    auto codes = commands(5);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), LBN_DBLCLK);
}

TEST_F(ListBoxTest, OwnerDrawnItemsAreMeasuredDrawnAndDeleted)
{
    handler = [](HWND, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
        if (message == WM_MEASUREITEM)
            reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = 20;
        return std::nullopt;
    };
    HWND h = list(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, { "a", "b", "c" });
    EXPECT_EQ(SendMessage(h, LB_GETITEMHEIGHT, 0, 0), 20);
    events.clear();
    UpdateWindow(h);
    ASSERT_EQ(count(WM_DRAWITEM), 3);
    SendMessage(h, LB_DELETESTRING, 1, 0);
    SendMessage(h, LB_RESETCONTENT, 0, 0);
    SendMessage(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("d"));
    DestroyWindow(h);
    EXPECT_EQ(count(WM_DELETEITEM), 4); // one by delete, two by reset, one by destroy
}

}
