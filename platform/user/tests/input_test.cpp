// Injected input: routing by hit-testing and capture, disabled windows, double clicks,
// mouse-leave tracking, activation, the keyboard with TranslateMessage, the message filter,
// the key state and the clipboard.
#include "CoreFixture.h"

#include "platform/user/InputDriver.h"

using namespace platform::user;
namespace in = platform::user::input;

namespace {

class InputTest : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        top = make_top("top", WS_POPUP | WS_VISIBLE, { 100, 100, 300, 200 });
        child = make_child(top, 7, { 10, 10, 60, 40 });
        platform::testing::pump_until_idle();
    }

    static std::vector<Received> of(std::vector<UINT> const& messages)
    {
        std::vector<Received> result;
        for (auto const& r : log) {
            if (std::find(messages.begin(), messages.end(), r.message) != messages.end())
                result.push_back(r);
        }
        return result;
    }

    HWND top {};
    HWND child {};
};

TEST_F(InputTest, ClickGoesToTheChildUnderThePointerInClientCoordinates)
{
    watch({ WM_SETCURSOR, WM_MOUSEACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP });
    in::click({ 115, 112 });
    platform::testing::pump_until_idle();
    auto got = of({ WM_LBUTTONDOWN, WM_LBUTTONUP });
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].hwnd, child);
    EXPECT_EQ(got[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(got[0].wparam, MK_LBUTTON);
    EXPECT_EQ(GET_X_LPARAM(got[0].lparam), 5);
    EXPECT_EQ(GET_Y_LPARAM(got[0].lparam), 2);
    EXPECT_EQ(got[1].wparam, 0u);
    EXPECT_EQ(count_of(child, WM_SETCURSOR), 2); // the move and the press
}

TEST_F(InputTest, TransparentHitPassesToTheWindowBelow)
{
    handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == child && message == WM_NCHITTEST)
            return HTTRANSPARENT;
        return std::nullopt;
    };
    watch({ WM_LBUTTONDOWN });
    in::click({ 115, 112 });
    platform::testing::pump_until_idle();
    EXPECT_EQ(count_of(child, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(count_of(top, WM_LBUTTONDOWN), 1);
}

TEST_F(InputTest, CaptureTakesMovesOutsideAndReleaseEndsIt)
{
    handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == child && message == WM_LBUTTONDOWN)
            SetCapture(hwnd);
        if (hwnd == child && message == WM_LBUTTONUP)
            ReleaseCapture();
        return std::nullopt;
    };
    watch({ WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED });
    in::move_mouse({ 115, 112 });
    in::press_mouse(in::MouseButton::Left);
    in::move_mouse({ 250, 180 });
    in::release_mouse(in::MouseButton::Left);
    in::move_mouse({ 251, 180 });
    platform::testing::pump_until_idle();
    auto moves = of({ WM_MOUSEMOVE });
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[1].hwnd, child);
    EXPECT_EQ(GET_X_LPARAM(moves[1].lparam), 140);
    EXPECT_EQ(moves[1].wparam, MK_LBUTTON);
    EXPECT_EQ(moves[2].hwnd, top);
    EXPECT_EQ(count_of(child, WM_LBUTTONUP), 1);
    EXPECT_EQ(count_of(child, WM_CAPTURECHANGED), 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, DisabledWindowDropsTheClickAndBeeps)
{
    EnableWindow(child, FALSE);
    reset_beep_count();
    watch({ WM_LBUTTONDOWN, WM_LBUTTONUP, WM_SETCURSOR });
    in::click({ 115, 112 });
    platform::testing::pump_until_idle();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(beep_count(), 1);
}

TEST_F(InputTest, DoubleClickNeedsTheClassStyleTheTimeAndThePlace)
{
    struct Case {
        char const* name;
        std::uint64_t gap_ms;
        int dx;
        UINT second;
    };
    constexpr Case cases[] = {
        { "quick, same place", 100, 0, WM_LBUTTONDBLCLK },
        { "at the time limit", 500, 2, WM_LBUTTONDBLCLK },
        { "too slow", 501, 0, WM_LBUTTONDOWN },
        { "too far", 100, 3, WM_LBUTTONDOWN },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        in::reset();
        watch({ WM_LBUTTONDOWN, WM_LBUTTONDBLCLK });
        in::click({ 115, 112 });
        platform::testing::advance(c.gap_ms);
        in::click({ 115 + c.dx, 112 });
        platform::testing::pump_until_idle();
        auto got = of({ WM_LBUTTONDOWN, WM_LBUTTONDBLCLK });
        ASSERT_EQ(got.size(), 2u);
        EXPECT_EQ(got[0].message, WM_LBUTTONDOWN);
        EXPECT_EQ(got[1].message, c.second);
        platform::testing::advance(1000);
    }
    // A third quick click starts a new pair.
    watch({ WM_LBUTTONDOWN, WM_LBUTTONDBLCLK });
    for (int i = 0; i < 3; ++i)
        in::click({ 115, 112 });
    platform::testing::pump_until_idle();
    EXPECT_EQ(messages_of(child), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN }));
}

