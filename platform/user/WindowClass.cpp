#include "platform/user/WindowClass.h"

#include "platform/user/Window.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowCore.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace platform::user {

namespace {

bool same_name(std::string const& a, LPCSTR b)
{
    return strcasecmp(a.c_str(), b) == 0;
}

}

WindowClassTable& WindowClassTable::the()
{
    static WindowClassTable table;
    return table;
}

ATOM WindowClassTable::add(WindowClass window_class)
{
    std::lock_guard lock(m_mutex);
    for (auto const& existing : m_classes) {
        if (same_name(existing->name, window_class.name.c_str())
            && (existing->system || existing->instance == window_class.instance))
            return 0;
    }
    window_class.atom = m_next_atom++;
    ATOM atom = window_class.atom;
    m_classes.push_back(std::make_shared<WindowClass const>(std::move(window_class)));
    return atom;
}

bool WindowClassTable::remove(std::string const& name, HINSTANCE instance)
{
    std::lock_guard lock(m_mutex);
    auto it = std::find_if(m_classes.begin(), m_classes.end(), [&](auto const& c) {
        return !c->system && c->instance == instance && same_name(c->name, name.c_str());
    });
    if (it == m_classes.end())
        return false;
    m_classes.erase(it);
    return true;
}

std::shared_ptr<WindowClass const> WindowClassTable::find(LPCSTR name_or_atom, HINSTANCE instance) const
{
    std::lock_guard lock(m_mutex);
    std::shared_ptr<WindowClass const> any_instance;
    for (auto const& c : m_classes) {
        bool match = IS_INTRESOURCE(name_or_atom)
            ? c->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name_or_atom))
            : same_name(c->name, name_or_atom);
        if (!match)
            continue;
        if (c->system || c->instance == instance)
            return c;
        any_instance = c;
    }
    // Our programs are single modules: a class registered by another module of the process
    // is as good as a global class.
    return any_instance;
}

void WindowClassTable::replace(std::shared_ptr<WindowClass const> old_class, std::shared_ptr<WindowClass const> new_class)
{
    std::lock_guard lock(m_mutex);
    std::replace(m_classes.begin(), m_classes.end(), old_class, new_class);
}

WindowClass class_from(WNDCLASSEX const& wc, bool system)
{
    WindowClass c;
    c.name = wc.lpszClassName;
    c.style = wc.style;
    c.proc = wc.lpfnWndProc;
    c.class_extra = wc.cbClsExtra;
    c.window_extra = wc.cbWndExtra;
    c.instance = wc.hInstance;
    c.icon = wc.hIcon;
    c.icon_small = wc.hIconSm;
    c.cursor = wc.hCursor;
    c.background = wc.hbrBackground;
    c.system = system;
    return c;
}

ATOM register_system_class(WNDCLASSEX const& wc)
{
    return WindowClassTable::the().add(class_from(wc, true));
}

}

using namespace platform::user;

namespace {

ATOM register_class(WNDCLASSEX const& wc)
{
    if (!wc.lpszClassName || !wc.lpfnWndProc || IS_INTRESOURCE(wc.lpszClassName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    ATOM atom = WindowClassTable::the().add(class_from(wc, false));
    if (!atom)
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return atom;
}

void fill_class_info(WindowClass const& c, WNDCLASSEX& out)
{
    out.style = c.style;
    out.lpfnWndProc = c.proc;
    out.cbClsExtra = c.class_extra;
    out.cbWndExtra = c.window_extra;
    out.hInstance = c.instance;
    out.hIcon = c.icon;
    out.hCursor = c.cursor;
    out.hbrBackground = c.background;
    out.lpszMenuName = nullptr;
    out.lpszClassName = c.name.c_str();
    out.hIconSm = c.icon_small;
}

}

extern "C" {

ATOM RegisterClass(WNDCLASS const* wc)
{
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEX ex { sizeof(WNDCLASSEX), wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance,
        wc->hIcon, wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName, nullptr };
    return register_class(ex);
}

ATOM RegisterClassEx(WNDCLASSEX const* wc)
{
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return register_class(*wc);
}

BOOL UnregisterClass(LPCSTR class_name, HINSTANCE instance)
{
    if (!class_name || IS_INTRESOURCE(class_name) || !WindowClassTable::the().remove(class_name, instance)) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE instance, LPCSTR class_name, WNDCLASSEX* out)
{
    auto c = class_name ? WindowClassTable::the().find(class_name, instance) : nullptr;
    if (!c || !out) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    fill_class_info(*c, *out);
    return c->atom;
}

BOOL GetClassInfo(HINSTANCE instance, LPCSTR class_name, WNDCLASS* out)
{
    WNDCLASSEX ex {};
    if (!out || !GetClassInfoEx(instance, class_name, &ex))
        return FALSE;
    *out = WNDCLASS { ex.style, ex.lpfnWndProc, ex.cbClsExtra, ex.cbWndExtra, ex.hInstance, ex.hIcon, ex.hCursor,
        ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName };
    return TRUE;
}

int GetClassName(HWND hwnd, LPSTR buffer, int buffer_size)
{
    auto window = WindowTable::the().find(hwnd);
    if (!window || !buffer || buffer_size <= 0)
        return 0;
    auto lock = WindowTable::the().read_lock();
    std::string const& name = window->window_class->name;
    int n = std::min<int>(static_cast<int>(name.size()), buffer_size - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = 0;
    return n;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index)
{
    auto window = WindowTable::the().find(hwnd);
    if (!window)
        return 0;
    auto lock = WindowTable::the().read_lock();
    WindowClass const& c = *window->window_class;
    switch (index) {
    case GCL_STYLE: return c.style;
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c.window_extra);
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(c.icon_small);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.proc);
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
}

DWORD GetClassLong(HWND hwnd, int index)
{
    return static_cast<DWORD>(GetClassLongPtr(hwnd, index));
}

// Changing a class value changes it for every window of the class, as the class is shared.
ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    return static_cast<ULONG_PTR>(run_on_ui_thread([=]() -> LRESULT {
        auto window = WindowTable::the().find(hwnd);
        if (!window)
            return 0;
        ULONG_PTR old = GetClassLongPtr(hwnd, index);
        auto changed = std::make_shared<WindowClass>(*window->window_class);
        switch (index) {
        case GCL_STYLE: changed->style = static_cast<UINT>(value); break;
        case GCLP_HBRBACKGROUND: changed->background = reinterpret_cast<HBRUSH>(value); break;
        case GCLP_HCURSOR: changed->cursor = reinterpret_cast<HCURSOR>(value); break;
        case GCLP_HICON: changed->icon = reinterpret_cast<HICON>(value); break;
        case GCLP_HICONSM: changed->icon_small = reinterpret_cast<HICON>(value); break;
        default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
        }
        auto old_class = window->window_class;
        std::shared_ptr<WindowClass const> new_class = changed;
        WindowClassTable::the().replace(old_class, new_class);
        WindowTable::the().for_each_window([&](Window& w) {
            if (w.window_class == old_class)
                WindowTable::the().write([&] { w.window_class = new_class; });
        });
        return static_cast<LRESULT>(old);
    }));
}

}
