#include "wlan/sim/IeFormats.h"

namespace wlan::sim {

namespace {

void put16le(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put16be(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void put_suite(std::vector<std::uint8_t>& out, std::uint32_t s)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(s >> shift));
}

void put_suites(std::vector<std::uint8_t>& out, std::vector<std::uint32_t> const& list)
{
    put16le(out, static_cast<std::uint16_t>(list.size()));
    for (auto s : list)
        put_suite(out, s);
}

// A count followed by that many suites; a count the bytes cannot hold is malformed, since the
// element length already told where the element ends.
ParseError read_suites(ByteReader& r, std::vector<std::uint32_t>& out)
{
    std::uint16_t count = 0;
    if (!r.u16le(count))
        return ParseError::TooShort;
    if (count == 0 || r.remaining() < std::size_t(count) * 4)
        return ParseError::Malformed;
    for (std::uint16_t i = 0; i < count; ++i) {
        std::uint32_t s = 0;
        r.suite(s);
        out.push_back(s);
    }
    return ParseError::None;
}

// The shared body of RSN and WPA after the version: group, pairwise list, AKM list and
// capabilities, each optional from the end.
Parsed<SecurityInfo> parse_security_tail(ByteReader& r, std::uint32_t default_cipher, std::uint32_t default_akm)
{
    SecurityInfo info;
    info.group = default_cipher;
    if (r.at_end()) {
        info.pairwise = { default_cipher };
        info.akm = { default_akm };
        return { ParseError::None, info };
    }
    if (!r.suite(info.group))
        return { ParseError::TooShort, {} };
    if (r.at_end()) {
        info.pairwise = { default_cipher };
        info.akm = { default_akm };
        return { ParseError::None, info };
    }
    if (auto e = read_suites(r, info.pairwise); e != ParseError::None)
        return { e, {} };
    if (r.at_end()) {
        info.akm = { default_akm };
        return { ParseError::None, info };
    }
    if (auto e = read_suites(r, info.akm); e != ParseError::None)
        return { e, {} };
    if (r.remaining() >= 2)
        r.u16le(info.capabilities);
    return { ParseError::None, info };
}

}

bool append_element(std::vector<std::uint8_t>& out, std::uint8_t id, Bytes body)
{
    if (body.size() > 255)
        return false;
    out.push_back(id);
    out.push_back(static_cast<std::uint8_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return true;
}

bool append_vendor(std::vector<std::uint8_t>& out, std::array<std::uint8_t, 3> oui, std::uint8_t type, Bytes body)
{
    std::vector<std::uint8_t> full(oui.begin(), oui.end());
    full.push_back(type);
    full.insert(full.end(), body.begin(), body.end());
    return append_element(out, eid::Vendor, full);
}

namespace {

// RSN, WPA and WAPI bodies open with a version field; only version 1 exists.
ParseError read_version(ByteReader& r)
{
    std::uint16_t version = 0;
    if (!r.u16le(version))
        return ParseError::TooShort;
    return version == 1 ? ParseError::None : ParseError::Malformed;
}

}

std::vector<std::uint8_t> build_wpa(SecurityInfo const& info)
{
    std::vector<std::uint8_t> out;
    put16le(out, 1);
    put_suite(out, info.group);
    put_suites(out, info.pairwise);
    put_suites(out, info.akm);
    return out;
}

// The RSN body is the WPA body followed by the capabilities.
std::vector<std::uint8_t> build_rsn(SecurityInfo const& info)
{
    std::vector<std::uint8_t> out = build_wpa(info);
    put16le(out, info.capabilities);
    return out;
}

Parsed<SecurityInfo> parse_rsn(Bytes body)
{
    ByteReader r(body);
    if (auto e = read_version(r); e != ParseError::None)
        return { e, {} };
    return parse_security_tail(r, suite::Ccmp, suite::Akm8021X);
}

Parsed<SecurityInfo> parse_wpa(Bytes body)
{
    ByteReader r(body);
    if (auto e = read_version(r); e != ParseError::None)
        return { e, {} };
    return parse_security_tail(r, suite::WpaTkip, suite::WpaAkm8021X);
}

std::vector<std::uint8_t> build_wapi(SecurityInfo const& info)
{
    std::vector<std::uint8_t> out;
    put16le(out, 1);
    put_suites(out, info.akm);
    put_suites(out, info.pairwise);
    put_suite(out, info.group);
    put16le(out, info.capabilities);
    return out;
}

Parsed<SecurityInfo> parse_wapi(Bytes body)
{
    ByteReader r(body);
    if (auto e = read_version(r); e != ParseError::None)
        return { e, {} };
    SecurityInfo info;
    if (auto e = read_suites(r, info.akm); e != ParseError::None)
        return { e, {} };
    if (auto e = read_suites(r, info.pairwise); e != ParseError::None)
        return { e, {} };
    if (!r.suite(info.group))
        return { ParseError::TooShort, {} };
    r.u16le(info.capabilities);
    return { ParseError::None, info };
}

std::vector<std::uint8_t> build_wps(WpsInfo const& info)
{
    std::vector<std::uint8_t> out;
    auto attr8 = [&](std::uint16_t type, std::optional<std::uint8_t> v) {
        if (!v)
            return;
        put16be(out, type);
        put16be(out, 1);
        out.push_back(*v);
    };
    auto attr16 = [&](std::uint16_t type, std::optional<std::uint16_t> v) {
        if (!v)
            return;
        put16be(out, type);
        put16be(out, 2);
        put16be(out, *v);
    };
    attr8(wps_attr::Version, info.version);
    attr8(wps_attr::State, info.state);
    attr8(wps_attr::ApSetupLocked, info.ap_setup_locked);
    attr8(wps_attr::SelectedRegistrar, info.selected_registrar);
    attr16(wps_attr::DevicePasswordId, info.device_password_id);
    attr16(wps_attr::SelectedRegistrarConfigMethods, info.registrar_config_methods);
    attr16(wps_attr::ConfigMethods, info.config_methods);
    if (info.uuid_e) {
        put16be(out, wps_attr::UuidE);
        put16be(out, 16);
        out.insert(out.end(), info.uuid_e->begin(), info.uuid_e->end());
    }
    attr8(wps_attr::RfBands, info.rf_bands);
    return out;
}

// Attributes with a fixed size are taken only at that size; a duplicate keeps the first.
Parsed<WpsInfo> parse_wps(Bytes body)
{
    ByteReader r(body);
    WpsInfo info;
    while (!r.at_end()) {
        std::uint16_t type = 0, length = 0;
        Bytes value;
        if (!r.u16be(type) || !r.u16be(length))
            return { ParseError::TooShort, {} };
        if (!r.take(length, value))
            return { ParseError::TooShort, {} };
        auto one = [&](std::optional<std::uint8_t>& slot) {
            if (length == 1 && !slot)
                slot = value[0];
        };
        auto two = [&](std::optional<std::uint16_t>& slot) {
            if (length == 2 && !slot)
                slot = static_cast<std::uint16_t>((value[0] << 8) | value[1]);
        };
        switch (type) {
        case wps_attr::Version: one(info.version); break;
        case wps_attr::State: one(info.state); break;
        case wps_attr::ApSetupLocked: one(info.ap_setup_locked); break;
        case wps_attr::SelectedRegistrar: one(info.selected_registrar); break;
        case wps_attr::RfBands: one(info.rf_bands); break;
        case wps_attr::DevicePasswordId: two(info.device_password_id); break;
        case wps_attr::ConfigMethods: two(info.config_methods); break;
        case wps_attr::SelectedRegistrarConfigMethods: two(info.registrar_config_methods); break;
        case wps_attr::UuidE:
            if (length == 16 && !info.uuid_e) {
                std::array<std::uint8_t, 16> u {};
                for (std::size_t i = 0; i < 16; ++i)
                    u[i] = value[i];
                info.uuid_e = u;
            }
            break;
        default: break;
        }
    }
    return { ParseError::None, info };
}

std::vector<std::uint8_t> build_ht_capabilities(HtCapabilities const& ht)
{
    std::vector<std::uint8_t> out;
    put16le(out, ht.info);
    out.push_back(ht.ampdu_params);
    out.insert(out.end(), ht.mcs.begin(), ht.mcs.end());
    put16le(out, ht.extended);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(ht.txbf >> shift));
    out.push_back(ht.asel);
    return out;
}

Parsed<HtCapabilities> parse_ht_capabilities(Bytes body)
{
    ByteReader r(body);
    HtCapabilities ht;
    Bytes mcs;
    std::uint16_t txbf_low = 0, txbf_high = 0;
    if (!r.u16le(ht.info) || !r.u8(ht.ampdu_params) || !r.take(16, mcs) || !r.u16le(ht.extended)
        || !r.u16le(txbf_low) || !r.u16le(txbf_high) || !r.u8(ht.asel))
        return { ParseError::TooShort, {} };
    for (std::size_t i = 0; i < 16; ++i)
        ht.mcs[i] = mcs[i];
    ht.txbf = txbf_low | (std::uint32_t(txbf_high) << 16);
    return { ParseError::None, ht };
}

std::vector<std::uint8_t> build_ht_operation(HtOperation const& op)
{
    std::vector<std::uint8_t> out { op.primary_channel };
    out.insert(out.end(), op.info.begin(), op.info.end());
    out.insert(out.end(), op.basic_mcs.begin(), op.basic_mcs.end());
    return out;
}

Parsed<HtOperation> parse_ht_operation(Bytes body)
{
    if (body.size() < 22)
        return { ParseError::TooShort, {} };
    HtOperation op;
    op.primary_channel = body[0];
    for (std::size_t i = 0; i < 5; ++i)
        op.info[i] = body[1 + i];
    for (std::size_t i = 0; i < 16; ++i)
        op.basic_mcs[i] = body[6 + i];
    return { ParseError::None, op };
}

std::vector<std::uint8_t> build_mobility_domain(MobilityDomain const& md)
{
    std::vector<std::uint8_t> out;
    put16le(out, md.mdid);
    out.push_back(md.ft_capability);
    return out;
}

Parsed<MobilityDomain> parse_mobility_domain(Bytes body)
{
    ByteReader r(body);
    MobilityDomain md;
    if (!r.u16le(md.mdid) || !r.u8(md.ft_capability))
        return { ParseError::TooShort, {} };
    return { ParseError::None, md };
}

}
