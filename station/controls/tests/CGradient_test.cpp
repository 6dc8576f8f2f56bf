#include "station/controls/CGradient.h"

#include "DrawingFixture.h"

#include <vector>

namespace {

using Bands = std::vector<std::pair<COLORREF, int>>;

Bands flat(GradBands const& bands)
{
    Bands out;
    for (CGradElement const& b : bands)
        out.emplace_back(b.colour, b.length);
    return out;
}

class GradientTest : public DrawingTest { };

}

// Band k of n spans k * length / n .. (k + 1) * length / n and takes k / n of each
// component difference, truncated toward zero.
TEST_F(GradientTest, BlendBandsTable)
{
    struct Case {
        char const* name;
        COLORREF from, to;
        int length, start, end, max;
        Bands expected;
    };
    Case const cases[] = {
        { "four steps over ten pixels", RGB(0, 0, 0), RGB(4, 0, 0), 10, 0, 10, CGradient::UNLIMITED,
            { { RGB(0, 0, 0), 2 }, { RGB(1, 0, 0), 3 }, { RGB(2, 0, 0), 2 }, { RGB(3, 0, 0), 3 } } },
        { "cut to 3..8", RGB(0, 0, 0), RGB(4, 0, 0), 10, 3, 8, CGradient::UNLIMITED,
            { { RGB(1, 0, 0), 2 }, { RGB(2, 0, 0), 2 }, { RGB(3, 0, 0), 1 } } },
        { "band limit", RGB(0, 0, 0), RGB(0, 255, 0), 9, 0, 9, 3,
            { { RGB(0, 0, 0), 3 }, { RGB(0, 85, 0), 3 }, { RGB(0, 170, 0), 3 } } },
        { "falling component truncates toward zero", RGB(0, 0, 10), RGB(0, 0, 0), 9, 0, 9, 3,
            { { RGB(0, 0, 10), 3 }, { RGB(0, 0, 7), 3 }, { RGB(0, 0, 4), 3 } } },
        { "fewer pixels than steps", RGB(0, 0, 0), RGB(100, 0, 0), 4, 0, 4, CGradient::UNLIMITED,
            { { RGB(0, 0, 0), 1 }, { RGB(25, 0, 0), 1 }, { RGB(50, 0, 0), 1 }, { RGB(75, 0, 0), 1 } } },
        { "equal colours are one band", RGB(9, 9, 9), RGB(9, 9, 9), 5, 0, 5, CGradient::UNLIMITED,
            { { RGB(9, 9, 9), 5 } } },
        { "empty segment", RGB(0, 0, 0), RGB(9, 0, 0), 0, 0, 0, CGradient::UNLIMITED, {} },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        CGradient g;
        GradBands out;
        g.BlendBands(out, c.from, c.to, c.length, c.start, c.end, c.max);
        EXPECT_EQ(flat(out), c.expected);
    }
}

TEST_F(GradientTest, LayOutBandsSplitsSegmentsByShare)
{
    CGradient g;
    g.SetColors(3, RGB(0, 0, 0), RGB(2, 0, 0), RGB(0, 0, 0));
    ASSERT_EQ(g.segment_sizes(), (std::vector<double> { 50.0, 50.0 }));
    // 7 pixels: the first segment ends at 7 x 50 / 100 = 3, the last at exactly 7.
    EXPECT_EQ(flat(g.LayOutBands(7, 0, -1, CGradient::UNLIMITED)),
        (Bands { { RGB(0, 0, 0), 1 }, { RGB(1, 0, 0), 2 }, { RGB(2, 0, 0), 2 }, { RGB(1, 0, 0), 2 } }));
    // The band limit is shared among the segments.
    EXPECT_EQ(g.LayOutBands(100, 0, -1, 2).size(), 2u);
    EXPECT_EQ(flat(g.LayOutBands(7, 4, 6, CGradient::UNLIMITED)), (Bands { { RGB(2, 0, 0), 1 }, { RGB(1, 0, 0), 1 } }));
}

TEST_F(GradientTest, OnePegIsOneBandAndNoPegsDrawNothing)
{
    CGradient one;
    one.SetColors(1, RGB(7, 8, 9));
    EXPECT_EQ(flat(one.LayOutBands(50, 10, -1, CGradient::UNLIMITED)), (Bands { { RGB(7, 8, 9), 40 } }));
    EXPECT_EQ(flat(one.LayOutShiftedBands(13, 50, 0, 20, CGradient::UNLIMITED)), (Bands { { RGB(7, 8, 9), 20 } }));

    CGradient none;
    none.SetColors(0);
    EXPECT_TRUE(none.LayOutBands(50, 0, -1, CGradient::UNLIMITED).empty());
    EXPECT_TRUE(none.LayOutShiftedBands(5, 50, 0, -1, CGradient::UNLIMITED).empty());
    Canvas canvas(10, 1);
    none.Draw(&canvas.dc, CRect(0, 0, 10, 1), 0, -1, 0);
    EXPECT_EQ(canvas.at(5, 0), RGB(1, 2, 3));
}

