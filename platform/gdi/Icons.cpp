// Forwarders of Gdi.h: icons and palettes.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/RowBlit.h"

#include <algorithm>

using namespace platform;
using namespace platform::gdi;

namespace {

IconObject* icon_of(HICON icon)
{
    return lookup<IconObject>(icon);
}

HBITMAP bitmap_from(Surface const& surface)
{
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->surface = copy_surface(surface);
    return static_cast<HBITMAP>(ObjectTable::the().add(std::move(bitmap)));
}

// Draws one half of an icon: `mask` rows [mask_top, mask_top + h) or the colour image.
void draw_part(DeviceContext& d, RECT const& dst, Surface const& source, int top, int height, DWORD rop)
{
    // Icons draw their monochrome halves as black (0) and white (1), whatever the DC's colours.
    SourceColours colours { 0, 0xFFFFFF, 0xFFFFFF };
    blit(d.canvas(), d.to_surface(dst), source, RECT { 0, top, source.width(), top + height }, rop, nullptr, colours);
}

}

extern "C" {

HICON CreateIconIndirect(ICONINFO const* info)
{
    if (!info)
        return nullptr;
    auto* mask = lookup<BitmapObject>(info->hbmMask);
    auto* colour = lookup<BitmapObject>(info->hbmColor);
    if (!mask)
        return nullptr;
    auto icon = std::make_unique<IconObject>();
    icon->is_icon = info->fIcon != FALSE;
    icon->mask = copy_surface(*mask->surface);
    if (colour)
        icon->colour = copy_surface(*colour->surface);
    int width = icon->mask->width();
    int height = colour ? icon->colour->height() : icon->mask->height() / 2;
    // An icon's hot spot is its centre; a cursor keeps the one it was given.
    icon->hot_spot = icon->is_icon ? POINT { width / 2, height / 2 }
                                   : POINT { static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot) };
    return static_cast<HICON>(ObjectTable::the().add(std::move(icon)));
}

BOOL GetIconInfo(HICON handle, ICONINFO* out)
{
    IconObject* icon = icon_of(handle);
    if (!icon || !out)
        return FALSE;
    out->fIcon = icon->is_icon ? TRUE : FALSE;
    out->xHotspot = static_cast<DWORD>(icon->hot_spot.x);
    out->yHotspot = static_cast<DWORD>(icon->hot_spot.y);
    out->hbmMask = bitmap_from(*icon->mask);
    out->hbmColor = icon->colour ? bitmap_from(*icon->colour) : nullptr;
    return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON handle, int width, int height, UINT, HBRUSH flicker_free, UINT flags)
{
    DeviceContext* d = dc_of(dc);
    IconObject* icon = icon_of(handle);
    if (!d || !icon)
        return FALSE;
    int natural_h = icon->colour ? icon->colour->height() : icon->mask->height() / 2;
    int natural_w = icon->mask->width();
    if (width == 0)
        width = (flags & DI_DEFAULTSIZE) ? 32 : natural_w;
    if (height == 0)
        height = (flags & DI_DEFAULTSIZE) ? 32 : natural_h;
    RECT dst { x, y, x + width, y + height };
    if (flicker_free) {
        if (auto paint = d->brush_paint(flicker_free))
            paint_rect(d->canvas(), d->to_surface(dst), *paint);
    }
    bool mask = flags & DI_MASK;
    bool image = flags & DI_IMAGE;
    bool natural_size = width == natural_w && height == natural_h;
    if (mask && image && natural_size && icon->colour && draw_icon_rows(d->canvas(), d->to_surface(POINT { x, y }), *icon->mask, *icon->colour))
        return TRUE;
    if (mask)
        draw_part(*d, dst, *icon->mask, 0, natural_h, SRCAND);
    if (image) {
        DWORD rop = mask ? SRCINVERT : SRCCOPY;
        if (icon->colour)
            draw_part(*d, dst, *icon->colour, 0, natural_h, rop);
        else
            draw_part(*d, dst, *icon->mask, natural_h, natural_h, rop);
    }
    return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon)
{
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

BOOL DestroyIcon(HICON icon)
{
    return icon_of(icon) && ObjectTable::the().remove(icon) ? TRUE : FALSE;
}

HICON CopyIcon(HICON handle)
{
    IconObject* icon = icon_of(handle);
    if (!icon)
        return nullptr;
    auto copy = std::make_unique<IconObject>();
    copy->is_icon = icon->is_icon;
    copy->hot_spot = icon->hot_spot;
    copy->mask = copy_surface(*icon->mask);
    if (icon->colour)
        copy->colour = copy_surface(*icon->colour);
    return static_cast<HICON>(ObjectTable::the().add(std::move(copy)));
}

HPALETTE CreatePalette(LOGPALETTE const* palette)
{
    if (!palette || palette->palNumEntries == 0)
        return nullptr;
    std::vector<PALETTEENTRY> entries(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    return static_cast<HPALETTE>(ObjectTable::the().add(std::make_unique<PaletteObject>(std::move(entries))));
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !lookup<PaletteObject>(palette))
        return nullptr;
    return static_cast<HPALETTE>(d->select(palette));
}

UINT RealizePalette(HDC dc)
{
    DeviceContext* d = dc_of(dc);
    auto* palette = d ? lookup<PaletteObject>(d->state().palette) : nullptr;
    if (!palette)
        return 0xFFFFFFFFu; // GDI_ERROR
    // Only a palette device maps entries into its system palette.
    return device_caps().palette ? static_cast<UINT>(palette->entries.size()) : 0;
}

UINT GetPaletteEntries(HPALETTE handle, UINT start, UINT count, PALETTEENTRY* out)
{
    auto* palette = lookup<PaletteObject>(handle);
    if (!palette)
        return 0;
    if (!out)
        return static_cast<UINT>(palette->entries.size());
    UINT done = 0;
    for (; done < count && start + done < palette->entries.size(); ++done)
        out[done] = palette->entries[start + done];
    return done;
}

UINT GetNearestPaletteIndex(HPALETTE handle, COLORREF colour)
{
    auto* palette = lookup<PaletteObject>(handle);
    if (!palette)
        return CLR_INVALID;
    UINT best = 0;
    int best_distance = 1 << 30;
    for (std::size_t i = 0; i < palette->entries.size(); ++i) {
        PALETTEENTRY e = palette->entries[i];
        int dr = e.peRed - GetRValue(colour);
        int dg = e.peGreen - GetGValue(colour);
        int db = e.peBlue - GetBValue(colour);
        int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
            best_distance = distance;
            best = static_cast<UINT>(i);
        }
    }
    return best;
}

}
