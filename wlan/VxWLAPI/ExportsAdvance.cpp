// Exports of the advanced settings: the stored record and the applied one, what the adapter
// offers (bands, 40 MHz, regions, antennas, TDLS), the scan list flush, and the system's own
// connection call with its conversions to the 802.11 values.
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"
#include "wlan/sim/Store.h"

#include <algorithm>
#include <cstring>
#include <string>

using wlan::sim::World;
using wlan::vxwl::Library;

namespace {

constexpr char kAdvanceKey[] = "advance_cfg";

// 1 when the world's flag is set.
int world_flag(bool wlan::sim::WorldSpec::*flag)
{
    return Library::get().with_world([&](World& w, std::uint64_t) { return w.spec().*flag ? 1 : 0; });
}

bool may_set_advance()
{
    return Library::get().with_world([](World& w, std::uint64_t) { return w.may_set_advance(); });
}

// The 802.11 values of the system's connection calls.
enum : int { DOT11_AUTH_OPEN = 1, DOT11_AUTH_SHARED_KEY = 2 };
enum : int { DOT11_CIPHER_NONE = 0, DOT11_CIPHER_TKIP = 2, DOT11_CIPHER_CCMP = 4, DOT11_CIPHER_WEP = 0x101 };
enum : int { DOT11_BSS_INFRASTRUCTURE = 1, DOT11_BSS_INDEPENDENT = 2, DOT11_BSS_ANY = 3 };

struct Pair {
    int from;
    int to;
};

// One to one: `value` found in `table` gives its partner; anything else fails.
template<std::size_t N>
int convert(Pair const (&table)[N], int value, int* result)
{
    if (!result)
        return VXWL_ERROR_FAIL;
    for (Pair const& p : table) {
        if (p.from == value) {
            *result = p.to;
            return VXWL_ERROR_SUCCESS;
        }
    }
    return VXWL_ERROR_FAIL;
}

}

// [SECTION] the stored and the applied settings

