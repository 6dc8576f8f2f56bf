// The desktop as an end-to-end test of a whole program sees it on the test's X server: a
// tray manager that docks the program's icons, top-level windows found by title, and real
// input played through XTest (libXtst, loaded at run time). The program runs in another
// process, so every wait here is bounded: it polls the server's connections, and takes the
// events that arrive, until the condition holds or the time is up. The header names no X11
// type, so tests outside the X11 presenter's folder can use it.
#pragma once

#include <memory>
#include <string>
#include <vector>

// Xlib's connection type, declared as Xlib does.
struct _XDisplay;
class TestTrayManager;

class TestDesktop {
public:
    explicit TestDesktop(std::string const& display);
    ~TestDesktop();
    TestDesktop(TestDesktop const&) = delete;
    TestDesktop& operator=(TestDesktop const&) = delete;

    bool connected() const;
    // False when libXtst or its functions are missing.
    bool can_fake_input() const;

    // The tray manager takes the selection, its window a panel at the bottom-right corner;
    // false when another client owns the selection.
    bool start_tray();
    // Icons docked and still there.
    int docked_icons();
    // Waits until at least `count` icons are docked (docking those that ask meanwhile), or
    // until none is left when `count` is 0.
    bool wait_for_docked_icons(int count, int timeout_ms);

    // Presses of button `button` (1 left, 3 right) on the middle of docked icon `index`, the
    // pointer moved there first; two clicks in a row make a double click.
    bool click_icon(int index, int button, int clicks);
    // Moves the pointer to `x`,`y` on the root window in `steps` moves from where it is, as a
    // hand moves it (one motion event per step).
    bool move_pointer(int x, int y, int steps);
    // Presses and releases the key of the keysym named `name` ("Up", "Return") in window
    // `window` (from new_windows_since), which takes the input focus.
    bool press_key(unsigned long window, char const* name);

    // The colour the screen shows at `x`,`y` of the root window, as 0xRRGGBB; -1 when it
    // cannot be read.
    long screen_pixel(int x, int y);
    bool wait_for_pixel(int x, int y, long rgb, int timeout_ms);

    // The viewable top-level windows, in the server's stacking order.
    std::vector<unsigned long> top_level_windows();
    std::string title_of(unsigned long window);
    bool window_shown(std::string const& title);
    bool wait_for_window(std::string const& title, int timeout_ms);
    bool wait_until_no_window(std::string const& title, int timeout_ms);
    // Waits for viewable top-level windows that are not in `before`.
    std::vector<unsigned long> wait_for_new_windows(std::vector<unsigned long> const& before, int timeout_ms);

private:
    struct XTestCalls;
    std::vector<unsigned long> docked_windows();
    // Takes what both connections have, docks icons that ask; waits at most `slice_ms` for
    // something to arrive first.
    void take_events(int slice_ms);
    template<typename Condition>
    bool wait_until(Condition condition, int timeout_ms);

    _XDisplay* m_user {};
    std::unique_ptr<TestTrayManager> m_tray;
    std::unique_ptr<XTestCalls> m_xtest;
};
