// The mouse: which window a pointer event goes to and as which message. The order of the
// steps for one event:
//   1. the target: the capture window, else the window under the pointer by hit-testing
//      (children before their parent, upper siblings first; HTTRANSPARENT passes on);
//   2. a target that is, or sits in, a disabled window drops the event (a press beeps);
//   3. mouse-leave tracking sees where the pointer now is;
//   4. moves and presses without capture ask WM_SETCURSOR;
//   5. a press in an inactive top-level window asks WM_MOUSEACTIVATE, which may activate
//      it and may eat the press;
//   6. a press on a CS_DBLCLKS window soon after the last one becomes a double click.
#include "platform/user/InputRouter.h"

#include "platform/user/WindowCore.h"

#include <cstdlib>
#include <vector>

namespace platform::user {

namespace {

struct Hit {
    HWND hwnd {};
    LRESULT code { HTNOWHERE };
};

struct LastPress {
    HWND hwnd {};
    input::MouseButton button {};
    DWORD time {};
    POINT point {};
    bool valid {};
};

HWND g_leave_tracked = nullptr;
LastPress g_last_press;
HCURSOR g_cursor = nullptr;

std::vector<HWND> children_of(HWND parent)
{
    std::vector<HWND> result;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        result.push_back(child);
    return result;
}

bool in_client(HWND hwnd, POINT screen)
{
    POINT p = screen;
    ScreenToClient(hwnd, &p);
    RECT c;
    GetClientRect(hwnd, &c);
    return PtInRect(&c, p);
}

Hit hit_among(std::vector<HWND> const& windows, POINT p)
{
    for (HWND hwnd : windows) {
        RECT r;
        if (!IsWindowVisible(hwnd) || !GetWindowRect(hwnd, &r) || !PtInRect(&r, p))
            continue;
        if (in_client(hwnd, p)) {
            Hit child = hit_among(children_of(hwnd), p);
            if (child.hwnd)
                return child;
        }
        LRESULT code = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
        if (code != HTTRANSPARENT)
            return Hit { hwnd, code };
    }
    return {};
}

Hit hit_test(POINT p)
{
    return hit_among(top_level_windows(), p);
}

bool inside_disabled(HWND hwnd)
{
    for (HWND w = hwnd; w; w = GetParent(w)) {
        if (!IsWindowEnabled(w))
            return true;
        if (!(GetWindowLong(w, GWL_STYLE) & WS_CHILD))
            break;
    }
    return false;
}

void check_mouse_leave(POINT p)
{
    if (!g_leave_tracked)
        return;
    Hit under = hit_test(p);
    if (under.hwnd == g_leave_tracked && under.code == HTCLIENT)
        return;
    HWND left = g_leave_tracked;
    g_leave_tracked = nullptr;
    PostMessage(left, WM_MOUSELEAVE, 0, 0);
}

UINT client_message(RawInput::Kind kind, input::MouseButton button, bool double_click)
{
    static constexpr UINT downs[] = { WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN };
    static constexpr UINT ups[] = { WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP };
    static constexpr UINT doubles[] = { WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK };
    auto index = static_cast<size_t>(button);
    switch (kind) {
    case RawInput::Kind::Move:
        return WM_MOUSEMOVE;
    case RawInput::Kind::ButtonDown:
        return double_click ? doubles[index] : downs[index];
    case RawInput::Kind::ButtonUp:
        return ups[index];
    case RawInput::Kind::Wheel:
        return WM_MOUSEWHEEL;
    case RawInput::Kind::KeyDown:
    case RawInput::Kind::KeyUp:
    case RawInput::Kind::Char:
        break;
    }
    return WM_NULL;
}

// Non-client messages lie at a fixed distance from their client twins.
UINT non_client_message(UINT client)
{
    return client - (WM_MOUSEMOVE - WM_NCMOUSEMOVE);
}

bool is_double_click(RawInput const& e, HWND target)
{
    DWORD now = GetTickCount();
    bool wants = (GetClassLong(target, GCL_STYLE) & CS_DBLCLKS) != 0;
    LastPress const& last = g_last_press;
    int half_x = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    int half_y = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    bool result = wants && last.valid && last.hwnd == target && last.button == e.button
        && now - last.time <= GetDoubleClickTime() && std::abs(e.point.x - last.point.x) <= half_x
        && std::abs(e.point.y - last.point.y) <= half_y;
    // A double click ends the sequence: the next press starts a new one.
    g_last_press = result ? LastPress {} : LastPress { target, e.button, now, e.point, true };
    return result;
}

// True when the press goes on to the window.
bool mouse_activate(HWND target, LRESULT hit, UINT message)
{
    HWND top = GetAncestor(target, GA_ROOT);
    if (!top || top == GetActiveWindow())
        return true;
    LRESULT answer = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
        MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(message)));
    if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && IsWindow(top))
        SetActiveWindow(top);
    return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

