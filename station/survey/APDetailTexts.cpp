// [SECTION] index: General texts, supported rates, CCX and WPS texts, 802.11n values and rows.
#include "station/survey/APDetailTexts.h"

#include "station/core/BssidQuery.h"
#include "station/core/UiStr.h"
#include "station/rates/CHTTable.h"
#include "station/survey/LinkStatusTexts.h"
#include "station/survey/SurveyList.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace station::survey {

namespace {

std::uint32_t u32_at(IE_INFO_WPA const& digest, std::uint32_t offset)
{
    std::uint32_t value;
    std::memcpy(&value, reinterpret_cast<std::uint8_t const*>(&digest) + offset, sizeof value);
    return value;
}

std::uint8_t u8_at(IE_INFO_WPA const& digest, std::uint32_t offset)
{
    return reinterpret_cast<std::uint8_t const*>(&digest)[offset];
}

char const* flag_text(std::uint32_t value)
{
    return value ? "TRUE" : "FALSE";
}

// The names of the set bits, in bit order, joined by "+".
template<std::size_t N>
std::string joined_bits(std::uint32_t bits, char const* const (&names)[N])
{
    std::string text;
    for (std::size_t bit = 0; bit < N; ++bit) {
        if (!(bits & (1u << bit)))
            continue;
        if (!text.empty())
            text += '+';
        text += names[bit];
    }
    return text;
}

}

// [SECTION] General texts

std::string DetailSsid(NDIS_WLAN_BSSID_EX const& entry)
{
    std::string const ssid = ssid_of(entry);
    return ssid.size() <= 21 ? ssid : ShortSsid(ssid, 20);
}

std::string DetailAuthentication(std::uint32_t bits, std::uint32_t cckm)
{
    static constexpr char const* kNames[] = { "WPA", "WPA-PSK", "WPA-NONE", "WPA2", "WPA2-PSK", "WPA2-NONE",
        "WAPI-PSK", "WAPI-CERT" };
    std::string text = joined_bits(bits, kNames);
    if (text.empty())
        text = "Open";
    if (cckm == 1)
        text += "+CCKM";
    return text;
}

std::string DetailEncryption(std::uint32_t bits, std::uint32_t privacy)
{
    static constexpr char const* kNames[] = { "WEP", "TKIP", "AES", "SMS4" };
    if (bits == 0)
        return privacy ? "WEP" : "NONE";
    return joined_bits(bits, kNames);
}

std::string DetailChannel(int channel, std::uint32_t khz)
{
    char text[48];
    if (channel < 0)
        std::snprintf(text, sizeof text, "%u MHz", khz / 1000);
    else
        std::snprintf(text, sizeof text, "%d <--> %u MHz", channel, khz / 1000);
    return text;
}

std::string DetailNetworkType(std::uint32_t mode)
{
    if (mode == 1)
        return G_UiStr.IDS_INFRA;
    if (mode == 0)
        return G_UiStr.IDS_IBSS;
    return G_UiStr.IDS_UNKNOWN;
}

std::string DetailBeaconInterval(NDIS_WLAN_BSSID_EX const& entry, IE_INFO_WPA const& digest, int os)
{
    return std::to_string(os >= 10 ? entry.BeaconPeriod : digest.BeaconInterval);
}

std::string DetailMdid(IE_INFO_WPA const& digest)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", unsigned(digest.MDID[0] | (digest.MDID[1] << 8)));
    return text;
}

GeneralTexts BuildGeneralTexts(NDIS_WLAN_BSSID_EX const& entry, IE_INFO_WPA const& digest, int channel, int os,
    CHTTable const& table)
{
    GeneralTexts t;
    t.ssid = DetailSsid(entry);
    t.mac = BssidText(entry.MacAddress);
    t.authentication = DetailAuthentication(digest.nAuthentication, digest.bCCKM);
    t.encryption = DetailEncryption(digest.nEncryption, entry.Privacy);
    t.channel = DetailChannel(channel, entry.DSConfig);
    t.network_type = DetailNetworkType(entry.InfrastructureMode);
    t.rates = SupportedRatesText(entry, digest, table);
    t.beacon_interval = DetailBeaconInterval(entry, digest, os);
    t.mdid = DetailMdid(digest);
    t.show_mdid = digest.bMobilityDomain != 0;
    return t;
}

// [SECTION] Supported rates

