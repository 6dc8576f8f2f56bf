// How the simulated link behaves from moment to moment: the rate the adapter sends with for a
// signal level, and the traffic it carries. Plain functions of the world's settings, so the
// status record, the driver's transmit-setting word and the counters always agree.
#pragma once

#include "wlan/sim/Scenario.h"

#include <cstdint>
#include <vector>

namespace wlan::sim {

// The signal from which the rate starts to fall, one step per 4 dB below it.
constexpr int kRateFallsBelowDbm = -64;

struct LinkRate {
    // Bits 0-6 index (CCK 0-3, OFDM 0-7, HT MCS), bit 7 40 MHz, bit 8 short guard interval,
    // bits 14-15 PHY mode (0 CCK, 1 OFDM, 2 HT mixed).
    std::uint16_t transmit_setting { 0 };
    double mbps { 0 };
};

// The best rate of the access point's PHY, stepped down for a weak signal: HT stays within
// its streams' eight MCS, CCK and OFDM go down their own tables to the lowest rate.
LinkRate link_rate(ApSpec const& ap, bool ht, int rssi_dbm);

// Bytes carried from the start of the pattern to `elapsed_ms`: each value is kB/s (1000 bytes)
// for 2 seconds, the pattern repeating. An empty pattern carries nothing.
std::uint64_t pattern_bytes(std::vector<int> const& kbps_per_slot, std::uint64_t elapsed_ms);

}
