// What a window does with a message its own procedure leaves alone.
#include "platform/user/Input.h"
#include "platform/user/InputDriver.h"
#include "platform/user/Observers.h"
#include "platform/user/WindowClass.h"
#include "platform/user/Visibility.h"
#include "platform/user/WindowTable.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::user {

namespace {

LRESULT set_text(Window& w, LPCSTR text)
{
    WindowTable::the().write([&] { w.text = text ? text : ""; });
    if (!w.parent)
        for_each_observer([&](WindowObserver& o) { o.window_text_changed(w.handle); });
    return TRUE;
}

LRESULT get_text(Window const& w, WPARAM size, LPSTR buffer)
{
    if (!buffer || size == 0)
        return 0;
    size_t n = std::min<size_t>(w.text.size(), size - 1);
    std::memcpy(buffer, w.text.data(), n);
    buffer[n] = 0;
    return static_cast<LRESULT>(n);
}

LRESULT erase_background(Window const& w, HDC dc)
{
    HBRUSH brush = w.window_class->background;
    auto const& hooks = paint_hooks();
    if (!brush || !dc || !hooks.fill_rect)
        return 0;
    RECT c = w.client_in_window();
    hooks.fill_rect(dc, RECT { 0, 0, c.right - c.left, c.bottom - c.top }, brush);
    return 1;
}

LRESULT hit_test(Window const& w, LPARAM lparam)
{
    POINT p { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
    RECT r;
    GetWindowRect(w.handle, &r);
    if (!PtInRect(&r, p))
        return HTNOWHERE;
    RECT c = w.client_in_window();
    int x = p.x - r.left;
    int y = p.y - r.top;
    if (x >= c.left && x < c.right && y >= c.top && y < c.bottom)
        return HTCLIENT;
    for (bool vertical : { true, false }) {
        RECT bar = scroll_bar_rect(w.handle, vertical);
        POINT in_window { x, y };
        if (PtInRect(&bar, in_window))
            return vertical ? HTVSCROLL : HTHSCROLL;
    }
    RECT insets = frame_insets(w.style, w.ex_style);
    if ((w.style & WS_CAPTION) == WS_CAPTION && y >= insets.left && y < c.top)
        return HTCAPTION;
    return HTBORDER;
}

LRESULT scroll_bar_mouse(HWND hwnd, UINT message, WPARAM hit, LPARAM lparam)
{
    auto const& hooks = scroll_bar_hooks();
    if ((hit == static_cast<WPARAM>(HTVSCROLL) || hit == static_cast<WPARAM>(HTHSCROLL)) && hooks.mouse)
        hooks.mouse(hwnd, message, hit, POINT { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) });
    return 0;
}

LRESULT system_command(HWND hwnd, WPARAM command)
{
    switch (command & 0xFFF0) {
    case SC_CLOSE:
        SendMessage(hwnd, WM_CLOSE, 0, 0);
        break;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_MAXIMIZE);
        break;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        break;
    }
    return 0;
}

LRESULT position_changed(Window& w, WINDOWPOS const* pos)
{
    if (!pos)
        return 0;
    HWND hwnd = w.handle;
    RECT c = w.client_in_window();
    if (!(pos->flags & SWP_NOSIZE))
        SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
    if (!(pos->flags & SWP_NOMOVE) && window_from(hwnd)) {
        POINT origin { w.rect.left + c.left, w.rect.top + c.top };
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(origin.x), static_cast<WORD>(origin.y)));
    }
    return 0;
}

HICON set_icon(Window& w, WPARAM which, HICON icon)
{
    HICON old = which == ICON_BIG ? w.icon_big : w.icon_small;
    WindowTable::the().write([&] { (which == ICON_BIG ? w.icon_big : w.icon_small) = icon; });
    if (!w.parent)
        for_each_observer([&](WindowObserver& o) { o.window_text_changed(w.handle); });
    return old;
}

// A child asks its parent first; a parent that answers TRUE has set the pointer.
LRESULT mouse_activate(Window const& w, WPARAM wparam, LPARAM lparam)
{
    if (w.is_child() && w.parent && w.parent != &WindowTable::the().desktop()) {
        if (LRESULT answer = SendMessage(w.parent->handle, WM_MOUSEACTIVATE, wparam, lparam))
            return answer;
    }
    return MA_ACTIVATE;
}

