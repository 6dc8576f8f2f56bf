#include "platform/controls/Control.h"

namespace platform::controls {

bool is_input_message(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}

LRESULT Control::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    return default_handling(message, wparam, lparam);
}

LRESULT Control::default_handling(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wparam);
        if (LOWORD(lparam))
            invalidate();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        if (dc)
            paint_with_font(dc);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (wparam)
            paint_with_font(reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    }
    return DefWindowProc(m_hwnd, message, wparam, lparam);
}

void Control::paint_with_font(HDC dc)
{
    HFONT f = m_font ? m_font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    int saved = SaveDC(dc);
    SelectObject(dc, f);
    paint(dc);
    RestoreDC(dc, saved);
}

RECT Control::client_rect() const
{
    RECT r {};
    GetClientRect(m_hwnd, &r);
    return r;
}

std::string Control::text() const
{
    int length = GetWindowTextLength(m_hwnd);
    std::string result(static_cast<size_t>(length) + 1, '\0');
    result.resize(static_cast<size_t>(GetWindowText(m_hwnd, result.data(), length + 1)));
    return result;
}

void Control::notify(WORD code) const
{
    if (HWND p = parent())
        SendMessage(p, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id()), code), reinterpret_cast<LPARAM>(m_hwnd));
}

HBRUSH Control::control_colour(HDC dc, UINT message) const
{
    if (HWND p = parent()) {
        if (LRESULT brush = SendMessage(p, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hwnd)))
            return reinterpret_cast<HBRUSH>(brush);
    }
    bool window_colours = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    SetTextColor(dc, GetSysColor(window_colours ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(window_colours ? COLOR_WINDOW : COLOR_BTNFACE));
    return GetSysColorBrush(window_colours ? COLOR_WINDOW : COLOR_BTNFACE);
}

}
