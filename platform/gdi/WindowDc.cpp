// Window device contexts, the window core's painting hooks, update regions as HRGNs, and the
// system colour broadcast.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/SysPaint.h"
#include "platform/gdi/SystemParameters.h"
#include "platform/gdi/WindowSurfaces.h"

#include <mutex>

using namespace platform;
using namespace platform::gdi;

namespace {

int complexity(Region const& region)
{
    if (region.is_empty())
        return NULLREGION;
    return region.rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool region_of(HRGN handle, Region& out)
{
    auto* region = lookup<RegionObject>(handle);
    if (!region)
        return false;
    out = region->region;
    return true;
}

// GetDC(NULL): programs ask it for capabilities and compatible DCs, and may draw on it.
HDC screen_dc()
{
    static std::mutex mutex;
    static std::shared_ptr<Surface> screen;
    std::lock_guard lock(mutex);
    RECT desktop = user::desktop_rect();
    if (!screen)
        screen = std::make_shared<Surface>(desktop.right, desktop.bottom);
    screen->resize(desktop.right, desktop.bottom);
    HDC dc = create_dc(DeviceContext::Type::Window);
    dc_of(dc)->bind_window(nullptr, screen, POINT { 0, 0 }, Region(desktop));
    return dc;
}

std::mutex g_damage_mutex;
WindowDamageHook g_damage_hook;

void report_release(DeviceContext& dc)
{
    if (!dc.window() || !dc.drew() || dc.painting())
        return;
    WindowDamageHook hook;
    {
        std::lock_guard lock(g_damage_mutex);
        hook = g_damage_hook;
    }
    RECT const area = dc.drawable_bounds();
    if (hook && !IsRectEmpty(&area))
        hook(user::top_level_of(dc.window()), area);
}

HDC begin_paint(HWND hwnd, Region const& clip)
{
    WindowSurfaces::the().refresh_frame(hwnd);
    HDC dc = make_window_dc(hwnd, false, &clip);
    if (dc)
        dc_of(dc)->set_painting(true);
    return dc;
}

void end_paint(HWND hwnd, HDC dc)
{
    ReleaseDC(hwnd, dc);
}

void fill_rect(HDC dc, RECT const& rect, HBRUSH brush)
{
    FillRect(dc, &rect, brush);
}

// The colours changed: every window tells its children, then everything is drawn again.
void repaint_everything()
{
    user::broadcast(WM_SYSCOLORCHANGE, 0, 0);
    user::run_on_ui_thread([] {
        for (HWND top : user::top_level_windows())
            WindowSurfaces::the().refresh_frame(top);
        InvalidateRect(nullptr, nullptr, TRUE);
        return LRESULT { 0 };
    });
}

struct LoadTimeInstaller {
    LoadTimeInstaller() { install_window_drawing(); }
} const installer;

}

namespace platform::gdi {

void set_window_damage_hook(WindowDamageHook hook)
{
    std::lock_guard lock(g_damage_mutex);
    g_damage_hook = std::move(hook);
}

void install_window_drawing()
{
    user::set_paint_hooks(user::PaintHooks { begin_paint, end_paint, fill_rect, region_of });
    user::remove_window_observer(&WindowSurfaces::the());
    user::add_window_observer(&WindowSurfaces::the());
    user::set_system_parameters_handler(system_parameters);
}

}

extern "C" {

HDC GetDC(HWND hwnd)
{
    return hwnd ? make_window_dc(hwnd, false) : screen_dc();
}

HDC GetWindowDC(HWND hwnd)
{
    return hwnd ? make_window_dc(hwnd, true) : screen_dc();
}

HDC GetDCEx(HWND hwnd, HRGN region, DWORD flags)
{
    if (!hwnd)
        return screen_dc();
    Region limit;
    bool limited = (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) && region_of(region, limit);
    return make_window_dc(hwnd, (flags & DCX_WINDOW) != 0, limited ? &limit : nullptr, (flags & DCX_EXCLUDERGN) != 0);
}

int ReleaseDC(HWND, HDC dc)
{
    DeviceContext* d = dc_of(dc);
    if (!d || d->type() != DeviceContext::Type::Window)
        return 0;
    report_release(*d);
    return ObjectTable::the().remove(dc) ? 1 : 0;
}

HWND WindowFromDC(HDC dc)
{
    DeviceContext* d = dc_of(dc);
    return d ? d->window() : nullptr;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL)
{
    auto* out = lookup<RegionObject>(region);
    if (!out || !IsWindow(hwnd))
        return ERROR;
    out->region = user::update_region(hwnd);
    return complexity(out->region);
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase)
{
    if (!region)
        return InvalidateRect(hwnd, nullptr, erase);
    Region area;
    if (!IsWindow(hwnd) || !region_of(region, area))
        return FALSE;
    user::run_on_ui_thread([&] {
        user::invalidate_region(hwnd, area, erase != FALSE);
        return LRESULT { 0 };
    });
    return TRUE;
}

BOOL ValidateRgn(HWND hwnd, HRGN region)
{
    if (!region)
        return ValidateRect(hwnd, nullptr);
    Region area;
    if (!IsWindow(hwnd) || !region_of(region, area))
        return FALSE;
    user::run_on_ui_thread([&] {
        user::validate_region(hwnd, area);
        return LRESULT { 0 };
    });
    return TRUE;
}

BOOL SetSysColors(int count, INT const* indices, COLORREF const* colours)
{
    if (count < 0 || (count > 0 && (!indices || !colours)))
        return FALSE;
    for (int i = 0; i < count; ++i)
        set_sys_color(indices[i], colours[i]);
    bump_frame_generation();
    repaint_everything();
    return TRUE;
}

}
