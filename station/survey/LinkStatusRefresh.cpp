// The link status page's refresh and its connected view: network, addresses, security,
// channel, rates, 802.11n details and signal-to-noise ratios.
#include "station/survey/LinkStatusDlg.h"

#include "station/core/ScanList.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/rates/TransmitRate.h"
#include "station/survey/LinkStatusTexts.h"

#include <cstdio>
#include <cstring>

using namespace station::survey;

namespace {

// Object identifiers of the driver: the transmit-setting word (the newer interface from system
// code 10, the older below) and the third chain's signal-to-noise ratio.
constexpr VXWL_U32 kOidTransmitSetting = 0xFF0C0021;
constexpr VXWL_U32 kOidTransmitSettingLegacy = 0x0D71011C;
constexpr VXWL_U32 kOidSnr2 = 0x0D7101C0;

// CCX control word: CCKM in use (as the library answers the CCX query) and management frame
// protection.
constexpr VXWL_U32 kCcxCckm = 0x2;
constexpr VXWL_U32 kCcxMfp = 0x4000000;

constexpr int kWirelessModeFirst11n = 5;

CString text(std::string const& s)
{
    return CString(s.c_str());
}

std::string mbps_text(double mbps)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.1f Mbps", mbps);
    return buffer;
}

bool all_zero(std::uint8_t const (&bytes)[6])
{
    static constexpr std::uint8_t kZero[6] {};
    return std::memcmp(bytes, kZero, sizeof kZero) == 0;
}

int wireless_mode()
{
    int mode = 0;
    G_VxWlLib.VXWL_QueryWirelessMode(&mode);
    return mode;
}

}

void CLinkStatusDlg::Refresh()
{
    UpdateData(TRUE);
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 1, 1, 1, 1, 0 } });
    update_extra_info(status.LinkState);
    bool const radio_off_code = status.LinkState == LINK_HW_RADIO_OFF;
    int const non_ht = non_ht_flag(status.TransmitSetting);
    if (status.Status == VxStatus_NoAdapter || radio_off_code || status.Status != VxStatus_Connected
        || all_zero(status.Bssid)) {
        show_not_connected(non_ht, status.Status != VxStatus_NoAdapter, radio_off_code);
        return;
    }
    show_connected(status, non_ht);
}

// Codes 11 to 14 leave the text as it was; anything above has no text.
void CLinkStatusDlg::update_extra_info(std::uint32_t code)
{
    if (code < m_linkStates.size())
        m_strExtraInfo = text(m_linkStates[code].text);
    else if (code > 14)
        m_strExtraInfo.Empty();
}

// 1 when the link shows no 802.11n details: a CCK or OFDM transmit setting, or, from system
// code 10, an HT setting while the adapter runs a mode without 802.11n.
int CLinkStatusDlg::non_ht_flag(std::uint16_t transmit_setting) const
{
    if (!TransmitSetting(transmit_setting).is_ht())
        return 1;
    if (G_VxWlLib.VXWL_GetWinOS() >= 10 && wireless_mode() < kWirelessModeFirst11n)
        return 1;
    return 0;
}

void CLinkStatusDlg::show_connected(WLAN_STATUS const& status, int non_ht)
{
    show_status_lines(status);
    m_strIPAddress = text(AddressText(status.IpAddress));
    m_strSubnetMask = text(AddressText(status.SubnetMask));
    m_strGateway = text(AddressText(status.Gateway));
    m_strNetworkType = text(status.NetworkType == 0 ? G_UiStr.IDS_IBSS : G_UiStr.IDS_INFRA);
    show_security(status);
    show_channel(status);
    show_rates(status, non_ht);
    if (m_bHtSupported)
        show_central_channel(status);
    show_throughput(status.BytesTx, status.BytesRx);
    s_bSkipSample = FALSE;
    show_quality(status.LinkQuality);
    show_signal(0, status.Ant1Dbm, status.Ant1Percent);
    show_signal(1, status.Ant2Dbm, status.Ant2Percent);
    show_signal(2, status.Ant3Dbm, status.Ant3Percent);
    check_antennas();
    show_snr(status, non_ht);
    if (m_bICVError)
        m_strExtraInfo += text(" -- " + G_UiStr.IDS_WEPERROR);
    m_strExtraInfo += text(" [" + G_UiStr.IDS_PROF_TX_POWER + ":" + TxPowerText(status.TxPowerPercent) + "]");
    UpdateData(FALSE);
}

