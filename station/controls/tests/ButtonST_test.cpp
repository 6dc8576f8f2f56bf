#include "ButtonsFixture.h"

#include "station/controls/ButtonST.h"

#include <cstdint>
#include <string>

using platform::user::input::click;
using platform::user::input::move_mouse;
using platform::user::input::MouseButton;
using platform::user::input::press_mouse;
using platform::user::input::release_mouse;

namespace {

constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kLight = RGB(255, 255, 255);

// Distinct colours per slot, so a probe tells which slot painted.
constexpr COLORREF kSlot[6] = { RGB(200, 0, 0), RGB(0, 0, 90), RGB(0, 160, 0), RGB(90, 0, 0), RGB(0, 0, 200), RGB(0, 90, 0) };

}

class ButtonSTTest : public ButtonsTest {
protected:
    HWND button(CButtonST& b, DWORD style, char const* text, int id = 200, RECT r = { 10, 10, 110, 40 })
    {
        HWND const hwnd = make("Button", text, style | WS_TABSTOP, id, r);
        EXPECT_TRUE(b.SubclassWindow(hwnd));
        for (int slot = 0; slot < 6; ++slot)
            b.AssignColourSlot(static_cast<BYTE>(slot), kSlot[slot], FALSE);
        b.Invalidate();
        pump();
        return hwnd;
    }
};

TEST_F(ButtonSTTest, SetterResultCodes)
{
    CButtonST b;
    EXPECT_EQ(b.ChooseImageSide(4, FALSE), 4u);
    EXPECT_EQ(b.image_side(), 0);
    EXPECT_EQ(b.ChooseImageSide(3, FALSE), 0u);
    EXPECT_EQ(b.AssignColourSlot(6, 0, FALSE), 3u);
    EXPECT_EQ(b.ShiftColourSlot(6, 1, FALSE), 3u);
    EXPECT_EQ(b.ShiftColourSlot(0, 256, FALSE), 5u);
    EXPECT_EQ(b.ShiftColourSlot(0, -256, FALSE), 5u);
    EXPECT_EQ(b.EnableFrame(FALSE, FALSE), 0u);
    EXPECT_EQ(b.StoreCheckState(1, FALSE), 0u);
    EXPECT_EQ(b.ReadCheckState(), 0); // neither check box nor radio: nothing stored

    struct Shift {
        char const* name;
        COLORREF from;
        int offset;
        COLORREF to;
    };
    Shift const shifts[] = {
        { "up stops at the brightest channel", RGB(240, 100, 0), 30, RGB(255, 115, 15) },
        { "down stops at the darkest channel", RGB(20, 100, 200), -30, RGB(0, 80, 180) },
        { "full range", RGB(1, 2, 3), 255, RGB(253, 254, 255) },
        { "zero", RGB(1, 2, 3), 0, RGB(1, 2, 3) },
    };
    for (Shift const& s : shifts) {
        SCOPED_TRACE(s.name);
        ASSERT_EQ(b.AssignColourSlot(2, s.from, FALSE), 0u);
        ASSERT_EQ(b.ShiftColourSlot(2, s.offset, FALSE), 0u);
        EXPECT_EQ(b.colour_slot(2), s.to);
    }
}

TEST_F(ButtonSTTest, TemplateStyleChoosesTheMode)
{
    struct Case {
        char const* name;
        DWORD type;
        bool check, radio, def;
    };
    Case const cases[] = {
        { "push", BS_PUSHBUTTON, false, false, false },
        { "default push", BS_DEFPUSHBUTTON, false, false, true },
        { "check box", BS_CHECKBOX, true, false, false },
        { "automatic check box", BS_AUTOCHECKBOX, true, false, false },
        { "radio", BS_RADIOBUTTON, false, true, false },
        { "three-state counts as radio", BS_3STATE, false, true, false },
        { "automatic three-state is both", BS_AUTO3STATE, true, true, false },
        { "automatic radio", BS_AUTORADIOBUTTON, false, true, false },
        { "owner-drawn already is both", BS_OWNERDRAW, true, true, false },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        CButtonST b;
        HWND hwnd = button(b, c.type, "x");
        EXPECT_EQ(b.is_check_box() != 0, c.check);
        EXPECT_EQ(b.is_radio() != 0, c.radio);
        EXPECT_EQ(b.is_default() != 0, c.def);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK, BS_OWNERDRAW);
        DestroyWindow(hwnd);
    }
}

