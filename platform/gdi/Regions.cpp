// Forwarders of Gdi.h: rectangular regions and the clip of device contexts.
#include "platform/gdi/DeviceContext.h"

using namespace platform;
using namespace platform::gdi;

namespace {

int complexity(Region const& region)
{
    if (region.is_empty())
        return NULLREGION;
    return region.rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT ordered(int left, int top, int right, int bottom)
{
    return RECT { std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom) };
}

Region region_xor(Region const& a, Region const& b)
{
    Region left = a;
    left.subtract(b);
    Region right = b;
    right.subtract(a);
    left.add(right);
    return left;
}

// Combines `region` into the DC's clip; a DC without a clip starts from everything it can show.
int combine_clip(DeviceContext& d, Region const& region, int mode)
{
    Region clip = d.state().clip ? *d.state().clip : d.device_clip();
    switch (mode) {
    case RGN_AND:
        clip.intersect(region);
        break;
    case RGN_OR:
        clip.add(region);
        break;
    case RGN_XOR:
        clip = region_xor(clip, region);
        break;
    case RGN_DIFF:
        clip.subtract(region);
        break;
    case RGN_COPY:
        clip = region;
        break;
    default:
        return ERROR;
    }
    d.state().clip = clip;
    d.clip_changed();
    return complexity(d.device_clip());
}

RECT logical_to_device(DeviceContext& d, int left, int top, int right, int bottom)
{
    POINT a = d.to_device(POINT { left, top });
    POINT b = d.to_device(POINT { right, bottom });
    return ordered(a.x, a.y, b.x, b.y);
}

}

extern "C" {

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    return static_cast<HRGN>(ObjectTable::the().add(std::make_unique<RegionObject>(Region(ordered(left, top, right, bottom)))));
}

HRGN CreateRectRgnIndirect(RECT const* rect)
{
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

int CombineRgn(HRGN destination, HRGN a, HRGN b, int mode)
{
    auto* dst = lookup<RegionObject>(destination);
    auto* ra = lookup<RegionObject>(a);
    auto* rb = lookup<RegionObject>(b);
    if (!dst || !ra || (mode != RGN_COPY && !rb))
        return ERROR;
    Region result = ra->region;
    switch (mode) {
    case RGN_AND:
        result.intersect(rb->region);
        break;
    case RGN_OR:
        result.add(rb->region);
        break;
    case RGN_XOR:
        result = region_xor(ra->region, rb->region);
        break;
    case RGN_DIFF:
        result.subtract(rb->region);
        break;
    case RGN_COPY:
        break;
    default:
        return ERROR;
    }
    dst->region = std::move(result);
    return complexity(dst->region);
}

int OffsetRgn(HRGN region, int dx, int dy)
{
    auto* r = lookup<RegionObject>(region);
    if (!r)
        return ERROR;
    r->region.offset(dx, dy);
    return complexity(r->region);
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom)
{
    auto* r = lookup<RegionObject>(region);
    if (!r)
        return FALSE;
    r->region = Region(ordered(left, top, right, bottom));
    return TRUE;
}

int GetRgnBox(HRGN region, RECT* out)
{
    auto* r = lookup<RegionObject>(region);
    if (!r || !out)
        return ERROR;
    *out = r->region.bounds();
    return complexity(r->region);
}

BOOL PtInRegion(HRGN region, int x, int y)
{
    auto* r = lookup<RegionObject>(region);
    return r && r->region.contains(POINT { x, y }) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, RECT const* rect)
{
    auto* r = lookup<RegionObject>(region);
    return r && rect && r->region.intersects(*rect) ? TRUE : FALSE;
}

BOOL EqualRgn(HRGN a, HRGN b)
{
    auto* ra = lookup<RegionObject>(a);
    auto* rb = lookup<RegionObject>(b);
    return ra && rb && ra->region == rb->region ? TRUE : FALSE;
}

int SelectClipRgn(HDC dc, HRGN region)
{
    return ExtSelectClipRgn(dc, region, RGN_COPY);
}

int ExtSelectClipRgn(HDC dc, HRGN region, int mode)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return ERROR;
    auto* r = lookup<RegionObject>(region);
    if (!r) {
        if (mode != RGN_COPY)
            return ERROR;
        d->state().clip.reset(); // a null region removes the clip
        d->clip_changed();
        return complexity(d->device_clip());
    }
    return combine_clip(*d, r->region, mode);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom)
{
    DeviceContext* d = dc_of(dc);
    return d ? combine_clip(*d, Region(logical_to_device(*d, left, top, right, bottom)), RGN_AND) : ERROR;
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom)
{
    DeviceContext* d = dc_of(dc);
    return d ? combine_clip(*d, Region(logical_to_device(*d, left, top, right, bottom)), RGN_DIFF) : ERROR;
}

int GetClipBox(HDC dc, RECT* out)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !out)
        return ERROR;
    Region clip = d->device_clip();
    RECT box = clip.bounds();
    POINT a = d->to_logical(POINT { box.left, box.top });
    POINT b = d->to_logical(POINT { box.right, box.bottom });
    *out = clip.is_empty() ? RECT {} : RECT { a.x, a.y, b.x, b.y };
    return complexity(clip);
}

int GetClipRgn(HDC dc, HRGN out)
{
    DeviceContext* d = dc_of(dc);
    auto* r = lookup<RegionObject>(out);
    if (!d || !r)
        return -1;
    if (!d->state().clip)
        return 0;
    r->region = *d->state().clip;
    return 1;
}

BOOL PtVisible(HDC dc, int x, int y)
{
    DeviceContext* d = dc_of(dc);
    return d && d->device_clip().contains(d->to_device(POINT { x, y })) ? TRUE : FALSE;
}

BOOL RectVisible(HDC dc, RECT const* rect)
{
    DeviceContext* d = dc_of(dc);
    return d && rect && d->device_clip().intersects(logical_to_device(*d, rect->left, rect->top, rect->right, rect->bottom)) ? TRUE : FALSE;
}

}