void CLinkStatusDlg::show_status_lines(WLAN_STATUS const& status)
{
    AP_ADDRESS_RECORD ap {};
    bool const known = G_VxWlLib.VXWL_QueryAPIPAddress(&ap) != 0;
    StatusLines const lines = BuildStatusLines(status, known ? &ap : nullptr);
    m_strStatus = text(lines.line1);
    m_strStatus2 = text(lines.line2);
}

// Authentication and cipher; below system code 10 the library's CCX state adds "+CCKM" and
// "(MFP)".
void CLinkStatusDlg::show_security(WLAN_STATUS const& status)
{
    std::string authentication = AuthenticationText(status.AuthMode);
    VXWL_U32 ccx = 0;
    G_VxWlLib.VXWL_ReadCCX2Cont(&ccx);
    bool const older = G_VxWlLib.VXWL_GetWinOS() < 10;
    if (older) {
        if (G_VxWlLib.VXWL_QueryCCXInfo(&ccx) != 0) {
            if (ccx & kCcxCckm)
                authentication += "+CCKM";
        } else {
            TraceMsg(TRACE_FAIL, "[Kivra]  Link Status: VXWL_QueryCCXInfo() return FALSE\n");
        }
    }
    m_strAuthentication = text(authentication);
    m_strEncryption = text(EncryptionText(status.EncryptionStatus, older && (ccx & kCcxMfp)));
}

void CLinkStatusDlg::show_channel(WLAN_STATUS const& status)
{
    m_strChannel.Empty();
    if (status.FrequencyKHz == 0)
        return;
    int const channel = G_VxWlLib.VXWL_FrequencyToChannel(status.FrequencyKHz);
    if (channel == -1)
        return;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%u <--> %d MHz", static_cast<unsigned>(channel),
        static_cast<int>(status.FrequencyKHz / 1000));
    m_strChannel = buffer;
}

void CLinkStatusDlg::show_rates(WLAN_STATUS const& status, int non_ht)
{
    if (m_bHtSupported) {
        if (non_ht == 1 && m_nHTState != 1) {
            m_nHTState = 1;
            set_ht_values_na(false);
        } else if (non_ht == 0) {
            m_nHTState = 0;
        }
    }
    m_strRxRate = text(mbps_text(status.RxRateMbps));
    m_strTxRate = text(mbps_text(status.TxRateMbps));
    int model = 0;
    if (G_VxWlLib.VXWL_GetCurrentDeviceModel(&model) == 0)
        return;
    if (model >= 0 && model <= 3)
        m_strTxRate = text(mbps_text(status.TxRate * 0.5));
    else if (model >= 4 && model <= 8)
        show_transmit_setting_rate();
}

// The rate the driver sends with now, read from its transmit-setting word; a failed query
// leaves the word 0, which reads as CCK 1 Mbit/s.
void CLinkStatusDlg::show_transmit_setting_rate()
{
    std::uint32_t word = 0;
    VXWL_U32 returned = 0;
    VXWL_U32 const oid = G_VxWlLib.VXWL_GetWinOS() >= 10 ? kOidTransmitSetting : kOidTransmitSettingLegacy;
    G_VxWlLib.VXWL_OIDQueryInfo(oid, &word, sizeof word, &returned);
    TransmitRate const rate = RateFromTransmitSetting(word, m_htTable);
    m_strTxRate = text(mbps_text(rate.mbps));
    if (m_nHTState != 0)
        return;
    SetDlgItemText(IDC_BW, rate.ht.bw.c_str());
    SetDlgItemText(IDC_GI, rate.ht.gi.c_str());
    SetDlgItemText(IDC_STBC, rate.ht.stbc.c_str());
    SetDlgItemText(IDC_MCS, rate.ht.mcs.c_str());
}