std::string RateListText(NDIS_WLAN_BSSID_EX const& entry)
{
    std::vector<double> rates;
    for (std::uint8_t byte : entry.SupportedRates) {
        int const units = byte & 0x7F;
        if (units == 0)
            break;
        rates.push_back(units * 0.5);
    }
    std::sort(rates.begin(), rates.end());
    std::string text;
    char one[16];
    for (double rate : rates) {
        if (static_cast<int>(rate * 10) % 10 == 0)
            std::snprintf(one, sizeof one, "%d, ", static_cast<int>(rate));
        else
            std::snprintf(one, sizeof one, "%.1f, ", rate);
        text += one;
    }
    if (!text.empty())
        text.resize(text.size() - 2);
    return text;
}

std::optional<double> MaxHtRate(IE_INFO_WPA const& digest, CHTTable const& table)
{
    int const bw40 = u32_at(digest, HT_HIGH_THROUGHPUT) == 1 ? 1 : 0;
    int const short_gi = u32_at(digest, bw40 ? HT_SGI_40 : HT_SGI_20) == 1 ? 1 : 0;
    std::optional<double> best;
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 8; ++j) {
            double rate = 0;
            if ((digest.SupportedMcsSet[i] >> j & 1) && table.Lookup(bw40, short_gi, i * 8 + j, &rate))
                best = std::max(best.value_or(rate), rate);
        }
    }
    return best;
}

std::string SupportedRatesText(NDIS_WLAN_BSSID_EX const& entry, IE_INFO_WPA const& digest, CHTTable const& table)
{
    std::string text = G_UiStr.IDS_SUPPORT_RATE + ": " + RateListText(entry);
    if (digest.bHT != 1)
        return text;
    text += "\n\n" + G_UiStr.IDS_11N_MAX_SUPPORT_RATE + ": ";
    if (auto const rate = MaxHtRate(digest, table)) {
        char one[32];
        std::snprintf(one, sizeof one, "%.1f", *rate);
        text += one;
    }
    return text;
}

// [SECTION] CCX and WPS texts

std::array<std::string, 3> CcxTexts(IE_INFO_WPA const& digest)
{
    return { flag_text(digest.bCCKM), flag_text(digest.bCMIC), flag_text(digest.bCKIP) };
}

std::array<std::string, 10> WpsTexts(IE_INFO_WPA const& digest, std::string const& authentication,
    std::string const& encryption)
{
    std::string password = DigestText(digest.DevicePasswordId);
    if (password == "Unknown")
        password.clear();
    return { authentication, encryption, DigestText(digest.ConfigMethods), password,
        DigestText(digest.SelectedRegistrar), DigestText(digest.WpsState), DigestText(digest.Version),
        DigestText(digest.APSetupLocked), DigestText(digest.UuidE), DigestText(digest.RfBands) };
}

// [SECTION] 802.11n values and rows

