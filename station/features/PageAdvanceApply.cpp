// CPageAdvanceDlg: Apply, the stored and applied records, and the switch of the radio when the
// wireless mode, a country region or the 802.11n bandwidth changed.
#include "station/features/PageAdvanceDlg.h"

#include "station/core/ActionQueue.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/HideDlgIds.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <charconv>
#include <cstring>

namespace {

constexpr int kHtGreenfield = 1;
constexpr int kAuto = 1;
constexpr int kLowestThreshold = -90;
constexpr int kHighestThreshold = -40;
constexpr int kFirstNewerSystem = 10;
constexpr int kFirstHostedNetworkSystem = 12;
constexpr int kHostedNetworkMode = 2;

// The selections the last Apply (or the end of the first set-up) left, shared by every page.
struct AppliedSelections {
    bool known { false };
    int mode { 0 };
    int region24 { 0 };
    int region5 { 0 };
};

AppliedSelections& applied()
{
    static AppliedSelections selections;
    return selections;
}

}

// The whole text must be a signed number; an emptied edit counts as 0, which is refused.
bool CPageAdvanceDlg::threshold_valid() const
{
    std::string const text = m_strThreshold.GetString();
    int value = 0;
    auto const [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    bool const number = text.empty() || (ec == std::errc {} && end == text.data() + text.size());
    return number && value >= kLowestThreshold && value <= kHighestThreshold;
}

int CPageAdvanceDlg::threshold_value() const
{
    std::string const text = m_strThreshold.GetString();
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void CPageAdvanceDlg::note_applied_selections()
{
    applied() = AppliedSelections { true, m_nMode, m_nRegion24, m_nRegion5 };
}

ADVANCE_PAGE_VALUES CPageAdvanceDlg::page_values() const
{
    ADVANCE_PAGE_VALUES v;
    v.WirelessMode = mode_code();
    v.BGProtection = std::uint32_t(m_nProtection);
    v.TransRate = std::uint32_t(m_nTxRate < 0 ? 0 : m_nTxRate);
    v.TXBurst = std::uint32_t(m_bTxBurst);
    v.EnableTcpWindowSize = std::uint32_t(m_bTcpWindow);
    v.ShowAuthStatus = std::uint32_t(m_bShowAuthStatus);
    v.Region24 = std::uint32_t(m_nRegion24 < 0 ? 0 : m_nRegion24);
    v.Region5 = std::uint32_t(m_nRegion5 < 0 ? 0 : m_nRegion5);
    v.Transmit.BW = std::uint32_t(m_nBW);
    v.Transmit.ShortGI = std::uint32_t(m_nGI);
    v.Transmit.STBC = std::uint32_t(m_nSTBC);
    v.Transmit.ExtCha = std::uint32_t(m_nExtCha < 0 ? 0 : m_nExtCha);
    v.Transmit.HtChoice = std::uint32_t(m_nHtMode < 0 ? 0 : m_nHtMode);
    std::string const mcs = m_nMcs >= 0 && std::size_t(m_nMcs) < m_mcsTexts.size() ? m_mcsTexts[std::size_t(m_nMcs)] : "";
    v.Transmit.MCS = McsValueOfText(mcs, G_UiStr.IDS_AUTO);
    return v;
}

void CPageAdvanceDlg::WriteConfigToRegistry()
{
    if (mode_code() == 2 && G_VxWlLib.VXWL_Is80211ASupport() != 0) {
        m_nProtection = PROTECTION_AUTO;
        if (m_nTxRate > 8)
            m_nTxRate = 0;
    }
    VXWL_U32 read_word = 0;
    G_VxWlLib.VXWL_ReadCCX2Cont(&read_word);
    std::uint32_t const ccx = CcxWordWithRoaming(read_word, m_bFastRoam != 0, threshold_value());
    G_VxWlLib.VXWL_QueryCountryRegion(&m_regionWord, &m_flag5, &m_flag24);
    ADVANCE_CONFIG_DATA const config = BuildAdvanceConfig(page_values(), ccx, m_flag24 != 0, m_flag5 != 0, has_11n());
    G_VxWlLib.VXWL_WriteAdvanceCfgData(config);
}

void CPageAdvanceDlg::VerifyCountryRegion()
{
    G_VxWlLib.VXWL_QueryCountryRegion(&m_regionWord, &m_flag5, &m_flag24);
    G_VxWlLib.VXWL_VerifyCountryRegion();
}

void CPageAdvanceDlg::SetOid()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageAdvanceDlg::SetOid\n");
    G_VxWlLib.VXWL_SetAdvanceSetting(BuildPageAdvanceOid(page_values()));
    VerifyCountryRegion();
    char name[128] {};
    G_VxWlLib.VXWL_ReadActiveProfileName(name);
    int fast_roaming = 1;
    if (name[0] != '\0') {
        WLANPROFILE profile {};
        G_VxWlLib.VXWL_ReadProfileData(&profile, name);
        fast_roaming = profile.bBssid == 1 ? 0 : 1;
    }
    VXWL_U32 read_word = 0;
    G_VxWlLib.VXWL_ReadCCX2Cont(&read_word);
    G_VxWlLib.VXWL_SetCCXInfo(fast_roaming, CcxWordWithRoaming(read_word, m_bFastRoam != 0, threshold_value()));
    TraceMsg(TRACE_STEP, "[Kivra] <-- CPageAdvanceDlg::SetOid\n");
}

// Older systems let the configuration window rescan; newer ones wait for the scan list the
// flush empties to fill again (timer 2).
void CPageAdvanceDlg::switch_radio(std::uint32_t from_code, std::uint32_t to_code)
{
    TraceMsg(TRACE_STEP, "[Kivra] Switch WirelessMode or CountryRegion or 11nBW\n");
    m_bSwitched = TRUE;
    m_b11nChanged = false;
    G_VxWlLib.VXWL_FlushBSSIDList(int(from_code), int(to_code));
    if (G_VxWlLib.VXWL_GetWinOS() < kFirstNewerSystem) {
        if (HWND window = hide_dlg_services().config_window())
            ::SendMessage(window, DLG_MSG_EXCHANGE, PAGE_ADVANCE_DLG, ON_APPLY_NOW_XP);
        hide_dlg_services().set_scan_after_advance_change();
        return;
    }
    rejoin();
    if (G_VxWlLib.VXWL_GetWinOS() >= kFirstHostedNetworkSystem && G_VxWlLib.VXWL_QueryOPMode() == kHostedNetworkMode)
        restart_hosted_network();
    SetTimer(TIMER_ADVANCE_PAGE_SCAN, UINT(SetTimerForScanByChnList(int(to_code))), nullptr);
}

// Newer systems drop the link and join the same network again under the new radio settings,
// with the status record's profile name, SSID and connect mode.
void CPageAdvanceDlg::rejoin()
{
    WLAN_STATUS status {};
    WLAN_STATUS_REQUEST request {};
    request.Switch[1] = 1;
    G_VxWlLib.VXWL_QueryWLANStatus(&status, request);
    if (status.Status != VxStatus_Connected) {
        VXWL_U32 wps = 0;
        G_VxWlLib.VXWL_ReadWPSFlag(&wps);
        if (wps == 0)
            queue_current_profile();
        return;
    }
    G_VxWlLib.VXWL_WlanDisconnect();
    int auth = 0;
    int encryption = 0;
    int network = 0;
    G_VxWlLib.VXWL_WlanConvertNdis2Dot11AuthType(int(status.AuthMode), &auth);
    G_VxWlLib.VXWL_WlanConvertNdis2Dot11EncryptType(int(status.EncryptionStatus), &encryption);
    G_VxWlLib.VXWL_WlanConvertNdis2Dot11NetworkType(int(status.NetworkType), &network);
    char profile[sizeof status.ProfileName + 1] {};
    std::memcpy(profile, status.ProfileName, sizeof status.ProfileName);
    G_VxWlLib.VXWL_WlanConnect(profile, network, status.Ssid, int(status.ConnectMode), auth, encryption);
}

// Not connected: the hidden dialog connects its current profile again, now without the
// advanced settings it carried. Without a current profile there is nothing to connect.
void CPageAdvanceDlg::queue_current_profile()
{
    if (!hide_dlg_services().take_current_profile_for_advance(m_ProfData)) {
        TraceMsg(TRACE_FAIL, "[Kivra] No current profile to connect after the advanced settings changed\n");
        return;
    }
    m_nActionType = actionTypeProfile;
    m_pActionData = &m_ProfData;
    if (HWND hide = hide_dlg_services().hide_dialog())
        ::SendMessage(hide, ACTION_INSERT_EXEC, SEND_BY_ADVANCE_DLG, 0);
}

// The hosted network starts again under the new radio settings, with its stored record. Without
// a stored record it keeps running as it is: stopping it could not start it again.
void CPageAdvanceDlg::restart_hosted_network()
{
    EXTAP_CONFIG_DATA record {};
    if (G_VxWlLib.VXWL_ReadExtAPConfig(&record) != 1 || record.SsidLength == 0) {
        TraceMsg(TRACE_FAIL, "[Kivra] No stored hosted network to start again; it keeps running\n");
        return;
    }
    G_VxWlLib.VXWL_HostedNetworkStopUsing();
    if (G_VxWlLib.VXWL_HostedNetworkSetup(record) != 1)
        TraceMsg(TRACE_FAIL, "[Kivra]  Start Host Fail!\n");
}

void CPageAdvanceDlg::OnApplyNow()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageAdvanceDlg::OnApplyNow\n");
    UpdateData(TRUE);
    if (has_11n() && m_nHtMode == kHtGreenfield && m_nGI == kAuto && m_nSTBC == kAuto) {
        ShowMessageBox(G_UiStr.IDS_MSG_NOT_AVAIL_COMBO_GI_STBC_GF);
        TraceMsg(TRACE_STEP, "[Kivra] <-- CPageAdvanceDlg::OnApplyNow\n");
        return;
    }
    m_bSwitched = FALSE;
    if (!threshold_valid()) {
        ShowMessageBox(G_UiStr.IDS_INVALID_DBM);
        TraceMsg(TRACE_STEP, "[Kivra] <-- CPageAdvanceDlg::OnApplyNow\n");
        return;
    }
    std::uint32_t const from_code = WirelessModeCode(m_previousMode, has_11n() && !(G_VxWlLib.bSelect11nDialog && !m_bEnable11n));
    std::uint32_t const to_code = mode_code();
    m_previousMode = selected_mode();
    WriteConfigToRegistry();
    SetOid();
    AppliedSelections& last = applied();
    bool const changed = !last.known
        || (last.mode != m_nMode || last.region24 != m_nRegion24 || last.region5 != m_nRegion5);
    if (changed || m_b11nChanged)
        switch_radio(from_code, to_code);
    note_applied_selections();
    TraceMsg(TRACE_STEP, "[Kivra] <-- CPageAdvanceDlg::OnApplyNow\n");
}
