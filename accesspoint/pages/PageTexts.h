// Texts the access point utility's pages share: a MAC address as "02-1A-3B-4C-5D-6E", and the
// rate column of the station table from a station's transmit-rate word.
#pragma once

#include "station/rates/CHTTable.h"

#include <cstdint>
#include <string>

namespace hotvane {

// "%02X-%02X-%02X-%02X-%02X-%02X" of the six bytes.
std::string MacText(std::uint8_t const* mac);

// CCK: "B: Rate = 11.00"; OFDM: "Rate = 54.00"; HT: "N: MCS = 7, BW = 40, GI = 400, Rate =
// 150.00". A rate no table has is 0.00.
std::string StationRateText(std::uint16_t word, CHTTable const& table);

// A language text with its first "%s" or "%d" given `value`; "%%" is one "%"; any other
// conversion, and any after the first, is shown as written.
std::string FillOneValue(std::string const& text, std::string const& value);

// Digits only, read without wrapping, from `minimum` to `maximum`: "0100" is 100, while an empty
// text, a sign, a letter or a value past 32 bits fails.
bool DecimalInRange(std::string const& text, std::uint32_t minimum, std::uint32_t maximum);

}
