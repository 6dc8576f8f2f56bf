// The diagnostics dialog: the local test's verdict lines over a system folder written by the
// test, the network test over the diagnostics library's answers (older systems) and over the
// ping script's output (newer systems), and the clearing on every way out. The ping script
// runner is the real one in its own tests: a private folder, a bounded wait, nothing left.
#include "station/controls/tests/DialogsFixture.h"

#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/survey/DiagnosticDlg.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

using station::survey::DiagnosticsLibrary;
using station::survey::PingScriptRunner;
using station::survey::PrantoExports;

namespace {

// What the library answers the dialog.
struct FakeDiagnosis {
    int win_os { 12 };
    int device { 1 };
    std::string driver { "drivers\\vxsim.sys" };
    std::vector<WLANPROFILE> profiles;
    int grow_between_calls {}; // profiles added between the count and the read
    NET_CONFIG_RECORD config {};
    std::uint8_t mac[6] { 0x00, 0x11, 0x22, 0x33, 0x44, 0x55 };

    static FakeDiagnosis& the()
    {
        static FakeDiagnosis fake;
        return fake;
    }
    static void bind()
    {
        the() = FakeDiagnosis {};
        auto& lib = G_VxWlLib;
        lib.VXWL_GetWinOS.bind([] { return the().win_os; });
        lib.VXWL_IsDeviceExist.bind([](AdapterEntry*) { return the().device; });
        lib.VXWL_ReadDriverName.bind([](char* text) {
            std::strcpy(text, the().driver.c_str());
            return 1;
        });
        lib.VXWL_ReadProfileList.bind([](WLANPROFILE* profiles, VXWL_U32* count) { return read_profiles(profiles, count); });
        lib.VXWL_ReadNetConfig.bind([](AdapterEntry*, NET_CONFIG_RECORD* config) {
            *config = the().config;
            return 1;
        });
        lib.VXWL_QueryMacAddrs.bind([](std::uint8_t* mac) {
            std::memcpy(mac, the().mac, 6);
            return 1;
        });
    }
    static int read_profiles(WLANPROFILE* profiles, VXWL_U32* count)
    {
        auto& stored = the().profiles;
        if (!profiles) {
            *count = static_cast<VXWL_U32>(stored.size());
            stored.resize(stored.size() + static_cast<std::size_t>(the().grow_between_calls));
            return 0;
        }
        if (*count < stored.size()) {
            *count = static_cast<VXWL_U32>(stored.size());
            return -10;
        }
        std::copy(stored.begin(), stored.end(), profiles);
        *count = static_cast<VXWL_U32>(stored.size());
        return 0;
    }
    static void unbind()
    {
        auto& lib = G_VxWlLib;
        lib.VXWL_GetWinOS.bind(nullptr);
        lib.VXWL_IsDeviceExist.bind(nullptr);
        lib.VXWL_ReadDriverName.bind(nullptr);
        lib.VXWL_ReadProfileList.bind(nullptr);
        lib.VXWL_ReadNetConfig.bind(nullptr);
        lib.VXWL_QueryMacAddrs.bind(nullptr);
    }
};

// The diagnostics library of older systems, as the test scripts it.
struct FakePranto {
    int open_answer { 7 };
    int action_answer {};
    std::uint8_t record[18] {};
    int closed {};
    int opened {};

    static FakePranto& the()
    {
        static FakePranto fake;
        return fake;
    }
    static void install(bool with_action = true)
    {
        the() = FakePranto {};
        PrantoExports& p = DiagnosticsLibrary();
        p = PrantoExports {};
        p.module = reinterpret_cast<HMODULE>(1); // counts as loaded: the dialog keeps it
        p.open = [](char const*) { return ++the().opened, the().open_answer; };
        p.close = [](int) { return ++the().closed, 0; };
        if (with_action) {
            p.action = [](int, AdapterEntry const*, int, std::uint8_t* result, std::uint32_t*, int) {
                std::memcpy(result, the().record, sizeof the().record);
                return the().action_answer;
            };
        }
    }
};

// A runner that answers what the test gives it, without a process.
class ScriptedRunner : public PingScriptRunner {
public:
    ScriptedRunner(bool starts, std::optional<std::string> output)
        : m_starts(starts)
        , m_output(std::move(output))
    {
    }
    bool Start(std::string const& command) override
    {
        last_command() = command;
        return m_starts;
    }
    std::optional<std::string> Finish() override { return m_output; }
    static std::string& last_command()
    {
        static std::string command;
        return command;
    }

private:
    bool m_starts;
    std::optional<std::string> m_output;
};

constexpr char const* kFourReplies = "Reply from 192.168.1.1: bytes=32 time=3ms TTL=64\n"
                                     "Reply from 192.168.1.1: bytes=32 time=2ms TTL=64\n"
                                     "Reply from 192.168.1.1: bytes=32 time=5ms TTL=63\n"
                                     "Reply from 192.168.1.1: bytes=32 time=3ms TTL=64\n\n"
                                     "Ping statistics for 192.168.1.1:\n"
                                     "    Packets: Sent = 4, Received = 4, Lost = 0 (0% loss),\n"
                                     "    Minimum = 2ms, Maximum = 5ms, Average = 3ms\n";
constexpr char const* kTimedOut = "Request timed out.\nRequest timed out.\nRequest timed out.\nRequest timed out.\n";

void write_note(std::string const& path, char const* version)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "ZORVEL-VERSION-NOTE 1\nFileVersion=" << version << "\nProductVersion=" << version << "\n";
}

class DiagnosticDialogTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        FakeDiagnosis::bind();
        m_system = std::filesystem::temp_directory_path() / ("diag-system-" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_system);
        std::filesystem::create_directories(m_system);
        ::setenv("ZORVEL_SYSTEM_DIR", m_system.c_str(), 1);
        dialog = std::make_unique<CDiagnosticDlg>(&parent);
        ASSERT_TRUE(dialog->Create(CDiagnosticDlg::IDD, &parent));
        pump();
    }
    void TearDown() override
    {
        dialog.reset();
        DiagnosticsLibrary() = PrantoExports {};
        FakeDiagnosis::unbind();
        ::unsetenv("ZORVEL_SYSTEM_DIR");
        std::filesystem::remove_all(m_system);
        DialogsTest::TearDown();
    }

    static FakeDiagnosis& fake() { return FakeDiagnosis::the(); }
    std::string system_file(char const* name) const { return (m_system / name).string(); }

    // The description column, oldest first.
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        for (auto const& row : dialog->Rows())
            out.push_back(row.description);
        return out;
    }
    void runner(bool starts, std::optional<std::string> output)
    {
        dialog->SetPingRunnerFactory([starts, output] { return std::make_unique<ScriptedRunner>(starts, output); });
    }

    std::unique_ptr<CDiagnosticDlg> dialog;
    std::filesystem::path m_system;
};

WLANPROFILE profile(bool diagnosis)
{
    WLANPROFILE p {};
    p.bUseDiagnostic = diagnosis ? 1 : 0;
    return p;
}

}

TEST_F(DiagnosticDialogTest, LocalTestOnNewerSystemsReadsTheNewSupplicantAndTheDriver)
{
    write_note(system_file("VXIHV.so"), "3.1.4.15");
    write_note(system_file("drivers/vxsim.sys"), "9.8.7.6");
    fake().profiles = { profile(true), profile(false) };
    dialog->OnLocalTest();
    EXPECT_EQ(lines(),
        (std::vector<std::string> { "Utility verification...", "Pass", "Supplicant verification...", "Version: 3.1.4.15",
            "Pass", "Driver verification...", "Version: 9.8.7.6", "Pass", "WLAN Card verification...",
            "WLAN Card enabled.", "Pass", "Profile verification...", "2 Profiles", "Pass", "1 Diagnostic Capable",
            "Pass" }));
    EXPECT_EQ(dialog->Rows()[1].colour, COLORREF(0x00FF0000)); // blue
    std::string const& time = dialog->Rows()[0].time;
    ASSERT_EQ(time.size(), 13u) << time; // "hh:mm:ss.mmm "
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(time[8], '.');
    EXPECT_EQ(time.back(), ' ');
}

