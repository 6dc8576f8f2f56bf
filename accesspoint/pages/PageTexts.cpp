#include "accesspoint/pages/PageTexts.h"

#include "station/rates/TransmitRate.h"

#include <charconv>
#include <cstdio>
#include <cstring>

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

// Flags and a width between "%" and the letter are dropped with the conversion they belong to.
std::string FillOneValue(std::string const& text, std::string const& value)
{
    std::string out;
    bool filled = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        if (text[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < text.size() && std::strchr("-+ #0123456789", text[j]))
            ++j;
        if (!filled && j < text.size() && (text[j] == 's' || text[j] == 'd')) {
            out += value;
            filled = true;
            i = j;
            continue;
        }
        out += text[i];
    }
    return out;
}

bool DecimalInRange(std::string const& text, std::uint32_t minimum, std::uint32_t maximum)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    std::uint32_t value = 0;
    auto const [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size() && value >= minimum && value <= maximum;
}

}
