#include "CoreFixture.h"

#include <string>
#include <thread>

using platform::testing::pump_until_idle;

TEST_F(CoreTest, CreationSendsItsMessagesInOrder)
{
    watch({ WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW });
    HWND hwnd = make_top("t", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(messages_of(hwnd), (std::vector<UINT> { WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW }));
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST_F(CoreTest, ACreateHandlerCanRefuseTheWindow)
{
    handler = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        return m == WM_CREATE ? std::optional<LRESULT>(-1) : std::nullopt;
    };
    watch({ WM_DESTROY, WM_NCDESTROY });
    EXPECT_EQ(make_top(), nullptr);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].message, WM_NCDESTROY);
}

TEST_F(CoreTest, ShowWindowSendsShowWindowOnEveryChangeAndVisibilityFollowsAncestors)
{
    HWND top = make_top();
    HWND child = make_child(top, 1);
    watch({ WM_SHOWWINDOW });
    EXPECT_FALSE(IsWindowVisible(child)) << "a visible child of a hidden parent is not visible";
    ShowWindow(top, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(child));
    ShowWindow(top, SW_SHOW); // no change, no message
    ShowWindow(child, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(child));
    ShowWindow(child, SW_SHOWNORMAL);
    ShowWindow(top, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(child));
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].hwnd, top);
    EXPECT_EQ(log[0].wparam, TRUE);
    EXPECT_EQ(log[1].hwnd, child);
    EXPECT_EQ(log[1].wparam, FALSE);
    EXPECT_EQ(log[2].hwnd, child);
    EXPECT_EQ(log[2].wparam, TRUE);
    EXPECT_EQ(log[3].hwnd, top);
    EXPECT_EQ(log[3].wparam, FALSE);
}

TEST_F(CoreTest, DestroyingAParentDestroysChildrenParentFirstAndNcDestroyLast)
{
    HWND top = make_top();
    HWND a = make_child(top, 1);
    HWND a1 = make_child(a, 11);
    HWND b = make_child(top, 2);
    HWND owned = CreateWindowEx(0, "CoreTestWindow", "owned", WS_POPUP, 0, 0, 10, 10, a, nullptr, nullptr, nullptr);
    watch({ WM_DESTROY, WM_NCDESTROY });
    EXPECT_TRUE(DestroyWindow(top));
    std::vector<std::pair<HWND, UINT>> got;
    for (auto const& r : log)
        got.emplace_back(r.hwnd, r.message);
    std::vector<std::pair<HWND, UINT>> expected {
        { owned, WM_DESTROY }, { owned, WM_NCDESTROY },
        { top, WM_DESTROY }, { a, WM_DESTROY }, { a1, WM_DESTROY }, { b, WM_DESTROY },
        { a1, WM_NCDESTROY }, { a, WM_NCDESTROY }, { b, WM_NCDESTROY }, { top, WM_NCDESTROY },
    };
    EXPECT_EQ(got, expected);
    for (HWND h : { top, a, a1, b, owned })
        EXPECT_FALSE(IsWindow(h));
}

TEST_F(CoreTest, AHandlerMayDestroyItsOwnWindowDuringDispatch)
{
    HWND top = make_top();
    HWND button = make_child(top, 1);
    handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_LBUTTONUP && h == button) {
            DestroyWindow(top);
            // The record stays readable until the handler returns.
            EXPECT_FALSE(IsWindow(h));
            return 0;
        }
        return std::nullopt;
    };
    PostMessage(button, WM_LBUTTONUP, 0, 0);
    PostMessage(button, WM_LBUTTONUP, 0, 0);
    pump_until_idle();
    EXPECT_FALSE(IsWindow(top));
}

TEST_F(CoreTest, TreeQueriesAndSetParentRoundTripKeepTheId)
{
    HWND top = make_top("Vexlor Utility");
    HWND other = make_top("other");
    HWND child = make_child(top, 1621);
    HWND second = make_child(top, 1000);
    EXPECT_EQ(GetParent(child), top);
    EXPECT_EQ(GetDlgItem(top, 1621), child);
    EXPECT_EQ(GetDlgCtrlID(second), 1000);
    EXPECT_EQ(GetWindow(top, GW_CHILD), child);
    EXPECT_EQ(GetWindow(child, GW_HWNDNEXT), second);
    EXPECT_TRUE(IsChild(top, child));
    EXPECT_EQ(SetParent(child, other), top);
    EXPECT_EQ(GetParent(child), other);
    EXPECT_EQ(GetDlgItem(top, 1621), nullptr);
    SetParent(child, top);
    EXPECT_EQ(GetDlgItem(top, 1621), child);
    EXPECT_EQ(GetDlgCtrlID(child), 1621);

    EXPECT_EQ(FindWindow(nullptr, "vexlor utility"), top);
    EXPECT_EQ(FindWindow("CoreTestWindow", "other"), other);
    EXPECT_EQ(FindWindow(nullptr, "missing"), nullptr);
    char name[64];
    EXPECT_EQ(GetClassName(child, name, sizeof name), 14);
    EXPECT_STREQ(name, "CoreTestWindow");
    EXPECT_EQ(GetClassName(child, name, 5), 4);
    EXPECT_STREQ(name, "Core");

    std::vector<HWND> children;
    EnumChildWindows(top, [](HWND h, LPARAM p) {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&children));
    EXPECT_EQ(children.size(), 2u);
}

