#include "DisplayFixture.h"

#include "platform/display/Snapshots.h"
#include "platform/display/headless/HeadlessPresenter.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Png.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace platform::display;
using display_test::DisplayTest;

namespace {

class SnapshotTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        // One folder per test: CTest runs the tests of this suite side by side.
        std::string const test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = (std::filesystem::temp_directory_path() / ("snapshot_test_" + test + "_" + std::to_string(getpid()))).string();
        std::filesystem::remove_all(folder);
        install_presenter(std::make_unique<HeadlessPresenter>(SIZE { 800, 600 }));
    }

    // The pixel at (x, y) of a PNG file, as 0x00RRGGBB.
    static std::uint32_t png_pixel(std::string const& path, int x, int y)
    {
        HBITMAP bitmap = platform::gdi::read_png(path);
        if (!bitmap)
            return 0xFFFFFFFFu;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        COLORREF c = GetPixel(dc, x, y);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }

    static std::string read_text(std::string const& path)
    {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    void TearDown() override
    {
        std::filesystem::remove_all(folder);
        DisplayTest::TearDown();
    }

    bool exists(char const* name) const { return std::filesystem::exists(folder + "/" + name); }

    std::string folder;
};

}

TEST_F(SnapshotTest, WritesVisibleWindowsTopFirstAndTheTray)
{
    HWND lower = make_top("Status / link", { 0, 0, 30, 20 });
    HWND upper = make_top("Zorvel", { 10, 10, 50, 30 });
    HWND hidden = make_top("hidden", { 0, 0, 10, 10 }, WS_POPUP);
    surfaces->set_colour(lower, 0x00FF0000);
    surfaces->set_colour(upper, 0x000000FF);
    surfaces->set_colour(hidden, 0x0000FF00);
    tray->set({ TrayIcon { upper, 100, WM_APP, nullptr, "Connected\tto \"net\"\nline two" } });

    auto written = write_snapshot(folder);
    EXPECT_EQ(written, (std::vector<std::string> { "01-Zorvel.png", "02-Status___link.png", "tray.txt", "windows.txt" }));
    EXPECT_EQ(png_pixel(folder + "/01-Zorvel.png", 39, 19), 0x0000FFu);
    EXPECT_EQ(png_pixel(folder + "/02-Status___link.png", 0, 0), 0xFF0000u);
    EXPECT_EQ(read_text(folder + "/tray.txt"), "100\tConnected\\tto \"net\"\\nline two\n");
}

TEST_F(SnapshotTest, SessionWritesOnSignalAndAtItsEndAndDropsStaleFiles)
{
    HWND first = make_top("first", { 0, 0, 8, 8 });
    surfaces->set_colour(first, 0x00123456);
    {
        SnapshotSession session(folder);
        std::raise(SIGUSR1);
        // The watcher thread queues the snapshot on the loop: wait for that message.
        for (int i = 0; i < 100 && session.count() == 0; ++i) {
            WaitMessage();
            platform::testing::pump_until_idle();
        }
        EXPECT_EQ(session.count(), 1);
        EXPECT_TRUE(exists("01-first.png"));
        EXPECT_TRUE(exists("tray.txt"));

        DestroyWindow(first);
        HWND second = make_top("second", { 0, 0, 8, 8 });
        surfaces->set_colour(second, 0x00654321);
    }
    EXPECT_FALSE(exists("01-first.png"));
    EXPECT_TRUE(exists("01-second.png"));
    EXPECT_EQ(png_pixel(folder + "/01-second.png", 7, 7), 0x654321u);
}
