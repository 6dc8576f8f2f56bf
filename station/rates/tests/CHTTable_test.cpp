#include "station/rates/CHTTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// The standard's way to the rate (IEEE Std 802.11n-2009, 20.6): data bits per OFDM symbol of
// one stream, times the streams, over the symbol time (4.0 us, or 3.6 us with the short guard
// interval). Data bits per symbol of MCS 0-7 at 20 MHz (52 data subcarriers) and at 40 MHz
// (108).
constexpr int kBits20[8] = { 26, 52, 78, 104, 156, 208, 234, 260 };
constexpr int kBits40[8] = { 54, 108, 162, 216, 324, 432, 486, 540 };

double round_to(double value, int decimals)
{
    double const scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

// The printed tables keep one decimal, except the two-stream short-guard rates at 20 MHz,
// MCS 8-13 and 15, which they print with three.
int printed_decimals(bool bw40, bool short_gi, int mcs)
{
    return !bw40 && short_gi && mcs >= 8 && mcs <= 15 && mcs != 14 ? 3 : 1;
}

double expected_rate(bool bw40, bool short_gi, int mcs)
{
    if (mcs == 32)
        return short_gi ? 6.7 : 6.0; // 40 MHz duplicate of 6 Mbit/s OFDM, 24 bits per symbol
    if (mcs == 33)
        return short_gi ? 90.0 : 81.0; // 16-QAM + QPSK, rate 1/2, at 40 MHz
    int const streams = mcs / 8 + 1;
    int const* per_stream = bw40 ? kBits40 : kBits20;
    int const bits = per_stream[mcs % 8] * streams;
    double const rate = bits / (short_gi ? 3.6 : 4.0);
    return round_to(rate, printed_decimals(bw40, short_gi, mcs));
}

CHTTable built()
{
    CHTTable table;
    table.Build();
    return table;
}

}

TEST(CHTTable, EveryEntryHasTheStandardsRate)
{
    CHTTable const table = built();
    EXPECT_EQ(table.size(), 132u);
    for (bool bw40 : { false, true }) {
        for (bool short_gi : { false, true }) {
            for (int mcs = 0; mcs <= (bw40 ? 33 : 31); ++mcs) {
                SCOPED_TRACE(std::string(bw40 ? "40" : "20") + (short_gi ? " short MCS " : " long MCS ") + std::to_string(mcs));
                double rate = -1;
                ASSERT_TRUE(table.Lookup(bw40, short_gi ? 1 : 0, mcs, &rate));
                EXPECT_DOUBLE_EQ(rate, expected_rate(bw40, short_gi, mcs));
            }
        }
    }
}

TEST(CHTTable, ThreeDecimalRatesAreKept)
{
    CHTTable const table = built();
    double const want[] = { 14.444, 28.889, 43.333, 57.778, 86.667, 115.556, 144.444 };
    int const mcs[] = { 8, 9, 10, 11, 12, 13, 15 };
    for (std::size_t i = 0; i < std::size(mcs); ++i) {
        double rate = 0;
        ASSERT_TRUE(table.Lookup(0, 1, mcs[i], &rate));
        EXPECT_EQ(rate, want[i]) << "MCS " << mcs[i];
    }
}

TEST(CHTTable, LookupCases)
{
    struct Case {
        char const* name;
        int bw40, guard, mcs;
        bool found;
        double rate;
    };
    Case const cases[] = {
        { "40 MHz short MCS 15", 1, 1, 15, true, 300.0 },
        { "20 MHz long MCS 7", 0, 0, 7, true, 65.0 },
        { "any nonzero width is 40 MHz", 7, 1, 15, true, 300.0 },
        { "guard 2 reads as long", 1, 2, 15, true, 270.0 },
        { "guard -1 reads as long", 0, -1, 7, true, 65.0 },
        { "20 MHz MCS 32 long", 0, 0, 32, false, 0 },
        { "20 MHz MCS 32 short", 0, 1, 32, false, 0 },
        { "20 MHz MCS 32 guard 2", 0, 2, 32, false, 0 },
        { "20 MHz MCS 33", 0, 1, 33, false, 0 },
        { "40 MHz MCS 32 long", 1, 0, 32, true, 6.0 },
        { "40 MHz MCS 33 short", 1, 1, 33, true, 90.0 },
        { "MCS 34", 1, 1, 34, false, 0 },
        { "negative MCS", 1, 1, -1, false, 0 },
    };
    CHTTable const table = built();
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        double rate = -42.0;
        EXPECT_EQ(table.Lookup(c.bw40, c.guard, c.mcs, &rate), c.found);
        EXPECT_EQ(rate, c.found ? c.rate : -42.0) << "untouched when not found";
    }
}

TEST(CHTTable, EmptyBeforeBuildAndBuildingAgainChangesNothing)
{
    CHTTable table;
    double rate = -1;
    EXPECT_FALSE(table.Lookup(1, 1, 15, &rate));
    EXPECT_EQ(rate, -1);
    table.Build();
    table.Build();
    EXPECT_EQ(table.size(), 132u);
    ASSERT_TRUE(table.Lookup(1, 1, 15, &rate));
    EXPECT_EQ(rate, 300.0);
    ASSERT_TRUE(table.Lookup(0, 1, 0, &rate));
    EXPECT_EQ(rate, 7.2);
}
