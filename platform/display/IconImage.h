// An icon's pixels as the outside world wants them: 32-bit ARGB, not premultiplied, rows
// top-down. Window icons (_NET_WM_ICON) and tray icons are drawn from this; the drawing
// module's icon (colour bitmap and mask, GetIconInfo) is the source.
#pragma once

#include "platform/user/Types.h"

#include <cstdint>
#include <vector>

namespace platform::display {

struct ArgbImage {
    int width {};
    int height {};
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB
    bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(ArgbImage const&) const = default;
};

// The icon's image: where the mask is set the pixel is transparent, elsewhere opaque with
// the colour bitmap's colour; a 32-bit colour bitmap that carries alpha keeps its own alpha.
// A monochrome icon (no colour bitmap) takes its colours from the mask's lower half. Empty
// for an unknown handle. User-interface thread (it reads drawing objects).
ArgbImage icon_image(HICON icon);

// `image` over an opaque `background` (0x00RRGGBB), alpha blended: what a 24-bit screen shows.
std::vector<std::uint32_t> composed_over(ArgbImage const& image, std::uint32_t background);
// One 0xAARRGGBB pixel over a 0x00RRGGBB one.
std::uint32_t blended_over(std::uint32_t argb, std::uint32_t background);

}
