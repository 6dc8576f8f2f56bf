#include "station/rates/TransmitRate.h"

#include <array>

namespace {

constexpr std::array<double, 4> kCckRates { 1.0, 2.0, 5.5, 11.0 };
constexpr std::array<double, 8> kOfdmRates { 6.0, 9.0, 12.0, 18.0, 24.0, 36.0, 48.0, 54.0 };

// The CCK index repeats its four rates at 8-11 (the short-preamble codes of the same rates).
double cck_rate(int index)
{
    if (index >= 8 && index <= 11)
        index -= 8;
    return index >= 0 && index < 4 ? kCckRates[static_cast<std::size_t>(index)] : 0.0;
}

double ofdm_rate(int index)
{
    return index >= 0 && index < 8 ? kOfdmRates[static_cast<std::size_t>(index)] : 0.0;
}

double ht_rate(TransmitSetting const& setting, CHTTable const& table)
{
    double rate = 0.0;
    if (!table.Lookup(setting.bw40 ? 1 : 0, setting.shortGI ? 1 : 0, setting.mcs, &rate))
        return 0.0;
    return rate;
}

}

TransmitSetting::TransmitSetting(std::uint32_t word)
    : mcs(static_cast<int>(word & 0x7F))
    , bw40((word >> 7) & 1)
    , shortGI((word >> 8) & 1)
    , stbc(static_cast<int>((word >> 9) & 3))
    , phyMode(static_cast<int>((word >> 14) & 3))
{
}

TransmitRate RateFromTransmitSetting(std::uint32_t word, CHTTable const& table)
{
    TransmitSetting const setting(word);
    TransmitRate result {};
    switch (setting.phyMode) {
    case TransmitSetting::PHY_CCK:
        result.mbps = cck_rate(setting.mcs);
        break;
    case TransmitSetting::PHY_OFDM:
        result.mbps = ofdm_rate(setting.mcs);
        break;
    default:
        result.mbps = ht_rate(setting, table);
        break;
    }
    result.ht.bw = setting.bw40 ? "40" : "20";
    result.ht.gi = setting.shortGI ? "short" : "long";
    result.ht.stbc = setting.stbc ? "used" : "none";
    result.ht.mcs = std::to_string(setting.mcs);
    return result;
}
