// What the security editor's OK hands to the site survey page for a network joined without a
// stored profile: the choices of its tabs, which the configuration window copies into the
// page's pending settings before the page builds its connection profile. The indexes are those
// of the editor's lists (authentication 0 Open, 1 Shared, 3 WPA, 4 WPA-PSK, 5 WPA2, 6
// WPA2-PSK, 7 WPA-None, 8 WAPI-PSK, 9 WAPI-CA, 10 CCKM; encryption 0 None, 1 WEP, 2 TKIP, 3
// AES, 4 SMS4).
#pragma once

#include "station/core/EapSettingData.h"

#include <array>
#include <string>

struct SECURITY_HAND_OVER {
    static constexpr int kWepKeys = 4;
    static constexpr std::size_t kWepKeySize = 64;

    int nAuthIndex {};
    int nEncryIndex {};
    int nDefaultKey {}; // the key number, 1 to 4
    int b8021X {};
    // The authentication tab's infrastructure flag: the chosen network is not ad hoc.
    int bInfrastructure { 1 };
    EAP_SETTING_DATA eap;
    std::string strWAPIUserCert;
    std::string strWAPIASCert;
    std::array<int, kWepKeys> nKeyType {}; // 0 hexadecimal, 1 ASCII
    // Each key's length in bytes: half its digits for a hexadecimal key (13 for 26 digits).
    std::array<int, kWepKeys> nKeyLength {};
    // Each key as typed (hexadecimal digits or ASCII characters), zero-padded: the form the
    // profile record's key fields hold, which the site survey copies into its record.
    std::array<std::array<char, kWepKeySize>, kWepKeys> WEPKey {};
    std::string strPskKey;
    int nPskKeyType {};
};
