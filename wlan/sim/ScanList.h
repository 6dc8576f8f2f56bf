// Builds what a scan reports: one NDIS_WLAN_BSSID_EX entry per visible access point, with
// its beacon's fixed fields and information elements as real bytes, and the list of entries
// within the size limit of the program's buffer.
#pragma once

#include "wlan/sim/Scenario.h"

#include <cstdint>
#include <vector>

namespace wlan::sim {

// The element area: 12 fixed-field bytes (timestamp, beacon interval, capability), then the
// elements in beacon order. Malformations of the access point are applied here.
std::vector<std::uint8_t> build_element_area(ApSpec const& ap);

// One whole entry with `rssi` as the signal seen by this scan; Length is a multiple of 4.
std::vector<std::uint8_t> build_entry(ApSpec const& ap, int rssi);

// The list bytes: a 32-bit count, then as many entries as fit in `limit` bytes in all.
std::vector<std::uint8_t> build_list(std::vector<std::vector<std::uint8_t>> const& entries, std::uint32_t limit);

// Default supported rates of a PHY: b: 1-11, g: 1-54, a and 5 GHz n: 6-54; basic rates flagged.
std::vector<std::uint8_t> default_rates(ApSpec const& ap);

}
