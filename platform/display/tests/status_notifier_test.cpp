// The desktop's tray over D-Bus, against a private bus with a test double of the desktop's
// watcher and host.
#include "DisplayFixture.h"
#include "TestIcons.h"
#include "TrayDouble.h"

#include "platform/display/StatusNotifierTray.h"
#include "platform/system/tests/PrivateBus.h"

#include <systemd/sd-bus.h>

using namespace platform::display;
using display_test::DisplayTest;
using display_test::Pixmap;
using display_test::TrayDouble;
using platform::system::testing::PrivateBus;

namespace {

constexpr UINT tray_callback = WM_USER + 100;

struct Mouse {
    UINT id;
    UINT message;
    POINT cursor;
};
std::vector<Mouse> g_mouse;

LRESULT tray_owner_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == tray_callback)
        g_mouse.push_back({ static_cast<UINT>(wparam), static_cast<UINT>(lparam), platform::user::cursor_position() });
    return DefWindowProc(hwnd, message, wparam, lparam);
}

class TrayRecorder final : public Presenter {
public:
    void damaged(HWND, RECT const&) override { }
    void tray_changed() override { ++changes; }
    std::string_view name() const override { return "recorder"; }
    int changes = 0;
};

class StatusNotifierTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (m_bus.address().empty())
            GTEST_SKIP() << "no dbus-daemon";
        g_mouse.clear();
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc {};
            wc.lpfnWndProc = tray_owner_proc;
            wc.lpszClassName = "TrayOwner";
            registered = RegisterClass(&wc) != 0;
        }
        owner = CreateWindowEx(0, "TrayOwner", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
        sd_bus* bus = m_bus.client();
        ASSERT_NE(bus, nullptr);
        desktop = std::make_unique<TrayDouble>(bus);
        auto recorder = std::make_unique<TrayRecorder>();
        presenter = recorder.get();
        install_presenter(std::move(recorder));
    }

    void TearDown() override
    {
        set_desktop_tray(nullptr);
        bus_tray.reset();
        desktop.reset();
        for (HICON icon : m_icons)
            DestroyIcon(icon);
        DisplayTest::TearDown();
    }

    void start_tray()
    {
        std::string error;
        bus_tray = StatusNotifierTray::start(m_bus.address(), error);
        ASSERT_NE(bus_tray, nullptr) << error;
        set_desktop_tray(bus_tray);
    }

    HICON icon_of(std::uint32_t colour)
    {
        m_icons.push_back(display_test::make_icon(colour));
        return m_icons.back();
    }

    // What Shell_NotifyIcon would have done: the icons change and everybody is told.
    void show(std::vector<TrayIcon> icons)
    {
        tray->set(std::move(icons));
        report_tray_changed();
    }

    bool until(std::function<bool()> const& done) { return PrivateBus::until(desktop->bus(), done); }

    PrivateBus m_bus;
    HWND owner {};
    std::unique_ptr<TrayDouble> desktop;
    std::shared_ptr<StatusNotifierTray> bus_tray;
    TrayRecorder* presenter {};
    std::vector<HICON> m_icons;
};

// The pixel at (x, y) of a pixmap: ARGB in network byte order.
std::vector<std::uint8_t> pixel(Pixmap const& pixmap, int x, int y)
{
    std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(pixmap.width) + static_cast<std::size_t>(x)) * 4;
    if (at + 4 > pixmap.bytes.size())
        return {};
    return { pixmap.bytes.begin() + static_cast<std::ptrdiff_t>(at), pixmap.bytes.begin() + static_cast<std::ptrdiff_t>(at) + 4 };
}

}

TEST_F(StatusNotifierTest, IconRegistersWithTheWatcherAndItsTipAndPixmapFollowTheModel)
{
    ASSERT_TRUE(desktop->become_watcher());
    start_tray();
    EXPECT_TRUE(bus_tray->shows_icons()) << "a watcher was there at the start";

    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "Link is up" } });
    ASSERT_TRUE(until([&] { return desktop->registered.size() == 1; }));
    auto item = desktop->registered[0];
    EXPECT_EQ(item.sender, bus_tray->bus_name());
    EXPECT_TRUE(presenter_tray_icons().empty()) << "the presenter shows no icon of its own";
    EXPECT_EQ(tray_icons().size(), 1u) << "snapshots still list it";

    EXPECT_EQ(desktop->tool_tip(item), "Link is up|");
    EXPECT_EQ(desktop->text_property(item, "Status"), "Active");
    EXPECT_EQ(desktop->text_property(item, "Category"), "ApplicationStatus");
    Pixmap image = desktop->pixmap(item);
    ASSERT_EQ(image.width, display_test::icon_side);
    ASSERT_EQ(image.height, display_test::icon_side);
    EXPECT_EQ(pixel(image, 0, 0), (std::vector<std::uint8_t> { 0, 0, 0, 0 })) << "masked: transparent";
    EXPECT_EQ(pixel(image, 15, display_test::transparent_rows), (std::vector<std::uint8_t> { 0xFF, 0xCC, 0x22, 0x11 }));

    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "Weak signal" } });
    ASSERT_TRUE(until([&] { return desktop->new_tips == 1; }));
    EXPECT_EQ(desktop->new_icons, 0) << "the same image under a new handle is no new icon";
    EXPECT_EQ(desktop->tool_tip(item), "Weak signal|");

    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00003377), "Weak signal" } });
    ASSERT_TRUE(until([&] { return desktop->new_icons == 1; }));
    EXPECT_EQ(desktop->new_tips, 1);
    EXPECT_EQ(pixel(desktop->pixmap(item), 3, 9), (std::vector<std::uint8_t> { 0xFF, 0x00, 0x33, 0x77 }));
    EXPECT_EQ(desktop->registered.size(), 1u) << "a changed icon registers once";
}

