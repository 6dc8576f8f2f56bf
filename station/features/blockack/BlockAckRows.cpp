#include "station/features/blockack/BlockAckRows.h"

#include <cstdio>

namespace {

BA_DISPLAY_ROW row_of(BA_ENTRY const& entry)
{
    BA_DISPLAY_ROW row;
    row.mac = DashedMacText(entry.Mac);
    for (std::size_t t = 0; t < BA_TID_COUNT; ++t)
        row.tid[t] = entry.TidBitmap & (1u << t) ? std::to_string(entry.WindowSize[t]) : "-";
    return row;
}

}

std::string DashedMacText(std::uint8_t const* mac)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

std::vector<BA_DISPLAY_ROW> BlockAckRows(BA_ENTRY const (&entries)[BA_TABLE_ENTRIES], std::uint8_t count, BlockAckRowMode mode)
{
    std::vector<BA_DISPLAY_ROW> rows;
    if (count == 0)
        return rows;
    for (BA_ENTRY const& entry : entries) {
        if (entry.TidBitmap == 0)
            continue;
        rows.push_back(row_of(entry));
        if (rows.size() == count)
            return rows;
    }
    switch (mode) {
    case BlockAckRowMode::RowsWhenCountReached: return {};
    case BlockAckRowMode::RowsAsAppended: return rows;
    }
    return rows;
}

std::string BlockAckCellText(BA_DISPLAY_ROW const& row, int column)
{
    if (column == 0)
        return row.mac;
    if (column >= 1 && column <= int(BA_TID_COUNT))
        return row.tid[std::size_t(column - 1)];
    return {};
}
