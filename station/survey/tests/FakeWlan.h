// A scripted WLAN library for the site survey page's tests: the test sets the answers in one
// object and the binding's slots call in to it. The scan list is a fixture list in a heap
// buffer of exactly 0x8000 bytes; each entry's digest is chosen by its address's last byte.
// Also a fake of the seam to the hidden dialog and the window, whose window is the test's
// recording parent.
#pragma once

#include "station/core/BssidQuery.h"
#include "station/core/HideDlgServices.h"
#include "station/core/VxWlLib.h"
#include "station/core/tests/ScanFixtures.h"

#include <cstring>
#include <map>
#include <memory>

namespace station::testing {

// The library's answers, each with its default.
struct FakeAnswers {
    int win_os { 12 };
    int zero_config { 0 };
    int ms_config_service { 1 };
    int wapi_connecting { 0 };
    int radio { 1 };
    VXWL_U32 hw_radio { 1 };
    VXWL_U32 sw_radio { 1 };
    int wpa_capable { 1 };
    int op_mode { 0 };
    int admin { 1 };
    int standard_user_profile { 1 };
    int wireless_mode { 5 };
    int channels { 13 };
    VXWL_U32 wps_flag { 0 };
    int scans { 0 };
    WLAN_STATUS status {};
    WLANPROFILE active {};
};

struct FakeWlan : FakeAnswers {
    std::map<int, IE_INFO_WPA> digests; // by the last byte of the address
    ScanListBuffer list;                // what VXWL_SiteSurveyQuery answers

    FakeWlan(FakeWlan const&) = delete;
    FakeWlan& operator=(FakeWlan const&) = delete;

    // Back to the default answers and an empty list.
    void reset()
    {
        static_cast<FakeAnswers&>(*this) = FakeAnswers {};
        digests.clear();
        list = ScanListBuffer {};
    }

    static FakeWlan*& current()
    {
        static FakeWlan* fake = nullptr;
        return fake;
    }

    FakeWlan()
    {
        current() = this;
        bind();
        m_cache = std::make_unique<std::uint8_t[]>(BSSID_LIST_BUFFER_SIZE);
        std::memset(m_cache.get(), 0, BSSID_LIST_BUFFER_SIZE);
        G_VxWlLib.pBssidList = m_cache.get();
        m_bSurveyComplete = 0;
    }
    ~FakeWlan()
    {
        G_VxWlLib.pBssidList = nullptr;
#define STATION_FAKE_UNBIND(name, result, params) G_VxWlLib.VXWL_##name.bind(nullptr);
        VXWL_EXPORTS(STATION_FAKE_UNBIND)
#undef STATION_FAKE_UNBIND
        current() = nullptr;
    }

    // The cache the page copies its rows from: the fixture list, as a merge would leave it.
    void cache_list() { std::memcpy(m_cache.get(), list.data(), BSSID_LIST_BUFFER_SIZE); }
    // The scan ended: the library calls the page's callback on its thread.
    void finish_scan() { FuncScanFinished(); }

private:
    static FakeWlan& f() { return *current(); }

