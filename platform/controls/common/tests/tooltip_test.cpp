#include "platform/controls/common/ToolHitTracker.h"
#include "platform/controls/common/ToolTip.h"
#include "platform/user/InputDriver.h"
#include "platform/user/tests/CoreFixture.h"

#include <cstring>
#include <string>

namespace {

using platform::testing::advance;
using platform::testing::pump_until_idle;

// A parent with one child control; the parent answers TTN_GETDISPINFO with `tip_text` and
// records the ids asked for. Relays of the parent's own mouse moves are switched on per test.
class ToolTipTest : public CoreTest {
protected:
    static inline std::string tip_text;
    static inline std::vector<UINT_PTR> asked;
    static inline std::function<void(NMTTDISPINFO&)> answer;
    static inline HWND relay_to {};

    void SetUp() override
    {
        CoreTest::SetUp();
        InitCommonControls();
        tip_text = "tip";
        asked.clear();
        answer = nullptr;
        relay_to = nullptr;
        handler = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> std::optional<LRESULT> {
            if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lparam)->code == TTN_NEEDTEXT) {
                auto* nm = reinterpret_cast<NMTTDISPINFO*>(lparam);
                asked.push_back(nm->hdr.idFrom);
                if (answer)
                    answer(*nm);
                else
                    std::snprintf(nm->szText, sizeof(nm->szText), "%s", tip_text.c_str());
                return TRUE;
            }
            if (relay_to && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
                MSG msg { hwnd, message, wparam, lparam, 0, {} };
                SendMessage(relay_to, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
            }
            return std::nullopt;
        };
        parent = make_top("parent", WS_POPUP | WS_VISIBLE, { 0, 0, 400, 300 });
        child = make_child(parent, 5, { 10, 10, 110, 40 });
        tip = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, 0, 0, 0, 0, 0, parent, nullptr, nullptr, nullptr);
        platform::user::input::reset();
        pump_until_idle();
    }

    void add_child_tool(UINT flags = TTF_IDISHWND | TTF_SUBCLASS, LPSTR text = LPSTR_TEXTCALLBACK)
    {
        TOOLINFO ti {};
        ti.cbSize = sizeof(ti);
        ti.uFlags = flags;
        ti.hwnd = parent;
        ti.uId = reinterpret_cast<UINT_PTR>(child);
        ti.lpszText = text;
        ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
    }

    static void move_to(int x, int y)
    {
        platform::user::input::move_mouse({ x, y });
        pump_until_idle();
    }
    // Off every tool, for as long as the tip takes to notice without relayed messages.
    static void move_away()
    {
        move_to(390, 290);
        advance(100);
    }

    bool shown() const { return IsWindowVisible(tip); }
    std::string shown_text() const
    {
        char text[256] {};
        GetWindowText(tip, text, sizeof(text));
        return text;
    }
    int delay(WPARAM which) const { return static_cast<int>(SendMessage(tip, TTM_GETDELAYTIME, which, 0)); }

    HWND parent {};
    HWND child {};
    HWND tip {};
};

TEST_F(ToolTipTest, HoverShowsTheCallbackTextAfterTheInitialDelayThenPops)
{
    add_child_tool();
    int initial = delay(TTDT_INITIAL);
    EXPECT_EQ(initial, static_cast<int>(GetDoubleClickTime()));
    EXPECT_EQ(delay(TTDT_AUTOPOP), initial * 10);
    move_to(20, 20);
    move_to(30, 25); // moves within the tool do not restart the wait
    advance(static_cast<std::uint64_t>(initial) - 1);
    EXPECT_FALSE(shown());
    advance(1);
    ASSERT_TRUE(shown());
    EXPECT_EQ(shown_text(), "tip");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], reinterpret_cast<UINT_PTR>(child)) << "the tool id of a TTF_IDISHWND tool is the window";
    EXPECT_EQ(GetActiveWindow(), parent) << "the tip never takes the activation";
    DWORD ex = static_cast<DWORD>(GetWindowLong(tip, GWL_EXSTYLE));
    EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE), WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE);
    RECT r {};
    GetWindowRect(tip, &r);
    EXPECT_EQ(r.top, 25 + 20) << "below the pointer";

    advance(static_cast<std::uint64_t>(delay(TTDT_AUTOPOP)));
    EXPECT_FALSE(shown()) << "auto-pop";
    advance(static_cast<std::uint64_t>(initial) * 3);
    EXPECT_FALSE(shown()) << "no second tip while the pointer stays on the tool";

    move_away(); // the cycle starts again
    move_to(20, 20);
    advance(static_cast<std::uint64_t>(initial));
    EXPECT_TRUE(shown());
}

