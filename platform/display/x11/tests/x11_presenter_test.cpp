// The X11 presenter against a private Xvfb: windows appear with their titles, kinds and
// pixels, real X input (XTest) reaches the windows through the input module, and the
// window manager's requests come back as window calls. The test process plays both the
// program and the user (a second X connection). Nothing waits in real time: the presenter's
// sync_with_server() makes every round trip explicit.
#include "TestWindowManager.h"
#include "XvfbServer.h"

#include "platform/display/tests/DisplayFixture.h"
#include "platform/display/x11/X11Display.h"
#include "platform/display/x11/X11Presenter.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/common/ListView.h"
#include "platform/controls/common/Menu.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SysPaint.h"
#include "platform/gdi/WindowSurfaces.h"
#include "platform/user/InputDriver.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cctype>
#include <dlfcn.h>
#include <unistd.h>
#include <tuple>

using namespace platform::display;
using display_test::DisplayTest;

namespace {

// XTest is loaded at run time: its development headers are not needed to build the tests.
struct XTest {
    using Motion = int (*)(Display*, int, int, int, unsigned long);
    using Button = int (*)(Display*, unsigned, int, unsigned long);
    using Key = int (*)(Display*, unsigned, int, unsigned long);
    void* library = dlopen("libXtst.so.6", RTLD_NOW);
    Motion motion = library ? reinterpret_cast<Motion>(dlsym(library, "XTestFakeMotionEvent")) : nullptr;
    Button button = library ? reinterpret_cast<Button>(dlsym(library, "XTestFakeButtonEvent")) : nullptr;
    Key key = library ? reinterpret_cast<Key>(dlsym(library, "XTestFakeKeyEvent")) : nullptr;
    bool available() const { return motion && button && key; }
};

struct Log {
    std::vector<std::pair<HWND, UINT>> messages;
    std::string typed;
    int clicks = 0;
};
Log g_log;

constexpr int button_id = 1001;

LRESULT test_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    g_log.messages.emplace_back(hwnd, message);

    if (message == WM_COMMAND && LOWORD(wparam) == button_id && HIWORD(wparam) == BN_CLICKED)
        ++g_log.clicks;
    return DefWindowProc(hwnd, message, wparam, lparam);
}

// A minimal push button (clicked on release) and a minimal edit (keeps typed characters):
// enough to see input go the whole way without the controls module.
LRESULT button_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_LBUTTONUP)
        SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
            reinterpret_cast<LPARAM>(hwnd));
    return DefWindowProc(hwnd, message, wparam, lparam);
}

LRESULT edit_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_CHAR)
        g_log.typed += static_cast<char>(wparam);
    return DefWindowProc(hwnd, message, wparam, lparam);
}

class X11PresenterTest : public XvfbSuite<DisplayTest> {
protected:
    void SetUp() override
    {
        XVFB_SKIP_WITHOUT_SERVER();
        DisplayTest::SetUp();
        register_classes();
        g_log = {};
        platform::user::input::reset();
        std::string error;
        auto made = make_x11_presenter(server->display(), error);
        ASSERT_TRUE(made) << error;
        presenter = static_cast<x11::X11Display*>(made.get());
        install_presenter(std::move(made));
        user = XOpenDisplay(server->display().c_str());
        ASSERT_NE(user, nullptr);
    }

    void TearDown() override
    {
        if (user)
            XCloseDisplay(user);
        user = nullptr;
        if (server->available())
            DisplayTest::TearDown();
    }

    static void register_classes()
    {
        static bool done = false;
        if (done)
            return;
        for (auto [name, proc] : { std::pair { "X11Top", &test_proc }, std::pair { "X11Button", &button_proc },
                 std::pair { "X11Edit", &edit_proc } }) {
            WNDCLASS wc {};
            wc.lpszClassName = name;
            wc.lpfnWndProc = proc;
            RegisterClass(&wc);
        }
        done = true;
    }

