#include "platform/controls/ComboBox.h"

#include "platform/controls/ControlPaint.h"
#include "platform/controls/ListBox.h"

#include <algorithm>
#include <cstring>

namespace platform::controls {

namespace {

constexpr int edit_id = 1001;
constexpr int edge = 2; // the sunken client edge around field and button

DWORD list_style(DWORD combo)
{
    DWORD s = WS_POPUP | WS_BORDER | WS_VSCROLL;
    s |= combo & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE);
    if (combo & CBS_HASSTRINGS)
        s |= LBS_HASSTRINGS;
    if (combo & CBS_SORT)
        s |= LBS_SORT;
    return s;
}

}

ComboBox::ComboBox(HWND hwnd)
    : Control(hwnd)
{
}

void ComboBox::register_class()
{
    register_control<ComboBox>("ComboBox", CS_DBLCLKS);
}

LRESULT ComboBox::to_list(UINT message, WPARAM wparam, LPARAM lparam) const
{
    return m_list ? SendMessage(m_list, message, wparam, lparam) : CB_ERR;
}

LRESULT ComboBox::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message >= CB_GETEDITSEL && message <= CB_SETDROPPEDWIDTH)
        return dispatch_items(message, wparam, lparam);
    return dispatch_input(message, wparam, lparam);
}

// CB_ messages: most are the list box's LB_ twin, at a fixed distance or by name.
LRESULT ComboBox::dispatch_items(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case CB_ADDSTRING: return to_list(LB_ADDSTRING, 0, lparam);
    case CB_INSERTSTRING: return to_list(LB_INSERTSTRING, wparam, lparam);
    case CB_DELETESTRING: return on_delete(wparam);
    case CB_RESETCONTENT:
        to_list(LB_RESETCONTENT);
        show_selection();
        return CB_OKAY;
    case CB_GETCOUNT: return to_list(LB_GETCOUNT);
    case CB_GETLBTEXT: return to_list(LB_GETTEXT, wparam, lparam);
    case CB_GETLBTEXTLEN: return to_list(LB_GETTEXTLEN, wparam);
    case CB_GETITEMDATA: return to_list(LB_GETITEMDATA, wparam);
    case CB_SETITEMDATA: return to_list(LB_SETITEMDATA, wparam, lparam);
    case CB_GETCURSEL: return selection();
    case CB_SETCURSEL: return on_set_cur_sel(wparam);
    case CB_FINDSTRING: return to_list(LB_FINDSTRING, wparam, lparam);
    case CB_FINDSTRINGEXACT: return to_list(LB_FINDSTRINGEXACT, wparam, lparam);
    case CB_SELECTSTRING: {
        LRESULT found = to_list(LB_FINDSTRING, wparam, lparam);
        if (found != CB_ERR)
            on_set_cur_sel(static_cast<WPARAM>(found));
        return found;
    }
    case CB_SETDROPPEDWIDTH:
        m_dropped_width = static_cast<int>(wparam);
        return std::max<LRESULT>(m_dropped_width, client_rect().right);
    case CB_GETDROPPEDWIDTH: return std::max<LRESULT>(m_dropped_width, client_rect().right);
    case CB_GETDROPPEDCONTROLRECT:
        if (lparam)
            *reinterpret_cast<RECT*>(lparam) = dropped_rect();
        return TRUE;
    case CB_SHOWDROPDOWN:
        if (wparam)
            drop();
        else if (m_dropped)
            close(false);
        return TRUE;
    case CB_GETDROPPEDSTATE: return m_dropped;
    case CB_LIMITTEXT: return m_edit ? SendMessage(m_edit, EM_LIMITTEXT, wparam, 0) : CB_ERR;
    case CB_GETEDITSEL: return m_edit ? SendMessage(m_edit, EM_GETSEL, wparam, lparam) : CB_ERR;
    case CB_SETEDITSEL: return m_edit ? SendMessage(m_edit, EM_SETSEL, LOWORD(lparam), static_cast<short>(HIWORD(lparam))) : CB_ERR;
    case CB_SETITEMHEIGHT: return on_set_item_height(wparam, lparam);
    case CB_GETITEMHEIGHT:
        return static_cast<int>(wparam) == -1 ? m_field_height : to_list(LB_GETITEMHEIGHT, wparam);
    }
    return default_handling(message, wparam, lparam);
}

