// What one WPS credential becomes in a new profile: the entries of the authentication tab
// (authentication and encryption lists, WEP keys, pre-shared key) and the network name. A
// window-free function, so that the configuration window's import loop and its tests share it;
// the tabs take these entries when the profile editor is there to hold them.
#pragma once

#include "wlan/api/Profile.h"

#include <array>
#include <optional>
#include <string>

struct WpsProfileEntries {
    std::string ssid;                     // at most 32 bytes
    std::optional<int> authentication;    // list entry; none leaves the tab's entry unchanged
    std::optional<int> encryption;        // list entry; none leaves it unchanged
    // WEP: the default key index and the key types (0 hexadecimal, 1 ASCII) and texts 1 to 4;
    // set only for an open or shared credential with WEP.
    std::optional<int> default_key;
    std::array<int, 4> key_types {};
    std::array<std::string, 4> keys;
    // The pre-shared key of a WPA-PSK or WPA2-PSK credential, cut to its key length.
    std::optional<std::string> psk;
};

WpsProfileEntries map_wps_credential(WPS_CREDENTIAL const& credential);
