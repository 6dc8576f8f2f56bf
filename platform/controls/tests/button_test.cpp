// The button's behaviour table, its check-state rules, BM_* messages, WM_GETDLGCODE and the
// owner-draw record, driven through injected input.
#include "ControlFixture.h"

#include "platform/gdi/SysPaint.h"

namespace in = platform::user::input;

namespace {

class ButtonTest : public ControlTest { };

enum class Step {
    PressInside,
    MoveOutside,
    MoveInside,
    Release,
    SpaceDown,
    SpaceUp,
    CancelMode,
    KillFocus,
};

struct Row {
    Step step;
    bool pushed_after;
    int clicks_after; // BN_CLICKED count so far
};

struct Walk {
    char const* name;
    std::vector<Row> rows;
};

TEST_F(ButtonTest, PushButtonFollowsItsBehaviourTable)
{
    const Walk walks[] = {
        { "press and release inside", { { Step::PressInside, true, 0 }, { Step::Release, false, 1 } } },
        { "drag out and release outside", { { Step::PressInside, true, 0 }, { Step::MoveOutside, false, 0 }, { Step::Release, false, 0 } } },
        { "drag out and back in", { { Step::PressInside, true, 0 }, { Step::MoveOutside, false, 0 }, { Step::MoveInside, true, 0 }, { Step::Release, false, 1 } } },
        { "space bar", { { Step::SpaceDown, true, 0 }, { Step::SpaceUp, false, 1 } } },
        { "cancel mode while pressed", { { Step::PressInside, true, 0 }, { Step::CancelMode, false, 0 }, { Step::Release, false, 0 } } },
        { "focus lost while pressed", { { Step::PressInside, true, 0 }, { Step::KillFocus, false, 0 }, { Step::Release, false, 0 } } },
        { "space released after focus lost", { { Step::SpaceDown, true, 0 }, { Step::KillFocus, false, 0 }, { Step::SpaceUp, false, 0 } } },
    };
    for (auto const& walk : walks) {
        SCOPED_TRACE(walk.name);
        HWND b = make("Button", "OK", BS_PUSHBUTTON, 5);
        HWND other = make("Button", "Other", BS_PUSHBUTTON, 6, { 10, 100, 110, 130 });
        SetFocus(b);
        pump();
        events.clear();
        for (auto const& row : walk.rows) {
            switch (row.step) {
            case Step::PressInside:
                in::move_mouse(at(b, 5, 5));
                in::press_mouse(in::MouseButton::Left);
                break;
            case Step::MoveOutside:
                in::move_mouse(at(b, 150, 5));
                break;
            case Step::MoveInside:
                in::move_mouse(at(b, 6, 6));
                break;
            case Step::Release:
                in::release_mouse(in::MouseButton::Left);
                break;
            case Step::SpaceDown:
                in::press_key(VK_SPACE);
                break;
            case Step::SpaceUp:
                in::release_key(VK_SPACE);
                break;
            case Step::CancelMode:
                SendMessage(b, WM_CANCELMODE, 0, 0);
                break;
            case Step::KillFocus:
                SetFocus(other);
                break;
            }
            pump();
            EXPECT_EQ((SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0, row.pushed_after);
            EXPECT_EQ(static_cast<int>(commands(5).size()), row.clicks_after);
        }
        EXPECT_EQ(GetCapture(), nullptr);
        in::reset();
        DestroyWindow(b);
        DestroyWindow(other);
    }
}

TEST_F(ButtonTest, ClicksChangeTheCheckStateByKind)
{
    struct Case {
        char const* name;
        DWORD style;
        std::vector<LRESULT> after_each_click;
    };
    const Case cases[] = {
        { "auto check box", BS_AUTOCHECKBOX, { 1, 0, 1 } },
        { "auto 3-state", BS_AUTO3STATE, { 1, 2, 0 } },
        { "plain check box", BS_CHECKBOX, { 0, 0, 0 } },
        { "auto radio", BS_AUTORADIOBUTTON, { 1, 1, 1 } },
        { "plain radio", BS_RADIOBUTTON, { 0, 0, 0 } },
        { "push button", BS_PUSHBUTTON, { 0, 0, 0 } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        HWND b = make("Button", "x", c.style, 9);
        events.clear();
        for (LRESULT expected : c.after_each_click) {
            in::click(at(b, 3, 3));
            pump();
            platform::testing::advance(1000); // no double click
            EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), expected);
        }
        EXPECT_EQ(commands(9), std::vector<WORD>(c.after_each_click.size(), BN_CLICKED));
        DestroyWindow(b);
    }
}

TEST_F(ButtonTest, AutoRadioUnchecksOnlyItsGroup)
{
    HWND a = make("Button", "a", BS_AUTORADIOBUTTON | WS_GROUP, 1, { 10, 10, 60, 30 });
    HWND b = make("Button", "b", BS_AUTORADIOBUTTON, 2, { 10, 40, 60, 60 });
    HWND c = make("Button", "c", BS_AUTORADIOBUTTON | WS_GROUP, 3, { 10, 70, 60, 90 });
    SendMessage(a, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(c, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessage(a, BM_GETCHECK, 0, 0), 0);
    EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), 1);
    EXPECT_EQ(SendMessage(c, BM_GETCHECK, 0, 0), 1);
}

