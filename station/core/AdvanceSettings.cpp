#include "station/core/AdvanceSettings.h"

namespace {

std::uint32_t bits(std::uint32_t word, int first, int count) { return (word >> first) & ((1u << count) - 1u); }

}

ADVANCE_OID BuildAdvanceOid(ADVANCE_CONFIG_DATA const& config)
{
    std::uint32_t const w = config.TransmitSetting;
    std::uint32_t const legacy = bits(w, 19, 2);
    ADVANCE_OID oid {};
    oid.PhyMode = bits(w, 0, 4);
    oid.TransmitNo = std::uint8_t(bits(w, 14, 2));
    oid.HtMode = std::uint8_t(legacy == 2 || legacy == 3 ? legacy : bits(w, 16, 1));
    oid.ExtOffset = std::uint8_t(bits(w, 17, 2));
    oid.MCS = std::uint8_t(bits(w, 4, 7));
    oid.BW = std::uint8_t(legacy == 2 ? 0 : bits(w, 11, 1));
    oid.STBC = std::uint8_t(bits(w, 13, 1));
    oid.SHORTGI = std::uint8_t(bits(w, 12, 1));
    oid.nBGProtection = config.BGProtection;
    oid.bTXBurst = config.TXBurst;
    oid.CountryRegIndex11BG = config.CountryRegion;
    oid.CountryRegIndex11A = config.CountryRegionABand;
    oid.KTphyMode = config.WirelessMode;
    oid.nTXRate = config.TransRate;
    return oid;
}
