#include "accesspoint/pages/ChannelPlan.h"

#include <algorithm>
#include <array>
#include <utility>

namespace hotvane {

namespace {

using Texts = std::vector<std::string>;

Texts const kRegions24 { "0: CH1-11", "1: CH1-13", "2: CH10-11", "3: CH10-13", "4: CH14", "5: CH1-14", "6: CH3-9",
    "7: CH5-13" };

Texts const kModel01 {
    "0: CH   36,   40,   44,   48,   52,   56,   60,   64, 149, 153, 157, 161, 165",
    "1: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140",
    "2: CH   36,   40,   44,   48,   52,   56,   60,   64",
    "3: CH   52,   56,   60,   64, 149, 153, 157, 161",
    "4: CH 149, 153, 157, 161, 165",
    "5: CH 149, 153, 157, 161",
    "6: CH   36,   40,   44,   48",
    "7: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165",
    "8: CH   52,   56,   60,   64",
};

Texts const kModel01H {
    "0: CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
    "1: CH   36,   40,   44,   48",
    "2: CH   36,   40,   44,   48",
    "3: CH 149, 153, 157, 161",
    "4: CH 149, 153, 157, 161, 165",
    "5: CH 149, 153, 157, 161",
    "6: CH   36,   40,   44,   48",
    "7: CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
};

Texts const kModel23 {
    "0:   CH   36,   40,   44,   48,   52,   56,   60,   64, 149, 153, 157, 161, 165",
    "1:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140",
    "2:   CH   36,   40,   44,   48,   52,   56,   60,   64",
    "3:   CH   52,   56,   60,   64, 149, 153, 157, 161",
    "4:   CH 149, 153, 157, 161, 165",
    "5:   CH 149, 153, 157, 161",
    "6:   CH   36,   40,   44,   48",
    "7:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165",
    "8:   CH   52,   56,   60,   64",
    "9:   CH   34,   38,   42,   46",
    "10:  CH   34,   36,   38,   40,   42,   44,   46,   48,   52,   56,   60,   64",
};

Texts const kModel23H {
    "0:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
    "1:   CH   36,   40,   44,   48",
    "2:   CH   36,   40,   44,   48",
    "3:   CH 149, 153, 157, 161",
    "4:   CH 149, 153, 157, 161, 165",
    "5:   CH 149, 153, 157, 161",
    "6:   CH   36,   40,   44,   48",
    "7:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
    "8:   No Channel Support",
    "9:   CH   34,   38,   42,   46",
    "10:  CH   34,   36,   38,   40,   42,   44,   46,   48",
};

Texts const kModel48 {
    "0:   CH   36,   40,   44,   48,   52,   56,   60,   64, 149, 153, 157, 161, 165",
    "1:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140",
    "2:   CH   36,   40,   44,   48,   52,   56,   60,   64",
    "3:   CH   52,   56,   60,   64, 149, 153, 157, 161",
    "4:   CH 149, 153, 157, 161, 165",
    "5:   CH 149, 153, 157, 161",
    "6:   CH   36,   40,   44,   48",
    "7:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165",
    "8:   CH   52,   56,   60,   64",
    "9:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 132, 136, 140, 149, 153, 157, 161, 165",
    "10:  CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
    "11:  CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 149, 153, 157, 161",
    "12:  CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140",
    "13:  CH   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161",
    "14:  CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104 108, 112, 116, 136, 140, 149, 153, 157, 161, 165",
    "15:  CH   149, 153, 157, 161, 165, 169, 173",
    "16:  CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165, 169, 173",
};

Texts const kModel48H {
    "0:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
    "1:   CH   36,   40,   44,   48",
    "2:   CH   36,   40,   44,   48",
    "3:   CH 149, 153, 157, 161",
    "4:   CH 149, 153, 157, 161, 165",
    "5:   CH 149, 153, 157, 161",
    "6:   CH   36,   40,   44,   48",
    "7:   CH   36,   40,   44,   48,   149, 153, 157, 161, 165",
    "8:   No Channel Support ",
    "9:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
    "10:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
    "11:   CH   36,   40,   44,   48, 149, 153, 157, 161",
    "12:   CH   36,   40,   44,   48",
    "13:   CH   149, 153, 157, 161",
    "14:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
    "15:   CH   149, 153, 157, 161, 165, 169, 173",
    "16:   CH   36,   40,   44,   48,   149, 153, 157, 161, 165",
};

Texts const kNone {};

// The 5 GHz pairs that 40 MHz joins.
constexpr std::array<std::pair<int, int>, 11> kPairs5 { { { 36, 40 }, { 44, 48 }, { 52, 56 }, { 60, 64 }, { 100, 104 },
    { 108, 112 }, { 116, 120 }, { 124, 128 }, { 132, 136 }, { 149, 153 }, { 157, 161 } } };

constexpr int kFirst5GHzChannel = 36;
constexpr int kChannel14 = 14;
constexpr int kExtOffset = 4;

std::string joined(std::string text, std::vector<int> const& channels)
{
    for (std::size_t i = 0; i < channels.size(); ++i)
        text += std::to_string(channels[i]) + (i + 1 < channels.size() ? ", " : "");
    return text;
}

bool listed_has(std::vector<int> const& listed, int channel)
{
    return std::find(listed.begin(), listed.end(), channel) != listed.end();
}

}

std::vector<std::string> const& RegionTexts24() { return kRegions24; }

std::vector<std::string> const& RegionTexts5(int model, bool ieee80211h)
{
    if (model == 0 || model == 1)
        return ieee80211h ? kModel01H : kModel01;
    if (model == 2 || model == 3)
        return ieee80211h ? kModel23H : kModel23;
    if (model >= 4 && model <= 8)
        return ieee80211h ? kModel48H : kModel48;
    return kNone;
}

std::string Region30Text24(std::vector<int> const& channels) { return joined("30: CH", channels); }
std::string Region30Text5(std::vector<int> const& channels) { return joined("30:   CH   ", channels); }

std::vector<RegionEntry> RegionEntries(std::vector<std::string> const& texts, unsigned highest_index,
    std::optional<std::string> const& region30)
{
    std::size_t shown = texts.size();
    if (highest_index != 0 && highest_index + 1 <= texts.size())
        shown = highest_index + 1;
    std::vector<RegionEntry> entries;
    for (std::size_t i = 0; i < shown; ++i)
        entries.push_back({ texts[i], static_cast<int>(i) });
    if (region30)
        entries.push_back({ *region30, 30 });
    return entries;
}

bool Spans40MHz(std::vector<int> const& channels24)
{
    return !channels24.empty() && channels24.back() - channels24.front() >= kExtOffset;
}

std::vector<int> ChannelEntries(std::uint32_t band, std::vector<int> const& channels24, std::vector<int> const& channels5,
    bool drop_edges)
{
    if (band == 2 || band == 8)
        return channels5;
    if (band == 9 && drop_edges && channels24.size() >= 2)
        return std::vector<int>(channels24.begin() + 1, channels24.end() - 1);
    if (band == 9 && drop_edges)
        return {};
    return channels24;
}

ExtensionEntries ExtensionChannelsFor(int channel, std::vector<int> const& listed)
{
    ExtensionEntries out;
    if (channel > kFirst5GHzChannel - 1) {
        for (auto const& [low, high] : kPairs5) {
            if (channel == low || channel == high) {
                out.entries.push_back(std::to_string(channel == low ? high : low));
                out.available = true;
                return out;
            }
        }
    } else if (channel != kChannel14) {
        for (int candidate : { channel - kExtOffset, channel + kExtOffset })
            if (listed_has(listed, candidate))
                out.entries.push_back(std::to_string(candidate));
        out.available = !out.entries.empty();
    }
    if (!out.available)
        out.entries = { "none" };
    return out;
}

bool Refuses40MHz(int channel) { return channel == 140 || channel == 165 || channel == 169 || channel == 173; }

}
