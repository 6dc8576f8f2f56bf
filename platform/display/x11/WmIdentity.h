// What a window manager and a desktop read to know whose window it is: WM_CLASS (the
// program's name and class, by which task bars group windows and desktops find the program's
// launcher), _NET_WM_PID and WM_CLIENT_MACHINE (together they let a desktop end a program that
// no longer answers), and the placement hint that keeps a window where the program put it.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace platform::display::x11 {

struct WmIdentity {
    std::string name;  // WM_CLASS instance: the program's file name ("Zorvel")
    std::string klass; // WM_CLASS class: the name with a capital first letter
    long pid {};
    std::string machine; // the host name, as _NET_WM_PID is only meaningful with it
};

// This process's identity.
WmIdentity own_identity();
void set_wm_identity(Display* display, Window window, WmIdentity const& identity);

// WM_NORMAL_HINTS placing the window at `x`, `y` with static gravity: the position is that of
// the window itself, not of the frame the window manager puts around it. With the default
// (north-west) gravity a reparenting manager puts its frame's corner there and the window
// lands the frame's border and title bar further right and down, and each time the window is
// shown again at the position read back it creeps by as much.
void set_wm_position_hints(Display* display, Window window, int x, int y);

}
