// The WPS records as the station utility makes and reads them, window-free: the device PIN and
// its check digit, the check of a typed PIN, the credential the utility offers as registrar,
// the stored copy of the page's state and its read-back, the texts of a credential's types,
// the two forms of a WEP key, and whether the live connection belongs to a credential.
// Random bytes come from the operating system; tests put their own source in.
#pragma once

#include "wlan/api/Profile.h"
#include "wlan/api/Records.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace station::features {

// Fills the span; the default source is getrandom(2). A time-seeded generator would repeat
// within a second and is guessable, which a PIN or a registrar's key must not be.
using WpsRandomSource = std::function<void(std::span<std::uint8_t>)>;
// Installs `source`; an empty one puts the operating system's back.
void SetWpsRandomSource(WpsRandomSource source);
void GetRandomBytes(std::span<std::uint8_t> out);

// The check digit of a seven-digit value (leading zeros count): 3 x (d1 + d3 + d5 + d7) +
// (d2 + d4 + d6), then (10 - sum mod 10) mod 10. Only the low seven digits are used.
int ComputePinChecksum(std::uint32_t value);
// The eight-digit PIN of three random bytes: v = b0b1b2 mod 10,000,000, PIN = 10v + check digit.
std::uint32_t PinFromBytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2);
// A new device PIN from three random bytes.
std::uint32_t GenerateDevPwd();

enum class PinTextCheck { Valid, WrongLength, WrongCheckDigit };
// A typed PIN must be exactly 8 decimal digits (checked on the whole text: a paste passes the
// edit's filter) whose last digit is the check digit of the first seven. `pin` is set only
// when the text is valid. A text of 8 characters that are not all digits is WrongLength, which
// the page reports as an invalid PIN.
PinTextCheck CheckPinText(std::string_view text, std::uint32_t& pin);

// The registrar's made-up credential: one entry "ExRegNW" + address bytes 3-5 in upper-case
// hexadecimal (13 bytes), WPA2-PSK (32), AES (8), KeyIndex 1, a 64-digit hexadecimal key of 32
// random bytes.
WPS_PROFILE GenerateRegistrarProfile(std::uint8_t const (&address)[6]);

// The stored copy of the page's state: the page's credentials (at most 8, each clamped), the
// role (0 enrollee, 1 registrar), the PIN as "%d" without terminator, the stored BSSID and the
// channel's low byte. WpsMode and WpsSSID stay zero.
struct StoredWps {
    WPS_MODE mode {};
    WPS_PROFILE profile {};
};
StoredWps StoredWpsRecords(WPS_PROFILE const& page, int config_mode, std::uint32_t pin, std::uint8_t const (&bssid)[6],
    int channel);
// The PIN of a stored mode: its decimal digits up to the first zero byte, at most 8.
std::uint32_t StoredPin(WPS_MODE const& mode);
// A record from the library made safe to read: ProfileCnt at most 8, SsidLength at most 32 and
// KeyLength at most 64; slots at and above the count zeroed.
WPS_PROFILE ClampWpsProfile(WPS_PROFILE const& profile);

// Texts of the authentication and encryption values; empty for a value not listed.
std::string WpsAuthText(std::uint32_t auth);
std::string WpsEncrText(std::uint32_t encr);
// A credential is secured unless it is open (1) and unencrypted (1).
bool IsWpsCredentialSecured(WPS_CREDENTIAL const& credential);
// The SSID of a credential as text (at most 32 bytes).
std::string WpsSsidText(WPS_CREDENTIAL const& credential);

// The two forms of a WEP key: a key of 10 or 26 characters is the hexadecimal form and its
// bytes the ASCII form; a key of 5 or 13 characters is the ASCII form and "%02X" of each byte
// the hexadecimal form, its length doubled. Any other key has no second form (its text stays
// the hexadecimal form).
struct WepKeyForms {
    std::string hex;
    std::string ascii;
    int length { 0 };
    bool ascii_available { false };
};
WepKeyForms MakeWepKeyForms(std::string_view key);

// A registrar's WPA-PSK or WPA2-PSK key: 8 to 63 characters, or exactly 64 hexadecimal digits.
bool IsValidWpsPassphrase(std::string_view key);

// Whether the live connection belongs to `credential`: connected (state 3), the connected SSID
// empty or equal to the credential's, and the status's authentication mode and encryption state
// among the ones the credential's types match.
bool IsCredentialConnected(WPS_CREDENTIAL const& credential, WLAN_STATUS const& status);

}
