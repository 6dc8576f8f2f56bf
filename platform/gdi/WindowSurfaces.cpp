#include "platform/gdi/WindowSurfaces.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/SystemParameters.h"

#include <algorithm>
#include <cstdio>

namespace platform::gdi {

namespace {

FrameLook look_of(HWND hwnd)
{
    FrameLook look;
    look.style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    look.ex_style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE));
    look.active = GetActiveWindow() == hwnd;
    look.title.resize(static_cast<std::size_t>(GetWindowTextLength(hwnd)) + 1);
    look.title.resize(static_cast<std::size_t>(GetWindowText(hwnd, look.title.data(), static_cast<int>(look.title.size()))));
    RECT r {};
    GetWindowRect(hwnd, &r);
    look.width = r.right - r.left;
    look.height = r.bottom - r.top;
    look.generation = frame_generation();
    return look;
}

}

WindowSurfaces& WindowSurfaces::the()
{
    static WindowSurfaces* surfaces = new WindowSurfaces; // observed until the process ends
    return *surfaces;
}

// Said once per window: it is painted on every turn of the loop.
void WindowSurfaces::refuse(HWND top, long long width, long long height)
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_refused.insert(top).second)
            return;
    }
    std::fprintf(stderr, "window %p of %lld x %lld pixels refused: larger than %d x %d\n", static_cast<void*>(top), width,
        height, kMaxSurfaceSide, kMaxSurfaceSide);
}

std::shared_ptr<Surface> WindowSurfaces::surface_of(HWND hwnd)
{
    HWND top = user::top_level_of(hwnd);
    RECT r {};
    if (!top || !GetWindowRect(top, &r))
        return nullptr;
    long long const width = std::max<long long>(static_cast<long long>(r.right) - r.left, 0);
    long long const height = std::max<long long>(static_cast<long long>(r.bottom) - r.top, 0);
    if (!fits_surface(width, height)) {
        refuse(top, width, height);
        return nullptr;
    }
    std::lock_guard lock(m_mutex);
    auto& surface = m_surfaces[top];
    if (!surface)
        surface = std::make_shared<Surface>(static_cast<int>(width), static_cast<int>(height));
    surface->resize(static_cast<int>(width), static_cast<int>(height));
    return surface;
}

void WindowSurfaces::refresh_frame(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return;
    FrameLook look = look_of(hwnd);
    if (!has_frame(look.style, look.ex_style))
        return;
    bool const top_level = user::top_level_of(hwnd) == hwnd;
    // A child that does not show (hidden itself, or on a hidden page) is framed when it next
    // paints: showing it, or the page it is on, paints it. A window start creates hundreds
    // of controls on pages that are not shown.
    if (!top_level && !IsWindowVisible(hwnd))
        return;
    if (top_level) {
        std::lock_guard lock(m_mutex);
        auto it = m_frames.find(hwnd);
        if (it != m_frames.end() && it->second == look)
            return;
        m_frames[hwnd] = look;
    }
    HDC dc = make_window_dc(hwnd, true);
    if (!dc)
        return;
    RECT client {};
    GetClientRect(hwnd, &client);
    POINT in_window = user::client_origin_in_top_level(hwnd);
    POINT window = user::window_origin_in_top_level(hwnd);
    OffsetRect(&client, in_window.x - window.x, in_window.y - window.y);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    paint_frame(dc, look);
    ReleaseDC(hwnd, dc);
}

std::size_t WindowSurfaces::count()
{
    std::lock_guard lock(m_mutex);
    return m_surfaces.size();
}

// A hidden top-level window (tool tips, drop-down lists, dialogs not yet shown) gets its
// surface when it is first shown, painted or read: many are created and few are ever seen.
bool WindowSurfaces::wanted(HWND hwnd)
{
    HWND const top = user::top_level_of(hwnd);
    if (IsWindowVisible(top))
        return true;
    std::lock_guard lock(m_mutex);
    return m_surfaces.count(top) != 0;
}

void WindowSurfaces::window_created(HWND hwnd)
{
    if (!wanted(hwnd))
        return;
    surface_of(hwnd);
    refresh_frame(hwnd);
}

void WindowSurfaces::window_destroyed(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    m_surfaces.erase(hwnd);
    m_refused.erase(hwnd);
    m_frames.erase(hwnd);
}

void WindowSurfaces::window_moved(HWND hwnd)
{
    if (!wanted(hwnd))
        return;
    surface_of(hwnd);
    refresh_frame(hwnd);
}

void WindowSurfaces::window_shown(HWND hwnd, bool)
{
    if (!wanted(hwnd))
        return;
    surface_of(hwnd);
    refresh_frame(hwnd);
}

void WindowSurfaces::window_text_changed(HWND hwnd)
{
    // A hidden window without a surface gets its frame drawn when it is first shown; drawing
    // the new title now would allocate its whole surface (a dialog retitled in WM_INITDIALOG).
    if (!wanted(hwnd))
        return;
    refresh_frame(hwnd);
}

void WindowSurfaces::window_activated(HWND hwnd, bool)
{
    if (!wanted(hwnd))
        return;
    refresh_frame(hwnd);
}

std::shared_ptr<Surface const> window_surface(HWND hwnd)
{
    HWND top = user::top_level_of(hwnd);
    if (!top)
        return nullptr;
    WindowSurfaces::the().refresh_frame(top);
    return WindowSurfaces::the().surface_of(top);
}

COLORREF window_pixel(HWND hwnd, int x, int y)
{
    auto surface = window_surface(hwnd);
    if (!surface || x < 0 || y < 0 || x >= surface->width() || y >= surface->height())
        return CLR_INVALID;
    return colorref_from_pixel(surface->pixel(x, y));
}

bool write_window_png(HWND hwnd, std::string const& path)
{
    auto surface = window_surface(hwnd);
    return surface && write_png(*surface, path);
}

HDC make_window_dc(HWND hwnd, bool whole_window, Region const* limit, bool exclude)
{
    auto surface = WindowSurfaces::the().surface_of(hwnd);
    if (!surface)
        return nullptr;
    Region visible = user::visible_region(hwnd, whole_window);
    if (limit && exclude)
        visible.subtract(*limit);
    else if (limit)
        visible.intersect(*limit);
    HDC dc = create_dc(DeviceContext::Type::Window);
    POINT origin = whole_window ? user::window_origin_in_top_level(hwnd) : user::client_origin_in_top_level(hwnd);
    dc_of(dc)->bind_window(hwnd, std::move(surface), origin, std::move(visible));
    return dc;
}

}
