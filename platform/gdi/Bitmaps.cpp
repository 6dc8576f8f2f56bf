// Forwarders of Gdi.h: bitmaps, DIBs and blits.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/StockObjects.h"

#include <algorithm>
#include <cstring>

using namespace platform;
using namespace platform::gdi;

namespace {

HBITMAP add_bitmap(std::unique_ptr<BitmapObject> bitmap)
{
    return bitmap ? static_cast<HBITMAP>(ObjectTable::the().add(std::move(bitmap))) : nullptr;
}

PaletteObject const* dc_palette(HDC dc)
{
    DeviceContext* d = dc_of(dc);
    return d ? lookup<PaletteObject>(d->state().palette) : nullptr;
}

// Maps a source rectangle given in the source DC's logical units to its surface.
struct SourceView {
    Surface* surface { nullptr };
    RECT rect {};
    SourceColours colours;
};

std::optional<SourceView> source_view(HDC source, int x, int y, int width, int height)
{
    DeviceContext* s = dc_of(source);
    if (!s || !s->surface())
        return std::nullopt;
    SourceView view;
    view.surface = s->surface();
    view.rect = s->to_surface(RECT { x, y, x + width, y + height });
    view.colours.source_background = s->resolve(s->state().background_colour);
    return view;
}

BOOL stretch(HDC dc, RECT const& logical_dst, HDC source, RECT const& logical_src, DWORD rop)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return FALSE;
    std::optional<Paint> pattern;
    if (rop3_uses_pattern(rop))
        pattern = d->brush_paint(d->state().brush);
    if (!rop3_uses_source(rop)) {
        Paint paint = pattern ? *pattern : Paint {};
        paint.rop2 = rop2_from_rop3(rop);
        paint_rect(d->canvas(), d->to_surface(logical_dst), paint);
        return TRUE;
    }
    auto view = source_view(source, logical_src.left, logical_src.top, logical_src.right - logical_src.left,
        logical_src.bottom - logical_src.top);
    if (!view)
        return FALSE;
    SourceColours colours = d->source_colours_for_target();
    colours.source_background = view->colours.source_background;
    blit(d->canvas(), d->to_surface(logical_dst), *view->surface, view->rect, rop, pattern ? &*pattern : nullptr, colours);
    return TRUE;
}

// The caller's buffer holds `lines` scan lines from scan line `start`; scan lines count from
// the bottom row for bottom-up DIBs.
int bitmap_row_of_scan(DibFormat const& format, int scan)
{
    return format.bottom_up ? format.height - 1 - scan : scan;
}

int buffer_row_of_line(DibFormat const& part, int line)
{
    return part.bottom_up ? part.height - 1 - line : line;
}

int copy_dib_rows_out(BitmapObject& bitmap, UINT start, UINT lines, void* bits, DibFormat const& format)
{
    DibFormat part = format;
    part.height = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(format.height)));
    auto target = wrap_dib(part, bits);
    Surface& from = *bitmap.surface;
    int count = 0;
    for (int i = 0; i < part.height; ++i) {
        int top = bitmap_row_of_scan(format, static_cast<int>(start) + i);
        if (top < 0 || top >= from.height())
            continue;
        int ty = buffer_row_of_line(part, i);
        for (int x = 0; x < std::min(format.width, from.width()); ++x)
            target->set_pixel(x, ty, from.pixel(x, top));
        ++count;
    }
    return count;
}

}

extern "C" {

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, void const* bits)
{
    if (planes != 1 || (bits_per_pixel != 1 && bits_per_pixel != 32 && bits_per_pixel != 24 && bits_per_pixel != 8))
        return nullptr;
    auto bitmap = make_device_bitmap(width, height, static_cast<int>(bits_per_pixel));
    if (!bitmap)
        return nullptr;
    if (bits) {
        // Rows of device bitmaps handed in are aligned to 16 bits.
        int row_bytes = ((width * static_cast<int>(bits_per_pixel) + 15) / 16) * 2;
        auto const* from = static_cast<std::uint8_t const*>(bits);
        Surface& s = *bitmap->surface;
        for (int y = 0; y < height; ++y)
            std::memcpy(s.row(y), from + static_cast<std::ptrdiff_t>(y) * row_bytes, static_cast<std::size_t>(std::min(row_bytes, s.stride())));
    }
    return add_bitmap(std::move(bitmap));
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height)
{
    DeviceContext* d = dc_of(dc);
    // A memory DC still holding its default bitmap is monochrome, and so are its bitmaps.
    bool mono = d && d->type() == DeviceContext::Type::Memory && d->surface() && d->surface()->is_monochrome_device();
    return add_bitmap(make_device_bitmap(width, height, mono ? 1 : 32));
}

