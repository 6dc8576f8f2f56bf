// Conversions between the packed DIB layout callers hand in (BITMAPINFO + pixel rows) and
// surfaces: building DIB sections, and copying rows in either direction.
#pragma once

#include "platform/gdi/GdiObject.h"

#include <memory>
#include <optional>

namespace platform::gdi {

struct DibFormat {
    int width { 0 };
    int height { 0 }; // rows, always positive
    int bits_per_pixel { 0 };
    bool bottom_up { true };
    std::vector<RGBQUAD> palette;
};

// Checks the header (depth 1, 4, 8, 16, 24 or 32, BI_RGB or 32-bit BI_BITFIELDS, a sane
// size) and reads the colour table; DIB_PAL_COLORS indices go through `palette`.
std::optional<DibFormat> read_dib_format(BITMAPINFO const* info, UINT usage, PaletteObject const* palette);
std::unique_ptr<BitmapObject> make_dib_section(DibFormat const& format);
std::unique_ptr<BitmapObject> make_device_bitmap(int width, int height, int bits_per_pixel);
// A surface over the caller's rows, valid while `bits` is.
std::unique_ptr<Surface> wrap_dib(DibFormat const& format, void const* bits);
// Copies pixels by colour (palettes applied) from `from` to `to`, rows [first, first + count)
// counted from the top of `to`.
void convert_rows(Surface const& from, int from_top, Surface& to, int to_top, int count);

}
