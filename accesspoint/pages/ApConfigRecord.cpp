#include "accesspoint/pages/ApConfigRecord.h"

#include "platform/user/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace hotvane {

namespace {

constexpr std::uint32_t kMcsBits = 0x7F;
constexpr std::uint32_t kExtChaBits = 0x3;
constexpr std::uint32_t kExtAbove = 1;
constexpr std::uint32_t kExtBelow = 3;
constexpr int kExtOffset = 4;

template<std::size_t N>
std::string text_to_nul(char const (&field)[N])
{
    return std::string(field, ::strnlen(field, N));
}

bool parse_channel(std::string const& text, int& out)
{
    auto const* end = text.data() + text.size();
    auto const [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && !text.empty();
}

}

std::uint32_t PackHtPhyMode(std::uint32_t wireless_mode, HtChoice const& ht)
{
    std::uint32_t word = wireless_mode & AP_HT_PHYMODE_MASK;
    word |= (ht.mcs & kMcsBits) << AP_HT_MCS_SHIFT;
    word |= ht.bw40 ? std::uint32_t(AP_HT_BW40) : 0u;
    word |= ht.short_gi ? std::uint32_t(AP_HT_SHORT_GI) : 0u;
    word |= ht.stbc ? std::uint32_t(AP_HT_STBC) : 0u;
    word |= AP_HT_ALWAYS_SET;
    word |= ht.ht_mode ? std::uint32_t(AP_HT_GREENFIELD) : 0u;
    word |= (ht.extcha & kExtChaBits) << AP_HT_EXTCHA_SHIFT;
    return word;
}

HtChoice UnpackHtPhyMode(std::uint32_t word)
{
    HtChoice ht;
    ht.mcs = (word >> AP_HT_MCS_SHIFT) & kMcsBits;
    ht.bw40 = (word & AP_HT_BW40) ? 1 : 0;
    ht.short_gi = (word & AP_HT_SHORT_GI) ? 1 : 0;
    ht.stbc = (word & AP_HT_STBC) ? 1 : 0;
    ht.ht_mode = (word & AP_HT_GREENFIELD) ? 1 : 0;
    ht.extcha = (word >> AP_HT_EXTCHA_SHIFT) & kExtChaBits;
    return ht;
}

std::uint32_t ExtChaCode(int allow_bw40, int channel, std::string const& extension_text)
{
    int extension = 0;
    if (!allow_bw40 || extension_text == "none" || !parse_channel(extension_text, extension))
        return 0;
    if (extension > channel)
        return kExtAbove;
    return extension < channel ? kExtBelow : 0;
}

std::string ExtChaText(std::uint32_t allow_bw40, std::uint32_t extcha, int channel)
{
    if (!allow_bw40 || extcha == 0)
        return "none";
    if (extcha == kExtAbove)
        return std::to_string(channel + kExtOffset);
    if (extcha == kExtBelow)
        return std::to_string(channel - kExtOffset);
    return {};
}

ApRecords BuildApRecords(ConfigPageValues const& v, bool has_80211a, bool with_ht)
{
    ApRecords r;
    ApConfigData& c = r.config;
    bool const no_protection = v.wireless_mode == 1 || v.wireless_mode == 4 || (v.wireless_mode == 2 && has_80211a);
    c.nTXRate = v.tx_rate;
    c.WirelessMode = v.wireless_mode;
    c.nTxPower = v.tx_power;
    c.nTxPreamble = v.preamble;
    c.nBeaconPeriod = v.beacon;
    c.nRtsThreshold = v.rts;
    c.nFragThreshold = v.frag;
    c.lFreq = v.freq_khz;
    c.nBGProtection = no_protection ? 0 : v.bg_protection;
    c.CountryRegion_11BG = v.region_bg;
    c.CountryRegion_11A = v.region_a;
    c.bTxBurst = v.tx_burst;
    c.bTurboRate = v.turbo_rate;
    c.bNoForwarding = v.no_forwarding;
    c.bHideSsid = v.hide_ssid;
    c.bShortSlot = v.short_slot;
    c.bAutoChannelAtBoot = v.auto_channel;
    c.nIdleTime = v.idle_time;
    if (with_ht) {
        HtChoice ht = v.ht;
        ht.bw40 = v.allow_bw40 ? 1 : 0;
        c.bAllowBW40 = ht.bw40;
        c.HT_PhyMode = PackHtPhyMode(v.wireless_mode, ht);
    }
    ApOptionData& o = r.options;
    o.bTxBurst = c.bTxBurst;
    o.bTurboRate = c.bTurboRate;
    o.bNoForwarding = c.bNoForwarding;
    o.bHideSsid = c.bHideSsid;
    o.nBGProtection = c.nBGProtection;
    o.bShortSlot = c.bShortSlot;
    o.nIdleTime = static_cast<std::uint16_t>(c.nIdleTime & 0xFFFF);
    o.RadiusServerIp = v.security.RadiusServerIp;
    o.nRadiusPort = v.security.nRadiusPort;
    std::memcpy(o.RadiusKey, v.security.RadiusKey, sizeof o.RadiusKey);
    o.nRekeyMethod = v.security.nRekeyMethod;
    o.nRekeyInterval = v.security.nRekeyInterval;
    c.Security = v.security;
    std::size_t const n = platform::utf8_cut_length(v.ssid, AP_SSID_MAX);
    std::memcpy(c.Ssid, v.ssid.data(), n);
    c.SsidLen = static_cast<std::uint32_t>(n);
    return r;
}

ConfigPageValues LoadConfigPageValues(ApConfigData const& c)
{
    ConfigPageValues v;
    std::size_t const n = std::min<std::size_t>(c.SsidLen, AP_SSID_MAX);
    v.ssid.assign(reinterpret_cast<char const*>(c.Ssid), n);
    v.wireless_mode = c.WirelessMode;
    v.freq_khz = c.lFreq;
    v.allow_bw40 = c.bAllowBW40 ? 1 : 0;
    v.ht = UnpackHtPhyMode(c.HT_PhyMode);
    v.tx_rate = c.nTXRate;
    v.tx_power = c.nTxPower;
    v.bg_protection = c.nBGProtection;
    v.region_bg = c.CountryRegion_11BG;
    v.region_a = c.CountryRegion_11A;
    v.preamble = c.nTxPreamble;
    v.beacon = c.nBeaconPeriod;
    v.rts = c.nRtsThreshold;
    v.frag = c.nFragThreshold;
    v.tx_burst = c.bTxBurst;
    v.turbo_rate = c.bTurboRate;
    v.no_forwarding = c.bNoForwarding;
    v.hide_ssid = c.bHideSsid;
    v.short_slot = c.bShortSlot;
    v.auto_channel = c.bAutoChannelAtBoot;
    v.idle_time = c.nIdleTime;
    v.security = c.Security;
    return v;
}

int RememberedBw40(ApConfigData const& c)
{
    bool const allowed = c.bAllowBW40 != 0 || (c.WirelessMode != 8 && c.WirelessMode != 9);
    return allowed && (c.HT_PhyMode & AP_HT_BW40) ? 1 : 0;
}

std::string PskText(ApSecurity const& s)
{
    return std::string(s.WpaPsk, std::min<std::size_t>(s.WpaPskLen, sizeof s.WpaPsk));
}

std::string RadiusKeyText(ApSecurity const& s) { return text_to_nul(s.RadiusKey); }

std::string WepKeyText(ApSecurity const& s, int index)
{
    if (index < 0 || index >= static_cast<int>(AP_WEP_KEYS))
        return {};
    return text_to_nul(s.WepKey[index]);
}

std::uint32_t BandCode(int band_index, bool ht_codes)
{
    if (band_index == 0)
        return ht_codes ? 9 : 0;
    if (band_index == 1)
        return ht_codes ? 8 : 2;
    return 0;
}

int BandIndex(std::uint32_t code, bool ht_codes)
{
    if (code == (ht_codes ? 9u : 0u))
        return 0;
    if (code == (ht_codes ? 8u : 2u))
        return 1;
    return -1;
}

}
