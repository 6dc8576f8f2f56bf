// Handing the adapter over: the tray's mode commands end the program and start the real mode
// switcher (a copy in the program's folder), whose "swap.log" in the store shows the command
// line it received; the configuration-tool commands drive the service and registry stand-ins.
// The program runs in the test's process on the manual clock; the switcher is waited for with
// bounded polls.
#include "config_window_harness.h"
#include "Wlansim.h"

#include "platform/display/Snapshots.h"
#include "platform/system/Registry.h"
#include "platform/system/Services.h"
#include "station/app/SwapCommand.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/core/Trace.h"
#include "station/core/tests/CoreTestSupport.h"
#include "station/features/StationExtAPPrompt.h"
#include "station/features/extap/ExtAPSsidPWDlg.h"
#include "wlan/sim/Store.h"

#include <chrono>
#include <filesystem>
#include <spawn.h>
#include <signal.h>
#include <sys/wait.h>
#include <thread>

using station::testing::wlansim;

extern char** environ;

namespace {

namespace fs = std::filesystem;
using station::testing::ConfigWindowTest;
using station::testing::Machine;
using station::testing::TraceAt;

constexpr char kVirtualAdapter[] = "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP";
constexpr char kAdapter[] = "Test USB Wireless LAN Card";
constexpr char kFolder[] = "Vexlor Wireless";
constexpr char kIcon[] = "Vexlor Wireless Utility";
constexpr char kInterfaceKey[] = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{wlan0}";

std::vector<std::string> split(std::string const& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

fs::path snapshot_step(std::string const& step);

class ModeSwitchTest : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        // The switcher beside the program, with the libraries it finds beside itself.
        fs::copy_file(std::string(VXWLAPI_FOLDER) + "/VxSwap", folder() + "/VxSwap");
        for (auto const& entry : fs::directory_iterator(VXWLAPI_FOLDER)) {
            std::string const name = entry.path().filename().string();
            if (name.rfind("lib", 0) == 0 && entry.path().extension() == ".so")
                fs::create_symlink(entry.path(), folder() + "/" + name);
        }
        options("", { { "DebugMode", "3" } });
    }
    void TearDown() override
    {
        for (pid_t pid : m_blockers) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        ConfigWindowTest::TearDown();
    }

    // The machine's world with more keys at the end of its [world] section (the last value of
    // a key holds).
    void world_with(Machine const& m, std::string const& keys)
    {
        machine(m);
        std::ifstream in(folder() + "/world.ini");
        std::string text((std::istreambuf_iterator<char>(in)), {});
        text.insert(text.find("\n[") + 1, keys);
        world(text);
    }

