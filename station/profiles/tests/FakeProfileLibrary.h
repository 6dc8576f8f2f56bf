// A scripted WLAN library for the profile page's tests: stored profiles in memory, the answers
// the page's rights and link queries get, and a log of the calls the page made, by export
// name. Also the seam to the hidden dialog and the window, whose window is the test's recording
// parent. One instance at a time (the slots hold plain functions); unbound when it goes.
#pragma once

#include "station/core/HideDlgServices.h"
#include "station/core/VxWlLib.h"
#include "wlan/profile/ProfileFields.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

struct FakeProfileLibrary : HideDlgServices {
    // [SECTION] What the library answers
    std::vector<WLANPROFILE> profiles;
    std::string active;
    int win_os { 12 };
    int admin { 1 };
    int standard_user_profile { 0 };
    int wpa_capable { 1 };
    int op_mode { 0 };
    int ms_config_service { 1 };
    int zero_config { 0 };
    int radio { 1 };
    VXWL_U32 wps_flag { 0 };
    VXWL_U32 ccx { 0 };
    int active_profile_icon { 1 };
    WLAN_STATUS status {};
    int import_result { 0 };
    int export_result { 1 };

    // [SECTION] What the page did
    std::vector<std::string> calls;
    std::vector<std::pair<std::string, int>> deleted;
    std::vector<std::string> imported;
    std::vector<std::pair<std::string, std::string>> exported;
    int zeroed { 0 };
    HWND window { nullptr };

    static FakeProfileLibrary*& the()
    {
        static FakeProfileLibrary* fake = nullptr;
        return fake;
    }
    static void log(char const* name) { the()->calls.emplace_back(name); }

    explicit FakeProfileLibrary(HWND config_window)
        : window(config_window)
    {
        the() = this;
        set_hide_dlg_services(this);
        G_VxWlLib.bActiveProfileIcon = 1;
        bind_rights();
        bind_store();
        bind_link();
    }
    ~FakeProfileLibrary() override
    {
        set_hide_dlg_services(nullptr);
#define STATION_FAKE_UNBIND(name, result, params) G_VxWlLib.VXWL_##name.bind(nullptr);
        VXWL_EXPORTS(STATION_FAKE_UNBIND)
#undef STATION_FAKE_UNBIND
        the() = nullptr;
    }

    HWND config_window() const override { return window; }
    void zero_current_profile() override { ++zeroed; }

    WLANPROFILE& add(char const* name, char const* ssid, std::uint32_t auth = AUTH_OPEN, std::uint32_t cipher = ENC_NONE)
    {
        WLANPROFILE p {};
        wlan::profile::write_text(p.strProfileName, name);
        wlan::profile::write_ssid(p, ssid);
        p.enumNetworkType = 1;
        p.enumAuthenMode = auth;
        p.enumEncryStatus = cipher;
        p.nProfileID = std::uint32_t(profiles.size() + 1);
        p.wepDefaultKey = 1;
        profiles.push_back(p);
        return profiles.back();
    }
    WLANPROFILE const* find(char const* name) const
    {
        for (auto const& p : profiles)
            if (wlan::profile::same_name(wlan::profile::name_of(p), name ? name : ""))
                return &p;
        return nullptr;
    }
    void connect_to(char const* ssid)
    {
        status = WLAN_STATUS {};
        status.Status = VxStatus_Connected;
        status.Ssid.SsidLength = std::uint32_t(std::strlen(ssid));
        std::memcpy(status.Ssid.Ssid, ssid, status.Ssid.SsidLength);
        status.Bssid[0] = 2;
    }

private:
    void bind_rights()
    {
        auto& lib = G_VxWlLib;
        lib.VXWL_GetWinOS.bind([] { return the()->win_os; });
        lib.VXWL_DetectUserAdmin.bind([] { return the()->admin; });
        lib.VXWL_IsAllowStandardUserSetProfile.bind([] { return the()->standard_user_profile; });
        lib.VXWL_IsWpaCapable.bind([] { return the()->wpa_capable; });
        lib.VXWL_QueryOPMode.bind([] { return the()->op_mode; });
        lib.VXWL_CheckMSConfigService.bind([] { return the()->ms_config_service; });
        lib.VXWL_IsZeroConfig.bind([] { return the()->zero_config; });
        lib.VXWL_ReadRadioStatus.bind([] { return the()->radio; });
        lib.VXWL_FrequencyToChannel.bind([](VXWL_U32 khz) { return int(khz / 1000); });
    }

