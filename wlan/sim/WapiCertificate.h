// WAPI certificate files (".cer") as the station library loads, installs and describes them.
// Two kinds: an X.509 certificate (PEM or DER, read with libcrypto), and the national kind,
// which no library of the system reads: here a small text of "key = value" lines of our own
//
//     kind = national
//     subject = WAPI User          ; at most 255 characters, as issuer
//     issuer = WAPI AS
//     valid_from = 250101000000Z   ; UTCTime "YYMMDDhhmmssZ", or 8 hexadecimal digits
//     valid_to = 350101000000Z     ;   (seconds since 1970)
//     serial = 0102A0              ; hexadecimal, at most 20 bytes
//
// of at most 8192 bytes. Installed certificates are kept as system entries (8464 bytes: the
// kind, the role, then a descriptor of length-prefixed fields) that describe_entry decodes.
#pragma once

#include "wlan/api/Profile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace wlan::sim {

constexpr std::size_t kMaxWapiCertBytes = sizeof(WAPI_LOADED_CERT::Data);

enum class WapiKind : std::uint32_t { X509 = 0, National = 1 };
enum class WapiError { None, Unreadable, TooLarge, NotACertificate, Malformed };

struct WapiCert {
    WapiKind kind { WapiKind::X509 };
    std::string subject;
    std::string issuer;
    // The validity as the certificate writes it: ASN.1 time texts, or for the national kind
    // the text given or its 4 bytes when given as hexadecimal digits.
    std::vector<std::uint8_t> valid_from;
    std::vector<std::uint8_t> valid_to;
    std::vector<std::uint8_t> serial;
    // The end of validity as "YYYY/MM/DD hh:mm:ss"; empty when it cannot be told.
    std::string expiry;
};

struct WapiReadResult {
    WapiError error { WapiError::None };
    std::optional<WapiCert> cert;
};

// Parses a certificate of either kind from at most kMaxWapiCertBytes bytes; `cert` is set only
// on success.
WapiReadResult parse_wapi_cert(std::span<std::uint8_t const> bytes);
// Reads the file whole (at most kMaxWapiCertBytes) into `bytes` and parses it.
WapiReadResult read_wapi_cert_file(std::string const& path, std::vector<std::uint8_t>* bytes = nullptr);

// The installed entry of a certificate: kind at 0, role (1 user, 2 AS) at 4, descriptor from
// 8: subject, issuer, valid from, valid to and serial, each a u16 length and its bytes.
std::array<std::uint8_t, SYSTEM_CERT_ENTRY_SIZE> make_entry(WapiCert const& cert, std::uint32_t role);
// Decodes a descriptor of at most `size` bytes; nullopt when a length runs past it.
std::optional<WapiCert> describe_descriptor(std::uint8_t const* descriptor, std::size_t size);

}
