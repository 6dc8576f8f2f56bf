// Walking the window tree: parents, owners, children, z-order, searches and hit-testing.
#include "platform/user/Geometry.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowCore.h"
#include "platform/user/Paint.h"
#include "platform/user/WindowTable.h"

#include <algorithm>
#include <strings.h>

namespace platform::user {

namespace {

std::vector<HWND> handles_of(std::vector<Window*> const& list)
{
    std::vector<HWND> result;
    for (Window* w : list)
        result.push_back(w->handle);
    return result;
}

std::vector<HWND> top_level_handles()
{
    auto lock = WindowTable::the().read_lock();
    return handles_of(WindowTable::the().top_levels());
}

bool name_matches(std::string const& value, LPCSTR wanted)
{
    return !wanted || strcasecmp(value.c_str(), wanted) == 0;
}

bool class_matches(Window const& w, LPCSTR wanted)
{
    if (!wanted)
        return true;
    if (IS_INTRESOURCE(wanted))
        return w.window_class->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(wanted));
    return strcasecmp(w.window_class->name.c_str(), wanted) == 0;
}

std::vector<Window*>& siblings_of(Window& w)
{
    return w.parent ? w.parent->children : WindowTable::the().top_levels();
}

bool contains_screen_point(Window const& w, POINT p)
{
    POINT o = window_screen_origin(w);
    return p.x >= o.x && p.x < o.x + w.width() && p.y >= o.y && p.y < o.y + w.height();
}

// The deepest visible, enabled window under the point; a window answering HTTRANSPARENT to
// WM_NCHITTEST lets the point through to what lies below it.
Window* deepest_at(Window& w, POINT p)
{
    for (Window* child : w.children) {
        if (!child->visible_bit() || !child->enabled() || !contains_screen_point(*child, p))
            continue;
        LRESULT hit = SendMessage(child->handle, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
        if (hit == HTTRANSPARENT)
            continue;
        return deepest_at(*child, p);
    }
    return &w;
}

}

}

using namespace platform::user;

extern "C" {

HWND GetDesktopWindow()
{
    return WindowTable::the().desktop().handle;
}

HWND GetParent(HWND hwnd)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w)
        return nullptr;
    auto lock = WindowTable::the().read_lock();
    if (w->is_child())
        return w->parent ? w->parent->handle : nullptr;
    if ((w->style & WS_POPUP) && w->owner)
        return w->owner->handle;
    return nullptr;
}

HWND SetParent(HWND child, HWND new_parent)
{
    return reinterpret_cast<HWND>(run_on_ui_thread([=]() -> LRESULT {
        Window* w = window_from(child);
        Window* parent = new_parent && new_parent != GetDesktopWindow() ? window_from(new_parent) : nullptr;
        if (!w || (new_parent && new_parent != GetDesktopWindow() && !parent))
            return 0;
        HWND old = w->parent ? w->parent->handle : GetDesktopWindow();
        bool shown = w->visible_bit();
        if (shown && w->parent)
            expose(*w->parent, w->rect);
        WindowTable::the().write([&] {
            std::erase(siblings_of(*w), w);
            w->parent = parent;
            auto& list = siblings_of(*w);
            list.insert(list.begin(), w);
        });
        if (shown)
            invalidate_all(*w);
        return reinterpret_cast<LRESULT>(old);
    }));
}

HWND GetWindow(HWND hwnd, UINT relation)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w)
        return nullptr;
    auto lock = WindowTable::the().read_lock();
    auto& siblings = siblings_of(*w);
    auto it = std::find(siblings.begin(), siblings.end(), w.get());
    switch (relation) {
    case GW_HWNDFIRST:
        return siblings.empty() ? nullptr : siblings.front()->handle;
    case GW_HWNDLAST:
        return siblings.empty() ? nullptr : siblings.back()->handle;
    case GW_HWNDNEXT:
        return it != siblings.end() && it + 1 != siblings.end() ? (*(it + 1))->handle : nullptr;
    case GW_HWNDPREV:
        return it != siblings.end() && it != siblings.begin() ? (*(it - 1))->handle : nullptr;
    case GW_OWNER:
        return w->owner ? w->owner->handle : nullptr;
    case GW_CHILD:
        return w->children.empty() ? nullptr : w->children.front()->handle;
    }
    return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w)
        return nullptr;
    auto lock = WindowTable::the().read_lock();
    Window* cur = w.get();
    switch (flags) {
    case GA_PARENT:
        return cur->parent ? cur->parent->handle : GetDesktopWindow();
    case GA_ROOT:
        while (cur->parent)
            cur = cur->parent;
        return cur->handle;
    case GA_ROOTOWNER:
        while (cur->parent || cur->owner)
            cur = cur->parent ? cur->parent : cur->owner;
        return cur->handle;
    }
    return nullptr;
}

