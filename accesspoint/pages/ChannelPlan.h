// The channel side of the configuration page as pure rules: the fixed country-region texts of
// both bands, which regions a list shows for the adapter's highest index and region 30, the
// channel list for a band, the extension channels of a channel, and whether 40 MHz may be
// offered. The page asks the library and moves the controls; these functions decide.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hotvane {

// "0: CH1-11" to "7: CH5-13".
std::vector<std::string> const& RegionTexts24();
// The 5 GHz texts for the device model (0-1, 2-3 or 4-8) and the 802.11h answer; empty for any
// other model.
std::vector<std::string> const& RegionTexts5(int model, bool ieee80211h);

// "30: CH1, 2, 3" and "30:   CH   36, 40": the region-30 entry of each band.
std::string Region30Text24(std::vector<int> const& channels);
std::string Region30Text5(std::vector<int> const& channels);

struct RegionEntry {
    std::string text;
    int code;
    bool operator==(RegionEntry const&) const = default;
};
// A region list: with a highest index of 0, or one past the texts, every text; otherwise codes 0
// to the highest index. The region-30 entry follows whenever it is given.
std::vector<RegionEntry> RegionEntries(std::vector<std::string> const& texts, unsigned highest_index,
    std::optional<std::string> const& region30);

// The 2.4 GHz channels span at least 4 numbers (first to last), as 40 MHz needs.
bool Spans40MHz(std::vector<int> const& channels24);

// The channel list for a band code: 2 and 8 the 5 GHz channels; 9 without the first and last
// 2.4 GHz channels when `drop_edges`; any other code every 2.4 GHz channel.
std::vector<int> ChannelEntries(std::uint32_t band, std::vector<int> const& channels24, std::vector<int> const& channels5,
    bool drop_edges);

// The extension channel entries of `channel` among `listed`: the 5 GHz partner of a fixed pair,
// the 2.4 GHz channels 4 below and 4 above that are listed; "none" when there is none (and for
// channel 14). `available` when a channel was found.
struct ExtensionEntries {
    std::vector<std::string> entries;
    bool available {};
    bool operator==(ExtensionEntries const&) const = default;
};
ExtensionEntries ExtensionChannelsFor(int channel, std::vector<int> const& listed);

// 5 GHz channels on which 40 MHz is never offered.
bool Refuses40MHz(int channel);

}
