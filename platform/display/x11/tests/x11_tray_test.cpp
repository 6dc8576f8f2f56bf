// The tray, window icons and typed text against a private Xvfb. A test tray manager plays the
// desktop's tray; the test process is also the program and the user. Nothing waits in real
// time: each side handles what the server has for it after a round trip.
// gtest goes before the X11 headers, whose None and Bool macros it would trip over.
#include "platform/display/tests/DisplayFixture.h"
#include "platform/display/tests/TestIcons.h"

#include "TestTrayManager.h"
#include "XvfbServer.h"

#include "platform/display/x11/X11Display.h"
#include "platform/display/x11/X11Presenter.h"
#include "platform/display/x11/KeyMap.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/InputDriver.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <dlfcn.h>

using namespace platform::display;
using display_test::DisplayTest;

namespace {

constexpr UINT tray_callback = WM_USER + 100;
constexpr UINT icon_id = 222;

struct Received {
    std::vector<LPARAM> tray; // the mouse messages of tray callbacks
    std::string chars;
};
Received g_received;

LRESULT owner_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == tray_callback && wparam == icon_id)
        g_received.tray.push_back(lparam);
    if (message == WM_CHAR)
        g_received.chars += static_cast<char>(wparam);
    return DefWindowProc(hwnd, message, wparam, lparam);
}

class X11TrayTest : public XvfbSuite<DisplayTest> {
protected:
    void SetUp() override
    {
        XVFB_SKIP_WITHOUT_SERVER();
        DisplayTest::SetUp();
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc {};
            wc.lpszClassName = "X11TrayOwner";
            wc.lpfnWndProc = owner_proc;
            registered = RegisterClass(&wc) != 0;
        }
        g_received = {};
        platform::user::input::reset();
        user = XOpenDisplay(server->display().c_str());
        ASSERT_NE(user, nullptr);
        manager = std::make_unique<TestTrayManager>(server->display());
        owner = CreateWindowEx(0, "X11TrayOwner", "hidden owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
            nullptr);
    }

    void TearDown() override
    {
        if (!server->available())
            return;
        DisplayTest::TearDown(); // the presenter goes first: its icons leave the tray
        manager.reset();
        for (HICON icon : icons)
            DestroyIcon(icon);
        if (user)
            XCloseDisplay(user);
    }

    void start_presenter()
    {
        std::string error;
        auto made = make_x11_presenter(server->display(), error);
        ASSERT_TRUE(made) << error;
        presenter = static_cast<x11::X11Display*>(made.get());
        install_presenter(std::move(made));
    }

    void show_icon(std::uint32_t colour, std::string tip)
    {
        icons.push_back(display_test::make_icon(colour));
        tray->set({ TrayIcon { owner, icon_id, tray_callback, icons.back(), std::move(tip) } });
        report_tray_changed();
    }

    void settle()
    {
        XSync(user, False);
        for (int round = 0; round < 3; ++round) {
            platform::testing::pump_until_idle();
            presenter->sync_with_server();
        }
        platform::testing::pump_until_idle();
    }

    // Settles, lets the manager dock what asked, and settles again (the icon is drawn).
    std::vector<Window> settle_with_manager()
    {
        settle();
        auto docked = manager->handle_requests();
        settle();
        return docked;
    }

    Window icon_window() { return presenter->tray_window(owner, icon_id); }

    std::uint32_t pixel(Window window, int x, int y)
    {
        XImage* image = XGetImage(user, window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0xFFFFFFFFu;
        auto value = static_cast<std::uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
        XDestroyImage(image);
        return value;
    }

    Window parent_of(Window window)
    {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(user, window, &root, &parent, &children, &count))
            return None;
        if (children)
            XFree(children);
        return parent;
    }

    std::vector<unsigned long> property(Window window, char const* name, Atom type)
    {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(user, window, XInternAtom(user, name, False), 0, 4096, False, type, &actual, &format,
            &count, &after, &data);
        std::vector<unsigned long> values;
        // Xlib hands 32-bit values over as longs, sign-extended.
        for (unsigned long i = 0; data && format == 32 && i < count; ++i)
            values.push_back(reinterpret_cast<unsigned long*>(data)[i] & 0xFFFFFFFFul);
        if (data)
            XFree(data);
        return values;
    }

    std::string name_of(Window window)
    {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(user, window, XInternAtom(user, "_NET_WM_NAME", False), 0, 1024, False, AnyPropertyType,
            &actual, &format, &count, &after, &data);
        std::string text = data ? std::string(reinterpret_cast<char*>(data), count) : std::string();
        if (data)
            XFree(data);
        return text;
    }

    bool viewable(Window window)
    {
        XWindowAttributes attributes {};
        return XGetWindowAttributes(user, window, &attributes) && attributes.map_state == IsViewable;
    }

    void send_button(Window window, unsigned button, bool press, Time time)
    {
        XEvent event {};
        event.xbutton.type = press ? ButtonPress : ButtonRelease;
        event.xbutton.window = window;
        event.xbutton.root = DefaultRootWindow(user);
        event.xbutton.button = button;
        event.xbutton.time = time;
        event.xbutton.x = event.xbutton.y = 8;
        event.xbutton.x_root = 50;
        event.xbutton.y_root = 12;
        event.xbutton.same_screen = True;
        XSendEvent(user, window, False, press ? ButtonPressMask : ButtonReleaseMask, &event);
    }

    // The pointer crossing into (or out of) `window` at 50,12 of the root, or moving there.
    void send_pointer(Window window, int type)
    {
        XEvent event {};
        event.type = type;
        event.xany.window = window;
        if (type == MotionNotify) {
            event.xmotion.root = DefaultRootWindow(user);
            event.xmotion.x_root = 50;
            event.xmotion.y_root = 12;
            event.xmotion.same_screen = True;
        } else {
            event.xcrossing.root = DefaultRootWindow(user);
            event.xcrossing.x_root = 50;
            event.xcrossing.y_root = 12;
            event.xcrossing.same_screen = True;
        }
        long const mask = type == MotionNotify ? PointerMotionMask : type == EnterNotify ? EnterWindowMask : LeaveWindowMask;
        XSendEvent(user, window, False, mask, &event);
    }

    // The visible tool tip windows of the process.
    static std::vector<HWND> shown_tips()
    {
        std::vector<HWND> tips;
        for (HWND hwnd = FindWindowEx(nullptr, nullptr, "tooltips_class32", nullptr); hwnd;
             hwnd = FindWindowEx(nullptr, hwnd, "tooltips_class32", nullptr)) {
            if (IsWindowVisible(hwnd))
                tips.push_back(hwnd);
        }
        return tips;
    }

    static std::uint32_t face()
    {
        COLORREF c = GetSysColor(COLOR_3DFACE);
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }

    x11::X11Display* presenter = nullptr;
    Display* user = nullptr;
    std::unique_ptr<TestTrayManager> manager;
    HWND owner {};
    std::vector<HICON> icons;
};

}

