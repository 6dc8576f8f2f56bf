#include "station/features/PageWPSStatusDlg.h"

#include "station/controls/PageFrame.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"

namespace {

constexpr std::array<int, 10> kLabelIds { 1340, 1347, 1348, 1349, 1350, 1351, 1352, 1353, 1354, 1355 };
constexpr std::array<std::string const CUISTR::*, 10> kLabelTexts { &CUISTR::IDS_AUTH_TYPE, &CUISTR::IDS_ENCRY_TYPE,
    &CUISTR::IDS_WPS_CONFIG_METH, &CUISTR::IDS_WPS_DEVICE_PW_ID, &CUISTR::IDS_WPS_SELECTED_REG, &CUISTR::IDS_WPS_STATE,
    &CUISTR::IDS_WPS_VERSION, &CUISTR::IDS_WPS_AP_SETUP_LOCKED, &CUISTR::IDS_WPS_UUID_E, &CUISTR::IDS_WPS_RF_BAND };

}

BEGIN_MESSAGE_MAP(CPageWPSStatusDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CPageWPSStatusDlg::CPageWPSStatusDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageWPSStatusDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    for (std::size_t i = 0; i < kValueIds.size(); ++i)
        DDX_Text(pDX, kValueIds[i], m_strTexts[i]);
}

BOOL CPageWPSStatusDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    for (std::size_t i = 0; i < kLabelIds.size(); ++i)
        SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, kLabelIds[i]), G_UiStr.*kLabelTexts[i]);
    return TRUE;
}

// The etched line across the top that every tab of the detail draws.
void CPageWPSStatusDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.Draw3dRect(0, 0, client.Width(), 2, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

LRESULT CPageWPSStatusDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }
