#include "station/features/ExtAPMACTableDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/controls/PageFrame.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::uint32_t kStateRunning = 1;
constexpr std::uint32_t kAuthenticated = 1;

CString dashed_mac(BYTE const* mac)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

}

BEGIN_MESSAGE_MAP(CExtAPMACTableDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_MESSAGE(QLN_CELLREQUEST, OnCellRequest)
END_MESSAGE_MAP()

CExtAPMACTableDlg::CExtAPMACTableDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CExtAPMACTableDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TITLE, m_title);
    DDX_Control(pDX, IDC_LIST, m_list);
    DDX_Text(pDX, IDC_BSSID, m_strBSSID);
}

BOOL CExtAPMACTableDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0,
        G_UiStr.strFaceName.c_str());
    SetDlgItemText(IDC_TITLE, G_UiStr.IDS_MAC_TABLE.c_str());
    SetDlgItemText(IDC_BSSID_LABEL, G_UiStr.IDS_SITESUR_BSSID.c_str());
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&m_font);
    init_list();
    return TRUE;
}

// Two centred columns, each half the list's width.
void CExtAPMACTableDlg::init_list()
{
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    CRect rect;
    m_list.GetWindowRect(&rect);
    m_list.InsertColumn(0, "MAC", LVCFMT_CENTER, rect.Width() / 2);
    m_list.InsertColumn(1, "Auth State", LVCFMT_CENTER, rect.Width() / 2);
}

void CExtAPMACTableDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CExtAPMACTableDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

void CExtAPMACTableDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (bShow) {
        m_nTimer = SetTimer(kRefreshTimer, kRefreshMs, nullptr);
        return;
    }
    if (m_nTimer)
        KillTimer(m_nTimer);
    m_nTimer = 0;
}

void CExtAPMACTableDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kRefreshTimer)
        refresh();
    else
        CResizeDlg::OnTimer(nIDEvent);
}

// The record holds at most 50 stations, whatever count it reports.
void CExtAPMACTableDlg::refresh()
{
    m_arrStations.clear();
    HOSTED_NETWORK_STATUS status {};
    G_VxWlLib.VXWL_HostedNetworkQueryStatus(&status);
    m_strBSSID = status.State == kStateRunning ? dashed_mac(status.Bssid) : CString();
    SetDlgItemText(IDC_BSSID, m_strBSSID);
    std::uint32_t const listed = std::min<std::uint32_t>(status.StationCount, HOSTED_STATUS_MAX_STATIONS);
    for (std::uint32_t i = 0; i < listed; ++i) {
        Station station {};
        std::copy(std::begin(status.Stations[i].MacAddress), std::end(status.Stations[i].MacAddress), station.mac);
        station.auth = status.Stations[i].AuthState;
        m_arrStations.push_back(station);
    }
    int const rows = static_cast<int>(m_arrStations.size());
    m_list.SetItemCountEx(rows);
    if (rows > 0)
        m_list.RedrawItems(0, rows - 1);
    m_list.Invalidate();
}

LRESULT CExtAPMACTableDlg::OnCellRequest(WPARAM wParam, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (!cell || reinterpret_cast<HWND>(wParam) != m_list.m_hWnd || cell->m_nItem < 0
        || cell->m_nItem >= static_cast<int>(m_arrStations.size()))
        return 0;
    Station const& station = m_arrStations[static_cast<std::size_t>(cell->m_nItem)];
    if (cell->m_nSubItem == 0)
        cell->m_strText = dashed_mac(station.mac);
    else if (cell->m_nSubItem == 1)
        cell->m_strText = station.auth == kAuthenticated ? "Authenticated" : "Invalid";
    return 0;
}
