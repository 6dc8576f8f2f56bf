// End to end on the default simulated world with a stored active profile: the station utility
// connects after start, loses the link when its access point fades and reconnects when it is
// back, follows the adapter out and in, the hardware radio switch, sleep and resume, a user
// switch and the library's exit request, each changed through wlansim or the session switch.
// Each step's tray tip and window tree are read from a snapshot; the PNGs stay beside the
// test for review.
#include "config_window_harness.h"
#include "Wlansim.h"

#include "platform/display/GdiSurfaceSource.h"
#include "platform/display/Snapshots.h"
#include "platform/display/SystemTraySource.h"
#include "platform/system/Module.h"
#include "platform/system/Session.h"
#include "station/app/HideDlg.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using station::testing::wlansim;

using station::testing::ConfigWindowTest;

namespace {

std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string snapshot_folder(std::string const& name)
{
    std::filesystem::path const folder
        = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "watch_snapshots" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

// The windows.txt line of the control `id` whose class is `cls`, or "".
std::string window_line(std::string const& tree, char const* cls, int id)
{
    std::istringstream lines(tree);
    std::string const key = std::string("\t") + cls + "\t" + std::to_string(id) + "\t";
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("window\t", 0) == 0 && line.find(key) != std::string::npos)
            return line;
    return {};
}

// The state letters (V, E, F) of a windows.txt line: its seventh field.
std::string state_of(std::string const& line)
{
    std::istringstream fields(line);
    std::string field;
    for (int i = 0; i < 7 && std::getline(fields, field, '\t'); ++i) { }
    return field;
}

constexpr char kConnectedTip[] = "HomeNet 5G";
constexpr char kLostTip[] = "Not connected";
constexpr char kNoAdapterTip[] = "No wireless adapter found";

class WatchTest : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        // What a snapshot reads: the windows' pixels and the tray model.
        platform::display::set_surface_source(std::make_shared<platform::display::GdiSurfaceSource>());
        platform::display::set_tray_source(std::make_shared<platform::display::SystemTraySource>());
        world(read_file(std::string(VXWLAPI_FOLDER) + "/scenarios/default.ini"));
        options("0,1,9,10");
        wlansim("profile-add Home 'ssid=HomeNet 5G' auth=wpa2-psk cipher=aes 'key=correct horse battery'");
        wlansim("profile-activate Home");
    }

    void TearDown() override
    {
        platform::display::set_tray_source(nullptr);
        platform::display::set_surface_source(nullptr);
        ConfigWindowTest::TearDown();
    }


    static void settle()
    {
        using Settle = void (*)();
        if (auto const fn = reinterpret_cast<Settle>(GetProcAddress(G_VxWlLib.hModule, "VXSIM_Settle")))
            fn();
        platform::testing::pump_until_idle();
    }

    // Moves the clock in steps, letting the library deliver what each step brings.
    static void advance_settled(std::uint64_t ms)
    {
        settle();
        for (std::uint64_t t = 0; t < ms; t += 100) {
            platform::testing::advance(100);
            settle();
        }
    }

    struct Shot {
        std::string tray;
        std::string tree;
    };
    static Shot snapshot(std::string const& name)
    {
        platform::testing::pump_until_idle();
        std::string const folder = snapshot_folder(name);
        platform::display::write_snapshot(folder);
        return { read_file(folder + "/tray.txt"), read_file(folder + "/windows.txt") };
    }
};

}