    static void bind()
    {
        auto& l = G_VxWlLib;
        l.VXWL_GetWinOS.bind([] { return f().win_os; });
        l.VXWL_IsZeroConfig.bind([] { return f().zero_config; });
        l.VXWL_CheckMSConfigService.bind([] { return f().ms_config_service; });
        l.VXWL_IsWAPIConnecting.bind([] { return f().wapi_connecting; });
        l.VXWL_ReadRadioStatus.bind([] { return f().radio; });
        l.VXWL_IsWpaCapable.bind([] { return f().wpa_capable; });
        l.VXWL_QueryOPMode.bind([] { return f().op_mode; });
        l.VXWL_DetectUserAdmin.bind([] { return f().admin; });
        l.VXWL_IsAllowStandardUserSetProfile.bind([] { return f().standard_user_profile; });
        l.VXWL_SiteSurveyScan.bind([](ScanFinishedFunc) { return ++f().scans, 1; });
        l.VXWL_SiteSurveyQuery.bind([](void* out, VXWL_U32* size) {
            std::memcpy(out, f().list.data(), std::min<VXWL_U32>(*size, BSSID_LIST_BUFFER_SIZE));
            return 1;
        });
        l.VXWL_ParseInfoElement.bind([](NDIS_WLAN_BSSID_EX const* entry, IE_INFO_WPA* digest) {
            auto it = f().digests.find(entry->MacAddress[5]);
            *digest = it == f().digests.end() ? IE_INFO_WPA {} : it->second;
            return 1;
        });
        l.VXWL_FrequencyToChannel.bind([](VXWL_U32 khz) { return khz == 0 ? -1 : khz_to_channel(khz); });
        l.VXWL_RssiToPercent.bind([](int dbm) { return std::clamp(2 * (dbm + 100), 0, 100); });
        l.VXWL_QueryWLANStatus.bind([](WLAN_STATUS* status, WLAN_STATUS_REQUEST) { return *status = f().status, 1; });
        l.VXWL_QueryHWAndSWRadioState.bind([](VXWL_U32* hw, VXWL_U32* sw) {
            *hw = f().hw_radio;
            *sw = f().sw_radio;
            return 1;
        });
        l.VXWL_ReadWPSFlag.bind([](VXWL_U32* flag) { return *flag = f().wps_flag, 1; });
        l.VXWL_ReadActiveProfileName.bind([](char* name) { return std::strcpy(name, "Active"), 1; });
        l.VXWL_ReadProfileData.bind([](WLANPROFILE* profile, char const*) { return *profile = f().active, 1; });
        l.VXWL_ReadAdvanceCfgData.bind([](ADVANCE_CONFIG_DATA* config) {
            *config = ADVANCE_CONFIG_DATA {};
            config->WirelessMode = std::uint32_t(f().wireless_mode);
            return 1;
        });
        l.VXWL_ConvertPhyModeToAdHocMode.bind([](int mode, int* adhoc) { return *adhoc = mode, 1; });
        l.VXWL_GetAvailableChannels.bind([](int, int, int, std::uint8_t* channels, int* count, int) {
            *count = f().channels;
            for (int i = 0; i < *count; ++i)
                channels[i] = std::uint8_t(1 + i);
            return 1;
        });
        l.VXWL_QueryWirelessMode.bind([](int* mode) { return *mode = f().wireless_mode, 1; });
        // The library keeps its own entries: the cache is a copy of each fresh list.
        l.VXWL_CheckBssidRepositTime.bind([] { return 1; });
    }

    std::unique_ptr<std::uint8_t[]> m_cache;
};

// The seam, with the test's parent window standing for the configuration window.
class FakeServices : public HideDlgServices {
public:
    explicit FakeServices(HWND window)
        : m_window(window)
    {
        set_hide_dlg_services(this);
    }
    ~FakeServices() override { set_hide_dlg_services(nullptr); }

    HWND config_window() const override { return m_window; }
    bool copy_current_profile(WLANPROFILE& out) const override
    {
        out = current;
        return true;
    }

    WLANPROFILE current {};

private:
    HWND m_window;
};

// An entry with a name, a signal, a channel (0: a frequency outside every plan) and the fixed
// fields the list shows.
inline std::vector<std::uint8_t> named_entry(std::uint8_t mac_last, char const* ssid, int rssi, int channel = 6)
{
    auto bytes = scan_entry(mac_last, channel);
    NDIS_WLAN_BSSID_EX fixed;
    std::memcpy(&fixed, bytes.data(), sizeof fixed);
    fixed.Ssid.SsidLength = std::uint32_t(std::strlen(ssid));
    std::memcpy(fixed.Ssid.Ssid, ssid, fixed.Ssid.SsidLength);
    fixed.Rssi = rssi;
    fixed.InfrastructureMode = 1;
    fixed.NetworkTypeInUse = 3;
    if (channel == 0)
        fixed.DSConfig = 0;
    std::memcpy(bytes.data(), &fixed, sizeof fixed);
    return bytes;
}

}
