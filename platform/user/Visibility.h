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

}
