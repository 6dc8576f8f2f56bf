#include "TestWindowManager.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace {

bool g_redirect_refused = false;

int note_refusal(Display*, XErrorEvent* error)
{
    if (error->error_code == BadAccess)
        g_redirect_refused = true;
    return 0;
}

}

TestWindowManager::TestWindowManager(std::string const& display, Extents extents)
    : m_extents(extents)
{
    m_display = XOpenDisplay(display.c_str());
    if (!m_display)
        return;
    g_redirect_refused = false;
    auto previous = XSetErrorHandler(note_refusal);
    XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(m_display, False);
    XSetErrorHandler(previous);
    m_running = !g_redirect_refused;
}

TestWindowManager::~TestWindowManager()
{
    // Closing the connection gives the windows back to the root (they are in the save set)
    // and destroys the frames.
    if (m_display)
        XCloseDisplay(m_display);
}

void TestWindowManager::take_events()
{
    if (!m_display)
        return;
    XSync(m_display, False);
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        switch (event.type) {
        case MapRequest:
            manage(event.xmaprequest.window);
            break;
        case ConfigureRequest:
            configure(event.xconfigurerequest);
            break;
        case DestroyNotify:
            forget(event.xdestroywindow.window);
            break;
        case UnmapNotify:
            if (event.xunmap.event != DefaultRootWindow(m_display))
                forget(event.xunmap.window);
            break;
        default:
            break;
        }
    }
    XSync(m_display, False);
}

Window TestWindowManager::frame_of(Window client) const
{
    auto it = m_frames.find(client);
    return it == m_frames.end() ? None : it->second;
}

int TestWindowManager::gravity_of(Window client)
{
    XSizeHints hints {};
    long supplied = 0;
    if (XGetWMNormalHints(m_display, client, &hints, &supplied) && (hints.flags & PWinGravity))
        return hints.win_gravity;
    return NorthWestGravity;
}

void TestWindowManager::manage(Window client)
{
    XWindowAttributes attributes {};
    if (!XGetWindowAttributes(m_display, client, &attributes) || attributes.override_redirect)
        return;
    if (m_frames.count(client)) {
        XMapWindow(m_display, client);
        return;
    }
    bool const fixed = gravity_of(client) == StaticGravity;
    int const x = fixed ? attributes.x - m_extents.left : attributes.x;
    int const y = fixed ? attributes.y - m_extents.top : attributes.y;
    Window frame = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), x, y,
        static_cast<unsigned>(attributes.width + m_extents.left + m_extents.right),
        static_cast<unsigned>(attributes.height + m_extents.top + m_extents.bottom), 0, 0, 0x808080);
    XSelectInput(m_display, frame, SubstructureRedirectMask | SubstructureNotifyMask);
    XAddToSaveSet(m_display, client);
    XReparentWindow(m_display, client, frame, m_extents.left, m_extents.top);
    long extents[] = { m_extents.left, m_extents.right, m_extents.top, m_extents.bottom };
    XChangeProperty(m_display, client, XInternAtom(m_display, "_NET_FRAME_EXTENTS", False), XA_CARDINAL, 32,
        PropModeReplace, reinterpret_cast<unsigned char*>(extents), 4);
    m_frames[client] = frame;
    XMapWindow(m_display, frame);
    XMapWindow(m_display, client);
    notify_client(client, x + m_extents.left, y + m_extents.top, attributes.width, attributes.height);
}

void TestWindowManager::configure(XConfigureRequestEvent const& request)
{
    auto it = m_frames.find(request.window);
    if (it == m_frames.end()) {
        XWindowChanges changes { request.x, request.y, request.width, request.height, request.border_width,
            request.above, request.detail };
        XConfigureWindow(m_display, request.window, static_cast<unsigned>(request.value_mask), &changes);
        return;
    }
    Window frame = it->second;
    XWindowAttributes now {};
    XGetWindowAttributes(m_display, frame, &now);
    bool const fixed = gravity_of(request.window) == StaticGravity;
    int x = now.x;
    int y = now.y;
    if (request.value_mask & CWX)
        x = fixed ? request.x - m_extents.left : request.x;
    if (request.value_mask & CWY)
        y = fixed ? request.y - m_extents.top : request.y;
    XWindowAttributes client {};
    XGetWindowAttributes(m_display, request.window, &client);
    int const width = (request.value_mask & CWWidth) ? request.width : client.width;
    int const height = (request.value_mask & CWHeight) ? request.height : client.height;
    XMoveResizeWindow(m_display, frame, x, y, static_cast<unsigned>(width + m_extents.left + m_extents.right),
        static_cast<unsigned>(height + m_extents.top + m_extents.bottom));
    XResizeWindow(m_display, request.window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    notify_client(request.window, x + m_extents.left, y + m_extents.top, width, height);
}

void TestWindowManager::forget(Window client)
{
    auto it = m_frames.find(client);
    if (it == m_frames.end())
        return;
    XDestroyWindow(m_display, it->second);
    m_frames.erase(it);
}

void TestWindowManager::notify_client(Window client, int x, int y, int width, int height)
{
    XEvent event {};
    event.xconfigure.type = ConfigureNotify;
    event.xconfigure.event = client;
    event.xconfigure.window = client;
    event.xconfigure.x = x;
    event.xconfigure.y = y;
    event.xconfigure.width = width;
    event.xconfigure.height = height;
    XSendEvent(m_display, client, False, StructureNotifyMask, &event);
}
