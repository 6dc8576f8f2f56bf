// Keyboard focus and mouse capture. Both belong to the user-interface thread; a destroyed
// window loses them.
#include "platform/user/Input.h"
#include "platform/user/InputRouter.h"
#include "platform/user/Observers.h"
#include "platform/user/WindowCore.h"
#include "platform/user/WindowTable.h"

namespace platform::user {

namespace {

HWND g_focus = nullptr;
HWND g_capture = nullptr;
LRESULT g_capture_hit = HTCLIENT;

// A presenter showing real windows follows the capture: the window system's pointer must
// come to the program while one of its windows tracks the mouse.
void report_capture(HWND hwnd)
{
    for_each_observer([hwnd](WindowObserver& observer) { observer.capture_changed(hwnd); });
}

}

// Called while a window is destroyed, before its handle dies.
void drop_focus_and_capture(HWND hwnd)
{
    if (g_focus == hwnd)
        g_focus = nullptr;
    if (g_capture == hwnd) {
        g_capture = nullptr;
        g_capture_hit = HTCLIENT;
        report_capture(nullptr);
    }
    forget_mouse_tracking(hwnd);
}

void set_capture_hit(LRESULT code)
{
    if (g_capture)
        g_capture_hit = code;
}

LRESULT capture_hit()
{
    return g_capture_hit;
}

}

using namespace platform::user;

extern "C" {

HWND SetFocus(HWND hwnd)
{
    return reinterpret_cast<HWND>(run_on_ui_thread([=]() -> LRESULT {
        if (hwnd && !IsWindow(hwnd))
            return 0;
        HWND old = g_focus;
        if (old == hwnd)
            return reinterpret_cast<LRESULT>(old);
        // The focus lives in the active window: focusing a window of another top-level
        // window activates that one first (its WM_ACTIVATE may move the focus itself).
        HWND top = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
        if (top && top != GetActiveWindow()) {
            SetActiveWindow(top);
            old = g_focus;
            if (old == hwnd || !IsWindow(hwnd))
                return reinterpret_cast<LRESULT>(old);
        }
        g_focus = hwnd;
        if (old && IsWindow(old))
            SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        if (hwnd && g_focus == hwnd && IsWindow(hwnd))
            SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
        return reinterpret_cast<LRESULT>(old);
    }));
}

HWND GetFocus()
{
    return reinterpret_cast<HWND>(run_on_ui_thread([]() -> LRESULT { return reinterpret_cast<LRESULT>(g_focus); }));
}

HWND SetCapture(HWND hwnd)
{
    return reinterpret_cast<HWND>(run_on_ui_thread([=]() -> LRESULT {
        HWND old = g_capture;
        g_capture = IsWindow(hwnd) ? hwnd : nullptr;
        g_capture_hit = HTCLIENT;
        if (old && old != g_capture && IsWindow(old))
            SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(g_capture));
        if (old != g_capture)
            report_capture(g_capture);
        return reinterpret_cast<LRESULT>(old);
    }));
}

BOOL ReleaseCapture()
{
    return static_cast<BOOL>(run_on_ui_thread([]() -> LRESULT {
        HWND old = g_capture;
        g_capture = nullptr;
        g_capture_hit = HTCLIENT;
        if (old && IsWindow(old))
            SendMessage(old, WM_CAPTURECHANGED, 0, 0);
        if (old)
            report_capture(nullptr);
        return TRUE;
    }));
}

HWND GetCapture()
{
    return reinterpret_cast<HWND>(run_on_ui_thread([]() -> LRESULT { return reinterpret_cast<LRESULT>(g_capture); }));
}

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return FALSE;
    *point = cursor_position();
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    set_cursor_position(POINT { x, y });
    return TRUE;
}

}