    // Lets the presenter's thread and the window core settle: everything the server did and
    // sent so far is handled on both sides.
    void settle()
    {
        XSync(user, False);
        for (int round = 0; round < 3; ++round) {
            platform::testing::pump_until_idle();
            presenter->sync_with_server();
        }
        platform::testing::pump_until_idle();
    }

    Window x_window(HWND hwnd) { return presenter->x_window_of(hwnd); }

    std::string property_text(Window id, char const* name)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(user, id, XInternAtom(user, name, False), 0, 1024, False, AnyPropertyType, &type,
            &format, &count, &after, &data);
        std::string text = data ? std::string(reinterpret_cast<char*>(data), count) : std::string();
        if (data)
            XFree(data);
        return text;
    }

    Atom property_atom(Window id, char const* name)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(user, id, XInternAtom(user, name, False), 0, 1, False, XA_ATOM, &type, &format, &count,
            &after, &data);
        Atom atom = data && count ? *reinterpret_cast<Atom*>(data) : None;
        if (data)
            XFree(data);
        return atom;
    }

    // What the server shows, as 0x00RRGGBB pixels of the whole X window.
    std::vector<std::uint32_t> screenshot(Window id, int& width, int& height)
    {
        XWindowAttributes attributes {};
        XGetWindowAttributes(user, id, &attributes);
        width = attributes.width;
        height = attributes.height;
        XImage* image = XGetImage(user, id, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
            AllPlanes, ZPixmap);
        std::vector<std::uint32_t> pixels;
        for (int y = 0; image && y < height; ++y) {
            for (int x = 0; x < width; ++x)
                pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
        }
        if (image)
            XDestroyImage(image);
        return pixels;
    }

    x11::X11Display* presenter = nullptr;
    Display* user = nullptr;
};

}

TEST_F(X11PresenterTest, ShowsEachVisibleTopLevelWindowWithItsTitleKindAndPixels)
{
    HWND main = CreateWindowEx(0, "X11Top", "Zorvel — status", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 300, 200,
        nullptr, nullptr, nullptr, nullptr);
    HWND dialog = CreateWindowEx(0, "X11Top", "Profile", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500, 400, 200, 100,
        main, nullptr, nullptr, nullptr);
    HWND menu = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "X11Top", "", WS_POPUP | WS_VISIBLE, 700, 90, 60, 40,
        main, nullptr, nullptr, nullptr);
    HWND hidden = CreateWindowEx(0, "X11Top", "hidden", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
        nullptr, nullptr);
    surfaces->set_colour(main, 0x00336699);
    surfaces->set_colour(dialog, 0x00CC8800);
    surfaces->set_colour(menu, 0x0000FF00);
    for (HWND hwnd : { main, dialog, menu })
        report_damage(hwnd, RECT { 0, 0, 1000, 1000 });
    settle();

    Window main_id = x_window(main);
    ASSERT_NE(main_id, 0u);
    EXPECT_EQ(x_window(hidden), 0u);
    EXPECT_EQ(property_text(main_id, "_NET_WM_NAME"), "Zorvel — status");
    EXPECT_EQ(property_atom(main_id, "_NET_WM_WINDOW_TYPE"), XInternAtom(user, "_NET_WM_WINDOW_TYPE_NORMAL", False));
    Window dialog_id = x_window(dialog);
    EXPECT_EQ(property_atom(dialog_id, "_NET_WM_WINDOW_TYPE"), XInternAtom(user, "_NET_WM_WINDOW_TYPE_DIALOG", False));
    Window transient_for = None;
    EXPECT_TRUE(XGetTransientForHint(user, dialog_id, &transient_for));
    EXPECT_EQ(transient_for, main_id);
    XWindowAttributes menu_attributes {};
    XGetWindowAttributes(user, x_window(menu), &menu_attributes);
    EXPECT_TRUE(menu_attributes.override_redirect);
    EXPECT_EQ(menu_attributes.x, 700);

    // A captioned window shows its client area, placed where the client area is (the
    // windows do not overlap: the server keeps no pixels of covered parts).
    RECT client {};
    GetClientRect(main, &client);
    POINT origin { 0, 0 };
    ClientToScreen(main, &origin);
    XWindowAttributes main_attributes {};
    XGetWindowAttributes(user, main_id, &main_attributes);
    EXPECT_EQ(main_attributes.width, client.right);
    EXPECT_EQ(main_attributes.height, client.bottom);
    EXPECT_EQ(main_attributes.x, origin.x);
    EXPECT_EQ(main_attributes.y, origin.y);
    EXPECT_EQ(main_attributes.map_state, IsViewable);

    int width = 0;
    int height = 0;
    auto shown = screenshot(main_id, width, height);
    ASSERT_EQ(shown.size(), static_cast<std::size_t>(width * height));
    EXPECT_EQ(std::count(shown.begin(), shown.end(), 0x336699u), static_cast<long>(shown.size()));

    SetWindowText(main, "renamed");
    ShowWindow(dialog, SW_HIDE);
    settle();
    EXPECT_EQ(property_text(main_id, "_NET_WM_NAME"), "renamed");
    EXPECT_EQ(x_window(dialog), 0u);
}

