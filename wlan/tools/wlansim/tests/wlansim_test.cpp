// wlansim as a user runs it: wrong commands and arguments exit 2 with a message in the tool's
// own words and leave the log alone; accepted ones land in the log and show in `list`.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct ToolRun {
    int status { -1 };
    std::string out;
    std::string err;
};

std::string drain(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, std::size_t(n));
    ::close(fd);
    return text;
}

class WlansimTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/wlansim-test-XXXXXX";
        m_folder = ::mkdtemp(templ);
        std::ofstream(m_folder + "/world.ini") << "[adapter:a]\nname = A\n[ap:open]\nssid = Open\nchannel = 1\n";
        ::setenv("VXSIM_STORE", (m_folder + "/store").c_str(), 1);
        ::setenv("VXSIM_SCENARIO", (m_folder + "/world.ini").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    // The outputs are small, so reading one pipe after the other cannot block the tool.
    ToolRun run(std::vector<std::string> args)
    {
        args.insert(args.begin(), WLANSIM_PATH);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int out[2], err[2];
        EXPECT_EQ(::pipe(out), 0);
        EXPECT_EQ(::pipe(err), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        pid_t pid = 0;
        ToolRun r;
        EXPECT_EQ(::posix_spawn(&pid, WLANSIM_PATH, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(err[1]);
        r.out = drain(out[0]);
        r.err = drain(err[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return r;
    }
    std::string log()
    {
        std::ifstream in(m_folder + "/store/live.cmd");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string m_folder;
};

TEST_F(WlansimTest, RefusesWrongArgumentsInItsOwnWords)
{
    struct Case {
        std::vector<std::string> args;
        char const* message;
    };
    Case const cases[] = {
        { { "" }, "wlansim: an empty argument" },
        { { "bogus" }, "wlansim: unknown command 'bogus'" },
        { { "radio", "sw" }, "wlansim: 'radio' takes 2 arguments, got 1 (radio hw|sw on|off)" },
        { { "radio", "sw", "off", "now" }, "wlansim: 'radio' takes 2 arguments, got 3" },
        { { "radio", "sideways", "off" }, "wlansim: expected hw or sw, got 'sideways'" },
        { { "list", "all" }, "wlansim: 'list' takes no arguments" },
        { { "ap-add", std::string(120 * 1024, 'z') }, "wlansim: an argument has at most 256 characters" },
        { { "ap-add", "z", "rssi=--9223372036854775808" }, "wlansim: rssi: expected a number from -120 to 0" },
        { { "ap-move", "open", "--6" }, "wlansim: not a channel of the plan" },
        { { "ap-remove", "open\nradio sw off" }, "wlansim: an argument with white space" },
        { {}, "usage: wlansim list" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.message);
        ToolRun const r = run(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << r.err;
    }
    EXPECT_EQ(log(), "");
}

TEST_F(WlansimTest, KeepsARadioChangeWithNoProgramRunning)
{
    ToolRun const change = run({ "radio", "sw", "off" });
    EXPECT_EQ(change.status, 0) << change.err;
    EXPECT_EQ(log(), "radio sw off\n");
    ToolRun const list = run({ "list" });
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out.rfind("radio: hw on, sw off", 0), 0u) << list.out;
}

TEST_F(WlansimTest, ReadsOnlyARegularScenarioFile)
{
    ::setenv("VXSIM_SCENARIO", "/dev/zero", 1);
    ToolRun const r = run({ "list" });
    EXPECT_NE(r.err.find("cannot read /dev/zero: not a regular file"), std::string::npos) << r.err;
}

}

TEST_F(WlansimTest, ProfilesListsWhatProfileAddStoresAndTheActiveName)
{
    EXPECT_EQ(run({ "profile-add", "Corner Cafe", "ssid=Corner Cafe" }).status, 0);
    ToolRun const add = run({ "profile-add", "HomeNet 5G", "ssid=HomeNet 5G", "auth=wpa2-psk", "cipher=aes",
        "key=" + std::string(64, 'a') });
    EXPECT_EQ(add.status, 0) << add.err;
    EXPECT_EQ(run({ "profile-activate", "homenet 5g" }).status, 0);
    // Adding a stored name again (in another case) replaces it and keeps its ID.
    EXPECT_EQ(run({ "profile-add", "corner cafe", "ssid=Cafe 2" }).status, 0);
    ToolRun const list = run({ "profiles" });
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out,
        "profile\t1\tcorner cafe\tCafe 2\topen/none\tpac 0\n"
        "profile\t2\tHomeNet 5G\tHomeNet 5G\twpa2-psk/aes\tpac 0\n"
        "active\tHomeNet 5G\n");
    EXPECT_EQ(run({ "profiles", "x" }).status, 2);
    EXPECT_EQ(run({ "profile-add", "Long", "ssid=L", "key=" + std::string(65, 'a') }).status, 2);
    EXPECT_EQ(log(), "");
}
