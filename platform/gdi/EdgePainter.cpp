// DrawEdge, DrawFrameControl, DrawFocusRect and DrawState: the shapes of SysPaint.h.
#include "platform/gdi/DcHelpers.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/SysPaint.h"

#include <algorithm>
#include <array>
#include <cstring>

using namespace platform;
using namespace platform::gdi;

namespace {

struct EdgeColours {
    int top_left;
    int bottom_right;
};

// Indexed by the two bits of one border: 1 raised, 2 sunken (3 counts as raised).
constexpr std::array<EdgeColours, 4> outer_colours { { { -1, -1 }, { COLOR_3DLIGHT, COLOR_3DDKSHADOW }, { COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT },
    { COLOR_3DLIGHT, COLOR_3DDKSHADOW } } };
constexpr std::array<EdgeColours, 4> inner_colours { { { -1, -1 }, { COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW }, { COLOR_3DDKSHADOW, COLOR_3DLIGHT },
    { COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW } } };

void fill(HDC dc, RECT const& r, int sys_colour)
{
    FillRect(dc, &r, GetSysColorBrush(sys_colour));
}

void draw_ring(HDC dc, RECT& r, EdgeColours colours, UINT flags)
{
    if (colours.top_left < 0 || rect_is_empty(r))
        return;
    if (flags & BF_MONO)
        colours = { COLOR_WINDOWFRAME, COLOR_WINDOWFRAME };
    if (flags & BF_TOP)
        fill(dc, RECT { r.left, r.top, r.right, r.top + 1 }, colours.top_left);
    if (flags & BF_LEFT)
        fill(dc, RECT { r.left, r.top, r.left + 1, r.bottom }, colours.top_left);
    if (flags & BF_BOTTOM)
        fill(dc, RECT { r.left, r.bottom - 1, r.right, r.bottom }, colours.bottom_right);
    if (flags & BF_RIGHT)
        fill(dc, RECT { r.right - 1, r.top, r.right, r.bottom }, colours.bottom_right);
    r.left += (flags & BF_LEFT) ? 1 : 0;
    r.top += (flags & BF_TOP) ? 1 : 0;
    r.right -= (flags & BF_RIGHT) ? 1 : 0;
    r.bottom -= (flags & BF_BOTTOM) ? 1 : 0;
}

RECT square_in(RECT const& r)
{
    int side = std::min(r.right - r.left, r.bottom - r.top);
    int top = r.top + (r.bottom - r.top - side) / 2;
    return RECT { r.left, top, r.left + side, top + side };
}

void draw_check_mark(HDC dc, RECT const& box, int colour)
{
    // A tick through three points of the box, drawn as vertical runs so it scales with the box.
    int n = box.right - box.left;
    int thick = std::max(1, n / 5);
    int x0 = box.left + n / 6;
    int x1 = box.left + n * 2 / 5;
    int x2 = box.right - n / 6;
    int y_mid = box.top + n / 2;
    int y_low = box.top + n * 4 / 5 - thick + 1;
    int y_top = box.top + n / 5;
    for (int x = x0; x < x2; ++x) {
        int y = x <= x1 ? y_mid + (x - x0) * (y_low - y_mid) / std::max(1, x1 - x0) : y_low - (x - x1) * (y_low - y_top) / std::max(1, x2 - x1);
        fill(dc, RECT { x, y, x + 1, y + thick }, colour);
    }
}

void draw_box_control(HDC dc, RECT const& rect, UINT state, bool radio)
{
    RECT box = square_in(rect);
    bool grey_face = state & (DFCS_INACTIVE | DFCS_PUSHED);
    int mark = (state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
    HDC target = dc;
    if (radio) {
        HGDIOBJ old_pen = SelectObject(target, GetStockObject(DC_PEN));
        HGDIOBJ old_brush = SelectObject(target, GetStockObject(DC_BRUSH));
        SetDCPenColor(target, GetSysColor(COLOR_BTNSHADOW));
        SetDCBrushColor(target, GetSysColor(grey_face ? COLOR_BTNFACE : COLOR_WINDOW));
        Ellipse(target, box.left, box.top, box.right, box.bottom);
        if (state & DFCS_CHECKED) {
            int n = box.right - box.left;
            SetDCPenColor(target, GetSysColor(mark));
            SetDCBrushColor(target, GetSysColor(mark));
            Ellipse(target, box.left + n / 3, box.top + n / 3, box.right - n / 3, box.bottom - n / 3);
        }
        SelectObject(target, old_pen);
        SelectObject(target, old_brush);
        return;
    }
    RECT inner = box;
    DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    fill(dc, inner, grey_face ? COLOR_BTNFACE : COLOR_WINDOW);
    if (state & DFCS_CHECKED)
        draw_check_mark(dc, inner, mark);
}

void draw_arrow(HDC dc, RECT const& r, UINT direction, int colour)
{
    int w = r.right - r.left;
    int h = r.bottom - r.top;
    int size = std::max(1, std::min(w, h) / 4);
    int cx = r.left + w / 2;
    int cy = r.top + h / 2;
    for (int i = 0; i < size; ++i) {
        switch (direction) {
        case DFCS_SCROLLUP:
            fill(dc, RECT { cx - i, cy - size / 2 + i, cx + i + 1, cy - size / 2 + i + 1 }, colour);
            break;
        case DFCS_SCROLLDOWN:
            fill(dc, RECT { cx - i, cy + size / 2 - i, cx + i + 1, cy + size / 2 - i + 1 }, colour);
            break;
        case DFCS_SCROLLLEFT:
            fill(dc, RECT { cx - size / 2 + i, cy - i, cx - size / 2 + i + 1, cy + i + 1 }, colour);
            break;
        default:
            fill(dc, RECT { cx + size / 2 - i, cy - i, cx + size / 2 - i + 1, cy + i + 1 }, colour);
            break;
        }
    }
}

bool is_shape(Pixel p)
{
    unsigned luma = (((p >> 16) & 0xFF) * 299 + ((p >> 8) & 0xFF) * 587 + (p & 0xFF) * 114) / 1000;
    return luma < 192;
}

// Renders the image of DrawState on white into a scratch DC.
void render_image(HDC scratch, DRAWSTATEPROC callback, LPARAM data, WPARAM wdata, int cx, int cy, UINT kind)
{
    switch (kind) {
    case DST_ICON:
        DrawIconEx(scratch, 0, 0, reinterpret_cast<HICON>(data), cx, cy, 0, nullptr, DI_NORMAL);
        break;
    case DST_BITMAP: {
        HDC source = CreateCompatibleDC(nullptr);
        if (HGDIOBJ old = SelectObject(source, reinterpret_cast<HBITMAP>(data))) {
            BitBlt(scratch, 0, 0, cx, cy, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
        }
        DeleteDC(source);
        break;
    }
    case DST_TEXT:
    case DST_PREFIXTEXT: {
        RECT r { 0, 0, cx, cy };
        SetBkMode(scratch, TRANSPARENT);
        auto text = reinterpret_cast<LPCSTR>(data);
        DrawText(scratch, text, wdata ? static_cast<int>(wdata) : -1, &r, DT_LEFT | DT_TOP | (kind == DST_TEXT ? DT_NOPREFIX : 0));
        break;
    }
    default:
        if (callback)
            callback(scratch, data, wdata, cx, cy);
        break;
    }
}

SIZE natural_size(LPARAM data, WPARAM wdata, UINT kind, HDC dc)
{
    SIZE size { 0, 0 };
    if (kind == DST_ICON) {
        if (auto* icon = lookup<IconObject>(reinterpret_cast<HICON>(data)))
            size = SIZE { icon->mask->width(), icon->colour ? icon->colour->height() : icon->mask->height() / 2 };
    } else if (kind == DST_BITMAP) {
        BITMAP bm {};
        if (GetObject(reinterpret_cast<HBITMAP>(data), sizeof bm, &bm))
            size = SIZE { bm.bmWidth, bm.bmHeight };
    } else if (kind == DST_TEXT || kind == DST_PREFIXTEXT) {
        auto text = reinterpret_cast<LPCSTR>(data);
        GetTextExtentPoint32(dc, text, wdata ? static_cast<int>(wdata) : static_cast<int>(std::strlen(text)), &size);
    }
    return size;
}

}

extern "C" {

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags)
{
    if (!dc_of(dc) || !rect)
        return FALSE;
    RECT r = *rect;
    EdgeColours outer = outer_colours[edge & BDR_OUTER];
    EdgeColours inner = inner_colours[(edge & BDR_INNER) >> 2];
    if (flags & BF_FLAT) {
        outer = outer.top_left < 0 ? outer : EdgeColours { COLOR_BTNSHADOW, COLOR_BTNSHADOW };
        inner = inner.top_left < 0 ? inner : EdgeColours { COLOR_BTNFACE, COLOR_BTNFACE };
    }
    draw_ring(dc, r, outer, flags);
    draw_ring(dc, r, inner, flags);
    if (flags & BF_MIDDLE)
        fill(dc, r, COLOR_BTNFACE);
    if (flags & BF_ADJUST)
        *rect = r;
    return TRUE;
}

BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state)
{
    if (!dc_of(dc) || !rect)
        return FALSE;
    UINT kind = state & 0xFF;
    if (type == DFC_BUTTON && (kind == DFCS_BUTTONCHECK || kind == DFCS_BUTTON3STATE)) {
        draw_box_control(dc, *rect, state, false);
        return TRUE;
    }
    if (type == DFC_BUTTON && (kind & DFCS_BUTTONRADIO)) {
        draw_box_control(dc, *rect, state, true);
        return TRUE;
    }
    if (type == DFC_BUTTON || type == DFC_SCROLL) {
        RECT r = *rect;
        bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
        DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST | ((state & DFCS_FLAT) ? BF_FLAT : 0));
        if (type == DFC_SCROLL) {
            if (down)
                r = RECT { r.left + 1, r.top + 1, r.right + 1, r.bottom + 1 };
            draw_arrow(dc, r, kind, (state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
        }
        return TRUE;
    }
    return FALSE;
}

BOOL DrawFocusRect(HDC dc, RECT const* rect)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !rect || rect_is_empty(*rect))
        return FALSE;
    Paint invert;
    invert.rop2 = 0b0101;
    Canvas const& canvas = d->canvas();
    RECT s = d->to_surface(*rect);
    auto dot = [&](int x, int y) {
        if (((x - s.left) + (y - s.top)) % 2 == 0)
            paint_pixel(canvas, x, y, invert);
    };
    for (int x = s.left; x < s.right; ++x) {
        dot(x, s.top);
        if (s.bottom - 1 > s.top)
            dot(x, s.bottom - 1);
    }
    for (int y = s.top + 1; y < s.bottom - 1; ++y) {
        dot(s.left, y);
        if (s.right - 1 > s.left)
            dot(s.right - 1, y);
    }
    return TRUE;
}

