#include "station/features/WpsPin.h"

#include "station/core/HexText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/random.h>

namespace station::features {

namespace {

WpsRandomSource& random_source()
{
    static WpsRandomSource source;
    return source;
}

void system_random(std::span<std::uint8_t> out)
{
    std::size_t done = 0;
    while (done < out.size()) {
        ssize_t const got = ::getrandom(out.data() + done, out.size() - done, 0);
        if (got <= 0)
            continue; // interrupted by a signal: ask again
        done += std::size_t(got);
    }
}

std::uint32_t digit(std::uint32_t value, int from_right) // 0 = units
{
    for (int i = 0; i < from_right; ++i)
        value /= 10;
    return value % 10;
}

}

void SetWpsRandomSource(WpsRandomSource source) { random_source() = std::move(source); }

void GetRandomBytes(std::span<std::uint8_t> out)
{
    if (random_source())
        random_source()(out);
    else
        system_random(out);
}

int ComputePinChecksum(std::uint32_t value)
{
    value %= 10'000'000;
    // d1 is the millions digit (6 places from the right), d7 the units.
    std::uint32_t const odd = digit(value, 6) + digit(value, 4) + digit(value, 2) + digit(value, 0);
    std::uint32_t const even = digit(value, 5) + digit(value, 3) + digit(value, 1);
    std::uint32_t const sum = 3 * odd + even;
    return int((10 - sum % 10) % 10);
}

std::uint32_t PinFromBytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2)
{
    std::uint32_t const v = ((std::uint32_t(b0) << 16) | (std::uint32_t(b1) << 8) | b2) % 10'000'000;
    return v * 10 + std::uint32_t(ComputePinChecksum(v));
}

std::uint32_t GenerateDevPwd()
{
    std::uint8_t bytes[3] {};
    GetRandomBytes(bytes);
    return PinFromBytes(bytes[0], bytes[1], bytes[2]);
}

PinTextCheck CheckPinText(std::string_view text, std::uint32_t& pin)
{
    if (text.size() != 8 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return PinTextCheck::WrongLength;
    std::uint32_t value = 0;
    for (char c : text)
        value = value * 10 + std::uint32_t(c - '0');
    if (value % 10 != std::uint32_t(ComputePinChecksum(value / 10)))
        return PinTextCheck::WrongCheckDigit;
    pin = value;
    return PinTextCheck::Valid;
}

WPS_PROFILE GenerateRegistrarProfile(std::uint8_t const (&address)[6])
{
    WPS_PROFILE profile {};
    profile.ProfileCnt = 1;
    WPS_CREDENTIAL& c = profile.Profile[0];
    char ssid[16] {};
    std::snprintf(ssid, sizeof ssid, "ExRegNW%02X%02X%02X", address[3], address[4], address[5]);
    c.SsidLength = 13;
    std::memcpy(c.Ssid, ssid, 13);
    c.AuthType = 32;
    c.EncrType = 8;
    c.KeyIndex = 1;
    c.KeyLength = 64;
    std::uint8_t bytes[32] {};
    GetRandomBytes(bytes);
    char key[65] {};
    for (std::size_t i = 0; i < sizeof bytes; ++i)
        std::snprintf(key + 2 * i, 3, "%02X", bytes[i]);
    std::memcpy(c.Key, key, 64);
    return profile;
}

WPS_PROFILE ClampWpsProfile(WPS_PROFILE const& profile)
{
    WPS_PROFILE out {};
    out.ProfileCnt = std::min(profile.ProfileCnt, WPS_MAX_CREDENTIALS);
    for (std::uint32_t i = 0; i < out.ProfileCnt; ++i) {
        WPS_CREDENTIAL const& from = profile.Profile[i];
        WPS_CREDENTIAL& to = out.Profile[i];
        to.SsidLength = std::min<std::uint32_t>(from.SsidLength, sizeof to.Ssid);
        std::memcpy(to.Ssid, from.Ssid, to.SsidLength);
        to.AuthType = from.AuthType;
        to.EncrType = from.EncrType;
        to.KeyIndex = from.KeyIndex;
        to.KeyLength = std::min<std::uint32_t>(from.KeyLength, sizeof to.Key);
        std::memcpy(to.Key, from.Key, to.KeyLength);
        std::memcpy(to.MacAddr, from.MacAddr, sizeof to.MacAddr);
    }
    return out;
}

StoredWps StoredWpsRecords(WPS_PROFILE const& page, int config_mode, std::uint32_t pin, std::uint8_t const (&bssid)[6],
    int channel)
{
    StoredWps stored;
    stored.profile = ClampWpsProfile(page);
    stored.mode.ConfigMode = std::uint8_t(config_mode);
    char text[16] {};
    int const n = std::snprintf(text, sizeof text, "%d", int(pin));
    std::memcpy(stored.mode.PIN, text, std::size_t(std::clamp(n, 0, int(sizeof stored.mode.PIN))));
    std::memcpy(stored.mode.Bssid, bssid, sizeof stored.mode.Bssid);
    stored.mode.Channel = std::uint8_t(channel & 0xFF);
    return stored;
}

std::uint32_t StoredPin(WPS_MODE const& mode)
{
    std::uint32_t value = 0;
    for (char c : mode.PIN) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + std::uint32_t(c - '0');
    }
    return value;
}

