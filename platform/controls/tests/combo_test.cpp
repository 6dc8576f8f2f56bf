// The combo box: item messages, silent CB_SETCURSEL, CB_FINDSTRING wrap-around, the dropped
// list's mouse and keys with their notifications, owner-draw of the field and WM_DELETEITEM.
#include "ControlFixture.h"

#include <string>

namespace in = platform::user::input;

namespace {

class ComboTest : public ControlTest {
protected:
    HWND combo(DWORD style = CBS_DROPDOWNLIST, std::vector<char const*> items = { "one", "two", "three", "Twelve" })
    {
        HWND h = make("ComboBox", "", style | WS_VSCROLL, 3, { 10, 10, 130, 130 });
        for (char const* item : items)
            SendMessage(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        return h;
    }
    static std::string window_text(HWND h)
    {
        char buffer[64] {};
        GetWindowText(h, buffer, sizeof(buffer));
        return buffer;
    }
    static HWND drop_list(HWND h)
    {
        RECT r {};
        SendMessage(h, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
        return WindowFromPoint(POINT { r.left + 5, r.top + 5 });
    }
};

TEST_F(ComboTest, ItemMessagesAndSilentSelection)
{
    HWND h = combo();
    EXPECT_EQ(SendMessage(h, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessage(h, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("zero")), 0);
    EXPECT_EQ(SendMessage(h, CB_SETITEMDATA, 1, 77), CB_OKAY);
    EXPECT_EQ(SendMessage(h, CB_GETITEMDATA, 1, 0), 77);
    EXPECT_EQ(SendMessage(h, CB_GETLBTEXTLEN, 3, 0), 5);
    EXPECT_EQ(SendMessage(h, CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(window_text(h), "two");
    EXPECT_EQ(SendMessage(h, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("thr")), 3);
    EXPECT_EQ(SendMessage(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("TWELVE")), 4);
    EXPECT_EQ(SendMessage(h, CB_DELETESTRING, 3, 0), 4);
    EXPECT_EQ(SendMessage(h, CB_GETCURSEL, 0, 0), -1);
    EXPECT_EQ(SendMessage(h, CB_SETDROPPEDWIDTH, 300, 0), 300);
    EXPECT_EQ(SendMessage(h, CB_GETDROPPEDWIDTH, 0, 0), 300);
    SendMessage(h, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(h, CB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(commands(3).empty());
}

TEST_F(ComboTest, FindStringStartsAfterTheStartIndexAndWraps)
{
    HWND h = combo();
    struct Case {
        int start;
        char const* text;
        LRESULT found;
    };
    const Case cases[] = { { -1, "tw", 1 }, { 1, "tw", 3 }, { 3, "TW", 1 }, { 2, "one", 0 }, { -1, "x", CB_ERR } };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " after " + std::to_string(c.start));
        EXPECT_EQ(SendMessage(h, CB_FINDSTRING, static_cast<WPARAM>(c.start), reinterpret_cast<LPARAM>(c.text)), c.found);
    }
}

TEST_F(ComboTest, TheWindowKeepsTheFieldHeightAndDropsBelow)
{
    HWND h = combo();
    RECT w {};
    GetWindowRect(h, &w);
    EXPECT_LT(w.bottom - w.top, 40);
    RECT dropped {};
    SendMessage(h, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.top, w.bottom);
    EXPECT_EQ(dropped.left, w.left);
    // The template's WS_VSCROLL belongs to the list: the field keeps its whole width.
    RECT client {};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, w.right - w.left);
}

TEST_F(ComboTest, MouseSelectionFollowsTheTable)
{
    HWND h = combo();
    in::click(at(h, 20, 8));
    pump();
    EXPECT_EQ(SendMessage(h, CB_GETDROPPEDSTATE, 0, 0), TRUE);
    EXPECT_EQ(commands(3), (std::vector<WORD> { CBN_SETFOCUS, CBN_DROPDOWN }));
    HWND list = drop_list(h);
    ASSERT_NE(list, nullptr);
    RECT item {};
    SendMessage(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    events.clear();
    in::click(at(list, 10, item.top + 2));
    pump();
    EXPECT_EQ(SendMessage(h, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    EXPECT_EQ(SendMessage(h, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(commands(3), (std::vector<WORD> { CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP }));
    EXPECT_EQ(GetCapture(), nullptr);
    // Open again and press outside: cancelled, the selection stays.
    in::click(at(h, 20, 8));
    pump();
    events.clear();
    in::click(POINT { 390, 390 });
    pump();
    EXPECT_EQ(commands(3), (std::vector<WORD> { CBN_SELENDCANCEL, CBN_CLOSEUP }));
    EXPECT_EQ(SendMessage(h, CB_GETCURSEL, 0, 0), 2);
}

TEST_F(ComboTest, KeysSelectAndNotifyOnlyOnUserAction)
{
    HWND h = combo();
    SetFocus(h);
    pump();
    events.clear();
    in::tap_key(VK_DOWN);
    in::tap_key(VK_DOWN);
    in::type_text("t");
    pump();
    EXPECT_EQ(SendMessage(h, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(commands(3), (std::vector<WORD> { CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE }));
    events.clear();
    in::tap_key(VK_F4);
    in::tap_key(VK_DOWN);
    in::tap_key(VK_RETURN);
    pump();
    EXPECT_EQ(SendMessage(h, CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(commands(3), (std::vector<WORD> { CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP }));
}

TEST_F(ComboTest, EditableKindReportsEditChangesButNotSelections)
{
    HWND h = combo(CBS_DROPDOWN);
    SendMessage(h, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(window_text(h), "two");
    EXPECT_TRUE(commands(3).empty());
    SendMessage(h, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(window_text(h), "");
    SendMessage(h, CB_LIMITTEXT, 4, 0);
    SetFocus(h);
    pump();
    in::type_text("abcdef");
    pump();
    EXPECT_EQ(window_text(h), "abcd");
    auto codes = commands(3);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_EDITCHANGE), 4);
    EXPECT_EQ(platform::user::beep_count(), 2);
}

TEST_F(ComboTest, OwnerDrawFieldAndDeleteItemOnResetAndDestroy)
{
    static std::vector<UINT> drawn;
    static std::vector<UINT> deleted;
    drawn.clear();
    deleted.clear();
    handler = [](HWND, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
        if (message == WM_DRAWITEM) {
            auto const* dis = reinterpret_cast<DRAWITEMSTRUCT const*>(lparam);
            if (dis->itemState & ODS_COMBOBOXEDIT)
                drawn.push_back(dis->itemID);
        }
        if (message == WM_DELETEITEM)
            deleted.push_back(reinterpret_cast<DELETEITEMSTRUCT const*>(lparam)->itemID);
        if (message == WM_MEASUREITEM)
            reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = 18;
        return std::nullopt;
    };
    HWND h = combo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, { "a", "b", "c" });
    EXPECT_EQ(SendMessage(h, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 18);
    UpdateWindow(h);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), static_cast<UINT>(-1));
    SendMessage(h, CB_SETCURSEL, 1, 0);
    UpdateWindow(h);
    EXPECT_EQ(drawn.back(), 1u);
    SendMessage(h, CB_DELETESTRING, 0, 0);
    SendMessage(h, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(deleted, (std::vector<UINT> { 0, 1, 0 }));
    SendMessage(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("d"));
    DestroyWindow(h);
    EXPECT_EQ(deleted.size(), 4u);
}

}
