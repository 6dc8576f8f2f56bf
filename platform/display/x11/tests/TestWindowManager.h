// A tiny reparenting window manager for tests, on its own connection to the test's server: it
// takes substructure redirection of the root window, puts each top-level window that asks to
// be mapped into a frame with fixed extents (border and title bar), and places the frame as a
// reparenting manager does, by the window's gravity: north-west (the default) puts the
// frame's corner at the asked position, static keeps the window itself there. It answers
// configure requests the same way, sends the synthetic ConfigureNotify in root coordinates
// that ICCCM asks for, and sets _NET_FRAME_EXTENTS. Nothing here blocks: take_events()
// handles what is pending, and the test calls it between its own steps.
#pragma once

#include <X11/Xlib.h>

#include <map>
#include <string>

class TestWindowManager {
public:
    struct Extents {
        int left, right, top, bottom;
    };
    TestWindowManager(std::string const& display, Extents extents);
    ~TestWindowManager();
    TestWindowManager(TestWindowManager const&) = delete;
    TestWindowManager& operator=(TestWindowManager const&) = delete;

    // False when another client manages the screen already.
    bool running() const { return m_running; }
    // Handles every event the server has sent so far.
    void take_events();
    // The frame around `client`, or None.
    Window frame_of(Window client) const;

private:
    void manage(Window client);
    void configure(XConfigureRequestEvent const& request);
    void forget(Window client);
    void notify_client(Window client, int x, int y, int width, int height);
    int gravity_of(Window client);

    Display* m_display {};
    bool m_running { false };
    Extents m_extents;
    std::map<Window, Window> m_frames; // client -> frame
};