    // The switcher's lines so far, each split into its fields (time, name, arguments, outcome).
    std::vector<std::vector<std::string>> swap_log() const
    {
        std::ifstream in(folder() + "/store/swap.log");
        std::vector<std::vector<std::string>> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(split(line, '\t'));
        return lines;
    }
    // The switcher's first line, once it wrote one (it waits for the program's end first).
    std::vector<std::string> switcher_line()
    {
        for (int waited = 0; waited < 20000; waited += 20) {
            if (auto lines = swap_log(); !lines.empty())
                return lines.front();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ADD_FAILURE() << "the switcher wrote nothing";
        return {};
    }
    // The six arguments of a line, with the log's escapes (\\, \t, \n, \r) undone.
    static std::vector<std::string> arguments_of(std::vector<std::string> const& line)
    {
        std::vector<std::string> arguments;
        for (std::size_t i = 2; line.size() >= 9 && i < 8; ++i) {
            std::string plain;
            for (std::size_t k = 0; k < line[i].size(); ++k) {
                char c = line[i][k];
                if (c == '\\' && k + 1 < line[i].size()) {
                    char const next = line[i][++k];
                    c = next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
                }
                plain += c;
            }
            arguments.push_back(plain);
        }
        return arguments;
    }

    wlan::sim::Store store() const { return wlan::sim::Store(folder() + "/store"); }
    void store_hosted_record(char const* ssid, char const* key)
    {
        ExtAPConfig record {};
        record.SsidLength = std::uint32_t(std::strlen(ssid));
        std::memcpy(record.Ssid, ssid, record.SsidLength);
        record.KeyLength = std::uint32_t(std::strlen(key));
        std::memcpy(record.Key, key, record.KeyLength);
        record.MaxPeers = 20;
        auto s = store();
        ASSERT_TRUE(s.write_record("extap", record));
    }

    // A process running under `name`, as another switch or the other owner of the adapter.
    void run_process_named(std::string const& name)
    {
        fs::create_directories(folder() + "/others");
        std::string const path = folder() + "/others/" + name;
        fs::copy_file("/bin/sleep", path);
        char* argv[] = { const_cast<char*>(path.c_str()), const_cast<char*>("60"), nullptr };
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ), 0);
        m_blockers.push_back(pid);
    }

    static void command(CHideDlg& dialog, UINT id)
    {
        dialog.SendMessage(WM_COMMAND, id);
        platform::testing::pump_until_idle();
    }

    static DWORD control_flags(DWORD* type = nullptr)
    {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kInterfaceKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return 0xDEAD;
        DWORD flags = 0, size = sizeof flags, found = 0;
        RegQueryValueEx(key, "ControlFlags", nullptr, &found, reinterpret_cast<BYTE*>(&flags), &size);
        RegCloseKey(key);
        if (type)
            *type = found;
        return flags;
    }
    static void set_control_flags(DWORD flags, DWORD type)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kInterfaceKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
        RegSetValueEx(key, "ControlFlags", 0, type, reinterpret_cast<BYTE const*>(&flags), sizeof flags);
        RegCloseKey(key);
    }

    std::vector<pid_t> m_blockers;
};

// [SECTION] The command lines

TEST(SwapCommand, WordsAndProgramName)
{
    using namespace station::app;
    struct ModeCase { int mode; char const* word; };
    for (auto const& c : { ModeCase { 0, "OFF" }, ModeCase { 1, "ON" }, ModeCase { 2, "ON" }, ModeCase { 3, "OFF" }, ModeCase { -1, "OFF" } })
        EXPECT_STREQ(SwapWordForMode(c.mode), c.word) << c.mode;
    struct KindCase { int current; int kind; char const* word; };
    for (auto const& c : { KindCase { 0, 0, "OFF" }, KindCase { 2, 0, "OFF" }, KindCase { 1, 2, "ON" }, KindCase { 0, 1, "ON" },
             KindCase { 2, 1, "OFFON" }, KindCase { 1, 1, "OFF" }, KindCase { 0, 7, "OFF" } })
        EXPECT_STREQ(SwapWordForKind(c.current, c.kind), c.word) << c.current << "/" << c.kind;
    EXPECT_EQ(ProgramBaseName("C:\\Program Files\\Zorvel.exe"), "Zorvel");
    EXPECT_EQ(ProgramBaseName("/opt/v1.2/Zorvel"), "Zorvel");
    EXPECT_EQ(ProgramBaseName("/opt/" + std::string(200, 'z') + ".exe"), std::string(127, 'z'));
}

struct SwitchCase {
    char const* name;
    int os;
    int stored_mode;
    UINT command;
    std::vector<std::string> arguments;
    std::uint32_t stored_after;
};

class SwitchCommandTest : public ModeSwitchTest, public ::testing::WithParamInterface<SwitchCase> { };

