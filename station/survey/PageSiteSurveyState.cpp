// CPageSiteSurveyDlg: which buttons the page offers now, and the mark on the connected
// network's row, with the rescan when that network stays missing from the list.
#include "station/survey/PageSiteSurveyDlg.h"

#include "station/core/BssidQuery.h"
#include "station/core/Helpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/ScanList.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/survey/SurveyList.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace {

// Misses counted before the seventh rescans.
constexpr int kMissesBeforeRescan = 6;
constexpr int kZeroConfigOwnsAdapter = 2;
constexpr int kWapiPsk = 6;
constexpr int kWapiCert = 7;
constexpr int kWpaNone = 3;

void enable(CWnd* parent, int id, BOOL on)
{
    if (CWnd* control = parent->GetDlgItem(id))
        control->EnableWindow(on);
}

// Two names are the same when their lengths and their bytes are.
bool same_name(std::uint32_t length_a, std::uint8_t const* a, std::uint32_t length_b, std::uint8_t const* b)
{
    std::size_t const la = std::min<std::size_t>(length_a, NDIS_SSID_MAX);
    std::size_t const lb = std::min<std::size_t>(length_b, NDIS_SSID_MAX);
    return la == lb && std::memcmp(a, b, la) == 0;
}

bool all_zero(std::uint8_t const* bytes, std::size_t count)
{
    return std::all_of(bytes, bytes + count, [](std::uint8_t b) { return b == 0; });
}

// The mobility-domain flag of the cached entry with this address; all zero without one.
bool cached_mobility_domain(std::uint8_t const* mac)
{
    if (!G_VxWlLib.pBssidList)
        return false;
    std::span<std::uint8_t const> const cache(G_VxWlLib.pBssidList, BSSID_LIST_BUFFER_SIZE);
    for (auto const& entry : station::core::walk_bssid_list(cache).entries) {
        auto const* fixed = reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(cache.data() + entry.offset);
        if (!entry.consistent || std::memcmp(fixed->MacAddress, mac, 6) != 0)
            continue;
        IE_INFO_WPA digest {};
        G_VxWlLib.VXWL_ParseInfoElement(fixed, &digest);
        return digest.bMobilityDomain == 1;
    }
    return false;
}

}

// [SECTION] Buttons

void CPageSiteSurveyDlg::UpdateControlState()
{
    if (!m_hWnd)
        return;
    int const wapi = G_VxWlLib.VXWL_IsWAPIConnecting();
    if (wapi == 1)
        m_bRescan = FALSE;
    // The end of a WAPI attempt brings one fresh scan.
    if (m_nLastWapiConnecting == 1 && wapi == 0) {
        m_bRescan = TRUE;
        G_VxWlLib.VXWL_SiteSurveyScan(FuncScanFinished);
    }
    m_nLastWapiConnecting = wapi;
    enable_sort_controls(G_VxWlLib.VXWL_ReadRadioStatus() && !m_bRescan);
    if (!connect_allowed())
        return enable_connect_buttons(FALSE, FALSE);
    bool const admin = G_VxWlLib.VXWL_DetectUserAdmin() != 0 || G_VxWlLib.VXWL_IsAllowStandardUserSetProfile() == 1;
    enable_connect_buttons(TRUE, admin);
}

void CPageSiteSurveyDlg::enable_sort_controls(BOOL on)
{
    static constexpr int kIds[] = { IDC_RESCAN, IDC_SORT_SSID, IDC_SORT_CHANNEL, IDC_SORT_SIGNAL, IDC_STATIC_SSID,
        IDC_STATIC_CHANNEL, IDC_STATIC_SIGNAL, IDC_SHOW_DBM };
    for (int id : kIds)
        enable(this, id, on);
}

void CPageSiteSurveyDlg::enable_connect_buttons(BOOL connect, BOOL add)
{
    enable(this, IDC_CONNECT, connect);
    enable(this, IDC_ADD_TO_PROFILE, add);
}

// Whether the chosen network can be connected at all: the adapter is this program's, nothing
// runs, the radio is on, there are rows, and the adapter can do the network's security.
bool CPageSiteSurveyDlg::connect_allowed() const
{
    int const os = G_VxWlLib.VXWL_GetWinOS();
    bool const service_ready = os < 10 ? G_VxWlLib.VXWL_IsZeroConfig() != kZeroConfigOwnsAdapter
                                        : G_VxWlLib.VXWL_CheckMSConfigService() != 0;
    if (!service_ready || m_bRescan || !G_VxWlLib.VXWL_ReadRadioStatus() || RowCount() == 0)
        return false;
    if (!G_VxWlLib.VXWL_IsWpaCapable() && m_nWPA >= 1 && m_nWPA <= 5)
        return false;
    if ((m_nWPA == kWapiPsk || m_nWPA == kWapiCert) && !(G_VxWlLib.bSupportWAPI && CheckAdapterType() == 1))
        return false;
    if (os >= 10 && m_nWPA == kWpaNone)
        return false;
    if (os >= 12 && G_VxWlLib.VXWL_QueryOPMode() != 0 && m_nNetworkType == 0)
        return false;
    return true;
}

