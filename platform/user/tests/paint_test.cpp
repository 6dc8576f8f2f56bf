#include "CoreFixture.h"

#include "platform/user/Region.h"

using platform::testing::pump_until_idle;

namespace {

// Stands in for the drawing module: every paint gets a recognisable DC and records its clip.
struct RecordingPaint {
    static inline std::vector<std::pair<HWND, platform::Region>> begun;
    static void install()
    {
        begun.clear();
        platform::user::set_paint_hooks({
            [](HWND hwnd, platform::Region const& clip) {
                begun.emplace_back(hwnd, clip);
                return reinterpret_cast<HDC>(0x5000);
            },
            [](HWND, HDC) { },
            [](HDC, RECT const&, HBRUSH) { },
            nullptr,
        });
    }
};

}

class PaintTest : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        RecordingPaint::install();
    }
    void TearDown() override
    {
        platform::user::set_paint_hooks({});
        CoreTest::TearDown();
    }
};

TEST_F(PaintTest, PaintComesAfterPostedMessagesWithEraseFirst)
{
    HWND top = make_top("t", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 });
    pump_until_idle();
    log.clear();
    watch({ WM_PAINT, WM_ERASEBKGND, WM_APP });
    InvalidateRect(top, nullptr, TRUE);
    PostMessage(top, WM_APP, 0, 0);
    pump_until_idle();
    EXPECT_EQ(messages_of(top), (std::vector<UINT> { WM_APP, WM_PAINT, WM_ERASEBKGND }));
    log.clear();
    pump_until_idle();
    EXPECT_TRUE(log.empty()) << "a validated window does not paint again";
}

TEST_F(PaintTest, TheUpdateRegionCollectsInvalidatedRectangles)
{
    HWND top = make_top("t", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 });
    pump_until_idle();
    RecordingPaint::begun.clear();
    RECT a { 0, 0, 10, 10 }, b { 50, 50, 60, 70 }, outside { 200, 200, 300, 300 };
    InvalidateRect(top, &a, FALSE);
    InvalidateRect(top, &b, FALSE);
    InvalidateRect(top, &outside, FALSE);
    RECT bounds;
    EXPECT_TRUE(GetUpdateRect(top, &bounds, FALSE));
    EXPECT_EQ(bounds.right, 60);
    EXPECT_EQ(bounds.bottom, 70);
    pump_until_idle();
    ASSERT_EQ(RecordingPaint::begun.size(), 1u);
    platform::Region expected(a);
    expected.add(b);
    EXPECT_TRUE(RecordingPaint::begun[0].second == expected);
    EXPECT_FALSE(GetUpdateRect(top, &bounds, FALSE));
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnceAndHiddenWindowsWait)
{
    HWND top = make_top("t", WS_POPUP, { 0, 0, 100, 100 });
    watch({ WM_PAINT });
    InvalidateRect(top, nullptr, FALSE);
    pump_until_idle();
    UpdateWindow(top);
    EXPECT_EQ(count_of(top, WM_PAINT), 0) << "hidden windows do not paint";
    ShowWindow(top, SW_SHOW);
    UpdateWindow(top);
    EXPECT_EQ(count_of(top, WM_PAINT), 1);
}

TEST_F(PaintTest, ChildrenRepaintAfterAParentThatPaintsOverThem)
{
    HWND top = make_top("t", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 });
    HWND child = make_child(top, 1, { 10, 10, 30, 30 });
    pump_until_idle();
    watch({ WM_PAINT });
    InvalidateRect(top, nullptr, TRUE);
    pump_until_idle();
    EXPECT_EQ(messages_of(top).size(), 1u);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].hwnd, top);
    EXPECT_EQ(log[1].hwnd, child);

    // With WS_CLIPCHILDREN the parent leaves its children alone.
    SetWindowLong(top, GWL_STYLE, GetWindowLong(top, GWL_STYLE) | WS_CLIPCHILDREN);
    log.clear();
    InvalidateRect(top, nullptr, TRUE);
    pump_until_idle();
    EXPECT_EQ(count_of(child, WM_PAINT), 0);
    platform::Region visible = platform::user::visible_region(top, false);
    EXPECT_FALSE(visible.contains({ 15, 15 }));
    EXPECT_TRUE(visible.contains({ 5, 5 }));
}

TEST_F(PaintTest, HidingOrMovingAChildExposesTheParent)
{
    HWND top = make_top("t", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, { 0, 0, 100, 100 });
    HWND child = make_child(top, 1, { 10, 10, 30, 30 });
    pump_until_idle();
    RecordingPaint::begun.clear();
    ShowWindow(child, SW_HIDE);
    pump_until_idle();
    ASSERT_EQ(RecordingPaint::begun.size(), 1u);
    EXPECT_EQ(RecordingPaint::begun[0].first, top);
    EXPECT_TRUE(RecordingPaint::begun[0].second == platform::Region(RECT { 10, 10, 30, 30 }));

    ShowWindow(child, SW_SHOW);
    pump_until_idle();
    RecordingPaint::begun.clear();
    MoveWindow(child, 50, 50, 20, 20, TRUE);
    pump_until_idle();
    ASSERT_EQ(RecordingPaint::begun.size(), 2u);
    EXPECT_EQ(RecordingPaint::begun[0].first, top);
    EXPECT_EQ(RecordingPaint::begun[1].first, child);
}

TEST_F(PaintTest, RedrawWindowWithAllChildrenAndUpdateNowPaintsSynchronously)
{
    HWND top = make_top("t", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, { 0, 0, 100, 100 });
    HWND child = make_child(top, 1, { 10, 10, 30, 30 });
    pump_until_idle();
    watch({ WM_PAINT });
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(count_of(top, WM_PAINT), 1);
    EXPECT_EQ(count_of(child, WM_PAINT), 1);
}
