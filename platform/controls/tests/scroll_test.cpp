// Scroll bars: the range rules, the control's mouse codes, and the bars of WS_VSCROLL /
// WS_HSCROLL windows (room in the window, hit-testing, mouse, drawing).
#include "ControlFixture.h"

#include "platform/controls/ScrollBar.h"
#include "platform/gdi/WindowSurfaces.h"

namespace in = platform::user::input;
using platform::controls::ScrollState;

namespace {

class ScrollTest : public ControlTest {
protected:
    static std::vector<std::pair<WORD, WORD>> scrolls(UINT message)
    {
        std::vector<std::pair<WORD, WORD>> result;
        for (auto const& e : events) {
            if (e.message == message)
                result.push_back({ LOWORD(e.wparam), HIWORD(e.wparam) });
        }
        return result;
    }
};

TEST(ScrollState, KeepsPageAndPositionInsideTheRange)
{
    struct Case {
        char const* name;
        SCROLLINFO info;
        int page;
        int position;
    };
    const Case cases[] = {
        { "position past the last page", { sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 95, 0 }, 10, 90 },
        { "position before the minimum", { sizeof(SCROLLINFO), SIF_ALL, 5, 20, 0, -3, 0 }, 0, 5 },
        { "page larger than the range", { sizeof(SCROLLINFO), SIF_ALL, 0, 9, 50, 4, 0 }, 10, 0 },
        { "empty range", { sizeof(SCROLLINFO), SIF_ALL, 10, 0, 5, 7, 0 }, 0, 10 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollState s;
        s.apply(c.info);
        EXPECT_EQ(s.page, c.page);
        EXPECT_EQ(s.position, c.position);
    }
}

TEST_F(ScrollTest, ControlAnswersScrollInfoAndNeverNotifiesOnMessages)
{
    HWND bar = make("ScrollBar", "", SBS_VERT, 7, { 10, 10, 26, 210 });
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_ALL, 0, 199, 20, 50, 0 };
    EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, TRUE), 50);
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 500, TRUE), 50);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 180);
    int min = -1, max = -1;
    EXPECT_TRUE(GetScrollRange(bar, SB_CTL, &min, &max));
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 199);
    EXPECT_TRUE(events.empty());
}

TEST_F(ScrollTest, ControlMouseCodesFollowTheTable)
{
    HWND bar = make("ScrollBar", "", SBS_VERT, 7, { 10, 10, 26, 210 });
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 0, 0 };
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    struct Case {
        char const* name;
        int y;
        WORD code;
    };
    const Case cases[] = {
        { "up arrow", 5, SB_LINEUP },
        { "down arrow", 195, SB_LINEDOWN },
        { "track below the thumb", 150, SB_PAGEDOWN },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        in::click(at(bar, 8, c.y));
        pump();
        auto got = scrolls(WM_VSCROLL);
        ASSERT_EQ(got.size(), 2u);
        EXPECT_EQ(got[0].first, c.code);
        EXPECT_EQ(got[1].first, SB_ENDSCROLL);
        EXPECT_EQ(events[0].lparam, reinterpret_cast<LPARAM>(bar));
    }
}

TEST_F(ScrollTest, ThumbDragSendsTrackThenPositionAndEnd)
{
    HWND bar = make("ScrollBar", "", SBS_HORZ, 7, { 10, 10, 226, 26 });
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 0, 0 };
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    in::move_mouse(at(bar, 20, 8));
    in::press_mouse(in::MouseButton::Left);
    in::move_mouse(at(bar, 400, 8)); // far past the end: the last position
    in::release_mouse(in::MouseButton::Left);
    pump();
    auto got = scrolls(WM_HSCROLL);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], std::make_pair(SB_THUMBTRACK, WORD { 90 }));
    EXPECT_EQ(got[1], std::make_pair(SB_THUMBPOSITION, WORD { 90 }));
    EXPECT_EQ(got[2].first, SB_ENDSCROLL);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0); // the owner moves it, not the bar
}

TEST_F(ScrollTest, WindowBarsTakeRoomAndAnswerHitTests)
{
    HWND w = make("ControlTestParent", "", WS_VSCROLL | WS_HSCROLL | WS_BORDER, 9, { 10, 10, 110, 90 });
    RECT c {};
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 100 - 2 - 16);
    EXPECT_EQ(c.bottom, 80 - 2 - 16);
    RECT r {};
    GetWindowRect(w, &r);
    auto hit = [&](int x, int y) { return SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y)); };
    EXPECT_EQ(hit(90, 20), HTVSCROLL);
    EXPECT_EQ(hit(20, 70), HTHSCROLL);
    EXPECT_EQ(hit(20, 20), HTCLIENT);
    ShowScrollBar(w, SB_VERT, FALSE);
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 98);
}

TEST_F(ScrollTest, WindowBarMouseSendsScrollMessagesWithoutControl)
{
    HWND w = make("ControlTestParent", "", WS_VSCROLL, 9, { 10, 10, 110, 210 });
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 0, 0 };
    SetScrollInfo(w, SB_VERT, &info, TRUE);
    RECT r {};
    GetWindowRect(w, &r);
    in::click(POINT { r.left + 92, r.bottom - 5 });
    pump();
    auto got = scrolls(WM_VSCROLL);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].first, SB_LINEDOWN);
    EXPECT_EQ(got[1].first, SB_ENDSCROLL);
    EXPECT_EQ(events.back().lparam, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    // A press on the thumb and a drag: the mouse stays with the bar until the release.
    events.clear();
    in::move_mouse(POINT { r.left + 92, r.top + 20 });
    in::press_mouse(in::MouseButton::Left);
    in::move_mouse(POINT { r.left + 10, r.bottom + 100 });
    in::release_mouse(in::MouseButton::Left);
    pump();
    got = scrolls(WM_VSCROLL);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], std::make_pair(SB_THUMBTRACK, WORD { 90 }));
    EXPECT_EQ(got[1], std::make_pair(SB_THUMBPOSITION, WORD { 90 }));
    EXPECT_EQ(count(WM_COMMAND), 0);
}

TEST_F(ScrollTest, WindowBarIsDrawnThroughTheWindowDc)
{
    HWND w = make("ControlTestParent", "", WS_VSCROLL, 9, { 10, 10, 110, 210 });
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 0, 0 };
    SetScrollInfo(w, SB_VERT, &info, TRUE);
    UpdateWindow(w);
    pump();
    POINT track { 10 + 84 + 8, 10 + 150 }; // below the thumb, in the parent's surface
    EXPECT_EQ(platform::gdi::window_pixel(parent, track.x, track.y), GetSysColor(COLOR_SCROLLBAR));
}

}
