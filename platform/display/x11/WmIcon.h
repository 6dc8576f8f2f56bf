// _NET_WM_ICON: the icon a window manager and task bar show for a window, as one or more
// ARGB images (width, height, then the pixels row by row, each a CARDINAL).
#pragma once

#include "platform/display/IconImage.h"

#include <X11/Xlib.h>

#include <vector>

namespace platform::display::x11 {

// The property's values; Xlib passes 32-bit properties as longs. Empty images are left out.
std::vector<unsigned long> wm_icon_values(std::vector<ArgbImage> const& images);
// Sets the property, or deletes it when no image is left.
void set_wm_icon(Display* display, Window window, std::vector<ArgbImage> const& images);

}
