#include "wlan/sim/Channels.h"

#include <gtest/gtest.h>

using namespace wlan::sim;

TEST(Channels, FrequencyAndChannelFollowTheBandPlans)
{
    struct Case { std::uint32_t khz; int channel; };
    constexpr Case cases[] = {
        { 2412000, 1 }, { 2472000, 13 }, { 2484000, 14 }, { 5180000, 36 }, { 5825000, 165 },
        { 2400000, -1 }, { 2413000, -1 }, { 2412500, -1 }, { 0, -1 }, { 6000000, -1 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.khz);
        EXPECT_EQ(frequency_to_channel(c.khz), c.channel);
        if (c.channel > 0) {
            EXPECT_EQ(channel_to_frequency(c.channel), c.khz);
        }
    }
    EXPECT_EQ(channel_to_frequency(0), 0u);
    EXPECT_EQ(channel_to_frequency(15), 0u);
}

TEST(Channels, ListsFollowModeAndRegion)
{
    EXPECT_EQ(available_channels(0, 0, 7).size(), 11u);    // 2.4 GHz only, region 0
    EXPECT_EQ(available_channels(2, 1, 2).size(), 8u);     // 5 GHz only, region 2
    EXPECT_EQ(available_channels(5, 1, 7).size(), 13u + 24u);
    EXPECT_TRUE(available_channels(0, 99, 0).empty());
    EXPECT_LE(available_channels(5, 5, 7).size(), 64u);
}

TEST(Channels, RssiToPercentIsClamped)
{
    EXPECT_EQ(rssi_to_percent(-120), 0);
    EXPECT_EQ(rssi_to_percent(-100), 0);
    EXPECT_EQ(rssi_to_percent(-75), 50);
    EXPECT_EQ(rssi_to_percent(-50), 100);
    EXPECT_EQ(rssi_to_percent(-10), 100);
}