TEST_F(ToolTipTest, LeavingTheToolOrPressingPopsTheTip)
{
    add_child_tool();
    move_to(20, 20);
    advance(static_cast<std::uint64_t>(delay(TTDT_INITIAL)));
    ASSERT_TRUE(shown());
    // The parent's moves are not relayed: the tip finds out from the pointer itself.
    move_to(200, 200);
    advance(100);
    EXPECT_FALSE(shown());

    move_to(20, 20);
    advance(static_cast<std::uint64_t>(delay(TTDT_INITIAL)));
    ASSERT_TRUE(shown());
    platform::user::input::press_mouse(platform::user::input::MouseButton::Left);
    platform::user::input::release_mouse(platform::user::input::MouseButton::Left);
    pump_until_idle();
    EXPECT_FALSE(shown());
    advance(static_cast<std::uint64_t>(delay(TTDT_INITIAL)) * 2);
    EXPECT_FALSE(shown()) << "after a press the tool shows nothing until the pointer leaves";
}

TEST_F(ToolTipTest, CallbackTextIsCutAndTerminatedAt79Characters)
{
    struct Case {
        char const* name;
        std::function<void(NMTTDISPINFO&)> answer;
        std::string expected;
    };
    static std::string const own(120, 'o');
    Case const cases[] = {
        { "unterminated szText", [](NMTTDISPINFO& nm) { std::memset(nm.szText, 'x', sizeof(nm.szText)); }, std::string(79, 'x') },
        { "exactly 79", [](NMTTDISPINFO& nm) { std::snprintf(nm.szText, sizeof(nm.szText), "%s", std::string(79, 'y').c_str()); }, std::string(79, 'y') },
        { "own text pointer", [](NMTTDISPINFO& nm) { nm.lpszText = const_cast<LPSTR>(own.c_str()); }, own },
        { "empty text shows no tip", [](NMTTDISPINFO&) {}, "" },
    };
    add_child_tool();
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        answer = c.answer;
        move_away();
        move_to(20, 20);
        advance(static_cast<std::uint64_t>(delay(TTDT_INITIAL)));
        EXPECT_EQ(shown(), !c.expected.empty());
        if (shown()) {
            EXPECT_EQ(shown_text(), c.expected);
        }
    }
}

TEST_F(ToolTipTest, RelayedMovesShowTipsOnlyWhileActive)
{
    TOOLINFO ti {};
    ti.cbSize = TTTOOLINFO_V1_SIZE; // the oldest record size is accepted
    ti.hwnd = parent;
    ti.uId = 1;
    ti.rect = { 200, 100, 300, 200 };
    ti.lpszText = const_cast<LPSTR>("plain text");
    ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    relay_to = tip;
    SendMessage(tip, TTM_ACTIVATE, FALSE, 0);
    move_to(250, 150);
    advance(static_cast<std::uint64_t>(delay(TTDT_INITIAL)) * 2);
    EXPECT_FALSE(shown()) << "inactive";
    SendMessage(tip, TTM_ACTIVATE, TRUE, 0);
    advance(static_cast<std::uint64_t>(delay(TTDT_INITIAL)));
    ASSERT_TRUE(shown()) << "activation starts the wait for the tool under the pointer";
    EXPECT_EQ(shown_text(), "plain text");
    EXPECT_TRUE(asked.empty());

    ti.lpszText = const_cast<LPSTR>("new text");
    SendMessage(tip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(shown_text(), "new text");
    move_to(150, 150); // relayed, on no tool
    EXPECT_FALSE(shown());
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 50);
    move_to(250, 150);
    advance(50);
    EXPECT_TRUE(shown());
    SendMessage(tip, TTM_ACTIVATE, FALSE, 0);
    EXPECT_FALSE(shown());
}