// On an HT link the channel line names the central channel too, when the access point is an
// ad hoc peer or its scan entry carries HT elements.
void CLinkStatusDlg::show_central_channel(WLAN_STATUS const& status)
{
    char central[32];
    std::snprintf(central, sizeof central, " : %d", static_cast<int>(status.CentralChannel));
    IE_INFO_WPA ie {};
    if (wireless_mode() >= kWirelessModeFirst11n && status.Status == VxStatus_Connected && G_VxWlLib.pBssidList) {
        std::span<std::uint8_t const> const list(G_VxWlLib.pBssidList, station::core::kBssidListSize);
        for (auto const& entry : station::core::walk_bssid_list(list).entries) {
            auto const* bssid = reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(list.data() + entry.offset);
            if (std::memcmp(bssid->MacAddress, status.Bssid, 6) == 0) {
                G_VxWlLib.VXWL_ParseInfoElement(bssid, &ie);
                break;
            }
        }
    }
    bool const ht_peer = status.NetworkType == 0 || (status.NetworkType == 1 && ie.bHT != 0);
    if (TransmitSetting(status.TransmitSetting).is_ht() && ht_peer && !m_strChannel.IsEmpty())
        m_strChannel += text("; " + G_UiStr.IDS_LINKSTATUS_CENTRAL_CHANNEL + central);
}

void CLinkStatusDlg::show_snr(WLAN_STATUS const& status, int non_ht)
{
    TraceMsg(TRACE_DUMP, "[Kivra] GetSNR(): bNA = %d\n\n", non_ht);
    set_snr(IDC_SNR0, status.Snr1, non_ht, "SNR0");
    set_snr(IDC_SNR1, status.Snr2, non_ht, "SNR1");
    std::int32_t snr2 = 0;
    VXWL_U32 returned = 0;
    if (!G_VxWlLib.VXWL_OIDQueryInfo(kOidSnr2, &snr2, sizeof snr2, &returned) || !m_bHtSupported) {
        TraceMsg(TRACE_DUMP, "[Kivra] GetSNR(): VXWL_OIDQueryInfo() return FALSE, hide SNR2\n");
        show(IDC_SNR2_LABEL, false);
        show(IDC_SNR2, false);
        return;
    }
    TraceMsg(TRACE_DUMP, "[Kivra] GetSNR(): VXWL_OIDQueryInfo() return TRUE, show SNR2\n");
    show(IDC_SNR2_LABEL, true);
    show(IDC_SNR2, true);
    set_snr(IDC_SNR2, snr2, non_ht, "SNR2");
}

// 0 and 44 are the driver's "no reading"; a link without HT has no ratio to show either.
void CLinkStatusDlg::set_snr(int id, int value, int non_ht, char const* name)
{
    if (value == 0 || value == 44) {
        TraceMsg(TRACE_DUMP, "[Kivra] GetSNR(): %s is 0 or 44, set %s as na\n", name, name);
        SetDlgItemText(id, "n/a");
        return;
    }
    TraceMsg(TRACE_DUMP, "[Kivra] GetSNR(): %s = %d\n", name, value);
    if (non_ht == 1) {
        TraceMsg(TRACE_DUMP, "[Kivra] GetSNR(): bNA is TRUE, set %s as na\n", name);
        SetDlgItemText(id, "n/a");
        return;
    }
    TraceMsg(TRACE_DUMP, "[Kivra] GetSNR(): bNA is FALSE, set %s txt\n", name);
    SetDlgItemText(id, std::to_string(value).c_str());
}

void CLinkStatusDlg::set_ht_values_na(bool with_snr2)
{
    for (int id = IDC_BW; id <= IDC_SNR1; ++id)
        SetDlgItemText(id, "n/a");
    if (with_snr2)
        SetDlgItemText(IDC_SNR2, "n/a");
}