LRESULT set_cursor(Window const& w, WPARAM wparam, LPARAM lparam)
{
    if (w.is_child() && w.parent && w.parent != &WindowTable::the().desktop()) {
        if (SendMessage(w.parent->handle, WM_SETCURSOR, wparam, lparam))
            return TRUE;
    }
    if (static_cast<SHORT>(LOWORD(lparam)) == HTCLIENT && w.window_class->cursor) {
        SetCursor(w.window_class->cursor);
        return TRUE;
    }
    return FALSE;
}

}

}

namespace platform::user {

namespace {

WORD ui_state_after(WORD state, WPARAM wparam)
{
    WORD const flags = HIWORD(wparam) & (UISF_HIDEFOCUS | UISF_HIDEACCEL);
    switch (LOWORD(wparam)) {
    case UIS_SET:
        return state | flags;
    case UIS_CLEAR:
        return state & ~flags;
    case UIS_INITIALIZE:
        return input::last_press_was_key() ? (state & ~flags) : (state | flags);
    default:
        return state;
    }
}

// A child asks its top-level window; that one updates the whole tree when the state changes.
LRESULT change_ui_state(Window& w, WPARAM wparam, LPARAM lparam)
{
    if (w.is_child() && w.parent && w.parent != &WindowTable::the().desktop())
        return SendMessage(w.parent->handle, WM_CHANGEUISTATE, wparam, lparam);
    if (ui_state_after(w.ui_state, wparam) != w.ui_state || LOWORD(wparam) == UIS_INITIALIZE)
        SendMessage(w.handle, WM_UPDATEUISTATE, wparam, lparam);
    return 0;
}

LRESULT update_ui_state(Window& w, WPARAM wparam, LPARAM lparam)
{
    w.ui_state = ui_state_after(w.ui_state, wparam);
    std::vector<HWND> children;
    for (Window* child : w.children)
        children.push_back(child->handle);
    for (HWND child : children)
        SendMessage(child, WM_UPDATEUISTATE, wparam, lparam);
    return 0;
}

}

}

using namespace platform::user;

extern "C" {

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    Window* w = window_from(hwnd);
    if (!w)
        return 0;
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SETTEXT:
        return set_text(*w, reinterpret_cast<LPCSTR>(lparam));
    case WM_GETTEXT:
        return get_text(*w, wparam, reinterpret_cast<LPSTR>(lparam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return erase_background(*w, reinterpret_cast<HDC>(wparam));
    case WM_NCHITTEST:
        return hit_test(*w, lparam);
    case WM_SYSCOMMAND:
        return system_command(hwnd, wparam);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONUP:
        return scroll_bar_mouse(hwnd, message, wparam, lparam);
    case WM_WINDOWPOSCHANGED:
        return position_changed(*w, reinterpret_cast<WINDOWPOS const*>(lparam));
    case WM_SETICON:
        return reinterpret_cast<LRESULT>(set_icon(*w, wparam, reinterpret_cast<HICON>(lparam)));
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wparam == ICON_BIG ? w->icon_big : w->icon_small);
    case WM_HELP:
    case WM_CONTEXTMENU:
        // Bubble up to the parent, which may know what to do.
        if (w->parent && w->parent != &WindowTable::the().desktop())
            return SendMessage(w->parent->handle, message, wparam, lparam);
        return 0;
    case WM_CHANGEUISTATE:
        return change_ui_state(*w, wparam, lparam);
    case WM_UPDATEUISTATE:
        return update_ui_state(*w, wparam, lparam);
    case WM_QUERYUISTATE:
        return w->ui_state;
    case WM_SYSKEYDOWN:
        // Alt shows the access keys' underlines from then on.
        if (wparam == VK_MENU)
            SendMessage(hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
        return 0;
    case WM_MOUSEACTIVATE:
        return mouse_activate(*w, wparam, lparam);
    case WM_SETCURSOR:
        return set_cursor(*w, wparam, lparam);
    case WM_CANCELMODE:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_ACTIVATE:
        // An activated window takes the focus unless one of its children already has it.
        if (LOWORD(wparam) != WA_INACTIVE && !(w->style & WS_MINIMIZE) && !IsChild(hwnd, GetFocus()))
            SetFocus(hwnd);
        return 0;
    }
    return 0;
}

}
