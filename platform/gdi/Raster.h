// Stateless rasterising on a clipped surface: spans, rectangles, pixels, lines, ellipses,
// polygons and blits with raster operations. Coordinates are surface pixels; the device
// context has already mapped logical coordinates and built the clip.
#pragma once

#include "platform/gdi/Surface.h"

#include <cstdint>
#include <vector>

namespace platform::gdi {

// What a fill writes: a colour or an 8 x 8 (or any size) pattern, combined with the target
// by a binary raster operation. `rop2` is the 4-bit truth table over (pattern, destination)
// bits, indexed (P << 1) | D: 0b1100 copies the pattern, 0b0110 XORs it, 0b0101 inverts.
struct Paint {
    Pixel colour { 0 };
    std::vector<Pixel> const* pattern { nullptr };
    int pattern_width { 0 };
    int pattern_height { 0 };
    POINT pattern_origin { 0, 0 };
    std::uint8_t rop2 { 0b1100 };

    Pixel at(int x, int y) const;
};

constexpr std::uint8_t rop2_table(int r2_code) { return static_cast<std::uint8_t>((r2_code - 1) & 0xF); }
// The binary operation a ternary one reduces to when it does not read the source.
constexpr std::uint8_t rop2_from_rop3(DWORD rop)
{
    std::uint8_t b = static_cast<std::uint8_t>(rop >> 16);
    return static_cast<std::uint8_t>((b & 1) | ((b >> 1) & 1) << 1 | ((b >> 4) & 1) << 2 | ((b >> 5) & 1) << 3);
}
constexpr bool rop3_uses_source(DWORD rop)
{
    std::uint8_t b = static_cast<std::uint8_t>(rop >> 16);
    return ((b >> 2) & 0x33) != (b & 0x33);
}
constexpr bool rop3_uses_pattern(DWORD rop)
{
    std::uint8_t b = static_cast<std::uint8_t>(rop >> 16);
    return ((b >> 4) & 0x0F) != (b & 0x0F);
}
Pixel apply_rop2(std::uint8_t table, Pixel p, Pixel d);
Pixel apply_rop3(DWORD rop, Pixel p, Pixel s, Pixel d);

// A surface with the rectangles drawing may touch (already inside the surface).
struct Canvas {
    Surface* surface { nullptr };
    std::vector<RECT> clip;

    bool visible(int x, int y) const;
    RECT clip_box() const;
};

void paint_rect(Canvas const& canvas, RECT const& rect, Paint const& paint);
// Copies column x of `rect` in colours[x - rect.left] (a horizontal gradient), row by row.
void paint_columns(Canvas const& canvas, RECT const& rect, Pixel const* colours);
void paint_pixel(Canvas const& canvas, int x, int y, Paint const& paint);
// A pen's stroke: `width` 1 draws single pixels; wider pens draw a square of that side
// centred on each point. `dash` is a pattern of on/off run lengths (empty for solid).
struct Stroke {
    int width { 1 };
    std::vector<int> dash;
};
// Draws from `from` to `to` without the end point; `phase` carries the dash position.
void paint_line(Canvas const& canvas, POINT from, POINT to, Stroke const& stroke, Paint const& paint, int& phase);
// The pixels of the ellipse inscribed in `box`: those whose centre lies inside it.
std::vector<std::pair<int, int>> ellipse_spans(RECT const& box);
void paint_ellipse(Canvas const& canvas, RECT const& box, Paint const* outline, int outline_width, Paint const* fill);
// Even-odd fill of a polygon, sampling pixel centres.
void paint_polygon_fill(Canvas const& canvas, std::vector<POINT> const& points, Paint const& paint);

// How source pixels become colours on the target (monochrome rules of blits).
struct SourceColours {
    Pixel mono_zero { 0 }; // a 0 bit of a monochrome source (the target's text colour)
    Pixel mono_one { 0xFFFFFF }; // a 1 bit (the target's background colour)
    Pixel source_background { 0xFFFFFF }; // to a monochrome target: this colour becomes 1
};
Pixel source_pixel(Surface const& source, int x, int y, SourceColours const& colours, bool to_mono);

// Blits `source` scaled from `src` onto `dst` (surface pixels of each), nearest-neighbour.
void blit(Canvas const& canvas, RECT const& dst, Surface const& source, RECT const& src, DWORD rop,
    Paint const* pattern, SourceColours const& colours);

}
