#include "platform/gdi/TextRenderer.h"

#include "platform/gdi/StockObjects.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace platform::gdi {

std::shared_ptr<RealizedFont> dc_font(DeviceContext& dc)
{
    auto* font = lookup<FontObject>(dc.state().font);
    if (!font)
        font = lookup<FontObject>(stock_object(SYSTEM_FONT));
    // Realising goes through a cache keyed by a string; the font object keeps its answer
    // until the cache is emptied (a test pins another font file).
    if (!font->realized || font->realized_generation != realized_font_generation()) {
        font->realized = realize_font(font->logfont);
        font->realized_generation = realized_font_generation();
    }
    return font->realized;
}

int advance_of(RealizedFont& font, std::u32string_view text, std::size_t i, int x, LineOptions const& options)
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

// The coverage of one line (glyphs, underlines, strike-out), the text cell's size. Where
// glyphs overlap, a pixel keeps the larger coverage. The buffer is reused between lines.
class Mask {
public:
    Mask(int width, int height)
        : m_width(width)
        , m_height(height)
    {
        std::size_t size = static_cast<std::size_t>(std::max(0, width * height));
        if (storage().size() < size)
            storage().resize(size);
        m_data = storage().data();
        std::memset(m_data, 0, size);
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    std::uint8_t const* row(int v) const { return m_data + static_cast<std::ptrdiff_t>(v) * m_width; }

    // Coverage `from` ([0, count)) at (x, y), the part inside the mask.
    void put_row(int x, int y, std::uint8_t const* from, int count)
    {
        if (y < 0 || y >= m_height)
            return;
        int begin = std::max(0, -x);
        int end = std::min(count, m_width - x);
        std::uint8_t* to = m_data + static_cast<std::ptrdiff_t>(y) * m_width;
        for (int i = begin; i < end; ++i)
            to[x + i] = std::max(to[x + i], from[i]);
    }
    void fill_row(int x0, int x1, int y)
    {
        if (y < 0 || y >= m_height)
            return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, m_width);
        if (x1 > x0)
            std::memset(m_data + static_cast<std::ptrdiff_t>(y) * m_width + x0, 255, static_cast<std::size_t>(x1 - x0));
    }

private:
    static std::vector<std::uint8_t>& storage()
    {
        static thread_local std::vector<std::uint8_t> buffer;
        return buffer;
    }

    int m_width;
    int m_height;
    std::uint8_t* m_data { nullptr };
};

