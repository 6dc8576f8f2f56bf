#include "platform/user/Geometry.h"

#include "platform/user/Observers.h"
#include "platform/user/Paint.h"
#include "platform/user/Visibility.h"
#include "platform/user/WindowCore.h"
#include "platform/user/WindowTable.h"

#include <algorithm>

namespace platform::user {

namespace {

constexpr int border_width = 1;
constexpr int dialog_frame_width = 3;
constexpr int sizing_frame_width = 4;
constexpr int client_edge_width = 2;
constexpr int static_edge_width = 1;
constexpr int caption_height = 18;
constexpr int tool_caption_height = 15;

RECT g_work_area {};
bool g_work_area_set = false;

Window* top_of(Window* w)
{
    while (w && w->parent)
        w = w->parent;
    return w;
}

void reorder(Window& w, HWND insert_after)
{
    auto& siblings = w.parent ? w.parent->children : WindowTable::the().top_levels();
    auto it = std::find(siblings.begin(), siblings.end(), &w);
    if (it == siblings.end())
        return;
    WindowTable::the().write([&] {
        siblings.erase(it);
        if (insert_after == HWND_BOTTOM) {
            siblings.push_back(&w);
            return;
        }
        Window* after = (insert_after == HWND_TOP || insert_after == HWND_TOPMOST || insert_after == HWND_NOTOPMOST)
            ? nullptr : window_from(insert_after);
        auto pos = after ? std::find(siblings.begin(), siblings.end(), after) : siblings.end();
        siblings.insert(pos == siblings.end() ? siblings.begin() : pos + 1, &w);
        if (insert_after == HWND_TOPMOST)
            w.ex_style |= WS_EX_TOPMOST;
        if (insert_after == HWND_NOTOPMOST)
            w.ex_style &= ~WS_EX_TOPMOST;
    });
}

void notify_moved(Window& w)
{
    if (!w.parent)
        for_each_observer([&](WindowObserver& o) { o.window_moved(w.handle); });
}

}

RECT Window::client_in_window() const
{
    RECT insets = frame_insets(style, ex_style);
    RECT c { insets.left, insets.top, width() - insets.right, height() - insets.bottom };
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    // The scroll bars sit between the frame and the client area; a window too small for a
    // bar gives it what room there is.
    if (style & WS_VSCROLL)
        c.right = std::max(c.left, c.right - scroll_bar_size);
    if (style & WS_HSCROLL)
        c.bottom = std::max(c.top, c.bottom - scroll_bar_size);
    return c;
}

RECT scroll_bar_rect(HWND hwnd, bool vertical)
{
    Window* w = window_from(hwnd);
    if (!w || !(w->style & (vertical ? WS_VSCROLL : WS_HSCROLL)))
        return RECT {};
    RECT c = w->client_in_window();
    RECT insets = frame_insets(w->style, w->ex_style);
    if (vertical)
        return RECT { c.right, c.top, std::max(c.right, w->width() - insets.right), c.bottom };
    return RECT { c.left, c.bottom, c.right, std::max(c.bottom, w->height() - insets.bottom) };
}

RECT frame_insets(DWORD style, DWORD ex_style)
{
    int frame = 0;
    if (style & WS_THICKFRAME)
        frame = sizing_frame_width;
    else if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME))
        frame = dialog_frame_width;
    else if (style & WS_BORDER)
        frame = border_width;
    if (ex_style & WS_EX_CLIENTEDGE)
        frame += client_edge_width;
    if (ex_style & WS_EX_STATICEDGE)
        frame += static_edge_width;
    int caption = 0;
    if ((style & WS_CAPTION) == WS_CAPTION)
        caption = (ex_style & WS_EX_TOOLWINDOW) ? tool_caption_height : caption_height;
    return RECT { frame, frame + caption, frame, frame };
}

POINT window_screen_origin(Window const& w)
{
    if (!w.parent)
        return POINT { w.rect.left, w.rect.top };
    POINT p = client_screen_origin(*w.parent);
    return POINT { p.x + w.rect.left, p.y + w.rect.top };
}

POINT client_screen_origin(Window const& w)
{
    POINT p = window_screen_origin(w);
    RECT c = w.client_in_window();
    return POINT { p.x + c.left, p.y + c.top };
}

RECT rect_in_top_level(Window const& w)
{
    Window const* top = &w;
    while (top->parent)
        top = top->parent;
    POINT p = window_screen_origin(w);
    POINT t = window_screen_origin(*top);
    return RECT { p.x - t.x, p.y - t.y, p.x - t.x + w.width(), p.y - t.y + w.height() };
}

HWND top_level_of(HWND hwnd)
{
    Window* top = top_of(window_from(hwnd));
    return top ? top->handle : nullptr;
}

POINT window_origin_in_top_level(HWND hwnd)
{
    Window* w = window_from(hwnd);
    if (!w)
        return {};
    RECT r = rect_in_top_level(*w);
    return POINT { r.left, r.top };
}

POINT client_origin_in_top_level(HWND hwnd)
{
    Window* w = window_from(hwnd);
    if (!w)
        return {};
    RECT r = rect_in_top_level(*w);
    RECT c = w->client_in_window();
    return POINT { r.left + c.left, r.top + c.top };
}