TEST_F(InputTest, MouseLeaveComesOnceAndMustBeAskedAgain)
{
    watch({ WM_MOUSELEAVE });
    in::move_mouse({ 115, 112 });
    platform::testing::pump_until_idle();
    TRACKMOUSEEVENT track { sizeof(TRACKMOUSEEVENT), TME_LEAVE, child, HOVER_DEFAULT };
    ASSERT_TRUE(TrackMouseEvent(&track));
    in::move_mouse({ 116, 112 });
    in::move_mouse({ 200, 180 });
    in::move_mouse({ 115, 112 });
    in::move_mouse({ 200, 180 });
    platform::testing::pump_until_idle();
    EXPECT_EQ(count_of(child, WM_MOUSELEAVE), 1);
    // Asked while the pointer is outside: at once.
    ASSERT_TRUE(TrackMouseEvent(&track));
    platform::testing::pump_until_idle();
    EXPECT_EQ(count_of(child, WM_MOUSELEAVE), 2);
}

TEST_F(InputTest, PressInAnInactiveWindowActivatesOrIsEaten)
{
    HWND other = make_top("other", WS_POPUP | WS_VISIBLE, { 400, 100, 500, 200 });
    platform::testing::pump_until_idle();
    ASSERT_EQ(GetActiveWindow(), other);
    watch({ WM_LBUTTONDOWN, WM_MOUSEACTIVATE });
    in::click({ 150, 150 });
    platform::testing::pump_until_idle();
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(count_of(top, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(count_of(top, WM_MOUSEACTIVATE), 1);

    handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == other && message == WM_MOUSEACTIVATE)
            return MA_NOACTIVATEANDEAT;
        return std::nullopt;
    };
    in::click({ 450, 150 });
    platform::testing::pump_until_idle();
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(count_of(other, WM_LBUTTONDOWN), 0);
}

TEST_F(InputTest, KeysGoToTheFocusWithCharactersBetweenDownAndUp)
{
    SetFocus(child);
    watch({ WM_KEYDOWN, WM_CHAR, WM_KEYUP });
    ASSERT_TRUE(in::type_text("aB!"));
    platform::testing::pump_until_idle();
    std::vector<WPARAM> chars;
    for (auto const& r : of({ WM_CHAR }))
        chars.push_back(r.wparam);
    EXPECT_EQ(chars, (std::vector<WPARAM> { 'a', 'B', '!' }));
    auto first = of({ WM_KEYDOWN, WM_CHAR, WM_KEYUP });
    ASSERT_GE(first.size(), 3u);
    EXPECT_EQ(first[0].message, WM_KEYDOWN);
    EXPECT_EQ(first[0].wparam, static_cast<WPARAM>('A'));
    EXPECT_EQ(first[1].message, WM_CHAR);
    EXPECT_EQ(first[2].message, WM_KEYUP);
    EXPECT_FALSE(in::type_text("\x80"));
}

TEST_F(InputTest, TranslationFollowsTheModifierKeys)
{
    struct Case {
        char const* name;
        int modifier;
        int key;
        int expected; // -1: no character
    };
    constexpr Case cases[] = {
        { "Ctrl+V", VK_CONTROL, 'V', 0x16 },
        { "Shift+digit", VK_SHIFT, '2', '@' },
        { "OEM key", 0, VK_OEM_1, ';' },
        { "Shift+OEM key", VK_SHIFT, VK_OEM_7, '"' },
        { "Backspace", 0, VK_BACK, 8 },
        { "arrow", 0, VK_LEFT, -1 },
    };
    SetFocus(child);
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        watch({ WM_CHAR });
        if (c.modifier)
            in::press_key(c.modifier);
        in::tap_key(c.key);
        if (c.modifier)
            in::release_key(c.modifier);
        platform::testing::pump_until_idle();
        if (c.expected < 0) {
            EXPECT_TRUE(log.empty());
        } else {
            ASSERT_EQ(log.size(), 1u);
            EXPECT_EQ(log[0].wparam, static_cast<WPARAM>(c.expected));
        }
    }
}

