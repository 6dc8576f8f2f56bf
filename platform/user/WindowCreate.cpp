// Creating and destroying windows, in the order of messages the programs rely on:
// WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, then WM_SHOWWINDOW for a window created visible;
// on destruction WM_DESTROY to a parent before its children and WM_NCDESTROY last.
#include "platform/user/Geometry.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Modal.h"
#include "platform/user/Observers.h"
#include "platform/user/Paint.h"
#include "platform/user/Trace.h"
#include "platform/user/Visibility.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowTable.h"

#include <algorithm>

namespace platform::user {

void drop_focus_and_capture(HWND hwnd);

namespace {

constexpr int default_x = 40;
constexpr int default_y = 40;
constexpr int default_width = 640;
constexpr int default_height = 480;

Window* owner_top_level(HWND hwnd)
{
    Window* w = window_from(hwnd);
    while (w && w->parent)
        w = w->parent;
    return w;
}

void link(Window& w)
{
    WindowTable::the().write([&] {
        if (w.parent)
            w.parent->children.push_back(&w);
        else
            WindowTable::the().top_levels().insert(WindowTable::the().top_levels().begin(), &w);
    });
}

void unlink(Window& w)
{
    WindowTable::the().write([&] {
        auto& list = w.parent ? w.parent->children : WindowTable::the().top_levels();
        std::erase(list, &w);
    });
}

RECT initial_rect(CREATESTRUCT const& cs)
{
    int x = cs.x == CW_USEDEFAULT ? default_x : cs.x;
    int y = cs.x == CW_USEDEFAULT ? default_y : cs.y;
    int width = cs.cx == CW_USEDEFAULT ? default_width : std::max(cs.cx, 0);
    int height = cs.cx == CW_USEDEFAULT ? default_height : std::max(cs.cy, 0);
    return RECT { x, y, x + width, y + height };
}

void send_size_and_move(Window& w)
{
    HWND hwnd = w.handle;
    RECT c = w.client_in_window();
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
    if (Window* alive = window_from(hwnd)) {
        POINT origin = alive->parent ? POINT { alive->rect.left + c.left, alive->rect.top + c.top } : client_screen_origin(*alive);
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(origin.x), static_cast<WORD>(origin.y)));
    }
}

std::shared_ptr<Window> make_window(CREATESTRUCT const& cs, std::shared_ptr<WindowClass const> window_class)
{
    auto w = std::make_shared<Window>();
    w->window_class = window_class;
    w->proc = window_class->proc;
    w->style = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;
    w->ex_style = cs.dwExStyle;
    if (cs.style & DS_MODALFRAME && window_class->name == "#32770")
        w->ex_style |= WS_EX_DLGMODALFRAME;
    w->text = cs.lpszName && !IS_INTRESOURCE(cs.lpszName) ? cs.lpszName : "";
    w->instance = cs.hInstance;
    w->extra.assign(static_cast<size_t>(std::max(window_class->window_extra, 0)), 0);
    w->rect = initial_rect(cs);
    if (w->is_child()) {
        w->parent = window_from(cs.hwndParent);
        w->id = reinterpret_cast<UINT_PTR>(cs.hMenu);
        if (w->parent)
            w->ui_state = w->parent->ui_state;
    } else {
        w->owner = owner_top_level(cs.hwndParent);
    }
    return w;
}

// Runs the creation messages; false when the window refused or died meanwhile.
bool run_creation(HWND hwnd, CREATESTRUCT& cs, bool show)
{
    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) || !window_from(hwnd)) {
        DestroyWindow(hwnd);
        return false;
    }
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1 || !window_from(hwnd)) {
        DestroyWindow(hwnd);
        return false;
    }
    Window* w = window_from(hwnd);
    w->create_done = true;
    send_size_and_move(*w);
    if (show && (w = window_from(hwnd)))
        set_visible(*w, true, !w->is_child() && !(w->ex_style & WS_EX_NOACTIVATE));
    return window_from(hwnd) != nullptr;
}

