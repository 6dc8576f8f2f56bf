// The tray's mode switches: the refusal while another user holds the adapter, the station and
// AP-client switches with their library calls, the prompt, the failures, and the arguments a
// VxSwap double receives and the trace shows.
#include "HotvaneAppHarness.h"

#include "platform/system/DebugOutput.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace hotvane;
using hotvane::testing::HotvaneAppHarness;
using hotvane::testing::ready_world;

namespace {

class SwitchTest : public HotvaneAppHarness {
protected:
    void SetUp() override
    {
        HotvaneAppHarness::SetUp();
        set_option("Settings", "DebugMode", "1");
        set_option("VxSwap", "SHORTCUT_FOLDER_NAME", "My Folder");
        set_option("VxSwap", "SHORTCUT_UI_NAME", "Say \"hi\" now");
        std::ofstream(folder() + "/Zorvel") << "";
        // The double of the mode switcher writes its arguments, one a line, into a pipe.
        m_fifo = folder() + "/swap.fifo";
        ::mkfifo(m_fifo.c_str(), 0600);
        m_reader = ::open(m_fifo.c_str(), O_RDWR | O_NONBLOCK);
        std::string const script = folder() + "/VxSwap";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$@\" '--' > '" << m_fifo << "'\n";
        ::chmod(script.c_str(), 0755);
    }
    void TearDown() override
    {
        ::close(m_reader);
        HotvaneAppHarness::TearDown();
    }

    // The double's arguments, or none when it did not run within 5 s.
    std::vector<std::string> swap_arguments()
    {
        std::string text;
        while (text.find("--\n") == std::string::npos) {
            pollfd readable { m_reader, POLLIN, 0 };
            if (::poll(&readable, 1, 5000) != 1)
                return {};
            char chunk[512];
            ssize_t const n = ::read(m_reader, chunk, sizeof chunk);
            if (n > 0)
                text.append(chunk, std::size_t(n));
        }
        std::vector<std::string> lines;
        std::stringstream in(text);
        for (std::string line; std::getline(in, line) && line != "--";)
            lines.push_back(line);
        return lines;
    }

    int set_op_mode_calls(int mode)
    {
        int n = 0;
        for (auto const& c : calls()) {
            int value = -1;
            if (c.name == "SetOPMode" && c.bytes.size() == sizeof value) {
                std::memcpy(&value, c.bytes.data(), sizeof value);
                n += value == mode;
            }
        }
        return n;
    }

    std::string m_fifo;
    int m_reader { -1 };
};

void fill_prompt(HWND prompt, char const* ssid, char const* key)
{
    ::SetWindowText(::GetDlgItem(prompt, 1628), ssid);
    ::SetWindowText(::GetDlgItem(prompt, 1246), key);
    ::PostMessage(prompt, WM_COMMAND, IDOK, 0);
}

}

TEST_F(SwitchTest, StationModeRefusedWhileAnotherUserHoldsTheAdapter)
{
    world(ready_world("more_than_one_user = 1\n"));
    on_running([&](CHideDlg& dialog) {
        clear_calls();
        dialog.SendMessage(WM_COMMAND, ID_TRAY_SWITCH_STATION);
        EXPECT_EQ(set_op_mode_calls(0), 0);
        EXPECT_TRUE(tray_icon());
    });
    run({ "-s" });
    ASSERT_EQ(platform::framework::message_box_log().size(), 1u);
    auto const& box = platform::framework::message_box_log()[0];
    EXPECT_EQ(box.text, G_UiStr.IDS_UI_LOCKED);
    EXPECT_EQ(box.caption, G_UiStr.IDS_APCONFIGMSG);
    EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONEXCLAMATION);
}

TEST_F(SwitchTest, StationModeHandsTheAdapterToVxSwap)
{
    platform::system::TraceCapture trace;
    bool ended = false;
    on_running([&](CHideDlg& dialog) {
        clear_calls();
        dialog.SendMessage(WM_COMMAND, ID_TRAY_SWITCH_STATION);
        ended = !tray_icon() && !dialog.sheet_open();
    });
    run();
    EXPECT_TRUE(ended);
    auto const names = call_names();
    std::vector<std::string> const expected_order { "SetOPMode", "RestoreStationSetting", "DeleteVistaWindowsProfile",
        "DisableDhcpServer", "DeInitial" };
    auto at = names.begin();
    for (auto const& name : expected_order) {
        at = std::find(at, names.end(), name);
        EXPECT_NE(at, names.end()) << name;
    }
    EXPECT_EQ(set_op_mode_calls(0), 1);
    EXPECT_TRUE(trace.contains("[Hotvane] call WinExec(): \"VxSwap.exe\" OFF Zorvel Hotvane \"My Folder\" \"Say \"hi\" now\" "
                               "\"Vexlor 802.11n USB Wireless LAN Card\""));
    EXPECT_EQ(swap_arguments(), (std::vector<std::string> { "OFF", "Zorvel", "Hotvane", "My Folder", "Say \"hi\" now",
                                    "Vexlor 802.11n USB Wireless LAN Card" }));
}