TEST_F(X11TrayTest, IconDocksWithTheManagerAndFollowsImageAndTip)
{
    ASSERT_TRUE(manager->start());
    start_presenter();
    show_icon(0x00CC2211, "Link is up");
    auto docked = settle_with_manager();

    ASSERT_EQ(docked.size(), 1u);
    EXPECT_EQ(presenter->tray_manager(), manager->window());
    EXPECT_EQ(presenter->tray_placement(owner, icon_id), x11::TrayPlacement::Docked);
    Window window = icon_window();
    EXPECT_EQ(docked[0], window);
    EXPECT_EQ(parent_of(window), manager->window());
    EXPECT_TRUE(viewable(window));
    auto xembed = property(window, "_XEMBED_INFO", XInternAtom(user, "_XEMBED_INFO", False));
    ASSERT_EQ(xembed.size(), 2u);
    EXPECT_EQ(xembed[1], 1u); // mapped once embedded
    EXPECT_EQ(name_of(window), "Link is up");
    // The manager made the slot 24 x 24: the 16 x 16 image sits in its middle, its
    // transparent rows and the slot around it on the tray's own background.
    EXPECT_EQ(pixel(window, 12, 16), 0xCC2211u);
    EXPECT_EQ(pixel(window, 12, 5), TestTrayManager::background);
    EXPECT_EQ(pixel(window, 1, 1), TestTrayManager::background);

    show_icon(0x001144EE, "Weak signal");
    settle_with_manager();
    EXPECT_EQ(icon_window(), window);
    EXPECT_EQ(pixel(window, 12, 16), 0x1144EEu);
    EXPECT_EQ(name_of(window), "Weak signal");

    tray->set({});
    report_tray_changed();
    settle();
    EXPECT_EQ(presenter->tray_placement(owner, icon_id), x11::TrayPlacement::Absent);
    EXPECT_EQ(parent_of(window), None); // destroyed
}

