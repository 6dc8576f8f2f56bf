#include "platform/user/Paint.h"

#include "platform/user/Geometry.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/WindowCore.h"
#include "platform/user/WindowTable.h"

#include <atomic>

namespace platform::user {

namespace {

// Set whenever a region grows, cleared when a search finds nothing: idle loops skip the
// walk over all windows when nothing was invalidated.
bool g_paint_pending = false;

PaintHooks& hooks()
{
    static PaintHooks installed;
    return installed;
}

bool needs_paint(Window const& w)
{
    return !w.update.is_empty() || w.internal_paint;
}

bool inside(Window* w, Window* filter)
{
    for (; w; w = w->parent) {
        if (w == filter)
            return true;
    }
    return false;
}

Window* search(Window& w, Window* filter)
{
    if (!w.visible_bit() || (w.style & WS_MINIMIZE))
        return nullptr;
    if (needs_paint(w) && (!filter || inside(&w, filter)))
        return &w;
    // Lower siblings first, so that upper ones paint over them where they overlap.
    for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
        if (Window* found = search(**it, filter))
            return found;
    }
    return nullptr;
}

RECT client_rect_of(Window const& w)
{
    RECT c = w.client_in_window();
    return RECT { 0, 0, c.right - c.left, c.bottom - c.top };
}

}

static ScrollBarHooks& scroll_hooks_storage()
{
    static ScrollBarHooks hooks;
    return hooks;
}

void set_scroll_bar_hooks(ScrollBarHooks new_hooks)
{
    scroll_hooks_storage() = std::move(new_hooks);
}

ScrollBarHooks const& scroll_bar_hooks()
{
    return scroll_hooks_storage();
}

void set_paint_hooks(PaintHooks new_hooks)
{
    hooks() = std::move(new_hooks);
}

PaintHooks const& paint_hooks()
{
    return hooks();
}

HWND find_paint_target(HWND filter)
{
    if (!g_paint_pending)
        return nullptr;
    Window* filter_window = filter ? window_from(filter) : nullptr;
    for (Window* top : WindowTable::the().top_levels()) {
        if (Window* found = search(*top, filter_window))
            return found->handle;
    }
    if (!filter)
        g_paint_pending = false;
    return nullptr;
}

void invalidate_only(Window& window, RECT const& rect, bool erase)
{
    RECT area = rect_intersection(rect, client_rect_of(window));
    if (rect_is_empty(area))
        return;
    WindowTable::the().write([&] {
        window.update.add(area);
        window.erase_pending = window.erase_pending || erase;
    });
    g_paint_pending = true;
}

void invalidate_client(Window& window, RECT const& rect, bool erase, bool children)
{
    invalidate_only(window, rect, erase);
    // A parent without WS_CLIPCHILDREN paints over its children, so they repaint after it.
    if (!children && (window.style & WS_CLIPCHILDREN))
        return;
    for (Window* child : window.children) {
        if (!child->visible_bit())
            continue;
        RECT in_child = rect;
        RECT child_client = child->client_in_window();
        OffsetRect(&in_child, -(child->rect.left + child_client.left), -(child->rect.top + child_client.top));
        invalidate_client(*child, in_child, erase, true);
    }
}

void expose(Window& parent, RECT const& rect)
{
    invalidate_client(parent, rect, true, true);
}

void invalidate_all(Window& window)
{
    invalidate_client(window, client_rect_of(window), true, true);
}

Region update_region(HWND hwnd)
{
    Window* w = window_from(hwnd);
    return w ? w->update : Region {};
}

void invalidate_region(HWND hwnd, Region const& region, bool erase)
{
    Window* w = window_from(hwnd);
    if (!w)
        return;
    for (RECT const& r : region.rects())
        invalidate_client(*w, r, erase, false);
}

void validate_region(HWND hwnd, Region const& region)
{
    Window* w = window_from(hwnd);
    if (!w)
        return;
    WindowTable::the().write([&] {
        w->update.subtract(region);
        if (w->update.is_empty())
            w->erase_pending = false;
    });
}

}

