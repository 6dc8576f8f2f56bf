#include "DialogsFixture.h"

#include "station/controls/CInfoWnd.h"
#include "station/controls/CSmartEdit.h"

using platform::user::input::click;

namespace {

// The class takes the colour of the first hint of the process; make sure that is the edit's.
CInfoWnd& first_hint()
{
    static CInfoWnd* hint = new CInfoWnd(CSmartEdit::kHintColour);
    return *hint;
}

}

class InfoWndTest : public DialogsTest {
protected:
    void SetUp() override
    {
        first_hint();
        DialogsTest::SetUp();
        anchor = make("Edit", "", WS_BORDER, 900, { 200, 200, 300, 220 });
        SetFocus(anchor);
    }

    CRect anchor_rect() const
    {
        CRect r;
        GetWindowRect(anchor, &r);
        return r;
    }

    HWND anchor {};
};

TEST_F(InfoWndTest, SizedFromItsTextAndPlacedBesideTheAnchor)
{
    struct Case {
        char const* name;
        int placement;
    };
    Case const cases[] = { { "above", 0 }, { "below", 1 }, { "right", 8 }, { "left", 2 } };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        CInfoWnd hint(RGB(0, 255, 0));
        ASSERT_TRUE(hint.Create(&parent));
        hint.set_placement(c.placement);
        hint.PopUpText(CWnd::FromHandle(anchor), "Out of range");
        ASSERT_TRUE(hint.IsWindowVisible());
        EXPECT_EQ(hint.text(), " Out of range ");
        CRect const a = anchor_rect();
        CRect const h = hint.hint_rect();
        int const width = h.Width() - 100;
        EXPECT_GT(width, 40);
        EXPECT_GT(h.Height(), 5);
        CPoint expected;
        switch (c.placement) {
        case 0: expected = CPoint(a.left, a.top - 2 - h.Height()); break;
        case 1: expected = CPoint(a.left, a.bottom + 2); break;
        case 8: expected = CPoint(a.right + 2, a.top); break;
        default: expected = CPoint(a.left - 2 - width, a.top); break;
        }
        EXPECT_EQ(h.left, expected.x);
        EXPECT_EQ(h.top, expected.y);
        CRect window;
        hint.GetWindowRect(&window);
        EXPECT_EQ(window, CRect(h.left - 3, h.top - 1, h.right, h.bottom - 1));
    }
}

TEST_F(InfoWndTest, LongerTextMakesAWiderHint)
{
    CInfoWnd hint(0);
    ASSERT_TRUE(hint.Create(&parent));
    hint.PopUpText(CWnd::FromHandle(anchor), "1");
    int const short_width = hint.hint_rect().Width();
    hint.ShowWindow(SW_HIDE);
    hint.PopUpText(CWnd::FromHandle(anchor), "The value must lie between 1 and 100");
    EXPECT_GT(hint.hint_rect().Width(), short_width + 50);
}

TEST_F(InfoWndTest, HiddenAfterFourSecondsOrAClick)
{
    CInfoWnd hint(0);
    ASSERT_TRUE(hint.Create(&parent));
    hint.PopUpText(CWnd::FromHandle(anchor), "wrong");
    pump();
    platform::testing::advance(3999);
    EXPECT_TRUE(hint.IsWindowVisible());
    platform::testing::advance(1);
    EXPECT_FALSE(hint.IsWindowVisible());

    hint.PopUpText(CWnd::FromHandle(anchor), "wrong");
    pump();
    CRect window;
    hint.GetWindowRect(&window);
    click(window.CenterPoint());
    pump();
    EXPECT_FALSE(hint.IsWindowVisible());
}

TEST_F(InfoWndTest, ShowingOrUnfocusedHintIgnoresANewText)
{
    CInfoWnd hint(0);
    ASSERT_TRUE(hint.Create(&parent));
    hint.PopUpText(CWnd::FromHandle(anchor), "first");
    hint.PopUpText(CWnd::FromHandle(anchor), "second");
    EXPECT_EQ(hint.text(), " first ");
    hint.ShowWindow(SW_HIDE);
    SetFocus(nullptr);
    hint.PopUpText(CWnd::FromHandle(anchor), "third");
    EXPECT_FALSE(hint.IsWindowVisible());
    EXPECT_EQ(hint.text(), " first ");
}

TEST_F(InfoWndTest, EveryHintShowsTheFirstColour)
{
    CInfoWnd hint(RGB(0, 255, 0));
    ASSERT_TRUE(hint.Create(&parent));
    hint.PopUpText(CWnd::FromHandle(anchor), "x");
    pump();
    CRect client;
    hint.GetClientRect(&client);
    // The right part of the hint holds no text.
    EXPECT_EQ(pixel(hint.m_hWnd, client.right - 5, client.Height() / 2), CSmartEdit::kHintColour);
}
