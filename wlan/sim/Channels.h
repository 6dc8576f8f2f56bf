// The channel plan of the simulated radio: frequency and channel numbers, the channels of each
// country region and wireless mode, and the signal-to-percent mapping that every display uses.
#pragma once

#include <cstdint>
#include <vector>

namespace wlan::sim {

// Channel of a centre frequency in kHz: 2.4 GHz channels 1-14 and 5 GHz channels 34-196;
// -1 for any other frequency.
int frequency_to_channel(std::uint32_t khz);
// Centre frequency in kHz of a channel number; 0 for a number outside the plan.
std::uint32_t channel_to_frequency(int channel);
bool is_5ghz_channel(int channel);

// Wireless mode codes of the advanced settings: 0 2.4 GHz, 2 5 GHz, 3 both; with 802.11n
// 9 2.4 GHz, 8 5 GHz, 5 both. Other codes of the older modes are treated as 2.4 GHz.
bool mode_has_24ghz(int wireless_mode);
bool mode_has_5ghz(int wireless_mode);
bool mode_is_11n(int wireless_mode);

constexpr int kRegions24 = 8;
constexpr int kRegions5 = 11;
std::vector<std::uint8_t> region_channels_24(int region);
std::vector<std::uint8_t> region_channels_5(int region);

// Channels a scan visits in a wireless mode under the two regions, 2.4 GHz first; at most 64.
std::vector<std::uint8_t> available_channels(int wireless_mode, int region24, int region5);

// Signal quality 0..100 of a level in dBm: -100 dBm and below is 0, -50 dBm and above 100.
int rssi_to_percent(int dbm);

}