TEST_P(SwitchCommandTest, TheSwitcherReceivesTheCommandLineAndTheModeIsStored)
{
    SwitchCase const& c = GetParam();
    world_with(Machine { c.os, true, 0, true, true }, "op_mode = " + std::to_string(c.stored_mode) + "\n");
    store_hosted_record("Hosted", "hosted-key-1");
    TraceAt trace(TRACE_STEP);
    bool ended = false;
    on_running([&](CHideDlg& dialog) {
        HWND const hwnd = dialog.m_hWnd;
        command(dialog, c.command);
        ended = !::IsWindow(hwnd) || !tray_icon();
    });
    run();
    EXPECT_TRUE(ended);
    auto const line = switcher_line();
    ASSERT_EQ(line.size(), 9u);
    EXPECT_EQ(line[1], "VxSwap");
    EXPECT_EQ(arguments_of(line), c.arguments);
    EXPECT_EQ(store().read_u32("op_mode"), c.stored_after);
    // The trace keeps the command as one text.
    std::string formatted = "[Kivra] WinExec: \"VxSwap.exe\" " + c.arguments[0] + " " + c.arguments[1] + " " + c.arguments[2];
    for (int i = 3; i < 6; ++i)
        formatted += " \"" + c.arguments[std::size_t(i)] + "\"";
    EXPECT_TRUE(trace.contains(formatted)) << formatted;
}

INSTANTIATE_TEST_SUITE_P(Table, SwitchCommandTest,
    ::testing::Values(
        SwitchCase { "ApFromStationOn12", 12, 0, ID_TRAY_SWITCH_AP_MODE, { "ON", "Zorvel", "Hotvane", kFolder, kIcon, kAdapter }, 1 },
        SwitchCase { "ApFromClientOn12", 12, 2, ID_TRAY_SWITCH_AP_MODE, { "OFFON", "Zorvel", "Hotvane", kFolder, kIcon, kAdapter }, 1 },
        SwitchCase { "StationOn12", 12, 2, ID_TRAY_SWITCH_STA_MODE, { "OFF", "Zorvel", "Zorvel", kFolder, kIcon, kVirtualAdapter }, 0 },
        SwitchCase { "ClientOn12", 12, 0, ID_TRAY_SWITCH_APCLIENT_MODE, { "ON", "Zorvel", "Zorvel", kFolder, kIcon, kVirtualAdapter }, 2 },
        SwitchCase { "ApFromStationOn8", 8, 0, ID_TRAY_SWITCH_AP_MODE, { "ON", "Zorvel", "Hotvane", kFolder, kIcon, kAdapter }, 1 },
        SwitchCase { "StationOn8", 8, 0, ID_TRAY_SWITCH_STA_MODE, { "OFF", "Zorvel", "Hotvane", kFolder, kIcon, kAdapter }, 0 }),
    [](auto const& info) { return std::string(info.param.name); });

TEST_F(ModeSwitchTest, OptionValuesWithBlanksQuotesAndShellTextArriveIntact)
{
    std::string const ui = "Hot \"vane\" $(touch " + folder() + "/pwned)";
    options("", { { "SoftAP_UIName", ui }, { "ShortCut_FolderName", "My 'Folder'; ls" }, { "ShortCut_IconName", "Icon `id` |" } });
    on_running([&](CHideDlg& dialog) { command(dialog, ID_TRAY_SWITCH_AP_MODE); });
    run();
    EXPECT_EQ(arguments_of(switcher_line()),
        (std::vector<std::string> { "ON", "Zorvel", ui, "My 'Folder'; ls", "Icon `id` |", kAdapter }));
    EXPECT_FALSE(fs::exists(folder() + "/pwned"));
}

// On newer systems a switch under way or the other owner of the adapter refuses the switch,
// after the program ended; older systems do not look.
TEST_F(ModeSwitchTest, ARunningSwitcherOrOwnerRefusesTheSwitchOnNewerSystems)
{
    struct Case {
        int os;
        char const* running;
        bool refused;
    };
    Case const cases[] { { 12, "VxSwap", true }, { 12, "VxSwapEx", true }, { 12, "Ostrel", true }, { 8, "Ostrel", false } };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.running) + " on " + std::to_string(c.os));
        TearDown();
        SetUp();
        machine(Machine { c.os, true, 0, true, true });
        run_process_named(c.running);
        TraceAt trace(TRACE_STEP);
        on_running([&](CHideDlg& dialog) { command(dialog, ID_TRAY_SWITCH_AP_MODE); });
        run();
        EXPECT_EQ(trace.contains(std::string("[Kivra] ") + c.running + ".exe has been running!"), c.refused);
        bool started = false;
        for (auto const& line : trace.lines())
            started = started || line.find("[Kivra] WinExec:") != std::string::npos;
        EXPECT_EQ(started, !c.refused);
        if (!c.refused)
            switcher_line();
    }
}

