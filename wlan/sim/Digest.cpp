// [SECTION] index: entry bounds, security elements, WPS texts, HT fields, element switch.
#include "wlan/sim/Digest.h"

#include "wlan/sim/IeFormats.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace wlan::sim {

namespace {

std::uint32_t read32(Bytes b, std::size_t at)
{
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16)
        | (std::uint32_t(b[at + 3]) << 24);
}

void set_u32(IE_INFO_WPA& info, std::uint32_t offset, std::uint32_t value)
{
    std::memcpy(reinterpret_cast<std::uint8_t*>(&info) + offset, &value, 4);
}

void set_u8(IE_INFO_WPA& info, std::uint32_t offset, std::uint8_t value)
{
    reinterpret_cast<std::uint8_t*>(&info)[offset] = value;
}

// Zero-terminated text cut to its field.
template<std::size_t N>
void set_text(char (&field)[N], char const* text)
{
    std::size_t const length = std::min(std::strlen(text), N - 1);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

// [SECTION] security elements

std::uint32_t cipher_bits(std::vector<std::uint32_t> const& list)
{
    std::uint32_t bits = 0;
    for (auto s : list) {
        std::uint32_t const type = s & 0xFF;
        std::uint32_t const oui = s >> 8;
        if (oui != 0x000FAC && oui != 0x0050F2)
            continue;
        if (type == 1 || type == 5)
            bits |= IE_ENC_WEP;
        else if (type == 2)
            bits |= IE_ENC_TKIP;
        else if (type == 4)
            bits |= IE_ENC_AES;
    }
    return bits;
}

void apply_rsn(SecurityInfo const& s, bool ibss, IE_INFO_WPA& info)
{
    for (auto akm : s.akm) {
        if (akm == suite::Akm8021X)
            info.nAuthentication |= IE_AUTH_WPA2;
        else if (akm == suite::AkmPsk)
            info.nAuthentication |= ibss ? IE_AUTH_WPA2_NONE : IE_AUTH_WPA2_PSK;
        else if (akm == suite::Cckm)
            info.bCCKM = 1;
    }
    info.nEncryption |= cipher_bits(s.pairwise);
}

void apply_wpa(SecurityInfo const& s, bool ibss, IE_INFO_WPA& info)
{
    for (auto akm : s.akm) {
        if (akm == suite::WpaAkm8021X)
            info.nAuthentication |= IE_AUTH_WPA;
        else if (akm == suite::WpaAkmPsk)
            info.nAuthentication |= ibss ? IE_AUTH_WPA_NONE : IE_AUTH_WPA_PSK;
        else if (akm == suite::WpaNone)
            info.nAuthentication |= IE_AUTH_WPA_NONE;
        else if (akm == suite::Cckm)
            info.bCCKM = 1;
    }
    info.nEncryption |= cipher_bits(s.pairwise);
}

void apply_wapi(SecurityInfo const& s, IE_INFO_WPA& info)
{
    for (auto akm : s.akm) {
        if (akm == suite::WapiPsk)
            info.nAuthentication |= IE_AUTH_WAPI_PSK;
        else if (akm == suite::WapiCert)
            info.nAuthentication |= IE_AUTH_WAPI_CERT;
    }
    for (auto c : s.pairwise)
        if (c == suite::WapiSms4)
            info.nEncryption |= IE_ENC_SMS4;
}

// [SECTION] WPS texts

void apply_wps(WpsInfo const& w, IE_INFO_WPA& info)
{
    char text[48];
    info.bWPS = 1;
    auto hex16 = [&](std::optional<std::uint16_t> v) {
        if (v)
            std::snprintf(text, sizeof text, "0x%04X", unsigned(*v));
        else
            std::snprintf(text, sizeof text, "Unknown");
        return text;
    };
    auto flag = [](std::optional<std::uint8_t> v) { return !v ? "Unknown" : (*v ? "TRUE" : "FALSE"); };
    set_text(info.ConfigMethods, hex16(w.config_methods ? w.config_methods : w.registrar_config_methods));
    set_text(info.DevicePasswordId, hex16(w.device_password_id));
    set_text(info.SelectedRegistrar, flag(w.selected_registrar));
    set_text(info.APSetupLocked, flag(w.ap_setup_locked));
    if (!w.state)
        set_text(info.WpsState, "Unknown");
    else if (*w.state == 1)
        set_text(info.WpsState, "Unconfigured");
    else if (*w.state == 2)
        set_text(info.WpsState, "Configured");
    else {
        std::snprintf(text, sizeof text, "0x%02X", unsigned(*w.state));
        set_text(info.WpsState, text);
    }
    if (w.version)
        std::snprintf(text, sizeof text, "%u.%u", unsigned(*w.version >> 4), unsigned(*w.version & 0xF));
    set_text(info.Version, w.version ? text : "Unknown");
    // The UUID field holds 15 characters: the first seven bytes in hexadecimal.
    if (w.uuid_e) {
        for (int i = 0; i < 7; ++i)
            std::snprintf(text + 2 * i, 3, "%02X", unsigned((*w.uuid_e)[std::size_t(i)]));
    }
    set_text(info.UuidE, w.uuid_e ? text : "Unknown");
    char const* bands = "Unknown";
    if (w.rf_bands)
        bands = *w.rf_bands == 1 ? "2.4G" : *w.rf_bands == 2 ? "5G" : *w.rf_bands == 3 ? "2.4G/5G" : "Unknown";
    set_text(info.RfBands, bands);
}

// [SECTION] HT fields

void apply_ht_capabilities(HtCapabilities const& ht, IE_INFO_WPA& info)
{
    auto bit = [&](unsigned b) { return std::uint32_t((ht.info >> b) & 1); };
    info.bHT = 1;
    set_u32(info, HT_HIGH_THROUGHPUT, bit(1));
    set_u32(info, HT_CAPABILITY, 1);
    set_u32(info, HT_LDPC, bit(0));
    set_u8(info, HT_CHANNEL_WIDTH_SET, std::uint8_t(bit(1)));
    set_u8(info, HT_SM_POWER_SAVE, std::uint8_t((ht.info >> 2) & 3));
    set_u32(info, HT_GREENFIELD, bit(4));
    set_u32(info, HT_SGI_20, bit(5));
    set_u32(info, HT_SGI_40, bit(6));
    set_u32(info, HT_TX_STBC, bit(7));
    set_u32(info, HT_RX_STBC, (ht.info >> 8) & 3);
    set_u32(info, HT_DELAYED_BA, bit(10));
    set_u32(info, HT_MAX_AMSDU, bit(11));
    set_u32(info, HT_MAX_AMSDU_2, bit(11));
    set_u32(info, HT_DSSS_CCK_40, bit(12));
    set_u32(info, HT_PSMP, bit(13));
    set_u32(info, HT_CAP_PSMP, bit(13));
    set_u32(info, HT_40_INTOLERANT, bit(14));
    set_u32(info, HT_LSIG_TXOP, bit(15));
    set_u8(info, HT_AMPDU_FACTOR, ht.ampdu_params & 3);
    set_u8(info, HT_AMPDU_DENSITY, (ht.ampdu_params >> 2) & 7);
    // The A-MPDU parameters have a second pair of bytes, read by the detail's second
    // "A-MPDU Parameters" block.
    set_u8(info, HT_AMPDU_FACTOR_2, ht.ampdu_params & 3);
    set_u8(info, HT_AMPDU_DENSITY_2, (ht.ampdu_params >> 2) & 7);
    std::uint8_t const tx = ht.mcs[12];
    set_u32(info, HT_TX_MCS_SET_DEFINED, tx & 1);
    set_u32(info, HT_TX_RX_MCS_NOT_EQUAL, (tx >> 1) & 1);
    set_u32(info, HT_TX_MAX_STREAMS, (tx >> 2) & 3);
    set_u32(info, HT_TX_UNEQUAL_MODULATION, (tx >> 4) & 1);
    set_u32(info, HT_HTC, (ht.extended >> 10) & 1);
    set_u32(info, HT_RD_RESPONDER, (ht.extended >> 11) & 1);
    std::copy(ht.mcs.begin(), ht.mcs.end(), info.SupportedMcsSet);
}

void apply_ht_operation(HtOperation const& op, IE_INFO_WPA& info)
{
    info.bHT = 1;
    std::uint8_t const b1 = op.info[0];
    std::uint16_t const mode = std::uint16_t(op.info[1] | (op.info[2] << 8));
    std::uint16_t const more = std::uint16_t(op.info[3] | (op.info[4] << 8));
    set_u8(info, HT_PRIMARY_CHANNEL, op.primary_channel);
    set_u8(info, HT_INFO_SECONDARY_OFFSET, b1 & 3);
    set_u8(info, HT_STA_CHANNEL_WIDTH, (b1 >> 2) & 1);
    set_u32(info, HT_RIFS, (b1 >> 3) & 1);
    set_u32(info, HT_PSMP_ONLY, (b1 >> 4) & 1);
    set_u8(info, HT_SERVICE_INTERVAL, (b1 >> 5) & 7);
    set_u8(info, HT_OPERATING_MODE, mode & 3);
    set_u32(info, HT_NON_GF_PRESENT, (mode >> 2) & 1);
    set_u32(info, HT_TX_BURST_LIMIT, (mode >> 3) & 1);
    set_u32(info, HT_OBSS_NON_HT, (mode >> 4) & 1);
    set_u32(info, HT_DUAL_BEACON, (more >> 6) & 1);
    set_u32(info, HT_DUAL_CTS, (more >> 7) & 1);
    set_u32(info, HT_SECONDARY_BEACON, (more >> 8) & 1);
    set_u32(info, HT_LSIG_FULL, (more >> 9) & 1);
    set_u32(info, HT_PCO_ACTIVE, (more >> 10) & 1);
    set_u32(info, HT_PCO_PHASE, (more >> 11) & 1);
    Bytes const mcs(op.basic_mcs);
    bool const any = std::any_of(mcs.begin(), mcs.end(), [](std::uint8_t b) { return b != 0; });
    set_u32(info, HT_BASIC_MCS_PRESENT, any ? 1 : 0);
    for (std::uint32_t i = 0; i < 4; ++i)
        set_u32(info, HT_BASIC_MCS_0 + 4 * i, read32(mcs, 4 * i));
}

// [SECTION] element switch

struct Seen {
    bool rsn = false, wpa = false, wapi = false, wps = false, htcap = false, htop = false, md = false;
};

// Returns false when a known element's body does not parse. A second element of a kind that
// was already taken is ignored.
bool apply_vendor(Bytes body, bool ibss, Seen& seen, IE_INFO_WPA& info)
{
    if (body.size() < 4)
        return true;
    std::array<std::uint8_t, 3> const oui { body[0], body[1], body[2] };
    std::uint8_t const type = body[3];
    Bytes const rest = body.subspan(4);
    if (oui == kOuiWifi && type == kWpaType && !seen.wpa) {
        auto p = parse_wpa(rest);
        if (!p.ok())
            return false;
        seen.wpa = true;
        apply_wpa(p.value, ibss, info);
    } else if (oui == kOuiWifi && type == kWpsType && !seen.wps) {
        auto p = parse_wps(rest);
        if (!p.ok())
            return false;
        seen.wps = true;
        apply_wps(p.value, info);
    } else if (oui == kOuiCcx && type == kCcxType) {
        if (rest.empty())
            return false;
        info.bCMIC = (rest[0] & kCcxCmic) ? 1 : 0;
        info.bCKIP = (rest[0] & kCcxCkip) ? 1 : 0;
    }
    return true;
}

bool apply_element(Element const& e, bool ibss, Seen& seen, IE_INFO_WPA& info, int& unknown)
{
    switch (e.id) {
    case eid::Rsn: {
        if (seen.rsn)
            return true;
        auto p = parse_rsn(e.body);
        if (!p.ok())
            return false;
        seen.rsn = true;
        apply_rsn(p.value, ibss, info);
        return true;
    }
    case eid::Wapi: {
        if (seen.wapi)
            return true;
        auto p = parse_wapi(e.body);
        if (!p.ok())
            return false;
        seen.wapi = true;
        apply_wapi(p.value, info);
        return true;
    }
    case eid::HtCapabilities: {
        if (seen.htcap)
            return true;
        auto p = parse_ht_capabilities(e.body);
        if (!p.ok())
            return false;
        seen.htcap = true;
        apply_ht_capabilities(p.value, info);
        return true;
    }
    case eid::HtOperation: {
        if (seen.htop)
            return true;
        auto p = parse_ht_operation(e.body);
        if (!p.ok())
            return false;
        seen.htop = true;
        apply_ht_operation(p.value, info);
        return true;
    }
    case eid::MobilityDomain: {
        if (seen.md)
            return true;
        auto p = parse_mobility_domain(e.body);
        if (!p.ok())
            return false;
        seen.md = true;
        info.bMobilityDomain = 1;
        set_u32(info, HT_MOBILITY_DOMAIN, 1);
        info.MDID[0] = e.body[0];
        info.MDID[1] = e.body[1];
        return true;
    }
    case eid::SecondaryChannelOffset:
        if (e.body.empty())
            return false;
        set_u8(info, HT_SECONDARY_CHANNEL_OFFSET, e.body[0]);
        return true;
    case eid::ExtendedCapabilities:
        if (e.body.empty())
            return false;
        set_u32(info, HT_INFO_EXCHANGE, e.body[0] & 1);
        return true;
    case eid::Vendor:
        return apply_vendor(e.body, ibss, seen, info);
    case eid::Ssid:
    case eid::SupportedRates:
    case eid::DsParameter:
    case eid::ExtendedRates:
        return true;
    default:
        ++unknown;
        return true;
    }
}

}

