#include "station/features/AdvanceLists.h"

#include "station/core/UiStr.h"

#include <algorithm>
#include <iterator>

namespace station::features {

namespace {

constexpr char const* kRegion24Named[] = {
    "0: FCC, CH1-11",
    "1: IC (Canada), CH1-11",
    "2: ETSI, CH1-13",
    "3: SPAIN, CH10-11",
    "4: FRANCE, CH10-13",
    "5: MKK, CH14",
    "6: MKK1(TELEC), CH1-14",
    "7: ISRAEL, CH3-9",
};
constexpr char const* kRegion24[] = {
    "0: CH1-11",
    "1: CH1-13",
    "2: CH10-11",
    "3: CH10-13",
    "4: CH14",
    "5: CH1-14",
    "6: CH3-9",
    "7: CH5-13",
};
constexpr char const* kRegion5Named[] = {
    "0: CH 36, 40, 44, 48, 52, 56, 60, 64,149,153,157,161,165",
    "1: CH 36, 40, 44, 48, 52, 56, 60, 64,100,104,108,112,116,120,124,128,132,136,140",
    "2: CH 36, 40, 44, 48, 52, 56, 60, 64",
    "3: CH 52, 56, 60, 64,149,153,157,161",
    "4: CH 149,153,157,161,165",
    "5: CH 149,153,157,161",
    "6: CH 36, 40, 44, 48",
    "7: CH 36, 40, 44, 48, 52, 56, 60, 64,100,104,108,112,116,120,124,128,132,136,140,149,153,157,161,165,169,173",
    "8: CH 52, 56, 60, 64",
};
constexpr char const* kRegion5Models2To3[] = {
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
    "10: CH   34,   36,   38,   40,   42,   44,   46,   48,   52,   56,   60,   64",
};
constexpr char const* kRegion5Models4To8[] = {
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
    "10: CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
    "11: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 149, 153, 157, 161",
    "12: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140",
    "13: CH   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161",
    "14: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 136, 140, 149, 153, 157, 161, 165",
    "15: CH  149, 153, 157, 161, 165, 169, 173",
    "16: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165, 169, 173",
};

constexpr int kLastModel = 8;
constexpr std::uint32_t kOneStream = 0x11;
constexpr std::uint32_t kThreeStreams = 0x33;

template <std::size_t N>
std::vector<std::string> cut(char const* const (&list)[N], std::uint32_t max)
{
    std::size_t const count = max != 0 && max < N ? max + 1 : N;
    return std::vector<std::string>(std::begin(list), std::begin(list) + count);
}

template <std::size_t N>
std::vector<std::string> whole(char const* const (&list)[N])
{
    return std::vector<std::string>(std::begin(list), std::end(list));
}

}

std::vector<WirelessModeEntry> WirelessModeEntries(bool has_11a)
{
    if (!has_11a)
        return { WirelessModeEntry::Band24 };
    return { WirelessModeEntry::Band24, WirelessModeEntry::Band5, WirelessModeEntry::Dual };
}

std::string WirelessModeText(WirelessModeEntry entry)
{
    switch (entry) {
    case WirelessModeEntry::Band5:
        return G_UiStr.IDS_PHY_5G;
    case WirelessModeEntry::Dual:
        return G_UiStr.IDS_PHY_24_5G;
    case WirelessModeEntry::Band24:
        break;
    }
    return G_UiStr.IDS_PHY_24G;
}

std::vector<std::string> TxRateTexts(std::uint32_t mode_code)
{
    CUISTR const& s = G_UiStr;
    switch (mode_code) {
    case 0:
    case 3:
    case 5:
    case 8:
    case 9:
        return { s.IDS_AUTO, s.IDS_1MBPS, s.IDS_2MBPS, s.IDS_55MBPS, s.IDS_11MBPS, s.IDS_6MBPS, s.IDS_9MBPS,
            s.IDS_12MBPS, s.IDS_18MBPS, s.IDS_24MBPS, s.IDS_36MBPS, s.IDS_48MBPS, s.IDS_54MBPS };
    case 2:
        return { s.IDS_AUTO, s.IDS_6MBPS, s.IDS_9MBPS, s.IDS_12MBPS, s.IDS_18MBPS, s.IDS_24MBPS, s.IDS_36MBPS,
            s.IDS_48MBPS, s.IDS_54MBPS };
    default:
        return {};
    }
}

std::vector<std::string> McsTexts(std::uint32_t antenna_word, bool answered)
{
    int last = 15;
    if (answered && (antenna_word & 0xFF) == kOneStream)
        last = 7;
    else if (answered && (antenna_word & 0xFF) == kThreeStreams)
        last = 23;
    std::vector<std::string> texts { G_UiStr.IDS_AUTO };
    for (int mcs = 0; mcs <= last; ++mcs)
        texts.push_back(std::to_string(mcs));
    texts.push_back("32");
    texts.push_back(McsTextOfValue(77, G_UiStr.IDS_AUTO));
    return texts;
}

int IndexOrFirst(std::vector<std::string> const& entries, std::string const& text)
{
    auto const found = std::find(entries.begin(), entries.end(), text);
    return found == entries.end() ? 0 : int(found - entries.begin());
}

RegionLists BuildRegionLists(bool model_known, int model, std::uint32_t max24, std::uint32_t max5)
{
    RegionLists lists;
    if (!model_known || model < 0 || model > kLastModel)
        return lists;
    if (model <= 1) {
        lists.band24 = whole(kRegion24Named);
        lists.band5 = whole(kRegion5Named);
        return lists;
    }
    lists.band24 = cut(kRegion24, max24);
    lists.band5 = model <= 3 ? cut(kRegion5Models2To3, max5) : cut(kRegion5Models4To8, max5);
    lists.built5 = lists.band5.size();
    return lists;
}

}
