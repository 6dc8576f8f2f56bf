#include "wlan/sim/LinkModel.h"

#include <algorithm>
#include <array>

namespace wlan::sim {

namespace {

constexpr std::uint64_t kSlotMs = 2000;

// Data bits per OFDM symbol of one stream, HT MCS 0-7 at 20 and 40 MHz (802.11n, 20.6).
constexpr std::array<int, 8> kBits20 { 26, 52, 78, 104, 156, 208, 234, 260 };
constexpr std::array<int, 8> kBits40 { 54, 108, 162, 216, 324, 432, 486, 540 };
constexpr std::array<double, 4> kCck { 1.0, 2.0, 5.5, 11.0 };
constexpr std::array<double, 8> kOfdm { 6.0, 9.0, 12.0, 18.0, 24.0, 36.0, 48.0, 54.0 };

constexpr std::uint16_t kBw40 = 0x80;
constexpr std::uint16_t kShortGi = 0x100;
constexpr std::uint16_t kPhyOfdm = 1u << 14;
constexpr std::uint16_t kPhyHtMixed = 2u << 14;

int steps_down(int rssi_dbm)
{
    return rssi_dbm < kRateFallsBelowDbm ? (kRateFallsBelowDbm - rssi_dbm) / 4 : 0;
}

LinkRate ht_rate(ApSpec const& ap, int steps)
{
    int const streams = std::clamp(ap.streams, 1, 4);
    int const top = 8 * streams - 1;
    int const mcs = std::max(top - 7, top - steps);
    bool const short_gi = ap.ht40 ? ap.sgi40 : ap.sgi20;
    int const bits = (ap.ht40 ? kBits40 : kBits20)[std::size_t(mcs % 8)] * streams;
    std::uint16_t const word = std::uint16_t(mcs | (ap.ht40 ? kBw40 : 0) | (short_gi ? kShortGi : 0) | kPhyHtMixed);
    return { word, bits / (short_gi ? 3.6 : 4.0) };
}

}

LinkRate link_rate(ApSpec const& ap, bool ht, int rssi_dbm)
{
    int const steps = steps_down(rssi_dbm);
    if (ht)
        return ht_rate(ap, steps);
    if (ap.phy == 'b') {
        int const index = std::max(0, 3 - steps);
        return { std::uint16_t(index), kCck[std::size_t(index)] };
    }
    int const index = std::max(0, 7 - steps);
    return { std::uint16_t(index | kPhyOfdm), kOfdm[std::size_t(index)] };
}

std::uint64_t pattern_bytes(std::vector<int> const& kbps_per_slot, std::uint64_t elapsed_ms)
{
    if (kbps_per_slot.empty())
        return 0;
    std::uint64_t cycle = 0;
    for (int v : kbps_per_slot)
        cycle += std::uint64_t(std::max(v, 0)) * 1000 * 2;
    std::uint64_t const slots = elapsed_ms / kSlotMs;
    std::uint64_t const n = kbps_per_slot.size();
    std::uint64_t bytes = (slots / n) * cycle;
    for (std::uint64_t i = 0; i < slots % n; ++i)
        bytes += std::uint64_t(std::max(kbps_per_slot[i], 0)) * 1000 * 2;
    std::uint64_t const partial_ms = elapsed_ms % kSlotMs;
    bytes += std::uint64_t(std::max(kbps_per_slot[slots % n], 0)) * partial_ms;
    return bytes;
}

}
