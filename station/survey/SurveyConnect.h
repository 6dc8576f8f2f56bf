// The site survey's connection profile, window-free: the settings a connection to a scanned
// network waits on (filled by the security editor's OK, or left at their reset values for an
// open network), and the record that LoadProfile builds from them and the chosen entry, with
// the steps the page takes after it. The page feeds in what it asked the library (WPA
// capability, system code, administrator, power-save mode) so the whole decision is a table.
#pragma once

#include "station/core/EapSettingData.h"
#include "station/core/SecurityHandOver.h"
#include "wlan/api/Profile.h"
#include "wlan/api/Records.h"

#include <array>
#include <cstdint>
#include <string>

namespace station::survey {

// The pending settings of a connection from the site survey page.
struct PendingSecurity {
    // Authentication mode and encryption in the profile's coding.
    std::uint32_t nAuthenMode { AUTH_OPEN };
    std::uint32_t nEncryStatus { ENC_NONE };
    EAP_SETTING_DATA eap;
    // The security editor's list indexes (SecurityHandOver.h).
    int nAuthIndex {};
    int nEncryIndex {};
    int nDefaultKey {};
    std::array<int, SECURITY_HAND_OVER::kWepKeys> nKeyType {};
    int nPskKeyType {};
    int b8021X {};
    // The profile is locked to the BSSID, or goes by SSID only.
    int bLockedToBssid {};
    int bSsidOnly {};
    std::string strPskKey;
    std::string strWAPIUserCert;
    std::string strWAPIASCert;
    std::array<std::array<char, SECURITY_HAND_OVER::kWepKeySize>, SECURITY_HAND_OVER::kWepKeys> WEPKey {};
    std::array<std::uint8_t, 6> bssid {};

    // ResetSecuritySettings: indexes, flags, key texts, key types and certificate paths back to
    // zero or empty and the 802.1X block to its defaults. Mode, encryption, the lock flags and
    // the BSSID are the next LoadProfile's.
    void Reset();
};

// The security editor's OK: its hand-over copied into the pending settings, in the window's
// order and under its conditions (802.1X block only where 802.1X applies, WEP keys only for
// WEP without another EAP method, the pre-shared key for the PSK-family indexes).
void TakeHandOver(PendingSecurity& pending, SECURITY_HAND_OVER const& editor, bool wpa_capable);

// What LoadProfile reads besides the pending settings.
struct ConnectInput {
    NDIS_WLAN_BSSID_EX const* entry {};
    int nWPA {};
    bool hidden {};
    bool wpa_capable { true };
    int win_os { 12 };
    bool admin { true };
    std::uint32_t ps_mode {};
};

// What the page does once the record is built.
struct ConnectPlan {
    bool ok {};
    // Why nothing is queued, for the trace; empty when ok.
    std::string refusal;
    // EAP-FAST on newer systems: the system's EAP configuration window fills the record's
    // blob first, and the action is queued when it reports back.
    bool eap_config_ui {};
    bool reset_settings {};
    bool queue_now {};
};

// The blob capacity handed to the EAP configuration window.
constexpr std::uint32_t kEapFastBlobCapacity = sizeof(WLANPROFILE::pEapFastConfigBlob);

// Fills `record` (zeroed by the caller at each Connect) from the entry and the pending
// settings, and sets the pending mode, encryption, lock flags and BSSID; `holder` is the SSID
// holder, which keeps a hidden network's typed name and takes a visible one's. A field that
// would not fit refuses the whole attempt: record, pending settings and holder are then left
// as they were.
ConnectPlan BuildSurveyProfile(ConnectInput const& in, PendingSecurity& pending, NDIS_802_11_SSID& holder,
    WLANPROFILE& record);

// The cipher text of a digest's encryption bits: "NONE" without any, else the pieces "WEP",
// "TKIP", "AES", "SMS4" joined by "+".
std::string CipherText(std::uint32_t encryption);

}