LRESULT ComboBox::dispatch_input(UINT message, WPARAM wparam, LPARAM lparam)
{
    POINT p { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
    switch (message) {
    case WM_CREATE: return on_create(reinterpret_cast<CREATESTRUCT const*>(lparam));
    case WM_DESTROY:
        // The list goes first, while this window can still name itself in WM_DELETEITEM.
        if (m_list)
            DestroyWindow(m_list);
        m_list = nullptr;
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return on_button_down(p);
    case WM_MOUSEMOVE: return on_mouse_move(p);
    case WM_LBUTTONUP: return on_button_up(p);
    case WM_CAPTURECHANGED:
        if (m_dropped && !m_closing && reinterpret_cast<HWND>(lparam) != hwnd())
            close(false);
        return 0;
    case WM_KEYDOWN: return on_key_down(wparam);
    case WM_SYSKEYDOWN:
        if (wparam == VK_DOWN || wparam == VK_UP)
            return on_key_down(VK_F4);
        return default_handling(message, wparam, lparam);
    case WM_CHAR: return on_char(wparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return on_focus(message == WM_SETFOCUS);
    case WM_COMMAND: return on_command(wparam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETTEXT: return on_set_text(reinterpret_cast<LPCSTR>(lparam));
    case WM_GETTEXT: return on_get_text(wparam, reinterpret_cast<LPSTR>(lparam));
    case WM_GETTEXTLENGTH: return on_get_text(0, nullptr);
    case WM_SETFONT:
        if (m_edit)
            SendMessage(m_edit, WM_SETFONT, wparam, lparam);
        to_list(WM_SETFONT, wparam, 0);
        return default_handling(message, wparam, lparam);
    case WM_ENABLE:
        if (m_edit)
            EnableWindow(m_edit, wparam != 0);
        invalidate();
        return 0;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_DELETEITEM:
        // Items of the list are the parent's to measure and draw.
        return parent() ? SendMessage(parent(), message, wparam, lparam) : 0;
    }
    return default_handling(message, wparam, lparam);
}

LRESULT ComboBox::on_create(CREATESTRUCT const* cs)
{
    // Scroll-bar styles on a combo box are meant for its drop-down list (which always has
    // one); the closed field shows none.
    set_style(style() & ~(WS_VSCROLL | WS_HSCROLL));
    m_list = CreateWindowEx(WS_EX_TOOLWINDOW, "ComboLBox", "", list_style(style()), 0, 0, cs ? cs->cx : 100, 100, hwnd(),
        nullptr, nullptr, hwnd());
    if (!m_list)
        return -1;
    m_field_height = static_cast<int>(to_list(LB_GETITEMHEIGHT, 0));
    if (owner_draw()) {
        MEASUREITEMSTRUCT mis { ODT_COMBOBOX, static_cast<UINT>(id()), static_cast<UINT>(-1), 0, static_cast<UINT>(m_field_height), 0 };
        if (parent())
            SendMessage(parent(), WM_MEASUREITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&mis));
        m_field_height = std::max(1, static_cast<int>(mis.itemHeight));
    }
    int created_height = cs ? cs->cy : 0;
    if (!list_kind()) {
        RECT f = RECT { edge, edge, std::max(edge, (cs ? cs->cx : 0) - edge - GetSystemMetrics(SM_CXVSCROLL)), edge + m_field_height + 2 };
        m_edit = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, f.left, f.top, f.right - f.left, f.bottom - f.top,
            hwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(edit_id)), nullptr, nullptr);
    }
    resize_to_field();
    m_dropped_height = std::max(m_field_height + 2, created_height - (m_field_height + 2 + 2 * edge));
    return 0;
}

