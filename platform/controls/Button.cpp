#include "platform/controls/Button.h"

#include "platform/controls/ControlPaint.h"

namespace platform::controls {

namespace {

constexpr WPARAM IMAGE_BITMAP_TYPE = 0;
constexpr WPARAM IMAGE_ICON_TYPE = 1;

bool is_auto_radio(HWND hwnd)
{
    return (GetWindowLong(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

}

Button::Button(HWND hwnd)
    : Control(hwnd)
{
}

void Button::register_class()
{
    register_control<Button>("Button", CS_DBLCLKS | CS_PARENTDC);
}

Button::Kind Button::kind() const
{
    switch (type()) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return Kind::Check;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return Kind::Radio;
    case BS_GROUPBOX:
        return Kind::Group;
    case BS_OWNERDRAW:
        return Kind::OwnerDraw;
    default:
        return Kind::Push;
    }
}

LRESULT Button::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        return on_button_down(lparam, false);
    case WM_LBUTTONDBLCLK:
        return on_button_down(lparam, true);
    case WM_MOUSEMOVE:
        return on_mouse_move(lparam);
    case WM_LBUTTONUP:
        return on_button_up(lparam);
    case WM_KEYDOWN:
        return on_key_down(wparam);
    case WM_KEYUP:
        return on_key_up(wparam);
    case WM_SETFOCUS:
        return on_focus(true);
    case WM_KILLFOCUS:
        return on_focus(false);
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        if (message == WM_CANCELMODE || reinterpret_cast<HWND>(lparam) != hwnd())
            cancel_press();
        return default_handling(message, wparam, lparam);
    case WM_GETDLGCODE:
        return on_get_dlg_code();
    case WM_ENABLE:
    case WM_SETTEXT:
        invalidate();
        return default_handling(message, wparam, lparam);
    case WM_UPDATEUISTATE:
        // The focus rectangle and the access keys' underlines follow the keyboard cues.
        invalidate();
        return default_handling(message, wparam, lparam);
    case BM_GETCHECK:
        return kind() == Kind::Check || kind() == Kind::Radio ? m_check : 0;
    case BM_SETCHECK:
        return on_set_check(wparam);
    case BM_GETSTATE:
        return m_check | (m_pushed ? BST_PUSHED : 0) | (focused() ? BST_FOCUS : 0);
    case BM_SETSTATE:
        return on_set_state(wparam != 0);
    case BM_SETSTYLE:
        return on_set_style(wparam, LOWORD(lparam) != 0);
    case BM_CLICK:
        return on_click();
    case BM_SETIMAGE:
        return on_set_image(wparam, lparam);
    case BM_GETIMAGE:
        return reinterpret_cast<LRESULT>(m_image);
    }
    return default_handling(message, wparam, lparam);
}

bool Button::inside(LPARAM lparam) const
{
    RECT c = client_rect();
    POINT p { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
    return PtInRect(&c, p);
}

void Button::set_pushed(bool pushed)
{
    if (pushed == m_pushed)
        return;
    m_pushed = pushed;
    m_pending_action = ODA_SELECT;
    invalidate();
}

LRESULT Button::on_button_down(LPARAM, bool double_click)
{
    if (kind() == Kind::Group)
        return 0;
    bool notifies_double = kind() == Kind::Radio || kind() == Kind::OwnerDraw || (style() & BS_NOTIFY);
    if (double_click && notifies_double)
        notify(BN_DOUBLECLICKED);
    SetFocus(hwnd());
    SetCapture(hwnd());
    m_tracking = true;
    set_pushed(true);
    return 0;
}

LRESULT Button::on_mouse_move(LPARAM lparam)
{
    if (m_tracking && GetCapture() == hwnd())
        set_pushed(inside(lparam));
    return 0;
}

LRESULT Button::on_button_up(LPARAM lparam)
{
    if (!m_tracking)
        return 0;
    bool click = m_pushed && inside(lparam);
    m_tracking = false;
    set_pushed(false);
    if (GetCapture() == hwnd())
        ReleaseCapture();
    if (click)
        clicked();
    return 0;
}

LRESULT Button::on_key_down(WPARAM key)
{
    if (key == VK_SPACE && kind() != Kind::Group && !m_tracking) {
        m_space_down = true;
        set_pushed(true);
    }
    return 0;
}

LRESULT Button::on_key_up(WPARAM key)
{
    if (key != VK_SPACE || !m_space_down)
        return 0;
    m_space_down = false;
    bool click = m_pushed;
    set_pushed(false);
    if (click)
        clicked();
    return 0;
}

LRESULT Button::on_focus(bool gained)
{
    if (!gained)
        cancel_press();
    m_pending_action = ODA_FOCUS;
    invalidate();
    if (style() & BS_NOTIFY)
        notify(gained ? BN_SETFOCUS : BN_KILLFOCUS);
    return 0;
}

void Button::cancel_press()
{
    bool had_capture = m_tracking && GetCapture() == hwnd();
    m_tracking = false;
    m_space_down = false;
    set_pushed(false);
    if (had_capture)
        ReleaseCapture();
}

LRESULT Button::on_get_dlg_code() const
{
    switch (kind()) {
    case Kind::Push:
        return DLGC_BUTTON | (type() == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case Kind::Radio:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case Kind::Group:
        return DLGC_STATIC;
    case Kind::Check:
    case Kind::OwnerDraw:
        return DLGC_BUTTON;
    }
    return DLGC_BUTTON;
}

LRESULT Button::on_set_check(WPARAM check)
{
    if (kind() != Kind::Check && kind() != Kind::Radio)
        return 0;
    bool three_state = type() == BS_3STATE || type() == BS_AUTO3STATE;
    int next = check == BST_INDETERMINATE && three_state ? 2 : (check != 0 ? 1 : 0);
    if (next != m_check) {
        m_check = next;
        invalidate();
    }
    return 0;
}

LRESULT Button::on_set_state(bool pushed)
{
    set_pushed(pushed);
    return 0;
}

LRESULT Button::on_set_style(WPARAM new_style, bool redraw)
{
    DWORD kept = style() & ~BS_TYPEMASK;
    DWORD requested = static_cast<DWORD>(new_style) & BS_TYPEMASK;
    if (type() == BS_OWNERDRAW && (requested == BS_DEFPUSHBUTTON || requested == BS_PUSHBUTTON)) {
        // An owner-drawn button stays owner-drawn; the default state shows as ODS_DEFAULT.
        m_default_owner_draw = requested == BS_DEFPUSHBUTTON;
        requested = BS_OWNERDRAW;
    }
    set_style(kept | requested | (static_cast<DWORD>(new_style) & ~BS_TYPEMASK & 0xFFFF));
    if (redraw)
        invalidate();
    return 0;
}

LRESULT Button::on_set_image(WPARAM type_of_image, LPARAM image)
{
    if (type_of_image != IMAGE_BITMAP_TYPE && type_of_image != IMAGE_ICON_TYPE)
        return 0;
    HANDLE old = m_image;
    m_image = reinterpret_cast<HANDLE>(image);
    invalidate();
    return reinterpret_cast<LRESULT>(old);
}

LRESULT Button::on_click()
{
    if (!enabled() || kind() == Kind::Group)
        return 0;
    clicked();
    return 0;
}

void Button::clicked()
{
    advance_check();
    notify(BN_CLICKED);
}

void Button::advance_check()
{
    switch (type()) {
    case BS_AUTOCHECKBOX:
        on_set_check(m_check ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        on_set_check(m_check == 0 ? BST_CHECKED : (m_check == 1 ? BST_INDETERMINATE : BST_UNCHECKED));
        break;
    case BS_AUTORADIOBUTTON:
        on_set_check(BST_CHECKED);
        uncheck_group_siblings();
        break;
    default:
        break;
    }
}

// The group runs from the nearest sibling at or before this button that has WS_GROUP to the
// sibling before the next one with WS_GROUP.
void Button::uncheck_group_siblings()
{
    HWND start = hwnd();
    while (!(GetWindowLong(start, GWL_STYLE) & WS_GROUP)) {
        HWND previous = GetWindow(start, GW_HWNDPREV);
        if (!previous)
            break;
        start = previous;
    }
    for (HWND w = start; w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != start && (GetWindowLong(w, GWL_STYLE) & WS_GROUP))
            break;
        if (w != hwnd() && is_auto_radio(w))
            SendMessage(w, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

// Focused, and the keyboard cues not hidden (a dialog opened with the mouse hides them until
// a key moves the focus).
bool Button::focus_cue() const
{
    return focused() && !(hidden_cues() & UISF_HIDEFOCUS);
}

void Button::paint(HDC dc)
{
    RECT r = client_rect();
    if (kind() == Kind::OwnerDraw) {
        paint_owner_draw(dc);
        return;
    }
    HBRUSH background = control_colour(dc, kind() == Kind::Push ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
    std::string caption = text();
    switch (kind()) {
    case Kind::Push: {
        PushButtonLook look { caption, m_pushed, focus_cue(), type() == BS_DEFPUSHBUTTON, enabled(), (style() & BS_MULTILINE) != 0,
            access_key_format() != 0 };
        paint_push_button(dc, r, look);
        if (m_image && (style() & BS_ICON)) {
            int x = (r.right - r.left - 16) / 2 + (m_pushed ? 1 : 0);
            int y = (r.bottom - r.top - 16) / 2 + (m_pushed ? 1 : 0);
            DrawIconEx(dc, x, y, static_cast<HICON>(m_image), 0, 0, 0, nullptr, DI_NORMAL);
        }
        break;
    }
    case Kind::Check:
    case Kind::Radio:
        FillRect(dc, &r, background);
        paint_check_button(dc, r, CheckButtonLook { caption, m_check, kind() == Kind::Radio, m_pushed, focus_cue(), enabled(), (style() & BS_LEFTTEXT) != 0,
                                          access_key_format() != 0 });
        break;
    case Kind::Group:
        paint_group_box(dc, r, caption, enabled());
        break;
    case Kind::OwnerDraw:
        break;
    }
}

void Button::paint_owner_draw(HDC dc)
{
    control_colour(dc, WM_CTLCOLORBTN);
    SetBkMode(dc, OPAQUE);
    DRAWITEMSTRUCT item {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(id());
    item.itemID = 0;
    item.itemAction = m_pending_action;
    WORD const hidden = hidden_cues();
    item.itemState = (m_pushed ? ODS_SELECTED : 0) | (focused() ? ODS_FOCUS : 0) | (enabled() ? 0 : ODS_DISABLED)
        | (m_default_owner_draw ? ODS_DEFAULT : 0) | ((hidden & UISF_HIDEFOCUS) ? ODS_NOFOCUSRECT : 0)
        | ((hidden & UISF_HIDEACCEL) ? ODS_NOACCEL : 0);
    item.hwndItem = hwnd();
    item.hDC = dc;
    item.rcItem = client_rect();
    m_pending_action = ODA_DRAWENTIRE;
    if (HWND p = parent())
        SendMessage(p, WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&item));
}

}
