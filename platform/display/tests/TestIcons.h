// Icons for the presenters' tests: a square of one colour whose top rows are transparent
// (mask set), made through the drawing module's icon calls as a program makes them.
#pragma once

#include "platform/gdi/Gdi.h"

#include <cstdint>
#include <vector>

namespace display_test {

constexpr int icon_side = 16;
constexpr int transparent_rows = 4;

// `colour` is 0x00RRGGBB.
inline HICON make_icon(std::uint32_t colour)
{
    // Monochrome rows are padded to 16 bits: exactly two bytes for 16 pixels. Bit set: transparent.
    std::vector<std::uint8_t> mask(icon_side * 2, 0);
    for (int i = 0; i < transparent_rows * 2; ++i)
        mask[i] = 0xFF;
    std::vector<std::uint32_t> pixels(icon_side * icon_side, colour);
    HBITMAP mask_bitmap = CreateBitmap(icon_side, icon_side, 1, 1, mask.data());
    HBITMAP colour_bitmap = CreateBitmap(icon_side, icon_side, 1, 32, pixels.data());
    ICONINFO info { TRUE, 0, 0, mask_bitmap, colour_bitmap };
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask_bitmap);
    DeleteObject(colour_bitmap);
    return icon;
}

}