BOOL DrawState(HDC dc, HBRUSH, DRAWSTATEPROC callback, LPARAM data, WPARAM wdata, int x, int y, int cx, int cy, UINT flags)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return FALSE;
    UINT kind = flags & 0x000F;
    SIZE natural = natural_size(data, wdata, kind, dc);
    if (cx == 0)
        cx = natural.cx;
    if (cy == 0)
        cy = natural.cy;
    if (cx <= 0 || cy <= 0)
        return FALSE;
    HDC scratch = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(cx, cy, 1, 32, nullptr);
    HGDIOBJ old_bitmap = SelectObject(scratch, bitmap);
    SelectObject(scratch, GetCurrentObject(dc, OBJ_FONT));
    SetTextColor(scratch, GetTextColor(dc));
    PatBlt(scratch, 0, 0, cx, cy, WHITENESS);
    render_image(scratch, callback, data, wdata, cx, cy, kind);
    Surface& image = *dc_of(scratch)->surface();
    if (!(flags & DSS_DISABLED)) {
        // Drawn again straight onto the target, so nothing of the white scratch shows.
        POINT old_org;
        OffsetViewportOrgEx(dc, 0, 0, &old_org);
        if (kind == DST_ICON)
            DrawIconEx(dc, x, y, reinterpret_cast<HICON>(data), cx, cy, 0, nullptr, DI_NORMAL);
        else if (kind == DST_BITMAP)
            BitBlt(dc, x, y, cx, cy, scratch, 0, 0, SRCCOPY);
        else {
            SetViewportOrgEx(dc, old_org.x + x, old_org.y + y, nullptr);
            render_image(dc, callback, data, wdata, cx, cy, kind);
            SetViewportOrgEx(dc, old_org.x, old_org.y, nullptr);
        }
    } else {
        for (auto [dx, colour] : { std::pair { 1, COLOR_BTNHIGHLIGHT }, std::pair { 0, COLOR_BTNSHADOW } }) {
            COLORREF c = GetSysColor(colour);
            for (int py = 0; py < cy; ++py)
                for (int px = 0; px < cx; ++px)
                    if (is_shape(image.pixel(px, py)))
                        SetPixelV(dc, x + px + dx, y + py + dx, c);
        }
    }
    SelectObject(scratch, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(scratch);
    return TRUE;
}

}
