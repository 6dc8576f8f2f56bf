// Exports of scanning, the element digest, the status record, channels and driver queries.
#include "wlan/VxWLAPI/BlockAckOids.h"
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"
#include "wlan/sim/Channels.h"
#include "wlan/sim/Digest.h"
#include "wlan/sim/ScanList.h"

#include <algorithm>
#include <cstring>

using wlan::sim::World;
using wlan::vxwl::Library;

// Starts a scan; `finished` runs on the library's thread when it ends. A scan that cannot run
// or fails posts the scan-failed message instead.
VXWL_API int VXWL_SiteSurveyScan(ScanFinishedFunc finished)
{
    auto& lib = Library::get();
    lib.add_scan_waiter(finished);
    return lib.with_world([](World& w, std::uint64_t now) { return w.start_scan(now) ? 1 : 0; });
}

// `size` is the buffer's size in bytes, in and out. Too small: -10 with the needed size and
// nothing written. The list never exceeds the program's 0x8000-byte buffer.
VXWL_API int VXWL_SiteSurveyQuery(void* list, VXWL_U32* size)
{
    if (!size)
        return VXWL_ERROR_FAIL;
    auto bytes = Library::get().with_world(
        [](World& w, std::uint64_t) { return wlan::sim::build_list(w.scan_entries(), BSSID_LIST_BUFFER_SIZE); });
    if (!list || *size < bytes.size()) {
        *size = std::uint32_t(bytes.size());
        return VXWL_ERROR_BUFFER_TOO_SMALL;
    }
    std::memcpy(list, bytes.data(), bytes.size());
    *size = std::uint32_t(bytes.size());
    return VXWL_ERROR_SUCCESS;
}

