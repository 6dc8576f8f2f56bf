// The X11 presenter's X thread: it owns the connection, makes and moves the X windows, blits
// damaged areas, and turns X events into input (the input module) or window calls (queued
// on the user-interface thread). It blocks in one poll() on the X connection and the wake-up
// pipe, and wakes for nothing else.
#include "platform/display/x11/X11Display.h"

#include "platform/display/x11/KeyMap.h"
#include "platform/display/x11/PutPixels.h"
#include "platform/display/x11/WmIdentity.h"
#include "platform/user/InputDriver.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <poll.h>
#include <unistd.h>

namespace platform::display::x11 {

namespace {

constexpr long event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask
    | EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask | FocusChangeMask | StructureNotifyMask;

int width_of(RECT const& r) { return r.right - r.left; }
int height_of(RECT const& r) { return r.bottom - r.top; }

}

void Atoms::intern(Display* display)
{
    char const* names[] = { "WM_PROTOCOLS", "WM_DELETE_WINDOW", "_NET_WM_NAME", "UTF8_STRING", "_NET_WM_ICON",
        "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_DIALOG",
        "_NET_WM_WINDOW_TYPE_UTILITY", "_NET_WM_WINDOW_TYPE_POPUP_MENU", "_NET_WM_STATE",
        "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_ABOVE", "_NET_WORKAREA" };
    Atom* slots[] = { &wm_protocols, &wm_delete_window, &net_wm_name, &utf8_string, &net_wm_icon,
        &net_wm_window_type, &net_wm_window_type_normal, &net_wm_window_type_dialog, &net_wm_window_type_utility,
        &net_wm_window_type_popup_menu, &net_wm_state, &net_wm_state_skip_taskbar, &net_wm_state_above,
        &net_workarea };
    static_assert(std::size(names) == std::size(slots));
    Atom atoms[std::size(names)] {};
    XInternAtoms(display, const_cast<char**>(names), static_cast<int>(std::size(names)), False, atoms);
    for (std::size_t i = 0; i < std::size(names); ++i)
        *slots[i] = atoms[i];
}

void X11Display::run()
{
    int x_fd = ConnectionNumber(m_display);
    m_tray->start();
    for (;;) {
        run_commands();
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            if (!filtered_by_input_method(event))
                handle_event(event);
        }
        XFlush(m_display);
        if (m_quit)
            return;
        pollfd fds[2] = { { x_fd, POLLIN, 0 }, { m_wake[0], POLLIN, 0 } };
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (fds[1].revents & POLLIN) {
            char bytes[64];
            [[maybe_unused]] auto n = ::read(m_wake[0], bytes, sizeof(bytes));
        }
        if (fds[0].revents & (POLLHUP | POLLERR))
            return;
    }
}

void X11Display::run_commands()
{
    for (;;) {
        std::deque<std::function<void()>> commands;
        std::set<HWND> dirty;
        {
            std::lock_guard lock(m_mutex);
            commands.swap(m_commands);
            dirty.swap(m_dirty);
        }
        if (commands.empty() && dirty.empty())
            return;
        for (auto& call : commands)
            call();
        for (HWND hwnd : dirty)
            flush(hwnd);
    }
}

void X11Display::flush_dirty()
{
    std::set<HWND> dirty;
    {
        std::lock_guard lock(m_mutex);
        dirty.swap(m_dirty);
    }
    for (HWND hwnd : dirty)
        flush(hwnd);
}

X11Display::XWin* X11Display::find(Window id)
{
    auto it = m_by_id.find(id);
    if (it == m_by_id.end())
        return nullptr;
    auto win = m_windows.find(it->second);
    return win == m_windows.end() ? nullptr : &win->second;
}

