// The link status page's meters: the throughput histories and histograms, the quality and
// signal bars, and the view of an adapter that is not connected.
#include "station/survey/LinkStatusDlg.h"

#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/survey/LinkStatusTexts.h"

#include <algorithm>

using namespace station::survey;

std::array<double, CLinkStatusDlg::kHistory> CLinkStatusDlg::s_aryTxHistory {};
std::array<double, CLinkStatusDlg::kHistory> CLinkStatusDlg::s_aryRxHistory {};
BOOL CLinkStatusDlg::s_bSkipSample = TRUE;

namespace {

constexpr COLORREF kLightBlue = RGB(166, 202, 240);
constexpr DWORD kLabelStyle = PBS_SHOW_PERCENT;
constexpr DWORD kTextStyle = PBS_SHOW_TEXTONLY;

struct AntennaKeys {
    std::string const CUISTR::*label;
    std::string const CUISTR::*dbm;
    std::string const CUISTR::*no_reading;
    std::string const CUISTR::*empty_dbm;
};
constexpr AntennaKeys kAntennas[] = {
    { &CUISTR::IDS_LINK_STRENGTH, &CUISTR::IDS_LINK_STRENGTH_DBM, &CUISTR::IDS_STRENGTH1,
        &CUISTR::IDS_LINK_STRENGTH_EMPTY_DBM },
    { &CUISTR::IDS_LINK_STRENGTH2, &CUISTR::IDS_LINK_STRENGTH2_DBM, &CUISTR::IDS_STRENGTH2,
        &CUISTR::IDS_LINK_STRENGTH2_EMPTY_DBM },
    { &CUISTR::IDS_LINK_STRENGTH3, &CUISTR::IDS_LINK_STRENGTH3_DBM, &CUISTR::IDS_STRENGTH3,
        &CUISTR::IDS_LINK_STRENGTH3_EMPTY_DBM },
};

constexpr std::int32_t kNoReading = -200;

}

double CLinkStatusDlg::HistorySample(bool tx, int index)
{
    return (tx ? s_aryTxHistory : s_aryRxHistory).at(static_cast<std::size_t>(index));
}

void CLinkStatusDlg::show_throughput(std::uint32_t tx_bytes, std::uint32_t rx_bytes)
{
    TraceMsg(TRACE_DUMP, "[Kivra] LinkStatus.TxByteCount is %d\n", static_cast<int>(tx_bytes));
    TraceMsg(TRACE_DUMP, "[Kivra] m_lTxCount is %d\n", static_cast<int>(m_lTxCount));
    if (!s_bSkipSample) {
        double const tx = ThroughputMbps(tx_bytes, m_lTxCount);
        m_strTxThroughput = ThroughputText(tx).c_str();
        add_sample(true, tx);
        TraceMsg(TRACE_DUMP, "[Kivra] Tx throughput is %.3f", tx);
    }
    m_lTxCount = tx_bytes;
    if (!s_bSkipSample) {
        double const rx = ThroughputMbps(rx_bytes, m_lRxCount);
        m_strRxThroughput = ThroughputText(rx).c_str();
        add_sample(false, rx);
        TraceMsg(TRACE_DUMP, "[Kivra] Rx throughput is %.3f", rx);
    }
    m_lRxCount = rx_bytes;
}

// Shifts the sample into the side's history, and scales and labels its histogram by the
// history's peak.
void CLinkStatusDlg::add_sample(bool tx, double mbps)
{
    auto& history = tx ? s_aryTxHistory : s_aryRxHistory;
    std::shift_left(history.begin(), history.end(), 1);
    history.back() = mbps;
    double& peak = tx ? m_dTxPeak : m_dRxPeak;
    peak = *std::max_element(history.begin(), history.end());
    CDornoStaticHistogram& histogram = tx ? m_histTx : m_histRx;
    histogram.ChangeCeiling(peak);
    histogram.m_strLabels[1] = ThroughputText(peak).c_str();
    histogram.PushSample(mbps);
}

void CLinkStatusDlg::show_quality(std::uint32_t quality)
{
    CProgressCtrlX& bar = Bar(IDC_QUALITY);
    if (auto const colour = QualityColour(quality))
        bar.SetColors(3, *colour, kLightBlue, *colour);
    bar.SetPos(static_cast<int>(quality));
}

