#include "TestTrayManager.h"

#include <cstdio>

namespace {

constexpr int slot_side = 24;
constexpr unsigned long manager_background = TestTrayManager::background;

}

TestTrayManager::TestTrayManager(std::string const& display)
{
    m_display = XOpenDisplay(display.c_str());
    if (!m_display)
        return;
    char name[64];
    std::snprintf(name, sizeof(name), "_NET_SYSTEM_TRAY_S%d", DefaultScreen(m_display));
    m_selection = XInternAtom(m_display, name, False);
    m_opcode = XInternAtom(m_display, "_NET_SYSTEM_TRAY_OPCODE", False);
}

TestTrayManager::~TestTrayManager()
{
    if (!m_display)
        return;
    stop();
    XCloseDisplay(m_display);
}

bool TestTrayManager::start()
{
    if (!m_display || m_window != None)
        return false;
    XSetWindowAttributes attributes {};
    attributes.background_pixel = manager_background;
    attributes.override_redirect = True;
    m_window = XCreateWindow(m_display, DefaultRootWindow(m_display), 0, 0, 8 * slot_side, slot_side, 0,
        CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &attributes);
    XMapWindow(m_display, m_window);
    XSetSelectionOwner(m_display, m_selection, m_window, CurrentTime);
    if (XGetSelectionOwner(m_display, m_selection) != m_window) {
        stop();
        return false;
    }
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = DefaultRootWindow(m_display);
    event.xclient.message_type = XInternAtom(m_display, "MANAGER", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = static_cast<long>(m_selection);
    event.xclient.data.l[2] = static_cast<long>(m_window);
    XSendEvent(m_display, DefaultRootWindow(m_display), False, StructureNotifyMask, &event);
    XSync(m_display, False);
    return true;
}

void TestTrayManager::stop()
{
    if (m_window == None)
        return;
    XDestroyWindow(m_display, m_window);
    XSync(m_display, False);
    m_window = None;
    m_docked.clear();
}

std::vector<Window> TestTrayManager::handle_requests()
{
    std::vector<Window> docked_now;
    XSync(m_display, False);
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type != ClientMessage || event.xclient.message_type != m_opcode || event.xclient.data.l[1] != 0)
            continue;
        auto icon = static_cast<Window>(event.xclient.data.l[2]);
        int x = static_cast<int>(m_docked.size()) * slot_side;
        XReparentWindow(m_display, icon, m_window, x, 0);
        XResizeWindow(m_display, icon, slot_side, slot_side);
        XMapWindow(m_display, icon);
        m_docked.push_back(icon);
        docked_now.push_back(icon);
    }
    XSync(m_display, False);
    return docked_now;
}
