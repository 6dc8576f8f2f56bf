#include "platform/controls/common/ImageListObject.h"

#include "platform/gdi/SysPaint.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <utility>

namespace platform::commctrl {

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

struct LiveLists {
    std::mutex mutex;
    std::set<ImageListObject const*> lists;
};

LiveLists& live()
{
    static LiveLists l;
    return l;
}

std::uint32_t to_pixel(COLORREF c)
{
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

COLORREF to_colour(std::uint32_t p)
{
    return RGB(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p));
}

std::uint32_t half_mix(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
    return out;
}

HDC select_into_new_dc(HBITMAP bitmap, HGDIOBJ& old)
{
    HDC dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
    return dc;
}

void release_dc(HDC& dc, HGDIOBJ old, HBITMAP& bitmap)
{
    if (dc) {
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    if (bitmap)
        DeleteObject(bitmap);
    dc = nullptr;
    bitmap = nullptr;
}

}

HBITMAP make_dib(int width, int height, std::uint32_t** bits)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = -std::max(height, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}

ImageListObject::ImageListObject(int cx, int cy, UINT flags)
    : m_cx(cx)
    , m_cy(cy)
    , m_flags(flags)
{
    std::lock_guard lock(live().mutex);
    live().lists.insert(this);
}

ImageListObject::~ImageListObject()
{
    drop_strips();
    release_dc(m_scratch_dc, m_scratch_old, m_scratch);
    std::lock_guard lock(live().mutex);
    live().lists.erase(this);
}

ImageListObject* ImageListObject::from(HIMAGELIST handle)
{
    auto* list = reinterpret_cast<ImageListObject*>(handle);
    std::lock_guard lock(live().mutex);
    return live().lists.count(list) ? list : nullptr;
}

COLORREF ImageListObject::set_background(COLORREF colour)
{
    return std::exchange(m_background, colour);
}

bool ImageListObject::read_bitmap(HBITMAP bitmap, Pixels& out)
{
    BITMAP info {};
    if (!bitmap || !GetObject(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.rgb.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    BITMAPINFO request {};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = out.width;
    request.bmiHeader.biHeight = -out.height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    HDC dc = CreateCompatibleDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(out.height), out.rgb.data(), &request, DIB_RGB_COLORS);
    DeleteDC(dc);
    for (auto& p : out.rgb)
        p &= 0xFFFFFF;
    out.clear.assign(out.rgb.size(), 0);
    return lines == out.height;
}

void ImageListObject::store(int index, Pixels const& source, int source_x)
{
    std::size_t base = static_cast<std::size_t>(index) * m_cx * m_cy;
    for (int y = 0; y < m_cy; ++y) {
        for (int x = 0; x < m_cx; ++x) {
            std::size_t at = base + static_cast<std::size_t>(y) * m_cx + x;
            int sx = source_x + x;
            bool inside = sx < source.width && y < source.height;
            std::size_t from = static_cast<std::size_t>(y) * source.width + sx;
            bool clear = !inside || (has_mask() && source.clear[from]);
            m_clear[at] = clear;
            m_rgb[at] = clear ? kBlack : source.rgb[from];
        }
    }
    m_strips_valid = false;
}

void ImageListObject::set_count(int count)
{
    std::size_t size = static_cast<std::size_t>(std::max(count, 0)) * m_cx * m_cy;
    m_rgb.resize(size, kBlack);
    m_clear.resize(size, 1);
    m_count = std::max(count, 0);
    m_strips_valid = false;
}

int ImageListObject::add_bitmap(HBITMAP image, HBITMAP mask, COLORREF transparent_colour)
{
    Pixels source;
    if (m_cx <= 0 || m_cy <= 0 || !read_bitmap(image, source))
        return -1;
    Pixels mask_pixels;
    bool with_mask = mask && read_bitmap(mask, mask_pixels) && mask_pixels.width >= source.width
        && mask_pixels.height >= source.height;
    std::uint32_t key = to_pixel(transparent_colour);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            std::size_t at = static_cast<std::size_t>(y) * source.width + x;
            if (with_mask)
                source.clear[at] = mask_pixels.rgb[static_cast<std::size_t>(y) * mask_pixels.width + x] != kBlack;
            else if (transparent_colour != CLR_NONE)
                source.clear[at] = source.rgb[at] == key;
        }
    }
    int added = std::max(source.width / m_cx, 1);
    int first = m_count;
    set_count(m_count + added);
    for (int i = 0; i < added; ++i)
        store(first + i, source, i * m_cx);
    return first;
}

