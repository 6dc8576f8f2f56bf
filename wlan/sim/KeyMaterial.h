// The key bytes the simulated link compares: a WEP key typed as hexadecimal digits or as
// ASCII characters, and the pairwise master key of a WPA pre-shared key, which is either 64
// hexadecimal digits or a passphrase of 8 to 63 characters turned into the key with
// PBKDF2-HMAC-SHA1 (the SSID as salt, 4096 rounds, 32 bytes; IEEE 802.11, annex J.4). Both
// sides go through the same functions, so a key matches in either form.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wlan::sim {

using Pmk = std::array<std::uint8_t, 32>;

// Hexadecimal digits decoded (an even number of them); nullopt when `text` is not that.
std::optional<std::string> decode_hex(std::string_view text);

// WEP key text as key bytes: 10 or 26 hexadecimal digits are decoded, anything else (5 or 13
// ASCII characters) is taken as it is.
std::string wep_key_bytes(std::string_view text);

// PBKDF2-HMAC-SHA1 of the passphrase with the SSID as salt, 4096 rounds.
Pmk passphrase_pmk(std::string_view passphrase, std::string_view ssid);

// The master key of a pre-shared key: 64 hexadecimal digits decoded, 8 to 63 characters
// through passphrase_pmk; nullopt for any other key.
std::optional<Pmk> psk_pmk(std::string_view key, std::string_view ssid);

}
