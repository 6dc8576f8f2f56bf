// The CCX page's options and the CCX2_CONTROL word: what the boxes show of a stored word, the
// word written over the stored one, the fast-roaming switch handed to the driver with it, and
// the record of the diagnostic channel's profile.
#pragma once

#include "platform/user/Types.h"
#include "wlan/api/Profile.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The boxes and the measurement time limit of the CCX page.
struct CCX_PAGE_OPTIONS {
    BOOL bEnable {};
    BOOL bCCKM {};
    BOOL bRM {};
    BOOL bDCRM {};
    BOOL bNetworkEAP {};
    BOOL bCAC {};
    BOOL bRotateProfile {};
    BOOL bMFP {};
    BOOL bRFRoam {};
    BOOL bVoiceRate {};
    unsigned nTimeLimit { 250 };
};

// Every box and the limit from their bits.
CCX_PAGE_OPTIONS CcxOptionsFromWord(std::uint32_t word);

// The word the page stores over `read_word`. CCX on rewrites the option bits, the time limit
// (masked to 10 bits) and the voice rate from the boxes, the non-serving-channel measurement
// only with radio measurement on; fast roaming, its threshold and bits 29-31 stay as read. CCX
// off clears the CCX option bits (0-4, 6, 7, 26, 27) and keeps the rest. Either way the
// non-serving-channel box is cleared where the word does not carry it.
std::uint32_t CcxWordFromOptions(std::uint32_t read_word, CCX_PAGE_OPTIONS& options);

// The switch of VXWL_SetCCXInfo: 0 when the active profile is bound to its BSSID, else 1 (no
// active profile included).
int ActiveProfileFastRoamingSwitch();

// The SSID and profile name of the diagnostic test's network.
inline constexpr char kDiagnosticChannel[] = "Diagnostic Channel";

// Whether an SSID names the diagnostic channel (compared without case).
bool IsDiagnosticChannelSsid(std::string const& ssid);

// The open infrastructure profile of the diagnostic channel, with the diagnostic option on.
WLANPROFILE DiagnosticChannelProfile();

// The name as the library's S64 start takes it: UTF-16 in a buffer of 1024 units, cut to 1023
// units and terminated (an invalid byte becomes U+FFFD; a pair is never cut in half).
inline constexpr std::size_t kS64NameUnits = 1024;
void S64NameOf(std::string const& name, char16_t (&out)[kS64NameUnits]);