bool ImageListObject::replace_bitmap(int index, HBITMAP image, HBITMAP mask)
{
    if (!valid_index(index))
        return false;
    int saved = m_count;
    int added = add_bitmap(image, mask, CLR_NONE);
    if (added < 0)
        return false;
    std::size_t size = static_cast<std::size_t>(m_cx) * m_cy;
    std::copy_n(m_rgb.begin() + added * size, size, m_rgb.begin() + index * size);
    std::copy_n(m_clear.begin() + added * size, size, m_clear.begin() + index * size);
    set_count(saved);
    return true;
}

// The icon is drawn twice at the list's size, on black and on white: a pixel that follows the
// background is transparent, any other keeps the colour drawn on black.
int ImageListObject::replace_icon(int index, HICON icon)
{
    if (!icon || (index != -1 && !valid_index(index)))
        return -1;
    std::uint32_t* on_black {};
    std::uint32_t* on_white {};
    HBITMAP black = make_dib(m_cx, m_cy, &on_black);
    HBITMAP white = make_dib(m_cx, m_cy, &on_white);
    std::size_t size = static_cast<std::size_t>(m_cx) * m_cy;
    std::fill_n(on_black, size, kBlack);
    std::fill_n(on_white, size, kWhite);
    HGDIOBJ old {};
    HDC dc = select_into_new_dc(black, old);
    BOOL drawn = DrawIconEx(dc, 0, 0, icon, m_cx, m_cy, 0, nullptr, DI_NORMAL);
    SelectObject(dc, white);
    drawn = drawn && DrawIconEx(dc, 0, 0, icon, m_cx, m_cy, 0, nullptr, DI_NORMAL);
    SelectObject(dc, old);
    DeleteDC(dc);
    Pixels source { m_cx, m_cy, {}, {} };
    source.rgb.assign(on_black, on_black + size);
    source.clear.resize(size);
    for (std::size_t i = 0; i < size; ++i)
        source.clear[i] = (on_black[i] & 0xFFFFFF) == kBlack && (on_white[i] & 0xFFFFFF) == kWhite;
    DeleteObject(black);
    DeleteObject(white);
    if (!drawn)
        return -1;
    UINT saved_flags = m_flags;
    m_flags |= ILC_MASK; // icons always carry their own transparency
    if (index == -1) {
        index = m_count;
        set_count(m_count + 1);
    }
    store(index, source, 0);
    m_flags = saved_flags;
    return index;
}

bool ImageListObject::remove(int index)
{
    if (index == -1) {
        set_count(0);
        return true;
    }
    if (!valid_index(index))
        return false;
    std::size_t size = static_cast<std::size_t>(m_cx) * m_cy;
    m_rgb.erase(m_rgb.begin() + index * size, m_rgb.begin() + (index + 1) * size);
    m_clear.erase(m_clear.begin() + index * size, m_clear.begin() + (index + 1) * size);
    --m_count;
    m_strips_valid = false;
    return true;
}

COLORREF ImageListObject::pixel(int index, int x, int y) const
{
    return to_colour(m_rgb[static_cast<std::size_t>(index) * m_cx * m_cy + static_cast<std::size_t>(y) * m_cx + x]);
}

bool ImageListObject::transparent(int index, int x, int y) const
{
    return m_clear[static_cast<std::size_t>(index) * m_cx * m_cy + static_cast<std::size_t>(y) * m_cx + x];
}

void ImageListObject::drop_strips()
{
    release_dc(m_colour_dc, m_colour_old, m_colour_strip);
    release_dc(m_mask_dc, m_mask_old, m_mask_strip);
    m_strips_valid = false;
}

void ImageListObject::ensure_strips()
{
    if (m_strips_valid)
        return;
    drop_strips();
    int width = std::max(m_count, 1) * m_cx;
    m_colour_strip = make_dib(width, m_cy, &m_colour_bits);
    m_mask_strip = make_dib(width, m_cy, &m_mask_bits);
    m_colour_dc = select_into_new_dc(m_colour_strip, m_colour_old);
    m_mask_dc = select_into_new_dc(m_mask_strip, m_mask_old);
    for (int i = 0; i < m_count; ++i) {
        for (int y = 0; y < m_cy; ++y) {
            for (int x = 0; x < m_cx; ++x) {
                std::size_t from = static_cast<std::size_t>(i) * m_cx * m_cy + static_cast<std::size_t>(y) * m_cx + x;
                std::size_t to = static_cast<std::size_t>(y) * width + static_cast<std::size_t>(i) * m_cx + x;
                m_colour_bits[to] = m_rgb[from];
                m_mask_bits[to] = m_clear[from] ? kWhite : kBlack;
            }
        }
    }
    m_strips_valid = true;
}