TEST_F(DiagnosticDialogTest, LocalTestVerdicts)
{
    struct Case {
        char const* name;
        int win_os;
        int device;
        std::vector<WLANPROFILE> profiles;
        std::vector<std::string> want;
        std::vector<COLORREF> verdict_colours; // of the card and the two profile verdicts
    };
    COLORREF const pass = 0x00FF0000, fail = 0x000000FF, warn = 0x000080FF;
    Case const cases[] = {
        { "older systems read the old supplicant and the diagnostics library; no notes give empty lines", 9, 1,
            { profile(false) },
            { "Utility verification...", "Pass", "Supplicant verification...", "", "Pass", "Pranto verification...", "",
                "Pass", "Driver verification...", "", "Pass", "WLAN Card verification...", "WLAN Card enabled.", "Pass",
                "Profile verification...", "1 Profiles", "Pass", "0 Diagnostic Capable", "Warn" },
            { pass, pass, warn } },
        { "no device and no profiles", 12, 0, {},
            { "Utility verification...", "Pass", "Supplicant verification...", "", "Pass", "Driver verification...", "",
                "Pass", "WLAN Card verification...", "WLAN Card disabled.", "Fail", "Profile verification...",
                "0 Profiles", "Warn", "0 Diagnostic Capable", "Warn" },
            { fail, warn, warn } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        fake().win_os = c.win_os;
        fake().device = c.device;
        fake().profiles = c.profiles;
        dialog->OnLocalTest();
        EXPECT_EQ(lines(), c.want);
        auto const& rows = dialog->Rows();
        std::vector<COLORREF> colours;
        for (std::size_t i = rows.size() - 9; i < rows.size(); ++i)
            if (rows[i].description == "Pass" || rows[i].description == "Fail" || rows[i].description == "Warn")
                colours.push_back(rows[i].colour);
        colours.erase(colours.begin(), colours.end() - 3);
        EXPECT_EQ(colours, c.verdict_colours);
        EXPECT_EQ(rows[2].colour, COLORREF(CLR_DEFAULT));
    }
}

TEST_F(DiagnosticDialogTest, OlderSystemsVersionTheDiagnosticsLibraryInTheSystemFolder)
{
    fake().win_os = 9;
    write_note(system_file("Velmar.so"), "1.0.0.2");
    write_note(system_file("Pranto.so"), "4.5.6.7");
    dialog->OnLocalTest();
    auto const l = lines();
    EXPECT_EQ(l[3], "Version: 1.0.0.2");
    EXPECT_EQ(l[6], "Version: 4.5.6.7");
}

TEST_F(DiagnosticDialogTest, ProfilesAddedBetweenTheTwoCallsAreReadWithABiggerBuffer)
{
    fake().profiles = { profile(true) };
    fake().grow_between_calls = 2;
    int total = 0;
    int diagnostic = 0;
    CDiagnosticDlg::CountProfiles(total, diagnostic);
    EXPECT_EQ(total, 3);
    EXPECT_EQ(diagnostic, 1);
}

TEST_F(DiagnosticDialogTest, NetworkTestOnOlderSystemsShowsTheLibrarysAnswer)
{
    struct Case {
        char const* name;
        int open;
        bool with_action;
        int answer;
        std::uint8_t record[18];
        std::vector<std::string> want;
    };
    std::string const start = "Start Diagnostic Gateway Ping Test...";
    std::string const finish = "Finish Diagnostic Gateway Ping Test...";
    Case const cases[] = {
        { "the adapter cannot be opened", -1, true, 0, {}, { start, "Invalid adapter!", finish } },
        { "success over IPv6, counts high byte first", 7, true, 0,
            { 6, 192, 168, 1, 1, 0x00, 0x0A, 0x0B, 0x0C, 0x0D, 0xEF, 4, 0, 3, 0x01, 0x2C, 0x01, 0x2D },
            { start, "Successful!!!", "IP Version: IPv6", "IP Address:192.168.1.1", "MAC Address:00:0A:0B:0C:0D:EF",
                "Packet Sent:4", "Packet Received:3", "Minimum Reply Time:300 ms", "Maxmum Reply Time:301 ms",
                finish } },
        { "failed", 7, true, 1, {}, { start, "Diagnostic Test Failed!!!", finish } },
        { "buffer too small", 7, true, 10, {}, { start, "Error: Buffer Overflow!!!", finish } },
        { "another error shows no line", 7, true, 7, {}, { start, finish } },
        { "no action export: no result line", 7, false, 0, {}, { start, finish } },
    };
    fake().win_os = 9;
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        FakePranto::install(c.with_action);
        FakePranto::the().open_answer = c.open;
        FakePranto::the().action_answer = c.answer;
        std::memcpy(FakePranto::the().record, c.record, sizeof c.record);
        dialog->OnNetworkTest();
        EXPECT_EQ(lines(), c.want);
        EXPECT_EQ(FakePranto::the().closed, c.open == -1 ? 0 : 1) << "each opened handle is closed";
    }
}

