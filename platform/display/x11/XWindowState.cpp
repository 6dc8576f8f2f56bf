#include "platform/display/x11/XWindowState.h"

#include "platform/display/SurfaceSource.h"

namespace platform::display::x11 {

void Backing::update(HWND hwnd, RECT const& area, SIZE surface)
{
    auto source = surface_source();
    std::lock_guard lock(m_mutex);
    if (surface.cx != m_width || surface.cy != m_height) {
        m_width = surface.cx;
        m_height = surface.cy;
        // New memory, not a resize: the X thread may still have the old one attached.
        m_pixels = std::make_shared<PixelMemory>(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), m_shared);
    }
    RECT whole { 0, 0, m_width, m_height };
    RECT clipped {};
    if (!source || !m_pixels || !IntersectRect(&clipped, &area, &whole))
        return;
    std::uint32_t* out = m_pixels->data() + static_cast<std::size_t>(clipped.top) * m_width + clipped.left;
    if (!source->copy(hwnd, clipped, out, m_width))
        return;
    UnionRect(&m_damage, &m_damage, &clipped);
}

}