// [SECTION] Refusals of the access point switch

TEST_F(ModeSwitchTest, AccessPointSwitchRefusals)
{
    struct Case {
        char const* name;
        std::string world_keys;
        bool wlan_service_stopped;
        char const* title;
        std::string text;
    };
    Case const cases[] {
        { "another user", "more_than_one_user = 1\n", false, "Zorvel", "The utility is busy. Please wait." },
        { "radio off", "", false, "Pelka", "The radio is off. Turn it on first." },
        { "AutoConfig stopped", "", true, "Pelka", "Please turn on AutoConfig service" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        world_with(Machine { 12, true, 0, true, std::string(c.name) != "radio off" }, c.world_keys);
        TraceAt trace(TRACE_STEP);
        std::string shown;
        bool window_disabled = false;
        on_dialog(c.title, [&](HWND box) {
            char text[256] {};
            ::GetDlgItemText(box, std::string(c.title) == "Pelka" ? CMessageBoxDlg::kMessageId : message_box_text_id, text,
                sizeof text);
            shown = text;
            if (g_pHideDlg && g_pHideDlg->m_pVxUI && g_pHideDlg->m_pVxUI->m_hWnd)
                window_disabled = !g_pHideDlg->m_pVxUI->IsWindowEnabled();
            ::PostMessage(box, WM_COMMAND, IDOK, 0);
        });
        bool running_after = false;
        bool enabled_after = false;
        on_running([&](CHideDlg& dialog) {
            if (c.wlan_service_stopped)
                platform::system::set_service_state("Wlansvc", SERVICE_STOPPED);
            command(dialog, ID_TRAY_SWITCH_AP_MODE);
            running_after = ::IsWindow(dialog.m_hWnd) && tray_icon().has_value();
            enabled_after = dialog.m_pVxUI && dialog.m_pVxUI->IsWindowEnabled();
        });
        run();
        EXPECT_EQ(shown, c.text);
        EXPECT_TRUE(running_after);
        if (std::string(c.name) == "radio off") {
            EXPECT_TRUE(window_disabled);
            EXPECT_TRUE(enabled_after);
        }
        EXPECT_FALSE(trace.contains("[Kivra] call VXWL_SetAndWriteOPMode(1)"));
        EXPECT_TRUE(swap_log().empty());
    }
}

// [SECTION] Access point client mode

TEST_F(ModeSwitchTest, ClientModeAsksOnceForTheNetworkAndCancelStops)
{
    TraceAt trace(TRACE_STEP);
    BOOL running_during = FALSE;
    on_dialog("Extended AP Settings", [&](HWND dlg) {
        running_during = g_pHideDlg->m_bDialogRunning;
        ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(CStationExtAPPrompt::kCancel, BN_CLICKED),
            reinterpret_cast<LPARAM>(::GetDlgItem(dlg, CStationExtAPPrompt::kCancel)));
    });
    bool running_after = false;
    on_running([&](CHideDlg& dialog) {
        command(dialog, ID_TRAY_SWITCH_APCLIENT_MODE);
        running_after = ::IsWindow(dialog.m_hWnd) && !dialog.m_bDialogRunning;
    });
    run();
    EXPECT_TRUE(running_during);
    EXPECT_TRUE(running_after);
    EXPECT_TRUE(trace.contains("[Kivra] No data saved for ExtAP! Show SSID/PWD dialog"));
    EXPECT_TRUE(trace.contains("[Kivra] Cancel ExtAP SSID/PWD dialog!"));
    EXPECT_EQ(store().read_u32("op_mode").value_or(0), 0u);
    EXPECT_TRUE(swap_log().empty());
}

