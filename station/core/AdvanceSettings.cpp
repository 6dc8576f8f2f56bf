#include "station/core/AdvanceSettings.h"

#include <charconv>

namespace {

std::uint32_t bits(std::uint32_t word, int first, int count) { return (word >> first) & ((1u << count) - 1u); }

std::uint32_t place(std::uint32_t value, int first, int count) { return (value & ((1u << count) - 1u)) << first; }

constexpr std::uint32_t kCcxFlagBits = 0xFFu | CCX2_MFP | CCX2_RF_ROAM | CCX2_VOICE_RATE;
constexpr std::uint32_t kMcsAuto = 33;
constexpr std::uint32_t kMcsForceShortGi = 77;
constexpr char kForceShortGi[] = "Force Short GI";

}

std::uint32_t PackTransmitSetting(TRANSMIT_SETTING const& s)
{
    bool const legacy = s.HtChoice == HT_CHOICE_11B || s.HtChoice == HT_CHOICE_11G;
    return place(s.PhyMode, 0, 4) | place(s.MCS, 4, 7) | place(s.BW, 11, 1) | place(s.ShortGI, 12, 1)
        | place(s.STBC, 13, 1) | place(s.TransNo, 14, 2) | place(legacy ? 0 : s.HtChoice, 16, 1)
        | place(s.ExtCha, 17, 2) | place(legacy ? s.HtChoice : 0, 19, 2) | (s.Upper & ~0x1FFFFFu)
        | (legacy ? 0 : s.Upper & place(3, 19, 2));
}

TRANSMIT_SETTING UnpackTransmitSetting(std::uint32_t w)
{
    std::uint32_t const legacy = bits(w, 19, 2);
    TRANSMIT_SETTING s;
    s.PhyMode = bits(w, 0, 4);
    s.MCS = bits(w, 4, 7);
    s.BW = bits(w, 11, 1);
    s.ShortGI = bits(w, 12, 1);
    s.STBC = bits(w, 13, 1);
    s.TransNo = bits(w, 14, 2);
    s.HtChoice = legacy == HT_CHOICE_11B || legacy == HT_CHOICE_11G ? legacy : bits(w, 16, 1);
    s.ExtCha = bits(w, 17, 2);
    s.Upper = w & ~0x1FFFFFu;
    // A LEGACYMODE of 1 is not one of the four choices; keep it so the word round-trips.
    if (legacy == 1)
        s.Upper |= place(1, 19, 2);
    return s;
}

std::uint32_t PackCcx2Control(CCX2_CONTROL const& c)
{
    return (c.Flags & kCcxFlagBits) | place(c.dBmToRoam, 8, 8) | place(c.TuLimit, 16, 10) | (c.Upper & 0xE0000000u);
}

CCX2_CONTROL UnpackCcx2Control(std::uint32_t w)
{
    CCX2_CONTROL c;
    c.Flags = w & kCcxFlagBits;
    c.dBmToRoam = bits(w, 8, 8);
    c.TuLimit = bits(w, 16, 10);
    c.Upper = w & 0xE0000000u;
    return c;
}

std::uint32_t CcxWordWithRoaming(std::uint32_t read_word, bool fast_roaming, int threshold_dbm)
{
    CCX2_CONTROL c = UnpackCcx2Control(read_word);
    if (fast_roaming) {
        c.Flags |= CCX2_FAST_ROAM;
        c.dBmToRoam = std::uint32_t(threshold_dbm < 0 ? -threshold_dbm : threshold_dbm);
    } else {
        c.Flags &= ~CCX2_FAST_ROAM;
        c.dBmToRoam = 70;
    }
    return PackCcx2Control(c);
}

int RoamingThresholdFromStored(std::uint32_t dbm_to_roam)
{
    return dbm_to_roam >= 40 && dbm_to_roam <= 90 ? -int(dbm_to_roam) : -70;
}