TEST_F(ToolTipTest, MovingStraightToAnotherToolWaitsOnlyTheReshowDelay)
{
    add_child_tool(TTF_IDISHWND | TTF_SUBCLASS, const_cast<LPSTR>("first"));
    HWND second = make_child(parent, 6, { 10, 50, 110, 80 });
    TOOLINFO ti {};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = parent;
    ti.uId = reinterpret_cast<UINT_PTR>(second);
    ti.lpszText = const_cast<LPSTR>("second");
    SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    move_to(20, 20);
    advance(static_cast<std::uint64_t>(delay(TTDT_INITIAL)));
    ASSERT_EQ(shown_text(), "first");
    move_to(20, 60);
    EXPECT_FALSE(shown());
    advance(static_cast<std::uint64_t>(delay(TTDT_RESHOW)));
    EXPECT_TRUE(shown());
    EXPECT_EQ(shown_text(), "second");
}

TEST_F(ToolTipTest, ToolInfoCopiesAtMost79CharactersAndDeletingRestoresTheWindow)
{
    auto const proc = GetWindowLongPtr(child, GWLP_WNDPROC);
    std::string const long_text(200, 'z');
    add_child_tool(TTF_IDISHWND | TTF_SUBCLASS, const_cast<LPSTR>(long_text.c_str()));
    EXPECT_NE(GetWindowLongPtr(child, GWLP_WNDPROC), proc);
    char buffer[100];
    std::memset(buffer, '#', sizeof(buffer));
    TOOLINFO ti {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = parent;
    ti.uId = reinterpret_cast<UINT_PTR>(child);
    ti.lpszText = buffer;
    ASSERT_TRUE(SendMessage(tip, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(std::string(buffer), std::string(79, 'z'));
    EXPECT_EQ(buffer[80], '#') << "nothing written past the 80 bytes";
    EXPECT_EQ(ti.uFlags, TTF_IDISHWND | TTF_SUBCLASS);
    ti.cbSize = 3;
    EXPECT_FALSE(SendMessage(tip, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&ti))) << "unknown record size";
    ti.cbSize = sizeof(ti);
    SendMessage(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    EXPECT_EQ(GetWindowLongPtr(child, GWLP_WNDPROC), proc);
}

TEST_F(ToolTipTest, AHandlerMayDestroyTheTipWhileItAsksForText)
{
    add_child_tool();
    HWND doomed = tip;
    answer = [doomed](NMTTDISPINFO& nm) {
        std::snprintf(nm.szText, sizeof(nm.szText), "gone");
        DestroyWindow(doomed);
    };
    move_to(20, 20);
    advance(static_cast<std::uint64_t>(GetDoubleClickTime()));
    EXPECT_FALSE(IsWindow(tip));
    move_to(30, 30); // the child's procedure is its own again
    EXPECT_EQ(asked.size(), 1u);
}

// The framework's per-window manager: a list-like window whose cells are tools of their own.
TEST_F(ToolTipTest, HitTrackerKeepsOneToolPerHitAndAsksForTheCellText)
{
    HWND list = make_child(parent, 8, { 0, 100, 300, 200 });
    platform::commctrl::ToolHitTracker tracker(list, [list](POINT pt, TOOLINFO& info) -> INT_PTR {
        if (pt.x >= 200)
            return -1;
        info.hwnd = list;
        info.uId = static_cast<UINT_PTR>(pt.x / 50 + 1);
        GetClientRect(list, &info.rect);
        info.lpszText = LPSTR_TEXTCALLBACK;
        return static_cast<INT_PTR>(info.uId);
    });
    std::vector<UINT_PTR> list_asked;
    handler = [&](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> std::optional<LRESULT> {
        if (hwnd == list && message == WM_NOTIFY) {
            auto* nm = reinterpret_cast<NMTTDISPINFO*>(lparam);
            list_asked.push_back(nm->hdr.idFrom);
            std::snprintf(nm->szText, sizeof(nm->szText), "cell %d", static_cast<int>(nm->hdr.idFrom));
            return TRUE;
        }
        if (hwnd == list && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
            tracker.filter(MSG { hwnd, message, wparam, lparam, 0, {} });
        return std::nullopt;
    };
    move_to(70, 150);
    ASSERT_NE(tracker.tip(), nullptr);
    int initial = static_cast<int>(SendMessage(tracker.tip(), TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    advance(static_cast<std::uint64_t>(initial));
    EXPECT_TRUE(IsWindowVisible(tracker.tip()));
    char text[32] {};
    GetWindowText(tracker.tip(), text, sizeof(text));
    EXPECT_STREQ(text, "cell 2");
    move_to(120, 150);
    EXPECT_EQ(SendMessage(tracker.tip(), TTM_GETTOOLCOUNT, 0, 0), 1);
    advance(static_cast<std::uint64_t>(SendMessage(tracker.tip(), TTM_GETDELAYTIME, TTDT_RESHOW, 0)));
    GetWindowText(tracker.tip(), text, sizeof(text));
    EXPECT_STREQ(text, "cell 3");
    EXPECT_EQ(list_asked, (std::vector<UINT_PTR> { 2, 3 }));
    move_to(250, 150);
    EXPECT_EQ(SendMessage(tracker.tip(), TTM_GETTOOLCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(tracker.tip()));
}

TEST_F(ToolTipTest, DefaultHitTestNamesTheChildUnderThePoint)
{
    TOOLINFO info {};
    info.cbSize = sizeof(info);
    EXPECT_EQ(platform::commctrl::child_tool_hit_test(parent, { 20, 20 }, info), 5);
    EXPECT_EQ(info.hwnd, parent);
    EXPECT_EQ(info.uId, reinterpret_cast<UINT_PTR>(child));
    EXPECT_EQ(info.uFlags, TTF_IDISHWND);
    EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACK);
    TOOLINFO none {};
    EXPECT_EQ(platform::commctrl::child_tool_hit_test(parent, { 200, 200 }, none), -1);
    ShowWindow(child, SW_HIDE);
    EXPECT_EQ(platform::commctrl::child_tool_hit_test(parent, { 20, 20 }, none), -1);
}

}

// A tracking tool shows at once where it was put, follows new positions, ignores the pointer
// and goes when tracking stops or the tool is deleted.
TEST_F(ToolTipTest, TrackingToolShowsAtItsPositionUntilTrackingStops)
{
    TOOLINFO ti {};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = parent;
    ti.uId = 7;
    ti.lpszText = const_cast<LPSTR>("tracked");
    ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
    auto top_left = [&] {
        RECT r {};
        GetWindowRect(tip, &r);
        return POINT { r.left, r.top };
    };

    SendMessage(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(50, 60));
    SendMessage(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    ASSERT_TRUE(shown());
    EXPECT_EQ(shown_text(), "tracked");
    EXPECT_EQ(top_left().x, 50);
    EXPECT_EQ(top_left().y, 60) << "TTF_ABSOLUTE: the corner at the point";
    SendMessage(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(70, 80));
    EXPECT_EQ(top_left().y, 80);

    // The pointer neither starts nor ends it.
    move_to(200, 200);
    advance(static_cast<std::uint64_t>(delay(TTDT_AUTOPOP)) * 2);
    EXPECT_TRUE(shown());
    ti.lpszText = const_cast<LPSTR>("changed");
    SendMessage(tip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(shown_text(), "changed");

    SendMessage(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    EXPECT_FALSE(shown());
    SendMessage(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    ASSERT_TRUE(shown());
    SendMessage(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_FALSE(shown()) << "deleting the tool ends its tip";

    // A tool without TTF_TRACK is not tracked.
    add_child_tool(TTF_IDISHWND);
    TOOLINFO plain {};
    plain.cbSize = sizeof(plain);
    plain.hwnd = parent;
    plain.uId = reinterpret_cast<UINT_PTR>(child);
    SendMessage(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&plain));
    EXPECT_FALSE(shown());
}
