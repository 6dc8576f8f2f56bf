#include "wlan/sim/Channels.h"

#include <algorithm>

namespace wlan::sim {

int frequency_to_channel(std::uint32_t khz)
{
    if (khz % 1000 != 0)
        return -1;
    std::uint32_t const mhz = khz / 1000;
    if (mhz == 2484)
        return 14;
    if (mhz >= 2412 && mhz <= 2472 && (mhz - 2407) % 5 == 0)
        return static_cast<int>((mhz - 2407) / 5);
    if (mhz >= 5170 && mhz <= 5980 && mhz % 5 == 0)
        return static_cast<int>((mhz - 5000) / 5);
    return -1;
}

std::uint32_t channel_to_frequency(int channel)
{
    if (channel >= 1 && channel <= 13)
        return static_cast<std::uint32_t>(2407 + 5 * channel) * 1000;
    if (channel == 14)
        return 2484000;
    if (channel >= 34 && channel <= 196)
        return static_cast<std::uint32_t>(5000 + 5 * channel) * 1000;
    return 0;
}

bool is_5ghz_channel(int channel) { return channel >= 34 && channel <= 196; }

bool mode_has_5ghz(int wireless_mode)
{
    return wireless_mode == 2 || wireless_mode == 3 || wireless_mode == 5 || wireless_mode == 8;
}

bool mode_has_24ghz(int wireless_mode) { return wireless_mode != 2 && wireless_mode != 8; }

bool mode_is_11n(int wireless_mode) { return wireless_mode >= 5; }

namespace {

std::vector<std::uint8_t> range(int first, int last, int step)
{
    std::vector<std::uint8_t> out;
    for (int c = first; c <= last; c += step)
        out.push_back(static_cast<std::uint8_t>(c));
    return out;
}

std::vector<std::uint8_t> join(std::vector<std::vector<std::uint8_t>> parts)
{
    std::vector<std::uint8_t> out;
    for (auto const& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

}

std::vector<std::uint8_t> region_channels_24(int region)
{
    switch (region) {
    case 0: return range(1, 11, 1);
    case 1: return range(1, 13, 1);
    case 2: return range(10, 11, 1);
    case 3: return range(10, 13, 1);
    case 4: return { 14 };
    case 5: return range(1, 14, 1);
    case 6: return range(3, 9, 1);
    case 7: return range(5, 13, 1);
    default: return {};
    }
}

std::vector<std::uint8_t> region_channels_5(int region)
{
    auto const low = range(36, 64, 4);
    auto const upper = range(149, 165, 4);
    auto const mid = range(100, 140, 4);
    switch (region) {
    case 0: return join({ low, upper });
    case 1: return join({ low, mid });
    case 2: return low;
    case 3: return join({ range(52, 64, 4), range(149, 161, 4) });
    case 4: return upper;
    case 5: return range(149, 161, 4);
    case 6: return range(36, 48, 4);
    case 7: return join({ low, mid, upper });
    case 8: return range(52, 64, 4);
    case 9: return join({ low, range(100, 116, 4), range(132, 140, 4), upper });
    case 10: return join({ range(36, 48, 4), upper });
    default: return {};
    }
}

std::vector<std::uint8_t> available_channels(int wireless_mode, int region24, int region5)
{
    std::vector<std::uint8_t> out;
    if (mode_has_24ghz(wireless_mode))
        out = region_channels_24(region24);
    if (mode_has_5ghz(wireless_mode)) {
        auto const five = region_channels_5(region5);
        out.insert(out.end(), five.begin(), five.end());
    }
    if (out.size() > 64)
        out.resize(64);
    return out;
}

int rssi_to_percent(int dbm) { return std::clamp(2 * (dbm + 100), 0, 100); }

}
