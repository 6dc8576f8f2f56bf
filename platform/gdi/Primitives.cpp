// Forwarders of Gdi.h: fills, pixels, lines and shapes. Logical coordinates are mapped to the
// surface here; the pixel work is in Raster.cpp.
#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <vector>

using namespace platform;
using namespace platform::gdi;

namespace {

RECT normalised(int x, int y, int width, int height)
{
    return RECT { std::min(x, x + width), std::min(y, y + height), std::max(x, x + width), std::max(y, y + height) };
}

Stroke pen_stroke(DeviceContext& d)
{
    Stroke stroke;
    auto* pen = lookup<PenObject>(d.state().pen);
    if (!pen)
        return stroke;
    stroke.width = std::max(pen->width, 1);
    if (stroke.width == 1) {
        // Dash patterns of one-pixel pens, in pixels on / off.
        switch (pen->style) {
        case PS_DASH:
            stroke.dash = { 18, 6 };
            break;
        case PS_DOT:
            stroke.dash = { 3, 3 };
            break;
        case PS_DASHDOT:
            stroke.dash = { 9, 6, 3, 6 };
            break;
        case PS_DASHDOTDOT:
            stroke.dash = { 9, 3, 3, 3, 3, 3 };
            break;
        default:
            break;
        }
    }
    return stroke;
}

// The outline of Rectangle: a frame `width` pixels thick inside the rectangle.
void paint_frame(Canvas const& canvas, RECT const& r, int width, Paint const& paint)
{
    if (r.right - r.left <= 2 * width || r.bottom - r.top <= 2 * width) {
        paint_rect(canvas, r, paint);
        return;
    }
    paint_rect(canvas, RECT { r.left, r.top, r.right, r.top + width }, paint);
    paint_rect(canvas, RECT { r.left, r.bottom - width, r.right, r.bottom }, paint);
    paint_rect(canvas, RECT { r.left, r.top + width, r.left + width, r.bottom - width }, paint);
    paint_rect(canvas, RECT { r.right - width, r.top + width, r.right, r.bottom - width }, paint);
}

int pen_width(DeviceContext& d)
{
    auto* pen = lookup<PenObject>(d.state().pen);
    return pen ? std::max(pen->width, 1) : 1;
}

Pixel lerp16(COLOR16 a, COLOR16 b, long long t, long long span, int shift)
{
    long long v = (a + (static_cast<long long>(b) - a) * t / span) >> 8;
    return static_cast<Pixel>(std::clamp<long long>(v, 0, 255)) << shift;
}

void gradient_rect(DeviceContext& d, TRIVERTEX const& a, TRIVERTEX const& b, bool vertical)
{
    TRIVERTEX const& first = (vertical ? a.y <= b.y : a.x <= b.x) ? a : b;
    TRIVERTEX const& last = &first == &a ? b : a;
    RECT r = d.to_surface(RECT { std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y) });
    Canvas const& canvas = d.canvas();
    long long span = vertical ? r.bottom - r.top : r.right - r.left;
    auto colour_at = [&](long long i) {
        return lerp16(first.Red, last.Red, i, span, 16) | lerp16(first.Green, last.Green, i, span, 8)
            | lerp16(first.Blue, last.Blue, i, span, 0);
    };
    if (!vertical) {
        // Painted row by row: a column at a time was most of the cost of drawing a caption.
        std::vector<Pixel> colours(static_cast<size_t>(std::max(span, 0LL)));
        for (long long i = 0; i < span; ++i)
            colours[static_cast<size_t>(i)] = colour_at(i);
        paint_columns(canvas, r, colours.data());
        return;
    }
    for (long long i = 0; i < span; ++i) {
        Paint paint;
        paint.colour = colour_at(i);
        paint_rect(canvas, RECT { r.left, r.top + static_cast<LONG>(i), r.right, r.top + static_cast<LONG>(i) + 1 }, paint);
    }
}

}

extern "C" {

int FillRect(HDC dc, RECT const* rect, HBRUSH brush)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !rect)
        return 0;
    auto paint = d->brush_paint(brush);
    if (!paint)
        return 1;
    paint->rop2 = 0b1100;
    paint_rect(d->canvas(), d->to_surface(*rect), *paint);
    return 1;
}

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush)
{
    auto* r = lookup<RegionObject>(region);
    if (!r)
        return FALSE;
    for (RECT const& rect : r->region.rects())
        FillRect(dc, &rect, brush);
    return TRUE;
}

int FrameRect(HDC dc, RECT const* rect, HBRUSH brush)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !rect || rect_is_empty(*rect))
        return 0;
    auto paint = d->brush_paint(brush);
    if (!paint)
        return 1;
    paint->rop2 = 0b1100;
    paint_frame(d->canvas(), d->to_surface(*rect), 1, *paint);
    return 1;
}

