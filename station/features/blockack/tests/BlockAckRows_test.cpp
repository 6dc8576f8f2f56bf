// The display rows of a table half in both programs' modes.
#include "station/features/blockack/BlockAckRows.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Row = std::vector<std::string>;

Row texts(BA_DISPLAY_ROW const& row)
{
    Row out;
    for (int c = 0; c <= 8; ++c)
        out.push_back(BlockAckCellText(row, c));
    return out;
}

void put(BA_ENTRY& e, std::uint8_t last, std::initializer_list<std::pair<int, int>> agreements)
{
    std::uint8_t const mac[6] = { 0x02, 0x10, 0x00, 0xAB, 0x00, last };
    std::memcpy(e.Mac, mac, 6);
    for (auto [tid, window] : agreements) {
        e.TidBitmap = std::uint8_t(e.TidBitmap | 1u << tid);
        e.WindowSize[tid] = std::uint8_t(window);
    }
}

}

TEST(BlockAckRows, APeerShowsItsWindowsUnderTheirTids)
{
    BA_TABLE t {};
    put(t.Originator[0], 5, { { 0, 32 }, { 5, 64 } });
    t.Originator[0].WindowSize[3] = 99; // no bit: not shown
    auto const rows = BlockAckRows(t.Originator, 1, BlockAckRowMode::RowsWhenCountReached);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(texts(rows[0]), (Row { "02-10-00-AB-00-05", "32", "-", "-", "-", "-", "64", "-", "-" }));
    EXPECT_EQ(BlockAckCellText(rows[0], 9), "");
    EXPECT_EQ(BlockAckCellText(rows[0], -1), "");
}

TEST(BlockAckRows, EmptyEntriesAreSkippedAndTheCountEndsTheWalk)
{
    BA_TABLE t {};
    put(t.Recipient[1], 1, { { 7, 8 } });
    put(t.Recipient[4], 4, { { 2, 16 } });
    put(t.Recipient[9], 9, { { 1, 255 } });
    struct Case {
        char const* name;
        std::uint8_t count;
        BlockAckRowMode mode;
        std::vector<std::string> macs;
    };
    Case const cases[] = {
        { "count reached at the second peer", 2, BlockAckRowMode::RowsWhenCountReached,
            { "02-10-00-AB-00-01", "02-10-00-AB-00-04" } },
        { "count of all three", 3, BlockAckRowMode::RowsWhenCountReached,
            { "02-10-00-AB-00-01", "02-10-00-AB-00-04", "02-10-00-AB-00-09" } },
        { "station: count above the peers shows none", 4, BlockAckRowMode::RowsWhenCountReached, {} },
        { "access point: count above the peers shows those found", 4, BlockAckRowMode::RowsAsAppended,
            { "02-10-00-AB-00-01", "02-10-00-AB-00-04", "02-10-00-AB-00-09" } },
        { "count 0", 0, BlockAckRowMode::RowsAsAppended, {} },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> macs;
        for (auto const& row : BlockAckRows(t.Recipient, c.count, c.mode))
            macs.push_back(row.mac);
        EXPECT_EQ(macs, c.macs);
    }
}

TEST(BlockAckRows, AFullHalfGivesThirtyTwoRows)
{
    BA_TABLE t {};
    for (std::uint8_t i = 0; i < 32; ++i)
        put(t.Originator[i], i, { { 0, 64 } });
    EXPECT_EQ(BlockAckRows(t.Originator, 32, BlockAckRowMode::RowsWhenCountReached).size(), 32u);
    EXPECT_EQ(BlockAckRows(t.Originator, 255, BlockAckRowMode::RowsAsAppended).size(), 32u);
}
