// Window attributes: styles, ids, procedures, user data, extra bytes and the window text.
#include "platform/user/Observers.h"
#include "platform/user/Paint.h"
#include "platform/user/WindowTable.h"

#include <cstring>

namespace platform::user {

namespace {

bool extra_in_range(Window const& w, int index, size_t size)
{
    return index >= 0 && static_cast<size_t>(index) + size <= w.extra.size();
}

LONG_PTR read_long(Window const& w, int index)
{
    switch (index) {
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w.style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w.ex_style));
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w.proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w.instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w.parent ? w.parent->handle : w.owner ? w.owner->handle : nullptr);
    case GWLP_ID: return static_cast<LONG_PTR>(w.id);
    case GWLP_USERDATA: return w.user_data;
    }
    if (!extra_in_range(w, index, sizeof(LONG_PTR))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    LONG_PTR value;
    std::memcpy(&value, w.extra.data() + index, sizeof value);
    return value;
}

// Style changes tell the window before and after, as controls rewrite their type bits.
void write_style(Window& w, int index, LONG_PTR value)
{
    struct StyleStruct {
        DWORD old_style;
        DWORD new_style;
    } change { index == GWL_STYLE ? w.style : w.ex_style, static_cast<DWORD>(value) };
    HWND hwnd = w.handle;
    SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    if (!window_from(hwnd))
        return;
    WindowTable::the().write([&] { (index == GWL_STYLE ? w.style : w.ex_style) = change.new_style; });
    SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
}

LONG_PTR write_long(Window& w, int index, LONG_PTR value)
{
    LONG_PTR old = read_long(w, index);
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE:
        write_style(w, index, value);
        return old;
    case GWLP_WNDPROC:
        WindowTable::the().write([&] { w.proc = reinterpret_cast<WNDPROC>(value); });
        return old;
    case GWLP_HINSTANCE:
        WindowTable::the().write([&] { w.instance = reinterpret_cast<HINSTANCE>(value); });
        return old;
    case GWLP_HWNDPARENT:
        if (!w.parent)
            WindowTable::the().write([&] { w.owner = window_from(reinterpret_cast<HWND>(value)); });
        return old;
    case GWLP_ID:
        WindowTable::the().write([&] { w.id = static_cast<UINT_PTR>(value); });
        return old;
    case GWLP_USERDATA:
        WindowTable::the().write([&] { w.user_data = value; });
        return old;
    }
    if (!extra_in_range(w, index, sizeof(LONG_PTR)))
        return 0;
    WindowTable::the().write([&] { std::memcpy(w.extra.data() + index, &value, sizeof value); });
    return old;
}

}

std::string stored_text(HWND hwnd)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w)
        return {};
    auto lock = WindowTable::the().read_lock();
    return w->text;
}

}

using namespace platform::user;

extern "C" {

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    // The user-interface thread, the table's only writer, reads in place: every message a
    // framework window receives asks for its object here.
    WindowTable const& table = WindowTable::the();
    if (table.is_writer()) {
        Window const* w = table.get(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        return read_long(*w, index);
    }
    auto w = table.find(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    auto lock = table.read_lock();
    return read_long(*w, index);
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    return run_on_ui_thread([=]() -> LRESULT {
        Window* w = window_from(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        return write_long(*w, index, value);
    });
}

LONG GetWindowLong(HWND hwnd, int index)
{
    return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value)
{
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index, index == GWL_STYLE || index == GWL_EXSTYLE ? static_cast<LONG_PTR>(static_cast<DWORD>(value)) : value));
}

BOOL SetWindowText(HWND hwnd, LPCSTR text)
{
    if (!IsWindow(hwnd))
        return FALSE;
    return static_cast<BOOL>(SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

// Another thread reads the stored text directly, as a window of a busy thread must still be
// found by its title.
int GetWindowText(HWND hwnd, LPSTR buffer, int buffer_size)
{
    if (!buffer || buffer_size <= 0)
        return 0;
    buffer[0] = 0;
    if (on_ui_thread())
        return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(buffer_size), reinterpret_cast<LPARAM>(buffer)));
    auto w = WindowTable::the().find(hwnd);
    if (!w)
        return 0;
    auto lock = WindowTable::the().read_lock();
    size_t n = std::min<size_t>(w->text.size(), static_cast<size_t>(buffer_size - 1));
    std::memcpy(buffer, w->text.data(), n);
    buffer[n] = 0;
    return static_cast<int>(n);
}

int GetWindowTextLength(HWND hwnd)
{
    if (on_ui_thread())
        return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
    auto w = WindowTable::the().find(hwnd);
    if (!w)
        return 0;
    auto lock = WindowTable::the().read_lock();
    return static_cast<int>(w->text.size());
}

}
