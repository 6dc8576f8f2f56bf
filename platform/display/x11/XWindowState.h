// What the X11 presenter keeps for one shown top-level window: the pixels to show (a copy of
// the window's surface, filled on the user-interface thread and read on the X thread, under
// its own lock; shared with the server where it can), the part of the surface the X window
// shows, and the X window itself.
#pragma once

#include "platform/display/x11/PixelMemory.h"
#include "platform/user/User.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform::display::x11 {

// How a top-level window appears on X.
enum class XWindowKind {
    Normal,       // a managed window with the window manager's frame
    Dialog,       // managed, transient for its owner
    Utility,      // managed tool window, not in the task bar
    OverrideRedirect, // pop-ups, menus, tool tips, drop-downs: placed by us, no frame
};

struct XWindowSpec {
    HWND hwnd {};
    HWND owner {};
    XWindowKind kind {};
    std::string title;
    // The part of the surface shown, in the top-level window's coordinates; its top-left
    // corner lies at `screen` on the screen.
    RECT shown {};
    POINT screen {};
    bool topmost {};
};

class Backing {
public:
    // `shared`: the pixels live in memory the X server reads (PixelMemory.h).
    explicit Backing(bool shared)
        : m_shared(shared)
    {
    }
    // User-interface thread: copies `area` of the window's surface and adds it to the damage.
    void update(HWND hwnd, RECT const& area, SIZE surface);
    // X thread: hands the damaged area to `blit` (pixel memory, stride in pixels, area), then
    // forgets it. The lock is held meanwhile, so the pixels do not change under the blit.
    template<typename Blit>
    void flush(Blit&& blit)
    {
        std::lock_guard lock(m_mutex);
        if (m_pixels && m_damage.right > m_damage.left && m_damage.bottom > m_damage.top)
            blit(m_pixels, m_width, m_damage);
        m_damage = {};
    }
    template<typename Blit>
    void show(RECT const& area, Blit&& blit)
    {
        std::lock_guard lock(m_mutex);
        RECT clipped {};
        RECT whole { 0, 0, m_width, m_height };
        if (m_pixels && IntersectRect(&clipped, &area, &whole))
            blit(m_pixels, m_width, clipped);
    }

private:
    bool const m_shared;
    std::mutex m_mutex;
    std::shared_ptr<PixelMemory> m_pixels;
    int m_width {};
    int m_height {};
    RECT m_damage {};
};

}
