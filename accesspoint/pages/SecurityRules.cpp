#include "accesspoint/pages/SecurityRules.h"

#include "accesspoint/pages/PageTexts.h"

#include <algorithm>
#include <cctype>

namespace hotvane {

namespace {

constexpr std::uint32_t kRekeyMinimum = 3;
constexpr std::uint32_t kRekeyMaximum = 0x3FFFFFF;

bool all_hex(std::string const& text)
{
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

}

CipherPermissions PermissionsFor(bool has_80211n, int prohibit_wep, int prohibit_tkip)
{
    return { prohibit_wep != 1 || !has_80211n, prohibit_tkip != 1 || !has_80211n };
}

std::vector<CodeEntry> AuthenticationEntries(CUISTR const& s, CipherPermissions p)
{
    std::vector<CodeEntry> entries { { s.IDS_OPENSYSTEM, AP_AUTH_OPEN } };
    if (p.wep)
        entries.push_back({ s.IDS_SHARED, AP_AUTH_SHARED });
    entries.push_back({ s.IDS_WPAPSK, AP_AUTH_WPA_PSK });
    entries.push_back({ s.IDS_WPA2PSK, AP_AUTH_WPA2_PSK });
    entries.push_back({ s.IDS_WPAPSK_WPA2PSK, AP_AUTH_WPA_WPA2_PSK });
    return entries;
}

std::vector<CodeEntry> EncryptionEntries(CUISTR const& s, std::uint32_t auth, CipherPermissions p)
{
    std::vector<CodeEntry> entries;
    switch (auth) {
    case 0:
    case 2:
        entries.push_back({ s.IDS_NOTUSE, AP_ENC_NONE });
        if (p.wep)
            entries.push_back({ s.IDS_WEP, AP_ENC_WEP });
        break;
    case 1:
        entries.push_back({ s.IDS_WEP, AP_ENC_WEP });
        break;
    case 3:
    case 4:
    case 9:
    case 6:
    case 7:
    case 8:
        if (p.tkip)
            entries.push_back({ s.IDS_TKIP, AP_ENC_TKIP });
        entries.push_back({ s.IDS_AES, AP_ENC_AES });
        if (p.tkip && (auth == 6 || auth == 7 || auth == 8))
            entries.push_back({ s.IDS_BOTH, AP_ENC_TKIP_AES });
        break;
    default:
        break;
    }
    return entries;
}

std::optional<SecurityFields> FieldsFor(std::uint32_t auth, std::uint32_t encryption)
{
    switch (auth) {
    case 0:
    case 2:
        if (encryption == AP_ENC_NONE)
            return SecurityFields { false, false, false, false };
        return SecurityFields { false, false, false, true };
    case 1:
        return SecurityFields { false, false, false, true };
    case 3:
        return SecurityFields { false, true, true, false };
    case 4:
    case 7:
    case 9:
        return SecurityFields { true, true, false, false };
    default:
        return std::nullopt;
    }
}

bool ValidRekeyText(std::string const& text) { return DecimalInRange(text, kRekeyMinimum, kRekeyMaximum); }

std::optional<WepKeyFailure> CheckWepKeys(std::string const (&keys)[4], int const (&formats)[4], int default_key)
{
    for (int i = 0; i < 4; ++i) {
        std::string const& key = keys[i];
        if (key.empty() && i != default_key)
            continue;
        bool const hex = formats[i] == 0;
        bool const ok = hex ? (key.size() == 10 || key.size() == 26) && all_hex(key) : key.size() == 5 || key.size() == 13;
        if (!ok)
            return WepKeyFailure { i + 1, hex };
    }
    return std::nullopt;
}

bool NeedsWepKeys(std::uint32_t auth, std::uint32_t encryption)
{
    return auth == AP_AUTH_SHARED || (auth == AP_AUTH_OPEN && encryption == AP_ENC_WEP);
}

bool NeedsPsk(std::uint32_t auth) { return auth == AP_AUTH_WPA_PSK || auth == AP_AUTH_WPA2_PSK || auth == AP_AUTH_WPA_WPA2_PSK; }

}
