// Forwarders of Gdi.h: device contexts, objects and DC state.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/StockObjects.h"

#include <algorithm>
#include <cstring>
#include <utility>

using namespace platform::gdi;

namespace {

template<typename Get>
auto with_dc(HDC dc, Get get, decltype(get(std::declval<DeviceContext&>())) fallback)
{
    DeviceContext* d = dc_of(dc);
    return d ? get(*d) : fallback;
}

template<typename T>
int copy_out(T const& value, int size, LPVOID out)
{
    if (!out)
        return static_cast<int>(sizeof(T));
    int n = std::min<int>(size, static_cast<int>(sizeof(T)));
    std::memcpy(out, &value, static_cast<std::size_t>(n));
    return n;
}

BOOL set_point(POINT* out, POINT value)
{
    if (out)
        *out = value;
    return TRUE;
}

}

extern "C" {

HDC CreateCompatibleDC(HDC)
{
    return create_dc(DeviceContext::Type::Memory);
}

BOOL DeleteDC(HDC dc)
{
    DeviceContext* d = dc_of(dc);
    if (!d || d->type() != DeviceContext::Type::Memory)
        return FALSE;
    return ObjectTable::the().remove(dc) ? TRUE : FALSE;
}

int SaveDC(HDC dc)
{
    return with_dc(dc, [](DeviceContext& d) { return d.save(); }, 0);
}

BOOL RestoreDC(HDC dc, int saved)
{
    return with_dc(dc, [&](DeviceContext& d) { return d.restore(saved) ? TRUE : FALSE; }, FALSE);
}

int GetDeviceCaps(HDC dc, int index)
{
    DeviceContext* d = dc_of(dc);
    DeviceCaps const& caps = device_caps();
    Surface* s = d ? d->surface() : nullptr;
    bool memory = d && d->type() == DeviceContext::Type::Memory && s;
    int bits = memory ? s->bits_per_pixel() : caps.bits_per_pixel;
    switch (index) {
    case BITSPIXEL:
        return bits;
    case PLANES:
        return caps.planes;
    case NUMCOLORS:
        return bits <= 8 ? (1 << bits) : -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_DI_BITMAP | RC_STRETCHBLT | (caps.palette && !memory ? RC_PALETTE : 0);
    case LOGPIXELSX:
    case LOGPIXELSY:
        return caps.dpi;
    case SIZEPALETTE:
        return caps.palette ? 256 : 0;
    case NUMRESERVED:
        return caps.palette ? 20 : 0;
    case COLORRES:
        return caps.palette ? 18 : 24;
    case HORZRES:
        return s ? s->width() : 0;
    case VERTRES:
        return s ? s->height() : 0;
    default:
        return 0;
    }
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return nullptr;
    if (auto* region = lookup<RegionObject>(object)) {
        d->state().clip = region->region;
        d->clip_changed();
        return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(region->region.rects().size() > 1 ? COMPLEXREGION : SIMPLEREGION));
    }
    return d->select(object);
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return nullptr;
    switch (type) {
    case OBJ_PEN:
        return d->state().pen;
    case OBJ_BRUSH:
        return d->state().brush;
    case OBJ_FONT:
        return d->state().font;
    case OBJ_BITMAP:
        return d->state().bitmap;
    case OBJ_PAL:
        return d->state().palette;
    default:
        return nullptr;
    }
}

BOOL DeleteObject(HGDIOBJ object)
{
    GdiObject* o = ObjectTable::the().find(object);
    if (!o || o->kind() == ObjectKind::DeviceContext || o->kind() == ObjectKind::Icon)
        return FALSE;
    if (o->stock())
        return TRUE; // deleting a stock object is harmless and answers success
    return ObjectTable::the().remove(object) ? TRUE : FALSE;
}

int GetObject(HGDIOBJ object, int size, LPVOID out)
{
    GdiObject* o = ObjectTable::the().find(object);
    if (!o)
        return 0;
    switch (o->kind()) {
    case ObjectKind::Pen: {
        auto* pen = static_cast<PenObject*>(o);
        return copy_out(LOGPEN { static_cast<UINT>(pen->style), POINT { pen->width, 0 }, pen->colour }, size, out);
    }
    case ObjectKind::Brush: {
        auto* brush = static_cast<BrushObject*>(o);
        return copy_out(LOGBRUSH { brush->style, brush->colour, 0 }, size, out);
    }
    case ObjectKind::Font:
        return copy_out(static_cast<FontObject*>(o)->logfont, size, out);
    case ObjectKind::Bitmap: {
        Surface& s = *static_cast<BitmapObject*>(o)->surface;
        bool dib = static_cast<BitmapObject*>(o)->dib;
        BITMAP bm { 0, s.width(), s.height(), s.bits_per_pixel() == 1 ? ((s.width() + 15) / 16) * 2 : s.stride(), 1,
            static_cast<WORD>(s.bits_per_pixel()), dib ? s.bits() : nullptr };
        return copy_out(bm, size, out);
    }
    case ObjectKind::Palette:
        return copy_out(static_cast<WORD>(static_cast<PaletteObject*>(o)->entries.size()), size, out);
    case ObjectKind::Region:
    case ObjectKind::DeviceContext:
    case ObjectKind::Icon:
        return 0;
    }
    return 0;
}

