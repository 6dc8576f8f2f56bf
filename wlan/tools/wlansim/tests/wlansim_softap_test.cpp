// wlansim's commands of the access point side as a process: each is checked against the world
// before it is appended to the live log, so a typo reaches no running library; `list` shows the
// stations and what the running access point library published.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct SoftApRun {
    int status;
    std::string output;
};

class WlansimSoftAp : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/wlansim-test-XXXXXX";
        m_folder = ::mkdtemp(templ);
        std::ofstream(m_folder + "/world.ini") << "[adapter:wlan0]\nname = A\n"
                                                  "[station:laptop]\nmac = 02:20:00:00:00:01\nphy = n\n";
        ::setenv("VXSIM_SCENARIO", (m_folder + "/world.ini").c_str(), 1);
        ::setenv("VXSIM_STORE", (m_folder + "/store").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    SoftApRun run(std::string const& args)
    {
        std::string const command = std::string(WLANSIM_PATH) + " " + args + " 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string output;
        std::array<char, 256> buffer {};
        while (std::fgets(buffer.data(), int(buffer.size()), pipe))
            output += buffer.data();
        int const status = ::pclose(pipe);
        return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, output };
    }
    std::string log()
    {
        std::ifstream in(m_folder + "/store/live.cmd");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string m_folder;
};

}

TEST_F(WlansimSoftAp, NewCommandsAreAppendedAndTyposRefused)
{
    for (char const* good : { "sta-add phone mac=02:20:00:00:00:02 phy=g", "sta-leave laptop", "sta-join laptop",
             "sta-set laptop rssi=-50", "softap counters 4294967000", "softap exit", "power suspend", "power resume",
             "mode ap", "driver-delay never", "world-set softap_rssi=-70 11a=0", "ba add 02:20:00:00:00:01 5 recip 64",
             "ba remove 02:20:00:00:00:01" }) {
        SCOPED_TRACE(good);
        EXPECT_EQ(run(good).status, 0);
    }
    std::string const accepted = log();
    struct Case {
        char const* args;
        char const* message;
    };
    for (Case c : { Case { "sta-leav laptop", "unknown command 'sta-leav'" }, { "sta-leave lapto", "no station 'lapto'" },
             { "sta-add phone phy=g", "station 'phone' exists" }, { "sta-set laptop phy=z", "phy: expected b, g or n" },
             { "softap counters many", "expected a frame count" }, { "power nap", "expected suspend or resume" },
             { "mode router", "expected station, ap or apclient" }, { "world-set colour=blue", "unknown key 'colour'" },
             { "world-set softap_rssi=-50 region5_max=x", "region5_max" }, { "ba add 02:20:00:00:00:01 9 orig 8", "TID" },
             { "driver-delay soon", "or never" }, { "softap", "takes 1 to 2 arguments" } }) {
        SCOPED_TRACE(c.args);
        auto const r = run(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.output.find(c.message), std::string::npos) << r.output;
    }
    EXPECT_EQ(log(), accepted) << "nothing of a refused line is appended";
}

TEST_F(WlansimSoftAp, ListShowsStationsAndTheRunningAccessPoint)
{
    ASSERT_EQ(run("sta-add phone mac=02:20:00:00:00:02 join=0").status, 0);
    std::ofstream(m_folder + "/store/softap.status") << "pid " << ::getpid() << "\nsoftap serving ssid \"SoftAP\" channel 6\n"
                                                     << "station laptop 02:20:00:00:00:01 associated aid 1\n";
    auto const r = run("list");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.output.find("station laptop"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("station phone"), std::string::npos);
    EXPECT_NE(r.output.find("(not joining)"), std::string::npos);
    EXPECT_NE(r.output.find("softap serving ssid \"SoftAP\" channel 6"), std::string::npos);
    EXPECT_NE(r.output.find("laptop 02:20:00:00:00:01 associated aid 1"), std::string::npos);

    // A status left by a program that ended is not shown.
    std::ofstream(m_folder + "/store/softap.status") << "pid 999999999\nsoftap serving\n";
    EXPECT_EQ(run("list").output.find("softap serving"), std::string::npos);
}
