// What the simulated world reads of a real X.509 certificate, with OpenSSL's libcrypto: the
// subject's and issuer's names (their common name, else the whole name on one line), the
// validity as the certificate writes it and as a date, the serial number, the SHA-1
// thumbprint of the DER bytes, and the DER bytes themselves. PEM or DER are both read.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace wlan::sim {

struct X509Facts {
    std::string subject;
    std::string issuer;
    // ASN.1 time texts as stored: UTCTime "YYMMDDhhmmssZ" or GeneralizedTime "YYYYMMDDhhmmssZ".
    std::string not_before;
    std::string not_after;
    // The end of validity as "YYYY/MM/DD" and "YYYY/MM/DD hh:mm:ss".
    std::string expiry_date;
    std::string expiry_time;
    std::vector<std::uint8_t> serial;
    std::array<std::uint8_t, 20> thumbprint {};
    std::vector<std::uint8_t> der;
};

// The largest certificate file read.
constexpr std::size_t kMaxX509Bytes = 64u << 10;

std::optional<X509Facts> read_x509(std::span<std::uint8_t const> bytes);
std::optional<X509Facts> read_x509_file(std::string const& path);

// SHA-1 of `bytes`.
std::array<std::uint8_t, 20> sha1_of(std::span<std::uint8_t const> bytes);

}
