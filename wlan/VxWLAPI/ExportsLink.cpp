// Exports of the connection and of what the programs store through the library: profiles,
// the active profile, registry-like values, the CCX word, WPS and hosted-network records.
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"

#include <cstdio>
#include <cstring>
#include <string>

using wlan::sim::World;
using wlan::vxwl::Library;

namespace {

std::string name_of(char const* text, std::size_t size)
{
    return text ? std::string(text, ::strnlen(text, size)) : std::string();
}

std::string profile_name(WLANPROFILE const& p) { return name_of(p.strProfileName, sizeof p.strProfileName); }

constexpr char kExtAPKey[] = "extap";

}

VXWL_API int VXWL_SetWLANProfile(WLANPROFILE* profile)
{
    if (!profile)
        return VXWL_ERROR_FAIL;
    Library::get().with_world([&](World& w, std::uint64_t now) {
        w.remember_os_profile(*profile);
        w.connect(*profile, now);
    });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_SetSSID(NDIS_802_11_SSID ssid)
{
    Library::get().with_world([&](World& w, std::uint64_t now) { w.connect_ssid(ssid, now); });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_SetBSSID(const std::uint8_t* bssid)
{
    if (!bssid)
        return VXWL_ERROR_FAIL;
    wlan::sim::Mac mac {};
    std::memcpy(mac.data(), bssid, 6);
    Library::get().with_world([&](World& w, std::uint64_t now) { w.connect_bssid(mac, now); });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_Disassociate(void)
{
    Library::get().with_world([](World& w, std::uint64_t now) { w.disassociate(now); });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_StopAuth(void) { return VXWL_Disassociate(); }
VXWL_API int VXWL_WlanDisconnect(void) { return VXWL_Disassociate(); }
VXWL_API int VXWL_SetAuthMode(int mode) { return mode >= 0 ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL; }
VXWL_API int VXWL_RenewIPAddr(void)
{
    Library::get().with_world([](World& w, std::uint64_t now) { w.renew_address(now); });
    return VXWL_ERROR_SUCCESS;
}
// The system's service drops the connection whose profile it no longer has.
VXWL_API int VXWL_WlanDeleteAllWindowsProfiles(void)
{
    Library::get().with_world([](World& w, std::uint64_t) { w.forget_os_profiles(); });
    return VXWL_Disassociate();
}
VXWL_API int VXWL_WlanDeleteAllVexlorWindowsProfiles(void) { return VXWL_Disassociate(); }
VXWL_API int VXWL_SetWEPKey(WLANPROFILE* profile) { return profile ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL; }

VXWL_API int VXWL_WriteIDnPasswd(const char* identity, const char* password)
{
    std::string const id = name_of(identity, PROFILE_NAME_SIZE);
    std::string const pw = name_of(password, PROFILE_NAME_SIZE);
    Library::get().with_world([&](World& w, std::uint64_t) { w.set_credentials(id.c_str(), pw.c_str()); });
    // The stored active profile keeps them, so the next connection uses them.
    auto& store = Library::get().store();
    std::string const active = store.read_text("active_profile").value_or("");
    auto profiles = store.profiles();
    for (auto& p : profiles) {
        if (active.empty() || profile_name(p) != active)
            continue;
        if (!id.empty())
            std::snprintf(p.chID, sizeof p.chID, "%s", id.c_str());
        std::snprintf(p.chPassword, sizeof p.chPassword, "%s", pw.c_str());
        if (!store.save_profiles(profiles))
            return VXWL_ERROR_FAIL;
    }
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_ReadPSMode(VXWL_U32* mode)
{
    if (!mode)
        return VXWL_ERROR_FAIL;
    int const world = Library::get().with_world([](World& w, std::uint64_t) { return w.spec().ps_mode; });
    *mode = Library::get().store().read_u32("ps_mode").value_or(VXWL_U32(world));
    return VXWL_ERROR_SUCCESS;
}

// Registry-like values: each stored as its type word followed by its bytes.
VXWL_API int VXWL_WriteRegValue(const char* name, VXWL_U32 type, const void* data, VXWL_U32 size)
{
    if (!name || (size && !data) || size > 4096)
        return VXWL_ERROR_FAIL;
    std::vector<std::uint8_t> bytes(4 + size);
    std::memcpy(bytes.data(), &type, 4);
    if (size)
        std::memcpy(bytes.data() + 4, data, size);
    auto& store = Library::get().store();
    bool ok = store.write("reg." + name_of(name, 256), bytes);
    if (ok && name_of(name, 256) == "CCX2Control" && size == 4)
        ok = store.write("ccx2", std::vector<std::uint8_t>(bytes.begin() + 4, bytes.end()));
    return ok ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_ReadCCX2Cont(VXWL_U32* word)
{
    if (!word)
        return VXWL_ERROR_FAIL;
    *word = Library::get().store().read_u32("ccx2").value_or(0);
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_QueryCCXInfo(VXWL_U32* word) { return VXWL_ReadCCX2Cont(word); }

VXWL_API int VXWL_SetCCXInfo(int enable, VXWL_U32 word)
{
    (void)enable;
    (void)word;
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_ReadWPSFlag(VXWL_U32* flag)
{
    if (!flag)
        return VXWL_ERROR_FAIL;
    *flag = Library::get().store().read_u32("wps_flag").value_or(0);
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_WriteWPSFlag(VXWL_U32 flag)
{
    return Library::get().store().write_u32("wps_flag", flag) ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_ReadWPSProfile(WPS_MODE* mode, WPS_PROFILE* profile)
{
    auto& store = Library::get().store();
    if (mode)
        *mode = store.read_record<WPS_MODE>("wps_mode").value_or(WPS_MODE {});
    if (profile) {
        auto p = store.read_record<WPS_PROFILE>("wps_profile").value_or(WPS_PROFILE {});
        if (p.ProfileCnt > WPS_MAX_CREDENTIALS)
            p.ProfileCnt = WPS_MAX_CREDENTIALS;
        *profile = p;
    }
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_WriteWPSProfile(WPS_MODE mode, WPS_PROFILE profile)
{
    auto& store = Library::get().store();
    bool const ok = store.write_record("wps_mode", mode) && store.write_record("wps_profile", profile);
    return ok ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

// A WPS credential connects like a profile made from it.
VXWL_API int VXWL_ConnectWPSProfile(WPS_CREDENTIAL credential)
{
    WLANPROFILE p {};
    p.SSID.SsidLength = std::min<std::uint32_t>(credential.SsidLength, NDIS_SSID_MAX);
    std::memcpy(p.SSID.Ssid, credential.Ssid, p.SSID.SsidLength);
    p.enumNetworkType = 1;
    std::uint32_t const key_len = std::min<std::uint32_t>(credential.KeyLength, sizeof credential.Key);
    switch (credential.AuthType) {
    // A mixed network's credential (34) joins as WPA-PSK, which is what the station utility
    // counts as that credential's connection.
    case 2:
    case 34: p.enumAuthenMode = AUTH_WPA_PSK; break;
    case 32: p.enumAuthenMode = AUTH_WPA2_PSK; break;
    case 4: p.enumAuthenMode = AUTH_SHARED; break;
    default: p.enumAuthenMode = AUTH_OPEN; break;
    }
    p.enumEncryStatus = (credential.EncrType == 4 || credential.EncrType == 12) ? ENC_TKIP : credential.EncrType & 8 ? ENC_AES : credential.EncrType == 2 ? ENC_WEP : ENC_NONE;
    std::memcpy(p.chPskKey, credential.Key, key_len);
    p.nPskKeyLen = key_len;
    std::memcpy(p.WEPKey1, credential.Key, std::min<std::uint32_t>(key_len, sizeof p.WEPKey1 - 1));
    p.wepDefaultKey = (credential.KeyIndex & 0x7FFFFFFF) + 1;
    p.bIsWPS = 1;
    return VXWL_SetWLANProfile(&p);
}

// The hosted-network record is kept under one store key that the access point library reads
// too: one hosted network for both programs. While it runs, the record tells its address.
VXWL_API int VXWL_ReadExtAPConfig(EXTAP_CONFIG_DATA* config)
{
    if (!config)
        return VXWL_ERROR_FAIL;
    auto& lib = Library::get();
    auto stored = lib.store().read_record<EXTAP_CONFIG_DATA>(kExtAPKey);
    *config = stored.value_or(EXTAP_CONFIG_DATA {});
    if (!stored)
        return VXWL_ERROR_FAIL;
    bool const running = lib.with_world([](World& w, std::uint64_t) { return w.hosted_network_running(); });
    static constexpr std::uint8_t kHostedAddress[4] = { 192, 168, 137, 1 };
    if (running)
        std::memcpy(config->IpAddress, kHostedAddress, sizeof kHostedAddress);
    else
        std::memset(config->IpAddress, 0, sizeof config->IpAddress);
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_WriteExtAPConfig(EXTAP_CONFIG_DATA config)
{
    return Library::get().store().write_record(kExtAPKey, config) ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_HostedNetworkSetup(EXTAP_CONFIG_DATA config)
{
    bool const started = Library::get().with_world([&](World& w, std::uint64_t) { return w.hosted_setup(config); });
    return started ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_HostedNetworkStopUsing(void)
{
    Library::get().with_world([](World& w, std::uint64_t) { w.set_hosted_network(false); });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_HostedNetworkQueryStatus(HOSTED_NETWORK_STATUS* status)
{
    if (!status)
        return VXWL_ERROR_FAIL;
    Library::get().with_world([&](World& w, std::uint64_t) { w.fill_hosted_status(*status); });
    return VXWL_ERROR_SUCCESS;
}

VXWL_CHECK_TYPE(SetWLANProfile);
VXWL_CHECK_TYPE(SetSSID);
VXWL_CHECK_TYPE(SetBSSID);
VXWL_CHECK_TYPE(Disassociate);
VXWL_CHECK_TYPE(StopAuth);
VXWL_CHECK_TYPE(WlanDisconnect);
VXWL_CHECK_TYPE(SetAuthMode);
VXWL_CHECK_TYPE(RenewIPAddr);
VXWL_CHECK_TYPE(WlanDeleteAllWindowsProfiles);
VXWL_CHECK_TYPE(WlanDeleteAllVexlorWindowsProfiles);
VXWL_CHECK_TYPE(SetWEPKey);
VXWL_CHECK_TYPE(WriteIDnPasswd);
VXWL_CHECK_TYPE(ReadPSMode);
VXWL_CHECK_TYPE(WriteRegValue);
VXWL_CHECK_TYPE(ReadCCX2Cont);
VXWL_CHECK_TYPE(QueryCCXInfo);
VXWL_CHECK_TYPE(SetCCXInfo);
VXWL_CHECK_TYPE(ReadWPSFlag);
VXWL_CHECK_TYPE(WriteWPSFlag);
VXWL_CHECK_TYPE(ReadWPSProfile);
VXWL_CHECK_TYPE(WriteWPSProfile);
VXWL_CHECK_TYPE(ConnectWPSProfile);
VXWL_CHECK_TYPE(ReadExtAPConfig);
VXWL_CHECK_TYPE(HostedNetworkSetup);
VXWL_CHECK_TYPE(HostedNetworkStopUsing);
VXWL_CHECK_TYPE(WriteExtAPConfig);
VXWL_CHECK_TYPE(HostedNetworkQueryStatus);

// Test hook beyond the contract: waits until everything due at the current time is delivered.
VXWL_API void VXSIM_Settle(void) { Library::get().settle(); }
// Test hook beyond the contract: how often the library's thread has woken.
VXWL_API unsigned long long VXSIM_Wakeups(void) { return Library::get().wakeups(); }
// Test hook beyond the contract: how often the library has opened the live command log.
VXWL_API unsigned long long VXSIM_LiveReads(void) { return Library::get().live_reads(); }
