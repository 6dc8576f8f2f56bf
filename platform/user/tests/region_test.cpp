#include "platform/user/Region.h"

#include <gtest/gtest.h>

using platform::Region;

TEST(Region, KeepsRectanglesDisjointAndFollowsTheEdgeRule)
{
    Region r(RECT { 0, 0, 10, 10 });
    r.add(RECT { 5, 5, 15, 15 });
    r.add(RECT { 20, 20, 20, 30 }); // empty: adds nothing
    int area = 0;
    for (RECT const& a : r.rects()) {
        area += (a.right - a.left) * (a.bottom - a.top);
        for (RECT const& b : r.rects()) {
            if (&a != &b) {
                EXPECT_TRUE(platform::rect_is_empty(platform::rect_intersection(a, b)));
            }
        }
    }
    EXPECT_EQ(area, 100 + 100 - 25);
    EXPECT_TRUE(r.contains({ 0, 0 }));
    EXPECT_FALSE(r.contains({ 10, 0 }));
    EXPECT_TRUE(r.contains({ 14, 14 }));
    EXPECT_FALSE(r.contains({ 15, 14 }));
    EXPECT_EQ(r.bounds().right, 15);
}

TEST(Region, SubtractIntersectAndOffset)
{
    Region r(RECT { 0, 0, 10, 10 });
    r.subtract(RECT { 2, 2, 4, 4 });
    EXPECT_FALSE(r.contains({ 3, 3 }));
    EXPECT_TRUE(r.contains({ 4, 4 }));
    r.intersect(RECT { 0, 0, 5, 5 });
    EXPECT_FALSE(r.contains({ 6, 1 }));
    r.offset(10, 0);
    EXPECT_TRUE(r.contains({ 10, 0 }));
    EXPECT_FALSE(r.contains({ 0, 0 }));
    Region same(RECT { 10, 0, 15, 5 });
    same.subtract(RECT { 12, 2, 14, 4 });
    EXPECT_TRUE(r == same);
}
