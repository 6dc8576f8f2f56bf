#include "platform/user/Visibility.h"

#include "platform/user/Observers.h"
#include "platform/user/Paint.h"
#include "platform/user/WindowTable.h"

#include <algorithm>
#include <vector>

namespace platform::user {

namespace {

Window* g_active = nullptr;

// Windows whose showing is held back, and whether they show now.
struct Held {
    HWND hwnd;
    bool shown;
};
std::vector<Held> g_held;

void tell_shown(HWND hwnd, bool visible)
{
    for (Held& held : g_held) {
        if (held.hwnd == hwnd) {
            held.shown = visible;
            return;
        }
    }
    for_each_observer([&](WindowObserver& o) { o.window_shown(hwnd, visible); });
}

Window* top_of(Window* w)
{
    while (w && w->parent)
        w = w->parent;
    return w;
}

// A handler of WM_ACTIVATE may have destroyed the window.
void tell_activated(HWND hwnd, bool active)
{
    if (window_from(hwnd))
        for_each_observer([&](WindowObserver& o) { o.window_activated(hwnd, active); });
}

}

void set_visible(Window& w, bool visible, bool activate_it)
{
    if (w.visible_bit() == visible)
        return;
    HWND hwnd = w.handle;
    SendMessage(hwnd, WM_SHOWWINDOW, visible ? TRUE : FALSE, 0);
    if (!window_from(hwnd) || w.visible_bit() == visible)
        return;
    WindowTable::the().write([&] {
        if (visible)
            w.style |= WS_VISIBLE;
        else
            w.style &= ~WS_VISIBLE;
    });
    if (visible) {
        invalidate_all(w);
    } else if (w.parent) {
        expose(*w.parent, w.rect);
    }
    if (!w.parent) {
        tell_shown(hwnd, visible);
        if (visible && activate_it)
            activate(&w);
        if (!visible && g_active == &w)
            activate_next(w);
    }
}

HoldShowing::HoldShowing(HWND hwnd)
    : m_hwnd(hwnd)
    , m_holding(on_ui_thread() && IsWindow(hwnd) && top_level_of(hwnd) == hwnd && !IsWindowVisible(hwnd))
{
    if (m_holding)
        g_held.push_back(Held { hwnd, false });
}

HoldShowing::~HoldShowing()
{
    if (!m_holding)
        return;
    auto it = std::find_if(g_held.begin(), g_held.end(), [&](Held const& h) { return h.hwnd == m_hwnd; });
    bool const shown = it != g_held.end() && it->shown;
    if (it != g_held.end())
        g_held.erase(it);
    if (shown && IsWindowVisible(m_hwnd))
        for_each_observer([&](WindowObserver& o) { o.window_shown(m_hwnd, true); });
}

void activate(Window* w)
{
    w = top_of(w);
    if (w == g_active)
        return;
    Window* old = g_active;
    HWND old_hwnd = old ? old->handle : nullptr;
    HWND new_hwnd = w ? w->handle : nullptr;
    g_active = w;
    if (old_hwnd && window_from(old_hwnd)) {
        SendMessage(old_hwnd, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old_hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(new_hwnd));
        tell_activated(old_hwnd, false);
    }
    if (new_hwnd && window_from(new_hwnd)) {
        SendMessage(new_hwnd, WM_NCACTIVATE, TRUE, 0);
        SendMessage(new_hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(old_hwnd));
        tell_activated(new_hwnd, true);
    }
}

void activate_next(Window& w)
{
    if (g_active != &w)
        return;
    if (w.owner && w.owner->visible_bit() && w.owner->alive) {
        activate(w.owner);
        return;
    }
    for (Window* top : WindowTable::the().top_levels()) {
        if (top != &w && top->visible_bit() && top->alive && top->enabled()) {
            activate(top);
            return;
        }
    }
    g_active = nullptr;
}

}

using namespace platform::user;

extern "C" {

BOOL ShowWindow(HWND hwnd, int command)
{
    return static_cast<BOOL>(run_on_ui_thread([=]() -> LRESULT {
        Window* w = window_from(hwnd);
        if (!w)
            return FALSE;
        bool was_visible = w->visible_bit();
        switch (command) {
        case SW_HIDE:
            set_visible(*w, false, false);
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
            WindowTable::the().write([&] { w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE; });
            set_visible(*w, true, command == SW_SHOWMINIMIZED);
            if (w->alive)
                SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
            break;
        case SW_SHOWMAXIMIZED:
            WindowTable::the().write([&] { w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE; });
            set_visible(*w, true, true);
            break;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
        case SW_SHOWDEFAULT: {
            bool was_iconic = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) != 0;
            WindowTable::the().write([&] { w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE); });
            set_visible(*w, true, true);
            if (was_iconic && w->alive) {
                invalidate_all(*w);
                RECT c = w->client_in_window();
                SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
            }
            break;
        }
        case SW_SHOWNOACTIVATE:
        case SW_SHOWNA:
            set_visible(*w, true, false);
            break;
        default:
            set_visible(*w, true, true);
            break;
        }
        return was_visible;
    }));
}

BOOL IsWindowVisible(HWND hwnd)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w)
        return FALSE;
    auto lock = WindowTable::the().read_lock();
    for (Window const* cur = w.get(); cur; cur = cur->parent) {
        if (!cur->visible_bit())
            return FALSE;
    }
    return TRUE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    return static_cast<BOOL>(run_on_ui_thread([=]() -> LRESULT {
        Window* w = window_from(hwnd);
        if (!w)
            return FALSE;
        bool was_disabled = !w->enabled();
        if (was_disabled == !enable)
            return was_disabled;
        WindowTable::the().write([&] {
            if (enable)
                w->style &= ~WS_DISABLED;
            else
                w->style |= WS_DISABLED;
        });
        SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
        return was_disabled;
    }));
}

BOOL IsWindowEnabled(HWND hwnd)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w)
        return FALSE;
    auto lock = WindowTable::the().read_lock();
    return w->enabled();
}

BOOL IsIconic(HWND hwnd)
{
    return (GetWindowLong(hwnd, GWL_STYLE) & WS_MINIMIZE) != 0;
}

BOOL IsZoomed(HWND hwnd)
{
    return (GetWindowLong(hwnd, GWL_STYLE) & WS_MAXIMIZE) != 0;
}

BOOL SetForegroundWindow(HWND hwnd)
{
    return static_cast<BOOL>(run_on_ui_thread([=]() -> LRESULT {
        Window* w = window_from(hwnd);
        if (!w)
            return FALSE;
        activate(w);
        return TRUE;
    }));
}

HWND GetForegroundWindow()
{
    return GetActiveWindow();
}

HWND SetActiveWindow(HWND hwnd)
{
    return reinterpret_cast<HWND>(run_on_ui_thread([=]() -> LRESULT {
        HWND old = GetActiveWindow();
        Window* w = window_from(hwnd);
        if (w)
            activate(w);
        return reinterpret_cast<LRESULT>(old);
    }));
}

HWND GetActiveWindow()
{
    return reinterpret_cast<HWND>(run_on_ui_thread([]() -> LRESULT {
        return reinterpret_cast<LRESULT>(g_active ? g_active->handle : nullptr);
    }));
}

}