BOOL InvertRect(HDC dc, RECT const* rect)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !rect)
        return FALSE;
    Paint paint;
    paint.rop2 = 0b0101;
    paint_rect(d->canvas(), d->to_surface(*rect), paint);
    return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return FALSE;
    Paint paint;
    if (rop3_uses_pattern(rop)) {
        auto brush = d->brush_paint(d->state().brush);
        if (!brush)
            return TRUE;
        paint = *brush;
    }
    paint.rop2 = rop2_from_rop3(rop);
    paint_rect(d->canvas(), d->to_surface(normalised(x, y, width, height)), paint);
    return TRUE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return CLR_INVALID;
    POINT p = d->to_surface(POINT { x, y });
    Canvas const& canvas = d->canvas_for_reading();
    if (!canvas.visible(p.x, p.y))
        return CLR_INVALID;
    canvas.surface->set_pixel(p.x, p.y, d->resolve(colour));
    return colorref_from_pixel(canvas.surface->pixel(p.x, p.y));
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF colour)
{
    return SetPixel(dc, x, y, colour) != CLR_INVALID ? TRUE : FALSE;
}

COLORREF GetPixel(HDC dc, int x, int y)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return CLR_INVALID;
    POINT p = d->to_surface(POINT { x, y });
    Canvas const& canvas = d->canvas_for_reading();
    if (!canvas.visible(p.x, p.y))
        return CLR_INVALID;
    return colorref_from_pixel(canvas.surface->pixel(p.x, p.y));
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return FALSE;
    if (previous)
        *previous = d->state().position;
    d->state().position = POINT { x, y };
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC dc, POINT* out)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !out)
        return FALSE;
    *out = d->state().position;
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return FALSE;
    POINT from = d->to_surface(d->state().position);
    POINT to = d->to_surface(POINT { x, y });
    d->state().position = POINT { x, y };
    if (auto paint = d->pen_paint()) {
        int phase = 0;
        paint_line(d->canvas(), from, to, pen_stroke(*d), *paint, phase);
    }
    return TRUE;
}

BOOL Polyline(HDC dc, POINT const* points, int count)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !points || count < 2)
        return FALSE;
    auto paint = d->pen_paint();
    if (!paint)
        return TRUE;
    Stroke stroke = pen_stroke(*d);
    int phase = 0;
    for (int i = 1; i < count; ++i)
        paint_line(d->canvas(), d->to_surface(points[i - 1]), d->to_surface(points[i]), stroke, *paint, phase);
    return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return FALSE;
    RECT r = d->to_surface(normalised(left, top, right - left, bottom - top));
    auto pen = d->pen_paint();
    if (!pen) {
        // Without a pen the filled area is one pixel smaller, as the outline would have
        // taken the right and bottom pixels.
        r.right -= 1;
        r.bottom -= 1;
    }
    int width = pen ? pen_width(*d) : 0;
    if (auto fill = d->brush_paint(d->state().brush)) {
        fill->rop2 = rop2_table(d->state().rop2);
        paint_rect(d->canvas(), RECT { r.left + width, r.top + width, r.right - width, r.bottom - width }, *fill);
    }
    if (pen)
        paint_frame(d->canvas(), r, width, *pen);
    return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return FALSE;
    RECT r = d->to_surface(normalised(left, top, right - left, bottom - top));
    auto pen = d->pen_paint();
    auto fill = d->brush_paint(d->state().brush);
    if (fill)
        fill->rop2 = rop2_table(d->state().rop2);
    paint_ellipse(d->canvas(), r, pen ? &*pen : nullptr, pen ? pen_width(*d) : 0, fill ? &*fill : nullptr);
    return TRUE;
}

BOOL Polygon(HDC dc, POINT const* points, int count)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !points || count < 2)
        return FALSE;
    std::vector<POINT> mapped;
    for (int i = 0; i < count; ++i)
        mapped.push_back(d->to_surface(points[i]));
    if (auto fill = d->brush_paint(d->state().brush)) {
        fill->rop2 = rop2_table(d->state().rop2);
        paint_polygon_fill(d->canvas(), mapped, *fill);
    }
    if (auto pen = d->pen_paint()) {
        Stroke stroke = pen_stroke(*d);
        int phase = 0;
        for (std::size_t i = 0; i < mapped.size(); ++i)
            paint_line(d->canvas(), mapped[i], mapped[(i + 1) % mapped.size()], stroke, *pen, phase);
    }
    return TRUE;
}

BOOL GradientFill(HDC dc, TRIVERTEX* vertices, ULONG vertex_count, PVOID mesh, ULONG mesh_count, ULONG mode)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !vertices || !mesh || (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V))
        return FALSE;
    auto* rects = static_cast<GRADIENT_RECT const*>(mesh);
    for (ULONG i = 0; i < mesh_count; ++i) {
        if (rects[i].UpperLeft >= vertex_count || rects[i].LowerRight >= vertex_count)
            return FALSE;
        gradient_rect(*d, vertices[rects[i].UpperLeft], vertices[rects[i].LowerRight], mode == GRADIENT_FILL_RECT_V);
    }
    return TRUE;
}

}