TEST_F(X11TrayTest, DoubleClickAndRightPressReachTheOwnersCallback)
{
    ASSERT_TRUE(manager->start());
    start_presenter();
    show_icon(0x00CC2211, "Link is up");
    settle_with_manager();
    Window window = icon_window();
    ASSERT_NE(window, None);

    send_button(window, Button1, true, 1000);
    send_button(window, Button1, false, 1040);
    send_button(window, Button1, true, 1200);
    send_button(window, Button1, false, 1240);
    send_button(window, Button3, true, 5000);
    settle();
    std::vector<LPARAM> expected { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONDOWN };
    EXPECT_EQ(g_received.tray, expected);
    // The owner opens its menu at the pointer.
    POINT cursor {};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 50);
    EXPECT_EQ(cursor.y, 12);
}

// The pointer resting on a docked icon shows the icon's tip after the tool tips' initial delay,
// 20 pixels below the pointer, as a window of its own on the server; leaving the icon ends it.
// The owner hears the moves, as the taskbar tells them.
TEST_F(X11TrayTest, PointerRestingOnTheIconShowsItsTipUntilItLeaves)
{
    ASSERT_TRUE(manager->start());
    start_presenter();
    show_icon(0x00CC2211, "Link is up");
    settle_with_manager();
    Window const window = icon_window();
    ASSERT_NE(window, None);

    send_pointer(window, EnterNotify);
    send_pointer(window, MotionNotify);
    settle();
    EXPECT_EQ(g_received.tray, (std::vector<LPARAM> { WM_MOUSEMOVE, WM_MOUSEMOVE }));
    platform::manual_clock()->advance(GetDoubleClickTime() - 1);
    settle();
    EXPECT_TRUE(shown_tips().empty()) << "not before the initial delay";
    platform::manual_clock()->advance(1);
    settle();
    auto tips = shown_tips();
    ASSERT_EQ(tips.size(), 1u);
    char text[64] {};
    GetWindowText(tips[0], text, sizeof(text));
    EXPECT_STREQ(text, "Link is up");
    RECT r {};
    GetWindowRect(tips[0], &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 12 + 20);
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    bool on_server = false;
    XQueryTree(user, DefaultRootWindow(user), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i)
        on_server = on_server || (viewable(children[i]) && name_of(children[i]) == "Link is up");
    if (children)
        XFree(children);
    EXPECT_TRUE(on_server) << "the tip shows on the server";

    send_pointer(window, LeaveNotify);
    settle();
    EXPECT_TRUE(shown_tips().empty());
    EXPECT_EQ(g_received.tray.size(), 2u) << "leaving is not a callback message";

    // After the auto-pop delay the tip goes, and comes back only once the pointer has left.
    send_pointer(window, EnterNotify);
    settle();
    platform::manual_clock()->advance(GetDoubleClickTime());
    settle();
    ASSERT_EQ(shown_tips().size(), 1u);
    platform::manual_clock()->advance(GetDoubleClickTime() * 10);
    settle();
    EXPECT_TRUE(shown_tips().empty()) << "auto-pop";
    send_pointer(window, MotionNotify);
    settle();
    platform::manual_clock()->advance(GetDoubleClickTime());
    settle();
    EXPECT_TRUE(shown_tips().empty()) << "not again while the pointer stays";
}

