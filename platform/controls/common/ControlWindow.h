// The window procedure shared by the module's controls: it makes the control object on
// WM_NCCREATE, keeps it in the window's extra bytes, and deletes it after WM_NCDESTROY. A
// control that is destroyed while one of its own handlers runs (a parent that destroys the
// list from a notification) stays allocated until that handler returns; the handler sees
// dead() and stops.
#pragma once

#include "platform/user/User.h"

namespace platform::commctrl {

class ControlLifetime {
public:
    bool dead() const { return m_dead; }

protected:
    template<typename Control>
    friend LRESULT control_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    int m_busy {};
    bool m_dead {};
};

template<typename Control>
Control* control_of(HWND hwnd)
{
    return hwnd ? reinterpret_cast<Control*>(GetWindowLongPtr(hwnd, 0)) : nullptr;
}

template<typename Control>
LRESULT control_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(new Control(hwnd)));
    Control* self = control_of<Control>(hwnd);
    if (!self)
        return DefWindowProc(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, 0, 0);
        self->m_dead = true;
        if (self->m_busy == 0)
            delete self;
        return DefWindowProc(hwnd, message, wparam, lparam);
    }
    ++self->m_busy;
    LRESULT result = self->dispatch(message, wparam, lparam);
    if (--self->m_busy == 0 && self->m_dead)
        delete self;
    return result;
}

}