TEST_F(SwitchTest, APClientWithAnEmptyRecordAsksFirst)
{
    // Cancel: nothing changes.
    on_dialog("Extended AP Settings", [](HWND prompt) { ::PostMessage(prompt, WM_COMMAND, IDCANCEL, 0); });
    on_running([&](CHideDlg& dialog) {
        clear_calls();
        dialog.SendMessage(WM_COMMAND, ID_TRAY_SWITCH_APCLIENT);
        EXPECT_EQ(set_op_mode_calls(2), 0);
        EXPECT_EQ(count_calls("WriteExtAPConfig"), 0);
        EXPECT_TRUE(tray_icon());
    });
    run({ "-s" });

    // OK: the record is written with 20 peers, the mode set, the network set up, the program
    // ends and VxSwap takes over.
    platform::system::TraceCapture trace;
    on_dialog("Extended AP Settings", [](HWND prompt) { fill_prompt(prompt, "Attic AP", "secret key 1"); });
    on_running([&](CHideDlg& dialog) {
        clear_calls();
        dialog.SendMessage(WM_COMMAND, ID_TRAY_SWITCH_APCLIENT);
        EXPECT_FALSE(tray_icon());
    });
    run({ "-s" });
    auto const all = calls();
    auto written = std::find_if(all.begin(), all.end(), [](auto const& c) { return c.name == "WriteExtAPConfig"; });
    ASSERT_NE(written, all.end());
    ExtAPConfig record {};
    std::memcpy(&record, written->bytes.data(), sizeof record);
    EXPECT_EQ(record.MaxPeers, 20u);
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(record.Ssid), record.SsidLength), "Attic AP");
    EXPECT_EQ(set_op_mode_calls(2), 1);
    EXPECT_EQ(set_op_mode_calls(1), 0);
    auto const names = call_names();
    auto const setup = std::find(names.begin(), names.end(), "HostedNetworkSetup");
    EXPECT_LT(std::find(names.begin(), names.end(), "DeInitial"), names.end());
    EXPECT_LT(setup, std::find(setup, names.end(), "RestoreStationSetting"));
    EXPECT_TRUE(trace.contains("[Hotvane] No data saved for ExtAP! Show SSID/PWD dialog"));
    EXPECT_TRUE(trace.contains("[Hotvane] call WinExec(): \"VxSwap.exe\" OFFON Hotvane Zorvel \"My Folder\" "
                               "\"Say \"hi\" now\" \"{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP\""));
    EXPECT_EQ(swap_arguments(), (std::vector<std::string> { "OFFON", "Hotvane", "Zorvel", "My Folder", "Say \"hi\" now",
                                    "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP" }));
}

TEST_F(SwitchTest, APClientFailuresGoBackToAccessPointMode)
{
    static int reads = 0;
    struct Case {
        const char* name;
        std::string world;
        bool second_read_fails;
    };
    Case const cases[] = {
        { "set-up refused", ready_world("hosted_network = 0\n"), false },
        { "record not read back", ready_world(), true },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        world(c.world);
        platform::framework::message_box_log().clear();
        on_dialog("Extended AP Settings", [](HWND prompt) { fill_prompt(prompt, "Attic AP", "secret key 1"); });
        on_running([&](CHideDlg& dialog) {
            reads = 0;
            if (c.second_read_fails) {
                G_VxApApi.VXAP_ReadExtAPConfig.bind([](EXTAP_CONFIG_DATA* record) {
                    *record = EXTAP_CONFIG_DATA {};
                    return ++reads == 1 ? 1 : 0;
                });
            }
            clear_calls();
            dialog.SendMessage(WM_COMMAND, ID_TRAY_SWITCH_APCLIENT);
            EXPECT_TRUE(tray_icon());
            auto const names = call_names();
            auto const two = std::find(names.begin(), names.end(), "SetOPMode");
            ASSERT_NE(two, names.end());
            EXPECT_EQ(set_op_mode_calls(2), 1);
            EXPECT_EQ(set_op_mode_calls(1), 1);
            EXPECT_EQ(count_calls("RestoreStationSetting"), 0);
        });
        run({ "-s" });
        ASSERT_FALSE(platform::framework::message_box_log().empty());
        auto const& box = platform::framework::message_box_log().back();
        EXPECT_EQ(box.text, G_UiStr.IDS_MSG_SWITCH_APCLIENT_MODE_FAIL);
        EXPECT_EQ(box.caption, G_UiStr.IDS_APCONFIGMSG);
        EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONEXCLAMATION);
    }
}
