#include "wlan/sim/Scenario.h"

#include <gtest/gtest.h>

using namespace wlan::sim;

TEST(Scenario, ReadsSectionsAndValues)
{
    auto r = parse_scenario(R"(
; comment
[world]
os = 7
admin = 0
[adapter:a]
name = First
mac = 00:11:22:33:44:55
[ap:x]
ssid = Net X
security = wpa2
accounts = peap:alice:pw; leap:bob:pw2
mdid = 0x1234
)");
    ASSERT_TRUE(r.ok()) << r.errors[0];
    EXPECT_EQ(r.world.win_os, 7);
    EXPECT_FALSE(r.world.admin);
    ASSERT_EQ(r.world.adapters.size(), 1u);
    EXPECT_EQ(r.world.adapters[0].mac[5], 0x55);
    ASSERT_EQ(r.world.aps.size(), 1u);
    EXPECT_EQ(r.world.aps[0].ssid, "Net X");
    EXPECT_EQ(r.world.aps[0].security, Security::Wpa2);
    ASSERT_EQ(r.world.aps[0].accounts.size(), 2u);
    EXPECT_EQ(r.world.aps[0].accounts[1].identity, "bob");
    EXPECT_EQ(r.world.aps[0].mdid, std::optional<std::uint16_t>(0x1234));
}

TEST(Scenario, ReportsBadLinesWithTheirNumbers)
{
    struct Case {
        char const* name;
        char const* text;
        char const* error;
    };
    constexpr Case cases[] = {
        { "bad channel", "[ap:x]\nchannel = 15\n", "line 2: channel" },
        { "long ssid", "[ap:x]\nssid = 0123456789012345678901234567890123\n", "line 2: ssid" },
        { "no equals", "[world]\nos\n", "line 2: expected" },
        { "bad mac", "[adapter:a]\nmac = 00:11\n", "line 2: mac" },
        { "open header", "[world\n", "line 1: unclosed" },
        { "bad account", "[ap:x]\naccounts = peap:alice\n", "line 2: accounts" },
        { "bad number", "[world]\nos = 12abc\n", "line 2: os" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto r = parse_scenario(c.text);
        ASSERT_EQ(r.errors.size(), 1u);
        EXPECT_EQ(r.errors[0].rfind(c.error, 0), 0u) << r.errors[0];
    }
    auto r = parse_scenario("[ap:x]\ncolour = blue\n[nowhere]\n");
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.warnings.size(), 2u);
}

TEST(Scenario, ACrowdAddsPlainOpenAccessPointsAfterTheFilesOwn)
{
    auto r = parse_scenario("[world]\ncrowd = 27\n[ap:own]\nssid = Own\n");
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.world.aps.size(), 28u);
    EXPECT_EQ(r.world.aps[0].ssid, "Own");
    ApSpec const& first = r.world.aps[1];
    ApSpec const& last = r.world.aps[27];
    EXPECT_EQ(first.ssid, "Crowd 001");
    EXPECT_EQ(last.ssid, "Crowd 027");
    EXPECT_EQ(first.channel, 1);
    EXPECT_EQ(r.world.aps[13].channel, 13);
    EXPECT_EQ(r.world.aps[14].channel, 1);
    EXPECT_EQ(first.rssi, -45);
    EXPECT_EQ(last.rssi, -90);
    EXPECT_EQ(first.security, Security::Open);
    EXPECT_NE(first.bssid, last.bssid);
    EXPECT_FALSE(parse_scenario("[world]\ncrowd = -1\n").ok());
}

TEST(Scenario, ReadsStationsAndTheAccessPointSide)
{
    auto r = parse_scenario("[world]\n11a = 0\nieee80211h = 1\nregion24_max = 2\nregion30_24 = 1, 6\nsoftap_rssi = -70\n"
                            "[adapter:a]\ndevice_model = 9\neeprom = 1.2\nfirmware = 3.4\n"
                            "[station:laptop]\nmac = 02:20:00:00:00:01\nphy = n\nmcs = 15\nbw40 = 1\nba_tids = 0, 5\njoin = 0\n");
    ASSERT_TRUE(r.ok()) << r.errors[0];
    EXPECT_FALSE(r.world.supports_11a);
    EXPECT_EQ(r.world.ieee80211h, 1);
    EXPECT_EQ(r.world.region24_max, 2);
    EXPECT_EQ(r.world.region30_24, (std::vector<std::uint8_t> { 1, 6 }));
    EXPECT_EQ(r.world.softap_rssi, -70);
    EXPECT_EQ(r.world.adapters[0].device_model, 9);
    EXPECT_EQ(r.world.adapters[0].eeprom, (std::array<std::uint8_t, 2> { 1, 2 }));
    EXPECT_EQ(r.world.adapters[0].firmware, std::optional<std::uint16_t>(0x0304));
    ASSERT_EQ(r.world.stations.size(), 1u);
    auto const& s = r.world.stations[0];
    EXPECT_EQ(s.id, "laptop");
    EXPECT_EQ(s.phy, 'n');
    EXPECT_EQ(s.mcs, std::optional<int>(15));
    EXPECT_EQ(s.ba_tids, (std::vector<std::uint8_t> { 0, 5 }));
    EXPECT_FALSE(s.join);

    struct Case {
        char const* text;
        char const* error;
    };
    for (Case c : { Case { "[station:x]\nphy = a\n", "line 2: phy" }, { "[station:x]\nba_tids = 8\n", "line 2: ba_tids" },
             { "[adapter:a]\nfirmware = 3\n", "line 2: firmware" }, { "[adapter:a]\ndevice_model = 16\n", "line 2: device_model" },
             { "[world]\nregion30_5 = 36, x\n", "line 2: region30_5" } }) {
        SCOPED_TRACE(c.text);
        auto bad = parse_scenario(c.text);
        ASSERT_EQ(bad.errors.size(), 1u);
        EXPECT_EQ(bad.errors[0].rfind(c.error, 0), 0u) << bad.errors[0];
    }
    EXPECT_FALSE(parse_scenario("[adapter:a]\neeprom = 1.2\neeprom = none\n").world.adapters[0].eeprom);
}
