#include "station/controls/CDornoStaticHistogram.h"

#include "DrawingFixture.h"

namespace {

constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF bar = RGB(200, 30, 40);

class HistogramTest : public DrawingTest { };

// The height of the bar-coloured part of column x (counted from the bottom).
int bar_height(Canvas const& canvas, int x, int height)
{
    int n = 0;
    for (int y = 0; y < height; ++y)
        n += canvas.at(x, y) == bar;
    return n;
}

}

TEST_F(HistogramTest, RingHasOneSampleAColumnAndWraps)
{
    CDornoStaticHistogram h;
    ASSERT_TRUE(h.is_ready());
    EXPECT_EQ(h.ring_size(), 640);
    for (int i = 0; i < h.ring_size(); ++i)
        EXPECT_TRUE(h.PushSample(i + 1));
    EXPECT_EQ(h.position(), 0);
    EXPECT_EQ(h.sample(0), 640.0); // the oldest (0) was overwritten by the last push
    EXPECT_EQ(h.sample(1), 1.0);
    h.ForgetSamples();
    EXPECT_EQ(h.position(), 0);
    EXPECT_EQ(h.sample(1), 0.0);
}

TEST_F(HistogramTest, LabelCountIsClampedToTheLabelStrings)
{
    CDornoStaticHistogram h;
    EXPECT_TRUE(h.AdjustLabelCount(11));
    EXPECT_EQ(h.label_count(), 10);
    h.AdjustLabelCount(-1);
    EXPECT_EQ(h.label_count(), 0);
}

// Three labels in a 20-pixel strip: rows of 6 pixels, and the last 2 pixels stay black.
TEST_F(HistogramTest, LabelStripRows)
{
    CDornoStaticHistogram h;
    h.m_crBar = bar;
    for (int i = 0; i < 3; ++i)
        h.m_strLabels[i] = "WWW";
    h.AdjustLabelWidth(24);
    h.AdjustLabelCount(3);
    Canvas canvas(40, 20);
    h.paint(&canvas.dc, CRect(0, 0, 40, 20));
    for (int row = 0; row < 3; ++row) {
        int whites = 0;
        for (int y = row * 6; y < row * 6 + 6; ++y)
            for (int x = 0; x < 24; ++x)
                whites += canvas.at(x, y) == white;
        EXPECT_GT(whites, 0) << "row " << row;
    }
    for (int y = 18; y < 20; ++y)
        for (int x = 0; x < 24; ++x)
            EXPECT_EQ(canvas.at(x, y), black) << x << "," << y;
}

// Newest sample first, walking the ring backwards: 20 (over the ceiling: full height), -3
// (empty), 10 (full), 5 (half of H = 18).
TEST_F(HistogramTest, BarsWalkTheRingBackwards)
{
    CDornoStaticHistogram h;
    h.m_crBar = bar;
    h.AdjustLabelWidth(4);
    h.ChangeCeiling(10);
    for (double s : { 5.0, 10.0, -3.0, 20.0 })
        h.PushSample(s);
    Canvas canvas(15, 20);
    h.paint(&canvas.dc, CRect(0, 0, 15, 20));
    int const expected[] = { 18, 0, 18, 9, 0 };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bar_height(canvas, 4 + 2 * i, 20), expected[i]) << "bar " << i;
        EXPECT_EQ(bar_height(canvas, 5 + 2 * i, 20), expected[i]) << "bar " << i;
    }
    EXPECT_EQ(canvas.at(4, 0), black);
    EXPECT_EQ(canvas.at(4, 19), bar);
    // 11 plot pixels: bars start at 4, 6, 8, 10, 12; one at 14 would pass right - 2.
    EXPECT_EQ(canvas.at(14, 10), GetSysColor(COLOR_BTNFACE));
}

TEST_F(HistogramTest, CeilingZeroLeavesThePlotBlack)
{
    CDornoStaticHistogram h;
    h.m_crBar = bar;
    h.PushSample(1e300);
    h.ChangeCeiling(0);
    Canvas canvas(10, 10);
    h.paint(&canvas.dc, CRect(0, 0, 10, 10));
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(canvas.at(x, 9), black);
}

TEST_F(HistogramTest, NarrowerThanItsLabelsShowsOnlyLabels)
{
    CDornoStaticHistogram h;
    h.m_crBar = bar;
    h.AdjustLabelWidth(30);
    h.PushSample(1);
    Canvas canvas(10, 10);
    h.paint(&canvas.dc, CRect(0, 0, 10, 10));
    EXPECT_EQ(bar_height(canvas, 0, 10), 0);
    EXPECT_EQ(canvas.at(9, 9), black);
}

TEST_F(HistogramTest, PaintsAsAWindowAndErasesAfterAChange)
{
    make_parent();
    CDornoStaticHistogram h;
    h.m_crBar = bar;
    ASSERT_TRUE(h.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), &m_parent, 100));
    h.AdjustLabelWidth(0);
    h.ChangeCeiling(1);
    h.PushSample(1);
    platform::testing::pump_until_idle();
    EXPECT_EQ(pixel(h.m_hWnd, 0, 29), bar);
    EXPECT_EQ(pixel(h.m_hWnd, 0, 0), black);
    EXPECT_EQ(pixel(h.m_hWnd, 2, 29), black);
}
