#include "platform/gdi/FramePainter.h"

#include "platform/gdi/SysPaint.h"
#include "platform/gdi/SystemParameters.h"
#include "platform/user/WindowCore.h"

namespace platform::gdi {

namespace {

HBRUSH sys_brush(int index)
{
    return GetSysColorBrush(index);
}

// Width of the outer frame alone (no client or static edge).
int outer_frame_width(DWORD style, DWORD ex_style)
{
    return user::frame_insets(style & (WS_THICKFRAME | WS_DLGFRAME | WS_BORDER), ex_style & WS_EX_DLGMODALFRAME).left;
}

void paint_outer_frame(HDC dc, RECT& r, FrameLook const& look)
{
    int width = outer_frame_width(look.style, look.ex_style);
    if (width == 0)
        return;
    if (width == 1) {
        FrameRect(dc, &r, sys_brush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
        return;
    }
    int fill = (look.style & WS_THICKFRAME) ? (look.active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_BTNFACE;
    FillRect(dc, &r, sys_brush(fill));
    RECT edge = r;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    InflateRect(&r, -width, -width);
}

void paint_title_bar(HDC dc, RECT const& bar, FrameLook const& look)
{
    COLORREF from = GetSysColor(look.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    if (!gradient_captions()) {
        FillRect(dc, &bar, sys_brush(look.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        return;
    }
    COLORREF to = GetSysColor(look.active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    auto channel = [](COLORREF c, int shift) { return static_cast<COLOR16>(((c >> shift) & 0xFF) << 8); };
    TRIVERTEX v[2] = {
        { bar.left, bar.top, channel(from, 0), channel(from, 8), channel(from, 16), 0 },
        { bar.right, bar.bottom, channel(to, 0), channel(to, 8), channel(to, 16), 0 },
    };
    GRADIENT_RECT mesh { 0, 1 };
    GradientFill(dc, v, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
}

// Answers the left edge of the close button, or bar.right without one.
int paint_close_button(HDC dc, RECT const& bar, FrameLook const& look)
{
    if (!(look.style & WS_SYSMENU))
        return bar.right;
    int side = (bar.bottom - bar.top) - 4;
    if (side < 4)
        return bar.right;
    RECT button { bar.right - 2 - side, bar.top + 2, bar.right - 2, bar.top + 2 + side };
    DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH);
    HPEN pen = CreatePen(PS_SOLID, 0, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    int inset = side / 4 + 1;
    RECT cross { button.left + inset, button.top + inset, button.right - inset, button.bottom - inset };
    MoveToEx(dc, cross.left, cross.top, nullptr);
    LineTo(dc, cross.right, cross.bottom);
    MoveToEx(dc, cross.right - 1, cross.top, nullptr);
    LineTo(dc, cross.left - 1, cross.bottom);
    SelectObject(dc, old);
    DeleteObject(pen);
    return button.left;
}

void paint_title(HDC dc, RECT text, FrameLook const& look)
{
    NONCLIENTMETRICS metrics = nonclient_metrics();
    bool tool = (look.ex_style & WS_EX_TOOLWINDOW) != 0;
    HFONT font = CreateFontIndirect(tool ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(look.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    text.left += 4;
    DrawText(dc, look.title.c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
    DeleteObject(font);
}

void paint_caption(HDC dc, RECT& r, FrameLook const& look)
{
    if ((look.style & WS_CAPTION) != WS_CAPTION)
        return;
    RECT insets = user::frame_insets(look.style, look.ex_style);
    int height = insets.top - insets.left;
    RECT bar { r.left, r.top, r.right, r.top + height - 1 };
    RECT line { r.left, bar.bottom, r.right, bar.bottom + 1 };
    paint_title_bar(dc, bar, look);
    FillRect(dc, &line, sys_brush(COLOR_BTNFACE));
    RECT text = bar;
    text.right = paint_close_button(dc, bar, look) - 2;
    paint_title(dc, text, look);
    r.top += height;
}

void paint_edges(HDC dc, RECT& r, FrameLook const& look)
{
    if (look.ex_style & WS_EX_CLIENTEDGE)
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (look.ex_style & WS_EX_STATICEDGE)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
}

}

bool has_frame(DWORD style, DWORD ex_style)
{
    RECT insets = user::frame_insets(style, ex_style);
    return insets.left > 0 || insets.top > 0;
}

void paint_frame(HDC dc, FrameLook const& look)
{
    int saved = SaveDC(dc);
    RECT r { 0, 0, look.width, look.height };
    paint_outer_frame(dc, r, look);
    paint_caption(dc, r, look);
    paint_edges(dc, r, look);
    RestoreDC(dc, saved);
}

}