TEST_F(ModeSwitchTest, AFailedHostedNetworkSetUpGoesBackToStationModeAndOpensTheWindow)
{
    world_with(Machine {}, "hosted_network = 0\n");
    store_hosted_record("Hosted", "hosted-key-1");
    std::string shown;
    on_dialog("Pelka", [&](HWND box) {
        char text[256] {};
        ::GetDlgItemText(box, CMessageBoxDlg::kMessageId, text, sizeof text);
        shown = text;
        ::PostMessage(box, WM_COMMAND, IDOK, 0);
    });
    bool window_open = false;
    BOOL hide_ap_button = FALSE;
    on_running([&](CHideDlg& dialog) {
        // The first polling tick finds the adapter; the window opens only for one found.
        dialog.m_bDeviceExist = TRUE;
        if (dialog.m_pVxUI && dialog.m_pVxUI->m_hWnd)
            dialog.m_pVxUI->ShowWindow(SW_HIDE);
        command(dialog, ID_TRAY_SWITCH_APCLIENT_MODE);
        window_open = dialog.m_pVxUI && dialog.m_pVxUI->m_hWnd && dialog.m_pVxUI->IsWindowVisible();
        hide_ap_button = dialog.m_bHideAPButton;
    });
    run();
    EXPECT_EQ(shown, "Could not switch to access point client mode.");
    EXPECT_TRUE(window_open);
    EXPECT_TRUE(hide_ap_button);
    EXPECT_EQ(store().read_u32("op_mode").value_or(9), 0u);
    EXPECT_TRUE(swap_log().empty());
}

// The radio going off in access point client mode puts the driver back into station mode; an
// administrator's utility ends and the switcher brings the station utility back.
TEST_F(ModeSwitchTest, RadioOffInClientModeHandsTheAdapterBack)
{
    world_with(Machine {}, "op_mode = 2\n");
    on_running([&](CHideDlg& dialog) {
        HWND const hwnd = dialog.m_hWnd;
        G_VxWlLib.VXWL_SetAndWriteRadioState(0);
        for (int i = 0; i < 20 && ::IsWindow(hwnd) && tray_icon(); ++i) {
            platform::testing::advance(100);
            platform::testing::pump_until_idle();
        }
    });
    run();
    EXPECT_EQ(arguments_of(switcher_line()),
        (std::vector<std::string> { "OFF", "Zorvel", "Zorvel", kFolder, kIcon, kVirtualAdapter }));
    EXPECT_EQ(store().read_u32("hosted_running").value_or(1), 0u);
}

// [SECTION] The configuration tool

TEST_F(ModeSwitchTest, StartingTheZeroConfigurationService)
{
    struct Case {
        char const* name;
        DWORD flags_before;
        DWORD type;
        DWORD state_before;
        DWORD flags_after;
        bool stopped_first;
    };
    Case const cases[] {
        { "bit set, service idle", 0x8000, REG_DWORD, SERVICE_STOPPED, 0x8000, false },
        { "bit set, service running", 0x8000, REG_DWORD, SERVICE_RUNNING, 0x8000, false },
        { "bit clear, service running", 0x0001, REG_BINARY, SERVICE_RUNNING, 0x8001, true },
    };
    machine(Machine { 8, true, 0, true, true });
    on_running([&](CHideDlg& dialog) {
        for (auto const& c : cases) {
            SCOPED_TRACE(c.name);
            set_control_flags(c.flags_before, c.type);
            platform::system::set_service_state("WZCSVC", c.state_before);
            TraceAt trace(TRACE_STEP);
            dialog.StartXpZeroConfig();
            DWORD type = 0;
            EXPECT_EQ(control_flags(&type), c.flags_after);
            EXPECT_EQ(type, c.type);
            EXPECT_EQ(trace.contains("[Kivra] --> CHideDlg::StopXpZeroConfig"), c.stopped_first);
            EXPECT_EQ(platform::system::service_state("WZCSVC"), SERVICE_RUNNING);
            EXPECT_EQ(platform::system::service_start_type("WZCSVC"), SERVICE_AUTO_START);
        }
        dialog.StopXpZeroConfig(TRUE);
        EXPECT_EQ(platform::system::service_state("WZCSVC"), SERVICE_STOPPED);
        EXPECT_EQ(platform::system::service_start_type("WZCSVC"), SERVICE_DEMAND_START);
        EXPECT_EQ(control_flags(), 0x8001u);
    });
    run();
}

