// The edit's behaviour table: typing, limits, filters, read-only, the clipboard, caret and
// selection keys, mouse selection, notifications and the password character.
#include "ControlFixture.h"

#include <cstring>

namespace in = platform::user::input;
using platform::user::beep_count;

namespace {

class EditTest : public ControlTest {
protected:
    HWND make_edit(DWORD style, LPCSTR text = "")
    {
        HWND e = make("Edit", text, style, 20, { 10, 10, 210, 34 });
        SetFocus(e);
        pump();
        events.clear();
        return e;
    }

    static std::string text_of(HWND e)
    {
        char buffer[256] {};
        GetWindowText(e, buffer, sizeof(buffer));
        return buffer;
    }

    static std::pair<DWORD, DWORD> selection(HWND e)
    {
        DWORD start = 0;
        DWORD end = 0;
        SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return { start, end };
    }
};

TEST_F(EditTest, TypingFollowsTheTable)
{
    struct Case {
        char const* name;
        DWORD style;
        size_t limit; // 0: none
        char const* typed;
        char const* text;
        int beeps;
        std::vector<WORD> codes;
    };
    const Case cases[] = {
        { "plain", ES_AUTOHSCROLL, 0, "ab", "ab", 0, { EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE } },
        { "limit", ES_AUTOHSCROLL, 2, "abc", "ab", 1, { EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_MAXTEXT } },
        { "number", ES_AUTOHSCROLL | ES_NUMBER, 0, "1a2", "12", 1, { EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE } },
        { "upper case", ES_AUTOHSCROLL | ES_UPPERCASE, 0, "aB", "AB", 0, { EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE } },
        { "read-only", ES_AUTOHSCROLL | ES_READONLY, 0, "a", "", 1, {} },
        { "backspace", ES_AUTOHSCROLL, 0, "ab\b", "a", 0, { EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        platform::user::reset_beep_count();
        HWND e = make_edit(c.style);
        if (c.limit)
            SendMessage(e, EM_LIMITTEXT, c.limit, 0);
        ASSERT_TRUE(in::type_text(c.typed));
        pump();
        EXPECT_EQ(text_of(e), c.text);
        EXPECT_EQ(beep_count(), c.beeps);
        EXPECT_EQ(commands(20), c.codes);
        DestroyWindow(e);
    }
}

TEST_F(EditTest, PasteBeyondTheLimitIsRefusedWhole)
{
    HWND e = make_edit(ES_AUTOHSCROLL, "ab");
    SendMessage(e, EM_LIMITTEXT, 4, 0);
    SendMessage(e, EM_SETSEL, 2, 2);
    platform::user::set_clipboard_text("xyz");
    in::tap_ctrl_key('V');
    pump();
    EXPECT_EQ(text_of(e), "ab");
    EXPECT_EQ(beep_count(), 1);
    EXPECT_EQ(commands(20), (std::vector<WORD> { EN_MAXTEXT }));
    platform::user::set_clipboard_text("xy\r\nsecond line");
    in::tap_ctrl_key('V');
    pump();
    EXPECT_EQ(text_of(e), "abxy");
}

TEST_F(EditTest, KeysMoveTheCaretAndShiftSelects)
{
    HWND e = make_edit(ES_AUTOHSCROLL, "hello");
    in::tap_key(VK_END);
    in::press_key(VK_SHIFT);
    in::tap_key(VK_LEFT);
    in::tap_key(VK_LEFT);
    in::release_key(VK_SHIFT);
    pump();
    EXPECT_EQ(selection(e), std::make_pair(DWORD { 3 }, DWORD { 5 }));
    in::tap_ctrl_key('C');
    in::tap_key(VK_DELETE);
    in::tap_key(VK_HOME);
    in::tap_key(VK_DELETE);
    pump();
    EXPECT_EQ(text_of(e), "el");
    EXPECT_EQ(platform::user::clipboard_text(), "lo");
    in::tap_ctrl_key('X'); // nothing selected: nothing cut
    pump();
    EXPECT_EQ(platform::user::clipboard_text(), "lo");
}

TEST_F(EditTest, MouseSetsTheCaretAndDoubleClickSelectsAWord)
{
    HWND e = make_edit(ES_AUTOHSCROLL, "one two three");
    in::click(at(e, 1, 5));
    pump();
    EXPECT_EQ(selection(e), std::make_pair(DWORD { 0 }, DWORD { 0 }));
    platform::testing::advance(1000);
    // Somewhere inside "two": its middle lies after the width of "one t".
    in::click(at(e, 40, 5));
    in::click(at(e, 40, 5));
    pump();
    EXPECT_EQ(selection(e), std::make_pair(DWORD { 4 }, DWORD { 7 }));
}

TEST_F(EditTest, SetTextNotifiesOnlyWhenTheTextChanges)
{
    HWND e = make_edit(ES_AUTOHSCROLL, "a");
    SetWindowText(e, "b");
    SetWindowText(e, "b");
    EXPECT_EQ(commands(20), (std::vector<WORD> { EN_UPDATE, EN_CHANGE }));
    EXPECT_EQ(GetWindowTextLength(e), 1);
    // The limit does not apply to WM_SETTEXT.
    SendMessage(e, EM_LIMITTEXT, 1, 0);
    SetWindowText(e, "long");
    EXPECT_EQ(text_of(e), "long");
}

TEST_F(EditTest, AnEnChangeHandlerThatWritesBackDoesNotLoop)
{
    HWND e = make_edit(ES_AUTOHSCROLL);
    int calls = 0;
    handler = [&](HWND, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE) {
            ++calls;
            char buffer[16];
            GetWindowText(e, buffer, sizeof(buffer));
            SetWindowText(e, buffer);
        }
        return std::nullopt;
    };
    in::type_text("5");
    pump();
    EXPECT_EQ(calls, 1);
}

TEST_F(EditTest, SelectionMessagesAndReplace)
{
    HWND e = make_edit(ES_AUTOHSCROLL, "abcdef");
    SendMessage(e, EM_SETSEL, 4, 1);
    EXPECT_EQ(SendMessage(e, EM_GETSEL, 0, 0), MAKELONG(1, 4));
    SendMessage(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("XY"));
    EXPECT_EQ(text_of(e), "aXYef");
    SendMessage(e, EM_SETSEL, 0, -1);
    EXPECT_EQ(selection(e), std::make_pair(DWORD { 0 }, DWORD { 5 }));
    SendMessage(e, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(selection(e), std::make_pair(DWORD { 5 }, DWORD { 5 }));
}

TEST_F(EditTest, PasswordCharacterHidesAndNeverCopies)
{
    HWND e = make_edit(ES_AUTOHSCROLL | ES_PASSWORD, "secret");
    EXPECT_EQ(SendMessage(e, EM_GETPASSWORDCHAR, 0, 0), '*');
    platform::user::set_clipboard_text("");
    SendMessage(e, EM_SETSEL, 0, -1);
    SendMessage(e, WM_COPY, 0, 0);
    EXPECT_EQ(platform::user::clipboard_text(), "");
    SendMessage(e, EM_SETPASSWORDCHAR, 0, 0);
    EXPECT_EQ(GetWindowLong(e, GWL_STYLE) & ES_PASSWORD, 0);
    SendMessage(e, WM_COPY, 0, 0);
    EXPECT_EQ(platform::user::clipboard_text(), "secret");
}

TEST_F(EditTest, ReadOnlyToggleAndFocusNotifications)
{
    HWND e = make_edit(ES_AUTOHSCROLL, "x");
    SendMessage(e, EM_SETREADONLY, TRUE, 0);
    EXPECT_NE(GetWindowLong(e, GWL_STYLE) & ES_READONLY, 0);
    in::type_text("y");
    pump();
    EXPECT_EQ(text_of(e), "x");
    SendMessage(e, EM_SETREADONLY, FALSE, 0);
    SetFocus(parent);
    SetFocus(e);
    EXPECT_EQ(commands(20), (std::vector<WORD> { EN_KILLFOCUS, EN_SETFOCUS }));
    EXPECT_EQ(SendMessage(e, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST_F(EditTest, WithoutAutoScrollTextWiderThanTheEditIsRefused)
{
    HWND e = make("Edit", "", 0, 21, { 10, 10, 40, 30 });
    SetFocus(e);
    in::type_text("wwwwwwwwwwwwwwww");
    pump();
    EXPECT_LT(GetWindowTextLength(e), 16);
    EXPECT_GT(beep_count(), 0);
}

}