// Reads no further than the entry's own Length and 116 + IELength, and never past one list
// buffer, whatever those fields say.
VXWL_API int VXWL_ParseInfoElement(const NDIS_WLAN_BSSID_EX* entry, IE_INFO_WPA* info)
{
    if (!entry || !info)
        return VXWL_ERROR_FAIL;
    std::uint64_t const claimed = std::min<std::uint64_t>(entry->Length, std::uint64_t(NDIS_WLAN_BSSID_EX_FIXED) + entry->IELength);
    std::size_t const bound = std::size_t(std::min<std::uint64_t>(std::max<std::uint64_t>(claimed, NDIS_WLAN_BSSID_EX_FIXED), BSSID_LIST_BUFFER_SIZE));
    auto const* bytes = reinterpret_cast<std::uint8_t const*>(entry);
    auto report = wlan::sim::digest_entry(std::span(bytes, bound), *info);
    return report.error == wlan::sim::DigestError::None ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_QueryWLANStatus(WLAN_STATUS* status, WLAN_STATUS_REQUEST request)
{
    (void)request; // every field is filled whatever the switches ask for
    if (!status)
        return VXWL_ERROR_FAIL;
    return Library::get().with_world([&](World& w, std::uint64_t now) { return w.fill_status(*status, now) ? 1 : 0; });
}

VXWL_API int VXWL_RssiToPercent(int dbm) { return wlan::sim::rssi_to_percent(dbm); }
VXWL_API int VXWL_FrequencyToChannel(VXWL_U32 khz) { return wlan::sim::frequency_to_channel(khz); }
VXWL_API int VXWL_ChannelToFrequency(int channel) { return int(wlan::sim::channel_to_frequency(channel)); }

VXWL_API int VXWL_GetAvailableChannels(int band, int phy_mode, int adhoc_mode, std::uint8_t* channels, int* count, int flags)
{
    (void)band;
    (void)adhoc_mode;
    (void)flags;
    if (!channels || !count)
        return VXWL_ERROR_FAIL;
    auto list = Library::get().with_world([&](World& w, std::uint64_t) {
        return wlan::sim::available_channels(phy_mode, w.spec().region24, w.spec().region5);
    });
    std::memcpy(channels, list.data(), std::min<std::size_t>(list.size(), CHANNEL_LIST_MAX));
    *count = int(std::min<std::size_t>(list.size(), CHANNEL_LIST_MAX));
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_ConvertPhyModeToAdHocMode(int phy_mode, int* adhoc_mode)
{
    if (!adhoc_mode)
        return VXWL_ERROR_FAIL;
    *adhoc_mode = phy_mode;
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_QueryWirelessMode(int* mode)
{
    if (!mode)
        return VXWL_ERROR_FAIL;
    *mode = Library::get().with_world([](World& w, std::uint64_t) { return w.spec().wireless_mode; });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_ReadAdvanceCfgData(ADVANCE_CONFIG_DATA* config)
{
    if (!config)
        return VXWL_ERROR_FAIL;
    auto& lib = Library::get();
    return lib.with_world([&](World& w, std::uint64_t) {
        auto stored = lib.store().read_record<ADVANCE_CONFIG_DATA>("advance_cfg");
        ADVANCE_CONFIG_DATA c {};
        if (stored) {
            c = *stored;
        } else {
            c.CountryRegion = std::uint32_t(w.spec().region24);
            c.CountryRegionABand = std::uint32_t(w.spec().region5);
            c.WirelessMode = std::uint32_t(w.spec().wireless_mode);
            c.ShowAuthStatus = 1;
        }
        *config = c;
        return VXWL_ERROR_SUCCESS;
    });
}


// The driver requests the link status page makes; any other request answers FALSE.
VXWL_API int VXWL_OIDQueryInfo(VXWL_U32 oid, void* buffer, VXWL_U32 length, VXWL_U32* returned)
{
    if (!buffer)
        return 0;
    return Library::get().with_world([&](World& w, std::uint64_t now) {
        WLAN_STATUS s {};
        bool const up = w.fill_status(s, now) && s.Status == VxStatus_Connected;
        auto answer = [&](void const* data, VXWL_U32 size) {
            if (length < size)
                return 0;
            std::memcpy(buffer, data, size);
            if (returned)
                *returned = size;
            return 1;
        };
        if (auto ba = wlan::vxwl::query_ba_oid(w, oid, buffer, length, returned))
            return *ba;
        // The associated access point's address; zeros while not associated.
        if (oid == OID_802_3_BSSID) {
            static constexpr std::uint8_t kNone[6] {};
            return answer(up ? s.Bssid : kNone, 6);
        }
        // The driver of each system generation answers its own identifier only.
        std::uint32_t const transmit_oid = w.spec().win_os >= 10 ? OID_TRANSMIT_SETTING : OID_TRANSMIT_SETTING_LEGACY;
        if (oid == transmit_oid) {
            std::uint32_t const word = s.TransmitSetting;
            return answer(&word, 4);
        }
        // The third chain's signal-to-noise ratio, on adapters that have a third chain.
        if (oid == OID_SNR_2) {
            auto const* a = w.selected_adapter();
            if (!a || a->chains < 3)
                return 0;
            std::int32_t const snr = up ? s.Ant3Dbm - s.NoiseDbm : 0;
            return answer(&snr, 4);
        }
        return 0;
    });
}

VXWL_API int VXWL_OIDSetInfo(VXWL_U32 oid, const void* buffer, VXWL_U32 length)
{
    if (!buffer)
        return 0;
    auto ba = Library::get().with_world([&](World& w, std::uint64_t) { return wlan::vxwl::set_ba_oid(w, oid, buffer, length); });
    if (ba)
        return *ba;
    return (oid == OID_802_11_INFRASTRUCTURE_MODE || oid == OID_802_11_PHY_RECORD) && length >= 4 ? 1 : 0;
}

VXWL_API int VXWL_QueryAPIPAddress(AP_ADDRESS_RECORD* record)
{
    if (!record)
        return 0;
    return Library::get().with_world([&](World& w, std::uint64_t now) {
        auto const* ap = w.linked_ap();
        if (!ap || w.phase() != wlan::sim::LinkPhase::Connected || !w.address_assigned(now))
            return 0;
        AP_ADDRESS_RECORD r {};
        std::memcpy(r.IpAddress, ap->ip.data(), 4);
        std::snprintf(r.Name, sizeof r.Name, "%s", ap->name.c_str());
        *record = r;
        return 1;
    });
}

VXWL_API int VXWL_QuerySTAConfig(KT_802_11_STA_CONFIG* config)
{
    if (!config)
        return 0;
    return Library::get().with_world([&](World& w, std::uint64_t) {
        KT_802_11_STA_CONFIG c {};
        c.EnableTxBurst = w.tx_burst();
        c.UseBGProtection = w.protection();
        c.UseShortSlotTime = 1;
        c.AdhocMode = std::uint32_t(w.spec().wireless_mode);
        c.HwRadioStatus = w.radio_hw() ? 1 : 0;
        *config = c;
        return 1;
    });
}

VXWL_API int VXWL_QueryPrivateMsg(VXWL_U32* value)
{
    if (!value)
        return 0;
    *value = Library::get().with_world([](World& w, std::uint64_t) { return w.take_private_message(); });
    return 1;
}

VXWL_API int VXWL_ResetCounter(void)
{
    Library::get().with_world([](World& w, std::uint64_t now) { w.reset_counters(now); });
    return 1;
}

VXWL_API int VXWL_IsWAPIConnecting(void)
{
    return Library::get().with_world([](World& w, std::uint64_t) { return w.wapi_connecting() ? 1 : 0; });
}

VXWL_API int VXWL_GetWAPIProgress(void)
{
    return Library::get().with_world([](World& w, std::uint64_t now) { return w.wapi_progress(now); });
}

VXWL_CHECK_TYPE(SiteSurveyScan);
VXWL_CHECK_TYPE(SiteSurveyQuery);
VXWL_CHECK_TYPE(ParseInfoElement);
VXWL_CHECK_TYPE(QueryWLANStatus);
VXWL_CHECK_TYPE(RssiToPercent);
VXWL_CHECK_TYPE(FrequencyToChannel);
VXWL_CHECK_TYPE(ChannelToFrequency);
VXWL_CHECK_TYPE(GetAvailableChannels);
VXWL_CHECK_TYPE(ConvertPhyModeToAdHocMode);
VXWL_CHECK_TYPE(QueryWirelessMode);
VXWL_CHECK_TYPE(ReadAdvanceCfgData);
VXWL_CHECK_TYPE(OIDQueryInfo);
VXWL_CHECK_TYPE(OIDSetInfo);
VXWL_CHECK_TYPE(QueryAPIPAddress);
VXWL_CHECK_TYPE(QuerySTAConfig);
VXWL_CHECK_TYPE(QueryPrivateMsg);
VXWL_CHECK_TYPE(ResetCounter);
VXWL_CHECK_TYPE(IsWAPIConnecting);
VXWL_CHECK_TYPE(GetWAPIProgress);
