// Live commands: every command checks its arguments and says what is wrong, and the log's
// replay skips a line that no longer applies instead of stopping.
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"
#include "wlan/sim/tests/OneOpenNetwork.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace wlan::sim;

namespace {

constexpr char const* kScenario = wlan::sim::test_worlds::kOneOpenNetwork;

struct Case {
    char const* line;
    char const* error_start; // "" = accepted
};

void expect_cases(World& world, std::initializer_list<Case> cases)
{
    for (auto const& c : cases) {
        SCOPED_TRACE(c.line);
        auto const error = apply_live_command(world, c.line, 0);
        if (*c.error_start == '\0')
            EXPECT_EQ(error, "");
        else
            EXPECT_EQ(error.rfind(c.error_start, 0), 0u) << error;
    }
}

TEST(LiveCommands, CheckArityAndSayWhatIsWrong)
{
    World world(parse_scenario(kScenario).world, nullptr, 0);
    expect_cases(world, {
        { "", "empty command" },
        { "   ", "empty command" },
        { "bogus", "unknown command 'bogus'" },
        { "bogus x", "unknown command 'bogus'" },
        { "radio sw", "'radio' takes 2 arguments, got 1 (radio hw|sw on|off)" },
        { "radio sw off extra", "'radio' takes 2 arguments, got 3" },
        { "radio sw off", "" },
        { "radio on sw", "expected hw or sw, got 'on'" },
        { "radio hw sideways", "expected on or off, got 'sideways'" },
        { "fail-next-scan now", "'fail-next-scan' takes no arguments, got 1" },
        { "fail-next-scan", "" },
        { "ap-remove", "'ap-remove' takes 1 argument, got 0" },
        { "ap-remove open extra", "'ap-remove' takes 1 argument, got 2" },
        { "ap-set open", "'ap-set' takes at least 2 arguments, got 1" },
        { "ap-set open ssid", "expected key=value, got 'ssid'" },
        { "ap-set open =x", "expected key=value, got '=x'" },
        { "ap-set open colour=red", "unknown key 'colour'" },
        { "ap-signal open -40 -30", "'ap-signal' takes 2 arguments, got 3" },
        { "ap-signal open loud", "expected a number from -120 to 0" },
        { "adapter pull", "'adapter' takes 2 arguments, got 1" },
        { "adapter unplug a", "expected pull or insert, got 'unplug'" },
        { "adapter pull nothere", "no adapter 'nothere'" },
        { "adapter pull a", "" },
        { "driver-delay -1", "expected milliseconds" },
        { "driver-delay 1e3", "expected milliseconds" },
        { "driver-delay 600001", "expected milliseconds" },
        { "driver-delay 600000", "" },
        { "wps-press nothere", "no access point 'nothere'" },
    });
}

TEST(LiveCommands, ReadIntegersStrictly)
{
    World world(parse_scenario(kScenario).world, nullptr, 0);
    expect_cases(world, {
        { "ap-add z rssi=--9223372036854775808", "rssi: expected a number from -120 to 0" },
        { "ap-add z rssi=-9223372036854775808", "rssi: expected a number" },
        { "ap-add z rssi=9223372036854775808", "rssi: expected a number" },
        { "ap-add z channel=--6", "channel: not a channel" },
        { "ap-add z channel=+-6", "channel: not a channel" },
        { "ap-add z channel=0x-10", "channel: not a channel" },
        { "ap-add z rssi=0x-10", "rssi: expected a number" },
        { "ap-add z rssi=-0x10 channel=0x6", "" },
        { "ap-move open --6", "not a channel" },
        { "ap-move open 6", "" },
    });
    ASSERT_NE(world.find_ap("z"), nullptr);
    EXPECT_EQ(world.find_ap("z")->rssi, -16);
    EXPECT_EQ(world.find_ap("z")->channel, 6);
}

TEST(LiveCommands, BoundIdsAndLines)
{
    World world(parse_scenario(kScenario).world, nullptr, 0);
    std::string const long_id(kMaxLiveId + 1, 'x');
    std::string const id(kMaxLiveId, 'x');
    EXPECT_EQ(apply_live_command(world, "ap-add " + long_id, 0).rfind("an id has at most 64", 0), 0u);
    EXPECT_EQ(apply_live_command(world, "ap-add " + id, 0), "");
    EXPECT_EQ(apply_live_command(world, "ap-add y " + std::string(kMaxLiveLine, 'k'), 0).rfind("a command has at most", 0), 0u);
    // A failed ap-set leaves the access point as it was.
    EXPECT_NE(apply_live_command(world, "ap-set open rssi=-30 channel=15", 0), "");
    EXPECT_EQ(world.find_ap("open")->rssi, -50);
}

TEST(LiveCommands, CheckCommandLineWordsBeforeJoiningThem)
{
    struct WordsCase {
        char const* name;
        std::vector<std::string> words;
        char const* error_start;
    };
    WordsCase const cases[] = {
        { "none", {}, "empty command" },
        { "empty word", { "" }, "an empty argument" },
        { "newline smuggles a line", { "ap-remove", "open\nradio" }, "an argument with white space" },
        { "space", { "ap-set", "open", "ssid=a b" }, "an argument with white space" },
        { "control", { "ap-remove", "op\x01" }, "an argument with white space or a control" },
        { "long word", { "ap-add", std::string(kMaxLiveWord + 1, 'x') }, "an argument has at most 256" },
        { "word at its bound", { "ap-add", std::string(kMaxLiveWord, 'x') }, "" },
        { "long line", std::vector<std::string>(5, std::string(kMaxLiveWord, 'x')), "a command has at most 1024" },
        { "plain", { "radio", "sw", "off" }, "" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto const error = check_live_words(c.words);
        if (*c.error_start == '\0')
            EXPECT_EQ(error, "");
        else
            EXPECT_EQ(error.rfind(c.error_start, 0), 0u) << error;
    }
}

class LiveLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vxsim-live-XXXXXX";
        m_folder = ::mkdtemp(templ);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    void write_log(std::string const& text) { std::ofstream(m_folder + "/live.cmd", std::ios::binary) << text; }

    std::string m_folder;
};

TEST_F(LiveLogTest, ReplaySkipsALineThatNoLongerParses)
{
    Store store(m_folder);
    write_log("ap-signal open -40\n"
              "ap-add z rssi=--9223372036854775808\n"
              "\n"
              "bogus\n"
              "ap-move open 11\n"
              "ap-signal open -3"); // still being written
    World world(parse_scenario(kScenario).world, &store, 0);
    LiveLog log(store);
    testing::internal::CaptureStderr();
    EXPECT_EQ(log.apply_new(world, 0), 2);
    std::string const said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("line 2 skipped: rssi: expected a number"), std::string::npos) << said;
    EXPECT_NE(said.find("line 4 skipped: unknown command 'bogus'"), std::string::npos) << said;
    EXPECT_EQ(world.find_ap("open")->rssi, -40);
    EXPECT_EQ(world.find_ap("open")->channel, 11);
    EXPECT_EQ(world.find_ap("z"), nullptr);
    ASSERT_TRUE(append_live_command(store, "0")); // ends the line being written
    EXPECT_EQ(log.apply_new(world, 0), 1);
    EXPECT_EQ(world.find_ap("open")->rssi, -30);
}

TEST_F(LiveLogTest, ALogThatIsNotAFileIsEmpty)
{
    Store store(m_folder);
    std::filesystem::create_directory(m_folder + "/live.cmd");
    World world(parse_scenario(kScenario).world, &store, 0);
    EXPECT_EQ(LiveLog(store).apply_new(world, 0), 0);
}

TEST_F(LiveLogTest, RadioSwitchWithNoAdapterSelectedIsKept)
{
    Store store(m_folder);
    {
        World tool(parse_scenario(kScenario).world, &store, 0);
        EXPECT_EQ(apply_live_command(tool, "radio sw off", 0), "");
        EXPECT_FALSE(tool.radio_sw());
    }
    World program(parse_scenario(kScenario).world, &store, 0);
    EXPECT_FALSE(program.radio_sw());
    ASSERT_TRUE(program.select_adapter(program.adapter_records().at(0), 0));
    EXPECT_FALSE(program.radio_on());
}

}
