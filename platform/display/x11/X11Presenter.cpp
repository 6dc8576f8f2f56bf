// The X11 presenter's user-interface side: it follows top-level windows, describes each shown
// one as an XWindowSpec, keeps its backing pixels up to date, and queues work for the X
// thread. Also the factory, which connects and reads the screen.
#include "platform/display/x11/X11Presenter.h"

#include "platform/display/IconImage.h"
#include "platform/display/SurfaceSource.h"
#include "platform/display/TraySource.h"
#include "platform/display/x11/WmIcon.h"
#include "platform/display/x11/X11Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SysPaint.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <condition_variable>
#include <cstdio>
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

// Windows vanish under us in normal running (a tray manager that dies takes the icons it
// embedded), so a request on a window that is gone must not end the program, as Xlib's
// default handler would. Other errors are reported and ignored too: a desktop program
// should not die of a drawing request the server refused.
int tolerate_errors(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable)
        return 0;
    char text[128] {};
    XGetErrorText(display, error->error_code, text, sizeof(text));
    std::fprintf(stderr, "display: X error %s (request %d)\n", text, error->request_code);
    return 0;
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
    XSetErrorHandler(tolerate_errors);
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
    // Asked before the X thread starts, while this thread may still use the connection.
    m_shm = shm_usable(m_display);
    m_tray = std::make_unique<X11Tray>(m_display,
        [this](TrayIconView const& icon, UINT message, POINT screen) { deliver_tray_click(icon, message, screen); });
    if (::pipe(m_wake) != 0)
        m_wake[0] = m_wake[1] = -1;
    m_thread = std::thread([this] { run(); });
    user::set_before_block_hook([this] { send_held_damage(); });
    for (HWND hwnd : user::top_level_windows())
        show(hwnd);
    tray_changed();
}

X11Display::~X11Display()
{
    user::set_before_block_hook(nullptr);
    m_quit = true;
    command([] { });
    m_thread.join();
    m_tray.reset();
    for (auto& [hwnd, win] : m_windows) {
        if (win.input_context)
            XDestroyIC(win.input_context);
        XDestroyWindow(m_display, win.id);
    }
    if (m_input_method)
        XCloseIM(m_input_method);
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
            if (!filtered_by_input_method(event))
                handle_event(event);
        }
    });
}

TrayPlacement X11Display::tray_placement(HWND owner, UINT id)
{
    TrayPlacement placement {};
    run_on_x_thread([&](Display*) { placement = m_tray->placement_of(owner, id); });
    return placement;
}

unsigned long X11Display::tray_window(HWND owner, UINT id)
{
    unsigned long window = 0;
    run_on_x_thread([&](Display*) { window = m_tray->window_of(owner, id); });
    return window;
}

unsigned long X11Display::tray_manager()
{
    unsigned long window = 0;
    run_on_x_thread([&](Display*) { window = m_tray->manager(); });
    return window;
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
    auto backing = std::make_shared<Backing>(m_shm);
    m_shown.emplace(hwnd, backing);
    refresh_backing(hwnd);
    command([this, spec = spec_of(hwnd), backing] { create_x_window(spec, backing); });
    refresh_icon(hwnd);
}

void X11Display::refresh_icon(HWND hwnd)
{
    // WM_SETICON's icons first, the class's otherwise; only a change is sent.
    auto icon_of = [hwnd](WPARAM which, int class_index) {
        auto icon = reinterpret_cast<HICON>(SendMessage(hwnd, WM_GETICON, which, 0));
        return icon ? icon : reinterpret_cast<HICON>(GetClassLongPtr(hwnd, class_index));
    };
    IconPair icons { icon_of(ICON_BIG, GCLP_HICON), icon_of(ICON_SMALL, GCLP_HICONSM) };
    auto [it, added] = m_icons.try_emplace(hwnd, IconPair {});
    if (!added && it->second == icons)
        return;
    it->second = icons;
    std::vector<ArgbImage> images;
    for (HICON icon : { icons.first, icons.second }) {
        if (icon)
            images.push_back(icon_image(icon));
    }
    command([this, hwnd, images = std::move(images)] {
        auto win = m_windows.find(hwnd);
        if (win != m_windows.end())
            set_wm_icon(m_display, win->second.id, images);
    });
}

void X11Display::hide(HWND hwnd)
{
    m_icons.erase(hwnd);
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
    // The X thread hears of it when this thread next blocks, so the paints of one turn (four
    // animated bars, a page of controls) reach the server in one go; a thread that keeps
    // painting without blocking still hands them over every kHoldMs.
    auto const now = std::chrono::steady_clock::now();
    if (!m_damage_held) {
        m_damage_held = true;
        m_held_since = now;
    } else if (now - m_held_since >= kHoldMs) {
        send_held_damage();
    }
}

void X11Display::send_held_damage()
{
    if (!m_damage_held)
        return;
    m_damage_held = false;
    command([] { });
}

void X11Display::tray_changed()
{
    // The images are read here: drawing objects belong to the user-interface thread.
    if (!user::on_ui_thread()) {
        m_marshal.post([this] { tray_changed(); });
        return;
    }
    std::vector<TrayIconView> views;
    for (TrayIcon const& icon : presenter_tray_icons())
        views.push_back(TrayIconView { icon.owner, icon.id, icon.callback_message, icon.tip, icon_image(icon.icon) });
    COLORREF face = GetSysColor(COLOR_3DFACE);
    std::uint32_t background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    command([this, views = std::move(views), background]() mutable { m_tray->set_icons(std::move(views), background); });
}

// The icon's owner hears moves and presses as the taskbar tells them; the presenter shows the
// icon's tip itself, and ends it when the pointer leaves or presses.
void X11Display::deliver_tray_click(TrayIconView const& icon, UINT mouse_message, POINT screen)
{
    // The owner opens its menu where the pointer is, so the pointer is placed first.
    TrayIcon target { icon.owner, icon.id, icon.callback_message, nullptr, icon.tip };
    m_marshal.post([this, target, mouse_message, screen] {
        if (mouse_message == WM_MOUSELEAVE) {
            m_tray_tip.leave();
            return;
        }
        user::set_cursor_position(screen);
        if (mouse_message == WM_MOUSEMOVE)
            m_tray_tip.hover(target.tip, screen);
        else
            m_tray_tip.leave();
        deliver_tray_mouse(target, mouse_message);
    });
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

// A pop-up (a menu, a drop-down list) that takes the capture gets the pointer grabbed for it,
// as the platform the programs were written for gives a tracked menu every click on the
// screen: a click on another program's window then closes the menu instead of going there.
// Other windows need no grab; a pressed button grabs the pointer by itself.
void X11Display::capture_changed(HWND hwnd)
{
    HWND top = hwnd ? user::top_level_of(hwnd) : nullptr;
    if (top && !(m_shown.count(top) && spec_of(top).kind == XWindowKind::OverrideRedirect))
        top = nullptr;
    command([this, top] { grab_pointer(top); });
}

void X11Display::window_text_changed(HWND hwnd)
{
    if (!m_shown.count(hwnd))
        return;
    // WM_SETICON reports here too.
    refresh_icon(hwnd);
    char title[512] {};
    GetWindowText(hwnd, title, sizeof(title));
    command([this, hwnd, text = std::string(title)] {
        auto it = m_windows.find(hwnd);
        if (it != m_windows.end())
            set_title(it->second.id, text);
    });
}

}