HWND GetTopWindow(HWND hwnd)
{
    if (!hwnd || hwnd == GetDesktopWindow()) {
        auto tops = top_level_handles();
        return tops.empty() ? nullptr : tops.front();
    }
    return GetWindow(hwnd, GW_CHILD);
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w)
        return FALSE;
    auto lock = WindowTable::the().read_lock();
    for (Window* cur = w->is_child() ? w->parent : nullptr; cur; cur = cur->is_child() ? cur->parent : nullptr) {
        if (cur->handle == parent)
            return TRUE;
    }
    return FALSE;
}

HWND GetDlgItem(HWND dialog, int id)
{
    auto w = WindowTable::the().find(dialog);
    if (!w)
        return nullptr;
    auto lock = WindowTable::the().read_lock();
    for (Window* child : w->children) {
        if (static_cast<int>(child->id) == id)
            return child->handle;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w)
        return 0;
    auto lock = WindowTable::the().read_lock();
    return w->is_child() ? static_cast<int>(w->id) : 0;
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM param)
{
    for (HWND hwnd : top_level_handles()) {
        if (IsWindow(hwnd) && !callback(hwnd, param))
            return FALSE;
    }
    return TRUE;
}

BOOL EnumThreadWindows(DWORD thread_id, WNDENUMPROC callback, LPARAM param)
{
    if (thread_id != WindowTable::the().ui_thread())
        return FALSE;
    return EnumWindows(callback, param);
}

// Visits every descendant, each followed by its own descendants.
BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM param)
{
    std::vector<HWND> all;
    {
        auto w = WindowTable::the().find(parent);
        if (!w)
            return FALSE;
        auto lock = WindowTable::the().read_lock();
        std::vector<Window*> stack(w->children.rbegin(), w->children.rend());
        while (!stack.empty()) {
            Window* cur = stack.back();
            stack.pop_back();
            all.push_back(cur->handle);
            stack.insert(stack.end(), cur->children.rbegin(), cur->children.rend());
        }
    }
    for (HWND hwnd : all) {
        if (IsWindow(hwnd) && !callback(hwnd, param))
            return FALSE;
    }
    return TRUE;
}

HWND FindWindowEx(HWND parent, HWND child_after, LPCSTR class_name, LPCSTR window_name)
{
    auto lock = WindowTable::the().read_lock();
    Window* p = nullptr;
    if (parent && parent != WindowTable::the().desktop().handle) {
        p = WindowTable::the().get(parent);
        if (!p)
            return nullptr;
    }
    auto const& list = p ? p->children : WindowTable::the().top_levels();
    bool started = child_after == nullptr;
    for (Window* w : list) {
        if (!started) {
            started = w->handle == child_after;
            continue;
        }
        if (w->alive && class_matches(*w, class_name) && name_matches(w->text, window_name))
            return w->handle;
    }
    return nullptr;
}

HWND FindWindow(LPCSTR class_name, LPCSTR window_name)
{
    if (HWND local = FindWindowEx(nullptr, nullptr, class_name, window_name))
        return local;
    auto hooks = foreign_window_hooks();
    return hooks.find ? hooks.find(class_name, window_name) : nullptr;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* process_id)
{
    if (!IsWindow(hwnd))
        return 0;
    if (process_id)
        *process_id = GetCurrentProcessId();
    return WindowTable::the().ui_thread();
}

HWND GetLastActivePopup(HWND hwnd)
{
    HWND active = GetActiveWindow();
    if (active && GetWindow(active, GW_OWNER) == hwnd)
        return active;
    return hwnd;
}

HWND WindowFromPoint(POINT point)
{
    return reinterpret_cast<HWND>(run_on_ui_thread([=]() -> LRESULT {
        for (Window* top : WindowTable::the().top_levels()) {
            if (top->visible_bit() && top->enabled() && contains_screen_point(*top, point))
                return reinterpret_cast<LRESULT>(deepest_at(*top, point)->handle);
        }
        return 0;
    }));
}

HWND ChildWindowFromPoint(HWND parent, POINT point)
{
    Window* p = window_from(parent);
    if (!p)
        return nullptr;
    POINT screen = point;
    ClientToScreen(parent, &screen);
    RECT c = p->client_in_window();
    if (point.x < 0 || point.y < 0 || point.x >= c.right - c.left || point.y >= c.bottom - c.top)
        return nullptr;
    for (Window* child : p->children) {
        if (contains_screen_point(*child, screen))
            return child->handle;
    }
    return parent;
}

}
