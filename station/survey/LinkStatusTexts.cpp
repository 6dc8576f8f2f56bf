#include "station/survey/LinkStatusTexts.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace station::survey {

namespace {

// How many bytes of `text` fit in `limit` without splitting a UTF-8 character.
std::size_t cut_length(std::string const& text, std::size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    std::size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

// The access point's name: up to its terminator, at most the 16 bytes of the field.
std::string ap_name(AP_ADDRESS_RECORD const& ap)
{
    return std::string(ap.Name, ::strnlen(ap.Name, sizeof ap.Name));
}

}

std::string ShortSsid(std::string const& ssid, std::size_t limit)
{
    if (ssid.size() <= limit)
        return ssid;
    return ssid.substr(0, cut_length(ssid, limit)) + "..";
}

std::string ThroughputText(double mbps)
{
    char text[64];
    if (mbps >= 1.0)
        std::snprintf(text, sizeof text, "%.3f Mbps", mbps);
    else
        std::snprintf(text, sizeof text, "%.3f Kbps", mbps * 1000);
    return text;
}

double ThroughputMbps(std::uint32_t current, std::uint32_t previous)
{
    if (current < previous)
        return 0.0;
    return static_cast<double>(current - previous) / 250 / 1000;
}

std::string AuthenticationText(std::uint32_t mode)
{
    switch (mode) {
    case 1: return "Shared";
    case 3: return "WPA";
    case 4: return "WPA-PSK";
    case 5: return "WPA-NONE";
    case 6: return "WPA2";
    case 7: return "WPA2-PSK";
    case 10: return "WAPI-PSK";
    case 11: return "WAPI-CertAuth";
    case 13: return "CCKM";
    default: return "Open";
    }
}

std::string EncryptionText(std::uint32_t status, bool mfp)
{
    std::string const suffix = mfp ? "(MFP)" : "";
    switch (status) {
    case 0: return "WEP";
    case 3: return "WEP Not Supported";
    case 4:
    case 5: return "TKIP" + suffix;
    case 6:
    case 7: return "AES" + suffix;
    case 9: return "SMS4";
    case 10: return "TKIP(MFP)";
    case 11: return "AES(MFP)";
    default: return "NONE";
    }
}

std::string TxPowerText(std::uint32_t percent)
{
    if (percent == 100)
        return "100%";
    if (percent <= 6)
        return "Lowest";
    return std::to_string(percent) + "%";
}

std::string StatusSsid(WLAN_STATUS const& status)
{
    std::size_t const length = std::min<std::size_t>(status.Ssid.SsidLength, sizeof status.Ssid.Ssid);
    return std::string(reinterpret_cast<char const*>(status.Ssid.Ssid), length);
}

std::string BssidText(std::uint8_t const (&b)[6])
{
    char text[24];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4], b[5]);
    return text;
}

std::string AddressText(std::uint8_t const (&a)[4])
{
    char text[20];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", a[0], a[1], a[2], a[3]);
    return text;
}

StatusLines BuildStatusLines(WLAN_STATUS const& status, AP_ADDRESS_RECORD const* ap)
{
    static constexpr std::uint8_t kNoAddress[4] {};
    std::string const ssid = StatusSsid(status);
    std::string const bssid = BssidText(status.Bssid);
    if (!ap || std::memcmp(ap->IpAddress, kNoAddress, 4) == 0)
        return { ShortSsid(ssid, 10) + " <--> " + bssid, "" };
    std::string line2 = "[" + AddressText(ap->IpAddress) + "]";
    std::string const name = ap_name(*ap);
    if (!name.empty())
        line2 += " - (" + name + ")";
    return { ShortSsid(ssid, 3) + " <--> " + bssid + " ", line2 };
}

std::string StatusTip(WLAN_STATUS const& status)
{
    return StatusSsid(status) + " <--> " + BssidText(status.Bssid);
}

std::string FormatOneNumber(std::string const& text, int value)
{
    std::size_t const at = text.find("%d");
    if (at == std::string::npos)
        return text;
    return text.substr(0, at) + std::to_string(value) + text.substr(at + 2);
}

std::string CaptionLiteral(std::string const& text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '%')
            out += '%';
    }
    return out;
}

std::optional<COLORREF> QualityColour(std::uint32_t percent)
{
    if (percent < 35)
        return RGB(255, 0, 0);
    if (percent < 70)
        return RGB(250, 230, 50);
    if (percent <= 100)
        return RGB(0, 255, 0);
    return std::nullopt;
}

}
