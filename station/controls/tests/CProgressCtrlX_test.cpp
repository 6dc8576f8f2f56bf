#include "station/controls/CProgressCtrlX.h"

#include "DrawingFixture.h"

#include <string>

namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF yellow = RGB(255, 255, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

// Counts the position changes it is told about.
class CountingProgress : public CProgress {
public:
    void AfterPosChange(int) override { ++changes; }
    int changes {};
};

// Stands in for the standard controls' progress class when they are not linked in.
void ensure_progress_class()
{
    WNDCLASS existing {};
    if (GetClassInfo(nullptr, PROGRESS_CLASS, &existing))
        return;
    WNDCLASS wc {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.lpszClassName = PROGRESS_CLASS;
    RegisterClass(&wc);
}

class ProgressTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        ensure_progress_class();
        make_parent();
    }

    // A one-colour bar on a green background: red over the filled part.
    static void plain(CProgress& p)
    {
        p.SetColors(1, red);
        p.SetBkColor(green);
    }

    // Whether any pixel of `canvas` in columns [x0, x1) has `colour`.
    static bool any(Canvas const& canvas, int x0, int x1, int height, COLORREF colour)
    {
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < height; ++y)
                if (canvas.at(x, y) == colour)
                    return true;
        return false;
    }
};

}

