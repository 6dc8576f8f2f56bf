#include "platform/controls/Static.h"

#include "platform/controls/ControlPaint.h"

namespace platform::controls {

namespace {

constexpr WPARAM IMAGE_BITMAP_TYPE = 0;
constexpr WPARAM IMAGE_ICON_TYPE = 1;

}

Static::Static(HWND hwnd)
    : Control(hwnd)
{
}

void Static::register_class()
{
    register_control<Static>("Static", CS_DBLCLKS | CS_PARENTDC);
}

UINT Static::text_format(DWORD style)
{
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format |= DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format |= DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
        format |= DT_SINGLELINE;
        break;
    case SS_LEFTNOWORDWRAP:
        break;
    default:
        format |= DT_WORDBREAK;
        break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    return format;
}

LRESULT Static::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_NCHITTEST:
        return (style() & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
        if (style() & SS_NOTIFY)
            notify(STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (style() & SS_NOTIFY)
            notify(STN_DBLCLK);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE: {
        LRESULT result = default_handling(message, wparam, lparam);
        invalidate();
        return result;
    }
    case STM_SETICON:
        return set_image(IMAGE_ICON_TYPE, reinterpret_cast<HANDLE>(wparam));
    case STM_SETIMAGE:
        return set_image(wparam, reinterpret_cast<HANDLE>(lparam));
    case STM_GETICON:
        return m_image_is_icon ? reinterpret_cast<LRESULT>(m_image) : 0;
    case STM_GETIMAGE:
        return reinterpret_cast<LRESULT>(m_image);
    }
    return default_handling(message, wparam, lparam);
}

LRESULT Static::set_image(WPARAM image_type, HANDLE image)
{
    if (image_type != IMAGE_BITMAP_TYPE && image_type != IMAGE_ICON_TYPE)
        return 0;
    HANDLE old = m_image;
    m_image = image;
    m_image_is_icon = image_type == IMAGE_ICON_TYPE;
    invalidate();
    return reinterpret_cast<LRESULT>(old);
}

void Static::paint(HDC dc)
{
    RECT r = client_rect();
    DWORD t = type();
    if (t == SS_OWNERDRAW) {
        DRAWITEMSTRUCT item { ODT_STATIC, static_cast<UINT>(id()), 0, ODA_DRAWENTIRE, enabled() ? 0u : ODS_DISABLED, hwnd(), dc, r, 0 };
        SendMessage(parent(), WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&item));
        return;
    }
    HBRUSH background = control_colour(dc, WM_CTLCOLORSTATIC);
    if (t == SS_ETCHEDHORZ || t == SS_ETCHEDVERT || t == SS_ETCHEDFRAME || (t >= SS_BLACKRECT && t <= SS_BLACKFRAME)) {
        paint_shape(dc, r, t);
        return;
    }
    FillRect(dc, &r, background);
    if (style() & SS_SUNKEN) {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    if (t == SS_ICON || t == SS_BITMAP) {
        paint_image(dc, r);
        return;
    }
    draw_control_text(dc, r, text(), text_format(style()) | access_key_format(), enabled());
}

void Static::paint_image(HDC dc, RECT const& r)
{
    if (!m_image)
        return;
    if (m_image_is_icon) {
        ICONINFO info {};
        int size = GetIconInfo(static_cast<HICON>(m_image), &info) ? static_cast<int>(info.xHotspot) * 2 : 32;
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
        int x = (style() & SS_CENTERIMAGE) ? (r.left + r.right - size) / 2 : r.left;
        int y = (style() & SS_CENTERIMAGE) ? (r.top + r.bottom - size) / 2 : r.top;
        DrawIconEx(dc, x, y, static_cast<HICON>(m_image), 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    BITMAP bm {};
    if (!GetObject(m_image, sizeof(bm), &bm))
        return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, m_image);
    BitBlt(dc, r.left, r.top, bm.bmWidth, bm.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void Static::paint_shape(HDC dc, RECT const& r, DWORD t)
{
    RECT box = r;
    switch (t) {
    case SS_ETCHEDHORZ:
        DrawEdge(dc, &box, EDGE_ETCHED, BF_TOP);
        break;
    case SS_ETCHEDVERT:
        DrawEdge(dc, &box, EDGE_ETCHED, BF_LEFT);
        break;
    case SS_ETCHEDFRAME:
        DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
        break;
    case SS_BLACKRECT:
        FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOWFRAME));
        break;
    case SS_GRAYRECT:
        FillRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
        break;
    case SS_WHITERECT:
        FillRect(dc, &box, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        break;
    case SS_BLACKFRAME:
        FrameRect(dc, &box, GetSysColorBrush(COLOR_WINDOWFRAME));
        break;
    default:
        break;
    }
}

}
