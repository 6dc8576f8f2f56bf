#include "station/controls/CMemDC.h"

#include "DrawingFixture.h"

namespace {

class MemDCTest : public DrawingTest { };

}

// Drawing goes to the bitmap in the target's coordinates and reaches the target only when
// the memory DC is destroyed; only its rectangle is copied back.
TEST_F(MemDCTest, CopiesItsRectangleBackWhenDestroyed)
{
    Canvas canvas(20, 10);
    CRect const rect(5, 2, 15, 8);
    {
        CMemDC memory(&canvas.dc, &rect);
        EXPECT_TRUE(memory.is_memory());
        memory.FillSolidRect(0, 0, 20, 10, RGB(200, 0, 0));
        EXPECT_EQ(canvas.at(6, 3), RGB(1, 2, 3));
    }
    EXPECT_EQ(canvas.at(5, 2), RGB(200, 0, 0));
    EXPECT_EQ(canvas.at(14, 7), RGB(200, 0, 0));
    EXPECT_EQ(canvas.at(4, 2), RGB(1, 2, 3));
    EXPECT_EQ(canvas.at(15, 7), RGB(1, 2, 3));
}

TEST_F(MemDCTest, CopyScreenKeepsWhatItDoesNotDraw)
{
    Canvas canvas(10, 10);
    canvas.dc.SetPixel(3, 3, RGB(0, 0, 200));
    CRect const rect(0, 0, 10, 10);
    {
        CMemDC memory(&canvas.dc, &rect, true);
        memory.SetPixel(4, 4, RGB(0, 200, 0));
    }
    EXPECT_EQ(canvas.at(3, 3), RGB(0, 0, 200));
    EXPECT_EQ(canvas.at(4, 4), RGB(0, 200, 0));
}