ADVANCE_OID BuildAdvanceOid(ADVANCE_CONFIG_DATA const& config)
{
    TRANSMIT_SETTING const t = UnpackTransmitSetting(config.TransmitSetting);
    ADVANCE_OID oid {};
    oid.PhyMode = t.PhyMode;
    oid.TransmitNo = std::uint8_t(t.TransNo);
    oid.HtMode = std::uint8_t(t.HtChoice);
    oid.ExtOffset = std::uint8_t(t.ExtCha);
    oid.MCS = std::uint8_t(t.MCS);
    oid.BW = std::uint8_t(t.HtChoice == HT_CHOICE_11B ? 0 : t.BW);
    oid.STBC = std::uint8_t(t.STBC);
    oid.SHORTGI = std::uint8_t(t.ShortGI);
    oid.nBGProtection = config.BGProtection;
    oid.bTXBurst = config.TXBurst;
    oid.CountryRegIndex11BG = config.CountryRegion;
    oid.CountryRegIndex11A = config.CountryRegionABand;
    oid.KTphyMode = config.WirelessMode;
    oid.nTXRate = config.TransRate;
    return oid;
}

std::uint32_t WirelessModeCode(WirelessModeEntry entry, bool with_11n)
{
    switch (entry) {
    case WirelessModeEntry::Band5:
        return with_11n ? 8 : 2;
    case WirelessModeEntry::Dual:
        return with_11n ? 5 : 3;
    case WirelessModeEntry::Band24:
        break;
    }
    return with_11n ? 9 : 0;
}

WirelessModeEntry WirelessModeEntryOf(std::uint32_t code, bool with_11n, bool has_11a)
{
    if (has_11a && code == WirelessModeCode(WirelessModeEntry::Dual, with_11n))
        return WirelessModeEntry::Dual;
    if (has_11a && code == WirelessModeCode(WirelessModeEntry::Band5, with_11n))
        return WirelessModeEntry::Band5;
    return WirelessModeEntry::Band24;
}

std::uint32_t McsValueOfText(std::string const& text, std::string const& auto_text)
{
    if (text == kForceShortGi)
        return kMcsForceShortGi;
    unsigned value = 0;
    auto const [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text == auto_text || ec != std::errc {} || end != text.data() + text.size() || value > 127)
        return kMcsAuto;
    return value;
}

std::string McsTextOfValue(std::uint32_t value, std::string const& auto_text)
{
    if (value == kMcsAuto)
        return auto_text;
    if (value == kMcsForceShortGi)
        return kForceShortGi;
    return std::to_string(value);
}

namespace {

constexpr std::uint32_t kPageTransmitStreams = 2;

TRANSMIT_SETTING PageTransmit(ADVANCE_PAGE_VALUES const& values)
{
    TRANSMIT_SETTING t = values.Transmit;
    t.PhyMode = values.WirelessMode;
    t.TransNo = kPageTransmitStreams;
    t.Upper = 0;
    return t;
}

}

ADVANCE_CONFIG_DATA BuildAdvanceConfig(ADVANCE_PAGE_VALUES const& values, std::uint32_t ccx_word, bool flag24,
    bool flag5, bool has_11n)
{
    ADVANCE_CONFIG_DATA config {};
    config.ShowAuthStatus = values.ShowAuthStatus;
    config.WirelessMode = values.WirelessMode;
    config.TXBurst = values.TXBurst;
    config.BGProtection = values.BGProtection;
    config.CountryRegion = flag24 ? values.Region24 : 0;
    config.CountryRegionABand = flag5 ? values.Region5 : 0;
    config.TransRate = values.TransRate;
    config.CCX2Control = ccx_word;
    config.EnableTcpWindowSize = values.EnableTcpWindowSize;
    config.TransmitSetting = has_11n ? PackTransmitSetting(PageTransmit(values)) : 0;
    return config;
}

ADVANCE_OID BuildPageAdvanceOid(ADVANCE_PAGE_VALUES const& values)
{
    TRANSMIT_SETTING const t = PageTransmit(values);
    ADVANCE_OID oid {};
    oid.PhyMode = values.WirelessMode;
    oid.TransmitNo = std::uint8_t(t.TransNo);
    oid.HtMode = std::uint8_t(t.HtChoice);
    oid.ExtOffset = std::uint8_t(t.ExtCha);
    oid.MCS = std::uint8_t(t.MCS);
    oid.BW = std::uint8_t(t.BW);
    oid.STBC = std::uint8_t(t.STBC);
    oid.SHORTGI = std::uint8_t(t.ShortGI);
    oid.nBGProtection = values.BGProtection;
    oid.bTXBurst = values.TXBurst;
    oid.CountryRegIndex11BG = values.Region24;
    oid.CountryRegIndex11A = values.Region5;
    oid.KTphyMode = values.WirelessMode;
    oid.nTXRate = values.TransRate;
    return oid;
}
