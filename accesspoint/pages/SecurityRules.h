// The security dialog's rules without its window: which authentication and encryption entries
// it offers, which fields a choice enables, and the checks OK and every list change run. Codes
// are ApSecurity's; list entries carry them as item data.
#pragma once

#include "accesspoint/core/UiStr.h"
#include "wlan/api/ApRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hotvane {

struct CodeEntry {
    std::string text;
    std::uint32_t code;
    bool operator==(CodeEntry const&) const = default;
};

// What the two option switches leave on an adapter: WEP and TKIP are refused only with 802.11n
// and the switch at 1.
struct CipherPermissions {
    bool wep {};
    bool tkip {};
};
CipherPermissions PermissionsFor(bool has_80211n, int prohibit_wep, int prohibit_tkip);

std::vector<CodeEntry> AuthenticationEntries(CUISTR const& s, CipherPermissions p);
// Empty for codes no row names (the list then stays empty).
std::vector<CodeEntry> EncryptionEntries(CUISTR const& s, std::uint32_t auth, CipherPermissions p);

// Which groups a choice enables; nullopt for codes whose fields do not change.
struct SecurityFields {
    bool psk;
    bool rekey;
    bool radius;
    bool wep;
    bool operator==(SecurityFields const&) const = default;
};
std::optional<SecurityFields> FieldsFor(std::uint32_t auth, std::uint32_t encryption);

// The group rekey text: digits only, 3 to 67108863; empty, signed or overflowing texts fail.
bool ValidRekeyText(std::string const& text);

// Which WEP key fails the check (1-4) and whether it was in hexadecimal; nullopt when all pass.
// Keys 1-4 that are non-empty or the default are checked: 10 or 26 hexadecimal digits, or 5 or 13
// characters.
struct WepKeyFailure {
    int key;
    bool hexadecimal;
};
std::optional<WepKeyFailure> CheckWepKeys(std::string const (&keys)[4], int const (&formats)[4], int default_key);

// Which keys OK checks (and stores): the WEP keys for shared key, or open with WEP; the
// pre-shared key for the three PSK modes.
bool NeedsWepKeys(std::uint32_t auth, std::uint32_t encryption);
bool NeedsPsk(std::uint32_t auth);

}
