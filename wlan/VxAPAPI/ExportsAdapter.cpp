// Exports of the adapter, the driver, the machine, the operating mode and the radio.
#include "wlan/VxAPAPI/Export.h"

#include "platform/system/FileAttributes.h"
#include "wlan/sim/Channels.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using wlan::sim::World;
using wlan::vxap::host;
using wlan::vxap::log_call;

namespace {

template<typename F>
int spec_value(F f)
{
    return host().with_world([&](World& w, std::uint64_t) { return int(f(w.spec())); });
}

// Runs `f` on the selected adapter; 0 when none is selected.
template<typename F>
int with_adapter(F f)
{
    return host().with_world([&](World& w, std::uint64_t) {
        auto const* a = w.selected_adapter();
        return a && a->present ? f(*a) : 0;
    });
}

}

VXAP_API int VXAP_Initial(const char* maker, HWND hwnd)
{
    (void)maker;
    host().set_window(hwnd);
    log_call("Initial");
    return 1;
}

VXAP_API int VXAP_DeInitial(void)
{
    log_call("DeInitial");
    wlan::vxap::shut_down();
    return 1;
}

VXAP_API int VXAP_GetWinOS(void) { return spec_value([](auto& s) { return s.win_os; }); }
VXAP_API int VXAP_IsWow64(void) { return spec_value([](auto& s) { return s.wow64; }); }
VXAP_API int VXAP_DetectUserAdmin(void) { return spec_value([](auto& s) { return s.admin; }); }
VXAP_API int VXAP_DetectMoreThanOneProcess(void) { return spec_value([](auto& s) { return s.more_than_one_user; }); }
VXAP_API int VXAP_Is80211ASupport(void) { return spec_value([](auto& s) { return s.supports_11a; }); }
VXAP_API int VXAP_Is80211NSupport(void) { return spec_value([](auto& s) { return s.supports_11n; }); }
VXAP_API int VXAP_CheckIEEE80211H(void) { return spec_value([](auto& s) { return s.ieee80211h; }); }
VXAP_API int VXAP_IsZeroConfig(void) { return spec_value([](auto& s) { return s.zero_config; }); }

VXAP_API int VXAP_StopXpZeroConfig(void)
{
    log_call("StopXpZeroConfig");
    return 1;
}

// The names are the program's own paths, in either separator; a help file "X.chm" is found
// through its HTML twin, as the system finds it for the programs (FileAttributes.h).
VXAP_API int VXAP_IsFileExist(const char* path)
{
    if (!path || !*path)
        return 0;
    DWORD const attributes = ::GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ? 1 : 0;
}

VXAP_API int VXAP_FrequencyToChannel(VXAP_U32 khz) { return wlan::sim::frequency_to_channel(khz); }
VXAP_API int VXAP_ChannelToFrequency(int channel) { return int(wlan::sim::channel_to_frequency(channel)); }
VXAP_API int VXAP_ConvertRssiToSignalQuality(int dbm) { return wlan::sim::rssi_to_percent(dbm); }

// The list is a 32-bit count and `capacity` records; too small a capacity answers -10 with the
// needed count in the first word and no record written.
VXAP_API int VXAP_GetAvailableAdapters(void* list, int capacity)
{
    if (!list)
        return 0;
    auto adapters = host().with_world([](World& w, std::uint64_t) { return w.adapter_records(); });
    auto* out = static_cast<std::uint8_t*>(list);
    std::uint32_t const count = std::uint32_t(adapters.size());
    std::memcpy(out, &count, 4);
    if (capacity < 0 || std::size_t(capacity) < adapters.size())
        return -10;
    if (!adapters.empty())
        std::memcpy(out + ADAPTER_LIST_HEADER_SIZE, adapters.data(), adapters.size() * sizeof(AdapterEntry));
    return 1;
}

VXAP_API int VXAP_AdapterSelect(AdapterEntry* adapter, int reserved, HWND hwnd)
{
    (void)reserved;
    if (!adapter)
        return 0;
    log_call("AdapterSelect", adapter, sizeof *adapter);
    bool const ok = host().with_world([&](World& w, std::uint64_t now) { return w.select_adapter(*adapter, now); });
    if (ok && hwnd)
        host().set_window(hwnd);
    return ok ? 1 : 0;
}

VXAP_API int VXAP_IsDeviceExist(AdapterEntry* adapter)
{
    if (!adapter)
        return 0;
    return host().with_world([&](World& w, std::uint64_t) { return w.device_exists(*adapter) ? 1 : 0; });
}

VXAP_API int VXAP_GetCurrentDeviceModel(int* model)
{
    if (!model)
        return 0;
    return with_adapter([&](auto const& a) {
        *model = a.device_model;
        return 1;
    });
}

VXAP_API int VXAP_GetMacAddrs(std::uint8_t* mac)
{
    if (!mac)
        return 0;
    return with_adapter([&](auto const& a) {
        std::memcpy(mac, a.mac.data(), 6);
        return 1;
    });
}

VXAP_API int VXAP_GetEEPROMVer(std::uint8_t* version)
{
    if (!version)
        return 0;
    return with_adapter([&](auto const& a) {
        if (!a.eeprom)
            return 0;
        std::memcpy(version, a.eeprom->data(), 2);
        return 1;
    });
}

VXAP_API int VXAP_GetFirmwareVer(std::uint16_t* version)
{
    if (!version)
        return 0;
    return with_adapter([&](auto const& a) {
        if (!a.firmware)
            return 0;
        *version = *a.firmware;
        return 1;
    });
}

