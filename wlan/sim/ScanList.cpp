#include "wlan/sim/ScanList.h"

#include "wlan/api/Records.h"
#include "wlan/sim/Channels.h"
#include "wlan/sim/IeFormats.h"

#include <algorithm>
#include <cstring>

namespace wlan::sim {

namespace {

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
    std::memcpy(out.data() + at, &v, 4);
}

SecurityInfo rsn_of(ApSpec const& ap, std::uint32_t akm)
{
    SecurityInfo s;
    bool const aes = ap.cipher == Cipher::Aes || ap.cipher == Cipher::TkipAes;
    bool const tkip = ap.cipher == Cipher::Tkip || ap.cipher == Cipher::TkipAes;
    s.group = tkip ? suite::Tkip : suite::Ccmp;
    if (tkip)
        s.pairwise.push_back(suite::Tkip);
    if (aes || s.pairwise.empty())
        s.pairwise.push_back(suite::Ccmp);
    s.akm = { akm };
    if (ap.security == Security::Cckm)
        s.akm.push_back(suite::Cckm);
    return s;
}

SecurityInfo wpa_of(ApSpec const& ap, std::uint32_t akm)
{
    SecurityInfo s = rsn_of(ap, akm);
    for (auto* list : { &s.pairwise }) {
        for (auto& c : *list)
            c = (c & 0xFF) | 0x0050F200;
    }
    s.group = (s.group & 0xFF) | 0x0050F200;
    for (auto& a : s.akm)
        if ((a >> 8) == 0x000FAC)
            a = (a & 0xFF) | 0x0050F200;
    return s;
}

void add_security(std::vector<std::uint8_t>& out, ApSpec const& ap)
{
    auto rsn = [&](std::uint32_t akm) {
        auto body = build_rsn(rsn_of(ap, akm));
        if (ap.malformed == Malformation::BadRsn)
            body.resize(body.size() - 7); // cuts into the AKM list
        append_element(out, eid::Rsn, body);
    };
    auto wpa = [&](std::uint32_t akm) { append_vendor(out, kOuiWifi, kWpaType, build_wpa(wpa_of(ap, akm))); };
    switch (ap.security) {
    case Security::Open:
    case Security::Wep:
    case Security::Dot1xWep:
        break;
    case Security::WpaPsk: wpa(suite::WpaAkmPsk); break;
    case Security::Wpa2Psk: rsn(suite::AkmPsk); break;
    case Security::WpaWpa2Psk:
        rsn(suite::AkmPsk);
        wpa(suite::WpaAkmPsk);
        break;
    case Security::Wpa: wpa(suite::WpaAkm8021X); break;
    case Security::Wpa2:
    case Security::Cckm: rsn(suite::Akm8021X); break;
    case Security::WapiPsk:
    case Security::WapiCert: {
        SecurityInfo w;
        w.akm = { ap.security == Security::WapiPsk ? suite::WapiPsk : suite::WapiCert };
        w.pairwise = { suite::WapiSms4 };
        w.group = suite::WapiSms4;
        append_element(out, eid::Wapi, build_wapi(w));
        break;
    }
    }
}

void add_ht(std::vector<std::uint8_t>& out, ApSpec const& ap)
{
    HtCapabilities cap;
    cap.info = std::uint16_t((ap.ht40 ? 0x0002 : 0) | (ap.sgi20 ? 0x0020 : 0) | (ap.sgi40 ? 0x0040 : 0) | 0x000C);
    cap.ampdu_params = 0x1B; // 64 KiB factor, 8 us spacing
    for (int s = 0; s < ap.streams; ++s)
        cap.mcs[std::size_t(s)] = 0xFF;
    if (ap.ht40)
        cap.mcs[4] = 0x01; // MCS 32
    cap.mcs[12] = 0x01;
    append_element(out, eid::HtCapabilities, build_ht_capabilities(cap));
    HtOperation op;
    op.primary_channel = std::uint8_t(ap.channel);
    op.info[0] = ap.ht40 ? std::uint8_t(0x05) : std::uint8_t(0x00); // secondary above, any width
    op.basic_mcs[0] = 0x00;
    append_element(out, eid::HtOperation, build_ht_operation(op));
    if (ap.ht40) {
        std::uint8_t const offset = 1;
        append_element(out, eid::SecondaryChannelOffset, Bytes(&offset, 1));
    }
    std::uint8_t const ext = 0x01;
    append_element(out, eid::ExtendedCapabilities, Bytes(&ext, 1));
}

void add_wps(std::vector<std::uint8_t>& out, ApSpec const& ap)
{
    WpsInfo w;
    w.version = ap.wps_version;
    w.state = ap.wps_configured ? 2 : 1;
    if (ap.wps_locked)
        w.ap_setup_locked = 1;
    if (ap.wps_pbc_active) {
        w.selected_registrar = 1;
        w.device_password_id = 0x0004;
        w.registrar_config_methods = 0x0084;
    }
    w.config_methods = 0x0084;
    std::array<std::uint8_t, 16> uuid {};
    for (std::size_t i = 0; i < 16; ++i)
        uuid[i] = std::uint8_t(ap.bssid[i % 6] ^ (i * 17));
    w.uuid_e = uuid;
    w.rf_bands = is_5ghz_channel(ap.channel) ? 2 : 1;
    auto body = build_wps(w);
    if (ap.malformed == Malformation::BadWps)
        body.resize(body.size() - 1); // the last attribute claims one more byte than it has
    append_vendor(out, kOuiWifi, kWpsType, body);
}

}