HBITMAP CreateDIBSection(HDC dc, BITMAPINFO const* info, UINT usage, void** bits, HANDLE, DWORD)
{
    if (bits)
        *bits = nullptr;
    auto format = read_dib_format(info, usage, dc_palette(dc));
    if (!format)
        return nullptr;
    auto bitmap = make_dib_section(*format);
    if (bits)
        *bits = bitmap->storage.data();
    return add_bitmap(std::move(bitmap));
}

HBITMAP CreateDIBitmap(HDC dc, BITMAPINFOHEADER const* header, DWORD init, void const* bits, BITMAPINFO const* info, UINT usage)
{
    if (!header)
        return nullptr;
    int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    HBITMAP bitmap = CreateCompatibleBitmap(dc, header->biWidth, height);
    if (bitmap && init == 4 /* CBM_INIT */ && bits && info)
        SetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits, info, usage);
    return bitmap;
}

int GetDIBits(HDC dc, HBITMAP handle, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage)
{
    auto* bitmap = lookup<BitmapObject>(handle);
    if (!bitmap || !info)
        return 0;
    Surface& s = *bitmap->surface;
    if (!bits && info->bmiHeader.biBitCount == 0) {
        BITMAPINFOHEADER& h = info->bmiHeader;
        h.biWidth = s.width();
        h.biHeight = s.height();
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(s.bits_per_pixel());
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(s.byte_size());
        return 1;
    }
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biBitCount <= 8) {
        // The colour table the caller gets is the bitmap's own when depths match, else grey.
        std::size_t count = 1u << h.biBitCount;
        for (std::size_t i = 0; i < count; ++i) {
            RGBQUAD q {};
            if (s.bits_per_pixel() == h.biBitCount && i < s.palette().size())
                q = s.palette()[i];
            else if (s.bits_per_pixel() == h.biBitCount && s.palette().empty() && h.biBitCount == 1)
                q = i ? RGBQUAD { 255, 255, 255, 0 } : RGBQUAD {};
            else {
                BYTE v = static_cast<BYTE>(i * 255 / (count - 1));
                q = RGBQUAD { v, v, v, 0 };
            }
            info->bmiColors[i] = q;
        }
        h.biClrUsed = 0;
    }
    auto format = read_dib_format(info, DIB_RGB_COLORS, dc_palette(dc));
    if (!format)
        return 0;
    h.biSizeImage = static_cast<DWORD>(dib_stride(format->width, format->bits_per_pixel) * format->height);
    if (!bits)
        return static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(format->height)));
    (void)usage;
    return copy_dib_rows_out(*bitmap, start, lines, bits, *format);
}

int SetDIBits(HDC dc, HBITMAP handle, UINT start, UINT lines, void const* bits, BITMAPINFO const* info, UINT usage)
{
    auto* bitmap = lookup<BitmapObject>(handle);
    auto format = read_dib_format(info, usage, dc_palette(dc));
    if (!bitmap || !format || !bits)
        return 0;
    DibFormat part = *format;
    part.height = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(format->height)));
    auto from = wrap_dib(part, bits);
    Surface& to = *bitmap->surface;
    int count = 0;
    for (int i = 0; i < part.height; ++i) {
        int top = bitmap_row_of_scan(*format, static_cast<int>(start) + i);
        if (top < 0 || top >= to.height())
            continue;
        int fy = buffer_row_of_line(part, i);
        for (int x = 0; x < std::min(part.width, to.width()); ++x)
            to.set_pixel(x, top, from->pixel(x, fy));
        ++count;
    }
    return count;
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int src_x, int src_y, int src_width, int src_height,
    void const* bits, BITMAPINFO const* info, UINT usage, DWORD rop)
{
    DeviceContext* d = dc_of(dc);
    auto format = read_dib_format(info, usage, dc_palette(dc));
    if (!d || !format || !bits)
        return 0;
    auto source = wrap_dib(*format, bits);
    // Source coordinates of DIBs count rows from the bottom for bottom-up images.
    int top = format->bottom_up ? format->height - src_y - src_height : src_y;
    blit(d->canvas(), d->to_surface(RECT { x, y, x + width, y + height }), *source,
        RECT { src_x, top, src_x + src_width, top + src_height }, rop, nullptr, d->source_colours_for_target());
    return src_height;
}

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int src_x, int src_y, UINT, UINT lines,
    void const* bits, BITMAPINFO const* info, UINT usage)
{
    int w = static_cast<int>(width);
    int h = static_cast<int>(height);
    return StretchDIBits(dc, x, y, w, h, src_x, src_y, w, h, bits, info, usage, SRCCOPY) ? static_cast<int>(lines) : 0;
}