// Where the server offers MIT-SHM (Xvfb on this machine does), pixels reach it through shared
// memory; a damaged part lands where it belongs and nothing else changes. Without the
// extension the same pixels travel through the connection.
TEST_F(X11PresenterTest, DamagedPartsReachTheServerThroughSharedMemoryOrTheConnection)
{
    XvfbServer plain({ "-extension", "MIT-SHM" });
    struct Case {
        char const* name;
        XvfbServer const* server;
        bool shared;
    } const cases[] = { { "shared memory", server, true }, { "connection", &plain, false } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.server->available())
            continue;
        std::string error;
        auto made = make_x11_presenter(c.server->display(), error);
        ASSERT_TRUE(made) << error;
        auto* shown_by = static_cast<x11::X11Display*>(made.get());
        install_presenter(std::move(made));
        EXPECT_EQ(shown_by->shares_memory(), c.shared);
        Display* viewer = XOpenDisplay(c.server->display().c_str());
        ASSERT_NE(viewer, nullptr);
        std::swap(viewer, user);
        std::swap(shown_by, presenter);

        HWND top = CreateWindowEx(0, "X11Top", "damage", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
            nullptr, nullptr);
        surfaces->set_colour(top, 0x00102030);
        report_damage(top, RECT { 0, 0, 800, 600 });
        settle();
        surfaces->set_colour(top, 0x00F0E0D0);
        report_damage(top, RECT { 100, 50, 300, 250 });
        settle();
        int width = 0;
        int height = 0;
        auto pixels = screenshot(x_window(top), width, height);
        ASSERT_EQ(pixels.size(), std::size_t(800 * 600));
        for (auto [x, y, colour] : { std::tuple { 100, 50, 0xF0E0D0u }, { 299, 249, 0xF0E0D0u }, { 99, 50, 0x102030u },
                 { 300, 249, 0x102030u }, { 100, 250, 0x102030u }, { 799, 599, 0x102030u } })
            EXPECT_EQ(pixels[std::size_t(y * 800 + x)], colour) << x << "," << y;
        DestroyWindow(top);
        settle();

        std::swap(viewer, user);
        std::swap(shown_by, presenter);
        XCloseDisplay(viewer);
        // Gone before its server is.
        install_presenter(nullptr);
    }
}

TEST_F(X11PresenterTest, ScreenshotEqualsTheSurfaceAfterRepaint)
{
    HWND top = CreateWindowEx(0, "X11Top", "pixels", WS_POPUP | WS_VISIBLE, 10, 10, 64, 48, nullptr, nullptr,
        nullptr, nullptr);
    surfaces->set_colour(top, 0x00000000);
    settle();
    surfaces->set_colour(top, 0x00A0B0C0);
    report_damage(top, RECT { 0, 0, 64, 48 });
    settle();
    int width = 0;
    int height = 0;
    auto shown = screenshot(x_window(top), width, height);
    std::vector<std::uint32_t> expected(64 * 48);
    surfaces->copy(top, RECT { 0, 0, 64, 48 }, expected.data(), 64);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 48);
    EXPECT_EQ(shown, expected);
}

