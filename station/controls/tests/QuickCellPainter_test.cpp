// Cell layout, the level bar's fill and the escaping of ampersands, without a window.
#include "station/controls/QuickCellPainter.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct LayoutCase {
    char const* name;
    void (*set)(QuickCellRequest&);
    SIZE image;
    RECT check_box; // {0,0,0,0}: none
    RECT image_rect;
    LONG text_left;
    RECT bar_inner;
};

}

// A cell 100 x 20 at (10, 40).
TEST(QuickCellLayout, PlacesCheckBoxImageTextAndBar)
{
    LayoutCase const cases[] = {
        { "plain text", [](QuickCellRequest&) { }, { 0, 0 }, {}, {}, 10, {} },
        { "check box at the left", [](QuickCellRequest& r) { r.m_bCheckBox = 1; }, { 0, 0 }, { 10, 40, 30, 60 }, {}, 30, {} },
        { "centred check box", [](QuickCellRequest& r) { r.m_bCheckBox = r.m_bCenterCheckBox = 1; }, { 0, 0 }, { 50, 40, 70, 60 }, {}, 70, {} },
        { "image one pixel in", [](QuickCellRequest&) { }, { 16, 16 }, {}, { 11, 42, 27, 58 }, 27, {} },
        { "image after the check box", [](QuickCellRequest& r) { r.m_bCheckBox = 1; }, { 16, 16 }, { 10, 40, 30, 60 }, { 30, 42, 46, 58 }, 46, {} },
        { "centred image", [](QuickCellRequest& r) { r.m_bCenterImage = 1; }, { 16, 16 }, {}, { 52, 42, 68, 58 }, 68, {} },
        { "tall image cut and kept at the top", [](QuickCellRequest&) { }, { 16, 30 }, {}, { 11, 40, 27, 60 }, 27, {} },
        { "bar with an edge", [](QuickCellRequest& r) { r.m_nBarMax = 10; }, { 0, 0 }, {}, {}, 10, { 13, 47, 106, 53 } },
        { "bar without an edge", [](QuickCellRequest& r) { r.m_nBarMax = 10; r.m_nBarEdge = 0; }, { 0, 0 }, {}, {}, 10, { 11, 45, 108, 55 } },
    };
    for (LayoutCase const& c : cases) {
        SCOPED_TRACE(c.name);
        QuickCellRequest request;
        c.set(request);
        QuickCellLayout const l = lay_out_quick_cell(CRect(10, 40, 110, 60), request, c.image);
        EXPECT_EQ(l.has_check_box, c.check_box.right != 0);
        if (l.has_check_box) {
            EXPECT_EQ(l.check_box, CRect(c.check_box));
        }
        EXPECT_EQ(l.has_image, c.image_rect.right != 0);
        if (l.has_image) {
            EXPECT_EQ(l.image, CRect(c.image_rect));
        }
        EXPECT_EQ(l.text, CRect(c.text_left, 40, 110, 60));
        EXPECT_EQ(l.has_bar, c.bar_inner.right != 0);
        if (l.has_bar) {
            EXPECT_EQ(l.bar_inner, CRect(c.bar_inner));
        }
    }
}

TEST(QuickCellRequest, ResetKeepsOnlyTheTipText)
{
    QuickCellRequest r;
    r.m_strText = "x";
    r.m_strTipText = "tip";
    r.m_bBold = 1;
    r.m_nBarMax = 5;
    r.m_crText = RGB(1, 2, 3);
    r.reset();
    EXPECT_TRUE(r.m_strText.IsEmpty());
    EXPECT_EQ(r.m_strTipText, "tip");
    EXPECT_EQ(r.m_bBold, 0);
    EXPECT_EQ(r.m_nBarMax, -1);
    EXPECT_EQ(r.m_crText, CLR_DEFAULT);
    EXPECT_EQ(r.m_nSelectedImageStyle, ILD_BLEND50);
    EXPECT_EQ(r.m_nBarEdge, EDGE_SUNKEN);
}

TEST(QuickCellPainter, BarFillIsProportionalAndSafeForLargeValues)
{
    EXPECT_EQ(quick_bar_fill(0, 100, 50), 0);
    EXPECT_EQ(quick_bar_fill(-3, 100, 50), 0);
    EXPECT_EQ(quick_bar_fill(50, 100, 50), 25);
    EXPECT_EQ(quick_bar_fill(100, 100, 50), 50);
    EXPECT_EQ(quick_bar_fill(500, 100, 50), 50);
    // value x width overflows 32 bits here.
    EXPECT_EQ(quick_bar_fill(INT_MAX / 2, INT_MAX - 1, 400), 200);
    EXPECT_EQ(quick_bar_fill(INT_MAX / 4, INT_MAX, 400), 99);
}

TEST(QuickCellPainter, AmpersandsAreDoubled)
{
    EXPECT_EQ(quick_escape_prefix("a&b"), "a&&b");
    EXPECT_EQ(quick_escape_prefix("&&"), "&&&&");
    EXPECT_EQ(quick_escape_prefix("none"), "none");
}