DigestReport digest_entry(Bytes entry, IE_INFO_WPA& out)
{
    DigestReport report;
    if (entry.size() < NDIS_WLAN_BSSID_EX_FIXED || read32(entry, 0) < NDIS_WLAN_BSSID_EX_FIXED) {
        report.error = DigestError::EntryTooShort;
        return report;
    }
    std::uint32_t const length = read32(entry, 0);
    std::uint32_t const ie_length = read32(entry, 112);
    bool const ibss = read32(entry, 92) == 0;
    std::size_t area = std::min<std::size_t>(ie_length, entry.size() - NDIS_WLAN_BSSID_EX_FIXED);
    if (std::size_t(length) - NDIS_WLAN_BSSID_EX_FIXED < area) {
        report.length_inconsistent = true;
        area = length - NDIS_WLAN_BSSID_EX_FIXED;
    } else if (std::size_t(length) < NDIS_WLAN_BSSID_EX_FIXED + std::size_t(ie_length)) {
        report.length_inconsistent = true;
    }
    Bytes const ies = entry.subspan(NDIS_WLAN_BSSID_EX_FIXED, area);

    IE_INFO_WPA info {};
    Bytes elements;
    if (ies.size() >= 12) {
        info.BeaconInterval = std::uint16_t(ies[8] | (ies[9] << 8));
        elements = ies.subspan(12);
    }
    ElementIterator it(elements);
    Seen seen;
    for (Element e; it.next(e);) {
        if (!apply_element(e, ibss, seen, info, report.unknown))
            ++report.malformed;
    }
    report.truncated = it.truncated();
    out = info;
    return report;
}

}
