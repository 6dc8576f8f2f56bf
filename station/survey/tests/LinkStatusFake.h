// What the link status page asks the library, answered by fixed functions over a status record
// the caller puts in the status slot, and the record of "HomeNet 5G" connected. Shared by the
// page's tests and its benchmark, so it needs no test framework.
#pragma once

#include "station/core/VxWlLib.h"

#include <cstdint>
#include <cstring>
#include <vector>

// What the library answers; every test starts from a fresh one.
struct FakeLink {
    WLAN_STATUS status {};
    int win_os { 10 };
    int wireless_mode { 9 };
    int supports_11n { 1 };
    int device_model { 2 };
    int model_answer { 1 };
    std::uint32_t transmit_word { 0 };
    std::uint32_t answered_oid { 0xFF0C0021 };
    int snr2_answer { 0 };
    std::int32_t snr2 { 0 };
    AP_ADDRESS_RECORD ap {};
    int ap_answer { 0 };
    VXWL_U32 ccx_word { 0 };
    int ccx_query_answer { 1 };
    int service_on { 1 };
    int radio_on { 1 };
    int wapi_connecting { 0 };
    int wapi_progress { 0 };
    KT_802_11_STA_CONFIG sta {};
    IE_INFO_WPA ie {};
    int status_queries { 0 };
    std::vector<std::uint32_t> oids;

    static FakeLink& the()
    {
        static FakeLink link;
        return link;
    }

    // Bytes the counters carry from one status query to the next (none unless set).
    std::uint32_t tx_step { 0 };
    std::uint32_t rx_step { 0 };

    static int query_status(WLAN_STATUS* s, WLAN_STATUS_REQUEST)
    {
        ++the().status_queries;
        the().status.BytesTx += the().tx_step;
        the().status.BytesRx += the().rx_step;
        *s = the().status;
        return 1;
    }
    static int oid_query(VXWL_U32 oid, void* buffer, VXWL_U32 length, VXWL_U32* returned)
    {
        the().oids.push_back(oid);
        if (oid == 0x0D7101C0 && the().snr2_answer && length >= 4) {
            std::memcpy(buffer, &the().snr2, 4);
            *returned = 4;
            return 1;
        }
        if (oid == the().answered_oid && length >= 4) {
            std::memcpy(buffer, &the().transmit_word, 4);
            *returned = 4;
            return 1;
        }
        return 0;
    }
    static int device_model_of(int* model)
    {
        *model = the().device_model;
        return the().model_answer;
    }
    static int mode_of(int* mode)
    {
        *mode = the().wireless_mode;
        return 1;
    }
    static int ap_address(AP_ADDRESS_RECORD* record)
    {
        *record = the().ap;
        return the().ap_answer;
    }
    static int read_ccx(VXWL_U32* word)
    {
        *word = the().ccx_word;
        return 1;
    }
    static int query_ccx(VXWL_U32* word)
    {
        if (the().ccx_query_answer)
            *word = the().ccx_word;
        return the().ccx_query_answer;
    }
    static int sta_config(KT_802_11_STA_CONFIG* config)
    {
        *config = the().sta;
        return 1;
    }
    static int parse(NDIS_WLAN_BSSID_EX const*, IE_INFO_WPA* ie)
    {
        *ie = the().ie;
        return 1;
    }
    // Channel numbers of the 2.4 and 5 GHz plans; -1 outside them.
    static int channel_of(VXWL_U32 khz)
    {
        int const mhz = static_cast<int>(khz / 1000);
        if (mhz >= 2412 && mhz <= 2472)
            return (mhz - 2407) / 5;
        if (mhz >= 5000 && mhz <= 5900)
            return (mhz - 5000) / 5;
        return -1;
    }