TEST_F(X11PresenterTest, RealClicksAndTypingReachTheButtonAndTheEdit)
{
    XTest xtest;
    if (!xtest.available())
        GTEST_SKIP() << "libXtst is not installed";
    HWND dialog = CreateWindowEx(0, "X11Top", "Input", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 150, 240, 160,
        nullptr, nullptr, nullptr, nullptr);
    HWND button = CreateWindowEx(0, "X11Button", "OK", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, dialog,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(button_id)), nullptr, nullptr);
    HWND edit = CreateWindowEx(0, "X11Edit", "", WS_CHILD | WS_VISIBLE, 10, 50, 120, 24, dialog, nullptr, nullptr,
        nullptr);
    settle();

    POINT at { 20, 12 };
    ClientToScreen(button, &at);
    xtest.motion(user, 0, at.x, at.y, 0);
    xtest.button(user, 1, True, 0);
    xtest.button(user, 1, False, 0);
    settle();
    EXPECT_EQ(g_log.clicks, 1);

    SetFocus(edit);
    POINT in_edit { 5, 5 };
    ClientToScreen(edit, &in_edit);
    xtest.motion(user, 0, in_edit.x, in_edit.y, 0);
    auto tap = [&](KeySym keysym, bool shift) {
        unsigned shift_code = XKeysymToKeycode(user, XK_Shift_L);
        if (shift)
            xtest.key(user, shift_code, True, 0);
        unsigned code = XKeysymToKeycode(user, keysym);
        xtest.key(user, code, True, 0);
        xtest.key(user, code, False, 0);
        if (shift)
            xtest.key(user, shift_code, False, 0);
    };
    tap(XK_h, true);
    tap(XK_i, false);
    tap(XK_space, false);
    tap(XK_2, false);
    tap(XK_1, true);
    settle();
    EXPECT_EQ(g_log.typed, "Hi 2!");
}

// Up to `count` key codes to which the server's keymap gives no symbol, highest first.
std::vector<KeyCode> spare_key_codes(Display* display, size_t count)
{
    int min_code = 0;
    int max_code = 0;
    XDisplayKeycodes(display, &min_code, &max_code);
    std::vector<KeyCode> spare;
    for (int code = max_code; code >= min_code && spare.size() < count; --code) {
        int per_code = 0;
        KeySym* syms = XGetKeyboardMapping(display, static_cast<KeyCode>(code), 1, &per_code);
        bool empty = true;
        for (int i = 0; syms && i < per_code; ++i)
            empty = empty && syms[i] == NoSymbol;
        if (syms)
            XFree(syms);
        if (empty)
            spare.push_back(static_cast<KeyCode>(code));
    }
    return spare;
}