void destroy_owned(Window& w)
{
    std::vector<HWND> owned;
    for (Window* top : WindowTable::the().top_levels()) {
        if (top->owner == &w)
            owned.push_back(top->handle);
    }
    for (HWND hwnd : owned)
        DestroyWindow(hwnd);
}

void send_destroy(Window& w)
{
    WindowTable::the().write([&] { w.destroying = true; });
    SendMessage(w.handle, WM_DESTROY, 0, 0);
    std::vector<std::shared_ptr<Window>> children;
    for (Window* child : w.children)
        children.push_back(child->shared_from_this());
    for (auto const& child : children) {
        if (child->alive && !child->destroying)
            send_destroy(*child);
    }
}

void forget(Window& w)
{
    std::vector<std::shared_ptr<Window>> children;
    for (Window* child : w.children)
        children.push_back(child->shared_from_this());
    for (auto const& child : children)
        forget(*child);
    HWND hwnd = w.handle;
    drop_focus_and_capture(hwnd);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    MessageQueue::current().timers().kill_all(hwnd);
    modal_window_destroyed(hwnd);
    activate_next(w);
    for (Window* top : WindowTable::the().top_levels()) {
        if (top->owner == &w)
            WindowTable::the().write([&] { top->owner = nullptr; });
    }
    unlink(w);
    WindowTable::the().write([&] { w.alive = false; w.parent = nullptr; });
    WindowTable::the().remove(hwnd);
}

HWND create_window(CREATESTRUCT& cs)
{
    if (!WindowTable::the().claim_ui_thread()) {
        trace("CreateWindowEx refused: windows belong to the user-interface thread %u", WindowTable::the().ui_thread());
        SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
        return nullptr;
    }
    MessageQueue::set_ui(MessageQueue::current_shared());
    auto window_class = cs.lpszClass ? WindowClassTable::the().find(cs.lpszClass, cs.hInstance) : nullptr;
    if (!window_class) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    if ((cs.style & WS_CHILD) && !window_from(cs.hwndParent)) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    auto w = make_window(cs, window_class);
    HWND hwnd = WindowTable::the().add(w);
    if (!hwnd) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    link(*w);
    if (!w->parent)
        for_each_observer([&](WindowObserver& o) { o.window_created(hwnd); });
    return run_creation(hwnd, cs, (cs.style & WS_VISIBLE) != 0) ? hwnd : nullptr;
}

}

}

using namespace platform;
using namespace platform::user;

extern "C" {

HWND CreateWindowEx(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y, int width,
    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    CREATESTRUCT cs { param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), window_name,
        class_name, ex_style };
    return create_window(cs);
}

BOOL DestroyWindow(HWND hwnd)
{
    return static_cast<BOOL>(run_on_ui_thread([=]() -> LRESULT {
        Window* w = window_from(hwnd);
        if (!w || w == &WindowTable::the().desktop()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (w->destroying)
            return TRUE;
        auto keep = w->shared_from_this();
        if (!w->parent && w->visible_bit())
            for_each_observer([&](WindowObserver& o) { o.window_destroying(hwnd); });
        destroy_owned(*w);
        if (w->visible_bit()) {
            if (w->parent)
                expose(*w->parent, w->rect);
            WindowTable::the().write([&] { w->style &= ~WS_VISIBLE; });
        }
        send_destroy(*w);
        if (!w->parent)
            for_each_observer([&](WindowObserver& o) { o.window_destroyed(hwnd); });
        forget(*w);
        return TRUE;
    }));
}

BOOL IsWindow(HWND hwnd)
{
    if (reinterpret_cast<ULONG_PTR>(hwnd) & foreign_window_bit) {
        auto hooks = foreign_window_hooks();
        return hooks.exists && hooks.exists(hwnd);
    }
    auto w = WindowTable::the().find(hwnd);
    return w && w->alive;
}

}
