#include "platform/gdi/Surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace platform::gdi {

int dib_stride(int width, int bits_per_pixel)
{
    return ((width * bits_per_pixel + 31) / 32) * 4;
}

Surface::Surface(int width, int height, int bits_per_pixel)
    : m_width(fits_surface(width, height) ? width : 0)
    , m_height(fits_surface(width, height) ? height : 0)
    , m_bpp(bits_per_pixel)
    , m_stride(dib_stride(m_width, bits_per_pixel))
{
    if (std::size_t const size = byte_size()) {
        m_storage.reset(static_cast<std::uint8_t*>(std::calloc(size, 1)));
        if (!m_storage)
            throw std::bad_alloc();
        m_rows_held = m_height;
    }
    m_bits = m_storage.get();
}

void Surface::FreeBytes::operator()(std::uint8_t* bytes) const
{
    std::free(bytes);
}

Surface::Surface(std::uint8_t* bits, int width, int height, int bits_per_pixel, bool bottom_up)
    : m_bits(bits)
    , m_width(width)
    , m_height(height)
    , m_bpp(bits_per_pixel)
    , m_stride(dib_stride(width, bits_per_pixel))
    , m_bottom_up(bottom_up)
{
}

void Surface::set_palette(std::vector<RGBQUAD> palette)
{
    m_palette = std::move(palette);
    m_last_colour = 0xFFFFFFFF;
}

std::uint32_t Surface::raw(int x, int y) const
{
    std::uint8_t const* r = row(y);
    switch (m_bpp) {
    case 1:
        return (r[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? (r[x >> 1] & 0x0F) : (r[x >> 1] >> 4);
    case 8:
        return r[x];
    case 16: {
        std::uint16_t v = static_cast<std::uint16_t>(r[x * 2] | (r[x * 2 + 1] << 8));
        return v;
    }
    case 24:
        return static_cast<std::uint32_t>(r[x * 3]) | (r[x * 3 + 1] << 8) | (r[x * 3 + 2] << 16);
    default:
        return reinterpret_cast<Pixel const*>(r)[x] & 0xFFFFFF;
    }
}

void Surface::set_raw(int x, int y, std::uint32_t value)
{
    std::uint8_t* r = row(y);
    switch (m_bpp) {
    case 1: {
        std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
        r[x >> 3] = static_cast<std::uint8_t>(value ? (r[x >> 3] | bit) : (r[x >> 3] & ~bit));
        break;
    }
    case 4: {
        std::uint8_t& b = r[x >> 1];
        b = static_cast<std::uint8_t>((x & 1) ? ((b & 0xF0) | (value & 0x0F)) : ((b & 0x0F) | ((value & 0x0F) << 4)));
        break;
    }
    case 8:
        r[x] = static_cast<std::uint8_t>(value);
        break;
    case 16:
        r[x * 2] = static_cast<std::uint8_t>(value);
        r[x * 2 + 1] = static_cast<std::uint8_t>(value >> 8);
        break;
    case 24:
        r[x * 3] = static_cast<std::uint8_t>(value);
        r[x * 3 + 1] = static_cast<std::uint8_t>(value >> 8);
        r[x * 3 + 2] = static_cast<std::uint8_t>(value >> 16);
        break;
    default:
        reinterpret_cast<Pixel*>(r)[x] = value;
        break;
    }
}

Pixel Surface::decode(std::uint32_t value) const
{
    if (m_bpp <= 8) {
        if (m_palette.empty())
            return value ? 0xFFFFFF : 0;
        if (value >= m_palette.size())
            return 0;
        RGBQUAD q = m_palette[value];
        return (static_cast<Pixel>(q.rgbRed) << 16) | (q.rgbGreen << 8) | q.rgbBlue;
    }
    if (m_bpp == 16) // 5-5-5, the BI_RGB layout of 16-bit DIBs
        return (((value >> 10) & 31) * 255 / 31) << 16 | (((value >> 5) & 31) * 255 / 31) << 8 | ((value & 31) * 255 / 31);
    return value & 0xFFFFFF;
}

static int colour_distance(Pixel a, RGBQUAD q)
{
    int dr = static_cast<int>((a >> 16) & 0xFF) - q.rgbRed;
    int dg = static_cast<int>((a >> 8) & 0xFF) - q.rgbGreen;
    int db = static_cast<int>(a & 0xFF) - q.rgbBlue;
    return dr * dr + dg * dg + db * db;
}

std::uint32_t Surface::encode(Pixel colour) const
{
    colour &= 0xFFFFFF;
    if (m_bpp > 8) {
        if (m_bpp == 16)
            return ((colour >> 19) & 31) << 10 | ((colour >> 11) & 31) << 5 | ((colour >> 3) & 31);
        return colour;
    }
    if (m_palette.empty()) {
        int sum = static_cast<int>(((colour >> 16) & 0xFF) + ((colour >> 8) & 0xFF) + (colour & 0xFF));
        return sum >= 384 ? 1 : 0;
    }
    if (colour == m_last_colour)
        return m_last_index;
    std::uint32_t best = 0;
    int best_distance = 1 << 30;
    for (std::size_t i = 0; i < m_palette.size(); ++i) {
        int d = colour_distance(colour, m_palette[i]);
        if (d < best_distance) {
            best_distance = d;
            best = static_cast<std::uint32_t>(i);
        }
    }
    m_last_colour = colour;
    m_last_index = best;
    return best;
}

void Surface::fill_span(int y, int x0, int x1, Pixel colour)
{
    if (m_bpp == 32) {
        std::fill(row32(y) + x0, row32(y) + x1, colour & 0xFFFFFF);
        return;
    }
    std::uint32_t value = encode(colour);
    for (int x = x0; x < x1; ++x)
        set_raw(x, y, value);
}

void Surface::fill(Pixel colour)
{
    for (int y = 0; y < m_height; ++y)
        fill_span(y, 0, m_width, colour);
}

void Surface::resize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    if (resize_in_place(width, height))
        return;
    Surface next(width, height, m_bpp);
    int w = std::min(width, m_width);
    int h = std::min(height, m_height);
    int bytes = dib_stride(w, m_bpp);
    for (int y = 0; y < h; ++y)
        std::memcpy(next.row(y), row(y), static_cast<std::size_t>(std::min(bytes, next.stride())));
    m_storage = std::move(next.m_storage);
    m_bits = m_storage.get();
    m_width = next.m_width;
    m_height = next.m_height;
    m_stride = next.m_stride;
    m_rows_held = next.m_rows_held;
    m_bottom_up = false;
}

// A window that only grows or shrinks in height (a dialog that folds its lower part away)
// keeps its rows where they are, within the rows its buffer was made for: no new buffer and
// no copy. Rows given up go back to the system (whole pages); rows taken again start black.
bool Surface::resize_in_place(int width, int height)
{
    if (width != m_width || !m_storage || m_bits != m_storage.get() || m_bottom_up || !fits_surface(width, height)
        || height > m_rows_held)
        return false;
    auto const stride = static_cast<std::size_t>(m_stride);
    if (height > m_height) {
        std::memset(m_bits + stride * static_cast<std::size_t>(m_height), 0, stride * static_cast<std::size_t>(height - m_height));
    } else {
        auto const page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        auto const from = (reinterpret_cast<std::uintptr_t>(m_bits + stride * static_cast<std::size_t>(height)) + page - 1) & ~(page - 1);
        auto const to = reinterpret_cast<std::uintptr_t>(m_bits + stride * static_cast<std::size_t>(m_height)) & ~(page - 1);
        if (to > from)
            ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
    }
    m_height = height;
    return true;
}

}