// The characters come from the user's layout: a digit key whose shifted level is "/" (as on a
// German keyboard) makes "/", and a key of a letter no US key has enters it as text, each in
// its place among the keys typed around it; a dead key composes with the letter after it.
TEST_F(X11PresenterTest, TypedCharactersFollowTheKeyboardLayout)
{
    XTest xtest;
    if (!xtest.available())
        GTEST_SKIP() << "libXtst is not installed";
    HWND dialog = CreateWindowEx(0, "X11Top", "Layout", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 150, 240, 100,
        nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowEx(0, "X11Edit", "", WS_CHILD | WS_VISIBLE, 10, 10, 120, 24, dialog, nullptr, nullptr,
        nullptr);
    // Three key codes the server's keymap leaves empty become the test's keys.
    std::vector<KeyCode> const spare = spare_key_codes(user, 3);
    ASSERT_EQ(spare.size(), 3u);
    KeySym seven[] = { XK_7, XK_slash };
    KeySym umlaut[] = { XK_odiaeresis, XK_Odiaeresis };
    KeySym acute[] = { XK_dead_acute, XK_dead_acute };
    XChangeKeyboardMapping(user, spare[0], 2, seven, 1);
    XChangeKeyboardMapping(user, spare[1], 2, umlaut, 1);
    XChangeKeyboardMapping(user, spare[2], 2, acute, 1);
    settle();
    // Keys go to the X window under the pointer (no window manager gives the focus).
    SetFocus(edit);
    POINT in_edit { 5, 5 };
    ClientToScreen(edit, &in_edit);
    xtest.motion(user, 0, in_edit.x, in_edit.y, 0);

    auto tap = [&](unsigned code, bool shift) {
        unsigned shift_code = XKeysymToKeycode(user, XK_Shift_L);
        if (shift)
            xtest.key(user, shift_code, True, 0);
        xtest.key(user, code, True, 0);
        xtest.key(user, code, False, 0);
        if (shift)
            xtest.key(user, shift_code, False, 0);
    };
    tap(spare[0], false);
    tap(spare[0], true);
    tap(spare[1], false);
    tap(XKeysymToKeycode(user, XK_a), false);
    // A dead key and the letter after it make one character (the input method composes it).
    tap(spare[2], false);
    tap(XKeysymToKeycode(user, XK_e), false);
    settle();
    KeySym none[] = { NoSymbol, NoSymbol };
    for (KeyCode code : spare)
        XChangeKeyboardMapping(user, code, 2, none, 1);
    settle();
    EXPECT_EQ(g_log.typed, "7/\xC3\xB6" "a\xC3\xA9");
}

TEST_F(X11PresenterTest, WindowManagerCloseAndMovesComeBack)
{
    HWND top = CreateWindowEx(0, "X11Top", "close me", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 150, nullptr,
        nullptr, nullptr, nullptr);
    settle();
    Window id = x_window(top);
    ASSERT_NE(id, 0u);

    // Moved by "the window manager": the window follows, keeping its frame around the client.
    RECT before {};
    GetWindowRect(top, &before);
    XMoveWindow(user, id, 300, 250);
    settle();
    POINT origin { 0, 0 };
    ClientToScreen(top, &origin);
    EXPECT_EQ(origin.x, 300);
    EXPECT_EQ(origin.y, 250);

    // Moved by the program: the X window follows.
    MoveWindow(top, 10, 20, 200, 150, TRUE);
    settle();
    origin = POINT { 0, 0 };
    ClientToScreen(top, &origin);
    XWindowAttributes attributes {};
    XGetWindowAttributes(user, id, &attributes);
    EXPECT_EQ(attributes.x, origin.x);
    EXPECT_EQ(attributes.y, origin.y);

    XEvent close {};
    close.xclient.type = ClientMessage;
    close.xclient.window = id;
    close.xclient.message_type = XInternAtom(user, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(user, "WM_DELETE_WINDOW", False));
    XSendEvent(user, id, False, NoEventMask, &close);
    settle();
    EXPECT_FALSE(IsWindow(top));
    EXPECT_EQ(x_window(top), 0u);
}

// Under a reparenting window manager that frames windows with a border and a title bar (1
// pixel either side and below, 20 above), a window hidden and shown again comes back where it
// was, its client area exactly where the program puts it: no creep of a border right and a
// title bar down for each round.
TEST_F(X11PresenterTest, HiddenAndShownUnderAReparentingManagerTheWindowStaysWhereItWas)
{
    TestWindowManager manager(server->display(), { 1, 1, 20, 1 });
    ASSERT_TRUE(manager.running());
    auto settle_managed = [&] {
        for (int round = 0; round < 4; ++round) {
            settle();
            manager.take_events();
        }
        settle();
    };
    HWND top = CreateWindowEx(0, "X11Top", "framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 332, 135, 300, 200, nullptr,
        nullptr, nullptr, nullptr);
    settle_managed();
    RECT first {};
    GetWindowRect(top, &first);
    for (int cycle = 0; cycle < 4; ++cycle) {
        SCOPED_TRACE(cycle);
        ShowWindow(top, SW_HIDE);
        settle_managed();
        ShowWindow(top, SW_SHOW);
        settle_managed();
        RECT now {};
        GetWindowRect(top, &now);
        EXPECT_EQ(now.left, 332);
        EXPECT_EQ(now.top, 135);
        EXPECT_EQ(now.right - now.left, first.right - first.left);
        Window id = x_window(top);
        ASSERT_NE(id, 0u);
        EXPECT_NE(manager.frame_of(id), 0u);
        POINT origin { 0, 0 };
        ClientToScreen(top, &origin);
        int x = 0;
        int y = 0;
        Window child = None;
        XTranslateCoordinates(user, id, DefaultRootWindow(user), 0, 0, &x, &y, &child);
        EXPECT_EQ(x, origin.x);
        EXPECT_EQ(y, origin.y);
    }
    // Moved by the program while framed: the window lands where it was asked to.
    MoveWindow(top, 40, 60, 300, 200, TRUE);
    settle_managed();
    RECT moved {};
    GetWindowRect(top, &moved);
    EXPECT_EQ(moved.left, 40);
    EXPECT_EQ(moved.top, 60);
    DestroyWindow(top);
    settle_managed();
}

// Desktops group windows by WM_CLASS, and end a program that hangs by _NET_WM_PID on the
// machine WM_CLIENT_MACHINE names.
TEST_F(X11PresenterTest, TopLevelWindowsNameTheirProgramProcessAndMachine)
{
    HWND top = CreateWindowEx(0, "X11Top", "named", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 120, 80, nullptr,
        nullptr, nullptr, nullptr);
    settle();
    Window id = x_window(top);
    ASSERT_NE(id, 0u);
    XClassHint hint {};
    ASSERT_TRUE(XGetClassHint(user, id, &hint));
    std::string const program = program_invocation_short_name;
    EXPECT_EQ(std::string(hint.res_name), program);
    std::string klass = program;
    klass[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(klass[0])));
    EXPECT_EQ(std::string(hint.res_class), klass);
    XFree(hint.res_name);
    XFree(hint.res_class);
    char host[256] {};
    gethostname(host, sizeof host - 1);
    EXPECT_EQ(property_text(id, "WM_CLIENT_MACHINE"), host);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(user, id, XInternAtom(user, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type, &format,
        &count, &after, &data);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(*reinterpret_cast<long*>(data), static_cast<long>(getpid()));
    XFree(data);
    DestroyWindow(top);
}

// With the drawing module's own surfaces: what the window painted (and the frame the drawing
// module drew) is what the server shows, pixel for pixel.
TEST_F(X11PresenterTest, ScreenshotEqualsTheDrawingModulesSurface)
{
    set_surface_source(nullptr);
    WNDCLASS wc {};
    wc.lpszClassName = "X11Painted";
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        if (message != WM_PAINT)
            return DefWindowProc(hwnd, message, wparam, lparam);
        PAINTSTRUCT paint {};
        HDC dc = BeginPaint(hwnd, &paint);
        HBRUSH brush = CreateSolidBrush(RGB(200, 40, 90));
        RECT part { 5, 5, 60, 30 };
        FillRect(dc, &part, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &paint);
        return 0;
    };
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    static bool registered = RegisterClass(&wc) != 0;
    ASSERT_TRUE(registered);
    HWND top = CreateWindowEx(0, "X11Painted", "painted", WS_POPUP | WS_BORDER | WS_VISIBLE, 30, 30, 90, 50,
        nullptr, nullptr, nullptr, nullptr);
    settle();
    auto surface = platform::gdi::window_surface(top);
    ASSERT_TRUE(surface);
    int width = 0;
    int height = 0;
    auto shown = screenshot(x_window(top), width, height);
    ASSERT_EQ(width, surface->width());
    ASSERT_EQ(height, surface->height());
    std::vector<std::uint32_t> expected;
    for (int y = 0; y < height; ++y)
        expected.insert(expected.end(), surface->row32(y), surface->row32(y) + width);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(platform::gdi::window_pixel(top, 10, 10), RGB(200, 40, 90));
}

// A tracked pop-up menu holds the pointer: a click on another program's window closes the
// menu (and that window gets no click), as a tracked menu closes on any click outside it.
TEST_F(X11PresenterTest, AClickOnAnotherProgramsWindowClosesATrackedMenu)
{
    XTest xtest;
    if (!xtest.available())
        GTEST_SKIP() << "libXtst is not installed";
    HWND owner = CreateWindowEx(0, "X11Top", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200, 150, nullptr,
        nullptr, nullptr, nullptr);
    Window other = XCreateSimpleWindow(user, DefaultRootWindow(user), 600, 400, 100, 100, 0, 0, 0xFFFFFF);
    XSelectInput(user, other, ButtonPressMask);
    XMapWindow(user, other);
    settle();
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 10, "Open");
    // Should the click not close the menu, a timer does, and says so: it falls due once the
    // hook has moved the clock, and fires only when no input is left.
    static bool closed_by_timer = false;
    closed_by_timer = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        closed_by_timer = true;
        EndMenu();
    });
    platform::commctrl::set_menu_hook([&](platform::commctrl::OpenMenu&) {
        presenter->sync_with_server();
        xtest.motion(user, -1, 650, 450, 0);
        xtest.button(user, 1, True, 0);
        xtest.button(user, 1, False, 0);
        XSync(user, False);
        presenter->sync_with_server();
        platform::manual_clock()->advance(200);
    });
    UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 300, 200, 0, owner, nullptr));
    platform::commctrl::set_menu_hook(nullptr);
    EXPECT_EQ(chosen, 0u);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(closed_by_timer);
    XEvent event;
    EXPECT_FALSE(XCheckWindowEvent(user, other, ButtonPressMask, &event));
    settle();
    // The grab is gone with the menu: another client can take the pointer.
    EXPECT_EQ(XGrabPointer(user, other, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime),
        GrabSuccess);
    XUngrabPointer(user, CurrentTime);
    DestroyMenu(menu);
    XDestroyWindow(user, other);
    DestroyWindow(owner);
}

