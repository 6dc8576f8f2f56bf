// A program of the build's bin/ on a private X server: started with the X11 presenter on the
// default simulated world, with named objects, store and trace in a folder of the test's own.
// The program is another process: every wait for it is bounded.
#pragma once

#include "platform/display/x11/tests/TestDesktop.h"
#include "platform/display/tests/SnapshotReader.h"
#include "platform/display/x11/tests/XvfbServer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <string>
#include <utility>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace x11_program_testing {

namespace fs = std::filesystem;

constexpr int kDockTimeoutMs = 20000;
constexpr int kWindowTimeoutMs = 10000;
constexpr int kExitTimeoutMs = 15000;

class ProgramOnX11 : public XvfbSuite<::testing::Test> {
protected:
    void SetUp() override
    {
        XVFB_SKIP_WITHOUT_SERVER();
        desktop = std::make_unique<TestDesktop>(server->display());
        ASSERT_TRUE(desktop->connected());
        if (!desktop->can_fake_input())
            GTEST_SKIP() << "libXtst is not installed";
        std::string pattern = (fs::temp_directory_path() / "program-x11-XXXXXX").string();
        work = ::mkdtemp(pattern.data());
        fs::create_directories(work + "/run");
        fs::create_directories(work + "/store");
    }

    void TearDown() override
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (pidfd >= 0)
            ::close(pidfd);
        desktop.reset();
        if (!work.empty()) {
            std::error_code ignored;
            fs::remove_all(work, ignored);
        }
    }

    // Starts bin/<name> with these arguments on the test's server; named objects, the
    // simulated world's store and the trace stay in the test's folder.
    void start(std::string const& name, std::vector<std::string> arguments)
    {
        std::string const program = std::string(ZORVEL_BIN_DIR) + "/" + name;
        pid = ::fork();
        if (pid == 0) {
            ::setenv("DISPLAY", server->display().c_str(), 1);
            ::setenv("VX_PRESENTER", "x11", 1);
            ::setenv("ZORVEL_RUNTIME_DIR", (work + "/run").c_str(), 1);
            ::setenv("VXSIM_STORE", (work + "/store").c_str(), 1);
            ::setenv("ZORVEL_TRACE_FILE", (work + "/trace").c_str(), 1);
            // The program runs as a user starts it: not as a unit test, on the default world.
            ::unsetenv("ZORVEL_TEST");
            ::unsetenv("VXSIM_SCENARIO");
            for (auto const& [name, value] : environment)
                ::setenv(name.c_str(), value.c_str(), 1);
            std::vector<char*> argv { const_cast<char*>(program.c_str()) };
            for (auto& a : arguments)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    }

    // The program's exit status, or -1 when it has not ended within the time.
    int wait_exit(int timeout_ms)
    {
        if (pidfd >= 0) {
            pollfd fd { pidfd, POLLIN, 0 };
            while (::poll(&fd, 1, timeout_ms) < 0 && errno == EINTR) {
            }
        }
        int status = 0;
        if (::waitpid(pid, &status, pidfd >= 0 ? WNOHANG : 0) != pid)
            return -1;
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    std::string trace() const
    {
        std::ifstream in(work + "/trace");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // The screen rectangle of the visible control `id` in the program's window tree, asked for
    // with SIGUSR1 (the program started with `snapshots` as its VX_SNAPSHOT_DIR) until a tree
    // shows it; false when none does in time. The program renames each tree into place, and
    // inotify reports that, so the wait is for the other process's write, not a period.
    bool control_rect(int id, int rect[4], int timeout_ms)
    {
        fs::create_directories(snapshots());
        int const watch = ::inotify_init1(IN_CLOEXEC);
        if (watch < 0 || ::inotify_add_watch(watch, snapshots().c_str(), IN_MOVED_TO | IN_CLOSE_WRITE) < 0) {
            ADD_FAILURE() << "inotify: " << std::strerror(errno);
            if (watch >= 0)
                ::close(watch);
            return false;
        }
        auto const deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        std::string const tree = snapshots() + "/windows.txt";
        bool found = false;
        while (!found) {
            fs::remove(tree);
            ::kill(pid, SIGUSR1);
            if (!wait_for_tree(watch, deadline))
                break;
            std::ifstream in(tree);
            for (std::string line; !found && std::getline(in, line);) {
                auto const f = platform::display::testing::split_fields(line);
                found = f.size() > 6 && f[0] == "window" && std::atoi(f[4].c_str()) == id && f[6][0] == 'V'
                    && std::sscanf(f[5].c_str(), "%d,%d,%d,%d", &rect[0], &rect[1], &rect[2], &rect[3]) == 4;
            }
        }
        ::close(watch);
        return found;
    }

    // Blocks until "windows.txt" arrives in the watched folder or the deadline passes.
    static bool wait_for_tree(int watch, std::chrono::steady_clock::time_point deadline)
    {
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            auto const left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return false;
            pollfd fd { watch, POLLIN, 0 };
            int const ready = ::poll(&fd, 1, static_cast<int>(left.count()));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0)
                return false;
            ssize_t const n = ::read(watch, buffer, sizeof buffer);
            for (ssize_t at = 0; at < n;) {
                auto const* event = reinterpret_cast<inotify_event const*>(buffer + at);
                if (event->len && std::strcmp(event->name, "windows.txt") == 0)
                    return true;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

    std::string snapshots() const { return work + "/snapshots"; }

    std::unique_ptr<TestDesktop> desktop;
    // Set in the program's environment besides the test's own.
    std::vector<std::pair<std::string, std::string>> environment;
    std::string work;
    pid_t pid { -1 };
    int pidfd { -1 };
};

}
