#include "station/features/CcxWord.h"

#include "station/core/AdvanceSettings.h"
#include "station/core/VxWlLib.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr std::uint32_t kTimeLimitMask = 1023;
// The option bits CCX off clears.
constexpr std::uint32_t kCcxOffClears = CCX2_ENABLE | CCX2_CCKM_ENABLE | CCX2_RM_ENABLE | CCX2_DCRM_ENABLE
    | CCX2_CAC_ENABLE | CCX2_NETWORK_EAP | CCX2_ROTATE_PROFILE | CCX2_MFP | CCX2_RF_ROAM;

BOOL bit(std::uint32_t flags, std::uint32_t mask) { return (flags & mask) ? TRUE : FALSE; }

}

CCX_PAGE_OPTIONS CcxOptionsFromWord(std::uint32_t word)
{
    CCX2_CONTROL const c = UnpackCcx2Control(word);
    CCX_PAGE_OPTIONS o;
    o.bEnable = bit(c.Flags, CCX2_ENABLE);
    o.bCCKM = bit(c.Flags, CCX2_CCKM_ENABLE);
    o.bRM = bit(c.Flags, CCX2_RM_ENABLE);
    o.bDCRM = bit(c.Flags, CCX2_DCRM_ENABLE);
    o.bCAC = bit(c.Flags, CCX2_CAC_ENABLE);
    o.bNetworkEAP = bit(c.Flags, CCX2_NETWORK_EAP);
    o.bRotateProfile = bit(c.Flags, CCX2_ROTATE_PROFILE);
    o.bMFP = bit(c.Flags, CCX2_MFP);
    o.bRFRoam = bit(c.Flags, CCX2_RF_ROAM);
    o.bVoiceRate = bit(c.Flags, CCX2_VOICE_RATE);
    o.nTimeLimit = c.TuLimit;
    return o;
}

std::uint32_t CcxWordFromOptions(std::uint32_t read_word, CCX_PAGE_OPTIONS& options)
{
    CCX2_CONTROL c = UnpackCcx2Control(read_word);
    if (!options.bEnable) {
        options.bDCRM = FALSE;
        c.Flags &= ~kCcxOffClears;
        return PackCcx2Control(c);
    }
    if (!options.bRM)
        options.bDCRM = FALSE;
    std::uint32_t flags = c.Flags & CCX2_FAST_ROAM;
    auto set = [&](BOOL box, std::uint32_t mask) {
        if (box)
            flags |= mask;
    };
    flags |= CCX2_ENABLE;
    set(options.bCCKM, CCX2_CCKM_ENABLE);
    set(options.bRM, CCX2_RM_ENABLE);
    set(options.bDCRM, CCX2_DCRM_ENABLE);
    set(options.bNetworkEAP, CCX2_NETWORK_EAP);
    set(options.bCAC, CCX2_CAC_ENABLE);
    set(options.bRotateProfile, CCX2_ROTATE_PROFILE);
    set(options.bMFP, CCX2_MFP);
    set(options.bRFRoam, CCX2_RF_ROAM);
    set(options.bVoiceRate == 1, CCX2_VOICE_RATE);
    c.Flags = flags;
    c.TuLimit = options.nTimeLimit & kTimeLimitMask;
    return PackCcx2Control(c);
}

int ActiveProfileFastRoamingSwitch()
{
    char name[128] {};
    G_VxWlLib.VXWL_ReadActiveProfileName(name);
    if (name[0] == '\0')
        return 1;
    WLANPROFILE profile {};
    G_VxWlLib.VXWL_ReadProfileData(&profile, name);
    return profile.bBssid == 1 ? 0 : 1;
}

bool IsDiagnosticChannelSsid(std::string const& ssid)
{
    std::string_view const wanted = kDiagnosticChannel;
    return std::equal(ssid.begin(), ssid.end(), wanted.begin(), wanted.end(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); });
}

WLANPROFILE DiagnosticChannelProfile()
{
    WLANPROFILE p {};
    std::size_t const length = sizeof kDiagnosticChannel - 1;
    std::memcpy(p.SSID.Ssid, kDiagnosticChannel, length);
    p.SSID.SsidLength = length;
    std::memcpy(p.strProfileName, kDiagnosticChannel, length);
    p.enumNetworkType = 1;
    p.lRtsThre = 2347;
    p.lFragThre = 2346;
    p.enumAuthenMode = AUTH_OPEN;
    p.enumEncryStatus = ENC_NONE;
    p.bUseDiagnostic = 1;
    return p;
}

void S64NameOf(std::string const& name, char16_t (&out)[kS64NameUnits])
{
    std::fill(std::begin(out), std::end(out), u'\0');
    std::size_t units = 0;
    auto put = [&](char32_t c) {
        std::size_t const need = c >= 0x10000 ? 2 : 1;
        if (units + need > kS64NameUnits - 1)
            return false;
        if (need == 2) {
            out[units++] = char16_t(0xD800 + ((c - 0x10000) >> 10));
            out[units++] = char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out[units++] = char16_t(c);
        }
        return true;
    };
    auto const* p = reinterpret_cast<unsigned char const*>(name.data());
    std::size_t const n = name.size();
    for (std::size_t i = 0; i < n;) {
        unsigned char const b = p[i];
        std::size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool valid = len != 0 && i + len <= n;
        for (std::size_t k = 1; valid && k < len; ++k) {
            valid = (p[i + k] & 0xC0) == 0x80;
            c = (c << 6) | (p[i + k] & 0x3F);
        }
        valid = valid && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000)
            && !(len == 2 && c < 0x80) && !(len == 3 && c < 0x800) && !(len == 4 && c < 0x10000);
        if (!put(valid ? c : 0xFFFD))
            return;
        i += valid ? len : 1;
    }
}
