// The hosted network of the world and the live commands that set scenario keys: the stations
// the status reports, the state a world may force, and world-set, adapter-set and hosted-sta
// refusing what the scenario reader refuses.
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/World.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace wlan::sim;

namespace {

constexpr char kScenario[] = R"(
[world]
hosted_stations = 02:40:00:00:00:01/1; 02:40:00:00:00:02/0; 02:40:00:00:00:03/2
[adapter:a]
mac = 00:1A:2B:3C:4D:5E
eeprom = 1.2
)";

EXTAP_CONFIG_DATA record(char const* ssid, char const* key)
{
    EXTAP_CONFIG_DATA r {};
    r.SsidLength = std::uint32_t(std::strlen(ssid));
    std::memcpy(r.Ssid, ssid, r.SsidLength);
    r.KeyLength = std::uint32_t(std::strlen(key));
    std::memcpy(r.Key, key, r.KeyLength);
    return r;
}

class HostedTest : public ::testing::Test {
protected:
    HostedTest()
        : m_world(parse_scenario(kScenario).world, nullptr, 0)
    {
        m_world.select_adapter(m_world.adapter_records().at(0), 0);
    }

    HOSTED_NETWORK_STATUS status() const
    {
        HOSTED_NETWORK_STATUS s;
        std::memset(&s, 0xEE, sizeof s);
        m_world.fill_hosted_status(s);
        return s;
    }

    World m_world;
};

}

TEST_F(HostedTest, StoppedNetworkReportsNothing)
{
    auto const s = status();
    EXPECT_EQ(s.State, 0u);
    EXPECT_EQ(s.StationCount, 0u);
    EXPECT_EQ(s.Stations[0].MacAddress[0], 0);
}

TEST_F(HostedTest, RunningNetworkListsItsStationsUnderTheAdaptersLocalAddress)
{
    ASSERT_TRUE(m_world.hosted_setup(record("Den", "12345678")));
    auto const s = status();
    EXPECT_EQ(s.State, 1u);
    EXPECT_EQ(std::vector<int>(s.Bssid, s.Bssid + 6), (std::vector<int> { 0x02, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E }));
    ASSERT_EQ(s.StationCount, 3u);
    EXPECT_EQ(s.Stations[1].MacAddress[5], 2);
    EXPECT_EQ(s.Stations[1].AuthState, 0u);
    EXPECT_EQ(s.Stations[2].AuthState, 2u);
    m_world.set_hosted_network(false);
    EXPECT_EQ(status().State, 0u);
}

TEST_F(HostedTest, ForcedStateListsStationsEvenWhenStopped)
{
    ASSERT_EQ(apply_live_command(m_world, "world-set hosted_state=2", 0), "");
    auto const s = status();
    EXPECT_EQ(s.State, 2u);
    EXPECT_EQ(s.StationCount, 3u);
}

// Sixty associated stations: the count says so, the record holds the first fifty.
TEST_F(HostedTest, NeverMoreThanFiftyEntries)
{
    m_world.hosted_setup(record("Den", "12345678"));
    for (int i = 0; i < 60; ++i)
        m_world.add_hosted_station(Mac { 2, 0x50, 0, 0, 0, std::uint8_t(i) }, 1);
    auto const s = status();
    EXPECT_EQ(s.StationCount, 63u);
    EXPECT_EQ(s.Stations[49].MacAddress[5], 46);
}

TEST_F(HostedTest, StationsComeAndGoByCommand)
{
    m_world.hosted_setup(record("Den", "12345678"));
    EXPECT_EQ(apply_live_command(m_world, "hosted-sta add 02:40:00:00:00:09", 0), "");
    EXPECT_EQ(apply_live_command(m_world, "hosted-sta add 02:40:00:00:00:01 0", 0), "");
    auto s = status();
    ASSERT_EQ(s.StationCount, 4u);
    EXPECT_EQ(s.Stations[0].AuthState, 0u);
    EXPECT_EQ(s.Stations[3].AuthState, 1u);
    EXPECT_EQ(apply_live_command(m_world, "hosted-sta remove 02:40:00:00:00:09", 0), "");
    EXPECT_EQ(status().StationCount, 3u);
    struct Case {
        char const* line;
        char const* error;
    };
    Case const refused[] = {
        { "hosted-sta remove 02:40:00:00:00:09", "no hosted-network station 02:40:00:00:00:09" },
        { "hosted-sta add 02:40", "expected xx:xx:xx:xx:xx:xx, got '02:40'" },
        { "hosted-sta add 02:40:00:00:00:07 -1", "expected an authentication state from 0 to 4294967295, got '-1'" },
        { "hosted-sta join 02:40:00:00:00:07", "expected add or remove, got 'join'" },
        { "hosted-sta remove 02:40:00:00:00:01 1", "'hosted-sta remove' takes only the address" },
    };
    for (auto const& c : refused) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(apply_live_command(m_world, c.line, 0), c.error);
    }
    EXPECT_EQ(status().StationCount, 3u);
}

TEST_F(HostedTest, SetUpRefusesWhatTheRecordCannotRun)
{
    EXTAP_CONFIG_DATA long_ssid = record("Den", "12345678");
    long_ssid.SsidLength = 40;
    EXTAP_CONFIG_DATA long_key = record("Den", "12345678");
    long_key.KeyLength = 65;
    struct Case {
        char const* name;
        EXTAP_CONFIG_DATA record;
        bool runs;
    };
    Case const cases[] = {
        { "32-byte SSID", record("abcdefghijklmnopqrstuvwxyz012345", "12345678"), true },
        { "empty SSID", record("", "12345678"), false },
        { "SSID length 40", long_ssid, false },
        { "key of 7", record("Den", "1234567"), false },
        { "key of 63", record("Den", "123456789012345678901234567890123456789012345678901234567890123"), true },
        { "64 hexadecimal", record("Den", "0123456789abcdef0123456789abcdef0123456789abcdef0123456789ABCDEF"), true },
        { "64 with a g", record("Den", "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdeg"), false },
        { "key length 65", long_key, false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        m_world.set_hosted_network(false);
        EXPECT_EQ(m_world.hosted_setup(c.record), c.runs);
        EXPECT_EQ(m_world.hosted_network_running(), c.runs);
    }
}

// The scenario reader's own messages; a refused command changes none of its keys.
TEST_F(HostedTest, WorldAndAdapterKeysAreSetLive)
{
    struct Case {
        char const* line;
        char const* error;
    };
    Case const cases[] = {
        { "world-set admin=0 os=10", "" },
        { "world-set os=7 colour=blue", "unknown key 'colour'" },
        { "world-set os=7 admin=maybe", "admin: expected 0 or 1" },
        { "world-set os", "expected key=value, got 'os'" },
        { "world-set", "'world-set' takes at least 1 argument, got 0 (world-set key=value ...   (keys as in a scenario's [world] section))" },
        { "adapter-set a firmware=3.4 device_model=9", "" },
        { "adapter-set a eeprom=1.256", "eeprom: expected major.minor (0-255 each) or none" },
        { "adapter-set a device_model=16", "device_model: expected a number from 0 to 15" },
        { "adapter-set b firmware=1.0", "no adapter 'b'" },
        { "adapter-set a", "'adapter-set' takes at least 2 arguments, got 1 (adapter-set <id> key=value ...   (keys as in an [adapter:] section))" },
        { "world-set hosted_stations=02:40/1", "hosted_stations: expected mac/auth, got '02:40/1'" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(apply_live_command(m_world, c.line, 0), c.error);
    }
    EXPECT_EQ(m_world.spec().win_os, 10);
    EXPECT_FALSE(m_world.spec().admin);
    auto const& a = *m_world.selected_adapter();
    EXPECT_EQ(a.device_model, 9);
    ASSERT_TRUE(a.firmware.has_value());
    EXPECT_EQ(*a.firmware, 0x0304);
    ASSERT_TRUE(a.eeprom.has_value());
    EXPECT_EQ((*a.eeprom)[1], 2);
    EXPECT_EQ(apply_live_command(m_world, "adapter-set a eeprom=none", 0), "");
    EXPECT_FALSE(m_world.selected_adapter()->eeprom.has_value());
    EXPECT_EQ(m_world.spec().hosted_stations.size(), 3u);
}
