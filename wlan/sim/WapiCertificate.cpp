#include "wlan/sim/WapiCertificate.h"

#include "platform/system/ReadFile.h"
#include "wlan/sim/KeyMaterial.h"
#include "wlan/sim/X509File.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string_view>
#include <utility>

namespace wlan::sim {

namespace {

constexpr std::size_t kMaxText = 255;
constexpr std::size_t kMaxSerial = 20;

std::string trim(std::string_view s)
{
    auto const b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos)
        return {};
    return std::string(s.substr(b, s.find_last_not_of(" \t\r") - b + 1));
}

std::vector<std::uint8_t> bytes_of(std::string const& text)
{
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

bool all_digits(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// "YYMMDDhhmmssZ", the year in the 2000s as the certificate tab shows it.
std::string utc_time_text(std::string const& t)
{
    if (t.size() != 13 || t[12] != 'Z' || !all_digits(std::string_view(t).substr(0, 12)))
        return {};
    return "20" + t.substr(0, 2) + "/" + t.substr(2, 2) + "/" + t.substr(4, 2) + " " + t.substr(6, 2) + ":" + t.substr(8, 2) + ":"
        + t.substr(10, 2);
}

// A national validity: UTCTime text as it is, or 8 hexadecimal digits as their 4 bytes.
bool national_time(std::string const& value, std::vector<std::uint8_t>& out, std::string& expiry)
{
    if (!utc_time_text(value).empty()) {
        out = bytes_of(value);
        expiry = utc_time_text(value);
        return true;
    }
    auto const hex = value.size() == 8 ? decode_hex(value) : std::nullopt;
    if (!hex)
        return false;
    out.assign(hex->begin(), hex->end());
    std::time_t const seconds = std::time_t((std::uint32_t(out[0]) << 24) | (std::uint32_t(out[1]) << 16) | (std::uint32_t(out[2]) << 8) | out[3]);
    std::tm t {};
    gmtime_r(&seconds, &t);
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    expiry = text;
    return true;
}

// The national kind: every line a comment, empty, or a known key once; all keys present.
WapiReadResult parse_national(std::string_view text)
{
    WapiCert cert;
    cert.kind = WapiKind::National;
    bool kind = false, subject = false, issuer = false, from = false, to = false, serial = false;
    std::string ignored;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t const end = std::min(text.find('\n', start), text.size());
        std::string line = trim(text.substr(start, end - start));
        start = end + 1;
        if (auto const comment = line.find(';'); comment != std::string::npos)
            line = trim(line.substr(0, comment));
        if (line.empty() || line[0] == '#')
            continue;
        auto const eq = line.find('=');
        if (eq == std::string::npos)
            return { WapiError::Malformed, {} };
        std::string const key = trim(line.substr(0, eq));
        std::string const value = trim(line.substr(eq + 1));
        auto once = [](bool& seen) { return !std::exchange(seen, true); };
        bool ok = false;
        if (key == "kind")
            ok = once(kind) && value == "national";
        else if (key == "subject")
            ok = once(subject) && value.size() <= kMaxText && !value.empty() && (cert.subject = value, true);
        else if (key == "issuer")
            ok = once(issuer) && value.size() <= kMaxText && !value.empty() && (cert.issuer = value, true);
        else if (key == "valid_from")
            ok = once(from) && national_time(value, cert.valid_from, ignored);
        else if (key == "valid_to")
            ok = once(to) && national_time(value, cert.valid_to, cert.expiry);
        else if (key == "serial") {
            auto const hex = decode_hex(value);
            ok = once(serial) && hex && !hex->empty() && hex->size() <= kMaxSerial;
            if (ok)
                cert.serial.assign(hex->begin(), hex->end());
        }
        if (!ok)
            return { WapiError::Malformed, {} };
    }
    if (!(kind && subject && issuer && from && to && serial))
        return { WapiError::Malformed, {} };
    return { WapiError::None, std::move(cert) };
}

void put_field(std::uint8_t*& p, std::vector<std::uint8_t> const& bytes)
{
    std::uint16_t const n = std::uint16_t(std::min<std::size_t>(bytes.size(), kMaxText));
    p[0] = std::uint8_t(n & 0xFF);
    p[1] = std::uint8_t(n >> 8);
    std::copy_n(bytes.begin(), n, p + 2);
    p += 2 + n;
}

}

WapiReadResult parse_wapi_cert(std::span<std::uint8_t const> bytes)
{
    if (bytes.size() > kMaxWapiCertBytes)
        return { WapiError::TooLarge, {} };
    if (bytes.empty())
        return { WapiError::NotACertificate, {} };
    std::string_view const text(reinterpret_cast<char const*>(bytes.data()), bytes.size());
    if (text.find("national") != std::string_view::npos && text.find("-----BEGIN") == std::string_view::npos)
        return parse_national(text);
    auto const facts = read_x509(bytes);
    if (!facts)
        return { WapiError::NotACertificate, {} };
    WapiCert cert;
    cert.subject = facts->subject.substr(0, kMaxText);
    cert.issuer = facts->issuer.substr(0, kMaxText);
    cert.valid_from = bytes_of(facts->not_before);
    cert.valid_to = bytes_of(facts->not_after);
    cert.serial.assign(facts->serial.begin(), facts->serial.begin() + std::ptrdiff_t(std::min(facts->serial.size(), kMaxSerial)));
    cert.expiry = facts->expiry_time;
    return { WapiError::None, std::move(cert) };
}

WapiReadResult read_wapi_cert_file(std::string const& path, std::vector<std::uint8_t>* bytes)
{
    std::string text;
    auto const error = platform::system::read_regular_file(path, text, kMaxWapiCertBytes);
    if (error == platform::system::ReadFileError::TooLarge)
        return { WapiError::TooLarge, {} };
    if (error != platform::system::ReadFileError::None)
        return { WapiError::Unreadable, {} };
    std::vector<std::uint8_t> raw(text.begin(), text.end());
    auto result = parse_wapi_cert(raw);
    if (bytes && result.cert)
        *bytes = std::move(raw);
    return result;
}

std::array<std::uint8_t, SYSTEM_CERT_ENTRY_SIZE> make_entry(WapiCert const& cert, std::uint32_t role)
{
    std::array<std::uint8_t, SYSTEM_CERT_ENTRY_SIZE> entry {};
    std::uint32_t const kind = std::uint32_t(cert.kind);
    std::memcpy(entry.data(), &kind, 4);
    std::memcpy(entry.data() + 4, &role, 4);
    std::uint8_t* p = entry.data() + SYSTEM_CERT_DESCRIPTOR_OFFSET;
    // Five fields of at most 2 + 255 bytes fit the descriptor's 8456 bytes.
    put_field(p, bytes_of(cert.subject));
    put_field(p, bytes_of(cert.issuer));
    put_field(p, cert.valid_from);
    put_field(p, cert.valid_to);
    put_field(p, cert.serial);
    return entry;
}

std::optional<WapiCert> describe_descriptor(std::uint8_t const* descriptor, std::size_t size)
{
    std::size_t at = 0;
    auto field = [&](std::vector<std::uint8_t>& out) {
        if (size - at < 2)
            return false;
        std::size_t const n = descriptor[at] | (std::size_t(descriptor[at + 1]) << 8);
        if (n > kMaxText || size - at - 2 < n)
            return false;
        out.assign(descriptor + at + 2, descriptor + at + 2 + n);
        at += 2 + n;
        return true;
    };
    std::vector<std::uint8_t> subject, issuer;
    WapiCert cert;
    if (!descriptor || !field(subject) || !field(issuer) || !field(cert.valid_from) || !field(cert.valid_to) || !field(cert.serial))
        return std::nullopt;
    cert.subject.assign(subject.begin(), subject.end());
    cert.issuer.assign(issuer.begin(), issuer.end());
    return cert;
}

}
