// The ten counter texts of the statistics page, read from one status record: six transmit
// values, then four receive values, in the order of their value statics. Window-free, so the
// page and its tests share one reading of the record.
#pragma once

#include <array>
#include <string>

struct WLAN_STATUS;

namespace station::survey {

struct StatisticsTexts {
    std::array<std::string, 6> tx;
    std::array<std::string, 4> rx;
};

// `win_os` is the library's system code: from 10 on the received-frames count sits at byte
// 408 of the record, before that at byte 416.
StatisticsTexts FormatStatistics(WLAN_STATUS const& status, int win_os);

}
