// A stand-in for the WLAN library's hosted-network, mode, channel and adapter calls, bound into
// the binding's slots for the hosted network and about page tests. It records what the pages
// write and answers what the test put in it. One instance at a time (the slots hold plain
// functions); unbound again when it goes.
#pragma once

#include "station/core/HideDlgServices.h"
#include "station/core/VxWlLib.h"
#include "wlan/api/Profile.h"

#include <cstring>
#include <string>
#include <vector>

struct FakeHostedLibrary {
    // [SECTION] What the library answers
    bool stored { false };
    ExtAPConfig record {};
    int op_mode { 0 };
    int wireless_mode { 5 };
    std::vector<std::uint8_t> channels { 1, 6, 11 };
    int channel_count_override { -1 };
    HOSTED_NETWORK_STATUS status {};
    BYTE mac[6] { 0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E };
    int model { 5 };
    bool model_ok { true };
    bool eeprom_ok { true };
    VXWL_U32 eeprom { 0x0201 };
    bool firmware_ok { true };
    VXWL_U32 firmware { 0x0201 };
    std::string driver_name { "drivers/vxsim.sys" };
    int win_os { 12 };
    int wow64 { 0 };

    // [SECTION] What the pages did
    std::vector<ExtAPConfig> writes;
    std::vector<ExtAPConfig> setups;
    int reads { 0 };
    int status_queries { 0 };
    std::vector<int> sub_dialogs;

    FakeHostedLibrary()
    {
        the() = this;
        auto& lib = G_VxWlLib;
        lib.VXWL_ReadExtAPConfig.bind([](EXTAP_CONFIG_DATA* r) {
            ++the()->reads;
            *r = the()->stored ? the()->record : ExtAPConfig {};
            return the()->stored ? 1 : 0;
        });
        lib.VXWL_WriteExtAPConfig.bind([](EXTAP_CONFIG_DATA r) {
            the()->writes.push_back(r);
            return 1;
        });
        lib.VXWL_HostedNetworkSetup.bind([](EXTAP_CONFIG_DATA r) {
            the()->setups.push_back(r);
            return 1;
        });
        lib.VXWL_HostedNetworkQueryStatus.bind([](HOSTED_NETWORK_STATUS* s) {
            ++the()->status_queries;
            *s = the()->status;
            return 1;
        });
        lib.VXWL_QueryOPMode.bind([] { return the()->op_mode; });
        lib.VXWL_QueryWirelessMode.bind([](int* mode) {
            *mode = the()->wireless_mode;
            return 1;
        });
        lib.VXWL_ConvertPhyModeToAdHocMode.bind([](int mode, int* adhoc) {
            *adhoc = mode + 100;
            return 1;
        });
        lib.VXWL_GetAvailableChannels.bind([](int, int, int, std::uint8_t* out, int* count, int) {
            auto const& c = the()->channels;
            std::memcpy(out, c.data(), std::min<std::size_t>(c.size(), 64));
            *count = the()->channel_count_override >= 0 ? the()->channel_count_override : int(c.size());
            return 1;
        });
        bind_adapter();
        set_hide_dlg_services(&m_services);
    }

    ~FakeHostedLibrary()
    {
        auto& lib = G_VxWlLib;
        lib.VXWL_ReadExtAPConfig.bind(nullptr);
        lib.VXWL_WriteExtAPConfig.bind(nullptr);
        lib.VXWL_HostedNetworkSetup.bind(nullptr);
        lib.VXWL_HostedNetworkQueryStatus.bind(nullptr);
        lib.VXWL_QueryOPMode.bind(nullptr);
        lib.VXWL_QueryWirelessMode.bind(nullptr);
        lib.VXWL_ConvertPhyModeToAdHocMode.bind(nullptr);
        lib.VXWL_GetAvailableChannels.bind(nullptr);
        lib.VXWL_QueryMacAddrs.bind(nullptr);
        lib.VXWL_GetCurrentDeviceModel.bind(nullptr);
        lib.VXWL_QueryEEPROMVersion.bind(nullptr);
        lib.VXWL_QueryFWVersion.bind(nullptr);
        lib.VXWL_ReadDriverName.bind(nullptr);
        lib.VXWL_GetWinOS.bind(nullptr);
        lib.VXWL_IsWow64.bind(nullptr);
        set_hide_dlg_services(nullptr);
        the() = nullptr;
    }

    static FakeHostedLibrary*& the()
    {
        static FakeHostedLibrary* instance = nullptr;
        return instance;
    }

private:
    // Records the lower children the pages ask the configuration window to show.
    struct Services final : HideDlgServices {
        void show_sub_dialog(int index) override { the()->sub_dialogs.push_back(index); }
    };
    Services m_services;

    void bind_adapter()
    {
        auto& lib = G_VxWlLib;
        lib.VXWL_QueryMacAddrs.bind([](std::uint8_t* out) {
            std::memcpy(out, the()->mac, 6);
            return 1;
        });
        lib.VXWL_GetCurrentDeviceModel.bind([](int* model) {
            *model = the()->model;
            return the()->model_ok ? 1 : 0;
        });
        lib.VXWL_QueryEEPROMVersion.bind([](VXWL_U32* v) {
            *v = the()->eeprom;
            return the()->eeprom_ok ? 1 : 0;
        });
        lib.VXWL_QueryFWVersion.bind([](VXWL_U32* v) {
            *v = the()->firmware;
            return the()->firmware_ok ? 1 : 0;
        });
        lib.VXWL_ReadDriverName.bind([](char* text) {
            std::snprintf(text, 260, "%s", the()->driver_name.c_str());
            return 1;
        });
        lib.VXWL_GetWinOS.bind([] { return the()->win_os; });
        lib.VXWL_IsWow64.bind([] { return the()->wow64; });
    }
};
