// Exports of the stored configuration, the channel plan, access control and the hosted network.
#include "wlan/VxAPAPI/Export.h"

#include "wlan/sim/ApChannels.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using wlan::sim::World;
using wlan::vxap::host;
using wlan::vxap::log_call;
using wlan::vxap::stored_config;

namespace {

constexpr std::size_t kChannelArray = 32;

ApOptionData options_of(ApConfigData const& c)
{
    ApOptionData o {};
    o.bTxBurst = c.bTxBurst;
    o.bTurboRate = c.bTurboRate;
    o.bNoForwarding = c.bNoForwarding;
    o.bHideSsid = c.bHideSsid;
    o.nBGProtection = c.nBGProtection;
    o.bShortSlot = c.bShortSlot;
    o.nIdleTime = std::uint16_t(c.nIdleTime);
    o.RadiusServerIp = c.Security.RadiusServerIp;
    o.nRadiusPort = c.Security.nRadiusPort;
    std::memcpy(o.RadiusKey, c.Security.RadiusKey, sizeof o.RadiusKey);
    o.nRekeyMethod = c.Security.nRekeyMethod;
    o.nRekeyInterval = c.Security.nRekeyInterval;
    return o;
}

void copy_channels(std::vector<std::uint8_t> const& channels, std::uint8_t* out, int* count)
{
    std::size_t const n = std::min(channels.size(), kChannelArray);
    if (out && n > 0)
        std::memcpy(out, channels.data(), n);
    if (count)
        *count = int(n);
}

// 8 to 63 printable characters, or 64 hexadecimal digits.
bool valid_psk(EXTAP_CONFIG_DATA const& c)
{
    std::size_t const length = std::min<std::size_t>(c.KeyLength, sizeof c.Key);
    std::string const key(c.Key, ::strnlen(c.Key, length));
    if (key.size() != c.KeyLength)
        return false;
    if (key.size() == 64)
        return std::all_of(key.begin(), key.end(), [](unsigned char ch) { return std::isxdigit(ch); });
    return key.size() >= 8 && key.size() <= 63
        && std::all_of(key.begin(), key.end(), [](unsigned char ch) { return ch >= 0x20 && ch < 0x7F; });
}

}

// [SECTION] configuration

VXAP_API int VXAP_ReadConfigData(ApConfigData* config)
{
    if (!config)
        return 0;
    auto& h = host();
    *config = h.with_world([&](World& w, std::uint64_t) { return stored_config(w, h.store()); });
    return 1;
}

VXAP_API int VXAP_GetAPDefault(ApConfigData* config)
{
    if (!config)
        return 0;
    *config = host().with_world([](World& w, std::uint64_t) {
        return wlan::sim::default_ap_config(w.spec().supports_11n, w.spec().region24, w.spec().region5);
    });
    return 1;
}

// A name longer than its field is refused whole: nothing is stored or applied.
VXAP_API int VXAP_WriteandSetConfigData(ApConfigData config, ApOptionData options)
{
    log_call("WriteandSetConfigData", &config, sizeof config, &options, sizeof options);
    if (config.SsidLen > AP_SSID_MAX)
        return 0;
    if (!host().store().write_record("ap_config", config))
        return 0;
    host().with_world([&](World& w, std::uint64_t now) { w.softap_apply_config(config, now); });
    return 1;
}

VXAP_API int VXAP_SetConfigData(ApConfigData* config, ApOptionData* options)
{
    if (!config)
        return 0;
    log_call("SetConfigData", config, sizeof *config);
    if (config->SsidLen > AP_SSID_MAX)
        return 0;
    if (options)
        *options = options_of(*config);
    host().with_world([&](World& w, std::uint64_t now) { w.softap_apply_config(*config, now); });
    return 1;
}

// The driver's mode is the applied configuration's; before one is applied, the stored one's.
VXAP_API int VXAP_QueryAuthMode(VXAP_U32* mode)
{
    if (!mode)
        return 0;
    auto& h = host();
    *mode = h.with_world([&](World& w, std::uint64_t) {
        auto const* applied = w.softap_config();
        return applied ? applied->Security.AuthenMode : stored_config(w, h.store()).Security.AuthenMode;
    });
    return 1;
}

