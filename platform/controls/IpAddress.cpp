#include "platform/controls/IpAddress.h"

#include <cstdlib>
#include <string>

namespace platform::controls {

namespace {

WNDPROC g_edit_proc = nullptr;

}

IpAddress::IpAddress(HWND hwnd)
    : Control(hwnd)
{
}

void IpAddress::register_class()
{
    register_control<IpAddress>(WC_IPADDRESS, CS_DBLCLKS);
}

LRESULT IpAddress::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE: return on_create();
    case WM_SIZE:
        layout();
        return 0;
    case WM_COMMAND: return on_command(wparam, lparam);
    case WM_SETFOCUS:
        SetFocus(m_fields[0]);
        return 0;
    case WM_SETFONT:
        for (HWND f : m_fields)
            SendMessage(f, WM_SETFONT, wparam, lparam);
        return default_handling(message, wparam, lparam);
    case WM_ENABLE:
        for (HWND f : m_fields)
            EnableWindow(f, wparam != 0);
        invalidate();
        return 0;
    case IPM_CLEARADDRESS:
        for (int i = 0; i < 4; ++i)
            set_value(i, -1);
        return 0;
    case IPM_SETADDRESS:
        for (int i = 0; i < 4; ++i)
            set_value(i, static_cast<int>((static_cast<DWORD>(lparam) >> (24 - 8 * i)) & 0xFF));
        return TRUE;
    case IPM_GETADDRESS: return get_address(reinterpret_cast<DWORD*>(lparam));
    case IPM_ISBLANK:
        for (int i = 0; i < 4; ++i) {
            if (value(i) >= 0)
                return FALSE;
        }
        return TRUE;
    case IPM_SETFOCUS:
        if (wparam < 4) {
            SetFocus(m_fields[wparam]);
            SendMessage(m_fields[wparam], EM_SETSEL, 0, -1);
        }
        return 0;
    }
    return default_handling(message, wparam, lparam);
}

LRESULT IpAddress::on_create()
{
    for (int i = 0; i < 4; ++i) {
        m_fields[static_cast<size_t>(i)] = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE | ES_CENTER | ES_NUMBER, 0, 0, 10, 10,
            hwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(i + 1)), nullptr, nullptr);
        HWND f = m_fields[static_cast<size_t>(i)];
        if (!f)
            return -1;
        SendMessage(f, EM_LIMITTEXT, 3, 0);
        auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtr(f, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&IpAddress::field_proc)));
        if (!g_edit_proc)
            g_edit_proc = previous;
    }
    layout();
    return 0;
}

void IpAddress::layout()
{
    RECT c = client_rect();
    int width = (c.right - 4) / 4;
    for (int i = 0; i < 4; ++i) {
        if (m_fields[static_cast<size_t>(i)])
            MoveWindow(m_fields[static_cast<size_t>(i)], 2 + i * width, 2, width - 6, std::max(0, static_cast<int>(c.bottom) - 4), TRUE);
    }
}

int IpAddress::field_of(HWND edit) const
{
    for (int i = 0; i < 4; ++i) {
        if (m_fields[static_cast<size_t>(i)] == edit)
            return i;
    }
    return -1;
}

int IpAddress::value(int field) const
{
    char text[8] {};
    GetWindowText(m_fields[static_cast<size_t>(field)], text, sizeof(text));
    return text[0] ? std::atoi(text) : -1;
}

void IpAddress::set_value(int field, int v)
{
    std::string text = v < 0 ? std::string() : std::to_string(std::min(v, 255));
    SetWindowText(m_fields[static_cast<size_t>(field)], text.c_str());
}

void IpAddress::enter_field(int field)
{
    m_entered[static_cast<size_t>(field)] = value(field);
}

// The field's value is settled: clamped, told to the parent (which may change it), written.
void IpAddress::leave_field(int field)
{
    int v = value(field);
    if (v > 255)
        v = 255;
    if (v == m_entered[static_cast<size_t>(field)] && v == value(field))
        return;
    NMIPADDRESS nm { NMHDR { hwnd(), static_cast<UINT_PTR>(id()), IPN_FIELDCHANGED }, field, v };
    if (HWND p = parent())
        SendMessage(p, WM_NOTIFY, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&nm));
    if (!IsWindow(hwnd()))
        return;
    int settled = nm.iValue < 0 ? -1 : std::min(nm.iValue, 255);
    m_entered[static_cast<size_t>(field)] = settled;
    if (settled != value(field))
        set_value(field, settled);
}

LRESULT IpAddress::on_command(WPARAM wparam, LPARAM lparam)
{
    int field = field_of(reinterpret_cast<HWND>(lparam));
    if (field < 0)
        return 0;
    switch (HIWORD(wparam)) {
    case EN_SETFOCUS:
        enter_field(field);
        break;
    case EN_KILLFOCUS:
        leave_field(field);
        break;
    case EN_CHANGE:
        notify(EN_CHANGE);
        if (IsWindow(hwnd()) && GetFocus() == m_fields[static_cast<size_t>(field)] && field < 3
            && GetWindowTextLength(m_fields[static_cast<size_t>(field)]) == 3)
            handle(IPM_SETFOCUS, static_cast<WPARAM>(field + 1), 0);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT IpAddress::get_address(DWORD* out) const
{
    DWORD address = 0;
    int filled = 0;
    for (int i = 0; i < 4; ++i) {
        int v = value(i);
        filled += v >= 0;
        address |= static_cast<DWORD>(std::clamp(v, 0, 255)) << (24 - 8 * i);
    }
    if (out)
        *out = address;
    return filled;
}

// The fields' own procedure first sees the keys that move between fields.
LRESULT IpAddress::field_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    HWND owner = GetParent(hwnd);
    auto* self = reinterpret_cast<IpAddress*>(GetWindowLongPtr(owner, 0));
    if (self && message == WM_CHAR) {
        int field = self->field_of(hwnd);
        if ((wparam == '.' || wparam == ' ') && field >= 0) {
            if (field < 3 && GetWindowTextLength(hwnd) > 0)
                self->handle(IPM_SETFOCUS, static_cast<WPARAM>(field + 1), 0);
            return 0;
        }
        if (wparam == '\b' && field > 0 && GetWindowTextLength(hwnd) == 0) {
            self->handle(IPM_SETFOCUS, static_cast<WPARAM>(field - 1), 0);
            return 0;
        }
    }
    return CallWindowProc(g_edit_proc, hwnd, message, wparam, lparam);
}

void IpAddress::paint(HDC dc)
{
    RECT c = client_rect();
    FillRect(dc, &c, enabled() ? GetSysColorBrush(COLOR_WINDOW) : GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &c, EDGE_SUNKEN, BF_RECT);
    int width = (c.right - 4) / 4;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    for (int i = 1; i < 4; ++i) {
        RECT dot { 2 + i * width - 6, 2, 2 + i * width, c.bottom - 2 };
        DrawText(dc, ".", 1, &dot, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    }
}

}