TEST_F(ButtonTest, ProgrammaticChangesSendNoNotificationButBmClickSendsOne)
{
    HWND b = make("Button", "x", BS_AUTOCHECKBOX, 4);
    SendMessage(b, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(b, BM_SETSTATE, TRUE, 0);
    SendMessage(b, BM_SETSTATE, FALSE, 0);
    SendMessage(b, BM_SETSTYLE, BS_CHECKBOX, TRUE);
    pump();
    EXPECT_TRUE(commands(4).empty());
    SendMessage(b, BM_SETSTYLE, BS_AUTOCHECKBOX, TRUE);
    SendMessage(b, BM_CLICK, 0, 0);
    pump();
    EXPECT_EQ(commands(4), (std::vector<WORD> { BN_CLICKED }));
    EXPECT_EQ(count(WM_COMMAND), 1);
    EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), 0);
    // BM_SETCHECK with 2 only sticks on a three-state button.
    SendMessage(b, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), 1);
}

TEST_F(ButtonTest, DisabledButtonIgnoresClicksKeysAndBmClick)
{
    HWND b = make("Button", "x", BS_PUSHBUTTON, 4);
    SetFocus(b);
    EnableWindow(b, FALSE);
    in::click(at(b, 3, 3));
    in::tap_key(VK_SPACE);
    pump();
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_TRUE(commands(4).empty());
}

