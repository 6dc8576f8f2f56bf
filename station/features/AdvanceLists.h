// The lists of the advanced page, built from what the adapter reports: the wireless modes, the
// TX rates of a mode code, the MCS values of the antenna configuration and the country regions
// of the device model. Window-free: the page asks the library and fills its controls.
#pragma once

#include "station/core/AdvanceSettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace station::features {

// 2.4 GHz always; 5 GHz and both bands only with 802.11a.
std::vector<WirelessModeEntry> WirelessModeEntries(bool has_11a);
std::string WirelessModeText(WirelessModeEntry entry);

// The TX rates of a wireless mode code, index 0 Auto (the stored TransRate is the index): 13
// entries for the codes 0, 3, 5, 8 and 9, nine OFDM rates for the 5 GHz code 2, none for a code
// the page never produces.
std::vector<std::string> TxRateTexts(std::uint32_t mode_code);

// The MCS entries: Auto, "0" up to 7 (antenna word 0x11), 23 (0x33) or 15 (anything else, or no
// answer of 1 to the query, `answered` false), then "32" and "Force Short GI".
std::vector<std::string> McsTexts(std::uint32_t antenna_word, bool answered);

// The index of `text` in `entries`, or 0 when it is missing.
int IndexOrFirst(std::vector<std::string> const& entries, std::string const& text);

struct RegionLists {
    std::vector<std::string> band24;
    std::vector<std::string> band5;
    // The 5 GHz entries the maker's list builder gave: 0 for the models 0 and 1, whose lists are
    // built in. A driver region above it that the user cannot choose is shown as a number.
    std::size_t built5 { 0 };
};

// The region lists of a device model: `model_known` false (the query failed), a negative model
// or one above 8 give none. The models 0 and 1 take the named built-in lists and ignore the
// maxima; 2 to 8 take the builder's lists, each cut to its first maximum + 1 entries when the
// maximum is nonzero and below the list's length.
RegionLists BuildRegionLists(bool model_known, int model, std::uint32_t max24, std::uint32_t max5);

}