DWORD GetObjectType(HGDIOBJ object)
{
    GdiObject* o = ObjectTable::the().find(object);
    if (!o)
        return 0;
    switch (o->kind()) {
    case ObjectKind::Pen:
        return OBJ_PEN;
    case ObjectKind::Brush:
        return OBJ_BRUSH;
    case ObjectKind::Font:
        return OBJ_FONT;
    case ObjectKind::Bitmap:
        return OBJ_BITMAP;
    case ObjectKind::Region:
        return OBJ_REGION;
    case ObjectKind::Palette:
        return OBJ_PAL;
    case ObjectKind::DeviceContext:
        return static_cast<DeviceContext*>(o)->type() == DeviceContext::Type::Memory ? OBJ_MEMDC : OBJ_DC;
    case ObjectKind::Icon:
        return 0;
    }
    return 0;
}

HPEN CreatePen(int style, int width, COLORREF colour)
{
    if (style < PS_SOLID || style > PS_INSIDEFRAME)
        return nullptr;
    return static_cast<HPEN>(ObjectTable::the().add(std::make_unique<PenObject>(style, width < 0 ? 0 : width, colour)));
}

HPEN CreatePenIndirect(LOGPEN const* pen)
{
    return pen ? CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor) : nullptr;
}

HBRUSH CreateSolidBrush(COLORREF colour)
{
    return static_cast<HBRUSH>(ObjectTable::the().add(std::make_unique<BrushObject>(BS_SOLID, colour)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap)
{
    auto* b = lookup<BitmapObject>(bitmap);
    if (!b)
        return nullptr;
    auto brush = std::make_unique<BrushObject>(BS_PATTERN, 0);
    brush->pattern = copy_surface(*b->surface);
    return static_cast<HBRUSH>(ObjectTable::the().add(std::move(brush)));
}

HBRUSH CreateBrushIndirect(LOGBRUSH const* brush)
{
    if (!brush)
        return nullptr;
    if (brush->lbStyle == BS_PATTERN)
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    if (brush->lbStyle == BS_NULL)
        return static_cast<HBRUSH>(ObjectTable::the().add(std::make_unique<BrushObject>(BS_NULL, 0)));
    // Hatched brushes have no caller; they fill solid in their colour.
    return CreateSolidBrush(brush->lbColor);
}

COLORREF SetTextColor(HDC dc, COLORREF colour)
{
    return with_dc(dc, [&](DeviceContext& d) { return std::exchange(d.state().text_colour, colour); }, CLR_INVALID);
}

COLORREF GetTextColor(HDC dc)
{
    return with_dc(dc, [](DeviceContext& d) { return d.state().text_colour; }, CLR_INVALID);
}

COLORREF SetBkColor(HDC dc, COLORREF colour)
{
    return with_dc(dc, [&](DeviceContext& d) { return std::exchange(d.state().background_colour, colour); }, CLR_INVALID);
}

COLORREF GetBkColor(HDC dc)
{
    return with_dc(dc, [](DeviceContext& d) { return d.state().background_colour; }, CLR_INVALID);
}

int SetBkMode(HDC dc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return with_dc(dc, [&](DeviceContext& d) { return std::exchange(d.state().background_mode, mode); }, 0);
}

int GetBkMode(HDC dc)
{
    return with_dc(dc, [](DeviceContext& d) { return d.state().background_mode; }, 0);
}

int SetROP2(HDC dc, int mode)
{
    if (mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return with_dc(dc, [&](DeviceContext& d) { return std::exchange(d.state().rop2, mode); }, 0);
}

int GetROP2(HDC dc)
{
    return with_dc(dc, [](DeviceContext& d) { return d.state().rop2; }, 0);
}

COLORREF SetDCBrushColor(HDC dc, COLORREF colour)
{
    return with_dc(dc, [&](DeviceContext& d) { return std::exchange(d.state().dc_brush_colour, colour); }, CLR_INVALID);
}

COLORREF SetDCPenColor(HDC dc, COLORREF colour)
{
    return with_dc(dc, [&](DeviceContext& d) { return std::exchange(d.state().dc_pen_colour, colour); }, CLR_INVALID);
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous)
{
    return with_dc(dc, [&](DeviceContext& d) { return set_point(previous, std::exchange(d.state().window_origin, POINT { x, y })); }, FALSE);
}

BOOL GetWindowOrgEx(HDC dc, POINT* out)
{
    return with_dc(dc, [&](DeviceContext& d) { return set_point(out, d.state().window_origin); }, FALSE);
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous)
{
    return with_dc(dc, [&](DeviceContext& d) { return set_point(previous, std::exchange(d.state().viewport_origin, POINT { x, y })); }, FALSE);
}

BOOL GetViewportOrgEx(HDC dc, POINT* out)
{
    return with_dc(dc, [&](DeviceContext& d) { return set_point(out, d.state().viewport_origin); }, FALSE);
}

BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous)
{
    return with_dc(dc, [&](DeviceContext& d) {
        POINT& o = d.state().viewport_origin;
        return set_point(previous, std::exchange(o, POINT { o.x + dx, o.y + dy }));
    }, FALSE);
}

BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous)
{
    return with_dc(dc, [&](DeviceContext& d) {
        POINT& o = d.state().window_origin;
        return set_point(previous, std::exchange(o, POINT { o.x + dx, o.y + dy }));
    }, FALSE);
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous)
{
    return with_dc(dc, [&](DeviceContext& d) { return set_point(previous, std::exchange(d.state().brush_origin, POINT { x, y })); }, FALSE);
}

BOOL LPtoDP(HDC dc, POINT* points, int count)
{
    return with_dc(dc, [&](DeviceContext& d) {
        for (int i = 0; i < count; ++i)
            points[i] = d.to_device(points[i]);
        return TRUE;
    }, FALSE);
}

BOOL DPtoLP(HDC dc, POINT* points, int count)
{
    return with_dc(dc, [&](DeviceContext& d) {
        for (int i = 0; i < count; ++i)
            points[i] = d.to_logical(points[i]);
        return TRUE;
    }, FALSE);
}

}
