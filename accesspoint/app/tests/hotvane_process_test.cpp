// The built program Hotvane as a process, headless on the simulated world: one instance, and
// never beside the station utility (both hold KT90); a clean exit 0 on SIGTERM from the
// program's modal loops with no icon left. The program writes its trace into a pipe that the
// test reads, so the test follows it line by line; every wait is bounded.
#include "platform/system/ForeignWindows.h"
#include "platform/user/User.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
constexpr int kStopWithinMs = 5000;
#else
constexpr int kStopWithinMs = 1000;
#endif
// A line the program writes soon; generous for the sanitizer builds.
constexpr int kLineWithinMs = 30000;

class HotvaneProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "hotvane-proc-XXXXXX").string();
        m_work = ::mkdtemp(pattern.data());
        fs::create_directories(m_work + "/install");
        fs::create_directories(m_work + "/run");
        fs::create_directories(m_work + "/store");
        fs::create_directories(m_work + "/snap");
        // A copy of the installation whose option files turn the trace on; the programs find
        // their folder through their own executable, so those are copied, not linked.
        for (auto const& entry : fs::directory_iterator(HOTVANE_BIN_DIR)) {
            auto const name = entry.path().filename().string();
            if (name != "Hotvane" && name != "Hotvane.ini" && name != "Zorvel" && name != "Zorvel.ini")
                fs::create_symlink(entry.path(), m_work + "/install/" + name);
        }
        for (std::string program : { "Hotvane", "Zorvel" }) {
            if (!fs::exists(std::string(HOTVANE_BIN_DIR) + "/" + program))
                continue;
            fs::copy_file(std::string(HOTVANE_BIN_DIR) + "/" + program, m_work + "/install/" + program);
            std::ifstream in(std::string(HOTVANE_BIN_DIR) + "/" + program + ".ini");
            std::ofstream out(m_work + "/install/" + program + ".ini");
            std::string const on = program == "Hotvane" ? "DebugMode=1" : "DebugMode=5";
            for (std::string line; std::getline(in, line);)
                out << (line.rfind("DebugMode=", 0) == 0 ? on : line) << "\n";
        }
        world("[world]\nos = 12\nadmin = 1\n\n[adapter:wlan0]\nname = Test card\ndescription = Test card description\n"
              "mac = 00:1A:2B:3C:4D:5E\nkind = 5\ninit_delay_ms = 0\n");
        // This process finds the programs' windows as they find each other's.
        ::setenv("ZORVEL_RUNTIME_DIR", (m_work + "/run").c_str(), 1);
    }

    void TearDown() override
    {
        for (pid_t pid : m_children) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        for (auto* trace : m_traces)
            std::fclose(trace);
        ::unsetenv("ZORVEL_RUNTIME_DIR");
        std::error_code ignored;
        fs::remove_all(m_work, ignored);
    }

    void world(std::string const& text) { std::ofstream(m_work + "/world.ini") << text; }

    pid_t start(std::string const& program, std::string const& trace, std::vector<std::string> args = {})
    {
        pid_t const pid = ::fork();
        if (pid == 0) {
            ::setenv("VX_PRESENTER", "headless", 1);
            ::setenv("VXSIM_STORE", (m_work + "/store").c_str(), 1);
            ::setenv("VXSIM_SCENARIO", (m_work + "/world.ini").c_str(), 1);
            ::setenv("ZORVEL_TRACE_FILE", trace.c_str(), 1);
            ::setenv("VX_SNAPSHOT_DIR", (m_work + "/snap").c_str(), 1);
            std::string const path = m_work + "/install/" + program;
            std::vector<char*> argv { const_cast<char*>(path.c_str()) };
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(path.c_str(), argv.data());
            ::_exit(127);
        }
        m_children.push_back(pid);
        return pid;
    }

    // A pipe a program writes its trace into; opened for reading and writing so that neither
    // side blocks on the open. Read without blocking.
    std::FILE* trace_pipe(std::string const& name, std::string& path)
    {
        path = m_work + "/" + name;
        ::mkfifo(path.c_str(), 0600);
        std::FILE* trace = std::fopen(path.c_str(), "r+");
        ::fcntl(::fileno(trace), F_SETFL, ::fcntl(::fileno(trace), F_GETFL) | O_NONBLOCK);
        m_traces.push_back(trace);
        return trace;
    }

    // Reads lines until one contains `text`; false once `ms` pass without it.
    static bool read_until_within(std::FILE* trace, std::string const& text, int ms, std::vector<std::string>* seen = nullptr)
    {
        auto const deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        std::string partial;
        char chunk[1024];
        for (;;) {
            while (std::fgets(chunk, sizeof chunk, trace)) {
                partial += chunk;
                if (partial.back() != '\n')
                    continue;
                if (seen)
                    seen->push_back(partial);
                bool const found = partial.find(text) != std::string::npos;
                partial.clear();
                if (found)
                    return true;
            }
            std::clearerr(trace);
            auto const left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return false;
            pollfd readable { ::fileno(trace), POLLIN, 0 };
            ::poll(&readable, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        }
    }

    int wait_exit_within(pid_t pid, int ms)
    {
        int const fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
        if (fd < 0)
            return -1;
        pollfd ended { fd, POLLIN, 0 };
        int const ready = ::poll(&ended, 1, ms);
        ::close(fd);
        if (ready != 1)
            return -1;
        int status = 0;
        ::waitpid(pid, &status, 0);
        std::erase(m_children, pid);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    static std::string read_file(std::string const& path)
    {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string m_work;
    std::vector<pid_t> m_children;
    std::vector<std::FILE*> m_traces;
};

}

TEST_F(HotvaneProcess, ASecondStartOpensTheRunningSheetAndEnds)
{
    std::string path;
    std::FILE* trace = trace_pipe("first.trace", path);
    pid_t const first = start("Hotvane", path, { "-s" });
    ASSERT_TRUE(read_until_within(trace, "Shell_NotifyIcon(NIM_ADD) return 1", kLineWithinMs));

    std::string const second_trace = m_work + "/second.trace";
    EXPECT_EQ(wait_exit_within(start("Hotvane", second_trace), kLineWithinMs), 0);
    EXPECT_EQ(read_file(second_trace).find("[Hotvane]"), std::string::npos);
    EXPECT_TRUE(read_until_within(trace, "[Hotvane] CHideDlg::ShowPropSheet: sheet opened", kLineWithinMs));

    ::kill(first, SIGTERM);
    EXPECT_TRUE(read_until_within(trace, "[Hotvane] CHideDlg::OnDestroy: library shut down", kLineWithinMs));
    EXPECT_EQ(wait_exit_within(first, kLineWithinMs), 0);
}

TEST_F(HotvaneProcess, OnlyOneOfTheTwoUtilitiesRuns)
{
    if (!fs::exists(m_work + "/install/Zorvel"))
        GTEST_SKIP() << "Zorvel is not built";
    // Hotvane while Zorvel runs ends at once, with nothing shown and nothing traced.
    std::string zorvel_path;
    std::FILE* zorvel_trace = trace_pipe("zorvel.trace", zorvel_path);
    pid_t const zorvel = start("Zorvel", zorvel_path, { "-s" });
    ASSERT_TRUE(read_until_within(zorvel_trace, "Shell_NotifyIcon(NIM_ADD) return 1", kLineWithinMs));
    std::string const hotvane_trace = m_work + "/hotvane.trace";
    EXPECT_EQ(wait_exit_within(start("Hotvane", hotvane_trace), kLineWithinMs), 0);
    EXPECT_EQ(read_file(hotvane_trace).find("[Hotvane]"), std::string::npos);
    ::kill(zorvel, SIGTERM);
    EXPECT_EQ(wait_exit_within(zorvel, kLineWithinMs), 0);

    // Zorvel while Hotvane runs ends too.
    std::string path;
    std::FILE* trace = trace_pipe("hotvane.pipe", path);
    pid_t const hotvane = start("Hotvane", path, { "-s" });
    ASSERT_TRUE(read_until_within(trace, "Shell_NotifyIcon(NIM_ADD) return 1", kLineWithinMs));
    EXPECT_EQ(wait_exit_within(start("Zorvel", m_work + "/zorvel2.trace"), kLineWithinMs), 0);
    ::kill(hotvane, SIGTERM);
    EXPECT_EQ(wait_exit_within(hotvane, kLineWithinMs), 0);
}

// SIGTERM while a modal loop runs ends that loop and the program: exit 0 within a second, and
// no tray icon left behind.
TEST_F(HotvaneProcess, AStopSignalEndsTheProgramFromItsModalLoops)
{
    struct Case {
        const char* name;
        std::string world;
        std::vector<std::string> args;
        std::string up_line;
        bool ask_apclient;
    };
    std::string const adapter = "\n[adapter:wlan0]\nname = Test card\nmac = 00:1A:2B:3C:4D:5E\nkind = 5\ninit_delay_ms = 0\n";
    Case const cases[] = {
        { "adapter choice", "[world]\nos = 12\nadmin = 1\n" + adapter + "[adapter:wlan1]\nname = Card B\nmac = 00:1A:2B:3C:4D:5F\n",
            { "-s" }, "DetectAdapter(): 2 adapters", false },
        { "no adapter box", "[world]\nos = 12\nadmin = 1\n", {}, "DetectAdapter(): 0 adapters", false },
        { "AP-client prompt", "[world]\nos = 12\nadmin = 1\n" + adapter, { "-s" }, "No data saved for ExtAP!", true },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        world(c.world);
        std::string path;
        std::FILE* trace = trace_pipe(std::string("stop-") + c.name, path);
        pid_t const pid = start("Hotvane", path, c.args);
        if (c.ask_apclient) {
            ASSERT_TRUE(read_until_within(trace, "Shell_NotifyIcon(NIM_ADD) return 1", kLineWithinMs));
            ASSERT_TRUE(platform::system::ForeignWindows::shared());
            HWND const running = ::FindWindow(nullptr, "Tarsel SoftAP Utility");
            ASSERT_NE(running, nullptr);
            ::PostMessage(running, WM_COMMAND, 32776, 0);
        }
        std::vector<std::string> lines;
        ASSERT_TRUE(read_until_within(trace, c.up_line, kLineWithinMs, &lines));
        ::kill(pid, SIGTERM);
        EXPECT_EQ(wait_exit_within(pid, kStopWithinMs), 0);
        // The program has ended: the rest of its trace is in the pipe.
        read_until_within(trace, "(the rest of the trace)", 0, &lines);
        bool shown = false;
        for (auto const& line : lines) {
            shown = shown || line.find("Shell_NotifyIcon(NIM_ADD) return 1") != std::string::npos;
            shown = shown && line.find("Shell_NotifyIcon(NIM_DELETE) return 1") == std::string::npos;
        }
        EXPECT_FALSE(shown) << "the tray icon was left behind";
    }
}

// Three programs: the real Hotvane switches back to station mode from its tray menu, the
// VxSwap stand-in waits for it to end and starts Zorvel, whose hidden window appears; the
// store holds station mode and the switcher's log the six arguments as Hotvane gave them.
TEST_F(HotvaneProcess, TheStationSwitchHandsTheAdapterToZorvelThroughVxSwap)
{
    if (!fs::exists(m_work + "/install/Zorvel") || !fs::exists(std::string(HOTVANE_BIN_DIR) + "/VxSwap"))
        GTEST_SKIP() << "Zorvel or VxSwap is not built";
    // The switcher starts the program from its own folder: the installation's copy.
    fs::remove(m_work + "/install/VxSwap");
    fs::copy_file(std::string(HOTVANE_BIN_DIR) + "/VxSwap", m_work + "/install/VxSwap");
    // A folder name with blanks and quotes, in the line the option file has for it.
    std::string options = read_file(m_work + "/install/Hotvane.ini");
    auto const folder_key = options.find("SHORTCUT_FOLDER_NAME=");
    ASSERT_NE(folder_key, std::string::npos);
    options.replace(folder_key, options.find('\n', folder_key) - folder_key, "SHORTCUT_FOLDER_NAME=My \"Own\" Folder");
    std::ofstream(m_work + "/install/Hotvane.ini", std::ios::trunc) << options;
    std::string path;
    std::FILE* trace = trace_pipe("three.trace", path);
    pid_t const hotvane = start("Hotvane", path, { "-s" });
    ASSERT_TRUE(read_until_within(trace, "[Hotvane] Shell_NotifyIcon(NIM_ADD) return 1", kLineWithinMs));
    ASSERT_TRUE(platform::system::ForeignWindows::shared());
    HWND const running = ::FindWindow(nullptr, "Tarsel SoftAP Utility");
    ASSERT_NE(running, nullptr);
    ::PostMessage(running, WM_COMMAND, 32773, 0);

    EXPECT_TRUE(read_until_within(trace, "[Hotvane] call WinExec(): \"VxSwap.exe\" OFF Zorvel Hotvane", kLineWithinMs));
    EXPECT_EQ(wait_exit_within(hotvane, kLineWithinMs), 0);
    // Zorvel, started by the switcher, writes into the same trace.
    EXPECT_TRUE(read_until_within(trace, "[Kivra]", kLineWithinMs));
    HWND zorvel = nullptr;
    for (int i = 0; i < 300 && !zorvel; ++i) {
        zorvel = ::FindWindow(nullptr, "Vexlor Utility");
        if (!zorvel)
            read_until_within(trace, "(a line)", 100);
    }
    EXPECT_NE(zorvel, nullptr) << "Zorvel's hidden window";
    std::string const mode = read_file(m_work + "/store/op_mode");
    ASSERT_EQ(mode.size(), 4u);
    EXPECT_EQ(mode, std::string(4, '\0'));
    // The store names the file after its key "swap.log", escaped.
    std::string log;
    for (auto const& entry : fs::directory_iterator(m_work + "/store"))
        if (entry.path().filename().string().rfind("swap", 0) == 0)
            log += read_file(entry.path().string());
    EXPECT_NE(log.find("\tOFF\tZorvel\tHotvane\tMy \"Own\" Folder\tVexlor Wireless Utility\tTest card description\t"),
        std::string::npos)
        << log;
    // Zorvel is not this test's child: the world tells it to end.
    std::string const exit_command = "VXSIM_STORE='" + m_work + "/store' VXSIM_SCENARIO='" + m_work + "/world.ini' "
        + WLANSIM_PATH + " station exit >/dev/null 2>&1";
    EXPECT_EQ(std::system(exit_command.c_str()), 0);
    EXPECT_TRUE(read_until_within(trace, "[Kivra] <-- VXWLLIB::Release", kLineWithinMs));
}
