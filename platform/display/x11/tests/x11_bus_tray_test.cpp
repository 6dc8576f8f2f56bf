// Which tray shows the icons, under a private Xvfb with a test tray manager and a private
// session bus with a test watcher: the desktop's tray on the bus while its watcher is there,
// else the XEmbed tray, else the presenter's fallback window.
// gtest goes before the X11 headers, whose None and Bool macros it would trip over.
#include "platform/display/tests/DisplayFixture.h"
#include "platform/display/tests/TestIcons.h"
#include "platform/display/tests/TrayDouble.h"
#include "platform/system/tests/PrivateBus.h"

#include "TestTrayManager.h"
#include "XvfbServer.h"

#include "platform/display/StatusNotifierTray.h"
#include "platform/display/x11/X11Display.h"
#include "platform/display/x11/X11Presenter.h"

using namespace platform::display;
using display_test::DisplayTest;
using display_test::TrayDouble;
using platform::system::testing::PrivateBus;

namespace {

constexpr UINT icon_id = 5;

class X11BusTrayTest : public XvfbSuite<DisplayTest> {
protected:
    void SetUp() override
    {
        XVFB_SKIP_WITHOUT_SERVER();
        DisplayTest::SetUp();
        if (m_bus.address().empty())
            GTEST_SKIP() << "no dbus-daemon";
        manager = std::make_unique<TestTrayManager>(server->display());
        owner = make_top("owner", RECT { 0, 0, 1, 1 }, WS_POPUP);
        sd_bus* bus = m_bus.client();
        ASSERT_NE(bus, nullptr);
        desktop = std::make_unique<TrayDouble>(bus);
    }

    void TearDown() override
    {
        if (!server->available() || m_bus.address().empty())
            return;
        DisplayTest::TearDown();
        set_desktop_tray(nullptr);
        bus_tray.reset();
        desktop.reset();
        manager.reset();
        DestroyIcon(icon);
    }

    void start()
    {
        std::string error;
        bus_tray = StatusNotifierTray::start(m_bus.address(), error);
        ASSERT_NE(bus_tray, nullptr) << error;
        set_desktop_tray(bus_tray);
        auto made = make_x11_presenter(server->display(), error);
        ASSERT_TRUE(made) << error;
        presenter = static_cast<x11::X11Display*>(made.get());
        install_presenter(std::move(made));
        icon = display_test::make_icon(0x00CC2211);
        tray->set({ TrayIcon { owner, icon_id, WM_USER + 100, icon, "Link is up" } });
        report_tray_changed();
    }

    // The presenter's tray after the bus and the X server have had their say, and the
    // manager has docked what asked.
    x11::TrayPlacement placement()
    {
        for (int round = 0; round < 2; ++round) {
            PrivateBus::until(desktop->bus(), [] { return true; });
            presenter->sync_with_server();
            manager->handle_requests();
        }
        platform::testing::pump_until_idle();
        return presenter->tray_placement(owner, icon_id);
    }

    PrivateBus m_bus;
    std::unique_ptr<TestTrayManager> manager;
    std::unique_ptr<TrayDouble> desktop;
    std::shared_ptr<StatusNotifierTray> bus_tray;
    x11::X11Display* presenter = nullptr;
    HWND owner {};
    HICON icon {};
};

}

TEST_F(X11BusTrayTest, TheBusTrayComesFirstThenXEmbedThenTheFallbackWindow)
{
    ASSERT_TRUE(desktop->become_watcher());
    ASSERT_TRUE(manager->start());
    start();
    ASSERT_TRUE(PrivateBus::until(desktop->bus(), [&] { return desktop->registered.size() == 1; }));
    EXPECT_EQ(placement(), x11::TrayPlacement::Absent) << "no XEmbed icon beside the desktop's own";
    EXPECT_TRUE(manager->docked().empty());

    desktop->stop_being_watcher();
    ASSERT_TRUE(PrivateBus::until(desktop->bus(), [&] { return !bus_tray->shows_icons(); }));
    EXPECT_EQ(placement(), x11::TrayPlacement::Docked);

    manager->stop();
    EXPECT_EQ(placement(), x11::TrayPlacement::Fallback);

    ASSERT_TRUE(desktop->become_watcher());
    ASSERT_TRUE(PrivateBus::until(desktop->bus(), [&] { return bus_tray->shows_icons(); }));
    EXPECT_EQ(placement(), x11::TrayPlacement::Absent) << "the fallback window is gone";
}
