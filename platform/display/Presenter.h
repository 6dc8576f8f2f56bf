// The presenter: what shows the top-level windows to the outside world and brings input back.
// The window core reports each top-level window's life (WindowObserver) and each painted
// area (damaged: what BeginPaint/EndPaint and any window DC drew); a presenter reads the surfaces through the SurfaceSource and shows them.
// At most one presenter is installed; every call arrives on the user-interface thread.
#pragma once

#include "platform/user/WindowCore.h"

#include <memory>
#include <string_view>

namespace platform::display {

class Presenter : public user::WindowObserver {
public:
    // Part of a top-level window's surface changed; `area` is in the top-level window's
    // coordinates (0, 0 is the top-left corner of its frame).
    virtual void damaged(HWND top, RECT const& area) = 0;
    // The tray model changed (an icon added, removed, or given a new image or tip).
    virtual void tray_changed() { }
    virtual std::string_view name() const = 0;
};

// Installs `presenter` (replacing the one before, which is removed first): it starts
// watching windows and painting. Null removes the current one. User-interface thread only.
void install_presenter(std::unique_ptr<Presenter> presenter);
Presenter* current_presenter();

// Reports a changed area to the current presenter. Painting and released window DCs report
// by themselves; this is for pixels changed some other way.
void report_damage(HWND hwnd, RECT const& window_area);
void report_tray_changed();

}
