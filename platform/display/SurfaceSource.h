// Where presenters read the pixels of top-level windows: 32-bit 0x00RRGGBB pixels, rows
// top-down, in the top-level window's coordinates. The drawing module's window surfaces are
// the normal source; tests install surfaces of their own.
#pragma once

#include "platform/user/Types.h"

#include <cstdint>
#include <memory>

namespace platform::display {

class SurfaceSource {
public:
    virtual ~SurfaceSource() = default;
    // The size of the window's surface; {0, 0} when it has none.
    virtual SIZE size(HWND top) = 0;
    // Copies `area` (clipped to the surface by the caller) into `out`, `out_stride` pixels
    // apart from row to row. False when the window has no surface.
    virtual bool copy(HWND top, RECT const& area, std::uint32_t* out, int out_stride) = 0;
};

// The source presenters use: the drawing module's window surfaces unless a test installs
// another (null goes back to the drawing module's).
void set_surface_source(std::shared_ptr<SurfaceSource> source);
std::shared_ptr<SurfaceSource> surface_source();

}
