// Progress bar messages and the trackbar's key and mouse codes.
#include "ControlFixture.h"

#include "platform/controls/BarMessages.h"
#include "platform/controls/ControlPaint.h"

namespace in = platform::user::input;

namespace {

class BarsTest : public ControlTest {
protected:
    // (code, position) of every scroll message from the trackbar.
    static std::vector<std::pair<WORD, WORD>> scrolls(UINT message = WM_HSCROLL)
    {
        std::vector<std::pair<WORD, WORD>> result;
        for (auto const& e : events) {
            if (e.message == message)
                result.push_back({ LOWORD(e.wparam), HIWORD(e.wparam) });
        }
        return result;
    }
};

TEST_F(BarsTest, ProgressMessagesAnswerThePreviousValues)
{
    HWND p = make(PROGRESS_CLASS, "", 0, 1);
    EXPECT_EQ(SendMessage(p, PBM_SETRANGE, 0, MAKELPARAM(0, 50)), MAKELONG(0, 100));
    EXPECT_EQ(SendMessage(p, PBM_SETPOS, 70, 0), 0);
    EXPECT_EQ(SendMessage(p, PBM_GETPOS, 0, 0), 50); // clamped
    EXPECT_EQ(SendMessage(p, PBM_DELTAPOS, static_cast<WPARAM>(-20), 0), 50);
    EXPECT_EQ(SendMessage(p, PBM_SETSTEP, 15, 0), 10);
    EXPECT_EQ(SendMessage(p, PBM_STEPIT, 0, 0), 30);
    EXPECT_EQ(SendMessage(p, PBM_STEPIT, 0, 0), 45);
    EXPECT_EQ(SendMessage(p, PBM_GETPOS, 0, 0), 10); // wrapped past the end
    SendMessage(p, PBM_SETRANGE32, static_cast<WPARAM>(-5), 500);
    PBRANGE range {};
    EXPECT_EQ(SendMessage(p, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), -5);
    EXPECT_EQ(range.iHigh, 500);
    EXPECT_EQ(SendMessage(p, PBM_SETBARCOLOR, 0, RGB(0, 255, 0)), static_cast<LRESULT>(CLR_DEFAULT));
    EXPECT_TRUE(events.empty());
}

TEST_F(BarsTest, ProgressPaintsTheFilledPart)
{
    HWND p = make(PROGRESS_CLASS, "", PBS_SMOOTH, 1, { 10, 10, 112, 30 });
    SendMessage(p, PBM_SETBARCOLOR, 0, RGB(0, 255, 0));
    SendMessage(p, PBM_SETPOS, 50, 0);
    EXPECT_EQ(pixel_of(p, 1, 10), RGB(0, 255, 0));
    EXPECT_EQ(pixel_of(p, 50, 10), RGB(0, 255, 0));
    EXPECT_EQ(pixel_of(p, 52, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixel_of(p, 0, 0), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(BarsTest, TrackbarKeysSendTheirCodes)
{
    struct Case {
        int key;
        WORD code;
        LRESULT position;
    };
    constexpr Case cases[] = {
        { VK_RIGHT, TB_LINEDOWN, 132 }, { VK_LEFT, TB_LINEUP, 100 }, { VK_DOWN, TB_LINEDOWN, 132 },
        { VK_UP, TB_LINEUP, 100 }, { VK_NEXT, TB_PAGEDOWN, 356 }, { VK_PRIOR, TB_PAGEUP, 100 },
        { VK_HOME, TB_TOP, 0 }, { VK_LEFT, TB_LINEUP, 0 }, { VK_END, TB_BOTTOM, 2347 },
    };
    HWND t = make(TRACKBAR_CLASS, "", 0, 3, { 10, 10, 210, 40 });
    SendMessage(t, TBM_SETRANGE, TRUE, MAKELPARAM(0, 2347));
    SendMessage(t, TBM_SETLINESIZE, 0, 32);
    SendMessage(t, TBM_SETPAGESIZE, 0, 256);
    SendMessage(t, TBM_SETPOS, TRUE, 100);
    SetFocus(t);
    pump();
    for (auto const& c : cases) {
        SCOPED_TRACE(c.key);
        events.clear();
        in::tap_key(c.key);
        pump();
        auto got = scrolls();
        ASSERT_EQ(got.size(), 2u);
        EXPECT_EQ(got[0].first, c.code);
        EXPECT_EQ(got[1].first, TB_ENDTRACK);
        EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), c.position);
        EXPECT_EQ(events[0].lparam, reinterpret_cast<LPARAM>(t));
    }
}

// A disabled trackbar greys its thumb (its face checkered with the highlight colour) and its
// tics; enabled, the face is plain.
TEST_F(BarsTest, DisabledTrackbarGreysItsThumbAndTics)
{
    HWND t = make(TRACKBAR_CLASS, "", TBS_AUTOTICKS, 3, { 10, 10, 126, 40 });
    SendMessage(t, TBM_SETPOS, TRUE, 50);
    pump();
    RECT client;
    GetClientRect(t, &client);
    platform::controls::TrackbarLook const look { 0, 100, 50, false, 0, false, true };
    RECT const thumb = platform::controls::trackbar_thumb(client, look);
    int const x = (thumb.left + thumb.right) / 2;
    int const y = (thumb.top + thumb.bottom) / 2;
    COLORREF const face = GetSysColor(COLOR_BTNFACE);
    COLORREF const light = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(pixel_of(t, x, y), face);
    EXPECT_EQ(pixel_of(t, x + 1, y), face);
    EnableWindow(t, FALSE);
    pump();
    // One of two neighbours in a row is the highlight, the other the face.
    COLORREF const a = pixel_of(t, x, y);
    COLORREF const b = pixel_of(t, x + 1, y);
    EXPECT_TRUE((a == light && b == face) || (a == face && b == light)) << std::hex << a << " " << b;
    EXPECT_EQ(pixel_of(t, x, y + 1), b);
}

TEST_F(BarsTest, TrackbarMouseDragsTheThumbAndPagesOnTheChannel)
{
    HWND t = make(TRACKBAR_CLASS, "", TBS_AUTOTICKS, 3, { 10, 10, 126, 40 }); // channel 8..108
    pump();
    RECT client;
    GetClientRect(t, &client);
    platform::controls::TrackbarLook look { 0, 100, 0, false, 0, false, true };
    RECT thumb = platform::controls::trackbar_thumb(client, look);
    int y = (thumb.top + thumb.bottom) / 2;
    events.clear();
    in::move_mouse(at(t, (thumb.left + thumb.right) / 2, y));
    in::press_mouse(in::MouseButton::Left);
    in::move_mouse(at(t, 58, y));
    in::move_mouse(at(t, 300, y)); // beyond the end: clamped
    in::release_mouse(in::MouseButton::Left);
    pump();
    auto got = scrolls();
    ASSERT_EQ(got.size(), 4u);
    auto middle = static_cast<WORD>(platform::controls::trackbar_position_at(client, look, POINT { 58, y }));
    EXPECT_NEAR(middle, 50, 1);
    EXPECT_EQ(got[0], std::make_pair(TB_THUMBTRACK, middle));
    EXPECT_EQ(got[1], std::make_pair(TB_THUMBTRACK, WORD { 100 }));
    EXPECT_EQ(got[2], std::make_pair(TB_THUMBPOSITION, WORD { 100 }));
    EXPECT_EQ(got[3].first, TB_ENDTRACK);
    platform::testing::advance(1000);
    events.clear();
    in::click(at(t, 10, y)); // channel before the thumb
    pump();
    got = scrolls();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].first, TB_PAGEUP);
    EXPECT_EQ(got[1].first, TB_ENDTRACK);
    EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), 80);
}

TEST_F(BarsTest, VerticalTrackbarSendsVScrollAndSetPosIsSilent)
{
    HWND t = make(TRACKBAR_CLASS, "", TBS_VERT, 4, { 10, 10, 40, 110 });
    SendMessage(t, TBM_SETPOS, TRUE, 40);
    SendMessage(t, TBM_SETRANGEMAX, TRUE, 30);
    EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), 30);
    EXPECT_TRUE(events.empty());
    SetFocus(t);
    in::tap_key(VK_UP);
    pump();
    EXPECT_EQ(scrolls(WM_VSCROLL).size(), 2u);
    EXPECT_TRUE(scrolls(WM_HSCROLL).empty());
}

}
