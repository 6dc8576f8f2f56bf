#include "platform/gdi/RowBlit.h"

#include "platform/user/Region.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace platform::gdi {

namespace {

// The colours of a source row as source_pixel() gives them to a colour target.
class SourceRow {
public:
    SourceRow(Surface const& source, SourceColours const& colours)
        : m_source(source)
        , m_buffer(buffer())
    {
        int bpp = source.bits_per_pixel();
        if (bpp > 8)
            return;
        // Every stored value of a small depth decoded once.
        for (std::uint32_t v = 0; v < (1u << bpp); ++v)
            m_table[v] = source.is_monochrome_device() ? (v ? colours.mono_one : colours.mono_zero) : source.decode(v);
    }

    Pixel const* read(int sx, int sy, int count)
    {
        if (m_buffer.size() < static_cast<std::size_t>(count))
            m_buffer.resize(static_cast<std::size_t>(count));
        Pixel* out = m_buffer.data();
        std::uint8_t const* row = m_source.row(sy);
        switch (m_source.bits_per_pixel()) {
        case 32: {
            Pixel const* from = reinterpret_cast<Pixel const*>(row) + sx;
            for (int i = 0; i < count; ++i)
                out[i] = from[i] & 0xFFFFFF;
            break;
        }
        case 24:
            for (int i = 0; i < count; ++i) {
                std::uint8_t const* p = row + (sx + i) * 3;
                out[i] = static_cast<Pixel>(p[0]) | (static_cast<Pixel>(p[1]) << 8) | (static_cast<Pixel>(p[2]) << 16);
            }
            break;
        case 1:
            for (int i = 0; i < count; ++i) {
                int x = sx + i;
                out[i] = m_table[(row[x >> 3] >> (7 - (x & 7))) & 1];
            }
            break;
        case 4:
        case 8:
            for (int i = 0; i < count; ++i)
                out[i] = m_table[m_source.raw(sx + i, sy)];
            break;
        default:
            for (int i = 0; i < count; ++i)
                out[i] = m_source.pixel(sx + i, sy);
            break;
        }
        return out;
    }

private:
    // One row buffer per thread, kept between blits.
    static std::vector<Pixel>& buffer()
    {
        static thread_local std::vector<Pixel> rows;
        return rows;
    }

    Surface const& m_source;
    std::vector<Pixel>& m_buffer;
    std::array<Pixel, 256> m_table; // filled for the source's depth only
};

// Stores are 24-bit, as Surface::set_pixel keeps them.
void combine(DWORD rop, Pixel* d, Pixel const* s, int count, Paint const* pattern, int x0, int y)
{
    switch (rop) {
    case SRCCOPY:
        std::copy(s, s + count, d);
        return;
    case SRCAND:
        for (int i = 0; i < count; ++i)
            d[i] = s[i] & d[i];
        return;
    case SRCPAINT:
        for (int i = 0; i < count; ++i)
            d[i] = (s[i] | d[i]) & 0xFFFFFF;
        return;
    case SRCINVERT:
        for (int i = 0; i < count; ++i)
            d[i] = (s[i] ^ d[i]) & 0xFFFFFF;
        return;
    default:
        for (int i = 0; i < count; ++i) {
            Pixel p = pattern ? pattern->at(x0 + i, y) : 0;
            d[i] = apply_rop3(rop, p, s[i], d[i] & 0xFFFFFF) & 0xFFFFFF;
        }
        return;
    }
}

}

bool draw_icon_rows(Canvas const& canvas, POINT at, Surface const& mask, Surface const& colour)
{
    Surface& target = *canvas.surface;
    if (target.bits_per_pixel() != 32 || colour.bits_per_pixel() != 32 || !mask.is_monochrome_device())
        return false;
    if (mask.width() != colour.width() || mask.height() < colour.height())
        return false;
    RECT icon { at.x, at.y, at.x + colour.width(), at.y + colour.height() };
    for (RECT const& c : canvas.clip) {
        RECT r = rect_intersection(icon, c);
        if (rect_is_empty(r))
            continue;
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint8_t const* bits = mask.row(y - at.y);
            Pixel const* image = colour.row32(y - at.y);
            Pixel* to = target.row32(y);
            for (int x = r.left; x < r.right; ++x) {
                int u = x - at.x;
                Pixel keep = ((bits[u >> 3] >> (7 - (u & 7))) & 1) ? 0xFFFFFF : 0;
                to[x] = ((to[x] & keep) ^ image[u]) & 0xFFFFFF;
            }
        }
    }
    return true;
}

bool blit_rows(Canvas const& canvas, RECT const& dst, Surface const& source, RECT const& src, DWORD rop,
    Paint const* pattern, SourceColours const& colours)
{
    Surface& target = *canvas.surface;
    if (target.bits_per_pixel() != 32)
        return false;
    if (dst.right - dst.left != src.right - src.left || dst.bottom - dst.top != src.bottom - src.top)
        return false;
    bool copies_whole_pixels = rop == SRCCOPY && source.bits_per_pixel() == 32;
    SourceRow rows(source, colours);
    // Target columns whose source column lies inside the source.
    int dx = src.left - dst.left;
    int dy = src.top - dst.top;
    RECT reach { -dx, -dy, source.width() - dx, source.height() - dy };
    // Within one surface, rows moving down are copied from the bottom up, so that no row is
    // overwritten before it is read (each row is read whole before it is written).
    bool upward = &source == &target && dy < 0;
    for (RECT const& c : canvas.clip) {
        RECT r = rect_intersection(rect_intersection(dst, c), reach);
        if (rect_is_empty(r))
            continue;
        int count = r.right - r.left;
        for (int i = 0; i < r.bottom - r.top; ++i) {
            int y = upward ? r.bottom - 1 - i : r.top + i;
            Pixel* to = target.row32(y) + r.left;
            if (copies_whole_pixels) {
                // The alpha byte travels too: images with per-pixel alpha are copied this way.
                std::memmove(to, source.row32(y + dy) + r.left + dx, static_cast<std::size_t>(count) * sizeof(Pixel));
                continue;
            }
            combine(rop, to, rows.read(r.left + dx, y + dy, count), count, pattern, r.left, y);
        }
    }
    return true;
}

}
