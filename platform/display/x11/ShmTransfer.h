// Putting pixels on an X window through MIT-SHM, on the presenter's X thread: whether the
// server takes this process's segments at all, and one window's attachment of its pixel
// memory (PixelMemory.h), remade when the window's memory is replaced.
#pragma once

#include "platform/display/x11/PixelMemory.h"
#include "platform/user/Types.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <memory>

namespace platform::display::x11 {

// True when the server offers MIT-SHM and attaches a segment of this process: a server on
// another machine, or one that cannot read our memory, refuses it.
bool shm_usable(Display* display);

class ShmAttachment {
public:
    // Puts `area` of `memory` (rows `stride` pixels apart) at (`x`, `y`) of `target`,
    // attaching the memory first when it is not the one attached, and returns once the server
    // has read it, so that the memory may change again. False when the memory is not shared
    // or the server refused it: the caller puts the pixels through the connection.
    bool put(Display* display, Drawable target, GC gc, std::shared_ptr<PixelMemory> const& memory, int stride,
        RECT const& area, int x, int y);
    void detach(Display* display);

private:
    std::shared_ptr<PixelMemory> m_memory;
    XShmSegmentInfo m_info {};
    bool m_refused { false };
};

}