TEST_F(WatchTest, TheUtilityKeepsItsLinkThroughLossRemovalRadioSleepAndUserSwitch)
{
    bool ended = false;
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg&) {
        advance_settled(6000);
        Shot shot = snapshot("1-connected");
        EXPECT_NE(shot.tray.find(kConnectedTip), std::string::npos) << shot.tray;

        wlansim("ap-signal wpa2-psk -97");
        advance_settled(2000);
        shot = snapshot("2-signal-lost");
        EXPECT_NE(shot.tray.find(kLostTip), std::string::npos) << shot.tray;
        EXPECT_EQ(dialog.tray_icon_id(), IDI_LOST);

        // Back in range: the library asks, and the reconnection follows 4 s later.
        wlansim("ap-signal wpa2-psk -52");
        advance_settled(3500);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_LOST);
        advance_settled(2500);
        shot = snapshot("3-reconnected");
        EXPECT_NE(shot.tray.find(kConnectedTip), std::string::npos) << shot.tray;

        wlansim("adapter pull wlan0");
        advance_settled(2500);
        shot = snapshot("4-adapter-pulled");
        EXPECT_NE(shot.tray.find(kNoAdapterTip), std::string::npos) << shot.tray;
        EXPECT_EQ(dialog.m_pVxUI, nullptr);

        wlansim("adapter insert wlan0");
        advance_settled(8000);
        shot = snapshot("5-adapter-back");
        EXPECT_NE(shot.tray.find(kConnectedTip), std::string::npos) << shot.tray;

        dialog.SendMessage(WM_COMMAND, ID_TRAY_LAUNCH);
        ASSERT_NE(dialog.m_pVxUI, nullptr);
        HICON const radio_on_icon = dialog.m_pVxUI->kind_button(BTN_RADIO)->hover_icon();
        wlansim("radio hw off");
        advance_settled(2000);
        shot = snapshot("6-radio-off");
        ASSERT_NE(dialog.m_pVxUI, nullptr);
        std::string const radio = window_line(shot.tree, "Button", CVxUI2008Dlg::IDC_BTN_RADIO);
        EXPECT_EQ(state_of(radio).find('E'), std::string::npos) << radio;
        EXPECT_NE(dialog.m_pVxUI->kind_button(BTN_RADIO)->hover_icon(), radio_on_icon);
        EXPECT_NE(shot.tray.find(kLostTip), std::string::npos) << shot.tray;

        wlansim("radio hw on");
        advance_settled(6000);
        shot = snapshot("7-radio-on");
        EXPECT_NE(state_of(window_line(shot.tree, "Button", CVxUI2008Dlg::IDC_BTN_RADIO)).find('E'), std::string::npos);
        EXPECT_NE(shot.tray.find(kConnectedTip), std::string::npos) << shot.tray;

        wlansim("power suspend");
        advance_settled(1000);
        // Asleep, the polling stops; the session and trace timers live on.
        EXPECT_FALSE(platform::testing::timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_RADIO));
        EXPECT_FALSE(platform::testing::timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_CHECK_CARD));
        EXPECT_TRUE(platform::testing::timer_period(dialog.m_hWnd, TIMER_HIDE_DLG_SESSION_ID));
        wlansim("power resume");
        advance_settled(8000);
        shot = snapshot("9-resumed");
        EXPECT_NE(shot.tray.find(kConnectedTip), std::string::npos) << shot.tray;

        platform::system::set_active_console_session(dialog.m_dwSessionId + 9);
        advance_settled(3000);
        EXPECT_TRUE(dialog.m_bSessionLock);
        shot = snapshot("10-other-user");
        EXPECT_NE(shot.tray.find(kLostTip), std::string::npos) << shot.tray;
        platform::system::set_active_console_session(dialog.m_dwSessionId);
        advance_settled(4000);
        EXPECT_FALSE(dialog.m_bSessionLock);
        shot = snapshot("11-back");
        EXPECT_NE(shot.tray.find(kConnectedTip), std::string::npos) << shot.tray;

        wlansim("station exit");
        HWND const hwnd = dialog.m_hWnd;
        for (int i = 0; i < 50 && ::IsWindow(hwnd) && !ended; ++i) {
            settle();
            ended = !::IsWindow(hwnd) || platform::system::TrayModel::the().icons().empty();
        }
        EXPECT_TRUE(ended);
    });
}