LPARAM point_lparam(POINT p)
{
    return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

std::optional<MSG> route_wheel(RawInput const& e)
{
    HWND target = GetFocus();
    if (!target)
        target = hit_test(e.point).hwnd;
    if (!target || inside_disabled(target))
        return std::nullopt;
    WPARAM wparam = MAKEWPARAM(static_cast<WORD>(mouse_key_flags()), static_cast<WORD>(e.wheel));
    return MSG { target, WM_MOUSEWHEEL, wparam, point_lparam(e.point), GetTickCount(), e.point };
}

}

std::optional<MSG> route_mouse(RawInput const& e)
{
    if (e.kind == RawInput::Kind::ButtonDown || e.kind == RawInput::Kind::ButtonUp) {
        static constexpr int keys[] = { VK_LBUTTON, VK_RBUTTON, VK_MBUTTON };
        set_key_down(keys[static_cast<size_t>(e.button)], e.kind == RawInput::Kind::ButtonDown, false);
    }
    if (e.kind == RawInput::Kind::Wheel)
        return route_wheel(e);
    HWND capture = GetCapture();
    Hit hit = capture ? Hit { capture, capture_hit() } : hit_test(e.point);
    check_mouse_leave(e.point);
    if (!hit.hwnd)
        return std::nullopt;
    bool press = e.kind == RawInput::Kind::ButtonDown;
    if (!capture && inside_disabled(hit.hwnd)) {
        if (press)
            MessageBeep(0);
        return std::nullopt;
    }
    UINT message = client_message(e.kind, e.button, false);
    if (!capture && (e.kind == RawInput::Kind::Move || press))
        SendMessage(hit.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hit.hwnd), MAKELPARAM(static_cast<WORD>(hit.code), static_cast<WORD>(message)));
    if (press && !mouse_activate(hit.hwnd, hit.code, message))
        return std::nullopt;
    if (!IsWindow(hit.hwnd))
        return std::nullopt;
    if (press)
        message = client_message(e.kind, e.button, is_double_click(e, hit.hwnd));
    MSG msg { hit.hwnd, message, mouse_key_flags(), 0, GetTickCount(), e.point };
    if (hit.code == HTCLIENT) {
        POINT client = e.point;
        ScreenToClient(hit.hwnd, &client);
        msg.lParam = point_lparam(client);
    } else {
        msg.message = non_client_message(message);
        msg.wParam = static_cast<WPARAM>(hit.code);
        msg.lParam = point_lparam(e.point);
    }
    return msg;
}

void reset_mouse_state()
{
    g_leave_tracked = nullptr;
    g_last_press = {};
    g_cursor = nullptr;
}

void forget_mouse_tracking(HWND hwnd)
{
    if (g_leave_tracked == hwnd)
        g_leave_tracked = nullptr;
    if (g_last_press.hwnd == hwnd)
        g_last_press = {};
}

}

using namespace platform::user;

extern "C" {

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT))
        return FALSE;
    return static_cast<BOOL>(run_on_ui_thread([=]() -> LRESULT {
        if (track->dwFlags & TME_QUERY) {
            track->dwFlags = g_leave_tracked ? TME_LEAVE : 0;
            track->hwndTrack = g_leave_tracked;
            return TRUE;
        }
        if (!(track->dwFlags & TME_LEAVE))
            return TRUE;
        if (track->dwFlags & TME_CANCEL) {
            if (g_leave_tracked == track->hwndTrack)
                g_leave_tracked = nullptr;
            return TRUE;
        }
        if (!IsWindow(track->hwndTrack))
            return FALSE;
        g_leave_tracked = track->hwndTrack;
        // Asked while the pointer is already elsewhere: the leave comes at once.
        check_mouse_leave(cursor_position());
        return TRUE;
    }));
}

UINT GetDoubleClickTime()
{
    return 500;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR old = g_cursor;
    g_cursor = cursor;
    return old;
}

HCURSOR GetCursor()
{
    return g_cursor;
}

}
