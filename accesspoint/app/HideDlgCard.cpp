// CHideDlg: choosing the adapter, bringing the card into access point mode and re-applying the
// stored configuration, access list and system profile.
#include "accesspoint/app/HideDlg.h"

#include "accesspoint/app/AccessList.h"
#include "accesspoint/core/Trace.h"
#include "accesspoint/core/VxApApi.h"
#include "station/controls/SelCardDlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace hotvane {

namespace {

// The access point utility's adapter selection dialog: Escape keeps the adapter shown.
constexpr SelCardLayout kHotvaneSelCardLayout { 116, 6094, 6095, 6097, 1098, 1099, true };
// The list is asked again while it answers "too small", at most this many times.
constexpr int kAdapterListAttempts = 4;
// No machine has more adapters; a larger count is not believed.
constexpr std::int32_t kMaxAdapters = 64;
constexpr int kBufferTooSmall = -10;
constexpr char kUpdatedSsidMarker[] = "getUpdatedSSID";

// The library's adapter list. Only the entries there was room for are read; a failure, a count
// below 1 or a list that keeps growing reads as no adapter.
std::vector<AdapterEntry> read_adapters()
{
    std::int32_t capacity = 1;
    std::vector<BYTE> buffer(ADAPTER_LIST_HEADER_SIZE + sizeof(AdapterEntry));
    int answer = G_VxApApi.VXAP_GetAvailableAdapters(buffer.data(), capacity);
    for (int attempt = 1; answer == kBufferTooSmall && attempt < kAdapterListAttempts; ++attempt) {
        std::int32_t needed = 0;
        std::memcpy(&needed, buffer.data(), sizeof needed);
        if (needed < 1 || needed > kMaxAdapters)
            return {};
        capacity = needed;
        buffer.assign(ADAPTER_LIST_HEADER_SIZE + std::size_t(capacity) * sizeof(AdapterEntry), 0);
        answer = G_VxApApi.VXAP_GetAvailableAdapters(buffer.data(), capacity);
    }
    if (answer != 1)
        return {};
    std::int32_t reported = 0;
    std::memcpy(&reported, buffer.data(), sizeof reported);
    std::size_t const usable = reported < 1 ? 0 : std::min<std::size_t>(std::size_t(reported), std::size_t(capacity));
    std::vector<AdapterEntry> adapters(usable);
    if (usable)
        std::memcpy(adapters.data(), buffer.data() + ADAPTER_LIST_HEADER_SIZE, usable * sizeof(AdapterEntry));
    return adapters;
}

void clear_adapter_texts()
{
    AdapterEntry& adapter = G_VxApApi.adapter;
    adapter.FriendlyName[0] = '\0';
    adapter.DeviceDescription[0] = '\0';
    adapter.ServiceName[0] = '\0';
    adapter.DeviceName[0] = '\0';
}

}

int CHideDlg::DetectAdapter()
{
    std::vector<AdapterEntry> const adapters = read_adapters();
    int const count = int(adapters.size());
    TraceMsg("[Hotvane] DetectAdapter(): %d adapters\n", count);
    if (count < 1) {
        clear_adapter_texts();
        return count;
    }
    if (count == 1) {
        TraceMsg("[Hotvane] DetectAdapter(): ICS is bound by the pAvailableDevList->adapter[0]\n");
        G_VxApApi.adapter = adapters[0];
    } else {
        CSelCardDlg dialog(this, kHotvaneSelCardLayout);
        dialog.SetAdapterList(adapters.data(), count);
        m_bDialogRunning = TRUE;
        dialog.DoModal();
        m_bDialogRunning = FALSE;
        int const index = std::clamp(dialog.chosen_index(), 0, count - 1);
        G_VxApApi.adapter = adapters[std::size_t(index)];
        TraceMsg("[Hotvane] DetectAdapter(): selected Adapter from pAvailableDevList->adapter[%d]\n", index);
    }
    G_VxApApi.VXAP_AdapterSelect(&G_VxApApi.adapter, 0, m_hWnd);
    return count;
}

