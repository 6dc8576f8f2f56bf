// The combo box's drop-down list: opening, tracking the mouse and keys over it while it is
// shown, and closing with or without the highlighted item. The combo box holds the capture
// while the list is shown, so every press and move comes here, in its client coordinates.
#include "platform/controls/ComboBox.h"

#include "platform/controls/ScrollMessages.h"

#include <algorithm>

namespace platform::controls {

RECT ComboBox::dropped_rect() const
{
    RECT r {};
    GetWindowRect(hwnd(), &r);
    int width = std::max<int>(m_dropped_width, r.right - r.left);
    return RECT { r.left, r.bottom, r.left + width, r.bottom + m_dropped_height };
}

void ComboBox::drop()
{
    if (m_dropped || !m_list)
        return;
    notify(CBN_DROPDOWN);
    if (!IsWindow(hwnd()) || !m_list)
        return;
    m_before_drop = selection();
    RECT r = dropped_rect();
    // A list with few items is only as high as they are.
    int count = static_cast<int>(to_list(LB_GETCOUNT));
    int rows = std::max(1, count) * static_cast<int>(to_list(LB_GETITEMHEIGHT, 0)) + 2;
    r.bottom = std::min<int>(r.bottom, r.top + rows);
    SetWindowPos(m_list, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (m_before_drop >= 0)
        to_list(LB_SETCURSEL, static_cast<WPARAM>(m_before_drop));
    m_dropped = true;
    if (!m_edit && !focused())
        SetFocus(hwnd());
    SetCapture(hwnd());
    invalidate();
}

void ComboBox::close(bool accept)
{
    if (!m_dropped)
        return;
    m_dropped = false;
    m_opening_press = false;
    m_closing = true;
    if (m_list)
        ShowWindow(m_list, SW_HIDE);
    if (GetCapture() == hwnd())
        ReleaseCapture();
    m_closing = false;
    invalidate();
    int chosen = selection();
    if (accept && chosen >= 0) {
        show_selection();
        if (chosen != m_before_drop)
            notify(CBN_SELCHANGE);
        notify(CBN_SELENDOK);
    } else {
        to_list(LB_SETCURSEL, static_cast<WPARAM>(m_before_drop));
        notify(CBN_SELENDCANCEL);
    }
    if (IsWindow(hwnd()))
        notify(CBN_CLOSEUP);
}

POINT ComboBox::in_list(POINT client) const
{
    POINT p = client;
    ClientToScreen(hwnd(), &p);
    ScreenToClient(m_list, &p);
    return p;
}

bool ComboBox::list_client_has(POINT list_point) const
{
    RECT c {};
    GetClientRect(m_list, &c);
    return PtInRect(&c, list_point) != FALSE;
}

namespace {

int item_under(HWND list, POINT p)
{
    int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = static_cast<int>(SendMessage(list, LB_GETTOPINDEX, 0, 0)); i < count; ++i) {
        RECT r {};
        SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        if (PtInRect(&r, p))
            return i;
    }
    return -1;
}

}

LRESULT ComboBox::on_button_down(POINT p)
{
    if (!m_dropped) {
        RECT c = client_rect();
        RECT button = button_rect();
        if (!PtInRect(&c, p) || (m_edit && !PtInRect(&button, p)))
            return 0;
        if (!focused() && !(m_edit && GetFocus() == m_edit))
            SetFocus(m_edit ? m_edit : hwnd());
        drop();
        m_opening_press = m_dropped;
        return 0;
    }
    POINT lp = in_list(p);
    if (list_client_has(lp)) {
        int item = item_under(m_list, lp);
        if (item >= 0)
            to_list(LB_SETCURSEL, static_cast<WPARAM>(item));
        return 0;
    }
    RECT list_window {};
    GetWindowRect(m_list, &list_window);
    POINT screen = p;
    ClientToScreen(hwnd(), &screen);
    if (PtInRect(&list_window, screen)) {
        // The list's own scroll bar: a press and a release there scroll it by a line or a
        // page. FIXME: dragging its thumb while the list is dropped.
        LRESULT hit = SendMessage(m_list, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
        if (hit == HTVSCROLL) {
            m_closing = true;
            LPARAM at = MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
            SendMessage(m_list, WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTVSCROLL), at);
            SendMessage(m_list, WM_NCLBUTTONUP, static_cast<WPARAM>(HTVSCROLL), at);
            SetCapture(hwnd());
            m_closing = false;
        }
        return 0;
    }
    close(false);
    return 0;
}

LRESULT ComboBox::on_mouse_move(POINT p)
{
    if (!m_dropped)
        return 0;
    POINT lp = in_list(p);
    if (!list_client_has(lp))
        return 0;
    int item = item_under(m_list, lp);
    if (item >= 0 && item != selection())
        to_list(LB_SETCURSEL, static_cast<WPARAM>(item));
    return 0;
}

LRESULT ComboBox::on_button_up(POINT p)
{
    if (!m_dropped)
        return 0;
    POINT lp = in_list(p);
    if (list_client_has(lp) && item_under(m_list, lp) >= 0) {
        close(true);
        return 0;
    }
    m_opening_press = false;
    return 0;
}

void ComboBox::list_key(WPARAM key)
{
    int sel = selection();
    int count = static_cast<int>(to_list(LB_GETCOUNT));
    int next = sel;
    switch (key) {
    case VK_RETURN:
        close(true);
        return;
    case VK_ESCAPE:
        close(false);
        return;
    case VK_UP: next = sel < 0 ? 0 : sel - 1; break;
    case VK_DOWN: next = sel + 1; break;
    case VK_PRIOR: next = sel - 8; break;
    case VK_NEXT: next = sel + 8; break;
    case VK_HOME: next = 0; break;
    case VK_END: next = count - 1; break;
    default: return;
    }
    if (count > 0)
        to_list(LB_SETCURSEL, static_cast<WPARAM>(std::clamp(next, 0, count - 1)));
}

}