    void bind_store()
    {
        auto& lib = G_VxWlLib;
        lib.VXWL_ReadProfileList.bind([](WLANPROFILE* out, VXWL_U32* count) {
            log("ReadProfileList");
            auto const& list = the()->profiles;
            if (out && *count < list.size()) {
                *count = VXWL_U32(list.size());
                return -10;
            }
            if (out)
                std::copy(list.begin(), list.end(), out);
            *count = VXWL_U32(list.size());
            return 1;
        });
        lib.VXWL_ReadProfileData.bind([](WLANPROFILE* out, const char* name) {
            log("ReadProfileData");
            auto const* p = the()->find(name);
            if (p)
                *out = *p;
            return p ? 1 : 0;
        });
        lib.VXWL_ReadActiveProfileName.bind([](char* name) {
            log("ReadActiveProfileName");
            wlan::profile::write_text(name, PROFILE_NAME_SIZE, the()->active);
            return 1;
        });
        lib.VXWL_CopyProfileToCurrentSetting.bind([](const char* name) {
            log("CopyProfileToCurrentSetting");
            the()->active = name;
            return 1;
        });
        lib.VXWL_ResetToDefaultConnecctionSetting.bind([] {
            log("ResetToDefaultConnecctionSetting");
            the()->active.clear();
            return 1;
        });
        lib.VXWL_DeleteProfile.bind([](const char* name, int flag) {
            log("DeleteProfile");
            the()->deleted.emplace_back(name, flag);
            std::erase_if(the()->profiles, [&](WLANPROFILE const& p) { return wlan::profile::name_of(p) == name; });
            return 1;
        });
        lib.VXWL_GetNextProfileID.bind([](char* id) {
            std::strcpy(id, "7");
            return 1;
        });
        lib.VXWL_ImportProfile.bind([](const char* path) {
            log("ImportProfile");
            the()->imported.emplace_back(path);
            return the()->import_result;
        });
        lib.VXWL_ExportProfile.bind([](const char* name, const char* path) {
            log("ExportProfile");
            the()->exported.emplace_back(name, path);
            return the()->export_result;
        });
    }

    void bind_link()
    {
        auto& lib = G_VxWlLib;
        lib.VXWL_QueryWLANStatus.bind([](WLAN_STATUS* s, WLAN_STATUS_REQUEST request) {
            log("QueryWLANStatus");
            *s = request.Switch[1] == 1 ? the()->status : WLAN_STATUS {};
            return 1;
        });
        lib.VXWL_ReadWPSFlag.bind([](VXWL_U32* flag) {
            log("ReadWPSFlag");
            *flag = the()->wps_flag;
            return 1;
        });
        lib.VXWL_WriteWPSFlag.bind([](VXWL_U32 flag) {
            log("WriteWPSFlag");
            the()->wps_flag = flag;
            return 1;
        });
        lib.VXWL_ReadWPSProfile.bind([](WPS_MODE*, WPS_PROFILE*) {
            log("ReadWPSProfile");
            return 1;
        });
        lib.VXWL_ReadCCX2Cont.bind([](VXWL_U32* word) {
            log("ReadCCX2Cont");
            *word = the()->ccx;
            return 1;
        });
        lib.VXWL_ReadAdvanceCfgData.bind([](ADVANCE_CONFIG_DATA* config) {
            log("ReadAdvanceCfgData");
            config->CountryRegion = 1;
            config->CountryRegionABand = 2;
            return 1;
        });
        lib.VXWL_SetAdvanceSetting.bind([](ADVANCE_OID) {
            log("SetAdvanceSetting");
            return 1;
        });
        lib.VXWL_QuerySTAConfig.bind([](KT_802_11_STA_CONFIG* sta) {
            log("QuerySTAConfig");
            sta->AdhocMode = 3;
            return 1;
        });
        lib.VXWL_WriteSSOReleaseSUP.bind([] {
            log("WriteSSOReleaseSUP");
            return 1;
        });
        lib.VXWL_ReadSSOStatus.bind([](SSO_STATUS* s) {
            log("ReadSSOStatus");
            std::memset(s, 0, SSO_STATUS_LEGACY_SIZE);
            return 1;
        });
    }
};
