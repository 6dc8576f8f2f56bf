// The X11 presenter's user-interface side: it follows top-level windows, describes each shown
// one as an XWindowSpec, keeps its backing pixels up to date, and queues work for the X
// thread. Also the factory, which connects and reads the screen.
#include "platform/display/x11/X11Presenter.h"

#include "platform/display/SurfaceSource.h"
#include "platform/display/x11/X11Display.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <condition_variable>
#include <mutex>
#include <unistd.h>

namespace platform::display {

namespace {

// Reads _NET_WORKAREA of the first desktop; false when the window manager sets none.
bool read_work_area(Display* display, RECT& out)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Atom atom = XInternAtom(display, "_NET_WORKAREA", False);
    if (XGetWindowProperty(display, DefaultRootWindow(display), atom, 0, 4, False, XA_CARDINAL, &type, &format,
            &count, &after, &data) != Success)
        return false;
    bool ok = data && format == 32 && count >= 4;
    if (ok) {
        auto* values = reinterpret_cast<long*>(data);
        out = RECT { static_cast<LONG>(values[0]), static_cast<LONG>(values[1]),
            static_cast<LONG>(values[0] + values[2]), static_cast<LONG>(values[1] + values[3]) };
    }
    if (data)
        XFree(data);
    return ok;
}

// The presenter blits 0x00RRGGBB pixels as they are: the screen must be a true-colour
// visual with that layout, which every current X server offers.
bool visual_fits(Display* display)
{
    Visual* visual = DefaultVisual(display, DefaultScreen(display));
    int depth = DefaultDepth(display, DefaultScreen(display));
    return (depth == 24 || depth == 32) && visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00
        && visual->blue_mask == 0xFF;
}

}

std::unique_ptr<Presenter> make_x11_presenter(std::string const& display_name, std::string& error)
{
    Display* display = XOpenDisplay(display_name.empty() ? nullptr : display_name.c_str());
    if (!display) {
        error = "cannot open display \"" + display_name + "\"";
        return nullptr;
    }
    if (!visual_fits(display)) {
        error = "the screen is not a 24-bit true-colour screen";
        XCloseDisplay(display);
        return nullptr;
    }
    int screen = DefaultScreen(display);
    user::set_desktop_size(DisplayWidth(display, screen), DisplayHeight(display, screen));
    RECT work {};
    if (read_work_area(display, work))
        user::set_work_area(work);
    return std::make_unique<x11::X11Display>(display);
}

}

namespace platform::display::x11 {

X11Display::X11Display(Display* display)
    : m_display(display)
{
    m_atoms.intern(m_display);
    m_gc = XCreateGC(m_display, DefaultRootWindow(m_display), 0, nullptr);
    if (::pipe(m_wake) != 0)
        m_wake[0] = m_wake[1] = -1;
    m_thread = std::thread([this] { run(); });
    for (HWND hwnd : user::top_level_windows())
        show(hwnd);
}

X11Display::~X11Display()
{
    m_quit = true;
    command([] { });
    m_thread.join();
    for (auto& [hwnd, win] : m_windows)
        XDestroyWindow(m_display, win.id);
    XFreeGC(m_display, m_gc);
    XCloseDisplay(m_display);
    for (int fd : m_wake) {
        if (fd >= 0)
            ::close(fd);
    }
}

void X11Display::command(std::function<void()> call)
{
    {
        std::lock_guard lock(m_mutex);
        m_commands.push_back(std::move(call));
    }
    char byte = 'c';
    [[maybe_unused]] auto n = ::write(m_wake[1], &byte, 1);
}

void X11Display::run_on_x_thread(std::function<void(Display*)> call)
{
    std::mutex done_mutex;
    std::condition_variable done_signal;
    bool done = false;
    command([&] {
        flush_dirty();
        call(m_display);
        std::lock_guard lock(done_mutex);
        done = true;
        done_signal.notify_one();
    });
    std::unique_lock lock(done_mutex);
    done_signal.wait(lock, [&] { return done; });
}

void X11Display::sync_with_server()
{
    run_on_x_thread([this](Display* display) {
        XSync(display, False);
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            handle_event(event);
        }
    });
}

