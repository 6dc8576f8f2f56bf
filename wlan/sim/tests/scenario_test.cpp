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
