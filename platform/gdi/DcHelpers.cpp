#include "platform/gdi/DcHelpers.h"

#include "platform/gdi/Text.h"

namespace platform::gdi {

void fill_solid_rect(HDC dc, RECT const& rect, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOut(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void draw_3d_rect(HDC dc, int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right)
{
    fill_solid_rect(dc, RECT { x, y, x + cx - 1, y + 1 }, top_left);
    fill_solid_rect(dc, RECT { x, y, x + 1, y + cy - 1 }, top_left);
    fill_solid_rect(dc, RECT { x + cx - 1, y, x + cx, y + cy }, bottom_right);
    fill_solid_rect(dc, RECT { x, y + cy - 1, x + cx, y + cy }, bottom_right);
}

void draw_3d_rect(HDC dc, RECT const& rect, COLORREF top_left, COLORREF bottom_right)
{
    draw_3d_rect(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, top_left, bottom_right);
}

}
