#include "platform/display/x11/WmIdentity.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace platform::display::x11 {

WmIdentity own_identity()
{
    WmIdentity identity;
    identity.name = program_invocation_short_name;
    identity.klass = identity.name;
    if (!identity.klass.empty())
        identity.klass[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(identity.klass[0])));
    identity.pid = static_cast<long>(::getpid());
    char host[256] {};
    if (::gethostname(host, sizeof host - 1) == 0)
        identity.machine = host;
    return identity;
}

void set_wm_identity(Display* display, Window window, WmIdentity const& identity)
{
    XClassHint hint {};
    hint.res_name = const_cast<char*>(identity.name.c_str());
    hint.res_class = const_cast<char*>(identity.klass.c_str());
    XSetClassHint(display, window, &hint);
    if (identity.machine.empty())
        return;
    XChangeProperty(display, window, XInternAtom(display, "WM_CLIENT_MACHINE", False), XA_STRING, 8,
        PropModeReplace, reinterpret_cast<unsigned char const*>(identity.machine.data()),
        static_cast<int>(identity.machine.size()));
    long pid = identity.pid;
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&pid), 1);
}

void set_wm_position_hints(Display* display, Window window, int x, int y)
{
    XSizeHints hints {};
    hints.flags = USPosition | PPosition | PWinGravity;
    hints.x = x;
    hints.y = y;
    hints.win_gravity = StaticGravity;
    XSetWMNormalHints(display, window, &hints);
}

}