std::vector<std::uint8_t> default_rates(ApSpec const& ap)
{
    if (ap.phy == 'b')
        return { 0x82, 0x84, 0x8B, 0x96 };
    if (ap.phy == 'a' || is_5ghz_channel(ap.channel))
        return { 0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C };
    return { 0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C };
}

std::vector<std::uint8_t> build_element_area(ApSpec const& ap)
{
    std::vector<std::uint8_t> out(12, 0);
    out[8] = std::uint8_t(ap.beacon_interval);
    out[9] = std::uint8_t(ap.beacon_interval >> 8);
    std::uint16_t capability = ap.adhoc ? 0x0002 : 0x0001;
    if (ap.security != Security::Open)
        capability |= 0x0010;
    out[10] = std::uint8_t(capability);
    out[11] = std::uint8_t(capability >> 8);

    std::string const shown = ap.hidden ? std::string() : ap.ssid;
    append_element(out, eid::Ssid, Bytes(reinterpret_cast<std::uint8_t const*>(shown.data()), shown.size()));
    auto rates = ap.rates.empty() ? default_rates(ap) : ap.rates;
    append_element(out, eid::SupportedRates, Bytes(rates.data(), std::min<std::size_t>(rates.size(), 8)));
    std::uint8_t const channel = std::uint8_t(ap.channel);
    append_element(out, eid::DsParameter, Bytes(&channel, 1));
    if (rates.size() > 8)
        append_element(out, eid::ExtendedRates, Bytes(rates.data() + 8, rates.size() - 8));
    add_security(out, ap);
    if (ap.mdid) {
        append_element(out, eid::MobilityDomain, build_mobility_domain({ *ap.mdid, 0x01 }));
    }
    if (ap.ht)
        add_ht(out, ap);
    if (ap.wps)
        add_wps(out, ap);
    if (ap.ccx) {
        std::uint8_t const flags = kCcxCmic | kCcxCkip;
        append_vendor(out, kOuiCcx, kCcxType, Bytes(&flags, 1));
    }
    if (ap.malformed == Malformation::TruncatedElement) {
        out.push_back(eid::Rsn); // claims 40 bytes where 3 follow
        out.push_back(40);
        out.insert(out.end(), { 0x01, 0x00, 0x00 });
    }
    return out;
}

std::vector<std::uint8_t> build_entry(ApSpec const& ap, int rssi)
{
    auto const ies = build_element_area(ap);
    std::size_t const length = (NDIS_WLAN_BSSID_EX_FIXED + ies.size() + 3) & ~std::size_t(3);
    std::vector<std::uint8_t> out(length, 0);
    put32(out, 0, std::uint32_t(length));
    std::memcpy(out.data() + 4, ap.bssid.data(), 6);
    std::string const shown = ap.hidden ? std::string() : ap.ssid;
    put32(out, 12, std::uint32_t(shown.size()));
    std::memcpy(out.data() + 16, shown.data(), shown.size());
    put32(out, 48, ap.security == Security::Open ? 0 : 1);
    put32(out, 52, std::uint32_t(rssi));
    std::uint32_t const type = ap.phy == 'b' ? 1 : (ap.phy == 'a' || is_5ghz_channel(ap.channel)) ? 2 : 3;
    put32(out, 56, type);
    put32(out, 64, std::uint32_t(ap.beacon_interval));
    put32(out, 72, channel_to_frequency(ap.channel));
    put32(out, 92, ap.adhoc ? 0 : 1);
    auto rates = ap.rates.empty() ? default_rates(ap) : ap.rates;
    std::memcpy(out.data() + 96, rates.data(), std::min<std::size_t>(rates.size(), 16));
    std::uint32_t ie_length = std::uint32_t(ies.size());
    // An entry that claims more element bytes than it holds: Length < 116 + IELength.
    if (ap.malformed == Malformation::InconsistentLength)
        ie_length += 64;
    put32(out, 112, ie_length);
    std::memcpy(out.data() + NDIS_WLAN_BSSID_EX_FIXED, ies.data(), ies.size());
    return out;
}

std::vector<std::uint8_t> build_list(std::vector<std::vector<std::uint8_t>> const& entries, std::uint32_t limit)
{
    std::vector<std::uint8_t> out(4, 0);
    std::uint32_t count = 0;
    for (auto const& e : entries) {
        if (out.size() + e.size() > limit)
            break;
        out.insert(out.end(), e.begin(), e.end());
        ++count;
    }
    put32(out, 0, count);
    return out;
}

}