TEST_F(CoreTest, WindowTextIsReadableFromAnyThread)
{
    HWND top = make_top("first");
    EXPECT_TRUE(SetWindowText(top, "second"));
    char text[8];
    EXPECT_EQ(GetWindowText(top, text, sizeof text), 6);
    EXPECT_STREQ(text, "second");
    EXPECT_EQ(GetWindowText(top, text, 4), 3);
    EXPECT_STREQ(text, "sec");
    std::string seen;
    std::thread reader([&] {
        char buffer[32];
        GetWindowText(top, buffer, sizeof buffer);
        seen = buffer;
        EXPECT_EQ(FindWindow(nullptr, "second"), top);
    });
    reader.join();
    EXPECT_EQ(seen, "second");
}

TEST_F(CoreTest, WindowRectanglesIncludeTheFrame)
{
    HWND top = make_top("t", WS_POPUP | WS_CAPTION, { 100, 50, 300, 250 });
    RECT window, client;
    GetWindowRect(top, &window);
    GetClientRect(top, &client);
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.bottom, 250);
    int frame = GetSystemMetrics(SM_CXDLGFRAME);
    int caption = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(client.right, 200 - 2 * frame);
    EXPECT_EQ(client.bottom, 200 - 2 * frame - caption);
    HWND child = make_child(top, 1, { 10, 20, 30, 40 });
    POINT p { 0, 0 };
    ClientToScreen(child, &p);
    EXPECT_EQ(p.x, 100 + frame + 10);
    EXPECT_EQ(p.y, 50 + frame + caption + 20);
    ScreenToClient(top, &p);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);
    RECT adjusted { 0, 0, 100, 100 };
    AdjustWindowRectEx(&adjusted, WS_POPUP | WS_CAPTION, FALSE, 0);
    EXPECT_EQ(adjusted.bottom - adjusted.top, 100 + 2 * frame + caption);
}

TEST_F(CoreTest, StyleRewriteWithFrameChangedChangesTheClientArea)
{
    HWND top = make_top("t", WS_POPUP | WS_CAPTION | WS_SYSMENU, { 0, 0, 200, 200 });
    SetWindowLong(top, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    SetWindowLong(top, GWL_STYLE, GetWindowLong(top, GWL_STYLE) & 0xFF33FFFF);
    SetWindowPos(top, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(top, GWL_STYLE)), WS_POPUP);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(top, GWL_EXSTYLE)), WS_EX_TOOLWINDOW);
    RECT client;
    GetClientRect(top, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 200);
}

// SWP_FRAMECHANGED measures the frame again: WM_NCCALCSIZE comes with the new window
// rectangle, after WM_WINDOWPOSCHANGING and before WM_WINDOWPOSCHANGED, and a style the
// window changes there decides its client area. Other moves send none.
TEST_F(CoreTest, FrameChangeSendsFrameCalculationBeforeTheChange)
{
    HWND top = make_top("t", WS_POPUP | WS_VISIBLE, { 0, 0, 200, 100 });
    HWND child = make_child(top, 1, { 10, 10, 110, 60 });
    RECT asked {};
    handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
        if (message == WM_NCCALCSIZE && hwnd == child) {
            asked = *reinterpret_cast<RECT const*>(lparam);
            SetWindowLong(hwnd, GWL_STYLE, GetWindowLong(hwnd, GWL_STYLE) & ~static_cast<LONG>(WS_HSCROLL));
        }
        return std::nullopt;
    };
    watch({ WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED });
    MoveWindow(child, 20, 10, 100, 50, TRUE);
    EXPECT_EQ(count_of(child, WM_NCCALCSIZE), 0) << "a move keeps the frame";

    watch({ WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED });
    SetWindowLong(child, GWL_STYLE, GetWindowLong(child, GWL_STYLE) | WS_HSCROLL | WS_VSCROLL);
    SetWindowPos(child, nullptr, 30, 10, 120, 60, SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(messages_of(child), (std::vector<UINT> { WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED }));
    EXPECT_EQ(asked.left, 30);
    EXPECT_EQ(asked.top, 10);
    EXPECT_EQ(asked.right, 150);
    EXPECT_EQ(asked.bottom, 70);
    RECT client {};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 120 - platform::user::scroll_bar_size);
    EXPECT_EQ(client.bottom, 60) << "the horizontal bar dropped while measured takes no room";
}

