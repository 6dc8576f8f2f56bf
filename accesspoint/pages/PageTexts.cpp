#include "accesspoint/pages/PageTexts.h"

#include "station/rates/TransmitRate.h"

#include <cstdio>

namespace hotvane {

std::string MacText(std::uint8_t const* mac)
{
    char text[24] {};
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

std::string StationRateText(std::uint16_t word, CHTTable const& table)
{
    TransmitSetting const setting(word);
    double const rate = RateFromTransmitSetting(word, table).mbps;
    char text[96] {};
    if (setting.is_ht())
        std::snprintf(text, sizeof text, "N: MCS = %d, BW = %s, GI = %s, Rate = %.2f", setting.mcs, setting.bw40 ? "40" : "20",
            setting.shortGI ? "400" : "800", rate);
    else
        std::snprintf(text, sizeof text, "%sRate = %.2f", setting.phyMode == TransmitSetting::PHY_CCK ? "B: " : "", rate);
    return text;
}

}
