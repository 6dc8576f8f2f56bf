// Positions of windows on the screen and relative to each other.
#pragma once

#include "platform/user/Window.h"

namespace platform::user {

POINT window_screen_origin(Window const& w);
POINT client_screen_origin(Window const& w);
// The window rectangle of `w` in the coordinates of its top-level window.
RECT rect_in_top_level(Window const& w);
// Applies a new rectangle (parent client coordinates), sending the size and move messages
// and exposing what changed. Used by SetWindowPos and creation.
void change_rect(Window& w, RECT const& rect, UINT flags);

}