unsigned long X11Display::x_window_of(HWND hwnd)
{
    unsigned long id = 0;
    run_on_x_thread([&](Display*) {
        auto it = m_windows.find(hwnd);
        id = it == m_windows.end() ? 0 : it->second.id;
    });
    return id;
}

XWindowSpec X11Display::spec_of(HWND hwnd)
{
    XWindowSpec spec;
    spec.hwnd = hwnd;
    spec.owner = GetWindow(hwnd, GW_OWNER);
    auto style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    auto ex_style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE));
    bool caption = (style & WS_CAPTION) == WS_CAPTION;
    if (!caption && (style & WS_POPUP))
        spec.kind = XWindowKind::OverrideRedirect;
    else if (ex_style & WS_EX_TOOLWINDOW)
        spec.kind = XWindowKind::Utility;
    else if (spec.owner)
        spec.kind = XWindowKind::Dialog;
    else
        spec.kind = XWindowKind::Normal;
    spec.topmost = (ex_style & WS_EX_TOPMOST) != 0;
    char title[512] {};
    GetWindowText(hwnd, title, sizeof(title));
    spec.title = title;
    RECT window {};
    GetWindowRect(hwnd, &window);
    // A window with a caption shows its client area inside the window manager's frame; any
    // other window shows its whole surface.
    if (caption) {
        RECT client {};
        GetClientRect(hwnd, &client);
        POINT origin = user::client_origin_in_top_level(hwnd);
        spec.shown = RECT { origin.x, origin.y, origin.x + client.right, origin.y + client.bottom };
    } else {
        spec.shown = RECT { 0, 0, window.right - window.left, window.bottom - window.top };
    }
    spec.screen = POINT { window.left + spec.shown.left, window.top + spec.shown.top };
    return spec;
}

void X11Display::refresh_backing(HWND hwnd)
{
    auto it = m_shown.find(hwnd);
    if (it == m_shown.end())
        return;
    auto source = surface_source();
    SIZE size = source ? source->size(hwnd) : SIZE {};
    it->second->update(hwnd, RECT { 0, 0, size.cx, size.cy }, size);
    std::lock_guard lock(m_mutex);
    m_dirty.insert(hwnd);
}

void X11Display::show(HWND hwnd)
{
    if (m_shown.count(hwnd) || !IsWindowVisible(hwnd) || is_marshal_window(hwnd))
        return;
    auto backing = std::make_shared<Backing>();
    m_shown.emplace(hwnd, backing);
    refresh_backing(hwnd);
    command([this, spec = spec_of(hwnd), backing] { create_x_window(spec, backing); });
}

void X11Display::hide(HWND hwnd)
{
    if (m_shown.erase(hwnd))
        command([this, hwnd] { destroy_x_window(hwnd); });
}

void X11Display::damaged(HWND top, RECT const& area)
{
    auto it = m_shown.find(top);
    if (it == m_shown.end())
        return;
    auto source = surface_source();
    it->second->update(top, area, source ? source->size(top) : SIZE {});
    {
        std::lock_guard lock(m_mutex);
        m_dirty.insert(top);
    }
    command([] { });
}

void X11Display::tray_changed()
{
    // FIXME: the system tray (XEmbed docking and the fallback window) is not shown yet.
}

void X11Display::window_created(HWND hwnd)
{
    show(hwnd);
}

void X11Display::window_destroyed(HWND hwnd)
{
    hide(hwnd);
}

void X11Display::window_moved(HWND hwnd)
{
    if (!m_shown.count(hwnd))
        return;
    refresh_backing(hwnd);
    command([this, spec = spec_of(hwnd)] { configure_x_window(spec); });
}

void X11Display::window_shown(HWND hwnd, bool visible)
{
    if (visible)
        show(hwnd);
    else
        hide(hwnd);
}

void X11Display::window_text_changed(HWND hwnd)
{
    if (!m_shown.count(hwnd))
        return;
    char title[512] {};
    GetWindowText(hwnd, title, sizeof(title));
    command([this, hwnd, text = std::string(title)] {
        auto it = m_windows.find(hwnd);
        if (it != m_windows.end())
            set_title(it->second.id, text);
    });
}

}