VXAP_API int VXAP_ReadAuthMode(VXAP_U32* mode)
{
    if (!mode)
        return 0;
    auto& h = host();
    *mode = h.with_world([&](World& w, std::uint64_t) { return stored_config(w, h.store()).Security.AuthenMode; });
    return 1;
}

VXAP_API int VXAP_SetAuthSecuKey(ApSecurity* security, const std::uint8_t* ssid, VXAP_U32 ssid_length)
{
    if (!security || !ssid || ssid_length > AP_SSID_MAX)
        return 0;
    log_call("SetAuthSecuKey", security, sizeof *security, ssid, ssid_length);
    return 1;
}

// [SECTION] channel plan

VXAP_API int VXAP_QueryCountryRegion(VXAP_U32* region_word, VXAP_U32* band5_selectable, VXAP_U32* band24_selectable)
{
    return host().with_world([&](World& w, std::uint64_t) {
        auto const& s = w.spec();
        if (region_word)
            *region_word = VXAP_U32((s.region24_max & 0xFF) << 16) | VXAP_U32((s.region5_max & 0xFF) << 24);
        if (band5_selectable)
            *band5_selectable = s.region5_selectable ? 1 : 0;
        if (band24_selectable)
            *band24_selectable = s.region24_selectable ? 1 : 0;
        return 1;
    });
}

VXAP_API int VXAP_GetCountryChannel(std::uint8_t* channels5, std::uint8_t* channels24, int* count24, int* count5,
    int region24, int region5)
{
    return host().with_world([&](World& w, std::uint64_t) {
        auto const* adapter = w.selected_adapter();
        int const model = adapter ? adapter->device_model : -1;
        copy_channels(wlan::sim::ap_channels_24(w.spec(), region24), channels24, count24);
        copy_channels(wlan::sim::ap_channels_5(w.spec(), model, region5), channels5, count5);
        return 1;
    });
}

VXAP_API int VXAP_GetSideBandParaFromE2PROM_BG(int* value)
{
    if (!value)
        return 0;
    *value = host().with_world([](World& w, std::uint64_t) { return w.spec().sideband_bg; });
    return 1;
}

// Clears the bit of each band (0: 2.4 GHz, 1: 5 GHz) where 40 MHz is not allowed.
VXAP_API int VXAP_CheckAllowBW40ForBand(VXAP_U32* bands)
{
    if (!bands)
        return 0;
    host().with_world([&](World& w, std::uint64_t) {
        if (!w.spec().bw40_24)
            *bands &= ~1u;
        if (!w.spec().bw40_5)
            *bands &= ~2u;
    });
    return 1;
}

// [SECTION] access control

VXAP_API int VXAP_ReadAccessPolicy(char* text)
{
    if (!text)
        return 0;
    auto const policy = host().store().read_text("ap_acl_policy").value_or("0");
    std::snprintf(text, AP_ACL_TEXT_SIZE, "%s", policy.c_str());
    return 1;
}

// The stored list, cut so that it always ends with an empty entry inside the 1024 bytes.
VXAP_API int VXAP_ReadAccessList(char* text)
{
    if (!text)
        return 0;
    auto const list = host().store().read("ap_acl_list").value_or(std::vector<std::uint8_t> {});
    std::size_t const n = std::min(list.size(), AP_ACL_TEXT_SIZE - 2);
    if (n > 0)
        std::memcpy(text, list.data(), n);
    text[n] = '\0';
    text[n + 1] = '\0';
    return 1;
}

VXAP_API int VXAP_WriteAccessPolicy(int policy)
{
    log_call("WriteAccessPolicy", &policy, sizeof policy);
    if (policy < 0 || policy > 2)
        return 0;
    return host().store().write_text("ap_acl_policy", std::to_string(policy)) ? 1 : 0;
}

VXAP_API int VXAP_WriteAccessList(const char* text, int length)
{
    if (!text || length < 1 || std::size_t(length) > AP_ACL_TEXT_SIZE)
        return 0;
    log_call("WriteAccessList", text, std::size_t(length));
    auto const* bytes = reinterpret_cast<std::uint8_t const*>(text);
    return host().store().write("ap_acl_list", std::vector<std::uint8_t>(bytes, bytes + length)) ? 1 : 0;
}

