// The link the station library publishes for the diagnostics stand-ins: empty until the
// station is connected with an address, the address, gateway and access point's MAC then, the
// world's diagnostics keys, and a store write only when something changed.
#include "wlan/sim/PublishedLink.h"
#include "wlan/sim/Scenario.h"
#include "wlan/sim/World.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace wlan::sim;

namespace {

constexpr char kScenario[] = R"(
[world]
connect_ms = 600
dhcp_ms = 3000
address = 10.0.0.7
gateway = 10.0.0.1
ping_ms = 2-9
pranto_open = fail
pranto_result = overflow
[adapter:a]
name = A
[ap:open]
ssid = Open
bssid = 02:00:00:00:00:01
channel = 1
)";

WLANPROFILE open_profile()
{
    WLANPROFILE p {};
    p.SSID.SsidLength = 4;
    std::memcpy(p.SSID.Ssid, "Open", 4);
    p.enumNetworkType = 1;
    p.enumEncryStatus = ENC_NONE;
    return p;
}

}

TEST(PublishedLink, FollowsTheLink)
{
    World world(parse_scenario(kScenario).world, nullptr, 0);
    world.select_adapter(world.adapter_records().at(0), 0);
    PublishedLink idle = published_link_of(world, 0);
    EXPECT_EQ(idle.connected, 0);
    EXPECT_EQ(idle.gateway[0], 0);
    EXPECT_EQ(idle.pranto_open, 0);
    EXPECT_EQ(idle.pranto_forced, 10);
    EXPECT_EQ(idle.ping_min_ms, 2);
    EXPECT_EQ(idle.ping_max_ms, 9);

    world.connect(open_profile(), 0);
    world.advance(1000);
    EXPECT_EQ(published_link_of(world, 1000).connected, 0) << "associated, but no address yet";
    world.advance(5000);
    PublishedLink const up = published_link_of(world, 5000);
    EXPECT_EQ(up.connected, 1);
    std::uint8_t const address[4] = { 10, 0, 0, 7 }, gateway[4] = { 10, 0, 0, 1 };
    std::uint8_t const mac[6] = { 2, 0, 0, 0, 0, 1 };
    EXPECT_EQ(std::memcmp(up.address, address, 4), 0);
    EXPECT_EQ(std::memcmp(up.gateway, gateway, 4), 0);
    EXPECT_EQ(std::memcmp(up.ap_mac, mac, 6), 0);

    world.set_radio_sw(false, 5000);
    EXPECT_EQ(published_link_of(world, 5000).connected, 0) << "radio off";
}

TEST(PublishedLink, DiagnosticsKeysAreChecked)
{
    struct Case {
        char const* line;
        bool ok;
    };
    Case const cases[] = {
        { "ping_ms = 1-4", true }, { "ping_ms = 3", true }, { "ping_ms = 5-2", false }, { "ping_ms = x", false },
        { "ping_ms = 1-20000", false }, { "pranto_open = ok", true }, { "pranto_open = maybe", false },
        { "pranto_result = error", true }, { "pranto_result = link", true }, { "pranto_result = 7", false },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.line);
        auto const result = parse_scenario(std::string("[world]\n") + c.line + "\n[adapter:a]\nname = A\n");
        EXPECT_EQ(result.errors.empty(), c.ok);
    }
}

TEST(PublishedLink, WrittenOnlyWhenItChanges)
{
    auto const folder = std::filesystem::temp_directory_path() / ("published-link-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    Store store(folder.string());
    World world(parse_scenario(kScenario).world, &store, 0);
    world.select_adapter(world.adapter_records().at(0), 0);
    LinkPublisher publisher;
    publisher.update(world, store, 0);
    ASSERT_TRUE(read_published_link(store).has_value());
    std::filesystem::remove(store.path_of(kPublishedLinkKey));
    publisher.update(world, store, 0);
    EXPECT_FALSE(read_published_link(store).has_value()) << "nothing changed, nothing written";
    world.spec().ping_max_ms = 12;
    publisher.update(world, store, 0);
    ASSERT_TRUE(read_published_link(store).has_value());
    EXPECT_EQ(read_published_link(store)->ping_max_ms, 12);
    std::filesystem::remove_all(folder);
}