namespace {

enum class Form { Byte, Flag, Dword };

struct HtValue {
    std::uint32_t offset;
    Form form;
};

// The property values in row order. The short guard interval rows read the field of their
// own width (20 MHz at 188, 40 MHz at 184), as the highest-rate rule does; the second A-MPDU
// block reads its own bytes at 260 and 261.
constexpr HtValue kHtValues[kHtValueCount] = {
    { 152, Form::Byte }, { 156, Form::Flag }, { 160, Form::Flag }, { 164, Form::Flag }, { 168, Form::Flag },
    { 172, Form::Flag }, { 176, Form::Byte }, { 177, Form::Byte }, { 180, Form::Flag }, { 188, Form::Flag },
    { 184, Form::Flag }, { 192, Form::Flag }, { 196, Form::Byte }, { 200, Form::Flag }, { 204, Form::Byte },
    { 208, Form::Flag }, { 212, Form::Flag }, { 216, Form::Flag }, { 220, Form::Flag }, { 224, Form::Flag },
    { 228, Form::Flag }, { 232, Form::Byte }, { 233, Form::Byte }, { 236, Form::Flag }, { 240, Form::Flag },
    { 244, Form::Byte }, { 248, Form::Flag }, { 252, Form::Flag }, { 256, Form::Flag }, { 260, Form::Byte },
    { 261, Form::Byte }, { 268, Form::Flag }, { 272, Form::Flag }, { 276, Form::Byte }, { 277, Form::Byte },
    { 278, Form::Byte }, { 280, Form::Flag }, { 284, Form::Flag }, { 288, Form::Byte }, { 289, Form::Byte },
    { 292, Form::Flag }, { 296, Form::Flag }, { 300, Form::Flag }, { 304, Form::Flag }, { 308, Form::Flag },
    { 312, Form::Flag }, { 316, Form::Flag }, { 320, Form::Flag }, { 324, Form::Flag }, { 328, Form::Flag },
    { 332, Form::Dword }, { 336, Form::Dword }, { 340, Form::Dword }, { 344, Form::Dword },
};

struct HtRowName {
    bool heading;
    char const* property;
};

constexpr HtRowName kHtRows[] = {
    { true, "Secondary Channel Offset element" }, { false, "Secondary Channel Offset" },
    { true, "Extended Capabilities information element" }, { false, "HT Information Exchange Support" },
    { true, "Neighbor Report element" }, { false, "Mobility Domain" }, { false, "High Throughput" },
    { true, "HT Capabilities element" }, { false, "HT Capability" }, { false, "LDPC Coding Capability" },
    { false, "Supported Channel Width Set" }, { false, "SM Power Save" }, { false, "Greenfield" },
    { false, "Short GI for 20 MHz" }, { false, "Short GI for 40 MHz" }, { false, "Tx STBC" }, { false, "Rx STBC" },
    { false, "HT-delayed BlockAck" }, { false, "Maximum A-MSDU Length" }, { false, "DSSS/CCK Mode in 40MHz" },
    { false, "PSMP Support" }, { false, "HT Capability PSMP Support" }, { false, "Maximum A-MSDU Length" },
    { false, "Forty MHz Intolerant" }, { false, "L-SIG TXOP Protection Support" },
    { true, "A-MPDU Parameters field" }, { false, "Maximum Rx A-MPDU Factor" }, { false, "Minimum MPDU Start Spacing" },
    { true, "Supported MCS Set field" }, { false, "Tx MCS Set Defined" }, { false, "Tx Rx MCS Set Not Equal" },
    { false, "Tx Maximum Number Spatial Streams Supported" }, { false, "Tx Unequal Modulation Support" },
    { true, "HT Capabilities Info" }, { false, "DSS/CCK Mode in 40 MHz" }, { false, "HT Information PSMP Support" },
    { true, "A-MPDU Parameters" }, { false, "Maximum Rx A-MPDU Factor" }, { false, "Minimum MPDU Start Spacing" },
    { true, "HT Extended Capabilities" }, { false, "+HTC Support" }, { false, "RD Responder" },
    { true, "HT Information element" }, { false, "Primary Channel" }, { false, "HT Information Secondary Channel Offset" },
    { false, "STA Channel Width" }, { false, "RIFS Mode" }, { false, "PSMP STAs Only" },
    { false, "Service Interval Granularity" }, { false, "Operating Mode" }, { false, "Non-greenfield STAs Present" },
    { false, "Transmit Burst Limit" }, { false, "OBSS None-HT STAs Present" }, { false, "Dual Beacon" },
    { false, "Dual CTS Protection" }, { false, "Secondary Beacon" }, { false, "L-SIG TXOP Protection Full Support" },
    { false, "PCO Active" }, { false, "PCP Phase" }, { false, "Basic MCS Set" }, { false, "Basic MCS Set 0" },
    { false, "Basic MCS Set 1" }, { false, "Basic MCS Set 2" }, { false, "Basic MCS Set 3" },
};
static_assert(std::size(kHtRows) == 64);
static_assert(std::count_if(std::begin(kHtRows), std::end(kHtRows), [](HtRowName const& r) { return !r.heading; })
    == kHtValueCount);

std::string ht_value(IE_INFO_WPA const& digest, HtValue const& v)
{
    switch (v.form) {
    case Form::Byte: return std::to_string(u8_at(digest, v.offset));
    case Form::Flag: return flag_text(u32_at(digest, v.offset));
    case Form::Dword: return std::to_string(static_cast<std::int32_t>(u32_at(digest, v.offset)));
    }
    return {};
}

}

std::array<std::string, kHtValueCount + 1> HtTexts(IE_INFO_WPA const& digest)
{
    std::array<std::string, kHtValueCount + 1> texts;
    for (std::size_t i = 0; i < kHtValueCount; ++i)
        texts[i] = ht_value(digest, kHtValues[i]);
    texts[kHtValueCount] = flag_text(digest.bHT);
    return texts;
}

std::vector<HtRow> HtRows(std::array<std::string, kHtValueCount + 1> const& texts)
{
    bool const present = texts[kHtValueCount] == "TRUE";
    std::vector<HtRow> rows;
    std::size_t next = 0;
    for (HtRowName const& r : kHtRows) {
        if (r.heading)
            rows.push_back({ true, r.property, "" });
        else
            rows.push_back({ false, r.property, present ? texts[next++] : "n/a" });
    }
    return rows;
}

}