void ComboBox::resize_to_field()
{
    RECT r {};
    GetWindowRect(hwnd(), &r);
    SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, m_field_height + 2 + 2 * edge, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ComboBox::button_rect() const
{
    RECT c = client_rect();
    return RECT { std::max(edge, c.right - edge - GetSystemMetrics(SM_CXVSCROLL)), edge, c.right - edge, c.bottom - edge };
}

RECT ComboBox::field_rect() const
{
    RECT c = client_rect();
    return RECT { edge, edge, button_rect().left, c.bottom - edge };
}

LRESULT ComboBox::on_set_cur_sel(WPARAM index)
{
    LRESULT result = to_list(LB_SETCURSEL, index);
    show_selection();
    return result;
}

LRESULT ComboBox::on_delete(WPARAM index)
{
    int before = selection();
    LRESULT result = to_list(LB_DELETESTRING, index);
    if (result != CB_ERR && before == static_cast<int>(index))
        show_selection();
    else
        invalidate();
    return result;
}

LRESULT ComboBox::on_set_item_height(WPARAM which, LPARAM height)
{
    if (static_cast<int>(which) != -1)
        return to_list(LB_SETITEMHEIGHT, which, height);
    int h = static_cast<int>(LOWORD(height));
    if (h <= 0 || h > 255)
        return CB_ERR;
    m_field_height = h;
    resize_to_field();
    invalidate();
    return CB_OKAY;
}

// The field follows the selection: the edit's text for the editable kind, a repaint for the
// list kind.
void ComboBox::show_selection()
{
    if (m_edit) {
        int sel = selection();
        std::string text;
        if (sel >= 0) {
            text.resize(static_cast<size_t>(std::max<LRESULT>(0, to_list(LB_GETTEXTLEN, static_cast<WPARAM>(sel)))) + 1);
            to_list(LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text.data()));
            text.resize(std::strlen(text.c_str()));
        }
        m_setting_edit = true;
        SetWindowText(m_edit, text.c_str());
        m_setting_edit = false;
    }
    invalidate();
}

LRESULT ComboBox::on_set_text(LPCSTR text)
{
    if (m_edit) {
        SetWindowText(m_edit, text ? text : "");
        return TRUE;
    }
    LRESULT found = to_list(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text ? text : ""));
    if (found == CB_ERR)
        return CB_ERR;
    on_set_cur_sel(static_cast<WPARAM>(found));
    return TRUE;
}

LRESULT ComboBox::on_get_text(WPARAM size, LPSTR buffer) const
{
    if (m_edit)
        return buffer ? GetWindowText(m_edit, buffer, static_cast<int>(size)) : GetWindowTextLength(m_edit);
    int sel = selection();
    if (sel < 0) {
        if (buffer && size)
            buffer[0] = 0;
        return 0;
    }
    std::string text(static_cast<size_t>(std::max<LRESULT>(0, to_list(LB_GETTEXTLEN, static_cast<WPARAM>(sel)))) + 1, '\0');
    to_list(LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text.data()));
    size_t length = std::strlen(text.c_str());
    if (!buffer || size == 0)
        return static_cast<LRESULT>(length);
    size_t n = std::min(length, size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return static_cast<LRESULT>(n);
}

