#include "station/app/RetryDecision.h"

#include "station/core/Trace.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

bool all_zero(std::uint8_t const (&bytes)[6])
{
    return std::all_of(std::begin(bytes), std::end(bytes), [](std::uint8_t b) { return b == 0; });
}

bool same_ssid(NDIS_802_11_SSID const& a, NDIS_802_11_SSID const& b)
{
    return a.SsidLength == b.SsidLength && std::memcmp(a.Ssid, b.Ssid, sizeof a.Ssid) == 0;
}

// The driver's key-absent state of a cipher the profile enables.
bool same_cipher(std::uint32_t profile, std::uint32_t status)
{
    if (profile == status)
        return true;
    return (profile == ENC_NONE && status == ENC_WEP_KEY_ABSENT) || (profile == ENC_TKIP && status == ENC_TKIP_KEY_ABSENT)
        || (profile == ENC_AES && status == ENC_AES_KEY_ABSENT);
}

}

bool DecideRetry(RetryInputs const& in)
{
    if (!in.wpa_capable)
        return false;
    if (in.status.Status == VxStatus_Disconnected) {
        TraceMsg(TRACE_STEP, "[Kivra] wLanStatus.status is VxStatus_Disconnected, set bRetry as TRUE\n");
        return true;
    }
    if (all_zero(in.status.Bssid))
        return true;
    if (in.profile.SSID.SsidLength != 0 && !same_ssid(in.profile.SSID, in.status.Ssid) && in.digest.bMobilityDomain == 0)
        return true;
    if (in.profile.enumAuthenMode != in.status.AuthMode)
        return true;
    if (same_cipher(in.profile.enumEncryStatus, in.status.EncryptionStatus))
        return false;
    std::uint32_t const p = in.profile.enumEncryStatus;
    return p == ENC_NONE || p == ENC_TKIP || p == ENC_AES;
}
