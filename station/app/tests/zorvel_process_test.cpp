// The built program Zorvel as a process: headless on a simulated adapter, single instance
// across processes, and a clean end on SIGTERM. The program writes its trace into a pipe that
// the test reads, so the test follows it line by line instead of waiting for time to pass.
#include "platform/display/tests/TrayDouble.h"
#include "platform/system/tests/PrivateBus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <poll.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class ZorvelProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zorvel-proc-XXXXXX").string();
        m_work = ::mkdtemp(pattern.data());
        fs::create_directories(m_work + "/install");
        fs::create_directories(m_work + "/run");
        fs::create_directories(m_work + "/store");
        // A copy of the installation whose option file turns the trace on; the program finds
        // its folder through its own executable, so that one is copied, not linked.
        for (auto const& entry : fs::directory_iterator(ZORVEL_BIN_DIR)) {
            auto const name = entry.path().filename().string();
            if (name != "Zorvel" && name != "Zorvel.ini")
                fs::create_symlink(entry.path(), m_work + "/install/" + name);
        }
        fs::copy_file(std::string(ZORVEL_BIN_DIR) + "/Zorvel", m_work + "/install/Zorvel");
        std::ifstream in(std::string(ZORVEL_BIN_DIR) + "/Zorvel.ini");
        std::ofstream out(m_work + "/install/Zorvel.ini");
        for (std::string line; std::getline(in, line);)
            out << (line.rfind("DebugMode=", 0) == 0 ? "DebugMode=5" : line) << "\n";
        std::ofstream(m_work + "/world.ini") << "[world]\nos = 12\nadmin = 1\n\n[adapter:wlan0]\nname = Test card\n"
                                                "mac = 00:1A:2B:3C:4D:5E\nkind = 5\ninit_delay_ms = 0\n";
    }

    void TearDown() override
    {
        for (pid_t pid : m_children) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (m_trace)
            std::fclose(m_trace);
        std::error_code ignored;
        fs::remove_all(m_work, ignored);
    }

    // Starts the program with its trace going to `trace` (a pipe or a file).
    pid_t start(std::string const& trace, std::vector<std::string> args = {})
    {
        pid_t const pid = ::fork();
        if (pid == 0) {
            ::setenv("VX_PRESENTER", "headless", 1);
            ::setenv("ZORVEL_RUNTIME_DIR", (m_work + "/run").c_str(), 1);
            ::setenv("VXSIM_STORE", (m_work + "/store").c_str(), 1);
            ::setenv("VXSIM_SCENARIO", (m_work + "/world.ini").c_str(), 1);
            ::setenv("ZORVEL_TRACE_FILE", trace.c_str(), 1);
            ::setenv("ZORVEL_CACHE_DIR", (m_work + "/cache").c_str(), 1);
            std::string const program = m_work + "/install/Zorvel";
            std::vector<char*> argv { const_cast<char*>(program.c_str()) };
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        m_children.push_back(pid);
        return pid;
    }

    // A pipe the program writes its trace into; opened for reading and writing so that
    // neither side blocks on the open.
    std::string trace_pipe()
    {
        std::string const path = m_work + "/trace";
        ::mkfifo(path.c_str(), 0600);
        if (m_trace)
            std::fclose(m_trace);
        m_trace = std::fopen(path.c_str(), "r+");
        return path;
    }

    // Reads trace lines until one contains `text`; false at the end of the trace.
    bool read_until(std::string const& text)
    {
        char line[1024];
        while (std::fgets(line, sizeof line, m_trace)) {
            m_lines.emplace_back(line);
            if (m_lines.back().find(text) != std::string::npos)
                return true;
        }
        return false;
    }

    // As read_until, but false once `ms` milliseconds pass without the line. The trace is
    // read without blocking from then on.
    bool read_until_within(std::string const& text, int ms)
    {
        int const fd = ::fileno(m_trace);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        auto const deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        char chunk[1024];
        for (;;) {
            while (std::fgets(chunk, sizeof chunk, m_trace)) {
                m_partial += chunk;
                if (m_partial.back() != '\n')
                    continue;
                m_lines.push_back(std::move(m_partial));
                m_partial.clear();
                if (m_lines.back().find(text) != std::string::npos)
                    return true;
            }
            std::clearerr(m_trace);
            auto const left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return false;
            pollfd readable { fd, POLLIN, 0 };
            ::poll(&readable, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        }
    }

    // The exit status, or -1 when the program is still running after `ms` milliseconds. The
    // wait is bounded: poll on the process's descriptor, which becomes readable as it ends.
    int wait_exit_within(pid_t pid, int ms)
    {
        int const fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
        if (fd < 0)
            return -1;
        pollfd ended { fd, POLLIN, 0 };
        int const ready = ::poll(&ended, 1, ms);
        ::close(fd);
        return ready == 1 ? wait_exit(pid) : -1;
    }

    std::string read_file(std::string const& path)
    {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    int wait_exit(pid_t pid)
    {
        int status = 0;
        ::waitpid(pid, &status, 0);
        std::erase(m_children, pid);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    std::string m_work;
    std::vector<pid_t> m_children;
    std::FILE* m_trace { nullptr };
    std::vector<std::string> m_lines;
    std::string m_partial; // a line read in part, without blocking
};

}

TEST_F(ZorvelProcess, RunsHeadlessUntilToldToEndAndWakesOnASecondStart)
{
    std::string const trace = trace_pipe();
    pid_t const first = start(trace, { "-s" });
    ASSERT_TRUE(read_until("Shell_NotifyIcon(NIM_ADD) return 1"));
    // The first radio tick finds the adapter; only then does a launch open the window.
    ASSERT_TRUE(read_until("CHideDlg::OnTimer(11)"));

    // A second start finds the first, wakes it and ends without a trace of its own.
    std::string const second_trace = m_work + "/second.trace";
    EXPECT_EQ(wait_exit(start(second_trace)), 0);
    std::ifstream second(second_trace);
    std::stringstream second_text;
    second_text << second.rdbuf();
    EXPECT_EQ(second_text.str().find("[Kivra]"), std::string::npos);
    // The first opens its configuration window (first creation reads the active profile).
    EXPECT_TRUE(read_until("[Kivra] active profile:"));

    ::kill(first, SIGTERM);
    EXPECT_TRUE(read_until("[Kivra] <-- VXWLLIB::Release"));
    EXPECT_EQ(wait_exit(first), 0);
}

// The bus, certificate and font configuration libraries are opened on first use: a tray-only
// start that meets no bus (none is named under test), lists no certificate (though its world
// names a certificate file, as the shipped world does) and finds its fonts' files kept by an
// earlier start never maps them.
TEST_F(ZorvelProcess, AStartWithoutABusCertificatesOrNewFontsMapsNoneOfTheirLibraries)
{
    std::ofstream(m_work + "/world.ini", std::ios::app)
        << "\n[cert:carol]\nfile = " << ZORVEL_BIN_DIR << "/scenarios/certs/carol.pem\n";
    for (bool const first : { true, false }) {
        SCOPED_TRACE(first ? "first start" : "second start");
        std::string const trace = trace_pipe();
        pid_t const pid = start(trace, { "-s" });
        ASSERT_TRUE(read_until("Shell_NotifyIcon(NIM_ADD) return 1"));
        ASSERT_TRUE(read_until("CHideDlg::OnTimer(11)"));
        std::string const maps = read_file("/proc/" + std::to_string(pid) + "/maps");
        ASSERT_NE(maps.find("VxWLAPI.so"), std::string::npos);
        EXPECT_EQ(maps.find("libsystemd"), std::string::npos);
        EXPECT_EQ(maps.find("libcrypto"), std::string::npos);
        EXPECT_EQ(maps.find("libfontconfig") == std::string::npos, !first);
        ::kill(pid, SIGTERM);
        EXPECT_EQ(wait_exit(pid), 0);
        EXPECT_TRUE(fs::exists(m_work + "/cache/font-matches"));
    }
}

// A stop signal while a modal dialog runs (the adapter choice, with two adapters in the world)
// ends that loop and the program: exit 0 at once, and no tray icon left behind.
// A stop signal ends the program within a second; the ThreadSanitizer build runs every step
// (the last snapshot's PNGs among them) several times slower.
#if defined(__SANITIZE_THREAD__)
constexpr int kStopWithinMs = 5000;
#else
constexpr int kStopWithinMs = 1000;
#endif

TEST_F(ZorvelProcess, AStopSignalEndsTheProgramFromTheAdapterChoice)
{
    std::ofstream(m_work + "/world.ini") << "[world]\nos = 12\nadmin = 1\n\n"
                                            "[adapter:wlan0]\nname = Card A\nmac = 00:1A:2B:3C:4D:5E\nkind = 5\n"
                                            "[adapter:wlan1]\nname = Card B\nmac = 00:1A:2B:3C:4D:5F\nkind = 5\n";
    fs::create_directories(m_work + "/snap");
    ::setenv("VX_SNAPSHOT_DIR", (m_work + "/snap").c_str(), 1);
    std::string const trace = trace_pipe();
    pid_t const pid = start(trace);
    ::unsetenv("VX_SNAPSHOT_DIR");
    ASSERT_TRUE(read_until("[Kivra] Adapter count = 2"));

    ::kill(pid, SIGTERM);
    EXPECT_EQ(wait_exit_within(pid, kStopWithinMs), 0);
    // The last look, written as the dialog was destroyed, shows the choice of both cards.
    std::string const windows = read_file(m_work + "/snap/windows.txt");
    EXPECT_NE(windows.find("Select a Wireless LAN card"), std::string::npos) << windows;
    EXPECT_NE(windows.find("\tCard B\n"), std::string::npos) << windows;
    // No icon was left in the tray: none was shown, or it was taken down again.
    EXPECT_EQ(read_file(m_work + "/snap/tray.txt"), "");
    // The program has ended, so the rest of its trace is in the pipe: read it without blocking.
    ::fcntl(::fileno(m_trace), F_SETFL, O_NONBLOCK);
    read_until("(the rest of the trace)");
    bool added = false;
    for (auto const& line : m_lines) {
        added = added || line.find("Shell_NotifyIcon(NIM_ADD) return 1") != std::string::npos;
        added = added && line.find("Shell_NotifyIcon(NIM_DELETE)") == std::string::npos;
    }
    EXPECT_FALSE(added);
}

// A line the program writes soon; generous for the sanitizer builds.
constexpr int kLineWithinMs = 30000;

// The desktop's buses, private ones here: the tray icon goes to the desktop's tray over the
// session bus, where the host's Activate opens the window and ContextMenu the tray menu, and
// logind's sleep signal on the system bus becomes the power broadcasts.
TEST_F(ZorvelProcess, TheDesktopsBusTrayAndSleepSignalReachTheProgram)
{
    platform::system::testing::PrivateBus session;
    platform::system::testing::PrivateBus system;
    if (session.address().empty() || system.address().empty())
        GTEST_SKIP() << "no dbus-daemon";
    display_test::TrayDouble desktop(session.client());
    ASSERT_TRUE(desktop.become_watcher());
    sd_bus* logind = system.client();
    ASSERT_NE(logind, nullptr);
    ASSERT_GE(sd_bus_request_name(logind, "org.freedesktop.login1", 0), 0);

    ::setenv("VX_SESSION_BUS", session.address().c_str(), 1);
    ::setenv("VX_SYSTEM_BUS", system.address().c_str(), 1);
    std::string const trace = trace_pipe();
    pid_t const pid = start(trace, { "-s" });
    ::unsetenv("VX_SESSION_BUS");
    ::unsetenv("VX_SYSTEM_BUS");
    ASSERT_TRUE(read_until_within("CHideDlg::OnTimer(11)", kLineWithinMs));
    using platform::system::testing::PrivateBus;
    ASSERT_TRUE(PrivateBus::until(desktop.bus(), [&] { return !desktop.registered.empty(); }));
    auto const item = desktop.registered.back();
    EXPECT_EQ(desktop.tool_tip(item), "Not connected|");
    EXPECT_EQ(desktop.pixmap(item).width, 16);

    ASSERT_TRUE(desktop.call(item, "Activate", 900, 700));
    EXPECT_TRUE(read_until_within("[Kivra] active profile:", kLineWithinMs)) << "the configuration window opens";
    ASSERT_TRUE(desktop.call(item, "ContextMenu", 900, 700));
    EXPECT_TRUE(read_until_within("[Kivra] tray menu", kLineWithinMs));

    // Said at the start, and read already while the test waited for other lines.
    bool const watching = std::any_of(m_lines.begin(), m_lines.end(),
        [](std::string const& line) { return line.find("sleep watch: watching") != std::string::npos; });
    ASSERT_TRUE(watching || read_until_within("sleep watch: watching", kLineWithinMs));
    for (int going_to_sleep : { 1, 0 }) {
        ASSERT_GE(sd_bus_emit_signal(logind, "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                      "PrepareForSleep", "b", going_to_sleep),
            0);
        sd_bus_flush(logind);
    }
    EXPECT_TRUE(read_until_within("PrepareForSleep(true): power broadcast 4", kLineWithinMs));
    EXPECT_TRUE(read_until_within("PrepareForSleep(false): power broadcast 18", kLineWithinMs));
    sd_bus_flush_close_unref(logind);

    ::kill(pid, SIGTERM);
    EXPECT_EQ(wait_exit_within(pid, kStopWithinMs), 0);
}