VXAP_API int VXAP_Set80211ACL(AccessControlList* list)
{
    if (!list)
        return 0;
    log_call("Set80211ACL", list, sizeof *list);
    if (list->Policy > AP_ACL_REJECT_LISTED || list->Count > AP_ACL_ENTRIES)
        return 0;
    host().with_world([&](World& w, std::uint64_t now) { w.softap_apply_acl(*list, now); });
    return 1;
}

// [SECTION] hosted network and the system's profiles

// One hosted-network record for both programs, under the station library's key.
VXAP_API int VXAP_ReadExtAPConfig(EXTAP_CONFIG_DATA* config)
{
    if (!config)
        return 0;
    auto stored = host().store().read_record<EXTAP_CONFIG_DATA>("extap");
    *config = stored.value_or(EXTAP_CONFIG_DATA {});
    if (stored && host().with_world([](World& w, std::uint64_t) { return w.hosted_network_running(); })) {
        static constexpr std::uint8_t kHostedAddress[4] = { 192, 168, 137, 1 };
        std::memcpy(config->IpAddress, kHostedAddress, 4);
    }
    return stored ? 1 : 0;
}

VXAP_API int VXAP_WriteExtAPConfig(EXTAP_CONFIG_DATA config)
{
    log_call("WriteExtAPConfig", &config, sizeof config);
    return host().store().write_record("extap", config) ? 1 : 0;
}

VXAP_API int VXAP_HostedNetworkSetup(EXTAP_CONFIG_DATA config)
{
    log_call("HostedNetworkSetup", &config, sizeof config);
    if (config.SsidLength == 0 || config.SsidLength > NDIS_SSID_MAX || !valid_psk(config))
        return 0;
    return host().with_world([](World& w, std::uint64_t) {
        if (!w.spec().hosted_network)
            return 0;
        w.set_hosted_network(true);
        return 1;
    });
}

// The system connects the profile and tells the program through WM_USER+13.
VXAP_API int VXAP_SetVistaWindowsProfile(const char* ssid, VXAP_U32 length)
{
    if (!ssid || length == 0 || length > AP_SSID_MAX)
        return 0;
    log_call("SetVistaWindowsProfile", ssid, length);
    host().with_world([](World& w, std::uint64_t) { w.softap_post(VXAP_MSG_CONNECT_COMPLETE); });
    return 1;
}

VXAP_API int VXAP_DeleteVistaWindowsProfile(void)
{
    log_call("DeleteVistaWindowsProfile");
    return 1;
}

VXAP_CHECK_TYPE(ReadConfigData);
VXAP_CHECK_TYPE(GetAPDefault);
VXAP_CHECK_TYPE(WriteandSetConfigData);
VXAP_CHECK_TYPE(SetConfigData);
VXAP_CHECK_TYPE(QueryAuthMode);
VXAP_CHECK_TYPE(ReadAuthMode);
VXAP_CHECK_TYPE(SetAuthSecuKey);
VXAP_CHECK_TYPE(QueryCountryRegion);
VXAP_CHECK_TYPE(GetCountryChannel);
VXAP_CHECK_TYPE(GetSideBandParaFromE2PROM_BG);
VXAP_CHECK_TYPE(CheckAllowBW40ForBand);
VXAP_CHECK_TYPE(ReadAccessPolicy);
VXAP_CHECK_TYPE(ReadAccessList);
VXAP_CHECK_TYPE(WriteAccessPolicy);
VXAP_CHECK_TYPE(WriteAccessList);
VXAP_CHECK_TYPE(Set80211ACL);
VXAP_CHECK_TYPE(ReadExtAPConfig);
VXAP_CHECK_TYPE(WriteExtAPConfig);
VXAP_CHECK_TYPE(HostedNetworkSetup);
VXAP_CHECK_TYPE(SetVistaWindowsProfile);
VXAP_CHECK_TYPE(DeleteVistaWindowsProfile);
