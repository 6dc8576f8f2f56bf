#include "platform/display/x11/PutPixels.h"

#include <X11/Xutil.h>

namespace platform::display::x11 {

bool describe_pixels(XImage& image, Display* display, char* data, int stride, int rows)
{
    image.width = stride;
    image.height = rows;
    image.format = ZPixmap;
    image.data = data;
    image.byte_order = LSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = LSBFirst;
    image.bitmap_pad = 32;
    image.depth = DefaultDepth(display, DefaultScreen(display));
    image.bytes_per_line = stride * 4;
    image.bits_per_pixel = 32;
    Visual* visual = DefaultVisual(display, DefaultScreen(display));
    image.red_mask = visual->red_mask;
    image.green_mask = visual->green_mask;
    image.blue_mask = visual->blue_mask;
    return XInitImage(&image) != 0;
}

void put_pixels(Display* display, Drawable target, GC gc, std::uint32_t const* pixels, int stride, RECT const& area,
    int x, int y)
{
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    // The image describes the rows down to the area's bottom; XPutImage reads only the area.
    XImage image {};
    if (!describe_pixels(image, display, reinterpret_cast<char*>(const_cast<std::uint32_t*>(pixels)), stride, area.bottom))
        return;
    XPutImage(display, target, gc, &image, area.left, area.top, x, y, static_cast<unsigned>(area.right - area.left),
        static_cast<unsigned>(area.bottom - area.top));
}

}
