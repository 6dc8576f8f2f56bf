// The 32-bit surfaces of top-level windows: one per top-level window, the size of its window
// rectangle (frame included), created when the window is first shown, painted or read, resized
// and dropped as the window core reports the window's life through its observer. Child windows draw into their top-level window's
// surface. Presenters and tests read the surfaces here.
//
// Frames are drawn by this unit: when a top-level window is created, shown, moved or sized,
// retitled, activated or deactivated, when it paints, and when its surface is read, each time
// only if something the frame shows (style, size, title, activation, system colours and
// metrics) changed since it was last drawn. Reading catches a style changed without
// SWP_FRAMECHANGED, which reaches no observer. A frame drawn again reaches the presenter
// through the damage hook. Child windows with a frame have it drawn when they paint.
#pragma once

#include "platform/gdi/FramePainter.h"
#include "platform/gdi/Surface.h"
#include "platform/user/WindowCore.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace platform::gdi {

class WindowSurfaces final : public user::WindowObserver {
public:
    static WindowSurfaces& the();

    // The surface of `hwnd`'s top-level window, made or resized on demand; null for a window
    // that does not exist, and for one larger than kMaxSurfaceSide a side (said on stderr).
    std::shared_ptr<Surface> surface_of(HWND hwnd);
    // Draws the frame of a top-level window again when its look changed since it was last
    // drawn; the frame of a child window (asked when it paints) always.
    void refresh_frame(HWND hwnd);
    std::size_t count();

    void window_created(HWND hwnd) override;
    void window_destroyed(HWND hwnd) override;
    void window_moved(HWND hwnd) override;
    void window_shown(HWND hwnd, bool visible) override;
    void window_text_changed(HWND hwnd) override;
    void window_activated(HWND hwnd, bool active) override;

private:
    WindowSurfaces() = default;
    bool wanted(HWND hwnd);
    void refuse(HWND top, long long width, long long height);

    std::mutex m_mutex;
    std::map<HWND, std::shared_ptr<Surface>> m_surfaces;
    std::map<HWND, FrameLook> m_frames; // the look last drawn, per window with a frame
    std::set<HWND> m_refused;
};

// Reading for presenters and tests. Coordinates are those of the top-level window (0, 0 is
// the top-left corner of its frame); any window of the tree names its top-level window.
std::shared_ptr<Surface const> window_surface(HWND hwnd);
// CLR_INVALID outside the surface or for an unknown window.
COLORREF window_pixel(HWND hwnd, int x, int y);
bool write_window_png(HWND hwnd, std::string const& path);

// A device context on `hwnd`'s client area (or whole window), over its top-level surface and
// clipped to its visible region, and further to `limit` (or outside it with `exclude`),
// given in the DC's device units. Null for an unknown window.
HDC make_window_dc(HWND hwnd, bool whole_window, Region const* limit = nullptr, bool exclude = false);
// Drawing outside BeginPaint/EndPaint (GetDC, GetWindowDC, GetDCEx, and the frames this unit
// draws) reaches the screen when its DC is released: ReleaseDC of a window DC that drew hands
// the hook the top-level window and the part of its surface the DC could draw on. A DC that
// only measured or read draws nothing and reports nothing; EndPaint's DC is left to whoever
// wraps the paint hooks. Called on the releasing thread; null removes the hook.
using WindowDamageHook = std::function<void(HWND top, RECT const& area)>;
void set_window_damage_hook(WindowDamageHook hook);

// Installs the paint hooks, the window observer and the system parameters handler in the
// window core. Runs when the module is loaded; tests that replaced the hooks call it again.
void install_window_drawing();

}
