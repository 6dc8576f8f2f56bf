#include "platform/gdi/Raster.h"

#include "platform/gdi/RowBlit.h"

#include "platform/user/Region.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdlib>

namespace platform::gdi {

Pixel Paint::at(int x, int y) const
{
    if (!pattern)
        return colour;
    int px = ((x - pattern_origin.x) % pattern_width + pattern_width) % pattern_width;
    int py = ((y - pattern_origin.y) % pattern_height + pattern_height) % pattern_height;
    return (*pattern)[static_cast<std::size_t>(py * pattern_width + px)];
}

Pixel apply_rop2(std::uint8_t t, Pixel p, Pixel d)
{
    switch (t) {
    case 0b1100:
        return p;
    case 0b0110:
        return (p ^ d) & 0xFFFFFF;
    case 0b0101:
        return ~d & 0xFFFFFF;
    case 0b1010:
        return d;
    default:
        break;
    }
    Pixel r = 0;
    if (t & 1)
        r |= ~p & ~d;
    if (t & 2)
        r |= ~p & d;
    if (t & 4)
        r |= p & ~d;
    if (t & 8)
        r |= p & d;
    return r & 0xFFFFFF;
}

Pixel apply_rop3(DWORD rop, Pixel p, Pixel s, Pixel d)
{
    std::uint8_t b = static_cast<std::uint8_t>(rop >> 16);
    switch (b) {
    case 0xCC:
        return s;
    case 0xEE:
        return (s | d) & 0xFFFFFF;
    case 0x88:
        return s & d;
    case 0x66:
        return (s ^ d) & 0xFFFFFF;
    default:
        break;
    }
    Pixel r = 0;
    for (int i = 0; i < 8; ++i) {
        if (!((b >> i) & 1))
            continue;
        Pixel term = ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        r |= term;
    }
    return r & 0xFFFFFF;
}

bool Canvas::visible(int x, int y) const
{
    for (RECT const& r : clip)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

RECT Canvas::clip_box() const
{
    Region region;
    for (RECT const& r : clip)
        region.add(r);
    return region.bounds();
}

static void paint_span(Surface& surface, int y, int x0, int x1, Paint const& paint)
{
    if (!paint.pattern && paint.rop2 == 0b1100) {
        surface.fill_span(y, x0, x1, paint.colour);
        return;
    }
    if (paint.rop2 == 0b1010)
        return;
    if (surface.bits_per_pixel() == 32) {
        Pixel* row = surface.row32(y);
        for (int x = x0; x < x1; ++x)
            row[x] = apply_rop2(paint.rop2, paint.at(x, y), row[x] & 0xFFFFFF);
        return;
    }
    for (int x = x0; x < x1; ++x)
        surface.set_pixel(x, y, apply_rop2(paint.rop2, paint.at(x, y), surface.pixel(x, y)));
}

void paint_rect(Canvas const& canvas, RECT const& rect, Paint const& paint)
{
    if (!canvas.surface || rect_is_empty(rect))
        return;
    for (RECT const& c : canvas.clip) {
        RECT r = rect_intersection(rect, c);
        for (int y = r.top; y < r.bottom; ++y)
            paint_span(*canvas.surface, y, r.left, r.right, paint);
    }
}

void paint_columns(Canvas const& canvas, RECT const& rect, Pixel const* colours)
{
    if (!canvas.surface || rect_is_empty(rect))
        return;
    Surface& s = *canvas.surface;
    for (RECT const& c : canvas.clip) {
        RECT const r = rect_intersection(rect, c);
        for (int y = r.top; y < r.bottom; ++y) {
            if (s.bits_per_pixel() == 32) {
                Pixel* row = s.row32(y);
                for (int x = r.left; x < r.right; ++x)
                    row[x] = colours[x - rect.left] & 0xFFFFFF;
                continue;
            }
            for (int x = r.left; x < r.right; ++x)
                s.set_pixel(x, y, colours[x - rect.left]);
        }
    }
}

void paint_pixel(Canvas const& canvas, int x, int y, Paint const& paint)
{
    if (!canvas.surface || !canvas.visible(x, y))
        return;
    Surface& s = *canvas.surface;
    s.set_pixel(x, y, apply_rop2(paint.rop2, paint.at(x, y), s.pixel(x, y)));
}

static bool dash_on(Stroke const& stroke, int phase)
{
    if (stroke.dash.empty())
        return true;
    int period = 0;
    for (int run : stroke.dash)
        period += run;
    int at = phase % period;
    for (std::size_t i = 0; i < stroke.dash.size(); ++i) {
        if (at < stroke.dash[i])
            return i % 2 == 0;
        at -= stroke.dash[i];
    }
    return true;
}

static void stamp(Canvas const& canvas, int x, int y, int width, Paint const& paint)
{
    if (width <= 1) {
        paint_pixel(canvas, x, y, paint);
        return;
    }
    int half = width / 2;
    paint_rect(canvas, RECT { x - half, y - half, x - half + width, y - half + width }, paint);
}

void paint_line(Canvas const& canvas, POINT from, POINT to, Stroke const& stroke, Paint const& paint, int& phase)
{
    int dx = std::abs(to.x - from.x);
    int dy = -std::abs(to.y - from.y);
    int sx = from.x < to.x ? 1 : -1;
    int sy = from.y < to.y ? 1 : -1;
    int err = dx + dy;
    int x = from.x;
    int y = from.y;
    while (x != to.x || y != to.y) {
        if (dash_on(stroke, phase))
            stamp(canvas, x, y, stroke.width, paint);
        ++phase;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

std::vector<std::pair<int, int>> ellipse_spans(RECT const& box)
{
    std::vector<std::pair<int, int>> spans;
    double cx = (box.left + box.right) / 2.0;
    double cy = (box.top + box.bottom) / 2.0;
    double rx = (box.right - box.left) / 2.0;
    double ry = (box.bottom - box.top) / 2.0;
    for (int y = box.top; y < box.bottom; ++y) {
        double ny = (y + 0.5 - cy) / ry;
        double span = 1.0 - ny * ny;
        if (span < 0 || rx <= 0) {
            spans.emplace_back(0, 0);
            continue;
        }
        double half = rx * std::sqrt(span);
        int x0 = static_cast<int>(std::ceil(cx - half - 0.5));
        int x1 = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
        spans.emplace_back(std::max(x0, box.left), std::min(x1, box.right));
    }
    return spans;
}

void paint_ellipse(Canvas const& canvas, RECT const& box, Paint const* outline, int outline_width, Paint const* fill)
{
    if (rect_is_empty(box))
        return;
    auto outer = ellipse_spans(box);
    RECT inner_box { box.left + outline_width, box.top + outline_width, box.right - outline_width, box.bottom - outline_width };
    auto inner = outline ? ellipse_spans(inner_box) : outer;
    for (int i = 0; i < static_cast<int>(outer.size()); ++i) {
        int y = box.top + i;
        auto [x0, x1] = outer[static_cast<std::size_t>(i)];
        int row_inner = y - inner_box.top;
        bool has_inner = outline && row_inner >= 0 && row_inner < static_cast<int>(inner.size()) && !rect_is_empty(inner_box);
        int ix0 = has_inner ? inner[static_cast<std::size_t>(row_inner)].first : x1;
        int ix1 = has_inner ? inner[static_cast<std::size_t>(row_inner)].second : x1;
        if (ix1 <= ix0)
            ix0 = ix1 = x1;
        if (!outline) {
            if (fill)
                paint_rect(canvas, RECT { x0, y, x1, y + 1 }, *fill);
            continue;
        }
        paint_rect(canvas, RECT { x0, y, std::min(ix0, x1), y + 1 }, *outline);
        if (fill)
            paint_rect(canvas, RECT { ix0, y, ix1, y + 1 }, *fill);
        paint_rect(canvas, RECT { std::max(ix1, x0), y, x1, y + 1 }, *outline);
    }
}

void paint_polygon_fill(Canvas const& canvas, std::vector<POINT> const& points, Paint const& paint)
{
    if (points.size() < 3)
        return;
    int top = points[0].y;
    int bottom = points[0].y;
    for (POINT p : points) {
        top = std::min<int>(top, p.y);
        bottom = std::max<int>(bottom, p.y);
    }
    std::vector<double> xs;
    for (int y = top; y < bottom; ++y) {
        double sy = y + 0.5;
        xs.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            POINT a = points[i];
            POINT b = points[(i + 1) % points.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            int x0 = static_cast<int>(std::ceil(xs[i] - 0.5));
            int x1 = static_cast<int>(std::ceil(xs[i + 1] - 0.5));
            paint_rect(canvas, RECT { x0, y, x1, y + 1 }, paint);
        }
    }
}

Pixel source_pixel(Surface const& source, int x, int y, SourceColours const& colours, bool to_mono)
{
    if (source.is_monochrome_device() && !to_mono)
        return source.raw(x, y) ? colours.mono_one : colours.mono_zero;
    Pixel p = source.pixel(x, y);
    if (to_mono && !source.is_monochrome_device())
        return p == colours.source_background ? 0xFFFFFF : 0;
    return p;
}

void blit(Canvas const& canvas, RECT const& dst, Surface const& source, RECT const& src, DWORD rop,
    Paint const* pattern, SourceColours const& colours)
{
    if (!canvas.surface || rect_is_empty(dst) || rect_is_empty(src))
        return;
    if (blit_rows(canvas, dst, source, src, rop, pattern, colours))
        return;
    Surface& target = *canvas.surface;
    bool to_mono = target.is_monochrome_device();
    int dw = dst.right - dst.left;
    int dh = dst.bottom - dst.top;
    int sw = src.right - src.left;
    int sh = src.bottom - src.top;
    for (RECT const& c : canvas.clip) {
        RECT r = rect_intersection(dst, c);
        for (int y = r.top; y < r.bottom; ++y) {
            int sy = src.top + static_cast<int>(static_cast<long long>(y - dst.top) * sh / dh);
            if (sy < 0 || sy >= source.height())
                continue;
            for (int x = r.left; x < r.right; ++x) {
                int sx = src.left + static_cast<int>(static_cast<long long>(x - dst.left) * sw / dw);
                if (sx < 0 || sx >= source.width())
                    continue;
                Pixel s = source_pixel(source, sx, sy, colours, to_mono);
                Pixel p = pattern ? pattern->at(x, y) : 0;
                target.set_pixel(x, y, apply_rop3(rop, p, s, target.pixel(x, y)));
            }
        }
    }
}

}