TEST_F(ProgressTest, MessageTable)
{
    CProgressCtrlX bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &m_parent, 10));
    HWND const h = bar.m_hWnd;
    EXPECT_EQ(SendMessage(h, PBM_SETRANGE32, 0, 200), MAKELONG(0, 100));
    PBRANGE range {};
    EXPECT_EQ(SendMessage(h, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 0);
    EXPECT_EQ(SendMessage(h, PBM_GETRANGE, FALSE, 0), 200);
    EXPECT_EQ(range.iHigh, 200);
    EXPECT_EQ(SendMessage(h, PBM_SETPOS, 50, 0), 0);
    EXPECT_EQ(SendMessage(h, PBM_DELTAPOS, 10, 0), 50);
    EXPECT_EQ(SendMessage(h, PBM_SETSTEP, 5, 0), 10);
    EXPECT_EQ(SendMessage(h, PBM_STEPIT, 0, 0), 60);
    EXPECT_EQ(SendMessage(h, PBM_GETPOS, 0, 0), 65);
    // A narrower range clamps the position.
    EXPECT_EQ(SendMessage(h, PBM_SETRANGE, 0, MAKELPARAM(10, 50)), MAKELONG(0, 200));
    EXPECT_EQ(SendMessage(h, PBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(SendMessage(h, PBM_SETPOS, 5, 0), 50);
    EXPECT_EQ(SendMessage(h, PBM_GETPOS, 0, 0), 10);

    EXPECT_EQ(static_cast<COLORREF>(SendMessage(h, PBM_SETBARCOLOR, blue, red)), CLR_DEFAULT);
    EXPECT_EQ(bar.pegs(), (std::vector<COLORREF> { red, blue }));
    SendMessage(h, PBM_SETBARCOLOR, 0, red);
    EXPECT_EQ(bar.pegs(), (std::vector<COLORREF> { red, red }));

    EXPECT_TRUE(SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("%d percent")));
    EXPECT_EQ(SendMessage(h, WM_GETTEXTLENGTH, 0, 0), 10);
    char text[5] {};
    EXPECT_EQ(SendMessage(h, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_STREQ(text, "%d p");

    HFONT const font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(h, WM_GETFONT, 0, 0)), font);
}

TEST_F(ProgressTest, PositionChangesAreClampedAndReportedOnce)
{
    CountingProgress p;
    p.SetPos(150);
    EXPECT_EQ(p.GetPos(), 100);
    EXPECT_EQ(p.changes, 1);
    p.SetPos(100);
    EXPECT_EQ(p.changes, 1);
    p.SetRange(60, 20);
    int lower = 0, upper = 0;
    p.GetRange(lower, upper);
    EXPECT_EQ(lower, 20);
    EXPECT_EQ(upper, 60);
    EXPECT_EQ(p.GetPos(), 60);
    EXPECT_EQ(p.changes, 2);
}

TEST_F(ProgressTest, BarFillsFromItsStartEdge)
{
    struct Case {
        char const* name;
        DWORD style;
        int width, height;
        POINT filled, empty;
    };
    Case const cases[] = {
        { "horizontal", 0, 40, 10, { 5, 5 }, { 30, 5 } },
        { "reversed", PBS_REVERSE, 40, 10, { 30, 5 }, { 5, 5 } },
        { "vertical", PBS_VERTICAL, 10, 40, { 5, 30 }, { 5, 5 } },
        { "vertical reversed", PBS_VERTICAL | PBS_REVERSE, 10, 40, { 5, 5 }, { 5, 30 } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        CProgress p;
        plain(p);
        p.ModifyStyle(0xFFFFFFFF, c.style);
        p.SetPos(50);
        Canvas canvas(c.width, c.height);
        p.Draw(&canvas.dc, CRect(0, 0, c.width, c.height));
        EXPECT_EQ(canvas.at(c.filled.x, c.filled.y), red);
        EXPECT_EQ(canvas.at(c.empty.x, c.empty.y), green);
    }
}

TEST_F(ProgressTest, BordersShrinkTheBar)
{
    CProgress p;
    plain(p);
    p.SetBorders(CRect(2, 1, 2, 1));
    p.SetPos(100);
    Canvas canvas(20, 6);
    p.Draw(&canvas.dc, CRect(0, 0, 20, 6));
    EXPECT_EQ(canvas.at(1, 3), green);
    EXPECT_EQ(canvas.at(2, 3), red);
    EXPECT_EQ(canvas.at(17, 3), red);
    EXPECT_EQ(canvas.at(18, 3), green);
    EXPECT_EQ(canvas.at(5, 0), green);
}

// The caption is drawn in the background text colour over the empty part and in the bar
// text colour over the filled part.
TEST_F(ProgressTest, CaptionHasTwoColours)
{
    CProgress p;
    plain(p);
    p.ModifyStyle(0xFFFFFFFF, PBS_SHOW_PERCENT);
    p.SetTextColor(yellow, blue);
    p.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    p.SetPos(50);
    Canvas canvas(60, 20);
    p.Draw(&canvas.dc, CRect(0, 0, 60, 20));
    EXPECT_TRUE(any(canvas, 0, 30, 20, yellow));
    EXPECT_TRUE(any(canvas, 30, 60, 20, blue));
    EXPECT_FALSE(any(canvas, 0, 30, 20, blue));
    EXPECT_FALSE(any(canvas, 30, 60, 20, yellow));
}

TEST_F(ProgressTest, CaptionInTheBarIsDrawnOnceWhenItFits)
{
    CProgress p;
    plain(p);
    p.ModifyStyle(0xFFFFFFFF, PBS_SHOW_POSITION | PBS_TEXT_IN_BAR);
    p.SetTextColor(yellow, blue);
    p.SetPos(90);
    Canvas canvas(100, 20);
    p.Draw(&canvas.dc, CRect(0, 0, 100, 20));
    EXPECT_TRUE(any(canvas, 0, 90, 20, yellow));
    EXPECT_FALSE(any(canvas, 0, 100, 20, blue));
}

TEST_F(ProgressTest, NoCaptionWithoutFormatOrBits)
{
    CProgress p;
    plain(p);
    p.SetTextColor(yellow, blue);
    p.SetCaptionFormat("", PBS_SHOW_TEXTONLY);
    p.SetPos(50);
    EXPECT_EQ(p.GetStyle() & PBS_SHOW_TEXTONLY, 0u);
    p.ModifyStyle(0, PBS_SHOW_TEXTONLY); // a fixed text with an empty format: nothing
    Canvas canvas(60, 20);
    p.Draw(&canvas.dc, CRect(0, 0, 60, 20));
    EXPECT_FALSE(any(canvas, 0, 60, 20, yellow));
    EXPECT_FALSE(any(canvas, 0, 60, 20, blue));
}

TEST_F(ProgressTest, EqualBoundsDrawAnEmptyBarAndZeroPercent)
{
    CProgress p;
    plain(p);
    p.SetRange(5, 5);
    p.SetPos(5);
    p.ModifyStyle(0xFFFFFFFF, PBS_SHOW_PERCENT);
    CProgress::DrawInfo info { nullptr, p.GetStyle(), CRect(), p.GetPos(), 5, 5 };
    EXPECT_EQ(p.GetCaptionValue(info), 0);
    Canvas canvas(40, 10);
    p.Draw(&canvas.dc, CRect(0, 0, 40, 10));
    EXPECT_EQ(canvas.at(1, 1), green);
}

TEST_F(ProgressTest, CaptionFormatsTakeOneIntegerOnly)
{
    struct Case {
        char const* format;
        char const* expected;
    };
    Case const cases[] = {
        { "%d%%", "42%" }, { "%d", "42" }, { "%4d|", "  42|" }, { "%s and %n", "%s and %n" }, { "no value", "no value" },
        { "%", "%" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(std::string(CProgress::format_value(c.format, 42)), c.expected);
    }
}

// A 40-unit snake on 0..100 stepping by 10: it leaves at the upper end, then turns back.
TEST_F(ProgressTest, SnakeRunsOutAndTurnsBack)
{
    CProgress p;
    p.ModifyStyle(0xFFFFFFFF, PBS_SNAKE);
    for (int i = 0; i < 10; ++i)
        p.StepIt();
    EXPECT_EQ(p.GetPos(), 100);
    EXPECT_EQ(p.GetSnakeTail(), 60);
    p.StepIt();
    EXPECT_EQ(p.GetPos(), 100);
    EXPECT_EQ(p.GetSnakeTail(), 70);
    for (int i = 0; i < 3; ++i)
        p.StepIt();
    EXPECT_EQ(p.GetSnakeTail(), 100);
    EXPECT_EQ(p.GetStyle() & PBS_REVERSE, 0u);
    p.StepIt();
    EXPECT_NE(p.GetStyle() & PBS_REVERSE, 0u);
    EXPECT_EQ(p.GetPos(), 10);
    EXPECT_EQ(p.GetSnakeTail(), 0);
}

TEST_F(ProgressTest, SnakeDrawsOnlyTheBlock)
{
    CProgress p;
    plain(p);
    p.ModifyStyle(0xFFFFFFFF, PBS_SNAKE);
    p.SetPos(70); // tail 30
    Canvas canvas(100, 4);
    p.Draw(&canvas.dc, CRect(0, 0, 100, 4));
    EXPECT_EQ(canvas.at(29, 1), green);
    EXPECT_EQ(canvas.at(30, 1), red);
    EXPECT_EQ(canvas.at(69, 1), red);
    EXPECT_EQ(canvas.at(70, 1), green);
}

TEST_F(ProgressTest, TimersStepAndAnimateOnTheClock)
{
    CProgressCtrlX bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &m_parent, 10));
    bar.RunAnimation(55, 1);
    platform::testing::advance(54);
    EXPECT_EQ(bar.gradient_shift(), 0);
    platform::testing::advance(1);
    EXPECT_EQ(bar.gradient_shift(), 1);
    platform::testing::advance(55 * 99);
    EXPECT_EQ(bar.gradient_shift(), 0); // modulo the range of 100
    bar.StopAnimation();

    bar.SetTimer(CProgressCtrlX::TIMER_STEP, 100);
    platform::testing::advance(250);
    EXPECT_EQ(bar.GetPos(), 20);
    bar.KillTimer(CProgressCtrlX::TIMER_STEP);

    // A range stretched under one unit keeps the gradient still.
    bar.SetRange(0, 1);
    bar.SetStretch(0.5f);
    bar.RunAnimation(55, 1);
    platform::testing::advance(110);
    EXPECT_EQ(bar.gradient_shift(), 0);
}

TEST_F(ProgressTest, WindowPaintsThroughItsOwnDrawing)
{
    CProgressCtrlX bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 30), &m_parent, 10));
    plain(bar);
    bar.SetPos(25);
    platform::testing::pump_until_idle();
    EXPECT_EQ(pixel(bar.m_hWnd, 10, 10), red);
    EXPECT_EQ(pixel(bar.m_hWnd, 30, 10), green);
}
