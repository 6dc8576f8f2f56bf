// The station utility end to end on a private X server: the real program from the build's
// bin/, on the default simulated world, with the X11 presenter. Its icon docks in a test tray
// manager, a double click with real input opens the configuration window, and the Exit
// command of the tray menu ends it. The program is another process: every wait for it is
// bounded, and nothing here sleeps to let it catch up.
#include "platform/display/x11/tests/TestDesktop.h"
#include "platform/display/x11/tests/XvfbServer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kDockTimeoutMs = 20000;
constexpr int kWindowTimeoutMs = 10000;
constexpr int kExitTimeoutMs = 15000;
constexpr char kHiddenDialogTitle[] = "Vexlor Utility";

// The caption of a dialog template of the station's resources ("" when not found), so that
// the test follows the resource file.
std::string template_caption(std::string const& file, int id)
{
    std::ifstream in(file);
    std::string const header = "dialog " + std::to_string(id) + " ";
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(header, 0) == 0)
            inside = true;
        else if (inside && line.rfind("end", 0) == 0)
            return {};
        std::size_t const caption = line.find("caption \"");
        if (inside && caption != std::string::npos) {
            std::size_t const start = caption + 9;
            return line.substr(start, line.find('"', start) - start);
        }
    }
    return {};
}

class ZorvelOnX11 : public XvfbSuite<::testing::Test> {
protected:
    void SetUp() override
    {
        XVFB_SKIP_WITHOUT_SERVER();
        desktop = std::make_unique<TestDesktop>(server->display());
        ASSERT_TRUE(desktop->connected());
        if (!desktop->can_fake_input())
            GTEST_SKIP() << "libXtst is not installed";
        std::string pattern = (fs::temp_directory_path() / "zorvel-x11-XXXXXX").string();
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

    // Starts bin/Zorvel with these arguments on the test's server; named objects, the
    // simulated world's store and the trace stay in the test's folder.
    void start(std::vector<std::string> arguments)
    {
        std::string const program = std::string(ZORVEL_BIN_DIR) + "/Zorvel";
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

    // The first top-level window shown that is not in `before` nor the hidden dialog, which
    // shows for a moment when its modal run starts, until its first paint; 0 when none comes.
    unsigned long new_window_besides_the_hidden_dialog(std::vector<unsigned long> known)
    {
        for (;;) {
            auto const shown = desktop->wait_for_new_windows(known, kWindowTimeoutMs);
            if (shown.empty())
                return 0;
            for (unsigned long w : shown) {
                if (desktop->title_of(w) != kHiddenDialogTitle)
                    return w;
                known.push_back(w);
            }
        }
    }

    std::string trace() const
    {
        std::ifstream in(work + "/trace");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::unique_ptr<TestDesktop> desktop;
    std::string work;
    pid_t pid { -1 };
    int pidfd { -1 };
};

}

TEST_F(ZorvelOnX11, IconDocksDoubleClickOpensTheWindowAndExitEndsTheProgram)
{
    std::string const caption = template_caption(STATION_RESOURCES_DIR "/ConfigWindow.res", 102);
    ASSERT_FALSE(caption.empty());
    ASSERT_TRUE(desktop->start_tray());
    start({ "-s" });
    ASSERT_GT(pid, 0);

    ASSERT_TRUE(desktop->wait_for_docked_icons(1, kDockTimeoutMs)) << trace();
    EXPECT_FALSE(desktop->window_shown(caption)) << "a start in the tray only opens no window";

    ASSERT_TRUE(desktop->click_icon(0, 1, 2));
    ASSERT_TRUE(desktop->wait_for_window(caption, kWindowTimeoutMs)) << trace();

    // The tray menu opens where the right button was pressed; "Up" goes to its last item,
    // Exit, from no selection or the first item, whatever the menu holds before it.
    auto const before = desktop->top_level_windows();
    ASSERT_TRUE(desktop->click_icon(0, 3, 1));
    unsigned long const menu = new_window_besides_the_hidden_dialog(before);
    ASSERT_NE(menu, 0ul) << trace();
    ASSERT_TRUE(desktop->press_key(menu, "Up"));
    ASSERT_TRUE(desktop->press_key(menu, "Return"));

    EXPECT_EQ(wait_exit(kExitTimeoutMs), 0) << trace();
    EXPECT_TRUE(desktop->wait_for_docked_icons(0, kWindowTimeoutMs));
    EXPECT_FALSE(desktop->window_shown(caption));
}