// Activation moves: observers hear the window that lost it, then the one that got it, each
// after the window's own WM_ACTIVATE; hiding the active window hands it on.
TEST_F(CoreTest, ObserversHearActivationAfterTheWindowsDo)
{
    std::vector<std::string> events;
    HWND first = make_top("first", WS_POPUP, { 0, 0, 50, 50 });
    HWND second = make_top("second", WS_POPUP, { 60, 0, 110, 50 });
    auto name = [&](HWND hwnd) { return std::string(hwnd == first ? "first" : hwnd == second ? "second" : "other"); };
    handler = [&](HWND hwnd, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_ACTIVATE)
            events.push_back(name(hwnd) + (LOWORD(wparam) == WA_INACTIVE ? " deactivate" : " activate"));
        return std::nullopt;
    };
    struct Recorder final : platform::user::WindowObserver {
        std::function<void(HWND, bool)> call;
        void window_activated(HWND hwnd, bool active) override { call(hwnd, active); }
    } recorder;
    recorder.call = [&](HWND hwnd, bool active) { events.push_back("told " + name(hwnd) + (active ? " active" : " inactive")); };
    platform::user::add_window_observer(&recorder);

    ShowWindow(first, SW_SHOW);
    ShowWindow(second, SW_SHOW);
    SetActiveWindow(second);
    ShowWindow(second, SW_HIDE);
    platform::user::remove_window_observer(&recorder);
    std::vector<std::string> const expected { "first activate", "told first active", "first deactivate",
        "told first inactive", "second activate", "told second active", "second deactivate", "told second inactive",
        "first activate", "told first active" };
    EXPECT_EQ(events, expected);
}

TEST_F(CoreTest, WindowFromPointSkipsHiddenAndDisabledWindows)
{
    HWND top = make_top("t", WS_POPUP | WS_VISIBLE, { 0, 0, 200, 200 });
    HWND hidden = make_child(top, 1, { 0, 0, 50, 50 }, WS_CHILD);
    HWND disabled = make_child(top, 2, { 50, 0, 100, 50 }, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    HWND plain = make_child(top, 3, { 100, 0, 150, 50 });
    EXPECT_EQ(WindowFromPoint({ 10, 10 }), top);
    EXPECT_EQ(WindowFromPoint({ 60, 10 }), top);
    EXPECT_EQ(WindowFromPoint({ 110, 10 }), plain);
    EXPECT_EQ(WindowFromPoint({ 500, 500 }), nullptr);
    ShowWindow(hidden, SW_SHOW);
    EnableWindow(disabled, TRUE);
    EXPECT_EQ(WindowFromPoint({ 10, 10 }), hidden);
    EXPECT_EQ(WindowFromPoint({ 60, 10 }), disabled);
}

TEST_F(CoreTest, EnableWindowReportsThePreviousStateAndSendsEnable)
{
    HWND top = make_top();
    watch({ WM_ENABLE });
    EXPECT_FALSE(EnableWindow(top, FALSE));
    EXPECT_TRUE(EnableWindow(top, FALSE));
    EXPECT_FALSE(IsWindowEnabled(top));
    EXPECT_TRUE(EnableWindow(top, TRUE));
    EXPECT_EQ(count_of(top, WM_ENABLE), 2);
}

TEST_F(CoreTest, TheDesktopSizeIsSettable)
{
    platform::user::set_desktop_size(800, 659);
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(desktop.bottom, 659);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
}

TEST_F(CoreTest, ClassesRegisterOnceAndKeepTheirBackground)
{
    WNDCLASS wc {};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "ST_InfoWnd";
    wc.style = CS_SAVEBITS;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(0x1234);
    WNDCLASS found {};
    if (!GetClassInfo(nullptr, "ST_InfoWnd", &found)) {
        EXPECT_NE(RegisterClass(&wc), 0);
    }
    EXPECT_EQ(RegisterClass(&wc), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    ASSERT_TRUE(GetClassInfo(nullptr, "st_infownd", &found));
    EXPECT_EQ(found.style, CS_SAVEBITS);
    HWND w = CreateWindowEx(WS_EX_TOOLWINDOW, "ST_InfoWnd", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetClassLongPtr(w, GCLP_HBRBACKGROUND), 0x1234u);
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}