TEST_F(X11TrayTest, WithoutManagerAFallbackWindowShowsUntilOneAppearsAndAgainWhenItGoes)
{
    start_presenter();
    show_icon(0x0022AA44, "Zorvel");
    settle();
    EXPECT_EQ(presenter->tray_manager(), None);
    ASSERT_EQ(presenter->tray_placement(owner, icon_id), x11::TrayPlacement::Fallback);
    Window fallback = icon_window();
    EXPECT_TRUE(viewable(fallback));
    EXPECT_EQ(parent_of(fallback), DefaultRootWindow(user));
    auto states = property(fallback, "_NET_WM_STATE", XA_ATOM);
    EXPECT_NE(std::find(states.begin(), states.end(), XInternAtom(user, "_NET_WM_STATE_ABOVE", False)), states.end());
    EXPECT_EQ(pixel(fallback, 12, 16), 0x22AA44u);
    EXPECT_EQ(pixel(fallback, 12, 5), face()); // no tray behind: the button face
    auto wm_icon = property(fallback, "_NET_WM_ICON", XA_CARDINAL);
    ASSERT_EQ(wm_icon.size(), 2u + 16 * 16);
    EXPECT_EQ(wm_icon[2 + 16 * 10], 0xFF22AA44u);

    ASSERT_TRUE(manager->start());
    auto docked = settle_with_manager();
    ASSERT_EQ(docked.size(), 1u);
    EXPECT_EQ(presenter->tray_placement(owner, icon_id), x11::TrayPlacement::Docked);
    EXPECT_EQ(icon_window(), docked[0]);
    EXPECT_EQ(parent_of(fallback), None); // the fallback window is gone

    // The manager dies, and the icon windows it embedded with it.
    manager->stop();
    settle();
    EXPECT_EQ(presenter->tray_manager(), None);
    ASSERT_EQ(presenter->tray_placement(owner, icon_id), x11::TrayPlacement::Fallback);
    EXPECT_TRUE(viewable(icon_window()));
    EXPECT_EQ(pixel(icon_window(), 12, 16), 0x22AA44u);
    EXPECT_TRUE(g_received.tray.empty());
}

TEST_F(X11TrayTest, WindowIconsBecomeNetWmIcon)
{
    start_presenter();
    HWND top = CreateWindowEx(0, "X11TrayOwner", "with icon", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 120,
        nullptr, nullptr, nullptr, nullptr);
    settle();
    Window window = presenter->x_window_of(top);
    ASSERT_NE(window, None);
    EXPECT_TRUE(property(window, "_NET_WM_ICON", XA_CARDINAL).empty());

    icons.push_back(display_test::make_icon(0x00ABCDEF));
    SendMessage(top, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.back()));
    settle();
    auto values = property(window, "_NET_WM_ICON", XA_CARDINAL);
    ASSERT_EQ(values.size(), 2u + 16 * 16);
    EXPECT_EQ(values[0], 16u);
    EXPECT_EQ(values[1], 16u);
    EXPECT_EQ(values[2], 0u);                         // a transparent top row
    EXPECT_EQ(values[2 + 16 * 15 + 15], 0xFFABCDEFu); // an opaque bottom corner
}

TEST_F(X11TrayTest, TextWithoutAVirtualKeyArrivesAsUtf8Chars)
{
    using XTestKey = int (*)(Display*, unsigned, int, unsigned long);
    void* library = dlopen("libXtst.so.6", RTLD_NOW);
    auto key = library ? reinterpret_cast<XTestKey>(dlsym(library, "XTestFakeKeyEvent")) : nullptr;
    if (!key)
        GTEST_SKIP() << "libXtst is not installed";
    start_presenter();
    HWND top = CreateWindowEx(0, "X11TrayOwner", "typing", WS_POPUP | WS_CAPTION | WS_VISIBLE, 300, 300, 200, 100,
        nullptr, nullptr, nullptr, nullptr);
    settle();
    SetFocus(top);
    Window window = presenter->x_window_of(top);
    XSetInputFocus(user, window, RevertToParent, CurrentTime);

    // A key of another layout: an unused key code made to give "é".
    int min_code = 0;
    int max_code = 0;
    XDisplayKeycodes(user, &min_code, &max_code);
    KeySym eacute[] = { XK_eacute, XK_Eacute };
    XChangeKeyboardMapping(user, max_code, 2, eacute, 1);
    XSync(user, False);
    settle();
    key(user, static_cast<unsigned>(max_code), True, 0);
    key(user, static_cast<unsigned>(max_code), False, 0);
    settle();
    EXPECT_EQ(g_received.chars, "\xC3\xA9");
    // libXtst stays loaded: it hooked the closing of `user`, which TearDown does.
}

TEST(KeyText, KeysymsGiveTheirCharacterAsUtf8)
{
    struct Case {
        char const* name;
        unsigned long keysym;
        char const* expected;
    };
    Case const cases[] = {
        { "ascii", XK_a, "a" },
        { "latin-1", XK_eacute, "\xC3\xA9" },
        { "unicode keysym", 0x010020ACul, "\xE2\x82\xAC" },
        { "beyond the basic plane", 0x0101F600ul, "\xF0\x9F\x98\x80" },
        { "function key", XK_F1, "" },
        { "control character", 0x01000007ul, "" },
        { "surrogate", 0x0100D800ul, "" },
        { "past the last code point", 0x01110000ul, "" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::display::x11::utf8_from_keysym(c.keysym), c.expected);
    }
}