HDC ImageListObject::blend_source(int index, int x_bitmap, int y_bitmap, int width, int height, COLORREF blend)
{
    if (!m_scratch) {
        m_scratch = make_dib(m_cx, m_cy, &m_scratch_bits);
        m_scratch_dc = select_into_new_dc(m_scratch, m_scratch_old);
    }
    std::uint32_t mix = to_pixel(blend);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::size_t from = static_cast<std::size_t>(index) * m_cx * m_cy
                + static_cast<std::size_t>(y + y_bitmap) * m_cx + (x + x_bitmap);
            m_scratch_bits[static_cast<std::size_t>(y) * m_cx + x] = m_clear[from] ? kBlack : half_mix(m_rgb[from], mix);
        }
    }
    return m_scratch_dc;
}

bool ImageListObject::draw(DrawRequest const& r)
{
    if (!valid_index(r.index) || !r.dc)
        return false;
    ensure_strips();
    int width = std::clamp(r.cx ? r.cx : m_cx, 0, m_cx - std::clamp(r.x_bitmap, 0, m_cx));
    int height = std::clamp(r.cy ? r.cy : m_cy, 0, m_cy - std::clamp(r.y_bitmap, 0, m_cy));
    int sx = r.index * m_cx + r.x_bitmap;
    if (r.style & ILD_MASK)
        return BitBlt(r.dc, r.x, r.y, width, height, m_mask_dc, sx, r.y_bitmap, SRCCOPY);
    HDC source = m_colour_dc;
    int source_x = sx;
    int source_y = r.y_bitmap;
    COLORREF blend = r.foreground == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : r.foreground;
    if ((r.style & (ILD_BLEND50 | ILD_BLEND25)) && blend != CLR_NONE) {
        source = blend_source(r.index, r.x_bitmap, r.y_bitmap, width, height, blend);
        source_x = 0;
        source_y = 0;
    }
    if (!has_mask())
        return BitBlt(r.dc, r.x, r.y, width, height, source, source_x, source_y, SRCCOPY);
    COLORREF background = r.background == CLR_DEFAULT ? m_background : r.background;
    if (!(r.style & ILD_TRANSPARENT) && background != CLR_NONE) {
        HBRUSH brush = CreateSolidBrush(background);
        RECT area { r.x, r.y, r.x + width, r.y + height };
        FillRect(r.dc, &area, brush);
        DeleteObject(brush);
    }
    BitBlt(r.dc, r.x, r.y, width, height, m_mask_dc, sx, r.y_bitmap, SRCAND);
    return BitBlt(r.dc, r.x, r.y, width, height, source, source_x, source_y, SRCPAINT);
}

bool ImageListObject::image_info(int index, IMAGEINFO& info)
{
    if (!valid_index(index))
        return false;
    ensure_strips();
    info = {};
    info.hbmImage = m_colour_strip;
    info.hbmMask = has_mask() ? m_mask_strip : nullptr;
    info.rcImage = { index * m_cx, 0, (index + 1) * m_cx, m_cy };
    return true;
}

HICON ImageListObject::make_icon(int index)
{
    if (!valid_index(index))
        return nullptr;
    std::uint32_t* colour_bits {};
    std::uint32_t* mask_bits {};
    HBITMAP colour = make_dib(m_cx, m_cy, &colour_bits);
    HBITMAP mask = make_dib(m_cx, m_cy, &mask_bits);
    std::size_t size = static_cast<std::size_t>(m_cx) * m_cy;
    std::size_t base = static_cast<std::size_t>(index) * size;
    for (std::size_t i = 0; i < size; ++i) {
        colour_bits[i] = m_rgb[base + i];
        mask_bits[i] = m_clear[base + i] ? kWhite : kBlack;
    }
    ICONINFO info { TRUE, 0, 0, mask, colour };
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return icon;
}

}