// The choice of configuration tool a first start finds, on an older system.
TEST_F(ModeSwitchTest, TheStoredChoiceOfConfigurationToolIsAppliedOnce)
{
    struct Case {
        char const* name;
        int config_tool;
        int zero_config;
        bool chosen_before;
        char const* trace;
        int zero_config_after;
    };
    Case const cases[] {
        { "already chosen", 0, 0, true, nullptr, 0 },
        { "service chosen", 0, 0, false, "[Kivra] ConfigToolSelect is 0, call OnTraySwitchZeroConfig()", 2 },
        { "service chosen and running", 0, 2, false, nullptr, 2 },
        { "own tool chosen", 1, 2, false, "[Kivra] ConfigToolSelect is 1, call OnTraySwitchVxconfig()", 0 },
        { "other choice", 7, 2, false, "[Kivra] ConfigToolSelect is neither 0 nor 1, call OnTraySwitchVxconfig()", 0 },
        { "own tool and own tool", 1, 0, false, nullptr, 0 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        world_with(Machine { 8, true, c.zero_config, true, true }, "config_tool = " + std::to_string(c.config_tool) + "\n");
        if (c.chosen_before)
            store().write_text("config_tool.chosen", "1");
        TraceAt trace(TRACE_STEP);
        int zero_config_after = -1;
        on_running([&](CHideDlg&) { zero_config_after = G_VxWlLib.VXWL_IsZeroConfig(); });
        run();
        EXPECT_EQ(trace.contains("[Kivra] VXWL_RunOnceInitConfigTool() return not VXWL_ERROR_SUCCESS"), !c.chosen_before);
        for (char const* line : { "[Kivra] ConfigToolSelect is 0, call OnTraySwitchZeroConfig()",
                 "[Kivra] ConfigToolSelect is 1, call OnTraySwitchVxconfig()",
                 "[Kivra] ConfigToolSelect is neither 0 nor 1, call OnTraySwitchVxconfig()" })
            EXPECT_EQ(trace.contains(line), c.trace && std::string(c.trace) == line) << line;
        EXPECT_EQ(zero_config_after, c.zero_config_after);
    }
}

// The tray's configuration-tool items on an older system: the service greys the buttons that
// configure the adapter and the radio button, the own tool gives them back.
TEST_F(ModeSwitchTest, TheConfigurationToolItemsGreyAndRestoreTheWindowsButtons)
{
    machine(Machine { 8, true, 0, true, true });
    on_running([&](CHideDlg& dialog) {
        ASSERT_NE(dialog.m_pVxUI, nullptr);
        CVxUI2008Dlg& window = *dialog.m_pVxUI;
        auto enabled = [&](int kind) {
            CShadeButtonST* const button = window.kind_button(kind);
            return button && button->m_hWnd && button->IsWindowEnabled();
        };
        command(dialog, ID_TRAY_SWITCH_ZEROCONFIG);
        platform::display::write_snapshot(snapshot_step("older-system-zero-config").string());
        EXPECT_EQ(G_VxWlLib.VXWL_IsZeroConfig(), 2);
        for (int kind : { BTN_PROFILE, BTN_ADVANCE, BTN_WPS, BTN_RADIO })
            EXPECT_FALSE(enabled(kind)) << kind;
        EXPECT_TRUE(enabled(BTN_SITESURVEY));
        command(dialog, ID_TRAY_SWITCH_VXCONFIG);
        platform::display::write_snapshot(snapshot_step("older-system-own-tool").string());
        EXPECT_NE(G_VxWlLib.VXWL_IsZeroConfig(), 2);
        for (int kind : { BTN_PROFILE, BTN_ADVANCE, BTN_WPS, BTN_RADIO })
            EXPECT_TRUE(enabled(kind)) << kind;
    });
    run();
}

}