TEST_F(GradientTest, ShiftMovesTheTailToTheFront)
{
    CGradient g;
    g.SetColors(2, RGB(0, 0, 0), RGB(4, 0, 0)); // 8 pixels: four bands of 2
    Bands const shifted { { RGB(2, 0, 0), 1 }, { RGB(3, 0, 0), 2 }, { RGB(0, 0, 0), 2 }, { RGB(1, 0, 0), 2 },
        { RGB(2, 0, 0), 1 } };
    EXPECT_EQ(flat(g.LayOutShiftedBands(3, 8, 0, -1, CGradient::UNLIMITED)), shifted);
    EXPECT_EQ(flat(g.LayOutShiftedBands(-5, 8, 0, -1, CGradient::UNLIMITED)), shifted);
    EXPECT_EQ(flat(g.LayOutShiftedBands(8, 8, 0, -1, CGradient::UNLIMITED)), flat(g.LayOutBands(8, 0, -1, CGradient::UNLIMITED)));
    EXPECT_EQ(flat(g.LayOutShiftedBands(3, 8, 2, 5, CGradient::UNLIMITED)), (Bands { { RGB(3, 0, 0), 1 }, { RGB(0, 0, 0), 2 } }));
    EXPECT_TRUE(g.LayOutShiftedBands(3, 0, 0, -1, CGradient::UNLIMITED).empty());
}

TEST_F(GradientTest, DirectionsPaintFromTheirOwnEdge)
{
    struct Case {
        char const* name;
        int direction;
        CRect rect;
        POINT first, last; // the pixels of the first and the last band
    };
    Case const cases[] = {
        { "left to right", 0, CRect(0, 0, 8, 1), { 0, 0 }, { 7, 0 } },
        { "right to left", 1, CRect(0, 0, 8, 1), { 7, 0 }, { 0, 0 } },
        { "top to bottom", 2, CRect(0, 0, 1, 8), { 0, 0 }, { 0, 7 } },
        { "bottom to top", 3, CRect(0, 0, 1, 8), { 0, 7 }, { 0, 0 } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(8, 8);
        CGradient g;
        g.SetColors(2, RGB(0, 0, 0), RGB(4, 0, 0));
        g.SetDirection(c.direction);
        g.Draw(&canvas.dc, c.rect, 0, -1, 0);
        EXPECT_EQ(canvas.at(c.first.x, c.first.y), RGB(0, 0, 0));
        EXPECT_EQ(canvas.at(c.last.x, c.last.y), RGB(3, 0, 0));
    }
}

TEST_F(GradientTest, ThreePegsAreLightestInTheMiddle)
{
    Canvas canvas(100, 1);
    CGradient g;
    g.SetColors(3, RGB(0, 255, 0), RGB(0xA6, 0xCA, 0xF0), RGB(0, 255, 0));
    g.Draw(&canvas.dc, CRect(0, 0, 100, 1), 0, -1, 0);
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.at(50, 0), RGB(0xA6, 0xCA, 0xF0));
    EXPECT_GT(GetRValue(canvas.at(50, 0)), GetRValue(canvas.at(25, 0)));
    EXPECT_GT(GetRValue(canvas.at(25, 0)), GetRValue(canvas.at(1, 0)));
    EXPECT_LT(GetRValue(canvas.at(99, 0)), 10);
}

TEST_F(GradientTest, StretchPaintsThePartOfALongerGradient)
{
    Canvas canvas(4, 1);
    CGradient g;
    g.SetColors(2, RGB(0, 0, 0), RGB(8, 0, 0)); // 8 pixels of one step each
    g.SetStretch(2.0f);
    g.Draw(&canvas.dc, CRect(0, 0, 4, 1), 0, -1, 0);
    EXPECT_EQ(canvas.at(3, 0), RGB(3, 0, 0));
}

TEST_F(GradientTest, PaletteDeviceLimitsBandsAndBuildsAPalette)
{
    platform::gdi::testing::use_palette_device(true);
    Canvas canvas(300, 1);
    CGradient g;
    g.SetColors(2, RGB(0, 0, 0), RGB(255, 255, 255));
    g.SetUsePalette(TRUE);
    g.Draw(&canvas.dc, CRect(0, 0, 300, 1), 0, -1, 0);
    ASSERT_NE(g.palette(), nullptr);
    PALETTEENTRY entries[300] {};
    UINT const count = GetPaletteEntries(g.palette(), 0, 300, entries);
    EXPECT_LE(count, 236u);
    EXPECT_GE(count, 200u);
    EXPECT_EQ(g.LayOutShiftedBands(0, 300, 0, -1, CGradient::PALETTE_BANDS).size(), 236u);
    // New pegs throw the palette away.
    g.SetColors(1, RGB(1, 1, 1));
    PALETTEENTRY one {};
    EXPECT_EQ(GetPaletteEntries(g.palette(), 0, 1, &one), 1u);
}
