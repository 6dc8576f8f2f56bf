// The base of every standard control: the C++ object behind a control window. It is made
// at WM_NCCREATE, kept in the window's first extra bytes and destroyed after WM_NCDESTROY.
// The window procedure only decodes: mouse and keyboard messages to a disabled control are
// dropped here, in one place, and everything else goes to the control's `handle`.
//
// Painting: WM_PAINT paints through BeginPaint's DC (nothing when the window has no surface
// yet) and WM_PRINTCLIENT into the DC in wParam, both through `paint`, with the control's
// font (WM_SETFONT; DEFAULT_GUI_FONT until one is set) selected.
#pragma once

#include "platform/controls/ControlMessages.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/Input.h"
#include "platform/user/WindowCore.h"

#include <memory>
#include <string>

namespace platform::controls {

class Control {
public:
    explicit Control(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }
    virtual ~Control() = default;
    Control(Control const&) = delete;
    Control& operator=(Control const&) = delete;

    HWND hwnd() const { return m_hwnd; }
    virtual LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);

protected:
    virtual void paint(HDC) { }
    LRESULT default_handling(UINT message, WPARAM wparam, LPARAM lparam);
    void paint_with_font(HDC dc);
    void invalidate() { InvalidateRect(m_hwnd, nullptr, TRUE); }

    DWORD style() const { return static_cast<DWORD>(GetWindowLong(m_hwnd, GWL_STYLE)); }
    void set_style(DWORD style) { SetWindowLong(m_hwnd, GWL_STYLE, static_cast<LONG>(style)); }
    int id() const { return GetDlgCtrlID(m_hwnd); }
    HWND parent() const { return GetParent(m_hwnd); }
    bool enabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
    bool focused() const { return GetFocus() == m_hwnd; }
    // The keyboard cues the window's state hides (UISF_HIDEFOCUS, UISF_HIDEACCEL).
    WORD hidden_cues() const { return static_cast<WORD>(SendMessage(m_hwnd, WM_QUERYUISTATE, 0, 0)); }
    // DT_HIDEPREFIX while the access keys' underlines are hidden, else 0.
    UINT access_key_format() const { return (hidden_cues() & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0; }
    RECT client_rect() const;
    std::string text() const;
    HFONT font() const { return m_font; }

    // WM_COMMAND to the parent with the control's id and this code.
    void notify(WORD code) const;
    // Asks the parent for the colours (WM_CTLCOLORxxx); without an answer sets the
    // defaults (text COLOR_WINDOWTEXT or COLOR_BTNTEXT, background COLOR_WINDOW or
    // COLOR_BTNFACE) and answers the matching system brush.
    HBRUSH control_colour(HDC dc, UINT message) const;

private:
    HWND m_hwnd;
    HFONT m_font {};
};

bool is_input_message(UINT message);

template<class T>
LRESULT control_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto control = std::make_unique<T>(hwnd);
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(control.release()));
    }
    auto* control = reinterpret_cast<T*>(GetWindowLongPtr(hwnd, 0));
    if (!control)
        return DefWindowProc(hwnd, message, wparam, lparam);
    if (is_input_message(message) && !IsWindowEnabled(hwnd))
        return 0;
    LRESULT result = control->handle(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, 0, 0);
        std::unique_ptr<T> owned(control);
    }
    return result;
}

// Registers a control class for the whole process.
template<class T>
void register_control(LPCSTR name, UINT class_style, HBRUSH background = nullptr)
{
    WNDCLASSEX wc {};
    wc.cbSize = sizeof(wc);
    wc.style = class_style;
    wc.lpfnWndProc = control_proc<T>;
    wc.cbWndExtra = sizeof(void*);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    user::register_system_class(wc);
}

}
