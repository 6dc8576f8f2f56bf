// What the pages compute without a window: the station table's rate column, the MAC text, the
// event array's cap of 100 with the shown count following it, and the modal guard's count.
#include "accesspoint/pages/EventArray.h"
#include "accesspoint/pages/PageTexts.h"
#include "accesspoint/pages/SheetModalGuard.h"

#include <gtest/gtest.h>

using namespace hotvane;

TEST(StationRateText, EachModeOfTheRateWord)
{
    CHTTable table;
    table.Build();
    struct Case {
        char const* name;
        std::uint16_t word;
        char const* text;
    };
    // Bits 0-6 MCS or rate index, 7 40 MHz, 8 short guard interval, 14-15 the mode.
    Case const cases[] = {
        { "CCK index 3", 0x0003, "B: Rate = 11.00" },
        { "CCK index 11", 0x000B, "B: Rate = 11.00" },
        { "CCK index 5 has no rate", 0x0005, "B: Rate = 0.00" },
        { "OFDM index 7", 0x4007, "Rate = 54.00" },
        { "OFDM index 8 has no rate", 0x4008, "Rate = 0.00" },
        { "HT MCS 7 at 40 MHz, short GI", 0x8187, "N: MCS = 7, BW = 40, GI = 400, Rate = 150.00" },
        { "HT MCS 7 at 20 MHz, long GI", 0x8007, "N: MCS = 7, BW = 20, GI = 800, Rate = 65.00" },
        { "greenfield HT MCS 15 at 40 MHz", 0xC18F, "N: MCS = 15, BW = 40, GI = 400, Rate = 300.00" },
        { "HT MCS 32 at 20 MHz", 0x8020, "N: MCS = 32, BW = 20, GI = 800, Rate = 0.00" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StationRateText(c.word, table), c.text);
    }
}

TEST(MacText, UpperCaseBytesJoinedByDashes)
{
    std::uint8_t const mac[6] = { 0x02, 0x1A, 0x3B, 0x4C, 0x5D, 0x6E };
    EXPECT_EQ(MacText(mac), "02-1A-3B-4C-5D-6E");
}

namespace {

EventTable table_of(std::uint32_t count, std::uint16_t first_code)
{
    EventTable t {};
    t.Count = count;
    for (std::uint32_t i = 0; i < AP_EVENT_TABLE_ENTRIES; ++i)
        t.Event[i].Code = static_cast<std::uint16_t>(first_code + i);
    return t;
}

}

TEST(EventArray, KeepsTheNewestHundredAndLowersTheShownCountWithTheDropped)
{
    G_aryEventLog.RemoveAll();
    for (int i = 0; i < 95; ++i)
        G_aryEventLog.Add(KT_802_11_EVENT_LOG { {}, {}, static_cast<std::uint16_t>(i) });
    G_nEventLogShown = 95;
    AppendEventTable(table_of(10, 1000));
    ASSERT_EQ(G_aryEventLog.GetSize(), 100);
    EXPECT_EQ(G_aryEventLog[0].Code, 5) << "the five oldest went";
    EXPECT_EQ(G_aryEventLog[99].Code, 1009);
    EXPECT_EQ(G_nEventLogShown, 90);

    G_nEventLogShown = 3;
    AppendEventTable(table_of(10, 2000));
    EXPECT_EQ(G_nEventLogShown, 0) << "never below 0";
    EXPECT_EQ(G_aryEventLog.GetSize(), 100);
}

// A table whose count says more than its ten slots hold adds ten.
TEST(EventArray, TakesAtMostTenFromATable)
{
    G_aryEventLog.RemoveAll();
    G_nEventLogShown = 0;
    AppendEventTable(table_of(4000000000u, 0));
    EXPECT_EQ(G_aryEventLog.GetSize(), 10);
    AppendEventTable(table_of(0, 0));
    EXPECT_EQ(G_aryEventLog.GetSize(), 10);
    G_aryEventLog.RemoveAll();
}

TEST(SheetModalGuard, CountsNestedGuards)
{
    EXPECT_EQ(CSheetModalGuard::count(), 0);
    {
        CSheetModalGuard outer;
        {
            CSheetModalGuard inner;
            EXPECT_EQ(CSheetModalGuard::count(), 2);
        }
        EXPECT_EQ(CSheetModalGuard::count(), 1);
    }
    EXPECT_EQ(CSheetModalGuard::count(), 0);
}