LRESULT ComboBox::on_command(WPARAM wparam)
{
    if (LOWORD(wparam) != edit_id)
        return 0;
    switch (HIWORD(wparam)) {
    case EN_CHANGE:
        if (!m_setting_edit)
            notify(CBN_EDITCHANGE);
        break;
    case EN_UPDATE:
        if (!m_setting_edit)
            notify(CBN_EDITUPDATE);
        break;
    case EN_SETFOCUS:
        notify(CBN_SETFOCUS);
        break;
    case EN_KILLFOCUS:
        if (m_dropped && GetFocus() != hwnd())
            close(false);
        notify(CBN_KILLFOCUS);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT ComboBox::on_focus(bool gained)
{
    if (gained && m_edit) {
        SetFocus(m_edit);
        return 0;
    }
    if (!gained && m_dropped)
        close(false);
    invalidate();
    if (!m_edit)
        notify(gained ? CBN_SETFOCUS : CBN_KILLFOCUS);
    return 0;
}

void ComboBox::select_by_user(int index)
{
    int count = static_cast<int>(to_list(LB_GETCOUNT));
    if (count == 0)
        return;
    index = std::clamp(index, 0, count - 1);
    if (index == selection())
        return;
    on_set_cur_sel(static_cast<WPARAM>(index));
    notify(CBN_SELCHANGE);
}

LRESULT ComboBox::on_key_down(WPARAM key)
{
    if (key == VK_F4) {
        if (m_dropped)
            close(false);
        else
            drop();
        return 0;
    }
    if (m_dropped) {
        list_key(key);
        return 0;
    }
    int sel = selection();
    int count = static_cast<int>(to_list(LB_GETCOUNT));
    switch (key) {
    case VK_UP: select_by_user(sel < 0 ? 0 : sel - 1); break;
    case VK_DOWN: select_by_user(sel + 1); break;
    case VK_PRIOR: select_by_user(sel - 8); break;
    case VK_NEXT: select_by_user(sel + 8); break;
    case VK_HOME: select_by_user(0); break;
    case VK_END: select_by_user(count - 1); break;
    default: break;
    }
    return 0;
}

LRESULT ComboBox::on_char(WPARAM ch)
{
    if (!list_kind() || ch < 0x20 || ch == 0x7F)
        return 0;
    char prefix[2] = { static_cast<char>(ch), 0 };
    LRESULT found = to_list(LB_FINDSTRING, static_cast<WPARAM>(selection()), reinterpret_cast<LPARAM>(prefix));
    if (found != CB_ERR) {
        if (m_dropped)
            to_list(LB_SETCURSEL, static_cast<WPARAM>(found));
        else
            select_by_user(static_cast<int>(found));
    }
    return 0;
}

void ComboBox::paint_field(HDC dc, RECT const& field)
{
    int sel = selection();
    bool highlight = list_kind() && focused() && !m_dropped;
    if (owner_draw() && list_kind()) {
        UINT state = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled() ? 0 : ODS_DISABLED);
        DRAWITEMSTRUCT dis { ODT_COMBOBOX, static_cast<UINT>(id()), static_cast<UINT>(sel), ODA_DRAWENTIRE, state, hwnd(), dc, field,
            sel >= 0 ? static_cast<ULONG_PTR>(to_list(LB_GETITEMDATA, static_cast<WPARAM>(sel))) : 0 };
        if (parent())
            SendMessage(parent(), WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&dis));
        return;
    }
    if (!list_kind())
        return; // the edit paints itself
    RECT inner { field.left + 1, field.top + 1, field.right - 1, field.bottom - 1 };
    if (highlight) {
        FillRect(dc, &inner, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    std::string text(static_cast<size_t>(on_get_text(0, nullptr)) + 1, '\0');
    on_get_text(text.size(), text.data());
    RECT t = inner;
    t.left += 2;
    SetBkMode(dc, TRANSPARENT);
    draw_control_text(dc, t, text.c_str(), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, enabled());
    if (highlight)
        DrawFocusRect(dc, &inner);
}

void ComboBox::paint(HDC dc)
{
    RECT c = client_rect();
    HBRUSH background = control_colour(dc, list_kind() ? WM_CTLCOLORLISTBOX : WM_CTLCOLOREDIT);
    RECT inside { edge, edge, c.right - edge, c.bottom - edge };
    FillRect(dc, &inside, enabled() ? background : GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &c, EDGE_SUNKEN, BF_RECT);
    paint_field(dc, field_rect());
    paint_drop_button(dc, button_rect(), m_dropped, enabled());
}

}
