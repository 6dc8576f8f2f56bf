#include "platform/framework/DialogManager.h"

#include "platform/gdi/Text.h"
#include "platform/user/Input.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace platform::framework {

namespace {

struct BaseUnits {
    std::mutex mutex;
    std::map<HWND, SIZE> by_dialog;
};

BaseUnits& base_units()
{
    static BaseUnits b;
    return b;
}

DWORD style_of(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }
bool usable(HWND hwnd) { return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd); }

// The dialog's controls in z-order, with the controls of WS_EX_CONTROLPARENT children in
// place of those children.
void collect_items(HWND parent, std::vector<HWND>& out)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        bool const container = (GetWindowLong(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && usable(child);
        if (container)
            collect_items(child, out);
        else
            out.push_back(child);
    }
}

std::vector<HWND> items_of(HWND dialog)
{
    std::vector<HWND> items;
    collect_items(dialog, items);
    return items;
}

LRESULT dlg_code(HWND hwnd, MSG* msg)
{
    return SendMessage(hwnd, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

HWND default_button(HWND dialog)
{
    LRESULT const def = SendMessage(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(static_cast<DWORD_PTR>(def)) == DC_HASDEFID)
        return GetDlgItem(dialog, LOWORD(static_cast<DWORD_PTR>(def)));
    for (HWND item : items_of(dialog)) {
        if (dlg_code(item, nullptr) & DLGC_DEFPUSHBUTTON)
            return item;
    }
    return nullptr;
}

int default_id(HWND dialog)
{
    LRESULT const def = SendMessage(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(static_cast<DWORD_PTR>(def)) == DC_HASDEFID)
        return LOWORD(static_cast<DWORD_PTR>(def));
    HWND const button = default_button(dialog);
    return button ? GetDlgCtrlID(button) : IDOK;
}

void send_command(HWND dialog, int id)
{
    HWND const control = GetDlgItem(dialog, id);
    if (control && !IsWindowEnabled(control)) {
        MessageBeep(0);
        return;
    }
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// A key that moves the focus shows where it is from then on.
void show_focus_cues(HWND dialog)
{
    SendMessage(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

bool handle_key(HWND dialog, MSG* msg)
{
    HWND const focus = GetFocus();
    HWND const from = focus && (focus == dialog || IsChild(dialog, focus)) ? focus : nullptr;
    LRESULT const code = from ? dlg_code(from, msg) : 0;
    bool const shift = GetKeyState(VK_SHIFT) < 0;
    switch (msg->wParam) {
    case VK_TAB:
        if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
            return false;
        show_focus_cues(dialog);
        if (HWND next = GetNextDlgTabItem(dialog, from, shift))
            dialog_set_focus(dialog, next);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (!from || (code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS)))
            return false;
        show_focus_cues(dialog);
        HWND const next = GetNextDlgGroupItem(dialog, from, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
        if (next && next != from) {
            dialog_set_focus(dialog, next);
            if (dlg_code(next, nullptr) & DLGC_RADIOBUTTON)
                SendMessage(next, BM_CLICK, 0, 0);
        }
        return true;
    }
    case VK_RETURN:
        if (code & DLGC_WANTALLKEYS)
            return false;
        send_command(dialog, from && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) ? GetDlgCtrlID(from) : default_id(dialog));
        return true;
    case VK_ESCAPE:
        if (code & DLGC_WANTALLKEYS)
            return false;
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return true;
    }
    return false;
}

}

SIZE font_base_units(HFONT font)
{
    HDC const dc = CreateCompatibleDC(nullptr);
    HGDIOBJ const old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRIC tm {};
    GetTextMetrics(dc, &tm);
    static char const letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent {};
    GetTextExtentPoint32(dc, letters, 52, &extent);
    if (old)
        SelectObject(dc, old);
    DeleteDC(dc);
    LONG const width = (extent.cx / 26 + 1) / 2;
    return SIZE { width > 0 ? width : 1, tm.tmHeight > 0 ? tm.tmHeight : 1 };
}

void set_dialog_base_units(HWND dialog, SIZE units)
{
    std::lock_guard lock(base_units().mutex);
    base_units().by_dialog[dialog] = units;
}

SIZE dialog_base_units(HWND dialog)
{
    {
        std::lock_guard lock(base_units().mutex);
        auto it = base_units().by_dialog.find(dialog);
        if (it != base_units().by_dialog.end())
            return it->second;
    }
    LONG const units = GetDialogBaseUnits();
    return SIZE { LOWORD(static_cast<DWORD>(units)), HIWORD(static_cast<DWORD>(units)) };
}

void initialize_keyboard_cues(HWND dialog)
{
    if (!(GetWindowLong(dialog, GWL_STYLE) & WS_CHILD))
        SendMessage(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

void dialog_set_focus(HWND dialog, HWND control)
{
    HWND const old = GetFocus();
    LRESULT const new_code = dlg_code(control, nullptr);
    LRESULT const old_code = old && IsChild(dialog, old) ? dlg_code(old, nullptr) : 0;
    if (new_code & DLGC_UNDEFPUSHBUTTON) {
        if (HWND def = default_button(dialog); def && def != control)
            SendMessage(def, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        SendMessage(control, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    } else if ((old_code & DLGC_DEFPUSHBUTTON) && !(new_code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        HWND const def = GetDlgItem(dialog, default_id(dialog));
        if (old != def)
            SendMessage(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if (def && def != old)
            SendMessage(def, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
    SetFocus(control);
    if (new_code & DLGC_HASSETSEL)
        SendMessage(control, EM_SETSEL, 0, -1);
}

}

using namespace platform::framework;

extern "C" {

BOOL IsDialogMessage(HWND dialog, MSG* msg)
{
    if (!dialog || !msg || !msg->hwnd || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)))
        return FALSE;
    if (msg->message == WM_KEYDOWN && handle_key(dialog, msg))
        return TRUE;
    if (msg->message == WM_CHAR && (msg->wParam == '\t' || msg->wParam == '\r' || msg->wParam == 0x1B)) {
        LRESULT const code = dlg_code(msg->hwnd, msg);
        if (!(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB)))
            return TRUE;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    std::vector<HWND> const items = items_of(dialog);
    size_t const n = items.size();
    if (n == 0)
        return nullptr;
    size_t start = previous ? 0 : n - 1;
    for (size_t i = 0; i < n; ++i) {
        if (items[i] == control)
            start = i;
    }
    for (size_t step = 1; step <= n; ++step) {
        size_t const i = previous ? (start + n - step) % n : (start + step) % n;
        if ((style_of(items[i]) & WS_TABSTOP) && usable(items[i]))
            return items[i];
    }
    return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous)
{
    std::vector<HWND> const items = items_of(dialog);
    size_t at = items.size();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == control)
            at = i;
    }
    if (at == items.size())
        return control;
    size_t first = at;
    while (first > 0 && !(style_of(items[first]) & WS_GROUP))
        --first;
    size_t last = at + 1;
    while (last < items.size() && !(style_of(items[last]) & WS_GROUP))
        ++last;
    size_t const count = last - first;
    for (size_t step = 1; step < count; ++step) {
        size_t const offset = previous ? (at - first + count - step) % count : (at - first + step) % count;
        if (usable(items[first + offset]))
            return items[first + offset];
    }
    return control;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check)
{
    for (int id = first; id <= last; ++id)
        SendDlgItemMessage(dialog, id, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check)
{
    HWND const button = GetDlgItem(dialog, id);
    return button && (SendMessage(button, BM_SETCHECK, check, 0), TRUE);
}

UINT IsDlgButtonChecked(HWND dialog, int id)
{
    return static_cast<UINT>(SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text)
{
    HWND const item = GetDlgItem(dialog, id);
    return item && SetWindowText(item, text);
}

UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size)
{
    HWND const item = GetDlgItem(dialog, id);
    if (!item) {
        if (buffer && size > 0)
            buffer[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowText(item, buffer, size));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed)
{
    std::string const text = is_signed ? std::to_string(static_cast<int>(value)) : std::to_string(value);
    return SetDlgItemText(dialog, id, text.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed)
{
    if (translated)
        *translated = FALSE;
    HWND const item = GetDlgItem(dialog, id);
    if (!item)
        return 0;
    int const length = GetWindowTextLength(item);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1);
    GetWindowText(item, buffer.data(), static_cast<int>(buffer.size()));
    char const* text = buffer.data();
    while (*text == ' ' || *text == '\t')
        ++text;
    if (!*text || (!is_signed && *text == '-'))
        return 0;
    char* end = nullptr;
    errno = 0;
    long long const value = std::strtoll(text, &end, 10);
    while (*end == ' ' || *end == '\t')
        ++end;
    bool const in_range = is_signed ? (value >= INT_MIN && value <= INT_MAX) : (value >= 0 && value <= UINT_MAX);
    if (end == text || *end || errno == ERANGE || !in_range)
        return 0;
    if (translated)
        *translated = TRUE;
    return static_cast<UINT>(value);
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam)
{
    HWND const item = GetDlgItem(dialog, id);
    return item ? SendMessage(item, message, wparam, lparam) : 0;
}

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    long long const product = static_cast<long long>(number) * numerator;
    long long const half = (denominator < 0 ? -denominator : denominator) / 2;
    long long const rounded = ((product < 0) != (denominator < 0)) ? (product - half) / denominator : (product + half) / denominator;
    return rounded > INT_MAX || rounded < INT_MIN ? -1 : static_cast<int>(rounded);
}

BOOL MapDialogRect(HWND dialog, RECT* rect)
{
    if (!rect || !IsWindow(dialog))
        return FALSE;
    SIZE const units = dialog_base_units(dialog);
    rect->left = MulDiv(rect->left, units.cx, 4);
    rect->right = MulDiv(rect->right, units.cx, 4);
    rect->top = MulDiv(rect->top, units.cy, 8);
    rect->bottom = MulDiv(rect->bottom, units.cy, 8);
    return TRUE;
}

LONG GetDialogBaseUnits()
{
    static SIZE const units = [] {
        HFONT const font = CreateFont(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Shell Dlg");
        SIZE const s = font_base_units(font);
        DeleteObject(font);
        return s;
    }();
    return MAKELONG(static_cast<WORD>(units.cx), static_cast<WORD>(units.cy));
}

}
