#include "station/survey/LinkStatusDlg.h"

#include "station/controls/PageFrame.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/survey/LinkStatusTexts.h"

#include <algorithm>
#include <cstring>

using namespace station::survey;

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kLightBlue = RGB(166, 202, 240);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// The label statics and their texts, in the order the page puts them.
struct Label {
    int id;
    std::string const CUISTR::*text;
};
constexpr Label kLabels[] = {
    { CLinkStatusDlg::IDC_STATUS_LABEL, &CUISTR::IDS_LINK_STATUS },
    { CLinkStatusDlg::IDC_EXTRA_LABEL, &CUISTR::IDS_LINK_EXTRA_INFO },
    { CLinkStatusDlg::IDC_CHANNEL_LABEL, &CUISTR::IDS_LINK_CHANNEL },
    { CLinkStatusDlg::IDC_AUTH_LABEL, &CUISTR::IDS_LINK_AUTHEN },
    { CLinkStatusDlg::IDC_ENCRYPTION_LABEL, &CUISTR::IDS_LINK_ENCRY },
    { CLinkStatusDlg::IDC_NETWORK_TYPE_LABEL, &CUISTR::IDS_NETWORK_TYPE },
    { CLinkStatusDlg::IDC_IP_LABEL, &CUISTR::IDS_LINK_IP_ADDR },
    { CLinkStatusDlg::IDC_MASK_LABEL, &CUISTR::IDS_LINK_SUB_MASK },
    { CLinkStatusDlg::IDC_GATEWAY_LABEL, &CUISTR::IDS_LINK_DEF_GATEWAY },
    { CLinkStatusDlg::IDC_TX_RATE_LABEL, &CUISTR::IDS_LINK_TXRATE },
    { CLinkStatusDlg::IDC_TX_THROUGHPUT_LABEL, &CUISTR::IDS_LINK_THROUGHT },
    { CLinkStatusDlg::IDC_RX_RATE_LABEL, &CUISTR::IDS_LINK_TXRATE },
    { CLinkStatusDlg::IDC_RX_THROUGHPUT_LABEL, &CUISTR::IDS_LINK_THROUGHT },
};
constexpr int kValues[] = { CLinkStatusDlg::IDC_STATUS, CLinkStatusDlg::IDC_STATUS2, CLinkStatusDlg::IDC_EXTRA,
    CLinkStatusDlg::IDC_CHANNEL, CLinkStatusDlg::IDC_AUTH, CLinkStatusDlg::IDC_ENCRYPTION,
    CLinkStatusDlg::IDC_NETWORK_TYPE, CLinkStatusDlg::IDC_IP, CLinkStatusDlg::IDC_MASK, CLinkStatusDlg::IDC_GATEWAY,
    CLinkStatusDlg::IDC_TX_RATE, CLinkStatusDlg::IDC_TX_THROUGHPUT, CLinkStatusDlg::IDC_RX_RATE,
    CLinkStatusDlg::IDC_RX_THROUGHPUT };

// The bars' label texts, quality first.
constexpr std::string const CUISTR::*kBarLabels[] = { &CUISTR::IDS_LINK_QUALITY, &CUISTR::IDS_LINK_STRENGTH,
    &CUISTR::IDS_LINK_STRENGTH2, &CUISTR::IDS_LINK_STRENGTH3 };

// The 802.11n block: BW, GI, MCS, SNR0, SNR1 labels and values; STBC and SNR2 go their own way.
constexpr int kHtShown[] = { 1220, 1221, 1223, 1224, 1225, 1226, 1227, 1229, 1230, 1231 };

}

BEGIN_MESSAGE_MAP(CLinkStatusDlg, CResizeDlg)
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CLinkStatusDlg::CLinkStatusDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
    build_link_states();
    s_bSkipSample = TRUE;
}

void CLinkStatusDlg::build_link_states()
{
    std::string const* texts[] = { &G_UiStr.IDS_GENERAL_LINK_UP, &G_UiStr.IDS_GENERAL_LINK_DOWN,
        &G_UiStr.IDS_HW_RADIO_OFF, &G_UiStr.IDS_SW_RADIO_OFF, &G_UiStr.IDS_AUTH_FAIL, &G_UiStr.IDS_AUTH_FAIL_KEYS,
        &G_UiStr.IDS_ASSOC_FAIL, &G_UiStr.IDS_EAP_MIC_FAILURE, &G_UiStr.IDS_EAP_4WAY_TIMEOUT,
        &G_UiStr.IDS_EAP_GROUP_KEY_TIMEOUT, &G_UiStr.IDS_EAP_SUCCESS };
    for (std::size_t code = 0; code < m_linkStates.size(); ++code)
        m_linkStates[code] = { static_cast<std::uint32_t>(code), *texts[code] };
}

void CLinkStatusDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    for (int id = IDC_QUALITY; id <= IDC_UNUSED_BAR; ++id)
        DDX_Control(pDX, id, Bar(id));
    DDX_Control(pDX, IDC_TX_HISTOGRAM, m_histTx);
    DDX_Control(pDX, IDC_RX_HISTOGRAM, m_histRx);
    DDX_Control(pDX, IDC_TX_SEPARATOR, m_sepTx);
    DDX_Control(pDX, IDC_RX_SEPARATOR, m_sepRx);
    DDX_Control(pDX, IDC_HT_SEPARATOR, m_sepHt);
    DDX_Text(pDX, IDC_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_STATUS2, m_strStatus2);
    DDX_Text(pDX, IDC_EXTRA, m_strExtraInfo);
    DDX_Text(pDX, IDC_CHANNEL, m_strChannel);
    DDX_Text(pDX, IDC_AUTH, m_strAuthentication);
    DDX_Text(pDX, IDC_ENCRYPTION, m_strEncryption);
    DDX_Text(pDX, IDC_NETWORK_TYPE, m_strNetworkType);
    DDX_Text(pDX, IDC_IP, m_strIPAddress);
    DDX_Text(pDX, IDC_MASK, m_strSubnetMask);
    DDX_Text(pDX, IDC_GATEWAY, m_strGateway);
    DDX_Text(pDX, IDC_TX_RATE, m_strTxRate);
    DDX_Text(pDX, IDC_TX_THROUGHPUT, m_strTxThroughput);
    DDX_Text(pDX, IDC_RX_RATE, m_strRxRate);
    DDX_Text(pDX, IDC_RX_THROUGHPUT, m_strRxThroughput);
}

BOOL CLinkStatusDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_bICVError = FALSE;
    LOGFONT description {};
    description.lfHeight = 16;
    description.lfCharSet = static_cast<BYTE>(G_UiStr.nCharSet);
    std::strncpy(description.lfFaceName, G_UiStr.strFaceName.c_str(), sizeof description.lfFaceName - 1);
    m_font.CreateFontIndirect(&description);
    init_labels();
    init_bars();
    init_histograms();
    init_ht_statics();
    s_aryTxHistory.fill(0.0);
    s_aryRxHistory.fill(0.0);
    check_antennas();
    return TRUE;
}

