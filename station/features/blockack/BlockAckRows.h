// The display rows of one half of the block-acknowledgement table (the agreements this side
// originated, or those it is recipient of) and the texts of their cells, for both programs'
// tables. A row per peer with at least one agreement: the MAC as "XX-XX-XX-XX-XX-XX", then per
// TID 0..7 the window size, or "-" where there is no agreement.
#pragma once

#include "wlan/api/BlockAck.h"

#include <array>
#include <string>
#include <vector>

struct BA_DISPLAY_ROW {
    std::string mac;
    std::array<std::string, BA_TID_COUNT> tid;
};

// How a half whose count passes its non-empty entries shows: the station's table shows no rows
// until the walk reaches the count; the access point's shows the rows it appended.
enum class BlockAckRowMode { RowsWhenCountReached, RowsAsAppended };

// Walks the 32 entries in order, skipping those without agreements, and stops once `count`
// rows were appended; a count of 0 gives no rows.
std::vector<BA_DISPLAY_ROW> BlockAckRows(BA_ENTRY const (&entries)[BA_TABLE_ENTRIES], std::uint8_t count, BlockAckRowMode mode);

// Column 0 is the MAC text, column c (1-8) the text of TID c-1; "" outside the row.
std::string BlockAckCellText(BA_DISPLAY_ROW const& row, int column);

// "XX-XX-XX-XX-XX-XX" in upper-case hexadecimal.
std::string DashedMacText(std::uint8_t const* mac);