VXWL_API int VXWL_WriteAdvanceCfgData(ADVANCE_CONFIG_DATA config)
{
    if (!may_set_advance())
        return 0;
    return Library::get().store().write_record(kAdvanceKey, config) ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

// Answers 0 until the settings were first stored.
VXWL_API int VXWL_ReadConfigData(ADVANCE_CONFIG_DATA* config)
{
    if (!config)
        return 0;
    auto stored = Library::get().store().read_record<ADVANCE_CONFIG_DATA>(kAdvanceKey);
    if (!stored)
        return 0;
    *config = *stored;
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_SetAdvanceSetting(ADVANCE_OID setting)
{
    return Library::get().with_world([&](World& w, std::uint64_t) {
        if (!w.may_set_advance())
            return 0;
        w.apply_advance(setting);
        return VXWL_ERROR_SUCCESS;
    });
}

VXWL_API int VXWL_IsAllowStandardUserSetAdvance(void)
{
    return world_flag(&wlan::sim::WorldSpec::allow_standard_user_advance);
}

// [SECTION] what the adapter offers

VXWL_API int VXWL_QueryCountryRegion(VXWL_U32* region_word, VXWL_U32* band5_flag, VXWL_U32* band24_flag)
{
    if (!region_word || !band5_flag || !band24_flag)
        return VXWL_ERROR_FAIL;
    return Library::get().with_world([&](World& w, std::uint64_t) {
        *region_word = w.region_word();
        *band5_flag = w.spec().region5_selectable ? 1 : 0;
        *band24_flag = w.spec().region24_selectable ? 1 : 0;
        return VXWL_ERROR_SUCCESS;
    });
}

VXWL_API int VXWL_GetMaxCountryRegion(VXWL_U32* max24, VXWL_U32* max5)
{
    if (!max24 || !max5)
        return VXWL_ERROR_FAIL;
    return Library::get().with_world([&](World& w, std::uint64_t) {
        *max24 = VXWL_U32(w.spec().region24_max);
        *max5 = VXWL_U32(w.spec().region5_max);
        return VXWL_ERROR_SUCCESS;
    });
}

VXWL_API int VXWL_Is80211ASupport(void) { return world_flag(&wlan::sim::WorldSpec::supports_11a); }
VXWL_API int VXWL_CheckIfAllowBW40InBGBand(void) { return world_flag(&wlan::sim::WorldSpec::bw40_24); }
VXWL_API int VXWL_CheckIfAllowBW40InABand(void) { return world_flag(&wlan::sim::WorldSpec::bw40_5); }
VXWL_API int VXWL_IsSupportTDLS(void) { return world_flag(&wlan::sim::WorldSpec::tdls); }

VXWL_API int VXWL_QueryAntennaNumber(int* count)
{
    if (!count)
        return VXWL_ERROR_FAIL;
    return Library::get().with_world([&](World& w, std::uint64_t) {
        auto word = w.antenna_word();
        if (!word)
            return VXWL_ERROR_FAIL;
        *count = int(*word);
        return VXWL_ERROR_SUCCESS;
    });
}

// [SECTION] the scan list and the system's connection

// The driver forgets what it heard; the next scan fills the list again.
VXWL_API int VXWL_FlushBSSIDList(int from_mode, int to_mode)
{
    (void)from_mode;
    (void)to_mode;
    Library::get().with_world([](World& w, std::uint64_t) { w.flush_scan_list(); });
    return VXWL_ERROR_SUCCESS;
}

// Joins with the profile the system stored under `profile`; without one, an open network of
// `ssid` of the given network type.
VXWL_API int VXWL_WlanConnect(const char* profile, int network_type, NDIS_802_11_SSID ssid, int connect_mode, int auth,
    int encryption)
{
    (void)connect_mode;
    (void)auth;
    (void)encryption;
    std::string const name = profile ? std::string(profile, ::strnlen(profile, PROFILE_NAME_SIZE)) : std::string();
    return Library::get().with_world([&](World& w, std::uint64_t now) {
        auto record = w.os_profile(name);
        if (!record) {
            WLANPROFILE open {};
            open.SSID.SsidLength = std::min<std::uint32_t>(ssid.SsidLength, sizeof ssid.Ssid);
            std::memcpy(open.SSID.Ssid, ssid.Ssid, open.SSID.SsidLength);
            std::memcpy(open.strProfileName, name.data(), std::min(name.size(), sizeof open.strProfileName - 1));
            open.enumNetworkType = network_type == DOT11_BSS_INDEPENDENT ? 0 : 1;
            open.enumAuthenMode = AUTH_OPEN;
            open.enumEncryStatus = ENC_NONE;
            record = open;
        }
        w.connect(*record, now);
        return VXWL_ERROR_SUCCESS;
    });
}

// Open system and auto switch (which tries open first) are open; the WPA family keeps its
// numbers.
VXWL_API int VXWL_WlanConvertNdis2Dot11AuthType(int value, int* result)
{
    static constexpr Pair kTable[] = { { AUTH_OPEN, DOT11_AUTH_OPEN }, { AUTH_SHARED, DOT11_AUTH_SHARED_KEY },
        { 2, DOT11_AUTH_OPEN }, { AUTH_WPA, 3 }, { AUTH_WPA_PSK, 4 }, { AUTH_WPA_NONE, 5 }, { AUTH_WPA2, 6 },
        { AUTH_WPA2_PSK, 7 } };
    return convert(kTable, value, result);
}

VXWL_API int VXWL_WlanConvertNdis2Dot11EncryptType(int value, int* result)
{
    static constexpr Pair kTable[] = { { ENC_WEP, DOT11_CIPHER_WEP }, { ENC_NONE, DOT11_CIPHER_NONE },
        { ENC_TKIP, DOT11_CIPHER_TKIP }, { ENC_AES, DOT11_CIPHER_CCMP } };
    return convert(kTable, value, result);
}

VXWL_API int VXWL_WlanConvertNdis2Dot11NetworkType(int value, int* result)
{
    static constexpr Pair kTable[] = { { 0, DOT11_BSS_INDEPENDENT }, { 1, DOT11_BSS_INFRASTRUCTURE }, { 2, DOT11_BSS_ANY } };
    return convert(kTable, value, result);
}

VXWL_CHECK_TYPE(WriteAdvanceCfgData);
VXWL_CHECK_TYPE(ReadConfigData);
VXWL_CHECK_TYPE(SetAdvanceSetting);
VXWL_CHECK_TYPE(IsAllowStandardUserSetAdvance);
VXWL_CHECK_TYPE(QueryCountryRegion);
VXWL_CHECK_TYPE(GetMaxCountryRegion);
VXWL_CHECK_TYPE(Is80211ASupport);
VXWL_CHECK_TYPE(CheckIfAllowBW40InBGBand);
VXWL_CHECK_TYPE(CheckIfAllowBW40InABand);
VXWL_CHECK_TYPE(IsSupportTDLS);
VXWL_CHECK_TYPE(QueryAntennaNumber);
VXWL_CHECK_TYPE(FlushBSSIDList);
VXWL_CHECK_TYPE(WlanConnect);
VXWL_CHECK_TYPE(WlanConvertNdis2Dot11AuthType);
VXWL_CHECK_TYPE(WlanConvertNdis2Dot11EncryptType);
VXWL_CHECK_TYPE(WlanConvertNdis2Dot11NetworkType);
