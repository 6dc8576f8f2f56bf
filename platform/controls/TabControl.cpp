#include "platform/controls/TabControl.h"

#include "platform/controls/ControlPaint.h"

#include <algorithm>
#include <cstring>

namespace platform::controls {

namespace {

constexpr int panel_margin = 4; // the panel's raised edge and the gap inside it

}

TabControl::TabControl(HWND hwnd)
    : Control(hwnd)
{
}

void TabControl::register_class()
{
    register_control<TabControl>(WC_TABCONTROL, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

LRESULT TabControl::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case TCM_GETITEMCOUNT: return count();
    case TCM_INSERTITEM: return insert(wparam, reinterpret_cast<TCITEM const*>(lparam));
    case TCM_SETITEM: return set_item(wparam, reinterpret_cast<TCITEM const*>(lparam));
    case TCM_GETITEM: return get_item(wparam, reinterpret_cast<TCITEM*>(lparam));
    case TCM_DELETEITEM: return erase(wparam);
    case TCM_DELETEALLITEMS:
        m_items.clear();
        m_selection = -1;
        invalidate();
        return TRUE;
    case TCM_GETCURSEL: return m_selection;
    case TCM_SETCURSEL: return set_cur_sel(wparam);
    case TCM_GETITEMRECT:
        if (!valid(wparam) || !lparam)
            return FALSE;
        *reinterpret_cast<RECT*>(lparam) = tab_rect(static_cast<int>(wparam));
        return TRUE;
    case TCM_ADJUSTRECT: return adjust_rect(wparam != 0, reinterpret_cast<RECT*>(lparam));
    case WM_LBUTTONDOWN: return on_button_down(lparam);
    case WM_KEYDOWN: return on_key_down(wparam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        invalidate();
        return 0;
    }
    return default_handling(message, wparam, lparam);
}

int TabControl::tab_width(int index) const
{
    std::string const& text = m_items[static_cast<size_t>(index)].text;
    SIZE size { static_cast<LONG>(text.size() * 7), 0 };
    if (HDC dc = GetDC(hwnd())) {
        HGDIOBJ old = SelectObject(dc, font() ? font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(hwnd(), dc);
    }
    return size.cx + 12;
}

RECT TabControl::tab_rect(int index) const
{
    int x = 2;
    for (int i = 0; i < index; ++i)
        x += tab_width(i);
    return RECT { x, 2, x + tab_width(index), row_height };
}

LRESULT TabControl::insert(WPARAM index, TCITEM const* item)
{
    if (!item || static_cast<int>(index) < 0)
        return -1;
    int at = std::min(static_cast<int>(index), count());
    Item entry;
    if ((item->mask & TCIF_TEXT) && item->pszText)
        entry.text = item->pszText;
    if (item->mask & TCIF_IMAGE)
        entry.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        entry.param = item->lParam;
    m_items.insert(m_items.begin() + at, entry);
    if (m_selection < 0)
        m_selection = 0; // the first tab is selected as it arrives, silently
    else if (m_selection >= at)
        ++m_selection;
    invalidate();
    return at;
}

LRESULT TabControl::set_item(WPARAM index, TCITEM const* item)
{
    if (!valid(index) || !item)
        return FALSE;
    Item& entry = m_items[index];
    if (item->mask & TCIF_TEXT)
        entry.text = item->pszText ? item->pszText : "";
    if (item->mask & TCIF_IMAGE)
        entry.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        entry.param = item->lParam;
    invalidate();
    return TRUE;
}

LRESULT TabControl::get_item(WPARAM index, TCITEM* item) const
{
    if (!valid(index) || !item)
        return FALSE;
    Item const& entry = m_items[index];
    if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
        size_t n = std::min(entry.text.size(), static_cast<size_t>(item->cchTextMax - 1));
        std::memcpy(item->pszText, entry.text.data(), n);
        item->pszText[n] = 0;
    }
    if (item->mask & TCIF_IMAGE)
        item->iImage = entry.image;
    if (item->mask & TCIF_PARAM)
        item->lParam = entry.param;
    return TRUE;
}

LRESULT TabControl::erase(WPARAM index)
{
    if (!valid(index))
        return FALSE;
    int i = static_cast<int>(index);
    m_items.erase(m_items.begin() + i);
    if (m_selection == i)
        m_selection = -1;
    else if (m_selection > i)
        --m_selection;
    invalidate();
    return TRUE;
}

LRESULT TabControl::set_cur_sel(WPARAM index)
{
    int old = m_selection;
    if (!valid(index))
        return -1;
    m_selection = static_cast<int>(index);
    invalidate();
    return old;
}

// FALSE: the display area inside a window rectangle; TRUE: the window rectangle around a
// display area.
LRESULT TabControl::adjust_rect(bool larger, RECT* rect) const
{
    if (!rect)
        return 0;
    int sign = larger ? -1 : 1;
    rect->left += sign * panel_margin;
    rect->right -= sign * panel_margin;
    rect->top += sign * (row_height + panel_margin);
    rect->bottom -= sign * panel_margin;
    return 0;
}

LRESULT TabControl::send_notify(UINT code) const
{
    NMHDR header { hwnd(), static_cast<UINT_PTR>(id()), code };
    HWND p = parent();
    return p ? SendMessage(p, WM_NOTIFY, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&header)) : 0;
}

void TabControl::select_by_user(int index)
{
    if (index < 0 || index >= count() || index == m_selection)
        return;
    if (send_notify(TCN_SELCHANGING))
        return;
    if (!IsWindow(hwnd()) || index >= count())
        return;
    m_selection = index;
    invalidate();
    send_notify(TCN_SELCHANGE);
}

LRESULT TabControl::on_button_down(LPARAM lparam)
{
    POINT p { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
    for (int i = 0; i < count(); ++i) {
        RECT r = tab_rect(i);
        if (PtInRect(&r, p)) {
            SetFocus(hwnd());
            select_by_user(i);
            return 0;
        }
    }
    return 0;
}

LRESULT TabControl::on_key_down(WPARAM key)
{
    if (key == VK_LEFT)
        select_by_user(m_selection - 1);
    else if (key == VK_RIGHT)
        select_by_user(m_selection + 1);
    return 0;
}

void TabControl::paint(HDC dc)
{
    RECT c = client_rect();
    RECT row { 0, 0, c.right, row_height };
    FillRect(dc, &row, GetSysColorBrush(COLOR_BTNFACE));
    RECT panel { 0, row_height - 1, c.right, c.bottom };
    DrawEdge(dc, &panel, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < count(); ++i) {
        RECT r = tab_rect(i);
        bool selected = i == m_selection;
        if (selected)
            r = RECT { r.left - 2, r.top - 2, r.right + 2, r.bottom + 1 };
        DrawEdge(dc, &r, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_MIDDLE | BF_SOFT);
        RECT text = r;
        draw_control_text(dc, text, m_items[static_cast<size_t>(i)].text, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, enabled());
        if (selected && focused()) {
            RECT f { r.left + 3, r.top + 3, r.right - 3, r.bottom - 2 };
            DrawFocusRect(dc, &f);
        }
    }
}

}
