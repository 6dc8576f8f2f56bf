// The simulated link's rate for a signal level, and its traffic: the pattern the byte counters
// follow, live changes of the pattern and of the counters, and the counter reset.
#include "wlan/sim/LinkModel.h"
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/World.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace wlan::sim;

namespace {

ApSpec ap(char phy, bool ht40 = false, bool sgi = false, int streams = 1)
{
    ApSpec a;
    a.phy = phy;
    a.ht = phy == 'n';
    a.ht40 = ht40;
    a.sgi20 = a.sgi40 = sgi;
    a.streams = streams;
    return a;
}

}

TEST(LinkRate, FollowsTheSignal)
{
    struct Case {
        char const* name;
        ApSpec a;
        bool ht;
        int rssi;
        std::uint16_t word;
        double mbps;
    };
    Case const cases[] = {
        // Words: bits 0-6 index, bit 7 40 MHz, bit 8 short GI, bits 14-15 PHY (0 CCK, 1 OFDM, 2 HT).
        { "b at full signal: CCK 3, 11 Mbit/s", ap('b'), false, -50, 0x0003, 11.0 },
        { "b at -68: one step", ap('b'), false, -68, 0x0002, 5.5 },
        { "b far below: the lowest CCK rate", ap('b'), false, -100, 0x0000, 1.0 },
        { "g at -64: OFDM 7, 54 Mbit/s", ap('g'), false, -64, 0x4007, 54.0 },
        { "g at -67: still 54", ap('g'), false, -67, 0x4007, 54.0 },
        { "g at -72: two steps", ap('g'), false, -72, 0x4005, 36.0 },
        { "a far below: 6 Mbit/s", ap('a'), false, -110, 0x4000, 6.0 },
        { "n without HT on the link: OFDM", ap('n', true, true, 2), false, -50, 0x4007, 54.0 },
        { "n 40 MHz short GI two streams: MCS 15", ap('n', true, true, 2), true, -52, 0x818F, 300.0 },
        { "n at -75: MCS 13", ap('n', true, true, 2), true, -75, 0x818D, 240.0 },
        { "n far below stays in its streams: MCS 8", ap('n', true, true, 2), true, -110, 0x8188, 30.0 },
        { "n 20 MHz long GI one stream: MCS 7", ap('n', false, false, 1), true, -40, 0x8007, 65.0 },
        { "n 20 MHz without short GI at 20 MHz", [] { auto a = ap('n', false, false, 1); a.sgi40 = true; return a; }(), true, -40, 0x8007, 65.0 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRate const r = link_rate(c.a, c.ht, c.rssi);
        EXPECT_EQ(r.transmit_setting, c.word);
        EXPECT_NEAR(r.mbps, c.mbps, 1e-9);
    }
}

TEST(TrafficPattern, BytesAddUpSlotBySlot)
{
    std::vector<int> const pattern { 100, 200, 0 };
    struct Case {
        std::uint64_t ms;
        std::uint64_t bytes;
    };
    Case const cases[] = {
        { 0, 0 }, { 1000, 100000 }, { 2000, 200000 }, { 3000, 400000 }, { 4000, 600000 },
        { 6000, 600000 }, { 7000, 700000 }, { 6000 * 1000, 600000ull * 1000 },
    };
    for (Case const& c : cases)
        EXPECT_EQ(pattern_bytes(pattern, c.ms), c.bytes) << c.ms << " ms";
    EXPECT_EQ(pattern_bytes({}, 5000), 0u);
}

TEST(TrafficPattern, ScenarioKeysAndTheirErrors)
{
    EXPECT_EQ(parse_traffic("40, 90,160"), (std::vector<int> { 40, 90, 160 }));
    for (char const* bad : { "", "40,", ",40", "40;90", "-1", "1000001", "4x" })
        EXPECT_FALSE(parse_traffic(bad).has_value()) << bad;
    auto const world = parse_scenario("[world]\ntraffic_tx = 1,2\ntraffic_rx = 3\n[adapter:a]\ntx_power = 40\n");
    ASSERT_TRUE(world.ok());
    EXPECT_EQ(world.world.traffic_tx, (std::vector<int> { 1, 2 }));
    EXPECT_EQ(world.world.traffic_rx, (std::vector<int> { 3 }));
    EXPECT_EQ(world.world.adapters.at(0).tx_power, 40);
    EXPECT_FALSE(parse_scenario("[world]\ntraffic_tx = fast\n").ok());
    // The default pattern crosses 1 Mbps (125 kB/s) both ways.
    WorldSpec const defaults;
    for (auto const* pattern : { &defaults.traffic_tx, &defaults.traffic_rx }) {
        EXPECT_LT(*std::min_element(pattern->begin(), pattern->end()), 125);
        EXPECT_GT(*std::max_element(pattern->begin(), pattern->end()), 125);
    }
}

namespace {

class TrafficTest : public ::testing::Test {
protected:
    TrafficTest()
        : m_world(parse_scenario("[world]\ntraffic_tx = 100\ntraffic_rx = 50\n[adapter:a]\nname = A\n"
                                 "[ap:open]\nssid = Open\nbssid = 02:00:00:00:00:01\nchannel = 1\n")
                      .world,
              nullptr, 0)
    {
        m_world.select_adapter(m_world.adapter_records().at(0), 0);
        WLANPROFILE p {};
        p.SSID.SsidLength = 4;
        std::memcpy(p.SSID.Ssid, "Open", 4);
        p.enumNetworkType = 1;
        p.enumEncryStatus = 1;
        m_world.connect(p, 0);
        for (std::uint64_t t = 0; t <= 5000 && !m_connected; t += 100) {
            m_world.advance(t);
            if (status(t).Status == VxStatus_Connected)
                m_connected = t;
        }
    }

    WLAN_STATUS status(std::uint64_t now)
    {
        WLAN_STATUS s {};
        m_world.fill_status(s, now);
        return s;
    }
    // The status `ms` after the link came up.
    WLAN_STATUS after(std::uint64_t ms)
    {
        m_world.advance(m_connected + ms);
        return status(m_connected + ms);
    }
    std::string live(std::string const& line, std::uint64_t ms) { return apply_live_command(m_world, line, m_connected + ms); }

    World m_world;
    std::uint64_t m_connected { 0 };
};

}

TEST_F(TrafficTest, CountersFollowThePattern)
{
    ASSERT_NE(m_connected, 0u);
    WLAN_STATUS const s = after(4000);
    EXPECT_EQ(s.BytesTx, 400000u);
    EXPECT_EQ(s.BytesRx, 200000u);
    EXPECT_EQ(s.Counters[COUNTER_TX_OK / 8], 400u) << "a frame per kilobyte";
    EXPECT_EQ(s.RxOk, 200u);
    EXPECT_EQ(s.TxPowerPercent, 100u);
}

TEST_F(TrafficTest, LiveTrafficGoesOnFromTheCurrentCount)
{
    EXPECT_EQ(live("traffic 10,20 0", 4000), "");
    EXPECT_EQ(after(4000).BytesTx, 400000u);
    EXPECT_EQ(after(6000).BytesTx, 420000u);
    EXPECT_EQ(after(8000).BytesTx, 460000u);
    EXPECT_EQ(after(8000).BytesRx, 200000u);
    EXPECT_NE(live("traffic 10,x 0", 8000), "");
    EXPECT_NE(live("traffic 10", 8000), "");
}

TEST_F(TrafficTest, LiveCountersSetAndCountOn)
{
    EXPECT_EQ(live("counters bytes_tx=4294967000 tx_ok=7 rx_crc=3", 2000), "");
    WLAN_STATUS const now = after(2000);
    EXPECT_EQ(now.BytesTx, 4294967000u);
    EXPECT_EQ(now.Counters[COUNTER_TX_OK / 8], 7u);
    EXPECT_EQ(now.Counters[COUNTER_RX_CRC / 8], 3u);
    EXPECT_EQ(now.BytesRx, 100000u) << "counters not named stay";
    WLAN_STATUS const later = after(4000);
    EXPECT_EQ(later.BytesTx, std::uint32_t(4294967000ull + 200000)) << "the byte counter wraps at 2^32";
    EXPECT_EQ(later.Counters[COUNTER_TX_OK / 8], 207u);
    // A bad pair changes nothing.
    EXPECT_NE(live("counters tx_ok=1 bogus=2", 4000), "");
    EXPECT_NE(live("counters tx_ok=-1", 4000), "");
    EXPECT_EQ(after(4000).Counters[COUNTER_TX_OK / 8], 207u);
    m_world.reset_counters(m_connected + 4000);
    EXPECT_EQ(after(4000).Counters[COUNTER_TX_OK / 8], 0u);
    EXPECT_EQ(after(6000).Counters[COUNTER_TX_OK / 8], 200u);
}