void CLinkStatusDlg::show_signal(int antenna, std::int32_t dbm, std::uint32_t percent)
{
    AntennaKeys const& keys = kAntennas[antenna];
    CProgressCtrlX& bar = Bar(IDC_SIGNAL0 + antenna);
    if (dbm == kNoReading) {
        set_bar_text(IDC_SIGNAL0 + antenna, G_UiStr.*keys.no_reading, kTextStyle);
        bar.SetPos(0);
        return;
    }
    std::uint32_t const p = std::min<std::uint32_t>(percent, 100);
    if (m_bShowDbm)
        set_bar_text(IDC_SIGNAL0 + antenna, FormatOneNumber(G_UiStr.*keys.dbm, dbm), kTextStyle);
    else
        set_bar_text(IDC_SIGNAL0 + antenna, G_UiStr.*keys.label, kLabelStyle);
    if (auto const colour = QualityColour(p))
        bar.SetColors(3, *colour, kLightBlue, *colour);
    bar.SetPos(static_cast<int>(p));
}

// Puts `text` on the bar exactly as it stands: its own percent signs are not formats.
void CLinkStatusDlg::set_bar_text(int id, std::string const& text, DWORD style)
{
    CProgressCtrlX& bar = Bar(id);
    bar.SetCaptionFormat(CaptionLiteral(text).c_str(), style);
    bar.Invalidate(TRUE);
}

void CLinkStatusDlg::show_not_connected(int non_ht, bool state_nonzero, bool radio_off_code)
{
    bool radio_off = false;
    std::string state = not_connected_text(state_nonzero, radio_off_code, radio_off);
    if (radio_off) {
        if (m_bShowDbm) {
            for (int i = 0; i < 3; ++i)
                set_bar_text(IDC_SIGNAL0 + i, G_UiStr.*kAntennas[i].empty_dbm, kTextStyle);
        }
        state = G_UiStr.IDS_RADIOOFF;
    }
    m_strStatus = state.c_str();
    for (CString* member : { &m_strStatus2, &m_strExtraInfo, &m_strChannel, &m_strAuthentication, &m_strEncryption,
             &m_strNetworkType, &m_strIPAddress, &m_strSubnetMask, &m_strGateway, &m_strTxRate, &m_strTxThroughput,
             &m_strRxRate, &m_strRxThroughput })
        member->Empty();
    for (int id = IDC_QUALITY; id <= IDC_SIGNAL0 + 2; ++id)
        Bar(id).SetPos(0);
    // With the radio off there is no reading at all, so the bars keep the texts that say so.
    if (m_bShowDbm && !radio_off) {
        for (int i = 0; i < 3; ++i)
            set_bar_text(IDC_SIGNAL0 + i, FormatOneNumber(G_UiStr.*kAntennas[i].dbm, 0), kTextStyle);
    }
    if (non_ht != m_nHTState || non_ht == 0)
        set_ht_values_na(true);
    add_sample(true, 0.0);
    add_sample(false, 0.0);
    UpdateData(FALSE);
}

// Why the adapter is not connected; `radio_off` tells the radio-off view apart.
std::string CLinkStatusDlg::not_connected_text(bool state_nonzero, bool radio_off_code, bool& radio_off) const
{
    radio_off = false;
    if (G_VxWlLib.VXWL_GetWinOS() >= 10) {
        if (radio_off_code) {
            radio_off = true;
            return {};
        }
        if (!state_nonzero)
            return G_VxWlLib.VXWL_CheckMSConfigService() == 0 ? "AutoConfig service is disable" : G_UiStr.IDS_DRIVER_NOTOK;
        if (G_VxWlLib.VXWL_ReadRadioStatus() == 0) {
            radio_off = true;
            return {};
        }
        if (G_VxWlLib.VXWL_IsWAPIConnecting() == 1) {
            char progress[16];
            std::snprintf(progress, sizeof progress, "%d", G_VxWlLib.VXWL_GetWAPIProgress());
            return G_UiStr.IDS_PROCESSING_WAPI_CONN + " <--> " + progress + " %";
        }
        return G_UiStr.IDS_DISCONNECTED;
    }
    if (!state_nonzero)
        return G_UiStr.IDS_DRIVER_NOTOK;
    KT_802_11_STA_CONFIG config {};
    if (G_VxWlLib.VXWL_ReadRadioStatus() != 0) {
        G_VxWlLib.VXWL_QuerySTAConfig(&config);
        if (config.HwRadioStatus != 0)
            return G_UiStr.IDS_DISCONNECTED;
    }
    radio_off = true;
    return {};
}
