// The capability's conversions and the enabling rule, with the values the pages are specified
// to send and show.
#include "station/features/blockack/BlockAckCapability.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool same(BA_CAP_SETTING const& a, BA_CAP_SETTING const& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

BlockAckMembers manual_dynamic()
{
    BlockAckMembers m;
    m.aggregation_mode = 0;
    m.aggregation_enable = 0;
    m.density = "7";
    m.amsdu_enable = 1;
    m.amsdu_size = 1;
    m.power_save = 2;
    return m;
}

}

TEST(BlockAckCapability, MembersPackToTheStoredWordAndBack)
{
    struct Case {
        char const* name;
        BlockAckMembers members;
        BA_CAP_SETTING record;
        std::uint32_t packed;
    };
    Case const cases[] = {
        { "the page's defaults", BlockAckMembers {}, { 32, 32, 1, 0, 1, 0, 3, 1 }, 0x03432020 },
        { "manual, aggregation off, density 7, 7935 bytes, dynamic SMPS", manual_dynamic(), { 32, 32, 2, 7, 1, 1, 1, 0 },
            0x01FC2020 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        BA_CAP_SETTING const record = BACapFromMembers(c.members);
        EXPECT_TRUE(same(record, c.record));
        EXPECT_EQ(PackBACap(record), c.packed);
        EXPECT_TRUE(same(UnpackBACap(c.packed), c.record));
        BlockAckMembers back;
        back.amsdu_size = 9;
        BACapToMembers(UnpackBACap(c.packed), back);
        EXPECT_EQ(back.density, c.members.density);
        EXPECT_EQ(back.aggregation_enable, c.members.aggregation_enable);
        EXPECT_EQ(back.aggregation_mode, c.members.aggregation_mode);
        EXPECT_EQ(back.amsdu_enable, c.members.amsdu_enable);
        EXPECT_EQ(back.amsdu_size, c.members.amsdu_size);
        EXPECT_EQ(back.power_save, c.members.power_save);
        EXPECT_EQ(back.window_limit1, 32);
    }
}

// Only the low bits of each byte have a place in the word; bits 26-31 stay 0.
TEST(BlockAckCapability, PackingKeepsEachFieldInItsBits)
{
    EXPECT_EQ(PackBACap(BA_CAP_SETTING { 0xFF, 0, 0, 0, 0, 0, 0, 0 }), 0x000000FFu);
    EXPECT_EQ(PackBACap(BA_CAP_SETTING { 0, 0xFF, 0, 0, 0, 0, 0, 0 }), 0x0000FF00u);
    EXPECT_EQ(PackBACap(BA_CAP_SETTING { 0, 0, 0xFF, 0, 0, 0, 0, 0 }), 0x00060000u);
    EXPECT_EQ(PackBACap(BA_CAP_SETTING { 0, 0, 0, 0xFF, 0, 0, 0, 0 }), 0x00380000u);
    EXPECT_EQ(PackBACap(BA_CAP_SETTING { 0, 0, 0, 0, 0xFF, 0, 0, 0 }), 0x00400000u);
    EXPECT_EQ(PackBACap(BA_CAP_SETTING { 0, 0, 0, 0, 0, 0xFF, 0, 0 }), 0x00800000u);
    EXPECT_EQ(PackBACap(BA_CAP_SETTING { 0, 0, 0, 0, 0, 0, 0xFF, 0 }), 0x03000000u);
    EXPECT_EQ(PackBACap(BA_CAP_SETTING { 0, 0, 0, 0, 0, 0, 0, 0xFF }), 0x00010000u);
    BA_CAP_SETTING const high = UnpackBACap(0xFC000000);
    EXPECT_TRUE(same(high, BA_CAP_SETTING {}));
}

TEST(BlockAckCapability, PowerSaveMapsBothWays)
{
    struct Case {
        int index;
        std::uint8_t record;
    };
    Case const to_record[] = { { 0, 3 }, { 1, 0 }, { 2, 1 }, { 3, 3 }, { -1, 3 } };
    for (auto const& c : to_record)
        EXPECT_EQ(PowerSaveToRecord(c.index), c.record) << c.index;
    Case const from_record[] = { { 1, 0 }, { 2, 1 }, { 0, 2 }, { 0, 3 } };
    for (auto const& c : from_record)
        EXPECT_EQ(PowerSaveFromRecord(c.record), c.index) << int(c.record);
}

TEST(BlockAckCapability, StoredAmsduOffKeepsThePreviousSize)
{
    BlockAckMembers m;
    m.amsdu_size = 1;
    BACapToMembers(BA_CAP_SETTING { 32, 32, 1, 3, 0, 0, 3, 1 }, m);
    EXPECT_EQ(m.amsdu_enable, 0);
    EXPECT_EQ(m.amsdu_size, 1);
    EXPECT_EQ(m.density, "3");
    BACapToMembers(BA_CAP_SETTING { 32, 32, 1, 3, 1, 0, 3, 1 }, m);
    EXPECT_EQ(m.amsdu_size, 0);
}

// Apply reads the density list's text as atoi does: a text that is not a number is 0.
TEST(BlockAckCapability, DensityTextReadsAsAtoi)
{
    BlockAckMembers m;
    m.density = "5";
    EXPECT_EQ(BACapFromMembers(m).MpduDensity, 5);
    m.density = "";
    EXPECT_EQ(BACapFromMembers(m).MpduDensity, 0);
}

TEST(BlockAckEnabling, OneRowPerAggregationModeAndAmsdu)
{
    struct Case {
        char const* name;
        int aggregation;
        int mode;
        int amsdu;
        BlockAckEnabling expected;
    };
    Case const cases[] = {
        { "off, A-MSDU on", 0, 0, 1, { false, false, true } },
        { "off, A-MSDU off", 0, 1, 0, { false, false, false } },
        { "on and manual, A-MSDU on", 1, 0, 1, { true, true, true } },
        { "on and manual, A-MSDU off", 1, 0, 0, { true, true, false } },
        { "on and automatic, A-MSDU on", 1, 1, 1, { true, false, true } },
        { "on and automatic, A-MSDU off", 1, 1, 0, { true, false, false } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        BlockAckMembers m;
        m.aggregation_enable = c.aggregation;
        m.aggregation_mode = c.mode;
        m.amsdu_enable = c.amsdu;
        EXPECT_EQ(BlockAckEnablingFor(m), c.expected);
    }
}