Region visible_region(HWND hwnd, bool whole_window)
{
    Window* w = window_from(hwnd);
    if (!w)
        return {};
    RECT own = rect_in_top_level(*w);
    RECT c = w->client_in_window();
    RECT area = whole_window ? own : RECT { own.left + c.left, own.top + c.top, own.left + c.right, own.top + c.bottom };
    Region region(area);
    if (w->style & WS_CLIPCHILDREN) {
        for (Window* child : w->children) {
            if (child->visible_bit())
                region.subtract(rect_in_top_level(*child));
        }
    }
    for (Window* cur = w; cur->parent; cur = cur->parent) {
        Window* parent = cur->parent;
        RECT pr = rect_in_top_level(*parent);
        RECT pc = parent->client_in_window();
        region.intersect(RECT { pr.left + pc.left, pr.top + pc.top, pr.left + pc.right, pr.top + pc.bottom });
        if (!(cur->style & WS_CLIPSIBLINGS))
            continue;
        for (Window* sibling : parent->children) {
            if (sibling == cur)
                break;
            if (sibling->visible_bit())
                region.subtract(rect_in_top_level(*sibling));
        }
    }
    region.offset(-area.left, -area.top);
    return region;
}

std::vector<HWND> top_level_windows()
{
    std::vector<HWND> result;
    for (Window* w : WindowTable::the().top_levels()) {
        if (w->visible_bit())
            result.push_back(w->handle);
    }
    return result;
}

void set_desktop_size(int width, int height)
{
    Window& desktop = WindowTable::the().desktop();
    WindowTable::the().write([&] { desktop.rect = RECT { 0, 0, width, height }; });
}

void set_work_area(RECT const& rect)
{
    g_work_area = rect;
    g_work_area_set = true;
}

RECT desktop_rect()
{
    auto lock = WindowTable::the().read_lock();
    return WindowTable::the().desktop().rect;
}

RECT work_area()
{
    return g_work_area_set ? g_work_area : desktop_rect();
}

void change_rect(Window& w, RECT const& rect, UINT flags)
{
    RECT old = w.rect;
    bool moved = old.left != rect.left || old.top != rect.top;
    bool sized = (old.right - old.left) != (rect.right - rect.left) || (old.bottom - old.top) != (rect.bottom - rect.top);
    bool frame = (flags & SWP_FRAMECHANGED) != 0;
    if (!moved && !sized && !frame)
        return;
    bool shown = IsWindowVisible(w.handle);
    if (shown && w.parent && !(flags & SWP_NOREDRAW) && (moved || sized))
        expose(*w.parent, old);
    WindowTable::the().write([&] { w.rect = rect; });
    if (shown && !(flags & SWP_NOREDRAW) && (sized || frame || w.parent))
        invalidate_all(w);
    notify_moved(w);
}

}

using namespace platform;
using namespace platform::user;

namespace {

void send_position_messages(Window& w, WINDOWPOS& pos)
{
    HWND hwnd = w.handle;
    if (!(pos.flags & SWP_NOSENDCHANGING))
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
}

// SWP_FRAMECHANGED measures the frame again: the window hears WM_NCCALCSIZE (wParam FALSE,
// lParam the new window rectangle in its parent's client coordinates) before the change
// takes effect, and may still change its style there (a list that refuses a horizontal bar
// drops WS_HSCROLL). The client area follows from the style as it is afterwards.
void send_frame_calculation(HWND hwnd, WINDOWPOS const& pos)
{
    if (!(pos.flags & SWP_FRAMECHANGED))
        return;
    RECT rect { pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy };
    SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
}

}

extern "C" {

BOOL GetWindowRect(HWND hwnd, RECT* rect)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w || !rect)
        return FALSE;
    auto lock = WindowTable::the().read_lock();
    POINT p = window_screen_origin(*w);
    *rect = RECT { p.x, p.y, p.x + w->width(), p.y + w->height() };
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w || !rect)
        return FALSE;
    auto lock = WindowTable::the().read_lock();
    RECT c = w->client_in_window();
    *rect = RECT { 0, 0, c.right - c.left, c.bottom - c.top };
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w || !point)
        return FALSE;
    auto lock = WindowTable::the().read_lock();
    POINT o = client_screen_origin(*w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point)
{
    auto w = WindowTable::the().find(hwnd);
    if (!w || !point)
        return FALSE;
    auto lock = WindowTable::the().read_lock();
    POINT o = client_screen_origin(*w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

// Returns the horizontal offset in the low word and the vertical in the high word.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count)
{
    POINT origin_from {}, origin_to {};
    if (from && from != GetDesktopWindow() && !ClientToScreen(from, &origin_from))
        return 0;
    if (to && to != GetDesktopWindow() && !ClientToScreen(to, &origin_to))
        return 0;
    int dx = origin_from.x - origin_to.x;
    int dy = origin_from.y - origin_to.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(0);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags)
{
    return static_cast<BOOL>(run_on_ui_thread([=]() -> LRESULT {
        Window* w = window_from(hwnd);
        if (!w || w == &WindowTable::the().desktop())
            return FALSE;
        WINDOWPOS pos { hwnd, insert_after, x, y, std::max(cx, 0), std::max(cy, 0), flags };
        if (flags & SWP_NOMOVE) {
            pos.x = w->rect.left;
            pos.y = w->rect.top;
        }
        if (flags & SWP_NOSIZE) {
            pos.cx = w->width();
            pos.cy = w->height();
        }
        send_position_messages(*w, pos);
        send_frame_calculation(hwnd, pos);
        if (!(w = window_from(hwnd)))
            return FALSE;
        if (!(pos.flags & SWP_NOZORDER))
            reorder(*w, pos.hwndInsertAfter);
        change_rect(*w, RECT { pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy }, pos.flags);
        if (pos.flags & SWP_SHOWWINDOW)
            set_visible(*w, true, (pos.flags & SWP_NOACTIVATE) == 0);
        if (pos.flags & SWP_HIDEWINDOW)
            set_visible(*w, false, false);
        if ((w = window_from(hwnd)))
            SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
        return TRUE;
    }));
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD ex_style)
{
    if (!rect)
        return FALSE;
    RECT insets = frame_insets(style, ex_style);
    rect->left -= insets.left;
    rect->top -= insets.top;
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

}
