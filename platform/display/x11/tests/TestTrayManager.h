// A minimal tray manager for the tray tests, on a connection of its own: it owns
// _NET_SYSTEM_TRAY_S<screen>, announces itself with MANAGER on the root window, and embeds
// every icon that asks to dock (reparents it into its own window, side by side, and maps
// it). handle_requests() takes what the server has for it after a round trip, so a test
// decides when the manager acts, and nothing waits in real time.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

class TestTrayManager {
public:
    // The colour of the manager's window, behind the icons it docks.
    static constexpr unsigned long background = 0x00204060;

    explicit TestTrayManager(std::string const& display);
    ~TestTrayManager();
    TestTrayManager(TestTrayManager const&) = delete;
    TestTrayManager& operator=(TestTrayManager const&) = delete;

    bool running() const { return m_window != None; }
    // The manager's own connection, for waits on what the server sends it; -1 without one.
    int connection_number() const { return m_display ? ConnectionNumber(m_display) : -1; }
    Window window() const { return m_window; }
    // Takes the selection and announces it; false when another client owns it.
    bool start();
    // Leaves the way a crashing manager does: its window and the selection go away.
    void stop();
    // Handles every docking request the server has sent so far; answers the icons docked.
    std::vector<Window> handle_requests();
    std::vector<Window> const& docked() const { return m_docked; }

private:
    Display* m_display {};
    Window m_window {};
    Atom m_selection {};
    Atom m_opcode {};
    std::vector<Window> m_docked;
};