TEST_F(DiagnosticDialogTest, NetworkTestOnNewerSystemsReadsThePingOutput)
{
    std::string const start = "Start Diagnostic Gateway Ping Test...";
    std::string const finish = "Finish Diagnostic Gateway Ping Test...";
    fake().config.IpAddress[0] = 192;
    fake().config.IpAddress[1] = 168;
    fake().config.IpAddress[2] = 1;
    fake().config.IpAddress[3] = 23;
    std::uint8_t const gateway[4] { 192, 168, 1, 1 };
    std::memcpy(fake().config.Gateway, gateway, 4);

    runner(true, kFourReplies);
    dialog->OnNetworkTest();
    EXPECT_EQ(ScriptedRunner::last_command(), "ping 192.168.1.1 > PingResult.txt");
    EXPECT_EQ(lines(),
        (std::vector<std::string> { start, "Please Wait...", "Successful!!!", "IP Version: IPv4",
            "IP Address:192.168.1.23", "MAC Address:00:11:22:33:44:55", "Packet Sent:4", "Packet Received:4",
            "Minimum Reply Time:2 ms", "Maxmum Reply Time:5 ms", finish }));

    runner(true, kTimedOut);
    dialog->OnNetworkTest();
    EXPECT_EQ(lines(), (std::vector<std::string> { start, "Please Wait...", "Diagnostic Test Failed!!!", finish }));

    runner(true, std::nullopt);
    dialog->OnNetworkTest();
    EXPECT_EQ(lines(), (std::vector<std::string> { start, "Please Wait...", "Error: Failed to open the result file!!!" }));

    runner(false, std::nullopt);
    dialog->OnNetworkTest();
    EXPECT_EQ(lines(), (std::vector<std::string> { start, "Error: Failed to create the command file!!!" }));

    fake().device = 0;
    dialog->OnNetworkTest();
    EXPECT_EQ(lines(), (std::vector<std::string> { start, "Invalid adapter!", finish }));
}

TEST_F(DiagnosticDialogTest, EveryWayOutLeavesAnEmptyList)
{
    for (UINT command : { UINT(IDOK), UINT(IDCANCEL), UINT(CDiagnosticDlg::IDC_CLOSE), UINT(CDiagnosticDlg::IDC_CLEAR) }) {
        SCOPED_TRACE(command);
        if (!dialog->m_hWnd) {
            ASSERT_TRUE(dialog->Create(CDiagnosticDlg::IDD, &parent));
        }
        dialog->OnLocalTest();
        ASSERT_FALSE(dialog->Rows().empty());
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
            reinterpret_cast<LPARAM>(::GetDlgItem(dialog->m_hWnd, static_cast<int>(command))));
        pump();
        EXPECT_TRUE(dialog->Rows().empty());
        if (dialog->m_hWnd) {
            EXPECT_EQ(dialog->SendDlgItemMessage(CDiagnosticDlg::IDC_LIST, LVM_GETITEMCOUNT), 0);
        }
    }
}

// [SECTION] The ping script runner

class PingScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_tmp = std::filesystem::temp_directory_path() / ("ping-script-" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_tmp);
        std::filesystem::create_directories(m_tmp);
        m_old_tmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
        ::setenv("TMPDIR", m_tmp.c_str(), 1);
    }
    void TearDown() override
    {
        if (m_old_tmp.empty())
            ::unsetenv("TMPDIR");
        else
            ::setenv("TMPDIR", m_old_tmp.c_str(), 1);
        std::filesystem::remove_all(m_tmp);
    }
    bool tmp_is_empty() const { return std::filesystem::is_empty(m_tmp); }

    std::filesystem::path m_tmp;
    std::string m_old_tmp;
};

TEST_F(PingScriptTest, RunsInAPrivateFolderAndLeavesNothing)
{
    // A stale result in the current folder is never read.
    std::ofstream(std::filesystem::current_path() / "PingResult.txt") << "stale";
    {
        auto runner = station::survey::MakePingScriptRunner();
        ASSERT_TRUE(runner->Start("echo fresh > PingResult.txt"));
        EXPECT_FALSE(tmp_is_empty());
        auto const output = runner->Finish();
        ASSERT_TRUE(output.has_value());
        EXPECT_EQ(*output, "fresh\n");
    }
    std::filesystem::remove(std::filesystem::current_path() / "PingResult.txt");
    EXPECT_TRUE(tmp_is_empty()) << "the private folder is removed";
}

TEST_F(PingScriptTest, AScriptThatNeverEndsGivesNoResult)
{
    platform::testing::use_manual_clock();
    {
        auto runner = station::survey::MakePingScriptRunner();
        ASSERT_TRUE(runner->Start("echo early > PingResult.txt; exec sleep 600"));
        EXPECT_FALSE(runner->Finish().has_value());
    }
    EXPECT_TRUE(tmp_is_empty());
    platform::set_clock(std::make_shared<platform::SystemClock>());
}

TEST_F(PingScriptTest, NoResultFileGivesNoResult)
{
    auto runner = station::survey::MakePingScriptRunner();
    ASSERT_TRUE(runner->Start("true"));
    EXPECT_FALSE(runner->Finish().has_value());
}