void CLinkStatusDlg::init_labels()
{
    for (Label const& l : kLabels)
        SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, l.id), G_UiStr.*l.text);
    for (int id : kValues)
        SetCtrlTextPtr(m_hWnd, ::GetDlgItem(m_hWnd, id), nullptr);
    EnableToolTips(TRUE);
    for (Label const& l : kLabels)
        SendDlgItemMessage(l.id, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    for (int id : kValues)
        SendDlgItemMessage(id, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    SetCtrlText(m_hWnd, m_sepTx.m_hWnd, G_UiStr.IDS_LINK_TRANSMIT);
    SetCtrlText(m_hWnd, m_sepRx.m_hWnd, G_UiStr.IDS_LINK_RECEIVE);
}

void CLinkStatusDlg::init_bars()
{
    for (int i = 0; i < 4; ++i) {
        CProgressCtrlX& bar = Bar(IDC_QUALITY + i);
        bar.ShowWindow(SW_SHOW);
        bar.SetColors(3, kGreen, kLightBlue, kGreen);
        bar.RunAnimation(55, 1);
        bar.SetCaptionFormat(CaptionLiteral(G_UiStr.*kBarLabels[i]).c_str(), PBS_SHOW_PERCENT);
        bar.SetCaptionFont(&m_font);
        bar.SetPos(0);
    }
}

void CLinkStatusDlg::init_histograms()
{
    struct Side {
        CDornoStaticHistogram& histogram;
        double peak;
        COLORREF colour;
    };
    // The scale strip is 50 pixels, or wider where the page font needs more for a peak text
    // of the longest usual form, which would otherwise be clipped at both ends.
    int strip = 50;
    {
        CClientDC dc(this);
        CFont* old = dc.SelectObject(&m_font);
        strip = std::max(strip, static_cast<int>(dc.GetTextExtent(CString("999.999 Mbps")).cx) + 4);
        dc.SelectObject(old);
    }
    for (Side const& s : { Side { m_histTx, m_dTxPeak, kGreen }, Side { m_histRx, m_dRxPeak, kYellow } }) {
        s.histogram.ShowWindow(SW_SHOW);
        s.histogram.SetFont(&m_font);
        s.histogram.AdjustLabelWidth(strip);
        s.histogram.AdjustLabelCount(2);
        s.histogram.m_strLabels[0] = "Max";
        s.histogram.m_strLabels[1] = ThroughputText(s.peak).c_str();
        s.histogram.m_crBar = s.colour;
    }
}

void CLinkStatusDlg::init_ht_statics()
{
    m_sepHt.ShowWindow(SW_SHOW);
    m_sepHt.SetFont(&m_font);
    for (int id = IDC_BW_LABEL; id <= IDC_SNR1; ++id) {
        show(id, true);
        SendDlgItemMessage(id, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    }
    for (int id : { IDC_SNR2_LABEL, IDC_SNR2 }) {
        show(id, true);
        SendDlgItemMessage(id, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    }
}

void CLinkStatusDlg::show(int id, bool visible)
{
    if (HWND control = ::GetDlgItem(m_hWnd, id))
        ::ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

// Which signal bars the adapter has: bar 1202 with a second antenna, 1203 with a third.
void CLinkStatusDlg::check_antennas()
{
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 0, 0, 1, 0, 0 } });
    show(IDC_SIGNAL0 + 1, status.Ant2Present == 1);
    show(IDC_SIGNAL0 + 2, status.Ant2Present == 1 && status.Ant3Present == 1);
}

void CLinkStatusDlg::show_ht_section()
{
    m_bHtSupported = G_VxWlLib.VXWL_Is80211NSupport() != 0;
    for (int id : kHtShown)
        show(id, m_bHtSupported);
    show(IDC_HT_SEPARATOR, m_bHtSupported);
    if (!m_bHtSupported) {
        show(IDC_SNR2_LABEL, false);
        show(IDC_SNR2, false);
    }
    show(IDC_BW_LABEL + 2, false);
    show(IDC_STBC, false);
}

void CLinkStatusDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow) {
        KillTimer(m_nTimer);
        return;
    }
    m_htTable.Build();
    for (CString* text : { &m_strStatus, &m_strStatus2, &m_strExtraInfo, &m_strChannel, &m_strAuthentication,
             &m_strEncryption, &m_strNetworkType, &m_strIPAddress, &m_strSubnetMask, &m_strGateway, &m_strTxRate,
             &m_strTxThroughput, &m_strRxRate, &m_strRxThroughput })
        text->Empty();
    m_dTxPeak = m_dRxPeak = 0;
    for (CDornoStaticHistogram* histogram : { &m_histTx, &m_histRx }) {
        histogram->m_strLabels[1] = "0.000 Mbps";
        histogram->ForgetSamples();
    }
    check_antennas();
    show_ht_section();
    m_nTimer = SetTimer(TIMER_REFRESH, kRefreshPeriod, nullptr);
}

void CLinkStatusDlg::OnTimer(UINT_PTR)
{
    Refresh();
}

// A 2-pixel etched line across the top, shadow over highlight, then the dialog's own painting.
void CLinkStatusDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.Draw3dRect(0, 0, client.Width(), 2, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

LRESULT CLinkStatusDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

BOOL CLinkStatusDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header && (header->code == TTN_NEEDTEXTA || header->code == TTN_NEEDTEXTW))
        return on_need_text(header, pResult);
    return CResizeDlg::OnNotify(wParam, lParam, pResult);
}

// The status line's tip names the connected network in full; other controls have none.
BOOL CLinkStatusDlg::on_need_text(NMHDR* header, LRESULT* result)
{
    *result = 0;
    std::string tip;
    HWND const status_line = ::GetDlgItem(m_hWnd, IDC_STATUS);
    if (status_line && header->idFrom == reinterpret_cast<UINT_PTR>(status_line)) {
        WLAN_STATUS status {};
        G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 0, 1, 0, 0, 0 } });
        if (status.Status == VxStatus_Connected)
            tip = StatusTip(status);
    }
    if (header->code == TTN_NEEDTEXTW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        std::size_t i = 0;
        for (; i < tip.size() && i + 1 < std::size(info->szText); ++i)
            info->szText[i] = static_cast<unsigned char>(tip[i]);
        info->szText[i] = 0;
        info->lpszText = info->szText;
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFO*>(header);
        std::size_t const n = std::min(tip.size(), sizeof info->szText - 1);
        std::memcpy(info->szText, tip.data(), n);
        info->szText[n] = 0;
        info->lpszText = info->szText;
    }
    return TRUE;
}
