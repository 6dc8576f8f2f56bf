// Showing, hiding, enabling and activating windows.
#pragma once

#include "platform/user/Window.h"

namespace platform::user {

// Changes the window's own visibility bit. Every change sends WM_SHOWWINDOW first, exposes
// or invalidates what changed and tells the observers; nothing happens when the bit already
// has the asked value.
void set_visible(Window& w, bool visible, bool activate);
void activate(Window* w);
// The window that becomes active when `w` goes away or hides: its owner, else the topmost
// other visible top-level window.
void activate_next(Window& w);

// Holds back the observers' window_shown for a hidden top-level window while it lives, so that
// a window shown and painted at once reaches the presenters painted, and one that hides itself
// again on that first paint never reaches them. User-interface thread only: elsewhere, and
// for a window that already shows, it holds nothing.
class HoldShowing {
public:
    explicit HoldShowing(HWND hwnd);
    ~HoldShowing();
    HoldShowing(HoldShowing const&) = delete;
    HoldShowing& operator=(HoldShowing const&) = delete;

private:
    HWND m_hwnd;
    bool m_holding;
};

}
