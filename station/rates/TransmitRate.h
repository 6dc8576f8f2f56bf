// The rate of a transmit-setting word, as the driver reports the rate it sends with: CCK and
// OFDM rates by their index, HT rates through the 802.11n rate table, and the 802.11n details
// (channel width, guard interval, STBC, MCS) as the pages show them. Standard library only, so
// that both programs use it as it is.
#pragma once

#include "station/rates/CHTTable.h"

#include <cstdint>
#include <string>

// The fields of a transmit-setting word (the low 16 bits are the ones the driver fills).
struct TransmitSetting {
    enum Phy : int { PHY_CCK = 0, PHY_OFDM = 1, PHY_HT_MIXED = 2, PHY_HT_GREENFIELD = 3 };

    explicit TransmitSetting(std::uint32_t word);

    int mcs;      // bits 0-6
    bool bw40;    // bit 7
    bool shortGI; // bit 8
    int stbc;     // bits 9-10
    int phyMode;  // bits 14-15

    bool is_ht() const { return phyMode == PHY_HT_MIXED || phyMode == PHY_HT_GREENFIELD; }
};

// The 802.11n details of a word, in the words the pages show them.
struct HtDetails {
    std::string bw;   // "40" or "20"
    std::string gi;   // "short" or "long"
    std::string stbc; // "used" or "none"
    std::string mcs;  // the MCS index in decimal
};

struct TransmitRate {
    double mbps; // 0 for an index no table has
    HtDetails ht;
};

// CCK: index 0-3 (and 8-11) is 1, 2, 5.5, 11 Mbit/s; OFDM: index 0-7 is 6 to 54 Mbit/s; HT:
// the table's rate for the width, guard interval and MCS. Anything else is 0.
TransmitRate RateFromTransmitSetting(std::uint32_t word, CHTTable const& table);
