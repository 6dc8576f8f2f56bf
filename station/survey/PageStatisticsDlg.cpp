#include "station/survey/PageStatisticsDlg.h"

#include "station/controls/PageFrame.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/StationFlags.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/survey/StatisticsTexts.h"

#include <cstring>

using namespace station::survey;

namespace {

constexpr DWORD kTabButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr COLORREF kTabHover = 0xB4B4B4;
constexpr COLORREF kTabHighlight = 0x00FF00;

// The status query of the counters: every switch off but the fifth.
constexpr WLAN_STATUS_REQUEST kCounterRequest { { 0, 0, 0, 0, 1 } };

}

BEGIN_MESSAGE_MAP(CPageStatisticsDlg, CResizeDlg)
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_BN_CLICKED(IDC_RESET_COUNTER, OnResetCounter)
END_MESSAGE_MAP()

CPageStatisticsDlg::CPageStatisticsDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
    , m_tabDlg(CTabDialog::IDD, this)
    , m_dlgTx(&m_tabDlg)
    , m_dlgRx(&m_tabDlg)
{
}

void CPageStatisticsDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RESET_COUNTER, m_btnReset);
}

BOOL CPageStatisticsDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    if (!m_tabDlg.Create(CTabDialog::IDD, this))
        return FALSE;
    RECT area {};
    GetCtrlRectInDlg(&area, m_hWnd, IDC_TAB_AREA);
    m_tabDlg.MoveWindow(&area);
    m_tabDlg.ShowWindow(SW_SHOW);
    if (!CreateTabs())
        return FALSE;
    SetCtrlText(m_hWnd, m_btnReset.m_hWnd, G_UiStr.IDS_STA_RESETCOUNTER);
    m_btnReset.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    m_btnReset.SetFont(&m_font);
    return TRUE;
}

BOOL CPageStatisticsDlg::CreateTabs()
{
    LOGFONT description {};
    description.lfHeight = G_bHideTabIcon ? 16 : 20;
    description.lfCharSet = static_cast<BYTE>(G_UiStr.nCharSet);
    std::strncpy(description.lfFaceName, G_UiStr.strFaceName.c_str(), sizeof description.lfFaceName - 1);
    m_font.CreateFontIndirect(&description);
    if (!create_tab(m_btnTx, IDC_TX_PLACE, IDC_TX_BUTTON, G_UiStr.IDS_STA_TX, m_dlgTx, CPageStatisticsTXDlg::IDD)
        || !create_tab(m_btnRx, IDC_RX_PLACE, IDC_RX_BUTTON, G_UiStr.IDS_STA_RX, m_dlgRx, CPageStatisticsRXDlg::IDD))
        return FALSE;
    CRect host;
    m_tabDlg.GetClientRect(&host);
    m_tabDlg.MovePages(host, 0);
    return TRUE;
}

BOOL CPageStatisticsDlg::create_tab(CShadeButtonST& button, int place, int id, std::string const& text,
    CStatisticsTabDlg& tab, UINT idd)
{
    RECT rect {};
    GetCtrlRectInDlg(&rect, m_hWnd, place);
    if (!button.Create(text.c_str(), kTabButtonStyle, CRect(rect), this, static_cast<UINT>(id)))
        return FALSE;
    button.ConfigureShading(4, 8, 40, 5, 0, kTabHover, kTabHighlight);
    button.SetFont(&m_font);
    if (!tab.Create(idd, &m_tabDlg))
        return FALSE;
    return m_tabDlg.AddPage(&tab, &button);
}

// The tab buttons sit on the page, not on the host: their clicks go on to the host, which
// shows the tab that belongs to the button.
BOOL CPageStatisticsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int const id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (id == IDC_TX_BUTTON || id == IDC_RX_BUTTON) && m_tabDlg.m_hWnd)
        return static_cast<BOOL>(m_tabDlg.SendMessage(WM_COMMAND, wParam, lParam));
    return CResizeDlg::OnCommand(wParam, lParam);
}

void CPageStatisticsDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (bShow)
        m_nTimer = SetTimer(TIMER_REFRESH, kRefreshPeriod, nullptr);
    else
        KillTimer(m_nTimer);
}

void CPageStatisticsDlg::OnTimer(UINT_PTR)
{
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, kCounterRequest);
    StatisticsTexts const texts = FormatStatistics(status, G_VxWlLib.VXWL_GetWinOS());
    for (std::size_t i = 0; i < texts.tx.size(); ++i)
        m_dlgTx.m_strValues[i] = texts.tx[i].c_str();
    for (std::size_t i = 0; i < texts.rx.size(); ++i)
        m_dlgRx.m_strValues[i] = texts.rx[i].c_str();
    push_values();
}

// The zeros show at once; the next refresh shows the library's counters. The configuration
// window hears of the reset so that the link status does not count the reset as traffic.
void CPageStatisticsDlg::OnResetCounter()
{
    for (CString& value : m_dlgTx.m_strValues)
        value = "0";
    for (CString& value : m_dlgRx.m_strValues)
        value = "0";
    push_values();
    G_VxWlLib.VXWL_ResetCounter();
    if (HWND window = hide_dlg_services().config_window())
        ::PostMessage(window, DLG_MSG_EXCHANGE, PAGE_STATISTICS_DLG, 0);
}

void CPageStatisticsDlg::push_values()
{
    if (m_dlgTx.m_hWnd)
        m_dlgTx.UpdateData(FALSE);
    if (m_dlgRx.m_hWnd)
        m_dlgRx.UpdateData(FALSE);
}

void CPageStatisticsDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CPageStatisticsDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }
