#include "DisplayFixture.h"

#include "platform/display/DisplaySession.h"
#include "platform/display/UiMarshal.h"
#include "platform/display/headless/HeadlessPresenter.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Text.h"
#include "platform/user/WindowCore.h"

#include <thread>

using namespace platform::display;
using display_test::DisplayTest;

TEST(PresenterChoice, FollowsForcingThenDisplayThenTestRuns)
{
    struct Case {
        char const* name;
        PresenterEnvironment environment;
        PresenterKind expected;
    };
    Case const cases[] = {
        { "nothing set", {}, PresenterKind::Headless },
        { "display", { {}, ":0", false }, PresenterKind::X11 },
        { "empty display", { {}, "", false }, PresenterKind::Headless },
        { "display under test", { {}, ":0", true }, PresenterKind::Headless },
        { "forced x11 under test", { "x11", {}, true }, PresenterKind::X11 },
        { "forced headless on a desktop", { "headless", ":0", false }, PresenterKind::Headless },
        { "unknown forcing ignored", { "wayland", ":0", false }, PresenterKind::X11 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(choose_presenter(c.environment), c.expected);
    }
}

TEST(PresenterChoice, ParsesDesktopSizes)
{
    struct Case {
        char const* text;
        SIZE expected;
    };
    Case const cases[] = {
        { "1024x768", { 1024, 768 } },
        { "1x1", { 1, 1 } },
        { "800x600px", { 0, 0 } },
        { "0x600", { 0, 0 } },
        { "-5x600", { 0, 0 } },
        { "20000x10", { 0, 0 } },
        { "800", { 0, 0 } },
        { "", { 0, 0 } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.text);
        SIZE size = parse_desktop_size(c.text);
        EXPECT_EQ(size.cx, c.expected.cx);
        EXPECT_EQ(size.cy, c.expected.cy);
    }
    EXPECT_EQ(parse_desktop_size(nullptr).cx, 0);
}

TEST_F(DisplayTest, HeadlessPresenterSetsTheScreen)
{
    install_presenter(std::make_unique<HeadlessPresenter>(SIZE { 640, 480 }));
    RECT desktop = platform::user::desktop_rect();
    EXPECT_EQ(desktop.right - desktop.left, 640);
    EXPECT_EQ(desktop.bottom - desktop.top, 480);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
}

TEST_F(DisplayTest, HeadlessSessionUnderTestStaysHeadless)
{
    DisplaySession session(PresenterEnvironment { {}, ":0", true });
    EXPECT_EQ(session.kind(), PresenterKind::Headless);
    ASSERT_NE(current_presenter(), nullptr);
    EXPECT_EQ(current_presenter()->name(), "headless");
}

// Painting a child reports the painted area in the top-level window's coordinates, once per
// paint, whatever hooks the drawing module installed (here: hooks that draw nothing).
TEST_F(DisplayTest, PaintingReportsDamageInTopLevelCoordinates)
{
    // The hooks below point at this test's locals: the ones before come back at its end.
    struct RestoreHooks {
        platform::user::PaintHooks saved = platform::user::paint_hooks();
        ~RestoreHooks() { platform::user::set_paint_hooks(saved); }
    } restore;
    int inner_end_calls = 0;
    platform::user::PaintHooks hooks;
    hooks.begin_paint = [](HWND, platform::Region const&) { return reinterpret_cast<HDC>(std::uintptr_t { 1 }); };
    hooks.end_paint = [&](HWND, HDC) { ++inner_end_calls; };
    platform::user::set_paint_hooks(hooks);
    install_presenter(std::make_unique<HeadlessPresenter>(SIZE { 800, 600 }));
    auto presenter = std::make_unique<HeadlessPresenter>(SIZE { 800, 600 });
    HeadlessPresenter* headless = presenter.get();
    install_presenter(std::move(presenter)); // the hooks are wrapped once, not again

    HWND top = make_top("top", { 50, 50, 250, 200 });
    HWND child = CreateWindowEx(0, "DisplayTestWindow", "", WS_CHILD | WS_VISIBLE, 10, 20, 30, 40, top, nullptr,
        nullptr, nullptr);
    platform::testing::pump_until_idle();
    headless->take_damage(top);
    inner_end_calls = 0;

    RECT part { 5, 5, 15, 10 };
    InvalidateRect(child, &part, FALSE);
    platform::testing::pump_until_idle();
    RECT damage = headless->take_damage(top);
    EXPECT_EQ(inner_end_calls, 1);
    EXPECT_EQ(damage.left, 15);
    EXPECT_EQ(damage.top, 25);
    EXPECT_EQ(damage.right, 25);
    EXPECT_EQ(damage.bottom, 30);
    EXPECT_TRUE(IsRectEmpty(&(damage = headless->take_damage(top))));

    RECT drawn { 0, 0, 4, 4 };
    report_damage(child, drawn);
    damage = headless->take_damage(top);
    EXPECT_EQ(damage.left, 10);
    EXPECT_EQ(damage.top, 20);
}

// Drawing outside a paint reaches the presenter when the DC is released: the area the DC
// could draw on, in the top-level window's coordinates. A DC that only measured or read
// pixels reports nothing.
TEST_F(DisplayTest, ReleasedWindowDcReportsWhatItCouldDrawOn)
{
    auto presenter = std::make_unique<HeadlessPresenter>(SIZE { 800, 600 });
    HeadlessPresenter* headless = presenter.get();
    install_presenter(std::move(presenter));
    HWND top = make_top("top", { 50, 50, 250, 200 });
    HWND child = CreateWindowEx(0, "DisplayTestWindow", "", WS_CHILD | WS_VISIBLE, 10, 20, 30, 40, top, nullptr,
        nullptr, nullptr);
    platform::testing::pump_until_idle();
    headless->take_damage(top);

    HDC dc = GetDC(child);
    SIZE extent {};
    GetTextExtentPoint32(dc, "abc", 3, &extent);
    GetPixel(dc, 1, 1);
    ReleaseDC(child, dc);
    RECT damage = headless->take_damage(top);
    EXPECT_TRUE(IsRectEmpty(&damage)) << "measuring and reading draw nothing";

    dc = GetDC(child);
    RECT const dot { 2, 2, 3, 3 };
    FillRect(dc, &dot, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    damage = headless->take_damage(top);
    EXPECT_TRUE(IsRectEmpty(&damage)) << "nothing shows before the DC is released";
    ReleaseDC(child, dc);
    damage = headless->take_damage(top);
    EXPECT_EQ(damage.left, 10);
    EXPECT_EQ(damage.top, 20);
    EXPECT_EQ(damage.right, 40);
    EXPECT_EQ(damage.bottom, 60);
}

TEST_F(DisplayTest, MarshalRunsCallsOnTheUiThreadInOrder)
{
    UiMarshal marshal;
    std::vector<int> order;
    std::vector<bool> on_ui;
    std::thread other([&] {
        for (int i = 0; i < 3; ++i)
            marshal.post([&order, &on_ui, i] {
                order.push_back(i);
                on_ui.push_back(platform::user::on_ui_thread());
            });
    });
    other.join();
    EXPECT_TRUE(order.empty());
    platform::testing::pump_until_idle();
    EXPECT_EQ(order, (std::vector<int> { 0, 1, 2 }));
    EXPECT_EQ(on_ui, (std::vector<bool> { true, true, true }));
    EXPECT_TRUE(is_marshal_window(marshal.window()));
}

TEST_F(DisplayTest, TrayMouseReachesTheOwnerAsItsCallbackMessage)
{
    static std::vector<std::pair<WPARAM, LPARAM>> received;
    received.clear();
    WNDCLASS wc {};
    wc.lpszClassName = "TrayOwner";
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        if (message == WM_APP + 7)
            received.emplace_back(wparam, lparam);
        return DefWindowProc(hwnd, message, wparam, lparam);
    };
    static bool registered = RegisterClass(&wc) != 0;
    ASSERT_TRUE(registered);
    HWND owner = CreateWindowEx(0, "TrayOwner", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    TrayIcon icon { owner, 42, WM_APP + 7, nullptr, "tip" };
    std::thread other([&] { deliver_tray_mouse(icon, WM_LBUTTONDBLCLK); });
    other.join();
    deliver_tray_mouse(TrayIcon { owner, 43, 0, nullptr, "no callback" }, WM_RBUTTONUP);
    platform::testing::pump_until_idle();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].first, 42u);
    EXPECT_EQ(received[0].second, static_cast<LPARAM>(WM_LBUTTONDBLCLK));
}