using namespace platform;
using namespace platform::user;

extern "C" {

BOOL InvalidateRect(HWND hwnd, RECT const* rect, BOOL erase)
{
    return static_cast<BOOL>(run_on_ui_thread([=]() -> LRESULT {
        if (!hwnd) {
            for (Window* top : WindowTable::the().top_levels())
                invalidate_all(*top);
            return TRUE;
        }
        Window* w = window_from(hwnd);
        if (!w)
            return FALSE;
        invalidate_client(*w, rect ? *rect : client_rect_of(*w), erase != FALSE, false);
        return TRUE;
    }));
}

BOOL ValidateRect(HWND hwnd, RECT const* rect)
{
    return static_cast<BOOL>(run_on_ui_thread([=]() -> LRESULT {
        Window* w = window_from(hwnd);
        if (!w)
            return FALSE;
        validate_region(hwnd, Region(rect ? *rect : client_rect_of(*w)));
        if (!rect)
            w->internal_paint = false;
        return TRUE;
    }));
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL)
{
    Window* w = window_from(hwnd);
    if (!w)
        return FALSE;
    if (rect)
        *rect = w->update.bounds();
    return !w->update.is_empty();
}

BOOL UpdateWindow(HWND hwnd)
{
    return static_cast<BOOL>(run_on_ui_thread([=]() -> LRESULT {
        Window* w = window_from(hwnd);
        if (!w)
            return FALSE;
        if (needs_paint(*w) && IsWindowVisible(hwnd))
            SendMessage(hwnd, WM_PAINT, 0, 0);
        return TRUE;
    }));
}

// Paints synchronously a window and, with RDW_ALLCHILDREN, its descendants.
static void update_now(HWND hwnd, bool children)
{
    UpdateWindow(hwnd);
    Window* w = window_from(hwnd);
    if (!w || !children)
        return;
    std::vector<HWND> kids;
    for (Window* child : w->children)
        kids.push_back(child->handle);
    for (HWND child : kids)
        update_now(child, true);
}

BOOL RedrawWindow(HWND hwnd, RECT const* rect, HRGN region, UINT flags)
{
    return static_cast<BOOL>(run_on_ui_thread([=]() -> LRESULT {
        Window* w = window_from(hwnd);
        if (!w)
            return FALSE;
        Region area;
        if (region && hooks().region_of) {
            hooks().region_of(region, area);
        } else {
            area.add(rect ? *rect : client_rect_of(*w));
        }
        bool children = (flags & RDW_ALLCHILDREN) != 0;
        if (flags & RDW_INVALIDATE) {
            for (RECT const& r : area.rects()) {
                if (flags & RDW_NOCHILDREN)
                    invalidate_only(*w, r, (flags & RDW_ERASE) != 0);
                else
                    invalidate_client(*w, r, (flags & RDW_ERASE) != 0, children);
            }
        }
        if (flags & RDW_INTERNALPAINT) {
            w->internal_paint = true;
            g_paint_pending = true;
        }
        if (flags & RDW_VALIDATE)
            validate_region(hwnd, area);
        if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
            update_now(hwnd, children);
        return TRUE;
    }));
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint)
{
    Window* w = window_from(hwnd);
    if (!w || !paint)
        return nullptr;
    Region clip = w->update;
    bool erase = w->erase_pending;
    WindowTable::the().write([&] {
        w->update.clear();
        w->erase_pending = false;
        w->internal_paint = false;
    });
    *paint = PAINTSTRUCT {};
    paint->rcPaint = clip.bounds();
    paint->hdc = hooks().begin_paint ? hooks().begin_paint(hwnd, clip) : nullptr;
    if ((w->style & (WS_VSCROLL | WS_HSCROLL)) && scroll_bar_hooks().paint)
        scroll_bar_hooks().paint(hwnd);
    paint->fErase = erase;
    if (erase && paint->hdc)
        paint->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) == 0;
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, PAINTSTRUCT const* paint)
{
    if (paint && paint->hdc && hooks().end_paint)
        hooks().end_paint(hwnd, paint->hdc);
    return TRUE;
}

}
