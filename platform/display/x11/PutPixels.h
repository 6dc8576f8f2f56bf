// Puts 0x00RRGGBB pixels on an X drawable of the default visual (the presenter only runs
// on 24-bit true-colour screens with that layout), without copying them first.
#pragma once

#include "platform/user/Types.h"

#include <X11/Xlib.h>

#include <cstdint>

namespace platform::display::x11 {

// Fills `image` to describe `rows` rows of 0x00RRGGBB pixels at `data`, `stride` pixels
// apart, in the default visual's layout; false when Xlib refuses the description.
bool describe_pixels(XImage& image, Display* display, char* data, int stride, int rows);

// Copies `area` of `pixels` (rows `stride` pixels apart; `area` in those pixels'
// coordinates) to (`x`, `y`) of `target`.
void put_pixels(Display* display, Drawable target, GC gc, std::uint32_t const* pixels, int stride, RECT const& area,
    int x, int y);

}