// Entered text waits in the input queue with the key strokes: each byte reaches the window
// that has the focus when the loop gets to it, after what was typed before.
TEST_F(InputTest, EnteredTextKeepsItsPlaceAmongKeyStrokes)
{
    HWND other = make_child(top, 8, { 70, 10, 120, 40 });
    handler = [&](HWND hwnd, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == child && message == WM_KEYDOWN && wparam == VK_F2)
            SetFocus(other);
        return std::nullopt;
    };
    SetFocus(child);
    watch({ WM_CHAR });
    in::tap_key('A');
    in::enter_text("\xC3\xA9");
    in::tap_key('B');
    in::tap_key(VK_F2);
    in::enter_text("x");
    platform::testing::pump_until_idle();
    std::vector<std::pair<HWND, WPARAM>> chars;
    for (auto const& r : log)
        chars.emplace_back(r.hwnd, r.wparam);
    std::vector<std::pair<HWND, WPARAM>> const expected { { child, 'a' }, { child, 0xC3 }, { child, 0xA9 },
        { child, 'b' }, { other, 'x' } };
    EXPECT_EQ(chars, expected);

    watch({ WM_CHAR });
    EnableWindow(top, FALSE);
    in::enter_text("y");
    EnableWindow(top, TRUE);
    SetFocus(nullptr);
    in::enter_text("z");
    platform::testing::pump_until_idle();
    EXPECT_TRUE(log.empty()) << "text for a disabled window or no focus is dropped";
}

// A key press that brings its layout's characters makes those instead of the US layout's;
// the same key message made up by a program still translates with the US layout.
TEST_F(InputTest, KeyPressWithLayoutCharactersTranslatesToThem)
{
    SetFocus(child);
    watch({ WM_KEYDOWN, WM_CHAR });
    in::press_key(VK_SHIFT);
    in::press_key('7', "/");
    in::release_key('7');
    in::release_key(VK_SHIFT);
    in::press_key(VK_OEM_3, "\xC3\xB6");
    in::release_key(VK_OEM_3);
    in::press_key('Q', "");
    in::release_key('Q');
    in::tap_key('W');
    platform::testing::pump_until_idle();
    std::vector<WPARAM> chars;
    for (auto const& r : of({ WM_CHAR }))
        chars.push_back(r.wparam);
    EXPECT_EQ(chars, (std::vector<WPARAM> { '/', 0xC3, 0xB6, 'w' }));
    auto downs = of({ WM_KEYDOWN });
    ASSERT_FALSE(downs.empty());
    EXPECT_EQ(downs.back().wparam, static_cast<WPARAM>('W'));

    watch({ WM_CHAR });
    MSG made_up { child, WM_KEYDOWN, static_cast<WPARAM>(VK_OEM_3), 1, 0, { 0, 0 } };
    TranslateMessage(&made_up);
    platform::testing::pump_until_idle();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].wparam, static_cast<WPARAM>('`'));
}

TEST_F(InputTest, KeyStateFollowsTheMessageBeingHandled)
{
    SetFocus(child);
    std::vector<bool> shift_seen;
    handler = [&](HWND, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_KEYDOWN && wparam == 'X')
            shift_seen.push_back(GetKeyState(VK_SHIFT) < 0);
        return std::nullopt;
    };
    in::press_key(VK_SHIFT);
    in::tap_key('X');
    in::release_key(VK_SHIFT);
    in::tap_key('X');
    // The hardware state changes at once; the thread's only as messages are taken.
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    platform::testing::pump_until_idle();
    EXPECT_EQ(shift_seen, (std::vector<bool> { true, false }));
}

TEST_F(InputTest, TheMessageFilterSeesInputBeforeDispatch)
{
    SetFocus(child);
    std::vector<UINT> filtered;
    set_message_filter([&](MSG& msg) {
        filtered.push_back(msg.message);
        return msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN;
    });
    watch({ WM_KEYDOWN, WM_CHAR });
    in::tap_key(VK_RETURN);
    in::tap_key(VK_TAB);
    platform::testing::pump_until_idle();
    set_message_filter(nullptr);
    // Enter was consumed by the filter, so it was neither dispatched nor translated.
    EXPECT_EQ(messages_of(child), (std::vector<UINT> { WM_KEYDOWN, WM_CHAR }));
    EXPECT_EQ(filtered.front(), WM_KEYDOWN);
}

TEST_F(InputTest, FocusActivatesItsTopLevelWindowAndDiesWithTheWindow)
{
    HWND other = make_top("other", WS_POPUP | WS_VISIBLE, { 400, 100, 500, 200 });
    platform::testing::pump_until_idle();
    EXPECT_EQ(GetFocus(), other);
    SetFocus(child);
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), child);
    DestroyWindow(child);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(InputTest, CancelModeReleasesTheCapture)
{
    SetCapture(child);
    SendMessage(child, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, ClipboardKeepsText)
{
    set_clipboard_text("copy me");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(clipboard_text(), "copy me");
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr); // not open
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_TRUE(EmptyClipboard());
    CloseClipboard();
    EXPECT_EQ(clipboard_text(), "");
}

TEST_F(InputTest, CharacterClasses)
{
    EXPECT_TRUE(IsCharAlpha('x'));
    EXPECT_FALSE(IsCharAlpha('5'));
    EXPECT_TRUE(IsCharAlphaNumeric('5'));
    EXPECT_FALSE(IsCharAlphaNumeric('-'));
}

}
