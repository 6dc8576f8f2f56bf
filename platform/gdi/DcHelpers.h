// Helpers of the framework's CDC that are not API calls of their own; CDC forwards to them.
#pragma once

#include "platform/gdi/Gdi.h"

namespace platform::gdi {

// Fills `rect` with `colour` as FillRect would, and leaves `colour` as the DC's background
// colour (the fill is done through the background colour).
void fill_solid_rect(HDC dc, RECT const& rect, COLORREF colour);
// Top and left sides in `top_left`, bottom and right in `bottom_right`, one pixel wide. The
// top-right and bottom-left corner pixels take `bottom_right`: the top and left sides stop one
// pixel short, the right and bottom sides are full length.
void draw_3d_rect(HDC dc, RECT const& rect, COLORREF top_left, COLORREF bottom_right);
void draw_3d_rect(HDC dc, int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right);

}