TEST_F(ButtonSTTest, DialogCodeFollowsDefaultStyleAndRadioMode)
{
    CButtonST def;
    HWND d = button(def, BS_DEFPUSHBUTTON, "OK");
    EXPECT_TRUE(SendMessage(d, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    SendMessage(d, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    LRESULT code = SendMessage(d, WM_GETDLGCODE, 0, 0);
    EXPECT_FALSE(code & DLGC_DEFPUSHBUTTON);
    EXPECT_TRUE(code & DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(d, GWL_STYLE)) & BS_TYPEMASK, BS_OWNERDRAW);
    SendMessage(d, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(SendMessage(d, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);

    CButtonST radio;
    HWND r = button(radio, BS_AUTORADIOBUTTON, "r", 201, { 10, 50, 110, 80 });
    EXPECT_TRUE(SendMessage(r, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON);
}

TEST_F(ButtonSTTest, FaceAndFramePerState)
{
    CButtonST b;
    HWND hwnd = button(b, BS_PUSHBUTTON, "");
    POINT const inside = at(hwnd, 50, 15);
    auto face = [&] { return pixel(hwnd, 50, 15); };

    EXPECT_EQ(face(), kSlot[2]);
    EXPECT_EQ(pixel(hwnd, 0, 0), kSlot[2]); // no frame at rest

    SetFocus(hwnd);
    pump();
    EXPECT_EQ(face(), kSlot[4]);

    move_mouse(inside);
    pump();
    EXPECT_TRUE(b.is_hover());
    EXPECT_EQ(face(), kSlot[0]);
    EXPECT_EQ(pixel(hwnd, 0, 0), kLight);
    EXPECT_EQ(pixel(hwnd, 99, 29), kShadow);

    press_mouse(MouseButton::Left);
    pump();
    EXPECT_EQ(face(), kSlot[0]);
    EXPECT_EQ(pixel(hwnd, 0, 0), kShadow);
    EXPECT_EQ(pixel(hwnd, 99, 29), kLight);
    release_mouse(MouseButton::Left);
    pump();

    b.EnableFrame(FALSE);
    pump();
    EXPECT_EQ(pixel(hwnd, 0, 0), kSlot[0]);
}

TEST_F(ButtonSTTest, CaptionColoursAndDisabledEmboss)
{
    CButtonST b;
    HWND hwnd = button(b, BS_PUSHBUTTON, "MMMMMM");
    auto has = [&](COLORREF c) {
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 100; ++x)
                if (pixel(hwnd, x, y) == c)
                    return true;
        return false;
    };
    EXPECT_TRUE(has(kSlot[3]));
    EXPECT_FALSE(has(kSlot[1]));
    EnableWindow(hwnd, FALSE);
    pump();
    EXPECT_FALSE(has(kSlot[3]));
    EXPECT_TRUE(has(kShadow));
    EXPECT_TRUE(has(kLight));
}

TEST_F(ButtonSTTest, SystemColourChangeResetsEverySlot)
{
    CButtonST b;
    HWND hwnd = button(b, BS_PUSHBUTTON, "x");
    SendMessage(hwnd, WM_SYSCOLORCHANGE, 0, 0);
    for (int slot = 0; slot < 6; ++slot)
        EXPECT_EQ(b.colour_slot(slot), GetSysColor(slot % 2 ? COLOR_BTNTEXT : COLOR_BTNFACE)) << slot;
    pump();
    EXPECT_EQ(pixel(hwnd, 50, 2), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ButtonSTTest, CheckBoxTogglesOnEachClickAndTwiceOnADoubleClick)
{
    CButtonST b;
    HWND hwnd = button(b, BS_AUTOCHECKBOX, "check");
    POINT const p = at(hwnd, 50, 15);
    click(p);
    pump();
    EXPECT_EQ(b.ReadCheckState(), 1);
    EXPECT_EQ(SendMessage(hwnd, BM_GETCHECK, 0, 0), 1);
    EXPECT_EQ(GetFocus(), hwnd);
    EXPECT_EQ(parent.clicks(200), 1); // the parent sees the click too

    platform::testing::advance(1000);
    click(p);
    click(p); // a double click: the second press arrives as WM_LBUTTONDBLCLK
    pump();
    EXPECT_EQ(b.ReadCheckState(), 1);
    EXPECT_EQ(parent.clicks(200), 3);

    SendMessage(hwnd, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(b.ReadCheckState(), 1);
    SendMessage(hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(b.ReadCheckState(), 0);
    // The button class's own check members reach the same state.
    b.SetCheck(BST_CHECKED);
    EXPECT_EQ(b.GetCheck(), BST_CHECKED);
    b.SetCheck(BST_UNCHECKED);
    EXPECT_EQ(b.ReadCheckState(), 0);
    // Checked looks pressed: the hot face.
    SendMessage(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    move_mouse(at(hwnd, 200, 200));
    pump();
    EXPECT_EQ(pixel(hwnd, 2, 2), kSlot[0]);
    EXPECT_EQ(pixel(hwnd, 0, 0), kShadow);
}

TEST_F(ButtonSTTest, RadioClickUnchecksItsGroupBothWaysButSkipsHiddenAndDisabledMembers)
{
    CButtonST r[5];
    HWND h[5];
    for (int i = 0; i < 5; ++i) {
        DWORD const group = i == 0 ? WS_GROUP : 0;
        h[i] = button(r[i], BS_AUTORADIOBUTTON | group, "radio", 300 + i, { 10, 10 + 30 * i, 110, 35 + 30 * i });
        SendMessage(h[i], BM_SETCHECK, BST_CHECKED, 0);
    }
    CButtonST outside;
    HWND other = button(outside, BS_AUTORADIOBUTTON | WS_GROUP, "other", 310, { 200, 10, 300, 35 });
    SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
    EnableWindow(h[1], FALSE);
    ShowWindow(h[4], SW_HIDE);
    pump();

    click(at(h[2], 50, 10));
    pump();
    EXPECT_EQ(r[2].ReadCheckState(), 1);
    EXPECT_EQ(r[0].ReadCheckState(), 0); // backward
    EXPECT_EQ(r[3].ReadCheckState(), 0); // forward
    EXPECT_EQ(r[1].ReadCheckState(), 1); // disabled keeps its check
    EXPECT_EQ(r[4].ReadCheckState(), 1); // hidden keeps its check
    EXPECT_EQ(outside.ReadCheckState(), 1); // another group
    EXPECT_EQ(parent.clicks(302), 1);
}

TEST_F(ButtonSTTest, HoverIsSetAndCancelledAndShowsTheToolTip)
{
    CButtonST b;
    HWND hwnd = button(b, BS_PUSHBUTTON, "x");
    b.SetTooltipText("Scan again");
    POINT const inside = at(hwnd, 20, 10);
    POINT const outside = at(hwnd, 200, 100);

    move_mouse(inside);
    pump();
    EXPECT_TRUE(b.is_hover());
    EXPECT_FALSE(b.tool_tip().active());
    move_mouse(at(hwnd, 21, 10));
    pump();
    ASSERT_TRUE(b.tool_tip().created());
    EXPECT_TRUE(b.tool_tip().active());
    EXPECT_EQ(b.tool_tip().text(), "Scan again");
    EXPECT_EQ(b.tool_tip().max_tip_width(), 400);
    EXPECT_EQ(b.tool_tip().tool_rect().right, 100);
    b.SetTooltipText("Changed");
    move_mouse(at(hwnd, 22, 10));
    pump();
    EXPECT_EQ(b.tool_tip().text(), "Changed");

    move_mouse(outside); // the leave notice
    pump();
    EXPECT_FALSE(b.is_hover());

    struct Cancel {
        char const* name;
        UINT message;
        WPARAM wparam;
    };
    Cancel const cancels[] = {
        { "mouse leave", WM_MOUSELEAVE, 0 },
        { "focus lost", WM_KILLFOCUS, 0 },
        { "cancel mode", WM_CANCELMODE, 0 },
        { "deactivated", WM_ACTIVATE, WA_INACTIVE },
    };
    for (Cancel const& c : cancels) {
        SCOPED_TRACE(c.name);
        move_mouse(inside);
        pump();
        ASSERT_TRUE(b.is_hover());
        SendMessage(hwnd, c.message, c.wparam, 0);
        EXPECT_FALSE(b.is_hover());
        move_mouse(outside);
        pump();
    }

    // Pressed outside, dragged in: no hover while the button is held elsewhere.
    press_mouse(MouseButton::Left);
    pump();
    SendMessage(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 10));
    EXPECT_FALSE(b.is_hover());
    release_mouse(MouseButton::Left);
    pump();
}

// The tip window itself: nothing while the pointer merely arrives (the tool tip starts inactive),
// the button's text once the pointer has rested the initial delay, gone when the pointer leaves.
TEST_F(ButtonSTTest, ToolTipShowsItsTextAfterThePointerRestsOnTheButton)
{
    CButtonST b;
    HWND hwnd = button(b, BS_PUSHBUTTON, "x");
    b.SetTooltipText("Scan again");
    auto tip_text = [&] {
        char text[128] {};
        GetWindowText(b.tool_tip().hwnd(), text, sizeof(text));
        return std::string(text);
    };

    move_mouse(at(hwnd, 20, 10));
    pump();
    ASSERT_TRUE(b.tool_tip().created());
    auto const initial = static_cast<std::uint64_t>(SendMessage(b.tool_tip().hwnd(), TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    platform::testing::advance(initial * 2);
    EXPECT_FALSE(IsWindowVisible(b.tool_tip().hwnd())) << "inactive while the pointer only arrives";

    // The next move adds the tool and switches the tip on; the tool tip saw that move before
    // the tool existed, so the wait starts with the move after it.
    move_mouse(at(hwnd, 21, 10));
    pump();
    move_mouse(at(hwnd, 22, 10));
    pump();
    platform::testing::advance(initial - 1);
    EXPECT_FALSE(IsWindowVisible(b.tool_tip().hwnd()));
    platform::testing::advance(1);
    ASSERT_TRUE(IsWindowVisible(b.tool_tip().hwnd()));
    EXPECT_EQ(tip_text(), "Scan again");

    b.SetTooltipText("Changed");
    move_mouse(at(hwnd, 23, 10));
    pump();
    EXPECT_EQ(tip_text(), "Changed");

    move_mouse(at(hwnd, 200, 100));
    pump();
    platform::testing::advance(100);
    EXPECT_FALSE(IsWindowVisible(b.tool_tip().hwnd()));
}

TEST_F(ButtonSTTest, DisablingMovesTheFocusOnlyFromTheFocusedButton)
{
    CButtonST a;
    CButtonST b;
    HWND ha = button(a, BS_PUSHBUTTON, "a", 201, { 10, 10, 110, 40 });
    HWND hb = button(b, BS_PUSHBUTTON, "b", 202, { 10, 50, 110, 80 });
    SetFocus(hb);
    EnableWindow(ha, FALSE);
    EXPECT_EQ(GetFocus(), hb);

    EnableWindow(ha, TRUE);
    SetFocus(ha);
    EnableWindow(ha, FALSE);
    EXPECT_EQ(GetFocus(), hb);

    EnableWindow(hb, FALSE); // nothing left to tab to: the parent takes it
    EXPECT_EQ(GetFocus(), parent.m_hWnd);
}

TEST_F(ButtonSTTest, IconPlacementPerImageSide)
{
    struct Case {
        char const* name;
        BYTE side;
        char const* caption;
        POINT top_left; // of the 16 x 16 icon in a 100 x 40 button
    };
    Case const cases[] = {
        { "left of the text", CButtonST::ImageLeft, "Go", { 3, 12 } },
        { "above the text", CButtonST::ImageAbove, "Go", { 42, 0 } },
        { "right of the text", CButtonST::ImageRight, "Go", { 81, 12 } },
        { "top-left corner", CButtonST::ImageTopLeft, "Go", { 0, 0 } },
        { "no caption: centred", CButtonST::ImageLeft, "", { 42, 12 } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        CButtonST b;
        HWND hwnd = button(b, BS_PUSHBUTTON, c.caption, 200, { 10, 10, 110, 50 });
        ASSERT_EQ(b.AssignIconHandles(solid_icon(16, 16, RGB(0, 200, 200)), nullptr), 0u);
        b.ChooseImageSide(c.side);
        move_mouse(at(hwnd, 300, 300));
        pump();
        EXPECT_EQ(pixel(hwnd, c.top_left.x, c.top_left.y), RGB(0, 200, 200));
        EXPECT_EQ(pixel(hwnd, c.top_left.x + 15, c.top_left.y + 15), RGB(0, 200, 200));
        EXPECT_NE(pixel(hwnd, c.top_left.x + 16, c.top_left.y + 15), RGB(0, 200, 200));
        if (c.top_left.x > 0) {
            EXPECT_NE(pixel(hwnd, c.top_left.x - 1, c.top_left.y), RGB(0, 200, 200));
        }
        DestroyWindow(hwnd);
    }
}

TEST_F(ButtonSTTest, RestIconUntilHoveredAndPressedMovesTheImage)
{
    CButtonST b;
    HWND hwnd = button(b, BS_PUSHBUTTON, "", 200, { 10, 10, 110, 50 });
    ASSERT_EQ(b.AssignIconHandles(solid_icon(16, 16, RGB(255, 0, 0)), CButtonST::derived_handle(CButtonST::kGreyIcon)), 0u);
    pump();
    EXPECT_EQ(pixel(hwnd, 42, 12), RGB(76, 76, 76));
    move_mouse(at(hwnd, 50, 20));
    pump();
    EXPECT_EQ(pixel(hwnd, 42, 12), RGB(255, 0, 0));
    press_mouse(MouseButton::Left);
    pump();
    EXPECT_NE(pixel(hwnd, 42, 12), RGB(255, 0, 0));
    EXPECT_EQ(pixel(hwnd, 43, 13), RGB(255, 0, 0));
    EXPECT_EQ(pixel(hwnd, 58, 28), RGB(255, 0, 0));
    release_mouse(MouseButton::Left);
    pump();

    ASSERT_EQ(b.AssignIconHandles(solid_icon(16, 16, RGB(200, 100, 40)), CButtonST::derived_handle(CButtonST::kDarkerIcon)), 0u);
    move_mouse(at(hwnd, 300, 300));
    pump();
    EXPECT_EQ(pixel(hwnd, 42, 12), RGB(150, 75, 30));
}

TEST_F(ButtonSTTest, UnreadableIconsLeaveTheButtonWithoutIcons)
{
    CButtonST b;
    button(b, BS_PUSHBUTTON, "x");
    ASSERT_EQ(b.AssignIconHandles(solid_icon(16, 16, RGB(1, 2, 3)), nullptr), 0u);
    EXPECT_NE(b.hover_icon(), nullptr);
    EXPECT_EQ(b.AssignIcons(99999, 0), 1u); // no such resource
    EXPECT_EQ(b.hover_icon(), nullptr);
    EXPECT_EQ(b.rest_icon(), nullptr);
}

// A click handler that destroys the button's window must not touch the dead object.
TEST_F(ButtonSTTest, ParentMayDestroyTheButtonWhileItIsClicked)
{
    class ClosingParent : public CWnd {
    public:
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
        {
            BOOL const handled = CWnd::OnCommand(wParam, lParam);
            if (HIWORD(wParam) == BN_CLICKED)
                ::DestroyWindow(reinterpret_cast<HWND>(lParam));
            return handled;
        }
    };
    ClosingParent host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 500, 100, 200, 100, nullptr, nullptr));
    CButtonST b;
    HWND hwnd = CreateWindowEx(0, "Button", "x", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10, 80, 30, host.m_hWnd,
        reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_TRUE(b.SubclassWindow(hwnd));
    pump();
    click(at(hwnd, 20, 10));
    pump();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(b.m_hWnd, nullptr);
}

// The check box and radio button pictures the pages give their buttons (hover = checked look,
// rest = unchecked look): a checked button shows its mark.
TEST_F(ButtonSTTest, CheckAndRadioIconsShowTheCheckState)
{
    struct Case {
        char const* name;
        DWORD style;
        char const* checked_icon;
        char const* unchecked_icon;
        POINT mark;
    };
    Case const cases[] = {
        { "radio button", BS_AUTORADIOBUTTON, "/145.png", "/146.png", { 7, 7 } },
        { "check box", BS_AUTOCHECKBOX, "/147.png", "/148.png", { 7, 10 } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        auto load = [](char const* name) {
            return static_cast<HICON>(LoadImage(nullptr, (std::string(BUTTONS_ICON_DIR) + name).c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
        };
        CButtonST b;
        HWND hwnd = button(b, c.style, "", 200, { 10, 10, 26, 26 });
        b.ChooseImageSide(CButtonST::ImageTopLeft);
        ASSERT_EQ(b.AssignIconHandles(load(c.checked_icon), load(c.unchecked_icon)), 0u);
        move_mouse(at(hwnd, 300, 300));
        pump();
        EXPECT_EQ(pixel(hwnd, c.mark.x, c.mark.y), RGB(255, 255, 255));
        SendMessage(hwnd, BM_SETCHECK, BST_CHECKED, 0);
        pump();
        EXPECT_EQ(pixel(hwnd, c.mark.x, c.mark.y), RGB(0, 70, 160));
        DestroyWindow(hwnd);
    }
}