UINT SetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD const* colours)
{
    DeviceContext* d = dc_of(dc);
    Surface* s = d ? d->surface() : nullptr;
    if (!s || !colours || s->bits_per_pixel() > 8 || s->palette().empty())
        return 0;
    auto palette = s->palette();
    UINT done = 0;
    for (; done < count && start + done < palette.size(); ++done)
        palette[start + done] = colours[done];
    s->set_palette(std::move(palette));
    return done;
}

UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colours)
{
    DeviceContext* d = dc_of(dc);
    Surface* s = d ? d->surface() : nullptr;
    if (!s || !colours)
        return 0;
    UINT done = 0;
    for (; done < count && start + done < s->palette().size(); ++done)
        colours[done] = s->palette()[start + done];
    return done;
}

BOOL GdiFlush()
{
    return TRUE;
}

BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int src_x, int src_y, DWORD rop)
{
    return stretch(dc, RECT { x, y, x + width, y + height }, source, RECT { src_x, src_y, src_x + width, src_y + height }, rop);
}

BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int src_x, int src_y, int src_width,
    int src_height, DWORD rop)
{
    return stretch(dc, RECT { x, y, x + width, y + height }, source, RECT { src_x, src_y, src_x + src_width, src_y + src_height }, rop);
}

BOOL TransparentBlt(HDC dc, int x, int y, int width, int height, HDC source, int src_x, int src_y, int src_width,
    int src_height, UINT transparent)
{
    DeviceContext* d = dc_of(dc);
    auto view = source_view(source, src_x, src_y, src_width, src_height);
    if (!d || !view || width <= 0 || height <= 0 || src_width <= 0 || src_height <= 0)
        return FALSE;
    Canvas const& canvas = d->canvas();
    RECT dst = d->to_surface(RECT { x, y, x + width, y + height });
    Pixel key = pixel_from_colorref(transparent);
    SourceColours colours = d->source_colours_for_target();
    for (RECT const& c : canvas.clip) {
        RECT r = rect_intersection(dst, c);
        for (int py = r.top; py < r.bottom; ++py) {
            int sy = view->rect.top + (py - dst.top) * src_height / height;
            for (int px = r.left; px < r.right; ++px) {
                int sx = view->rect.left + (px - dst.left) * src_width / width;
                if (sx < 0 || sy < 0 || sx >= view->surface->width() || sy >= view->surface->height())
                    continue;
                Pixel p = source_pixel(*view->surface, sx, sy, colours, false);
                if (p != key)
                    canvas.surface->set_pixel(px, py, p);
            }
        }
    }
    return TRUE;
}

BOOL AlphaBlend(HDC dc, int x, int y, int width, int height, HDC source, int src_x, int src_y, int src_width,
    int src_height, BLENDFUNCTION blend)
{
    DeviceContext* d = dc_of(dc);
    auto view = source_view(source, src_x, src_y, src_width, src_height);
    if (!d || !view || width <= 0 || height <= 0 || src_width <= 0 || src_height <= 0 || blend.BlendOp != AC_SRC_OVER)
        return FALSE;
    bool per_pixel = (blend.AlphaFormat & AC_SRC_ALPHA) && view->surface->bits_per_pixel() == 32;
    unsigned constant = blend.SourceConstantAlpha;
    Canvas const& canvas = d->canvas();
    RECT dst = d->to_surface(RECT { x, y, x + width, y + height });
    SourceColours colours = d->source_colours_for_target();
    for (RECT const& c : canvas.clip) {
        RECT r = rect_intersection(dst, c);
        for (int py = r.top; py < r.bottom; ++py) {
            int sy = view->rect.top + (py - dst.top) * src_height / height;
            for (int px = r.left; px < r.right; ++px) {
                int sx = view->rect.left + (px - dst.left) * src_width / width;
                if (sx < 0 || sy < 0 || sx >= view->surface->width() || sy >= view->surface->height())
                    continue;
                Pixel s = source_pixel(*view->surface, sx, sy, colours, false);
                // Per-pixel alpha sources are premultiplied, as the API defines them.
                unsigned alpha = per_pixel ? (view->surface->row32(sy)[sx] >> 24) : 255;
                Pixel t = canvas.surface->pixel(px, py);
                Pixel out = 0;
                for (int shift = 0; shift <= 16; shift += 8) {
                    unsigned sc = (s >> shift) & 0xFF;
                    unsigned tc = (t >> shift) & 0xFF;
                    unsigned src_part = per_pixel ? sc * constant / 255 : sc * constant / 255;
                    unsigned a = alpha * constant / 255;
                    unsigned v = src_part + tc * (255 - a) / 255;
                    out |= std::min(v, 255u) << shift;
                }
                canvas.surface->set_pixel(px, py, out);
            }
        }
    }
    return TRUE;
}

}
