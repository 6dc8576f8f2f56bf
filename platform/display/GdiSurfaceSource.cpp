#include "platform/display/GdiSurfaceSource.h"

#include "platform/gdi/WindowSurfaces.h"

#include <algorithm>
#include <cstring>

namespace platform::display {

SIZE GdiSurfaceSource::size(HWND top)
{
    auto surface = gdi::window_surface(top);
    return surface ? SIZE { surface->width(), surface->height() } : SIZE {};
}

bool GdiSurfaceSource::copy(HWND top, RECT const& area, std::uint32_t* out, int out_stride)
{
    auto surface = gdi::window_surface(top);
    if (!surface)
        return false;
    int left = std::max(0, static_cast<int>(area.left));
    int right = std::min(surface->width(), static_cast<int>(area.right));
    int bottom = std::min(surface->height(), static_cast<int>(area.bottom));
    for (int y = std::max(0, static_cast<int>(area.top)); y < bottom && left < right; ++y) {
        std::memcpy(out + static_cast<std::ptrdiff_t>(y - area.top) * out_stride + (left - area.left),
            surface->row32(y) + left, static_cast<std::size_t>(right - left) * sizeof(std::uint32_t));
    }
    return true;
}

}
