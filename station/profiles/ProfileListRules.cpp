#include "station/profiles/ProfileListRules.h"

#include "station/core/UiStr.h"
#include "wlan/profile/ProfileCodes.h"
#include "wlan/profile/ProfileFields.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace station::profiles {

namespace {

template<std::size_t N>
std::string const& text_of(std::array<std::string, N> const& table, std::uint32_t code)
{
    return table[code < N ? code : 0];
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The number at the start of `text` as atoi reads it (white space, a sign, digits); nullopt
// when none is there or it does not fit an int.
std::optional<int> leading_number(std::string const& text)
{
    char const* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    long const value = std::strtol(start, &end, 10);
    if (end == start || errno == ERANGE || value > INT_MAX || value < INT_MIN)
        return std::nullopt;
    return int(value);
}

std::string trim(std::string const& text)
{
    auto const first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool contains(std::string const& text, char const* part) { return text.find(part) != std::string::npos; }

}

ProfileTexts ProfileTexts::FromUiStrings()
{
    auto const& s = G_UiStr;
    ProfileTexts t;
    t.network = { s.IDS_ADHOC, s.IDS_INFRA, s.IDS_AUTO };
    t.auth = { s.IDS_OPENSYSTEM, s.IDS_SHARED, "", s.IDS_WPA, s.IDS_WPAPSK, s.IDS_WPANONE, s.IDS_WPA2, s.IDS_WPA2PSK, "", "",
        s.IDS_WAPIPSK, s.IDS_WAPICA, "", s.IDS_CCKM, s.IDS_CCX };
    t.cipher = { s.IDS_WEP, s.IDS_NONE, "", "", s.IDS_TKIP, "", s.IDS_AES, "", "", s.IDS_SMS4, s.IDS_TKIP_MFP, s.IDS_AES_MFP };
    t.cam = s.IDS_SYS_CAM;
    t.psm = s.IDS_SYS_PSM;
    return t;
}

int NetworkIndex(std::uint32_t stored) { return stored <= 2 ? int(stored) : 1; }

ProfileDetail DescribeProfile(WLANPROFILE const& p, ProfileTexts const& texts, int adhoc_channel)
{
    ProfileDetail d;
    int const network = NetworkIndex(p.enumNetworkType);
    d.name = wlan::profile::name_of(p);
    d.ssid = wlan::profile::read_ssid(p);
    d.network = texts.network[std::size_t(network)];
    d.auth = text_of(texts.auth, p.enumAuthenMode);
    d.cipher = text_of(texts.cipher, p.enumEncryStatus);
    d.dot1x = p.b8021X ? "YES" : "NO";
    d.tx_power = wlan::profile::tx_power_text(p.lTxPower);
    d.channel = network == 0 ? std::to_string(adhoc_channel) : "Auto";
    bool const adhoc_text = d.network == texts.network[0];
    d.power_save = adhoc_text ? "n/a" : wlan::profile::power_save_mode(p.enumPSMode) ? texts.psm : texts.cam;
    d.rts = p.bUseRTSThre ? std::to_string(p.lRtsThre) : "n/a";
    d.frag = p.bUseFragThre ? std::to_string(p.lFragThre) : "n/a";
    return d;
}

std::string ShortText(std::string const& text)
{
    constexpr std::size_t kLongFrom = 15;
    constexpr std::size_t kKept = 13;
    return text.size() >= kLongFrom ? text.substr(0, kKept) + ".." : text;
}

std::string DefaultProfileName(std::vector<std::string> const& names, std::string const& prefix)
{
    std::string const wanted = upper(prefix);
    int highest = 0;
    for (auto const& name : names) {
        std::string const converted = upper(name);
        if (converted.compare(0, wanted.size(), wanted) != 0)
            continue;
        if (auto const n = leading_number(converted.substr(wanted.size())); n && *n > highest)
            highest = *n;
    }
    // One above INT_MAX has no int: the highest stays as it is then.
    int const next = highest < INT_MAX ? highest + 1 : highest;
    return trim(prefix + std::to_string(next));
}

bool ActivateEnabled(ActivateInputs const& in)
{
    if (in.win_os >= 12 && in.op_mode != 0 && in.network_index == 0)
        return false;
    if (in.wpa_capable || in.allowed)
        return true;
    return !contains(in.dot1x, "YES") && !contains(in.auth, "WPA-PSK") && !contains(in.auth, "WPA2-PSK")
        && !contains(in.auth, "LEAP");
}

std::string LinkSsid(WLAN_STATUS const& link)
{
    std::size_t const len = std::min<std::size_t>(link.Ssid.SsidLength, sizeof link.Ssid.Ssid);
    return std::string(reinterpret_cast<char const*>(link.Ssid.Ssid), len);
}

int DeleteFlag(std::string const& row_ssid, std::string const& row_name, WLAN_STATUS const& link, std::string const& active_name)
{
    return row_ssid == LinkSsid(link) && !wlan::profile::same_name(row_name, active_name) ? 1 : 0;
}

std::optional<int> LinkMark(WLAN_STATUS const& link, bool wps_flag, bool active_profile, std::string const& row_ssid)
{
    bool const zero_bssid = std::all_of(std::begin(link.Bssid), std::end(link.Bssid), [](std::uint8_t b) { return b == 0; });
    if (link.Status != VxStatus_Connected || zero_bssid || !active_profile || wps_flag)
        return 1;
    if (!row_ssid.empty() && row_ssid != LinkSsid(link))
        return 1;
    return std::nullopt;
}

int ProfileMark(bool adhoc, int profile_channel, int link_channel)
{
    return !adhoc || profile_channel == link_channel ? 0 : 1;
}

}