void CHideDlg::InitCard()
{
    if (G_VxApApi.VXAP_QueryOPMode() == 0 && !G_VxApApi.VXAP_SetOPMode(1))
        TraceMsg("[Hotvane] HideDlg::InitCard ERROR: Driver doesn't support KT_OID_802_11_SET_OP_MODE oid\n");
    if (G_VxApApi.VXAP_IsZeroConfig())
        G_VxApApi.VXAP_StopXpZeroConfig();
    int const settings = G_VxApApi.VXAP_InitAPSettings();
    TraceMsg("[Hotvane] HideDlg::InitCard: VXAP_InitAPSettings() return %d\n", settings);
    VXAP_U32 state = 0;
    G_VxApApi.VXAP_QueryInitialState(&state);
    if (state == 1) {
        apply_when_ready(true);
        return;
    }
    TraceMsg("[Hotvane] HideDlg::driver not ready --> SetTimer to wait and query\n");
    m_nTimerWaitDriver = SetTimer(TIMER_WAIT_DRIVER, WAIT_DRIVER_INTERVAL_MS);
}

// The configuration re-applied and the DHCP server started; at start-up and resume only on
// systems that have one (code above 6), after the driver wait always.
void CHideDlg::apply_when_ready(bool dhcp_by_os)
{
    SetOidFromReg();
    if (!dhcp_by_os || G_VxApApi.VXAP_GetWinOS() >= OS_DHCP_SERVER)
        G_VxApApi.VXAP_EnableDhcpServer();
}

void CHideDlg::SetOidFromReg()
{
    ApConfigData config {};
    ApOptionData answer {};
    G_VxApApi.VXAP_ReadConfigData(&config);
    G_VxApApi.VXAP_SetConfigData(&config, &answer);
    TraceMsg("[Hotvane] SetOidFromReg: PhyMode %u, WirelessMode %u, region 11BG %u, region 11A %u, frequency %u MHz\n",
        unsigned(config.HT_PhyMode & 0x0F), unsigned(config.WirelessMode), unsigned(config.CountryRegion_11BG),
        unsigned(config.CountryRegion_11A), unsigned(config.lFreq / 1000));
    int radio = 1;
    int hardware = 0;
    G_VxApApi.VXAP_QuerySWRadioState(&radio, &hardware);
    m_bRadioOn = radio ? TRUE : FALSE;

    char policy[AP_ACL_TEXT_SIZE] {};
    G_VxApApi.VXAP_ReadAccessPolicy(policy);
    policy[sizeof policy - 1] = '\0';
    long const policy_value = std::atol(policy);
    char list[AP_ACL_TEXT_SIZE] {};
    if (policy_value != 0)
        G_VxApApi.VXAP_ReadAccessList(list);
    AccessControlList acl = BuildAccessControlList(policy_value, list);
    G_VxApApi.VXAP_Set80211ACL(&acl);

    std::size_t const length = std::min<std::size_t>(config.SsidLen, AP_SSID_MAX);
    std::string const ssid(reinterpret_cast<char const*>(config.Ssid), length);
    SetVistaWindowsProfile(ssid.c_str());
}

void CHideDlg::SetVistaWindowsProfile(const char* ssid)
{
    if (G_VxApApi.VXAP_GetWinOS() < OS_NEWER || !ssid || !*ssid)
        return;
    m_bProfilePending = TRUE;
    ApConfigData config {};
    if (std::strcmp(ssid, kUpdatedSsidMarker) == 0) {
        G_VxApApi.VXAP_ReadConfigData(&config);
        config.SsidLen = std::min<std::uint32_t>(config.SsidLen, AP_SSID_MAX);
    } else {
        config.SsidLen = std::uint32_t(std::min<std::size_t>(std::strlen(ssid), AP_SSID_MAX));
        std::memcpy(config.Ssid, ssid, config.SsidLen);
    }
    // The record's bytes, never the marker text.
    char text[AP_SSID_MAX + 1] {};
    std::memcpy(text, config.Ssid, config.SsidLen);
    G_VxApApi.VXAP_SetVistaWindowsProfile(text, config.SsidLen);
}

LRESULT CHideDlg::OnConnectComplete(WPARAM, LPARAM)
{
    if (G_VxApApi.VXAP_GetWinOS() < OS_NEWER)
        return 0;
    if (m_bProfilePending) {
        ApConfigData config {};
        G_VxApApi.VXAP_ReadConfigData(&config);
        std::uint32_t const length = std::min<std::uint32_t>(config.SsidLen, AP_SSID_MAX);
        G_VxApApi.VXAP_SetAuthSecuKey(&config.Security, config.Ssid, length);
    }
    m_bProfilePending = FALSE;
    return 0;
}

}
