// The profile page's decisions that need no window: the detail panel's texts of a record, the
// shortened texts, the name proposed for a new profile, whether Activate is offered, the
// delete flag and the active row's mark. The page feeds them what the library answered.
#pragma once

#include "wlan/api/Profile.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace station::profiles {

// The texts the panel shows for the record's codes, indexed by code.
struct ProfileTexts {
    std::array<std::string, 3> network;  // ad hoc, infrastructure, auto
    std::array<std::string, 15> auth;    // authentication codes 0..14 (unassigned ones empty)
    std::array<std::string, 12> cipher;  // cipher codes 0..11
    std::string cam;                     // power save 0
    std::string psm;                     // power save 1

    // From the user-interface string table.
    static ProfileTexts FromUiStrings();
};

// The eleven values of the detail panel, in the order of its controls.
struct ProfileDetail {
    std::string name;
    std::string ssid;
    std::string network;
    std::string auth;
    std::string cipher;
    std::string dot1x;
    std::string tx_power;
    std::string channel;
    std::string power_save;
    std::string rts;
    std::string frag;
};

// `adhoc_channel` is the channel number of the record's lFreq (asked only for ad hoc records).
// Codes outside the tables show code 0's text; a network type past the table shows as
// infrastructure.
ProfileDetail DescribeProfile(WLANPROFILE const& p, ProfileTexts const& texts, int adhoc_channel);
// The network-type index the texts and images use: 0, 1 or 2, anything else 1.
int NetworkIndex(std::uint32_t stored);

// A text of 15 characters or more is shown as its first 13 and "..".
std::string ShortText(std::string const& text);

// `prefix` followed by one more than the highest number that follows `prefix` (compared
// without regard to case) at the start of any of `names`; numbers that do not fit an int are
// skipped.
std::string DefaultProfileName(std::vector<std::string> const& names, std::string const& prefix);

struct ActivateInputs {
    bool allowed;          // the user may change profiles
    int win_os;            // the library's system code
    int op_mode;           // VXWL_QueryOPMode
    int network_index;     // 0 ad hoc
    bool wpa_capable;      // VXWL_IsWpaCapable
    std::string dot1x;     // the panel's 802.1X value
    std::string auth;      // the panel's authentication value
};
bool ActivateEnabled(ActivateInputs const& in);

// The SSID of the link's status record, its length clamped to the array.
std::string LinkSsid(WLAN_STATUS const& link);

// VXWL_DeleteProfile's flag: 1 when the row's network is the link's and the row is not the
// library's active profile (names compared without regard to case).
int DeleteFlag(std::string const& row_ssid, std::string const& row_name, WLAN_STATUS const& link,
    std::string const& active_name);

// The active row's mark when the link alone decides it (1: active but not connected), else
// nullopt and the profile decides with ProfileMark.
std::optional<int> LinkMark(WLAN_STATUS const& link, bool wps_flag, bool active_profile, std::string const& row_ssid);
// Infrastructure: connected (0). Ad hoc: connected when the profile's channel is the link's.
int ProfileMark(bool adhoc, int profile_channel, int link_channel);

}
