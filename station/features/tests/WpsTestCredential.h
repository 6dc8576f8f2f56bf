// A WPS credential for the WPS tests: its name, types and key as given.
#pragma once

#include "wlan/api/Profile.h"

#include <cstring>

inline WPS_CREDENTIAL wps_credential(char const* ssid, std::uint32_t auth, std::uint32_t encr, char const* key = "",
    std::uint32_t index = 0)
{
    WPS_CREDENTIAL c {};
    c.SsidLength = std::uint32_t(std::strlen(ssid));
    std::memcpy(c.Ssid, ssid, c.SsidLength);
    c.AuthType = auth;
    c.EncrType = encr;
    c.KeyIndex = index;
    c.KeyLength = std::uint32_t(std::strlen(key));
    std::memcpy(c.Key, key, c.KeyLength);
    return c;
}