TEST_F(StatusNotifierTest, ActivateIsADoubleClickAndContextMenuARightClick)
{
    ASSERT_TRUE(desktop->become_watcher());
    start_tray();
    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "Link is up" } });
    ASSERT_TRUE(until([&] { return desktop->registered.size() == 1; }));
    auto item = desktop->registered[0];

    struct Case {
        char const* method;
        POINT at;
        std::vector<UINT> expected;
    };
    Case const cases[] = {
        // The programs open their window on WM_LBUTTONDBLCLK and their menu on WM_RBUTTONDOWN.
        { "Activate", { 1200, 790 }, { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP } },
        { "ContextMenu", { 1210, 795 }, { WM_RBUTTONDOWN, WM_RBUTTONUP } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.method);
        g_mouse.clear();
        ASSERT_TRUE(desktop->call(item, c.method, c.at.x, c.at.y));
        ASSERT_TRUE(until([&] { return g_mouse.size() == c.expected.size(); }));
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(g_mouse[i].id, 7u);
            EXPECT_EQ(g_mouse[i].message, c.expected[i]) << i;
            // The menu opens where the host says the pointer is.
            EXPECT_EQ(g_mouse[i].cursor.x, c.at.x);
            EXPECT_EQ(g_mouse[i].cursor.y, c.at.y);
        }
    }
}

TEST_F(StatusNotifierTest, WithoutAWatcherThePresenterShowsTheIconsUntilOneComes)
{
    start_tray();
    EXPECT_FALSE(bus_tray->shows_icons());
    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "Link is up" } });
    EXPECT_EQ(presenter_tray_icons().size(), 1u);

    int changes = presenter->changes;
    ASSERT_TRUE(desktop->become_watcher());
    // The presenter is told to look again.
    ASSERT_TRUE(until([&] {
        return desktop->registered.size() == 1 && bus_tray->shows_icons() && presenter->changes > changes;
    }));
    EXPECT_TRUE(presenter_tray_icons().empty());
    EXPECT_EQ(desktop->tool_tip(desktop->registered[0]), "Link is up|");

    desktop->stop_being_watcher();
    ASSERT_TRUE(until([&] { return !bus_tray->shows_icons(); }));
    EXPECT_EQ(presenter_tray_icons().size(), 1u) << "back to the presenter's own tray";
}

TEST_F(StatusNotifierTest, AWatcherThatRefusesTheIconLeavesItToThePresenter)
{
    ASSERT_TRUE(desktop->become_watcher());
    desktop->refuse = true;
    start_tray();
    EXPECT_TRUE(bus_tray->shows_icons());
    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "Link is up" } });
    ASSERT_TRUE(until([&] { return !bus_tray->shows_icons(); }));
    EXPECT_EQ(presenter_tray_icons().size(), 1u);
}

TEST_F(StatusNotifierTest, ARemovedIconLeavesTheBusAndTheOthersComeBack)
{
    // Watchers forget an item when its bus name goes.
    ASSERT_TRUE(desktop->become_watcher());
    start_tray();
    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "First" },
        TrayIcon { owner, 8, tray_callback, icon_of(0x00003377), "Second" } });
    ASSERT_TRUE(until([&] { return desktop->registered.size() == 2; }));
    std::string first_name = desktop->registered[0].sender;

    show({ TrayIcon { owner, 8, tray_callback, icon_of(0x00003377), "Second" } });
    ASSERT_TRUE(until([&] { return desktop->registered.size() == 3; }));
    EXPECT_FALSE(desktop->has_owner(first_name));
    auto again = desktop->registered[2];
    EXPECT_NE(again.sender, first_name);
    EXPECT_EQ(desktop->tool_tip(again), "Second|");
    EXPECT_TRUE(bus_tray->shows_icons());
}

TEST_F(StatusNotifierTest, ASessionBusThatGoesLeavesTheIconsToThePresenter)
{
    ASSERT_TRUE(desktop->become_watcher());
    start_tray();
    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "Link is up" } });
    ASSERT_TRUE(until([&] { return desktop->registered.size() == 1; }));
    int changes = presenter->changes;

    m_bus.stop();
    ASSERT_TRUE(until([&] { return !bus_tray->shows_icons() && presenter->changes > changes; }));
    EXPECT_EQ(presenter_tray_icons().size(), 1u);
}
