#include "station/survey/PageGeneralDlg.h"

#include "station/controls/PageFrame.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/survey/DetailTab.h"

using namespace station::survey;

namespace {

struct Label {
    int id;
    std::string const CUISTR::*text;
};
constexpr Label kLabels[] = {
    { CPageGeneralDlg::IDC_SSID_LABEL, &CUISTR::IDS_SSID },
    { CPageGeneralDlg::IDC_MAC_LABEL, &CUISTR::IDS_MAC_ADDRESS },
    { CPageGeneralDlg::IDC_AUTH_LABEL, &CUISTR::IDS_AUTH_TYPE },
    { CPageGeneralDlg::IDC_ENCRYPTION_LABEL, &CUISTR::IDS_ENCRY_TYPE },
    { CPageGeneralDlg::IDC_CHANNEL_LABEL, &CUISTR::IDS_CHANNEL },
    { CPageGeneralDlg::IDC_NETWORK_TYPE_LABEL, &CUISTR::IDS_NETWORK_TYPE },
    { CPageGeneralDlg::IDC_BEACON_LABEL, &CUISTR::IDS_BEACON_INTERVAL },
    { CPageGeneralDlg::IDC_MDID_LABEL, &CUISTR::IDS_MDID },
    { CPageGeneralDlg::IDC_SIGNAL_GROUP, &CUISTR::IDS_SIGNAL_STRENGTH },
};

// The values that use the tab's own font; the others keep the dialog's.
constexpr int kFontValues[] = { CPageGeneralDlg::IDC_SSID, CPageGeneralDlg::IDC_BEACON, CPageGeneralDlg::IDC_RATES };

// The bar's gradient until the first network is shown: green, light blue, green.
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kLightBlue = 0xF0CAA6;

}

BEGIN_MESSAGE_MAP(CPageGeneralDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CPageGeneralDlg::CPageGeneralDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageGeneralDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SIGNAL, m_barSignal);
    DDX_Text(pDX, IDC_SSID, m_strSsid);
    DDX_Text(pDX, IDC_MAC, m_strMac);
    DDX_Text(pDX, IDC_AUTH, m_strAuthentication);
    DDX_Text(pDX, IDC_ENCRYPTION, m_strEncryption);
    DDX_Text(pDX, IDC_CHANNEL, m_strChannel);
    DDX_Text(pDX, IDC_NETWORK_TYPE, m_strNetworkType);
    DDX_Text(pDX, IDC_RATES, m_strRates);
    DDX_Text(pDX, IDC_BEACON, m_strBeaconInterval);
    DDX_Text(pDX, IDC_MDID, m_strMdid);
}

BOOL CPageGeneralDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    CreateDetailFont(m_font, 16);
    for (Label const& l : kLabels)
        SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, l.id), G_UiStr.*l.text);
    for (int id : kFontValues)
        SendDlgItemMessage(id, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    m_barSignal.SetColors(3, kGreen, kLightBlue, kGreen);
    ShowMdid(false);
    return TRUE;
}

void CPageGeneralDlg::ShowMdid(bool show)
{
    int const command = show ? SW_SHOW : SW_HIDE;
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_MDID_LABEL), command);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_MDID), command);
}

void CPageGeneralDlg::OnPaint()
{
    PaintTopLine(*this);
}

LRESULT CPageGeneralDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }
