// Exports of the adapter, the driver, the radio, the operating mode and the machine.
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"
#include "wlan/sim/ZeroConfig.h"

#include <atomic>
#include <cstdio>
#include <cstring>

using wlan::sim::World;
using wlan::vxwl::Library;

namespace {

// VXWL_Release let go of the adapter's authentication; the next VXWL_AdapterSelect takes it
// again. Until then the library does not act as the supplicant.
std::atomic<bool> g_released { false };

}

VXWL_API int VXWL_Initial(const char* maker, HWND hwnd)
{
    (void)maker;
    g_released = false;
    Library::get().set_window(hwnd);
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_DeInitial(void)
{
    Library::shut_down();
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_Release(void)
{
    g_released = true;
    return VXWL_ERROR_SUCCESS;
}

// The list is a 32-bit count and `capacity` records; too small a capacity answers -10 with the
// needed count in the first word and no record written.
VXWL_API int VXWL_GetAvailableAdapters(void* buffer, int capacity)
{
    if (!buffer)
        return VXWL_ERROR_FAIL;
    auto adapters = Library::get().with_world([](World& w, std::uint64_t) { return w.adapter_records(); });
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::uint32_t const count = std::uint32_t(adapters.size());
    std::memcpy(out, &count, 4);
    if (capacity < 0 || std::size_t(capacity) < adapters.size())
        return VXWL_ERROR_BUFFER_TOO_SMALL;
    // An empty world has no records to copy: the count alone answers.
    if (!adapters.empty())
        std::memcpy(out + ADAPTER_LIST_HEADER_SIZE, adapters.data(), adapters.size() * sizeof(AdapterEntry));
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_AdapterSelect(AdapterEntry* adapter, rsCallBackFunc callback, HWND hwnd)
{
    if (!adapter)
        return VXWL_ERROR_FAIL;
    auto& lib = Library::get();
    bool const ok = lib.with_world([&](World& w, std::uint64_t now) { return w.select_adapter(*adapter, now); });
    if (!ok)
        return VXWL_ERROR_FAIL;
    lib.set_callback(callback);
    g_released = false;
    if (hwnd)
        lib.set_window(hwnd);
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_IsDeviceExist(AdapterEntry* adapter)
{
    if (!adapter)
        return 0;
    return Library::get().with_world([&](World& w, std::uint64_t) { return w.device_exists(*adapter) ? 1 : 0; });
}

VXWL_API int VXWL_QueryInitState(VXWL_U32* state)
{
    if (!state)
        return VXWL_ERROR_FAIL;
    *state = Library::get().with_world([](World& w, std::uint64_t now) { return w.driver_ready(now) ? 1u : 0u; });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_ReadRadioStatus(void)
{
    return Library::get().with_world([](World& w, std::uint64_t) { return w.radio_sw() ? 1 : 0; });
}

VXWL_API int VXWL_SetAndWriteRadioState(int on)
{
    return Library::get().with_world([&](World& w, std::uint64_t now) { return w.set_radio_sw(on != 0, now) ? 1 : 0; });
}

VXWL_API int VXWL_QueryHWAndSWRadioState(VXWL_U32* hardware, VXWL_U32* software)
{
    return Library::get().with_world([&](World& w, std::uint64_t) {
        if (hardware)
            *hardware = w.radio_hw() ? 1 : 0;
        if (software)
            *software = w.radio_sw() ? 1 : 0;
        return VXWL_ERROR_SUCCESS;
    });
}

VXWL_API int VXWL_QueryOPMode(void)
{
    return Library::get().with_world([](World& w, std::uint64_t) { return w.op_mode(); });
}

VXWL_API int VXWL_ReadOpMode(void)
{
    return Library::get().with_world([](World& w, std::uint64_t) { return w.stored_op_mode(); });
}

VXWL_API int VXWL_SetAndWriteOPMode(int mode)
{
    if (mode < 0 || mode > 2)
        return 0;
    Library::get().with_world([&](World& w, std::uint64_t) { w.set_op_mode(mode); });
    return 1;
}

namespace {

template<typename F>
int spec_value(F f)
{
    return Library::get().with_world([&](World& w, std::uint64_t) { return int(f(w.spec())); });
}

}

VXWL_API int VXWL_GetWinOS(void) { return spec_value([](auto& s) { return s.win_os; }); }
VXWL_API int VXWL_DetectUserAdmin(void) { return spec_value([](auto& s) { return s.admin; }); }
VXWL_API int VXWL_IsZeroConfig(void)
{
    return Library::get().with_world([](World& w, std::uint64_t) {
        auto const* a = w.selected_adapter();
        return zero_config_answer(w.spec(), a ? adapter_instance_id(*a) : std::string());
    });
}
VXWL_API int VXWL_CheckMSConfigService(void) { return spec_value([](auto& s) { return s.ms_config_service; }); }
VXWL_API int VXWL_IsWpaCapable(void) { return g_released ? 0 : spec_value([](auto& s) { return s.wpa_capable; }); }
VXWL_API int VXWL_WlanIsAdhocSupportWPA2AES(void) { return spec_value([](auto& s) { return s.adhoc_wpa2_aes; }); }
VXWL_API int VXWL_IsWow64(void) { return spec_value([](auto& s) { return s.wow64; }); }
VXWL_API int VXWL_DetectMoreThanOneUser(void) { return spec_value([](auto& s) { return s.more_than_one_user; }); }
VXWL_API int VXWL_IsAllowStandardUserSetProfile(void) { return spec_value([](auto& s) { return s.allow_standard_user_profile; }); }
VXWL_API int VXWL_Is80211NSupport(void) { return spec_value([](auto& s) { return s.supports_11n; }); }
VXWL_API int VXWL_IsSupportAPMode(void) { return spec_value([](auto& s) { return s.supports_ap_mode; }); }
VXWL_API int VXWL_IsSupportVistaSoftAP(void) { return spec_value([](auto& s) { return s.supports_ap_mode && s.win_os >= 12; }); }
VXWL_API int VXWL_CheckBssidRepositTime(void) { return spec_value([](auto& s) { return s.bssid_reposit; }); }
VXWL_API int VXWL_CheckIEEE80211H(void) { return 0; }
VXWL_API int VXWL_VerifyCountryRegion(void) { return VXWL_ERROR_SUCCESS; }
VXWL_API int VXWL_RunOnceInitConfigTxBurst(void) { return VXWL_ERROR_SUCCESS; }
VXWL_API int VXWL_BackupStationSetting(void) { return VXWL_ERROR_SUCCESS; }

// The first start on a store chooses the configuration tool (the world's `config_tool`);
// every later start finds it chosen.
VXWL_API int VXWL_RunOnceInitConfigTool(int* choice)
{
    auto& store = Library::get().store();
    if (store.read_text("config_tool.chosen"))
        return VXWL_ERROR_SUCCESS;
    if (choice)
        *choice = spec_value([](auto& s) { return s.config_tool; });
    store.write_text("config_tool.chosen", "1");
    return VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_GetCurrentDeviceModel(int* model)
{
    if (!model)
        return 0;
    return Library::get().with_world([&](World& w, std::uint64_t) {
        auto const* a = w.selected_adapter();
        if (!a)
            return 0;
        *model = a->device_model;
        return 1;
    });
}

namespace {

int adapter_mac(std::uint8_t* mac)
{
    if (!mac)
        return 0;
    return Library::get().with_world([&](World& w, std::uint64_t) {
        auto const* a = w.selected_adapter();
        if (!a)
            return 0;
        std::memcpy(mac, a->mac.data(), 6);
        return 1;
    });
}

int copy_text(char* out, std::size_t size, std::string const& text)
{
    if (!out)
        return 0;
    std::snprintf(out, size, "%s", text.c_str());
    return 1;
}

}

namespace {

// The adapter's versions as the driver reports them: the EEPROM's "a.b" with a in byte 0 and
// b in byte 1, the firmware word as it is (a in byte 1, b in byte 0). No version, no adapter:
// the query fails.
int adapter_version(VXWL_U32* out, bool firmware)
{
    if (!out)
        return 0;
    return Library::get().with_world([&](World& w, std::uint64_t) {
        auto const* a = w.selected_adapter();
        if (!a)
            return 0;
        if (firmware) {
            if (!a->firmware)
                return 0;
            *out = *a->firmware;
            return 1;
        }
        if (!a->eeprom)
            return 0;
        *out = VXWL_U32((*a->eeprom)[1]) << 8 | (*a->eeprom)[0];
        return 1;
    });
}

}

VXWL_API int VXWL_QueryEEPROMVersion(VXWL_U32* version) { return adapter_version(version, false); }
VXWL_API int VXWL_QueryFWVersion(VXWL_U32* version) { return adapter_version(version, true); }
VXWL_API int VXWL_QueryCurrAddress(std::uint8_t* mac) { return adapter_mac(mac); }
VXWL_API int VXWL_QueryMacAddrs(std::uint8_t* mac) { return adapter_mac(mac); }

VXWL_API int VXWL_ReadDriverDesc(char* text)
{
    auto desc = Library::get().with_world([](World& w, std::uint64_t) { return w.spec().driver_description; });
    return copy_text(text, DRIVER_TEXT_SIZE, desc);
}

// The name buffer has no stated size; the contract gives it DRIVER_TEXT_SIZE bytes.
VXWL_API int VXWL_ReadDriverName(char* text)
{
    auto name = Library::get().with_world([](World& w, std::uint64_t) { return w.spec().driver_name; });
    return copy_text(text, DRIVER_TEXT_SIZE, name);
}

VXWL_API int VXWL_ReadNetCfgInstanceID(char* text)
{
    auto id = Library::get().with_world([](World& w, std::uint64_t) {
        auto const* a = w.selected_adapter();
        return a ? adapter_instance_id(*a) : std::string();
    });
    return copy_text(text, DRIVER_TEXT_SIZE, id);
}

VXWL_API int VXWL_ReadNetConfig(AdapterEntry* adapter, NET_CONFIG_RECORD* config)
{
    (void)adapter;
    if (!config)
        return 0;
    return Library::get().with_world([&](World& w, std::uint64_t) {
        NET_CONFIG_RECORD r {};
        r.Dhcp = 1;
        std::memcpy(r.IpAddress, w.spec().address.data(), 4);
        std::memcpy(r.SubnetMask, w.spec().netmask.data(), 4);
        std::memcpy(r.Gateway, w.spec().gateway.data(), 4);
        *config = r;
        return 1;
    });
}

VXWL_CHECK_TYPE(Initial);
VXWL_CHECK_TYPE(DeInitial);
VXWL_CHECK_TYPE(Release);
VXWL_CHECK_TYPE(GetAvailableAdapters);
VXWL_CHECK_TYPE(AdapterSelect);
VXWL_CHECK_TYPE(IsDeviceExist);
VXWL_CHECK_TYPE(QueryInitState);
VXWL_CHECK_TYPE(ReadRadioStatus);
VXWL_CHECK_TYPE(SetAndWriteRadioState);
VXWL_CHECK_TYPE(QueryHWAndSWRadioState);
VXWL_CHECK_TYPE(QueryOPMode);
VXWL_CHECK_TYPE(ReadOpMode);
VXWL_CHECK_TYPE(SetAndWriteOPMode);
VXWL_CHECK_TYPE(GetWinOS);
VXWL_CHECK_TYPE(DetectUserAdmin);
VXWL_CHECK_TYPE(IsZeroConfig);
VXWL_CHECK_TYPE(CheckMSConfigService);
VXWL_CHECK_TYPE(IsWpaCapable);
VXWL_CHECK_TYPE(WlanIsAdhocSupportWPA2AES);
VXWL_CHECK_TYPE(IsWow64);
VXWL_CHECK_TYPE(DetectMoreThanOneUser);
VXWL_CHECK_TYPE(IsAllowStandardUserSetProfile);
VXWL_CHECK_TYPE(Is80211NSupport);
VXWL_CHECK_TYPE(IsSupportAPMode);
VXWL_CHECK_TYPE(IsSupportVistaSoftAP);
VXWL_CHECK_TYPE(CheckBssidRepositTime);
VXWL_CHECK_TYPE(CheckIEEE80211H);
VXWL_CHECK_TYPE(VerifyCountryRegion);
VXWL_CHECK_TYPE(RunOnceInitConfigTxBurst);
VXWL_CHECK_TYPE(BackupStationSetting);
VXWL_CHECK_TYPE(RunOnceInitConfigTool);
VXWL_CHECK_TYPE(GetCurrentDeviceModel);
VXWL_CHECK_TYPE(QueryCurrAddress);
VXWL_CHECK_TYPE(QueryMacAddrs);
VXWL_CHECK_TYPE(QueryEEPROMVersion);
VXWL_CHECK_TYPE(QueryFWVersion);
VXWL_CHECK_TYPE(ReadDriverDesc);
VXWL_CHECK_TYPE(ReadDriverName);
VXWL_CHECK_TYPE(ReadNetCfgInstanceID);
VXWL_CHECK_TYPE(ReadNetConfig);