void X11Display::create_x_window(XWindowSpec const& spec, std::shared_ptr<Backing> backing)
{
    if (m_windows.count(spec.hwnd))
        return;
    XSetWindowAttributes attributes {};
    attributes.event_mask = event_mask;
    attributes.override_redirect = spec.kind == XWindowKind::OverrideRedirect;
    attributes.background_pixmap = None;
    Window id = XCreateWindow(m_display, DefaultRootWindow(m_display), spec.screen.x, spec.screen.y,
        static_cast<unsigned>(std::max(1, width_of(spec.shown))),
        static_cast<unsigned>(std::max(1, height_of(spec.shown))), 0, CopyFromParent, InputOutput,
        CopyFromParent, CWEventMask | CWOverrideRedirect | CWBackPixmap, &attributes);
    m_windows[spec.hwnd] = XWin { id, spec, std::move(backing), nullptr };
    m_by_id[id] = spec.hwnd;

    set_wm_position_hints(m_display, id, spec.screen.x, spec.screen.y);
    set_wm_identity(m_display, id, m_identity);
    Atom protocols[] = { m_atoms.wm_delete_window };
    XSetWMProtocols(m_display, id, protocols, 1);
    Atom type = m_atoms.net_wm_window_type_normal;
    std::vector<Atom> states;
    switch (spec.kind) {
    case XWindowKind::Normal:
        break;
    case XWindowKind::Dialog:
        type = m_atoms.net_wm_window_type_dialog;
        break;
    case XWindowKind::Utility:
        type = m_atoms.net_wm_window_type_utility;
        states.push_back(m_atoms.net_wm_state_skip_taskbar);
        break;
    case XWindowKind::OverrideRedirect:
        type = m_atoms.net_wm_window_type_popup_menu;
        break;
    }
    if (spec.topmost)
        states.push_back(m_atoms.net_wm_state_above);
    XChangeProperty(m_display, id, m_atoms.net_wm_window_type, XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&type), 1);
    if (!states.empty())
        XChangeProperty(m_display, id, m_atoms.net_wm_state, XA_ATOM, 32, PropModeReplace,
            reinterpret_cast<unsigned char*>(states.data()), static_cast<int>(states.size()));
    if (spec.owner) {
        auto owner = m_windows.find(spec.owner);
        if (owner != m_windows.end())
            XSetTransientForHint(m_display, id, owner->second.id);
    }
    set_title(id, spec.title);
    XMapRaised(m_display, id);
}

void X11Display::grab_pointer(HWND top)
{
    auto it = top ? m_windows.find(top) : m_windows.end();
    if (it == m_windows.end()) {
        if (m_grab)
            XUngrabPointer(m_display, CurrentTime);
        m_grab = nullptr;
        return;
    }
    // Events over the program's own windows still go to them (owner_events); the rest come
    // to the pop-up, with their root coordinates.
    unsigned const mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    if (XGrabPointer(m_display, it->second.id, True, mask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime)
        == GrabSuccess)
        m_grab = top;
}

void X11Display::destroy_x_window(HWND hwnd)
{
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end())
        return;
    if (m_grab == hwnd) {
        XUngrabPointer(m_display, CurrentTime);
        m_grab = nullptr;
    }
    m_by_id.erase(it->second.id);
    it->second.shm.detach(m_display);
    if (it->second.input_context)
        XDestroyIC(it->second.input_context);
    XDestroyWindow(m_display, it->second.id);
    m_windows.erase(it);
}

void X11Display::configure_x_window(XWindowSpec const& spec)
{
    auto it = m_windows.find(spec.hwnd);
    if (it == m_windows.end())
        return;
    XWindowSpec& known = it->second.spec;
    bool same = known.screen.x == spec.screen.x && known.screen.y == spec.screen.y
        && width_of(known.shown) == width_of(spec.shown) && height_of(known.shown) == height_of(spec.shown);
    known = spec;
    if (!same)
        XMoveResizeWindow(m_display, it->second.id, spec.screen.x, spec.screen.y,
            static_cast<unsigned>(std::max(1, width_of(spec.shown))),
            static_cast<unsigned>(std::max(1, height_of(spec.shown))));
}

void X11Display::set_title(Window id, std::string const& title)
{
    XChangeProperty(m_display, id, m_atoms.net_wm_name, m_atoms.utf8_string, 8, PropModeReplace,
        reinterpret_cast<unsigned char const*>(title.data()), static_cast<int>(title.size()));
    XStoreName(m_display, id, title.c_str());
}

void X11Display::blit(XWin& win, std::shared_ptr<PixelMemory> const& pixels, int stride, RECT const& area)
{
    // `area` is in surface coordinates; only the shown part reaches the X window.
    RECT visible {};
    if (!IntersectRect(&visible, &area, &win.spec.shown))
        return;
    int const x = visible.left - win.spec.shown.left;
    int const y = visible.top - win.spec.shown.top;
    if (!win.shm.put(m_display, win.id, m_gc, pixels, stride, visible, x, y))
        put_pixels(m_display, win.id, m_gc, pixels->data(), stride, visible, x, y);
}

void X11Display::flush(HWND hwnd)
{
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end())
        return;
    XWin& win = it->second;
    win.backing->flush(
        [&](std::shared_ptr<PixelMemory> const& pixels, int stride, RECT const& area) { blit(win, pixels, stride, area); });
}

}