TEST_F(ButtonTest, DoubleClickNotifiesRadioAndOwnerDrawOnly)
{
    struct Case {
        char const* name;
        DWORD style;
        std::vector<WORD> codes;
    };
    const Case cases[] = {
        { "push", BS_PUSHBUTTON, { BN_CLICKED, BN_CLICKED } },
        { "radio", BS_RADIOBUTTON, { BN_CLICKED, BN_DOUBLECLICKED, BN_CLICKED } },
        { "owner-draw", BS_OWNERDRAW, { BN_CLICKED, BN_DOUBLECLICKED, BN_CLICKED } },
        { "push with BS_NOTIFY", BS_PUSHBUTTON | BS_NOTIFY, { BN_CLICKED, BN_DOUBLECLICKED, BN_CLICKED } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        HWND b = make("Button", "x", c.style, 8);
        pump();
        events.clear();
        in::click(at(b, 3, 3));
        in::click(at(b, 3, 3));
        pump();
        std::vector<WORD> codes;
        for (WORD code : commands(8)) {
            if (code == BN_CLICKED || code == BN_DOUBLECLICKED)
                codes.push_back(code);
        }
        EXPECT_EQ(codes, c.codes);
        DestroyWindow(b);
        platform::testing::advance(1000);
    }
}

TEST_F(ButtonTest, DialogCodesByKind)
{
    struct Case {
        DWORD style;
        LRESULT code;
    };
    constexpr Case cases[] = {
        { BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON },
        { BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON },
        { BS_AUTOCHECKBOX, DLGC_BUTTON },
        { BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON },
        { BS_GROUPBOX, DLGC_STATIC },
        { BS_OWNERDRAW, DLGC_BUTTON },
    };
    for (auto const& c : cases) {
        HWND b = make("Button", "x", c.style, 3);
        EXPECT_EQ(SendMessage(b, WM_GETDLGCODE, 0, 0), c.code) << c.style;
        DestroyWindow(b);
    }
}

TEST_F(ButtonTest, OwnerDrawGetsItsRecordWithState)
{
    HWND b = make("Button", "x", BS_OWNERDRAW, 12, { 10, 10, 60, 30 });
    std::vector<DRAWITEMSTRUCT> draws;
    std::vector<COLORREF> text_colours;
    std::vector<int> modes;
    handler = [&](HWND, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
        if (message == WM_DRAWITEM) {
            auto const* item = reinterpret_cast<DRAWITEMSTRUCT const*>(lparam);
            draws.push_back(*item);
            text_colours.push_back(GetTextColor(item->hDC));
            modes.push_back(GetBkMode(item->hDC));
            return TRUE;
        }
        return std::nullopt;
    };
    SetFocus(b);
    SendMessage(b, BM_SETSTATE, TRUE, 0);
    SendMessage(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    pixel_of(b, 0, 0);
    EnableWindow(b, FALSE);
    pixel_of(b, 0, 0);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].CtlType, ODT_BUTTON);
    EXPECT_EQ(draws[0].CtlID, 12u);
    EXPECT_EQ(draws[0].hwndItem, b);
    EXPECT_EQ(draws[0].itemState, ODS_SELECTED | ODS_FOCUS | ODS_DEFAULT);
    EXPECT_EQ(draws[0].rcItem.right, 50);
    EXPECT_EQ(draws[0].rcItem.bottom, 20);
    EXPECT_EQ(draws[1].itemState & ODS_DISABLED, ODS_DISABLED);
    EXPECT_EQ(text_colours[0], GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(modes[0], OPAQUE);
    EXPECT_EQ(GetWindowLong(b, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_OWNERDRAW));
}

TEST_F(ButtonTest, HandlerMayDestroyTheButtonDuringItsClick)
{
    HWND b = make("Button", "x", BS_PUSHBUTTON, 2);
    handler = [&](HWND, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_COMMAND && LOWORD(wparam) == 2)
            DestroyWindow(b);
        return std::nullopt;
    };
    in::click(at(b, 3, 3));
    pump();
    EXPECT_FALSE(IsWindow(b));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, PaintsCheckMarkAndPushedFace)
{
    HWND check = make("Button", "check", BS_AUTOCHECKBOX, 1, { 10, 10, 110, 30 });
    SendMessage(check, BM_SETCHECK, BST_CHECKED, 0);
    // The box is 13 pixels at the left, vertically centred: its inside is the window colour.
    EXPECT_EQ(pixel_of(check, 3, 5), GetSysColor(COLOR_WINDOW));
    HWND push = make("Button", "", BS_PUSHBUTTON, 2, { 10, 40, 60, 70 });
    EXPECT_EQ(pixel_of(push, 0, 0), GetSysColor(COLOR_3DLIGHT));
    SendMessage(push, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(pixel_of(push, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel_of(push, 25, 15), GetSysColor(COLOR_BTNFACE));
}

}

// The focus rectangle follows the keyboard cues of the window tree: a child asking to hide
// them hides them for every control of its top-level window, and asking to show them shows
// them again; a control made meanwhile starts with its parent's cues.
TEST_F(ButtonTest, FocusRectangleFollowsTheKeyboardCues)
{
    HWND push = make("Button", "", BS_PUSHBUTTON, 2, { 10, 40, 60, 70 });
    HWND check = make("Button", "check", BS_AUTOCHECKBOX, 3, { 10, 10, 110, 30 });
    // The push button's focus rectangle is 3 pixels inside it; the check box's 1 pixel left of
    // its caption, which starts 4 pixels after the 13-pixel box.
    // Whether any pixel of column `x` from `top` to `bottom` (excluded) differs from the face.
    auto column_marked = [](HWND button, int x, int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            if (pixel_of(button, x, y) != GetSysColor(COLOR_BTNFACE))
                return true;
        }
        return false;
    };
    auto push_focus = [&] { return column_marked(push, 3, 3, 27); };
    auto check_focus = [&] { return column_marked(check, 16, 0, 20); };
    SetFocus(push);
    EXPECT_TRUE(push_focus()) << "cues show until something hides them";

    SendMessage(check, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    pump();
    EXPECT_EQ(SendMessage(parent, WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS);
    EXPECT_EQ(SendMessage(push, WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS);
    EXPECT_FALSE(push_focus());
    SetFocus(check);
    EXPECT_FALSE(check_focus());
    HWND later = make("Button", "later", BS_PUSHBUTTON, 4, { 120, 40, 170, 70 });
    EXPECT_EQ(SendMessage(later, WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS);

    SendMessage(push, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    pump();
    EXPECT_EQ(SendMessage(later, WM_QUERYUISTATE, 0, 0), 0);
    EXPECT_TRUE(check_focus());
    EXPECT_FALSE(push_focus()) << "only the focused control marks itself";
}

TEST_F(ButtonTest, OwnerDrawnButtonHearsWhetherTheFocusIsHidden)
{
    HWND b = make("Button", "x", BS_OWNERDRAW, 12, { 10, 10, 60, 30 });
    std::vector<UINT> states;
    handler = [&](HWND, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
        if (message == WM_DRAWITEM) {
            states.push_back(reinterpret_cast<DRAWITEMSTRUCT const*>(lparam)->itemState);
            return TRUE;
        }
        return std::nullopt;
    };
    SetFocus(b);
    SendMessage(b, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    pixel_of(b, 0, 0);
    SendMessage(b, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    pixel_of(b, 0, 0);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[0] & (ODS_FOCUS | ODS_NOFOCUSRECT), ODS_FOCUS | ODS_NOFOCUSRECT);
    EXPECT_EQ(states[1] & (ODS_FOCUS | ODS_NOFOCUSRECT), ODS_FOCUS);
}