void build_mask(Mask& mask, RealizedFont& font, std::u32string_view text, LineOptions const& options)
{
    TEXTMETRIC const& tm = font.metrics();
    int x = 0;
    int underline_y = tm.tmAscent + font.underline_position();
    for (std::size_t i = 0; i < text.size(); ++i) {
        Glyph const& g = font.glyph(text[i]);
        int advance = advance_of(font, text, i, x, options);
        if (text[i] != U'\t' || options.tab_width == 0) {
            for (int gy = 0; gy < g.height; ++gy)
                mask.put_row(x + g.left, tm.tmAscent - g.top + gy, g.coverage.data() + static_cast<std::ptrdiff_t>(gy) * g.width, g.width);
        }
        bool underline = tm.tmUnderlined || (static_cast<int>(i) >= options.underline_from && static_cast<int>(i) < options.underline_to);
        for (int t = 0; underline && t < font.underline_thickness(); ++t)
            mask.fill_row(x, x + advance, std::min(underline_y + t, mask.height() - 1));
        if (tm.tmStruckOut)
            mask.fill_row(x, x + advance, tm.tmAscent - tm.tmAscent / 3);
        x += advance;
    }
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

// Each channel is (text * c + back * (255 - c) + 127) / 255, red and blue side by side in one
// word; (x + 1 + (x >> 8)) >> 8 is x / 255 for every x below 65536. Coverage 255 gives the
// text colour and 0 the background, exactly.
inline Pixel blend(Pixel text, Pixel back, unsigned c)
{
    unsigned inverse = 255 - c;
    std::uint32_t rb = (text & 0xFF00FF) * c + (back & 0xFF00FF) * inverse + 0x7F007F;
    std::uint32_t g = (text & 0xFF00) * c + (back & 0xFF00) * inverse + 0x7F00;
    rb = ((rb + 0x10001 + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    g = ((g + 0x100 + ((g >> 8) & 0xFFFF00)) >> 8) & 0xFF00;
    return rb | g;
}

// Without branches, so that the loop vectorises; a pixel without coverage keeps its stored
// value whole.
void blend_row(Pixel* to, std::uint8_t const* cover, int count, Pixel colour)
{
    for (int i = 0; i < count; ++i) {
        Pixel blended = blend(colour, to[i] & 0xFFFFFF, cover[i]);
        to[i] = cover[i] ? blended : to[i];
    }
}

// rect_intersection for the inner loops: inline, and an empty result may be any empty rect.
inline RECT overlap(RECT const& a, RECT const& b)
{
    return RECT { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom) };
}
inline bool is_empty(RECT const& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT cell_on_surface(POINT at, int width, int height, RECT const* extra_clip)
{
    RECT box { at.x, at.y, at.x + width, at.y + height };
    return extra_clip ? overlap(box, *extra_clip) : box;
}

// The common case: unturned text on a 32-bit surface. The clip rectangles do not overlap, so
// each one takes its part of the mask straight into the surface's rows.
void composite_rows(Canvas const& canvas, RECT const* extra_clip, Mask const& mask, POINT at, Pixel colour)
{
    Surface& s = *canvas.surface;
    RECT box = cell_on_surface(at, mask.width(), mask.height(), extra_clip);
    for (RECT const& c : canvas.clip) {
        RECT r = overlap(box, c);
        if (is_empty(r))
            continue;
        for (int y = r.top; y < r.bottom; ++y)
            blend_row(s.row32(y) + r.left, mask.row(y - at.y) + (r.left - at.x), r.right - r.left, colour);
    }
}

// Where a glyph's bitmap lands in the text cell (cell coordinates), and its part inside.
struct Placement {
    Glyph const* glyph;
    POINT at;
    RECT part;
};
using Placements = std::array<Placement, 64>;

// Places the glyphs of a line whose bitmaps, cut to the cell, share no column: each pixel
// then has the coverage of one glyph, as the mask would give it. Answers -1 when two
// overlap, the line has underlines or strike-out, or more glyphs than fit; the mask then
// combines them.
int place_glyphs(RealizedFont& font, std::u32string_view text, LineOptions const& options, int width, Placements& out)
{
    TEXTMETRIC const& tm = font.metrics();
    if (tm.tmUnderlined || tm.tmStruckOut || options.underline_from < options.underline_to)
        return -1;
    RECT cell { 0, 0, width, tm.tmHeight };
    int count = 0;
    int reach = 0; // columns left of this are taken
    int x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        Glyph const& g = font.glyph(text[i]);
        int advance = advance_of(font, text, i, x, options);
        if (text[i] != U'\t' || options.tab_width == 0) {
            POINT at { x + g.left, tm.tmAscent - g.top };
            RECT part = overlap(RECT { at.x, at.y, at.x + g.width, at.y + g.height }, cell);
            if (!is_empty(part)) {
                if (part.left < reach || count == static_cast<int>(out.size()))
                    return -1;
                reach = part.right;
                out[static_cast<std::size_t>(count++)] = Placement { &g, at, part };
            }
        }
        x += advance;
    }
    return count;
}

// Blends each placed glyph's coverage rows straight into the surface, with no mask between.
void composite_glyphs(Canvas const& canvas, RECT const* extra_clip, Placements const& placed, int count, POINT at, int width,
    int height, Pixel colour)
{
    Surface& s = *canvas.surface;
    RECT box = cell_on_surface(at, width, height, extra_clip);
    for (RECT const& c : canvas.clip) {
        RECT area = overlap(box, c);
        if (is_empty(area))
            continue;
        for (int k = 0; k < count; ++k) {
            Placement const& p = placed[static_cast<std::size_t>(k)];
            RECT part { p.part.left + at.x, p.part.top + at.y, p.part.right + at.x, p.part.bottom + at.y };
            RECT r = overlap(area, part);
            if (is_empty(r))
                continue;
            Glyph const& g = *p.glyph;
            for (int y = r.top; y < r.bottom; ++y) {
                std::uint8_t const* cover = g.coverage.data() + static_cast<std::ptrdiff_t>(y - at.y - p.at.y) * g.width + (r.left - at.x - p.at.x);
                blend_row(s.row32(y) + r.left, cover, r.right - r.left, colour);
            }
        }
    }
}

// Any other surface depth or a turned font: pixel by pixel through the surface.
void composite_pixels(Canvas const& canvas, Mask const& mask, int quarter, POINT at, Pixel colour)
{
    Surface& s = *canvas.surface;
    for (int v = 0; v < mask.height(); ++v) {
        std::uint8_t const* cover = mask.row(v);
        for (int u = 0; u < mask.width(); ++u) {
            unsigned c = cover[u];
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

Canvas clipped_canvas(Canvas const& canvas, RECT const& clip)
{
    Region limited;
    for (RECT const& r : canvas.clip)
        limited.add(r);
    limited.intersect(clip);
    return Canvas { canvas.surface, limited.rects() };
}

}

void draw_text_line(DeviceContext& dc, RealizedFont& font, POINT origin, std::u32string_view text, LineOptions const& options,
    RECT const* clip, bool opaque, RECT const* opaque_rect)
{
    Canvas const& canvas = dc.canvas();
    if (!canvas.surface)
        return;
    std::optional<RECT> surface_clip;
    if (clip)
        surface_clip = dc.to_surface(*clip);
    int quarter = ((font.logfont().lfEscapement % 3600 + 3600) % 3600) / 900;
    if (font.logfont().lfEscapement % 900 != 0)
        quarter = 0;
    bool rows = quarter == 0 && canvas.surface->bits_per_pixel() == 32;
    std::optional<Canvas> limited;
    if (clip && !rows)
        limited = clipped_canvas(canvas, *surface_clip);
    int width = text_width(font, text, options);
    POINT at = dc.to_surface(origin);
    if (opaque) {
        Paint back = dc.solid_paint(dc.state().background_colour);
        back.rop2 = 0b1100;
        RECT cell = opaque_rect ? dc.to_surface(*opaque_rect) : turned_box(quarter, at, width, font.metrics().tmHeight);
        paint_rect(limited ? *limited : canvas, surface_clip && rows ? rect_intersection(cell, *surface_clip) : cell, back);
    }
    if (width <= 0)
        return;
    Pixel colour = dc.resolve(dc.state().text_colour);
    RECT const* extra_clip = surface_clip ? &*surface_clip : nullptr;
    if (rows) {
        Placements placed;
        int count = place_glyphs(font, text, options, width, placed);
        if (count >= 0) {
            composite_glyphs(canvas, extra_clip, placed, count, at, width, font.metrics().tmHeight, colour);
            return;
        }
    }
    Mask mask(width, font.metrics().tmHeight);
    build_mask(mask, font, text, options);
    if (rows)
        composite_rows(canvas, extra_clip, mask, at, colour);
    else
        composite_pixels(limited ? *limited : canvas, mask, quarter, at, colour);
}

}
