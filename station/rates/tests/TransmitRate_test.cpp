#include "station/rates/TransmitRate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::uint32_t kCck = 0u << 14;
constexpr std::uint32_t kOfdm = 1u << 14;
constexpr std::uint32_t kHtMixed = 2u << 14;
constexpr std::uint32_t kHtGreenfield = 3u << 14;

struct Case {
    char const* name;
    std::uint32_t word;
    double mbps;
};

void expect_rates(Case const* begin, Case const* end)
{
    CHTTable table;
    table.Build();
    for (Case const* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->name);
        EXPECT_DOUBLE_EQ(RateFromTransmitSetting(c->word, table).mbps, c->mbps);
    }
}

}

TEST(RateFromTransmitSetting, CckAndOfdmIndexes)
{
    Case const cases[] = {
        { "CCK 0", kCck | 0, 1.0 }, { "CCK 1", kCck | 1, 2.0 }, { "CCK 2", kCck | 2, 5.5 },
        { "CCK 3", kCck | 3, 11.0 }, { "CCK 4 has no rate", kCck | 4, 0.0 },
        { "CCK 7 has no rate", kCck | 7, 0.0 },
        { "CCK 8", kCck | 8, 1.0 }, { "CCK 9", kCck | 9, 2.0 }, { "CCK 10", kCck | 10, 5.5 },
        { "CCK 11", kCck | 11, 11.0 }, { "CCK 12 has no rate", kCck | 12, 0.0 },
        { "a zero word (a failed query) is CCK 0", 0, 1.0 },
        { "OFDM 0", kOfdm | 0, 6.0 }, { "OFDM 1", kOfdm | 1, 9.0 }, { "OFDM 2", kOfdm | 2, 12.0 },
        { "OFDM 3", kOfdm | 3, 18.0 }, { "OFDM 4", kOfdm | 4, 24.0 }, { "OFDM 5", kOfdm | 5, 36.0 },
        { "OFDM 6", kOfdm | 6, 48.0 }, { "OFDM 7", kOfdm | 7, 54.0 },
        { "OFDM 8 has no rate", kOfdm | 8, 0.0 },
        { "bits above 15 are not read", 0xFFFF0000u | kOfdm | 7, 54.0 },
    };
    expect_rates(std::begin(cases), std::end(cases));
}

TEST(RateFromTransmitSetting, HtThroughTheTable)
{
    Case const cases[] = {
        { "0x818F: 40 MHz, short GI, MCS 15", 0x818F, 300.0 },
        { "greenfield reads the same", kHtGreenfield | 0x18F, 300.0 },
        { "20 MHz long MCS 7", kHtMixed | 7, 65.0 },
        { "20 MHz short MCS 8", kHtMixed | 0x100 | 8, 14.444 },
        { "STBC does not change the rate", kHtMixed | 0x200 | 7, 65.0 },
        { "20 MHz MCS 32 has no key", kHtMixed | 32, 0.0 },
        { "MCS 34 has no key", kHtMixed | 0x80 | 34, 0.0 },
    };
    expect_rates(std::begin(cases), std::end(cases));
}

TEST(RateFromTransmitSetting, HtDetailsOfTheWord)
{
    CHTTable table;
    table.Build();
    TransmitRate const wide = RateFromTransmitSetting(0x818F, table);
    EXPECT_EQ(wide.ht.bw, "40");
    EXPECT_EQ(wide.ht.gi, "short");
    EXPECT_EQ(wide.ht.stbc, "none");
    EXPECT_EQ(wide.ht.mcs, "15");
    TransmitRate const narrow = RateFromTransmitSetting(kHtMixed | (2u << 9) | 7, table);
    EXPECT_EQ(narrow.ht.bw, "20");
    EXPECT_EQ(narrow.ht.gi, "long");
    EXPECT_EQ(narrow.ht.stbc, "used");
    EXPECT_EQ(narrow.ht.mcs, "7");
}

TEST(RateFromTransmitSetting, UnbuiltTableGivesZeroForHt)
{
    CHTTable const empty;
    EXPECT_EQ(RateFromTransmitSetting(0x818F, empty).mbps, 0.0);
    EXPECT_EQ(RateFromTransmitSetting(kOfdm | 7, empty).mbps, 54.0);
}

TEST(TransmitSetting, FieldsOfTheWord)
{
    TransmitSetting const s(0xC000u | (3u << 9) | 0x100 | 0x80 | 0x7F);
    EXPECT_EQ(s.mcs, 127);
    EXPECT_TRUE(s.bw40);
    EXPECT_TRUE(s.shortGI);
    EXPECT_EQ(s.stbc, 3);
    EXPECT_EQ(s.phyMode, 3);
    EXPECT_TRUE(s.is_ht());
    EXPECT_FALSE(TransmitSetting(kOfdm).is_ht());
}
