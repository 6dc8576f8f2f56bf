// Installing the presenter: it watches the window core, and painting reports what it drew
// through a wrapper around the drawing module's paint hooks (the wrapper keeps the hooks it
// found and calls them first); drawing on a DC outside a paint reports through the drawing
// module's damage hook when the DC is released.
#include "platform/display/Presenter.h"

#include "platform/display/TraySource.h"

#include "platform/gdi/WindowSurfaces.h"

#include <functional>
#include <map>

namespace platform::display {

namespace {

std::unique_ptr<Presenter>& slot()
{
    static std::unique_ptr<Presenter> presenter;
    return presenter;
}

// The painted area of each window between BeginPaint and EndPaint, in the top-level
// window's coordinates.
std::map<HWND, RECT>& painting()
{
    static std::map<HWND, RECT> areas;
    return areas;
}

RECT to_top_level(HWND hwnd, RECT area)
{
    POINT origin = user::client_origin_in_top_level(hwnd);
    return RECT { area.left + origin.x, area.top + origin.y, area.right + origin.x, area.bottom + origin.y };
}

// The wrappers are types of their own so that wrapping twice can be seen and skipped; a
// module that installs its hooks again (tests do) is wrapped again by the next install.
struct BeginPaintReport {
    std::function<HDC(HWND, platform::Region const&)> inner;
    HDC operator()(HWND hwnd, platform::Region const& clip) const
    {
        painting()[hwnd] = to_top_level(hwnd, clip.bounds());
        return inner(hwnd, clip);
    }
};

struct EndPaintReport {
    std::function<void(HWND, HDC)> inner;
    void operator()(HWND hwnd, HDC dc) const
    {
        inner(hwnd, dc);
        auto it = painting().find(hwnd);
        if (it == painting().end())
            return;
        RECT area = it->second;
        painting().erase(it);
        if (Presenter* presenter = current_presenter())
            presenter->damaged(user::top_level_of(hwnd), area);
    }
};

// A DC may be released on any thread; the presenter hears of it on its own.
void report_released_dc(HWND top, RECT const& area)
{
    user::run_on_ui_thread([top, area] {
        Presenter* presenter = current_presenter();
        if (presenter && IsWindow(top))
            presenter->damaged(top, area);
        return LRESULT { 0 };
    });
}

void wrap_paint_hooks()
{
    user::PaintHooks hooks = user::paint_hooks();
    if (!hooks.begin_paint || !hooks.end_paint || hooks.end_paint.target<EndPaintReport>())
        return;
    hooks.begin_paint = BeginPaintReport { hooks.begin_paint };
    hooks.end_paint = EndPaintReport { hooks.end_paint };
    user::set_paint_hooks(std::move(hooks));
}

}

void install_presenter(std::unique_ptr<Presenter> presenter)
{
    if (slot())
        user::remove_window_observer(slot().get());
    slot() = std::move(presenter);
    if (!slot())
        return;
    user::add_window_observer(slot().get());
    wrap_paint_hooks();
    gdi::set_window_damage_hook(report_released_dc);
}

Presenter* current_presenter()
{
    return slot().get();
}

void report_damage(HWND hwnd, RECT const& window_area)
{
    Presenter* presenter = current_presenter();
    if (!presenter || !IsWindow(hwnd))
        return;
    POINT origin = user::window_origin_in_top_level(hwnd);
    RECT area { window_area.left + origin.x, window_area.top + origin.y, window_area.right + origin.x,
        window_area.bottom + origin.y };
    presenter->damaged(user::top_level_of(hwnd), area);
}

void report_tray_changed()
{
    if (auto tray = desktop_tray())
        tray->icons_changed();
    if (Presenter* presenter = current_presenter())
        presenter->tray_changed();
}

}
