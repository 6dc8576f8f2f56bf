#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/StockObjects.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/User.h"

#include <algorithm>

namespace platform::gdi {

DeviceContext::DeviceContext(Type type)
    : GdiObject(Kind)
    , m_type(type)
{
    adopt(m_state.pen, GetStockObject(BLACK_PEN));
    adopt(m_state.brush, GetStockObject(WHITE_BRUSH));
    adopt(m_state.font, GetStockObject(SYSTEM_FONT));
    adopt(m_state.palette, GetStockObject(DEFAULT_PALETTE));
    if (type == Type::Memory)
        adopt(m_state.bitmap, default_bitmap());
}

DeviceContext::~DeviceContext()
{
    for (HGDIOBJ object : { m_state.pen, m_state.brush, m_state.font, m_state.bitmap, m_state.palette })
        if (GdiObject* o = ObjectTable::the().find(object))
            o->deselected();
}

void DeviceContext::adopt(HGDIOBJ& slot, HGDIOBJ object)
{
    if (GdiObject* old = ObjectTable::the().find(slot))
        old->deselected();
    slot = object;
    if (GdiObject* o = ObjectTable::the().find(object))
        o->selected();
}

HGDIOBJ DeviceContext::select(HGDIOBJ object)
{
    GdiObject* o = ObjectTable::the().find(object);
    if (!o)
        return nullptr;
    HGDIOBJ* slot = nullptr;
    switch (o->kind()) {
    case ObjectKind::Pen:
        slot = &m_state.pen;
        break;
    case ObjectKind::Brush:
        slot = &m_state.brush;
        break;
    case ObjectKind::Font:
        slot = &m_state.font;
        break;
    case ObjectKind::Palette:
        slot = &m_state.palette;
        break;
    case ObjectKind::Bitmap:
        // A bitmap lives in one memory DC at a time (the default bitmap is shared).
        if (m_type != Type::Memory || (o->selections() > 0 && object != default_bitmap() && object != m_state.bitmap))
            return nullptr;
        slot = &m_state.bitmap;
        m_canvas_valid = false;
        break;
    case ObjectKind::Region:
    case ObjectKind::DeviceContext:
    case ObjectKind::Icon:
        return nullptr;
    }
    HGDIOBJ previous = *slot;
    adopt(*slot, object);
    return previous;
}

int DeviceContext::save()
{
    m_saved.push_back(m_state);
    for (HGDIOBJ object : { m_state.pen, m_state.brush, m_state.font, m_state.bitmap, m_state.palette })
        if (GdiObject* o = ObjectTable::the().find(object))
            o->selected();
    return static_cast<int>(m_saved.size());
}

bool DeviceContext::restore(int level)
{
    int count = static_cast<int>(m_saved.size());
    if (level < 0)
        level = count + 1 + level;
    if (level < 1 || level > count)
        return false;
    while (static_cast<int>(m_saved.size()) > level) {
        for (HGDIOBJ object : { m_saved.back().pen, m_saved.back().brush, m_saved.back().font, m_saved.back().bitmap, m_saved.back().palette })
            if (GdiObject* o = ObjectTable::the().find(object))
                o->deselected();
        m_saved.pop_back();
    }
    for (HGDIOBJ object : { m_state.pen, m_state.brush, m_state.font, m_state.bitmap, m_state.palette })
        if (GdiObject* o = ObjectTable::the().find(object))
            o->deselected();
    m_state = std::move(m_saved.back());
    m_saved.pop_back();
    m_canvas_valid = false;
    return true;
}

void DeviceContext::bind_window(HWND hwnd, std::shared_ptr<Surface> surface, POINT origin, Region visible)
{
    m_hwnd = hwnd;
    m_window_surface = std::move(surface);
    m_origin = origin;
    m_visible = std::move(visible);
    m_canvas_valid = false;
}

Surface* DeviceContext::surface()
{
    if (m_type == Type::Window)
        return m_window_surface.get();
    auto* bitmap = lookup<BitmapObject>(m_state.bitmap);
    return bitmap ? bitmap->surface.get() : nullptr;
}

Region DeviceContext::device_clip()
{
    Surface* target = surface();
    if (!target)
        return {};
    RECT bounds = target->bounds();
    bounds = RECT { bounds.left - m_origin.x, bounds.top - m_origin.y, bounds.right - m_origin.x, bounds.bottom - m_origin.y };
    Region clip(bounds);
    if (m_visible)
        clip.intersect(*m_visible);
    if (m_state.clip)
        clip.intersect(*m_state.clip);
    return clip;
}

Canvas const& DeviceContext::canvas()
{
    m_drew = true;
    return canvas_for_reading();
}

RECT DeviceContext::drawable_bounds()
{
    RECT bounds {};
    for (RECT const& r : canvas_for_reading().clip)
        UnionRect(&bounds, &bounds, &r);
    return bounds;
}

Canvas const& DeviceContext::canvas_for_reading()
{
    // A window surface follows its window's size, possibly while a DC on it is held: the
    // clip is built again so that it never reaches past a surface that shrank.
    Surface* target = surface();
    bool same_size = target && target->width() == m_canvas_size.cx && target->height() == m_canvas_size.cy;
    if (m_canvas_valid && m_canvas.surface == target && same_size)
        return m_canvas;
    if (target)
        m_canvas_size = SIZE { target->width(), target->height() };
    Region clip = device_clip();
    clip.offset(m_origin.x, m_origin.y);
    m_canvas.surface = surface();
    m_canvas.clip = clip.rects();
    m_canvas_valid = true;
    return m_canvas;
}

POINT DeviceContext::to_device(POINT p) const
{
    return POINT { p.x - m_state.window_origin.x + m_state.viewport_origin.x, p.y - m_state.window_origin.y + m_state.viewport_origin.y };
}

POINT DeviceContext::to_logical(POINT p) const
{
    return POINT { p.x + m_state.window_origin.x - m_state.viewport_origin.x, p.y + m_state.window_origin.y - m_state.viewport_origin.y };
}

POINT DeviceContext::to_surface(POINT logical) const
{
    POINT d = to_device(logical);
    return POINT { d.x + m_origin.x, d.y + m_origin.y };
}

RECT DeviceContext::to_surface(RECT const& r) const
{
    POINT a = to_surface(POINT { r.left, r.top });
    POINT b = to_surface(POINT { r.right, r.bottom });
    return RECT { a.x, a.y, b.x, b.y };
}

Pixel DeviceContext::resolve(COLORREF colour) const
{
    if ((colour >> 24) == 0x01) {
        auto* palette = lookup<PaletteObject>(m_state.palette);
        std::size_t index = colour & 0xFFFF;
        if (palette && index < palette->entries.size()) {
            PALETTEENTRY e = palette->entries[index];
            return (static_cast<Pixel>(e.peRed) << 16) | (e.peGreen << 8) | e.peBlue;
        }
        return 0;
    }
    return pixel_from_colorref(colour & 0xFFFFFF);
}

Paint DeviceContext::solid_paint(COLORREF colour) const
{
    Paint paint;
    paint.colour = resolve(colour);
    paint.rop2 = rop2_table(m_state.rop2);
    return paint;
}

std::optional<Paint> DeviceContext::brush_paint(HGDIOBJ handle)
{
    std::uintptr_t value = reinterpret_cast<std::uintptr_t>(handle);
    if (value > 0 && value <= COLOR_MENUBAR + 1) // (HBRUSH)(COLOR_x + 1)
        return solid_paint(GetSysColor(static_cast<int>(value - 1)));
    auto* brush = lookup<BrushObject>(handle);
    if (!brush || brush->style == BS_NULL)
        return std::nullopt;
    if (brush->dc_brush)
        return solid_paint(m_state.dc_brush_colour);
    if (brush->system_colour >= 0)
        return solid_paint(GetSysColor(brush->system_colour));
    if (brush->style == BS_PATTERN && brush->pattern) {
        Surface const& p = *brush->pattern;
        SourceColours colours { resolve(m_state.text_colour), resolve(m_state.background_colour), 0xFFFFFF };
        m_pattern.resize(static_cast<std::size_t>(p.width() * p.height()));
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                m_pattern[static_cast<std::size_t>(y * p.width() + x)] = source_pixel(p, x, y, colours, false);
        Paint paint = solid_paint(0);
        paint.pattern = &m_pattern;
        paint.pattern_width = p.width();
        paint.pattern_height = p.height();
        paint.pattern_origin = POINT { m_state.brush_origin.x + m_origin.x, m_state.brush_origin.y + m_origin.y };
        return paint;
    }
    return solid_paint(brush->colour);
}

std::optional<Paint> DeviceContext::pen_paint()
{
    auto* pen = lookup<PenObject>(m_state.pen);
    if (!pen || pen->style == PS_NULL)
        return std::nullopt;
    return solid_paint(pen->dc_pen ? m_state.dc_pen_colour : pen->colour);
}

SourceColours DeviceContext::source_colours_for_target() const
{
    return SourceColours { resolve(m_state.text_colour), resolve(m_state.background_colour), 0xFFFFFF };
}

DeviceContext* dc_of(HDC dc)
{
    return lookup<DeviceContext>(dc);
}

HDC create_dc(DeviceContext::Type type)
{
    return static_cast<HDC>(ObjectTable::the().add(std::make_unique<DeviceContext>(type)));
}

DeviceCaps& device_caps()
{
    static DeviceCaps caps;
    return caps;
}

}