// A child list view made while its window is hidden shows its border (one line of the
// window-frame colour) from the window's first showing under a reparenting manager: the
// border reaches the server with the first paint, no exposure needed.
TEST_F(X11PresenterTest, ChildListViewShowsItsBorderOnTheFirstShowingUnderAManager)
{
    set_surface_source(nullptr); // what the drawing module drew
    TestWindowManager manager(server->display(), { 1, 1, 20, 1 });
    ASSERT_TRUE(manager.running());
    WNDCLASS wc {};
    wc.lpszClassName = "X11Face";
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    static bool registered = RegisterClass(&wc) != 0;
    ASSERT_TRUE(registered);
    HWND top = CreateWindowEx(0, "X11Face", "framed", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr, nullptr,
        nullptr, nullptr);
    HWND list = CreateWindowEx(0, "SysListView32", "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 20, 20, 200, 100,
        top, reinterpret_cast<HMENU>(5), nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    ShowWindow(top, SW_SHOW);
    for (int round = 0; round < 4; ++round) {
        settle();
        manager.take_events();
    }
    settle();
    RECT r {};
    GetWindowRect(list, &r);
    auto shown = [&](int x, int y) {
        XImage* image = XGetImage(user, DefaultRootWindow(user), x, y, 1, 1, AllPlanes, ZPixmap);
        std::uint32_t const value = image ? static_cast<std::uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFFu : 0xFFFFFFFFu;
        if (image)
            XDestroyImage(image);
        return value;
    };
    int const middle_x = (r.left + r.right) / 2;
    int const middle_y = (r.top + r.bottom) / 2;
    COLORREF const face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(shown(r.left - 1, middle_y), (GetRValue(face) << 16u) | (GetGValue(face) << 8u) | GetBValue(face))
        << "the window around the list";
    EXPECT_EQ(shown(r.left, middle_y), 0u) << "left";
    EXPECT_EQ(shown(middle_x, r.top), 0u) << "top";
    EXPECT_EQ(shown(r.right - 1, middle_y), 0u) << "right";
    EXPECT_EQ(shown(middle_x, r.bottom - 1), 0u) << "bottom";
    EXPECT_EQ(shown(r.left + 1, middle_y), 0xFFFFFFu) << "inside the border";
    DestroyWindow(top);
}