// [SECTION] The connected row

void CPageSiteSurveyDlg::UpdateConnectStatus()
{
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 0, 1, 0, 0, 0 } });
    bool missing = true;
    int found = -1;
    if (status.Status == VxStatus_Connected && G_VxWlLib.VXWL_ReadRadioStatus())
        found = find_connected_row(status, missing);
    for (SITESURVEY_ITEM& row : m_arySiteSurvey)
        row.bConnected = 0;
    if (status.Status == VxStatus_Connected && found >= 0 && found < RowCount())
        m_arySiteSurvey[static_cast<size_t>(found)].bConnected = 1;
    VXWL_U32 hardware = 0;
    VXWL_U32 software = 0;
    G_VxWlLib.VXWL_QueryHWAndSWRadioState(&hardware, &software);
    bool const radio_on = hardware && software;
    if (status.Status == VxStatus_Connected && radio_on && !all_zero(status.Bssid, sizeof status.Bssid))
        count_missing(missing);
    else if (!radio_on)
        clear_rows();
    if (m_listSurvey.m_hWnd && RowCount() > 0)
        m_listSurvey.RedrawItems(m_listSurvey.GetTopIndex(), RowCount() - 1);
}

// The seventh counted miss rescans and starts the count again; a tick that finds the row leaves
// the count alone.
void CPageSiteSurveyDlg::count_missing(bool missing)
{
    if (!missing)
        return;
    if (m_nMissingConnected < kMissesBeforeRescan) {
        ++m_nMissingConnected;
        return;
    }
    m_nMissingConnected = 0;
    TraceMsg(TRACE_STEP, "[Kivra] Connected network missing from the list, rescan\n");
    OnRescan();
}

// The row whose entry has the status's address and network type (the last such row, unless
// one also has its frequency and name: then that one, and the network is not missing).
int CPageSiteSurveyDlg::find_connected_row(WLAN_STATUS const& status, bool& missing)
{
    int found = -1;
    for (int i = 0; i < RowCount(); ++i) {
        NDIS_WLAN_BSSID_EX const* entry = EntryOfRow(i);
        if (!entry || std::memcmp(entry->MacAddress, status.Bssid, 6) != 0 || entry->InfrastructureMode != status.NetworkType)
            continue;
        found = i;
        if (entry->DSConfig == status.FrequencyKHz && names_match(status, Row(i))) {
            missing = false;
            break;
        }
    }
    return found;
}

// With a profile locked to its access point, or a WPS connection, the link's own name must be
// the row's; otherwise the active profile's name, unless either name is empty or the access
// point announces a mobility domain (the profile then reaches it under another name).
bool CPageSiteSurveyDlg::names_match(WLAN_STATUS const& status, SITESURVEY_ITEM const& row) const
{
    auto const* row_bytes = reinterpret_cast<std::uint8_t const*>(row.strSsid.data());
    auto const row_length = std::uint32_t(row.strSsid.size());
    WLANPROFILE current {};
    bool const has_current = hide_dlg_services().copy_current_profile(current);
    VXWL_U32 wps = 0;
    G_VxWlLib.VXWL_ReadWPSFlag(&wps);
    if ((has_current && current.bBssid == 1) || wps == 1)
        return same_name(status.Ssid.SsidLength, status.Ssid.Ssid, row_length, row_bytes);
    char name[PROFILE_NAME_SIZE] {};
    G_VxWlLib.VXWL_ReadActiveProfileName(name);
    name[sizeof name - 1] = '\0';
    WLANPROFILE active {};
    G_VxWlLib.VXWL_ReadProfileData(&active, name);
    if (active.SSID.SsidLength == 0 || row_length == 0)
        return true;
    if (same_name(active.SSID.SsidLength, active.SSID.Ssid, row_length, row_bytes))
        return true;
    return cached_mobility_domain(status.Bssid);
}

void CPageSiteSurveyDlg::clear_rows()
{
    m_arySiteSurvey.clear();
    if (m_listSurvey.m_hWnd) {
        m_listSurvey.SetItemCountEx(0);
        m_listSurvey.Invalidate();
    }
}
