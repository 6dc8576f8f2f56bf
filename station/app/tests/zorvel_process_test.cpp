// The built program Zorvel as a process: headless on a simulated adapter, single instance
// across processes, and a clean end on SIGTERM. The program writes its trace into a pipe that
// the test reads, so the test follows it line by line instead of waiting for time to pass.
#include <gtest/gtest.h>

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