// [SECTION] End to end: the user's switch and back

namespace {

// The folder "mode_switch_snapshots/<step>" beside the test binary, emptied, for a person to
// look at.
fs::path snapshot_step(std::string const& step)
{
    fs::path const dir = fs::read_symlink("/proc/self/exe").parent_path() / "mode_switch_snapshots" / step;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string read_text(fs::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

template<typename Done>
bool poll(int ms, Done done)
{
    for (int waited = 0; waited < ms; waited += 20) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

}

class ModeSwitchE2eTest : public ModeSwitchTest {
protected:
    void SetUp() override
    {
        ModeSwitchTest::SetUp();
        // A whole installation: the real program beside the switcher, so that the switcher
        // starts it as a process of its own.
        for (auto const& entry : fs::directory_iterator(VXWLAPI_FOLDER)) {
            fs::path const target = fs::path(folder()) / entry.path().filename();
            if (!fs::exists(fs::symlink_status(target)) && entry.path().filename() != "Zorvel")
                fs::create_symlink(entry.path(), target);
        }
        fs::copy_file(std::string(VXWLAPI_FOLDER) + "/Zorvel", folder() + "/Zorvel");
        std::string text = read_text(std::string(STATION_RESOURCES_DIR) + "/../scenarios/default.ini");
        for (std::size_t at = text.find("init_delay_ms = "); at != std::string::npos; at = text.find("init_delay_ms = ", at + 1))
            text.replace(at, text.find('\n', at) - at, "init_delay_ms = 0");
        world(text);
        ::setenv("VX_PRESENTER", "headless", 1);
    }
    void TearDown() override
    {
        for (pid_t pid : m_started) {
            ::kill(pid, SIGTERM);
            poll(5000, [&] { return ::kill(pid, 0) != 0; });
            ::kill(pid, SIGKILL);
        }
        ::unsetenv("VX_PRESENTER");
        ::unsetenv("VX_SNAPSHOT_DIR");
        ::unsetenv("ZORVEL_TRACE_FILE");
        ModeSwitchTest::TearDown();
    }

    static std::size_t icons_added(fs::path const& trace)
    {
        std::string const text = read_text(trace);
        std::size_t count = 0;
        for (auto at = text.find("Shell_NotifyIcon(NIM_ADD) return 1"); at != std::string::npos;
             at = text.find("Shell_NotifyIcon(NIM_ADD) return 1", at + 1))
            ++count;
        return count;
    }
    // The process the switcher's line `index` says it started, once its tray icon is added
    // (the trace held `icons_before` such lines before it started).
    pid_t started_program(std::size_t index, fs::path const& trace, std::size_t icons_before)
    {
        std::vector<std::string> line;
        EXPECT_TRUE(poll(15000, [&] {
            auto lines = swap_log();
            if (lines.size() <= index)
                return false;
            line = lines[index];
            return true;
        })) << "no switcher line " << index;
        if (line.empty())
            return 0;
        auto const at = line.back().find("(process ");
        EXPECT_NE(at, std::string::npos) << line.back();
        if (at == std::string::npos)
            return 0;
        pid_t const pid = pid_t(std::stol(line.back().substr(at + 9)));
        m_started.push_back(pid);
        EXPECT_TRUE(poll(15000, [&] { return icons_added(trace) > icons_before; }))
            << "the started program added no tray icon";
        return pid;
    }
    // The started programs inherit one snapshot folder; each snapshot is moved to its step's.
    // The snapshot is taken once the started program has put the adapter into the mode the
    // step expects (`wlansim list` shows it), which it does after its tray icon is added.
    void snapshot_of(pid_t pid, fs::path const& step, std::string const& mode_line)
    {
        fs::path const dir = fs::path(folder()) / "snapshots";
        fs::remove_all(dir);
        fs::create_directories(dir);
        EXPECT_TRUE(poll(15000, [&] { return wlansim("list").find(mode_line) != std::string::npos; }))
            << wlansim("list");
        ::kill(pid, SIGUSR1);
        // The tree is written last, and whole.
        EXPECT_TRUE(poll(10000, [&] { return fs::exists(dir / "windows.txt"); }));
        for (auto const& entry : fs::directory_iterator(dir))
            fs::copy_file(entry.path(), step / entry.path().filename(), fs::copy_options::overwrite_existing);
    }

    std::vector<pid_t> m_started;
};

// The tray's access point client item asks once for the network, the utility ends and the
// switcher starts it again in access point client mode; its station item brings it back.
TEST_F(ModeSwitchE2eTest, ToAccessPointClientModeAndBack)
{
    fs::path const prompt_dir = snapshot_step("1-prompt");
    on_dialog("Extended AP Settings", [&](HWND dlg) {
        platform::testing::pump_until_idle();
        platform::display::write_snapshot(prompt_dir.string());
        ::SetDlgItemText(dlg, CExtAPSsidPWDlg::IDC_KEY, "living-room-key");
        ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(CStationExtAPPrompt::kOk, BN_CLICKED),
            reinterpret_cast<LPARAM>(::GetDlgItem(dlg, CStationExtAPPrompt::kOk)));
    });
    on_running([&](CHideDlg& dialog) {
        platform::display::write_snapshot(snapshot_step("0-station").string());
        command(dialog, ID_TRAY_SWITCH_APCLIENT_MODE);
    });
    fs::path const client_dir = snapshot_step("2-client");
    fs::path const trace = fs::path(folder()) / "trace.txt";
    ::setenv("VX_SNAPSHOT_DIR", (fs::path(folder()) / "snapshots").c_str(), 1);
    ::setenv("ZORVEL_TRACE_FILE", trace.c_str(), 1);
    run();
    EXPECT_NE(read_text(prompt_dir / "windows.txt").find("Extended AP Settings"), std::string::npos);

    // The program of this process traced into the same file; the started one adds its own lines.
    pid_t const client = started_program(0, trace, icons_added(trace));
    ASSERT_NE(client, 0);
    snapshot_of(client, client_dir, "mode: driver access point client, stored access point client; hosted network running");
    EXPECT_NE(read_text(client_dir / "tray.txt"), "");

    // Back to station mode from the client mode's tray menu; the prompt is not asked again.
    fs::remove(trace);
    fs::path const station_dir = snapshot_step("3-station-again");
    wlansim("station tray " + std::to_string(ID_TRAY_SWITCH_STA_MODE));
    pid_t const station = started_program(1, trace, 0);
    ASSERT_NE(station, 0);
    EXPECT_TRUE(poll(5000, [&] { return ::kill(client, 0) != 0; })) << "the client mode's utility did not end";
    snapshot_of(station, station_dir, "mode: driver station, stored station; hosted network stopped");
    auto const lines = swap_log();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(arguments_of(lines[0]), (std::vector<std::string> { "ON", "Zorvel", "Zorvel", kFolder, kIcon, kVirtualAdapter }));
    EXPECT_EQ(arguments_of(lines[1]), (std::vector<std::string> { "OFF", "Zorvel", "Zorvel", kFolder, kIcon, kVirtualAdapter }));
}
