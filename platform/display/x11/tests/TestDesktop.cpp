#include "TestDesktop.h"

#include "TestTrayManager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <dlfcn.h>
#include <poll.h>

namespace {

// The icon slots of the test tray manager are this many pixels a side.
constexpr int slot_middle = 12;
// Conditions that no event announces (a title set late) are looked at again this often.
constexpr int slice_ms = 50;

// Windows of the program come and go while the test looks at them: a request about a window
// that is gone fails quietly instead of ending the test process.
int ignore_errors(Display*, XErrorEvent*)
{
    return 0;
}

}

// XTest is loaded at run time: its development headers are not needed to build the tests.
// libXtst stays loaded: it hooks the closing of the connections it was used on.
struct TestDesktop::XTestCalls {
    using Motion = int (*)(Display*, int, int, int, unsigned long);
    using Button = int (*)(Display*, unsigned, int, unsigned long);
    using Key = int (*)(Display*, unsigned, int, unsigned long);
    void* library = dlopen("libXtst.so.6", RTLD_NOW);
    Motion motion = library ? reinterpret_cast<Motion>(dlsym(library, "XTestFakeMotionEvent")) : nullptr;
    Button button = library ? reinterpret_cast<Button>(dlsym(library, "XTestFakeButtonEvent")) : nullptr;
    Key key = library ? reinterpret_cast<Key>(dlsym(library, "XTestFakeKeyEvent")) : nullptr;
    bool available() const { return motion && button && key; }
};

TestDesktop::TestDesktop(std::string const& display)
    : m_user(XOpenDisplay(display.c_str()))
    , m_tray(std::make_unique<TestTrayManager>(display))
    , m_xtest(std::make_unique<XTestCalls>())
{
    XSetErrorHandler(ignore_errors);
    if (m_user) {
        // Top-level windows that appear or go wake the waits.
        XSelectInput(m_user, DefaultRootWindow(m_user), SubstructureNotifyMask);
        XSync(m_user, False);
    }
}

TestDesktop::~TestDesktop()
{
    m_tray.reset();
    if (m_user)
        XCloseDisplay(m_user);
}

bool TestDesktop::connected() const
{
    return m_user && m_tray->connection_number() >= 0;
}

bool TestDesktop::can_fake_input() const
{
    return m_xtest->available();
}

bool TestDesktop::start_tray()
{
    if (!connected() || !m_tray->start())
        return false;
    // A panel at the bottom-right corner, as desktops have it: the corner at 0,0 is where
    // windows without a position of their own appear, and they must not cover the icons.
    XWindowAttributes tray {};
    XGetWindowAttributes(m_user, m_tray->window(), &tray);
    int const screen = DefaultScreen(m_user);
    XMoveWindow(m_user, m_tray->window(), DisplayWidth(m_user, screen) - tray.width,
        DisplayHeight(m_user, screen) - tray.height);
    // Icons that dock, leave or end wake the waits.
    XSelectInput(m_user, m_tray->window(), SubstructureNotifyMask);
    XSync(m_user, False);
    return true;
}

std::vector<unsigned long> TestDesktop::docked_windows()
{
    std::vector<unsigned long> icons;
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (!m_tray->running() || !XQueryTree(m_user, m_tray->window(), &root, &parent, &children, &count))
        return icons;
    icons.assign(children, children + count);
    if (children)
        XFree(children);
    return icons;
}

int TestDesktop::docked_icons()
{
    return static_cast<int>(docked_windows().size());
}

bool TestDesktop::wait_for_docked_icons(int count, int timeout_ms)
{
    return wait_until([&] { return count == 0 ? docked_icons() == 0 : docked_icons() >= count; }, timeout_ms);
}

bool TestDesktop::click_icon(int index, int button, int clicks)
{
    auto const docked = docked_windows();
    if (!can_fake_input() || index < 0 || index >= static_cast<int>(docked.size()))
        return false;
    int x = 0;
    int y = 0;
    Window child = None;
    if (!XTranslateCoordinates(m_user, docked[static_cast<std::size_t>(index)], DefaultRootWindow(m_user), slot_middle,
            slot_middle, &x, &y, &child))
        return false;
    m_xtest->motion(m_user, -1, x, y, CurrentTime);
    for (int i = 0; i < clicks; ++i) {
        m_xtest->button(m_user, static_cast<unsigned>(button), True, CurrentTime);
        m_xtest->button(m_user, static_cast<unsigned>(button), False, CurrentTime);
    }
    XSync(m_user, False);
    return true;
}

