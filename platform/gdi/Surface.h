// A pixel buffer: the 32-bit surface of a top-level window, or the pixels of a bitmap in any
// of the depths a DIB can have (1, 4, 8, 16, 24, 32 bits, top-down or bottom-up). Drawing
// code reads and writes through pixel() and set_pixel(); 32-bit surfaces have fast rows.
#pragma once

#include "platform/gdi/Gdi.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::gdi {

// 0x00RRGGBB, the byte order of a 32-bit DIB pixel (blue first in memory).
using Pixel = std::uint32_t;

constexpr Pixel pixel_from_colorref(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
constexpr COLORREF colorref_from_pixel(Pixel p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }

int dib_stride(int width, int bits_per_pixel);

// The largest side of a pixel buffer. A window or bitmap past it is refused: its pixels would
// take gigabytes (a template's coordinates near the integer limits asked for 122 GB).
constexpr int kMaxSurfaceSide = 16384;
constexpr bool fits_surface(long long width, long long height)
{
    return width >= 0 && height >= 0 && width <= kMaxSurfaceSide && height <= kMaxSurfaceSide;
}

class Surface {
public:
    // An owned, zeroed (black) buffer; rows stored top-down. A size that does not fit
    // (fits_surface) gives an empty buffer.
    Surface(int width, int height, int bits_per_pixel = 32);
    // Pixels that live elsewhere (a DIB section's memory); `bits` must outlive the surface.
    Surface(std::uint8_t* bits, int width, int height, int bits_per_pixel, bool bottom_up);
    Surface(Surface const&) = delete;
    Surface& operator=(Surface const&) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }
    int bits_per_pixel() const { return m_bpp; }
    int stride() const { return m_stride; }
    bool bottom_up() const { return m_bottom_up; }
    bool is_monochrome_device() const { return m_bpp == 1 && m_palette.empty(); }
    RECT bounds() const { return RECT { 0, 0, m_width, m_height }; }
    std::uint8_t* bits() { return m_bits; }
    std::uint8_t const* bits() const { return m_bits; }
    std::size_t byte_size() const { return static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(m_height); }

    // Colour table of 1, 4 and 8-bit surfaces. A 1-bit surface without one is a monochrome
    // device bitmap: 0 is black, 1 is white.
    std::vector<RGBQUAD>& palette() { return m_palette; }
    std::vector<RGBQUAD> const& palette() const { return m_palette; }
    void set_palette(std::vector<RGBQUAD> palette);

    std::uint8_t* row(int y) { return m_bits + static_cast<std::ptrdiff_t>(row_index(y)) * m_stride; }
    std::uint8_t const* row(int y) const { return m_bits + static_cast<std::ptrdiff_t>(row_index(y)) * m_stride; }
    Pixel* row32(int y) { return reinterpret_cast<Pixel*>(row(y)); }
    Pixel const* row32(int y) const { return reinterpret_cast<Pixel const*>(row(y)); }

    // 32-bit surfaces, nearly all of them, are read and written here without a call.
    Pixel pixel(int x, int y) const { return m_bpp == 32 ? row32(y)[x] & 0xFFFFFF : decode(raw(x, y)); }
    void set_pixel(int x, int y, Pixel colour)
    {
        if (m_bpp == 32)
            row32(y)[x] = colour & 0xFFFFFF;
        else
            set_raw(x, y, encode(colour));
    }
    // Raw stored value: a palette index, a bit, or the pixel itself.
    std::uint32_t raw(int x, int y) const;
    void set_raw(int x, int y, std::uint32_t value);
    // Fills [x0, x1) of row y; both must lie inside the surface.
    void fill_span(int y, int x0, int x1, Pixel colour);
    void fill(Pixel colour);
    // The value a pixel of this colour is stored as: itself, the nearest palette entry, or for a
    // monochrome device bitmap white (1) when it is nearer white.
    std::uint32_t encode(Pixel colour) const;
    Pixel decode(std::uint32_t raw) const;

    // Window surfaces follow their window's size; the content is kept where it overlaps, and
    // what is new is black.
    void resize(int width, int height);

private:
    int row_index(int y) const { return m_bottom_up ? m_height - 1 - y : y; }
    bool resize_in_place(int width, int height);

    struct FreeBytes {
        void operator()(std::uint8_t* bytes) const;
    };
    // Owned pixels, zeroed by calloc, which takes a large buffer as the system's zero pages: a
    // page nothing draws on never becomes resident (most of the screen's surface, the parts of
    // a window no one paints).
    std::unique_ptr<std::uint8_t[], FreeBytes> m_storage;
    std::uint8_t* m_bits { nullptr };
    int m_width { 0 };
    int m_height { 0 };
    int m_bpp { 32 };
    int m_stride { 0 };
    int m_rows_held { 0 }; // rows the owned buffer was made for
    bool m_bottom_up { false };
    std::vector<RGBQUAD> m_palette;
    mutable Pixel m_last_colour { 0xFFFFFFFF };
    mutable std::uint32_t m_last_index { 0 };
};

}