std::string WpsAuthText(std::uint32_t auth)
{
    switch (auth) {
    case 1: return "OPEN";
    case 2: return "WPA-PSK";
    case 4: return "SHARED";
    case 8: return "WPA";
    case 16: return "WPA2";
    case 32: return "WPA2-PSK";
    case 34: return "WPA-PSK;WPA2-PSK";
    default: return {};
    }
}

std::string WpsEncrText(std::uint32_t encr)
{
    switch (encr) {
    case 1: return "NONE";
    case 2: return "WEP";
    case 4: return "TKIP";
    case 8: return "AES";
    case 12: return "TKIP;AES";
    default: return {};
    }
}

bool IsWpsCredentialSecured(WPS_CREDENTIAL const& credential)
{
    return !(credential.AuthType == 1 && credential.EncrType == 1);
}

std::string WpsSsidText(WPS_CREDENTIAL const& credential)
{
    auto const* bytes = reinterpret_cast<char const*>(credential.Ssid);
    return std::string(bytes, std::min<std::size_t>(credential.SsidLength, sizeof credential.Ssid));
}

WepKeyForms MakeWepKeyForms(std::string_view key)
{
    WepKeyForms forms;
    forms.hex = std::string(key);
    forms.length = int(key.size());
    if (key.size() == 10 || key.size() == 26) {
        BYTE bytes[13] {};
        std::size_t const n = HexStringToBytes(forms.hex.c_str(), bytes, key.size() / 2);
        forms.ascii.assign(reinterpret_cast<char const*>(bytes), n);
    } else if (key.size() == 5 || key.size() == 13) {
        forms.ascii = std::string(key);
        forms.hex.clear();
        for (unsigned char c : key) {
            char pair[3] {};
            std::snprintf(pair, sizeof pair, "%02X", c);
            forms.hex += pair;
        }
        forms.length = int(key.size()) * 2;
        forms.ascii_available = true;
    }
    return forms;
}

bool IsValidWpsPassphrase(std::string_view key)
{
    if (key.size() >= 8 && key.size() <= 63)
        return true;
    return key.size() == 64 && IsHexString(std::string(key).c_str());
}

namespace {

// The operating system's authentication mode a credential's AuthType stands for.
std::uint32_t os_auth_mode(std::uint32_t auth)
{
    switch (auth) {
    case 2:
    case 34: return 4;
    case 4: return 1;
    case 8: return 3;
    case 16: return 6;
    case 32: return 7;
    default: return 0;
    }
}

// The two encryption states (enabled, key absent) a credential's EncrType stands for.
std::pair<std::uint32_t, std::uint32_t> os_encryption_states(std::uint32_t encr)
{
    switch (encr) {
    case 2: return { 0, 2 };
    case 4:
    case 12: return { 4, 5 };
    case 8: return { 6, 7 };
    default: return { 1, 2 };
    }
}

}

bool IsCredentialConnected(WPS_CREDENTIAL const& credential, WLAN_STATUS const& status)
{
    if (status.Status != VxStatus_Connected)
        return false;
    std::uint32_t const len = std::min<std::uint32_t>(status.Ssid.SsidLength, sizeof status.Ssid.Ssid);
    bool const ssid_ok = len == 0
        || (len == std::min<std::uint32_t>(credential.SsidLength, sizeof credential.Ssid)
            && std::memcmp(status.Ssid.Ssid, credential.Ssid, len) == 0);
    auto const [enabled, absent] = os_encryption_states(credential.EncrType);
    return ssid_ok && status.AuthMode == os_auth_mode(credential.AuthType)
        && (status.EncryptionStatus == enabled || status.EncryptionStatus == absent);
}

}