    static void bind()
    {
        the() = FakeLink {};
        auto& lib = G_VxWlLib;
        lib.VXWL_QueryWLANStatus.bind(&query_status);
        lib.VXWL_OIDQueryInfo.bind(&oid_query);
        lib.VXWL_GetCurrentDeviceModel.bind(&device_model_of);
        lib.VXWL_QueryWirelessMode.bind(&mode_of);
        lib.VXWL_QueryAPIPAddress.bind(&ap_address);
        lib.VXWL_ReadCCX2Cont.bind(&read_ccx);
        lib.VXWL_QueryCCXInfo.bind(&query_ccx);
        lib.VXWL_QuerySTAConfig.bind(&sta_config);
        lib.VXWL_ParseInfoElement.bind(&parse);
        lib.VXWL_FrequencyToChannel.bind(&channel_of);
        lib.VXWL_GetWinOS.bind([] { return the().win_os; });
        lib.VXWL_Is80211NSupport.bind([] { return the().supports_11n; });
        lib.VXWL_CheckMSConfigService.bind([] { return the().service_on; });
        lib.VXWL_ReadRadioStatus.bind([] { return the().radio_on; });
        lib.VXWL_IsWAPIConnecting.bind([] { return the().wapi_connecting; });
        lib.VXWL_GetWAPIProgress.bind([] { return the().wapi_progress; });
    }

    static void unbind()
    {
        auto& lib = G_VxWlLib;
        lib.VXWL_QueryWLANStatus.bind(nullptr);
        lib.VXWL_OIDQueryInfo.bind(nullptr);
        lib.VXWL_GetCurrentDeviceModel.bind(nullptr);
        lib.VXWL_QueryWirelessMode.bind(nullptr);
        lib.VXWL_QueryAPIPAddress.bind(nullptr);
        lib.VXWL_ReadCCX2Cont.bind(nullptr);
        lib.VXWL_QueryCCXInfo.bind(nullptr);
        lib.VXWL_QuerySTAConfig.bind(nullptr);
        lib.VXWL_ParseInfoElement.bind(nullptr);
        lib.VXWL_FrequencyToChannel.bind(nullptr);
        lib.VXWL_GetWinOS.bind(nullptr);
        lib.VXWL_Is80211NSupport.bind(nullptr);
        lib.VXWL_CheckMSConfigService.bind(nullptr);
        lib.VXWL_ReadRadioStatus.bind(nullptr);
        lib.VXWL_IsWAPIConnecting.bind(nullptr);
        lib.VXWL_GetWAPIProgress.bind(nullptr);
    }
};

// "HomeNet 5G" on channel 36 at 40 MHz, two chains, as the default world has it.
inline WLAN_STATUS connected_status()
{
    WLAN_STATUS s {};
    s.Status = VxStatus_Connected;
    s.LinkState = LINK_UP;
    s.Ssid.SsidLength = 10;
    std::memcpy(s.Ssid.Ssid, "HomeNet 5G", 10);
    std::uint8_t const bssid[6] = { 0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E };
    std::memcpy(s.Bssid, bssid, 6);
    s.NetworkType = 1;
    s.Ant1Dbm = -50;
    s.Ant1Percent = 80;
    s.Ant2Present = 1;
    s.Ant2Dbm = -53;
    s.Ant2Percent = 74;
    s.Ant3Dbm = -200;
    s.Snr1 = 40;
    s.Snr2 = 37;
    s.FrequencyKHz = 5180000;
    s.AuthMode = 7;
    s.EncryptionStatus = 6;
    s.TxRate = 600;
    s.LinkQuality = 80;
    s.CentralChannel = 38;
    s.TxRateMbps = 300.0;
    s.RxRateMbps = 270.0;
    s.TxPowerPercent = 100;
    s.TransmitSetting = 0x818F;
    std::uint8_t const ip[4] = { 192, 168, 1, 23 }, mask[4] = { 255, 255, 255, 0 }, gw[4] = { 192, 168, 1, 1 };
    std::memcpy(s.IpAddress, ip, 4);
    std::memcpy(s.SubnetMask, mask, 4);
    std::memcpy(s.Gateway, gw, 4);
    return s;
}
