#include "station/features/AdvanceLists.h"

#include "station/core/UiStr.h"

#include <gtest/gtest.h>

using namespace station::features;

namespace {

// Texts unlike the key names, so a wrong key shows.
class AdvanceListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = G_UiStr;
        G_UiStr.IDS_AUTO = "auto";
        G_UiStr.IDS_1MBPS = "r1";
        G_UiStr.IDS_2MBPS = "r2";
        G_UiStr.IDS_55MBPS = "r5.5";
        G_UiStr.IDS_11MBPS = "r11";
        G_UiStr.IDS_6MBPS = "r6";
        G_UiStr.IDS_9MBPS = "r9";
        G_UiStr.IDS_12MBPS = "r12";
        G_UiStr.IDS_18MBPS = "r18";
        G_UiStr.IDS_24MBPS = "r24";
        G_UiStr.IDS_36MBPS = "r36";
        G_UiStr.IDS_48MBPS = "r48";
        G_UiStr.IDS_54MBPS = "r54";
        G_UiStr.IDS_PHY_24G = "two";
        G_UiStr.IDS_PHY_5G = "five";
        G_UiStr.IDS_PHY_24_5G = "both";
    }
    void TearDown() override { G_UiStr = saved_; }

private:
    CUISTR saved_;
};

using Texts = std::vector<std::string>;

}

TEST_F(AdvanceListsTest, WirelessModesNeed80211aForThe5GhzEntries)
{
    using E = WirelessModeEntry;
    EXPECT_EQ(WirelessModeEntries(false), std::vector<E> { E::Band24 });
    EXPECT_EQ(WirelessModeEntries(true), (std::vector<E> { E::Band24, E::Band5, E::Dual }));
    EXPECT_EQ(WirelessModeText(E::Band24), "two");
    EXPECT_EQ(WirelessModeText(E::Band5), "five");
    EXPECT_EQ(WirelessModeText(E::Dual), "both");
}

TEST_F(AdvanceListsTest, TxRatesFollowTheModeCode)
{
    Texts const all { "auto", "r1", "r2", "r5.5", "r11", "r6", "r9", "r12", "r18", "r24", "r36", "r48", "r54" };
    for (std::uint32_t code : { 0u, 3u, 5u, 8u, 9u })
        EXPECT_EQ(TxRateTexts(code), all) << code;
    EXPECT_EQ(TxRateTexts(2), (Texts { "auto", "r6", "r9", "r12", "r18", "r24", "r36", "r48", "r54" }));
    EXPECT_TRUE(TxRateTexts(7).empty());
}

TEST_F(AdvanceListsTest, McsListFollowsTheAntennaWord)
{
    struct Case {
        char const* name;
        std::uint32_t word;
        bool answered;
        char const* last_number;
        std::size_t size;
    };
    Case const cases[] = {
        { "one stream", 0x11, true, "7", 11 },
        { "three streams", 0x33, true, "23", 27 },
        { "answered 0", 0, true, "15", 19 },
        { "two streams", 0x22, true, "15", 19 },
        { "mixed nibbles", 0x13, true, "15", 19 },
        { "no answer of 1 or no export", 0x11, false, "15", 19 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Texts const texts = McsTexts(c.word, c.answered);
        ASSERT_EQ(texts.size(), c.size);
        EXPECT_EQ(texts[0], "auto");
        EXPECT_EQ(texts[1], "0");
        EXPECT_EQ(texts[c.size - 3], c.last_number);
        EXPECT_EQ(texts[c.size - 2], "32");
        EXPECT_EQ(texts[c.size - 1], "Force Short GI");
    }
}

TEST_F(AdvanceListsTest, AStoredMcsTextMissingFromTheListSelectsTheFirst)
{
    Texts const texts = McsTexts(0x11, true);
    EXPECT_EQ(IndexOrFirst(texts, "7"), 8);
    EXPECT_EQ(IndexOrFirst(texts, "Force Short GI"), 10);
    EXPECT_EQ(IndexOrFirst(texts, "15"), 0);
    EXPECT_EQ(IndexOrFirst({}, "15"), 0);
}

TEST(AdvanceRegionLists, ModelsZeroAndOneTakeTheNamedListsWhateverTheMaxima)
{
    for (int model : { 0, 1 }) {
        SCOPED_TRACE(model);
        RegionLists const lists = BuildRegionLists(true, model, 3, 4);
        ASSERT_EQ(lists.band24.size(), 8u);
        EXPECT_EQ(lists.band24[0], "0: FCC, CH1-11");
        EXPECT_EQ(lists.band24[3], "3: SPAIN, CH10-11");
        EXPECT_EQ(lists.band24[7], "7: ISRAEL, CH3-9");
        ASSERT_EQ(lists.band5.size(), 9u);
        EXPECT_EQ(lists.band5[0], "0: CH 36, 40, 44, 48, 52, 56, 60, 64,149,153,157,161,165");
        EXPECT_EQ(lists.band5[8], "8: CH 52, 56, 60, 64");
        EXPECT_EQ(lists.built5, 0u);
    }
}

TEST(AdvanceRegionLists, BuilderListsAreCutByTheMaxima)
{
    struct Case {
        char const* name;
        int model;
        std::uint32_t max24, max5;
        std::size_t size24, size5;
        char const* last5;
    };
    Case const cases[] = {
        { "model 3, 5 GHz maximum 9", 3, 0, 9, 8, 10, "9:   CH   34,   38,   42,   46" },
        { "model 3, no maxima", 3, 0, 0, 8, 11,
            "10: CH   34,   36,   38,   40,   42,   44,   46,   48,   52,   56,   60,   64" },
        { "model 2, maxima at the length", 2, 8, 11, 8, 11,
            "10: CH   34,   36,   38,   40,   42,   44,   46,   48,   52,   56,   60,   64" },
        { "model 5, 2.4 GHz maximum 5", 5, 5, 0, 6, 17,
            "16: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, "
            "153, 157, 161, 165, 169, 173" },
        { "model 8, 5 GHz maximum 1", 8, 0, 1, 8, 2,
            "1:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        RegionLists const lists = BuildRegionLists(true, c.model, c.max24, c.max5);
        ASSERT_EQ(lists.band24.size(), c.size24);
        ASSERT_EQ(lists.band5.size(), c.size5);
        EXPECT_EQ(lists.band24[0], "0: CH1-11");
        EXPECT_EQ(lists.band24.back(), c.size24 == 8 ? "7: CH5-13" : "5: CH1-14");
        EXPECT_EQ(lists.band5.back(), c.last5);
        EXPECT_EQ(lists.built5, c.size5);
    }
    EXPECT_EQ(BuildRegionLists(true, 9, 0, 0).band5.size(), 0u);
}

TEST(AdvanceRegionLists, UnknownModelsHaveNoRegions)
{
    for (auto [known, model] : { std::pair { true, 9 }, std::pair { true, -1 }, std::pair { false, 3 } }) {
        RegionLists const lists = BuildRegionLists(known, model, 0, 0);
        EXPECT_TRUE(lists.band24.empty()) << model;
        EXPECT_TRUE(lists.band5.empty()) << model;
    }
}
