// Screen and frame metrics, and the rectangle helpers.
#include "platform/user/WindowCore.h"

#include <algorithm>

namespace platform::user {

namespace {

SystemParametersHandler& parameters_handler()
{
    static SystemParametersHandler handler;
    return handler;
}

}

void set_system_parameters_handler(SystemParametersHandler handler)
{
    parameters_handler() = std::move(handler);
}

}

using namespace platform;
using namespace platform::user;

extern "C" {

int GetSystemMetrics(int index)
{
    RECT screen = desktop_rect();
    RECT work = work_area();
    switch (index) {
    case SM_CXSCREEN: return screen.right - screen.left;
    case SM_CYSCREEN: return screen.bottom - screen.top;
    case SM_CXFULLSCREEN: return work.right - work.left;
    case SM_CYFULLSCREEN: return work.bottom - work.top - frame_insets(WS_CAPTION, 0).top + frame_insets(WS_DLGFRAME, 0).top;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return scroll_bar_size;
    case SM_CYCAPTION: return frame_insets(WS_CAPTION, 0).top - frame_insets(WS_DLGFRAME, 0).top;
    case SM_CYSMCAPTION: return frame_insets(WS_CAPTION, WS_EX_TOOLWINDOW).top - frame_insets(WS_DLGFRAME, 0).top;
    case SM_CXBORDER:
    case SM_CYBORDER: return frame_insets(WS_BORDER, 0).left;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return frame_insets(WS_DLGFRAME, 0).left;
    case SM_CXFRAME:
    case SM_CYFRAME: return frame_insets(WS_THICKFRAME, 0).left;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYMENU: return 19;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    }
    return 0;
}

BOOL SystemParametersInfo(UINT action, UINT param, PVOID value, UINT win_ini)
{
    if (action == SPI_GETWORKAREA) {
        if (!value)
            return FALSE;
        *static_cast<RECT*>(value) = work_area();
        return TRUE;
    }
    auto const& handler = parameters_handler();
    return handler ? handler(action, param, value, win_ini) : FALSE;
}

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom)
{
    if (!rect)
        return FALSE;
    *rect = RECT { left, top, right, bottom };
    return TRUE;
}

BOOL SetRectEmpty(RECT* rect)
{
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL CopyRect(RECT* destination, RECT const* source)
{
    if (!destination || !source)
        return FALSE;
    *destination = *source;
    return TRUE;
}

BOOL IsRectEmpty(RECT const* rect)
{
    return !rect || rect_is_empty(*rect);
}

BOOL EqualRect(RECT const* a, RECT const* b)
{
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL PtInRect(RECT const* rect, POINT point)
{
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

BOOL OffsetRect(RECT* rect, int dx, int dy)
{
    if (!rect)
        return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL InflateRect(RECT* rect, int dx, int dy)
{
    if (!rect)
        return FALSE;
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(RECT* out, RECT const* a, RECT const* b)
{
    if (!out || !a || !b)
        return FALSE;
    *out = rect_intersection(*a, *b);
    return !rect_is_empty(*out);
}

BOOL UnionRect(RECT* out, RECT const* a, RECT const* b)
{
    if (!out || !a || !b)
        return FALSE;
    if (rect_is_empty(*a)) {
        *out = rect_is_empty(*b) ? RECT {} : *b;
    } else if (rect_is_empty(*b)) {
        *out = *a;
    } else {
        *out = RECT { std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right), std::max(a->bottom, b->bottom) };
    }
    return !rect_is_empty(*out);
}

// The difference is a rectangle only when `b` covers `a` fully across one direction;
// otherwise `a` is returned whole.
BOOL SubtractRect(RECT* out, RECT const* a, RECT const* b)
{
    if (!out || !a || !b)
        return FALSE;
    *out = *a;
    RECT cut = rect_intersection(*a, *b);
    if (rect_is_empty(cut))
        return !rect_is_empty(*out);
    if (cut.left == a->left && cut.right == a->right) {
        if (cut.top == a->top)
            out->top = cut.bottom;
        else if (cut.bottom == a->bottom)
            out->bottom = cut.top;
    } else if (cut.top == a->top && cut.bottom == a->bottom) {
        if (cut.left == a->left)
            out->left = cut.right;
        else if (cut.right == a->right)
            out->right = cut.left;
    }
    if (rect_is_empty(*out)) {
        SetRectEmpty(out);
        return FALSE;
    }
    return TRUE;
}

}