bool TestDesktop::move_pointer(int x, int y, int steps)
{
    if (!can_fake_input() || steps < 1)
        return false;
    Window root = None;
    Window child = None;
    int from_x = 0;
    int from_y = 0;
    int ignored = 0;
    unsigned buttons = 0;
    XQueryPointer(m_user, DefaultRootWindow(m_user), &root, &child, &from_x, &from_y, &ignored, &ignored, &buttons);
    for (int i = 1; i <= steps; ++i)
        m_xtest->motion(m_user, -1, from_x + (x - from_x) * i / steps, from_y + (y - from_y) * i / steps, CurrentTime);
    XSync(m_user, False);
    return true;
}

bool TestDesktop::press_key(unsigned long window, char const* name)
{
    KeySym const keysym = XStringToKeysym(name);
    KeyCode const code = keysym == NoSymbol ? 0 : XKeysymToKeycode(m_user, keysym);
    if (!can_fake_input() || code == 0)
        return false;
    XSetInputFocus(m_user, window, RevertToPointerRoot, CurrentTime);
    m_xtest->key(m_user, code, True, CurrentTime);
    m_xtest->key(m_user, code, False, CurrentTime);
    XSync(m_user, False);
    return true;
}

long TestDesktop::screen_pixel(int x, int y)
{
    if (!m_user)
        return -1;
    XImage* image = XGetImage(m_user, DefaultRootWindow(m_user), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return -1;
    // The test server's 24-bit true colour: red, green and blue bytes from high to low.
    bool const rgb24 = image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 && image->blue_mask == 0xFF;
    long const rgb = rgb24 ? static_cast<long>(XGetPixel(image, 0, 0) & 0xFFFFFF) : -1;
    XDestroyImage(image);
    return rgb;
}

bool TestDesktop::wait_for_pixel(int x, int y, long rgb, int timeout_ms)
{
    return wait_until([&] { return screen_pixel(x, y) == rgb; }, timeout_ms);
}

std::vector<unsigned long> TestDesktop::top_level_windows()
{
    std::vector<unsigned long> shown;
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (!m_user || !XQueryTree(m_user, DefaultRootWindow(m_user), &root, &parent, &children, &count))
        return shown;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes {};
        if (XGetWindowAttributes(m_user, children[i], &attributes) && attributes.map_state == IsViewable)
            shown.push_back(children[i]);
    }
    if (children)
        XFree(children);
    return shown;
}

std::string TestDesktop::title_of(unsigned long window)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(m_user, window, XInternAtom(m_user, "_NET_WM_NAME", False), 0, 1024, False, AnyPropertyType,
        &actual, &format, &count, &after, &data);
    std::string title = data && format == 8 ? std::string(reinterpret_cast<char*>(data), count) : std::string();
    if (data)
        XFree(data);
    if (!title.empty())
        return title;
    char* name = nullptr;
    if (XFetchName(m_user, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

bool TestDesktop::window_shown(std::string const& title)
{
    auto const windows = top_level_windows();
    return std::any_of(windows.begin(), windows.end(), [&](unsigned long w) { return title_of(w) == title; });
}

bool TestDesktop::wait_for_window(std::string const& title, int timeout_ms)
{
    return wait_until([&] { return window_shown(title); }, timeout_ms);
}

bool TestDesktop::wait_until_no_window(std::string const& title, int timeout_ms)
{
    return wait_until([&] { return !window_shown(title); }, timeout_ms);
}

std::vector<unsigned long> TestDesktop::wait_for_new_windows(std::vector<unsigned long> const& before, int timeout_ms)
{
    std::vector<unsigned long> fresh;
    wait_until(
        [&] {
            fresh.clear();
            for (unsigned long w : top_level_windows())
                if (std::find(before.begin(), before.end(), w) == before.end())
                    fresh.push_back(w);
            return !fresh.empty();
        },
        timeout_ms);
    return fresh;
}

void TestDesktop::take_events(int wait_ms)
{
    pollfd fds[2] = { { ConnectionNumber(m_user), POLLIN, 0 }, { m_tray->connection_number(), POLLIN, 0 } };
    int const watched = m_tray->connection_number() >= 0 ? 2 : 1;
    if (XPending(m_user) == 0)
        ::poll(fds, static_cast<nfds_t>(watched), wait_ms);
    while (XPending(m_user) > 0) {
        XEvent event;
        XNextEvent(m_user, &event);
    }
    if (m_tray->running())
        m_tray->handle_requests();
}

template<typename Condition>
bool TestDesktop::wait_until(Condition condition, int timeout_ms)
{
    if (!connected())
        return false;
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        take_events(0);
        if (condition())
            return true;
        auto const left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        take_events(static_cast<int>(std::min<long long>(left.count(), slice_ms)));
    }
}

