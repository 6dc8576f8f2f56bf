#include "platform/controls/Trackbar.h"

#include <algorithm>

namespace platform::controls {

Trackbar::Trackbar(HWND hwnd)
    : Control(hwnd)
{
}

void Trackbar::register_class()
{
    register_control<Trackbar>(TRACKBAR_CLASS, CS_HREDRAW | CS_VREDRAW);
}

LRESULT Trackbar::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_KEYDOWN:
        return on_key_down(wparam);
    case WM_KEYUP:
        return on_key_up(wparam);
    case WM_LBUTTONDOWN:
        return on_button_down(lparam);
    case WM_MOUSEMOVE:
        return on_mouse_move(lparam);
    case WM_LBUTTONUP:
        return on_button_up();
    case WM_CAPTURECHANGED:
        m_dragging = m_paging = false;
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        invalidate();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case TBM_GETPOS:
        return m_position;
    case TBM_GETRANGEMIN:
        return m_min;
    case TBM_GETRANGEMAX:
        return m_max;
    case TBM_SETPOS:
        m_position = std::clamp(static_cast<int>(lparam), m_min, std::max(m_min, m_max));
        if (wparam)
            invalidate();
        return 0;
    case TBM_SETRANGE:
        return set_range(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)), wparam != 0);
    case TBM_SETRANGEMIN:
        return set_range(static_cast<int>(lparam), m_max, wparam != 0);
    case TBM_SETRANGEMAX:
        return set_range(m_min, static_cast<int>(lparam), wparam != 0);
    case TBM_SETTICFREQ:
        m_tic_frequency = static_cast<int>(wparam);
        invalidate();
        return 0;
    case TBM_SETPAGESIZE: {
        int old = m_page;
        m_page = static_cast<int>(lparam);
        return old;
    }
    case TBM_GETPAGESIZE:
        return m_page;
    case TBM_SETLINESIZE: {
        int old = m_line;
        m_line = static_cast<int>(lparam);
        return old;
    }
    case TBM_GETLINESIZE:
        return m_line;
    }
    return default_handling(message, wparam, lparam);
}

TrackbarLook Trackbar::look() const
{
    bool ticks = (style() & TBS_AUTOTICKS) && !(style() & TBS_NOTICKS);
    return TrackbarLook { m_min, m_max, m_position, (style() & TBS_VERT) != 0, ticks ? m_tic_frequency : 0, focused(), enabled() };
}

LRESULT Trackbar::set_range(int min, int max, bool redraw)
{
    m_min = min;
    m_max = max;
    m_position = std::clamp(m_position, m_min, std::max(m_min, m_max));
    if (redraw)
        invalidate();
    return 0;
}

void Trackbar::move_to(long long position)
{
    int next = static_cast<int>(std::clamp<long long>(position, m_min, std::max(m_min, m_max)));
    if (next != m_position) {
        m_position = next;
        invalidate();
    }
}

void Trackbar::send(WORD code, int position) const
{
    UINT message = (style() & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    if (HWND p = parent())
        SendMessage(p, message, MAKEWPARAM(code, static_cast<WORD>(position)), reinterpret_cast<LPARAM>(hwnd()));
}

LRESULT Trackbar::on_key_down(WPARAM key)
{
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        move_to(static_cast<long long>(m_position) - m_line);
        send(TB_LINEUP);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        move_to(static_cast<long long>(m_position) + m_line);
        send(TB_LINEDOWN);
        break;
    case VK_PRIOR:
        move_to(static_cast<long long>(m_position) - m_page);
        send(TB_PAGEUP);
        break;
    case VK_NEXT:
        move_to(static_cast<long long>(m_position) + m_page);
        send(TB_PAGEDOWN);
        break;
    case VK_HOME:
        move_to(m_min);
        send(TB_TOP);
        break;
    case VK_END:
        move_to(m_max);
        send(TB_BOTTOM);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT Trackbar::on_key_up(WPARAM key)
{
    switch (key) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        send(TB_ENDTRACK);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT Trackbar::on_button_down(LPARAM lparam)
{
    SetFocus(hwnd());
    POINT p { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
    RECT thumb = trackbar_thumb(client_rect(), look());
    SetCapture(hwnd());
    if (PtInRect(&thumb, p)) {
        m_dragging = true;
        return 0;
    }
    m_paging = true;
    bool before = (style() & TBS_VERT) ? p.y < thumb.top : p.x < thumb.left;
    move_to(static_cast<long long>(m_position) + (before ? -m_page : m_page));
    send(before ? TB_PAGEUP : TB_PAGEDOWN);
    return 0;
}

LRESULT Trackbar::on_mouse_move(LPARAM lparam)
{
    if (!m_dragging)
        return 0;
    POINT p { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
    move_to(trackbar_position_at(client_rect(), look(), p));
    send(TB_THUMBTRACK, m_position);
    return 0;
}

LRESULT Trackbar::on_button_up()
{
    bool dragged = m_dragging;
    bool any = m_dragging || m_paging;
    m_dragging = m_paging = false;
    if (GetCapture() == hwnd())
        ReleaseCapture();
    if (dragged)
        send(TB_THUMBPOSITION, m_position);
    if (any)
        send(TB_ENDTRACK);
    return 0;
}

void Trackbar::paint(HDC dc)
{
    paint_trackbar(dc, client_rect(), look());
}

}
