// X events of the X11 presenter: exposure is answered on the X thread from the backing
// pixels; pointer and keyboard events enter the input module exactly as injected test input
// does (hit-testing, capture, activation, the message filter); window-manager requests
// (close, move, resize, focus) become window calls on the user-interface thread.
#include "platform/display/x11/X11Display.h"

#include "platform/display/x11/KeyMap.h"
#include "platform/user/InputDriver.h"

#include <X11/Xutil.h>

namespace platform::display::x11 {

namespace input = user::input;

namespace {

int width_of(RECT const& r) { return r.right - r.left; }
int height_of(RECT const& r) { return r.bottom - r.top; }

}

void X11Display::handle_event(XEvent& event)
{
    if (event.type == MappingNotify) {
        // The keyboard layout changed: keysyms are looked up afresh.
        XRefreshKeyboardMapping(&event.xmapping);
        return;
    }
    if (m_tray->handle_event(event))
        return;
    XWin* win = find(event.xany.window);
    if (!win)
        return;
    switch (event.type) {
    case Expose: {
        RECT area { event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
            event.xexpose.y + event.xexpose.height };
        OffsetRect(&area, win->spec.shown.left, win->spec.shown.top);
        win->backing->show(area, [&](std::shared_ptr<PixelMemory> const& pixels, int stride, RECT const& clipped) {
            blit(*win, pixels, stride, clipped);
        });
        break;
    }
    case MotionNotify:
        input::move_mouse(POINT { event.xmotion.x_root, event.xmotion.y_root });
        break;
    case EnterNotify:
    case LeaveNotify:
        // Leaving moves the pointer out of the window too, so the window core sees it leave.
        input::move_mouse(POINT { event.xcrossing.x_root, event.xcrossing.y_root });
        break;
    case ButtonPress:
    case ButtonRelease:
        handle_button(event.xbutton, event.type == ButtonPress);
        break;
    case KeyPress:
    case KeyRelease:
        handle_key(event.xkey, event.type == KeyPress);
        break;
    case FocusIn:
        if (event.xfocus.mode == NotifyNormal) {
            HWND hwnd = win->spec.hwnd;
            m_marshal.post([hwnd] {
                if (IsWindow(hwnd) && GetActiveWindow() != hwnd)
                    SetActiveWindow(hwnd);
            });
        }
        break;
    case ConfigureNotify:
        handle_configure(event.xconfigure);
        break;
    case ClientMessage:
        handle_client_message(event.xclient);
        break;
    default:
        break;
    }
}

void X11Display::handle_button(XButtonEvent const& event, bool press)
{
    XWin* win = find(event.window);
    if (press && win) {
        // The window core's z-order decides where the press goes: bring the window the
        // user pressed on to the top first (queued calls run before input).
        HWND hwnd = win->spec.hwnd;
        m_marshal.post([hwnd] {
            if (IsWindow(hwnd))
                SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        });
    }
    input::move_mouse(POINT { event.x_root, event.y_root });
    switch (event.button) {
    case Button1:
    case Button2:
    case Button3: {
        auto button = event.button == Button1 ? input::MouseButton::Left
            : event.button == Button2         ? input::MouseButton::Middle
                                              : input::MouseButton::Right;
        if (press)
            input::press_mouse(button);
        else
            input::release_mouse(button);
        break;
    }
    case Button4:
    case Button5:
        if (press)
            input::turn_wheel(event.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA);
        break;
    default:
        break;
    }
}

// The unshifted keysym names the key, as a virtual key names a key whatever the shift state;
// keypad digits (Num Lock on) are the numpad keys. The characters come from the user's layout
// (X11Text.cpp), so that Shift+7 on a German keyboard makes "/"; a key with no virtual key
// only enters its text.
void X11Display::handle_key(XKeyEvent& event, bool press)
{
    int virtual_key = virtual_key_from_keysym(XLookupKeysym(&event, 0));
    if (!press) {
        if (virtual_key)
            input::release_key(virtual_key);
        return;
    }
    KeyText const layout = layout_text(event);
    if (layout.keysym >= XK_KP_0 && layout.keysym <= XK_KP_9)
        virtual_key = virtual_key_from_keysym(layout.keysym);
    if (virtual_key == 0) {
        if (!layout.text.empty())
            input::enter_text(layout.text);
        return;
    }
    if (layout.text.empty())
        input::press_key(virtual_key);
    else
        input::press_key(virtual_key, layout.text);
}

void X11Display::handle_configure(XConfigureEvent const& event)
{
    XWin* win = find(event.window);
    if (!win)
        return;
    int x = event.x;
    int y = event.y;
    // Events the server sends for a reparented window are relative to the frame; the window
    // manager's synthetic ones are in root coordinates.
    if (!event.send_event) {
        Window child = None;
        XTranslateCoordinates(m_display, event.window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    }
    XWindowSpec& known = win->spec;
    if (known.screen.x == x && known.screen.y == y && width_of(known.shown) == event.width
        && height_of(known.shown) == event.height)
        return;
    int dx = x - known.screen.x;
    int dy = y - known.screen.y;
    int dw = event.width - width_of(known.shown);
    int dh = event.height - height_of(known.shown);
    known.screen = POINT { x, y };
    known.shown.right += dw;
    known.shown.bottom += dh;
    HWND hwnd = known.hwnd;
    m_marshal.post([hwnd, dx, dy, dw, dh] {
        RECT r {};
        if (!GetWindowRect(hwnd, &r))
            return;
        SetWindowPos(hwnd, nullptr, r.left + dx, r.top + dy, r.right - r.left + dw, r.bottom - r.top + dh,
            SWP_NOZORDER | SWP_NOACTIVATE);
    });
}

void X11Display::handle_client_message(XClientMessageEvent const& event)
{
    XWin* win = find(event.window);
    if (!win || event.message_type != m_atoms.wm_protocols || event.format != 32)
        return;
    if (static_cast<Atom>(event.data.l[0]) == m_atoms.wm_delete_window)
        PostMessage(win->spec.hwnd, WM_CLOSE, 0, 0);
}

}