// Both nibbles carry the number of radio chains.
VXAP_API int VXAP_QueryAntennaNumber(VXAP_U32* word)
{
    if (!word)
        return 0;
    return with_adapter([&](auto const& a) {
        *word = VXAP_U32((a.chains << 4) | a.chains);
        return 1;
    });
}

// The system folder is ZORVEL_SYSTEM_DIR, else "system32" beside this library; a driver name
// with a folder in it is taken as it is, a bare one is a ".sys" file under "drivers". The path
// is cut to the AP_DRIVER_PATH_SIZE bytes of the caller's buffer.
VXAP_API int VXAP_GetDriverPath(AdapterEntry* adapter, char* path)
{
    (void)adapter;
    if (!path)
        return 0;
    std::string const name = host().with_world([](World& w, std::uint64_t) { return w.spec().driver_name; });
    char const* env = std::getenv("ZORVEL_SYSTEM_DIR");
    std::string const system = env && *env ? env : wlan::sim::LibraryHost::library_folder() + "/system32";
    std::string const file = name.find('/') != std::string::npos ? system + "/" + name : system + "/drivers/" + name + ".sys";
    std::snprintf(path, AP_DRIVER_PATH_SIZE, "%s", file.c_str());
    return 1;
}

VXAP_API int VXAP_GetNetConfig(AdapterEntry* adapter, NET_CONFIG_RECORD* config)
{
    (void)adapter;
    if (!config)
        return 0;
    return host().with_world([&](World& w, std::uint64_t) {
        if (!w.adapter_present())
            return 0;
        NET_CONFIG_RECORD r {};
        std::memcpy(r.IpAddress, w.spec().address.data(), 4);
        std::memcpy(r.SubnetMask, w.spec().netmask.data(), 4);
        std::memcpy(r.Gateway, w.spec().gateway.data(), 4);
        *config = r;
        return 1;
    });
}

VXAP_API int VXAP_QueryInitialState(VXAP_U32* state)
{
    if (!state)
        return 0;
    *state = host().with_world([](World& w, std::uint64_t now) { return w.driver_ready(now) ? 1u : 0u; });
    return 1;
}

VXAP_API int VXAP_QueryOPMode(void)
{
    return host().with_world([](World& w, std::uint64_t) { return w.op_mode(); });
}

// Sets the driver's mode and the stored one, as the station library's mode call does.
VXAP_API int VXAP_SetOPMode(int mode)
{
    log_call("SetOPMode", &mode, sizeof mode);
    if (mode < 0 || mode > 2)
        return 0;
    host().with_world([&](World& w, std::uint64_t now) {
        w.set_op_mode(mode);
        w.reconcile_softap(now);
    });
    return 1;
}

VXAP_API int VXAP_QuerySWRadioState(int* software, int* hardware)
{
    return host().with_world([&](World& w, std::uint64_t) {
        if (software)
            *software = w.radio_sw() ? 1 : 0;
        if (hardware)
            *hardware = w.radio_hw() ? 1 : 0;
        return w.adapter_present() ? 1 : 0;
    });
}

VXAP_API int VXAP_InitAPSettings(void)
{
    log_call("InitAPSettings");
    return 1;
}

VXAP_API int VXAP_RestoreStationSetting(void)
{
    log_call("RestoreStationSetting");
    return 1;
}

VXAP_API int VXAP_EnableDhcpServer(void)
{
    log_call("EnableDhcpServer");
    return 1;
}

VXAP_API int VXAP_DisableDhcpServer(void)
{
    log_call("DisableDhcpServer");
    return 1;
}

VXAP_CHECK_TYPE(Initial);
VXAP_CHECK_TYPE(DeInitial);
VXAP_CHECK_TYPE(GetWinOS);
VXAP_CHECK_TYPE(IsWow64);
VXAP_CHECK_TYPE(DetectUserAdmin);
VXAP_CHECK_TYPE(DetectMoreThanOneProcess);
VXAP_CHECK_TYPE(Is80211ASupport);
VXAP_CHECK_TYPE(Is80211NSupport);
VXAP_CHECK_TYPE(CheckIEEE80211H);
VXAP_CHECK_TYPE(IsZeroConfig);
VXAP_CHECK_TYPE(StopXpZeroConfig);
VXAP_CHECK_TYPE(IsFileExist);
VXAP_CHECK_TYPE(FrequencyToChannel);
VXAP_CHECK_TYPE(ChannelToFrequency);
VXAP_CHECK_TYPE(ConvertRssiToSignalQuality);
VXAP_CHECK_TYPE(GetAvailableAdapters);
VXAP_CHECK_TYPE(AdapterSelect);
VXAP_CHECK_TYPE(IsDeviceExist);
VXAP_CHECK_TYPE(GetCurrentDeviceModel);
VXAP_CHECK_TYPE(GetMacAddrs);
VXAP_CHECK_TYPE(GetEEPROMVer);
VXAP_CHECK_TYPE(GetFirmwareVer);
VXAP_CHECK_TYPE(QueryAntennaNumber);
VXAP_CHECK_TYPE(GetDriverPath);
VXAP_CHECK_TYPE(GetNetConfig);
VXAP_CHECK_TYPE(QueryInitialState);
VXAP_CHECK_TYPE(QueryOPMode);
VXAP_CHECK_TYPE(SetOPMode);
VXAP_CHECK_TYPE(QuerySWRadioState);
VXAP_CHECK_TYPE(InitAPSettings);
VXAP_CHECK_TYPE(RestoreStationSetting);
VXAP_CHECK_TYPE(EnableDhcpServer);
VXAP_CHECK_TYPE(DisableDhcpServer);
