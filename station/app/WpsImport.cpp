#include "station/app/WpsImport.h"

#include <algorithm>
#include <cstring>

namespace {

// Credential authentication types and the authentication list's entries.
struct AuthEntry {
    std::uint32_t type;
    int entry;
};
constexpr AuthEntry kAuthEntries[] = {
    { 1, 0 },  // open
    { 2, 4 },  // WPA-PSK
    { 4, 1 },  // shared
    { 8, 3 },  // WPA
    { 16, 5 }, // WPA2
    { 32, 6 }, // WPA2-PSK
    { 34, 4 }, // WPA-PSK and WPA2-PSK: the WPA-PSK entry
};
// Credential encryption types and the encryption list's entries. 12 (TKIP and AES) selects
// TKIP, the cipher that the WPA-PSK entry of type 34 uses too.
constexpr AuthEntry kEncryptionEntries[] = { { 1, 0 }, { 2, 1 }, { 4, 2 }, { 8, 3 }, { 12, 2 } };

template<std::size_t N>
std::optional<int> entry_of(AuthEntry const (&table)[N], std::uint32_t type)
{
    for (AuthEntry const& row : table)
        if (row.type == type)
            return row.entry;
    return std::nullopt;
}

std::string key_text(WPS_CREDENTIAL const& credential)
{
    std::size_t const length = std::min<std::size_t>(credential.KeyLength, sizeof credential.Key);
    auto const* key = reinterpret_cast<char const*>(credential.Key);
    return std::string(key, std::find(key, key + length, '\0'));
}

void map_wep_keys(WPS_CREDENTIAL const& credential, WpsProfileEntries& out)
{
    out.default_key = int(credential.KeyIndex);
    int const type = credential.KeyLength == 10 || credential.KeyLength == 26 ? 0 : 1;
    out.key_types.fill(0);
    // Only the key of the credential's index gets its type and text; another index stores none.
    if (credential.KeyIndex < 4) {
        out.key_types[credential.KeyIndex] = type;
        out.keys[credential.KeyIndex] = key_text(credential);
    }
}

}

WpsProfileEntries map_wps_credential(WPS_CREDENTIAL const& credential)
{
    WpsProfileEntries out;
    std::size_t const ssid_length = std::min<std::size_t>(credential.SsidLength, sizeof credential.Ssid);
    out.ssid.assign(reinterpret_cast<char const*>(credential.Ssid), ssid_length);
    out.authentication = entry_of(kAuthEntries, credential.AuthType);
    out.encryption = entry_of(kEncryptionEntries, credential.EncrType);
    bool const wep = (credential.AuthType == 1 || credential.AuthType == 4) && credential.EncrType == 2;
    if (wep)
        map_wep_keys(credential, out);
    if (credential.AuthType == 2 || credential.AuthType == 32 || credential.AuthType == 34)
        out.psk = key_text(credential);
    return out;
}
