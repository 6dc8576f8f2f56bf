#include "platform/gdi/TextRenderer.h"

#include "platform/gdi/StockObjects.h"

#include <algorithm>

namespace platform::gdi {

std::shared_ptr<RealizedFont> dc_font(DeviceContext& dc)
{
    auto* font = lookup<FontObject>(dc.state().font);
    if (!font)
        font = lookup<FontObject>(stock_object(SYSTEM_FONT));
    return realize_font(font->logfont);
}

static int advance_of(RealizedFont& font, std::u32string_view text, std::size_t i, int x, LineOptions const& options)
{
    if (options.dx && i < options.dx->size())
        return (*options.dx)[i];
    if (text[i] == U'\t' && options.tab_width > 0)
        return options.tab_width - (x % options.tab_width);
    return font.glyph(text[i]).advance;
}

int text_width(RealizedFont& font, std::u32string_view text, LineOptions const& options)
{
    int x = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        x += advance_of(font, text, i, x, options);
    return x;
}

namespace {

struct Mask {
    int width { 0 };
    int height { 0 };
    std::vector<std::uint8_t> coverage;

    void put(int x, int y, std::uint8_t v)
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        std::uint8_t& c = coverage[static_cast<std::size_t>(y * width + x)];
        c = std::max(c, v);
    }
};

Mask build_mask(RealizedFont& font, std::u32string_view text, LineOptions const& options, int width)
{
    TEXTMETRIC const& tm = font.metrics();
    Mask mask { width, tm.tmHeight, {} };
    mask.coverage.assign(static_cast<std::size_t>(std::max(0, mask.width * mask.height)), 0);
    int x = 0;
    int underline_y = tm.tmAscent + font.underline_position();
    for (std::size_t i = 0; i < text.size(); ++i) {
        Glyph const& g = font.glyph(text[i]);
        int advance = advance_of(font, text, i, x, options);
        if (text[i] != U'\t' || options.tab_width == 0) {
            for (int gy = 0; gy < g.height; ++gy)
                for (int gx = 0; gx < g.width; ++gx)
                    mask.put(x + g.left + gx, tm.tmAscent - g.top + gy, g.coverage[static_cast<std::size_t>(gy * g.width + gx)]);
        }
        bool underline = tm.tmUnderlined || (static_cast<int>(i) >= options.underline_from && static_cast<int>(i) < options.underline_to);
        for (int t = 0; underline && t < font.underline_thickness(); ++t)
            for (int ux = x; ux < x + advance; ++ux)
                mask.put(ux, std::min(underline_y + t, mask.height - 1), 255);
        if (tm.tmStruckOut)
            for (int ux = x; ux < x + advance; ++ux)
                mask.put(ux, tm.tmAscent - tm.tmAscent / 3, 255);
        x += advance;
    }
    return mask;
}

// Where the mask's pixel (u, v) lands, relative to the origin, for each quarter turn.
POINT turn(int quarter, int u, int v)
{
    switch (quarter) {
    case 1:
        return POINT { v, -u - 1 };
    case 2:
        return POINT { -u - 1, -v - 1 };
    case 3:
        return POINT { -v - 1, u };
    default:
        return POINT { u, v };
    }
}

RECT turned_box(int quarter, POINT origin, int width, int height)
{
    POINT a = turn(quarter, 0, 0);
    POINT b = turn(quarter, width - 1, height - 1);
    return RECT { origin.x + std::min(a.x, b.x), origin.y + std::min(a.y, b.y), origin.x + std::max(a.x, b.x) + 1,
        origin.y + std::max(a.y, b.y) + 1 };
}

Pixel blend(Pixel text, Pixel back, unsigned c)
{
    Pixel out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        unsigned t = (text >> shift) & 0xFF;
        unsigned b = (back >> shift) & 0xFF;
        out |= ((t * c + b * (255 - c) + 127) / 255) << shift;
    }
    return out;
}

}

void draw_text_line(DeviceContext& dc, RealizedFont& font, POINT origin, std::u32string_view text, LineOptions const& options,
    RECT const* clip, bool opaque, RECT const* opaque_rect)
{
    Canvas canvas = dc.canvas();
    if (!canvas.surface)
        return;
    if (clip) {
        Region limited;
        for (RECT const& r : canvas.clip)
            limited.add(r);
        limited.intersect(dc.to_surface(*clip));
        canvas.clip = limited.rects();
    }
    int quarter = ((font.logfont().lfEscapement % 3600 + 3600) % 3600) / 900;
    if (font.logfont().lfEscapement % 900 != 0)
        quarter = 0;
    int width = text_width(font, text, options);
    POINT at = dc.to_surface(origin);
    if (opaque) {
        Paint back = dc.solid_paint(dc.state().background_colour);
        back.rop2 = 0b1100;
        paint_rect(canvas, opaque_rect ? dc.to_surface(*opaque_rect) : turned_box(quarter, at, width, font.metrics().tmHeight), back);
    }
    if (width <= 0)
        return;
    Mask mask = build_mask(font, text, options, width);
    Pixel colour = dc.resolve(dc.state().text_colour);
    Surface& s = *canvas.surface;
    for (int v = 0; v < mask.height; ++v)
        for (int u = 0; u < mask.width; ++u) {
            unsigned c = mask.coverage[static_cast<std::size_t>(v * mask.width + u)];
            if (!c)
                continue;
            POINT d = turn(quarter, u, v);
            int px = at.x + d.x;
            int py = at.y + d.y;
            if (!canvas.visible(px, py))
                continue;
            s.set_pixel(px, py, c == 255 ? colour : blend(colour, s.pixel(px, py), c));
        }
}

}
