#include "station/survey/Page80211nDlg.h"

#include "station/controls/PageFrame.h"
#include "station/controls/QuickListRecords.h"
#include "station/survey/DetailTab.h"

using namespace station::survey;

BEGIN_MESSAGE_MAP(CPage80211nDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_MESSAGE(QLN_CELLREQUEST, OnGetCellText)
END_MESSAGE_MAP()

CPage80211nDlg::CPage80211nDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPage80211nDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_list);
}

BOOL CPage80211nDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    CreateDetailFont(m_font, 16);
    m_list.SetFont(&m_font);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    CRect rect;
    m_list.GetWindowRect(&rect);
    m_list.InsertColumn(0, "Property", LVCFMT_LEFT, rect.Width() * 5 / 9);
    m_list.InsertColumn(1, "Value", LVCFMT_LEFT, rect.Width() * 3 / 9);
    return TRUE;
}

void CPage80211nDlg::FillList()
{
    m_rows = HtRows(m_strTexts);
    Refresh();
}

void CPage80211nDlg::Refresh()
{
    int const count = static_cast<int>(m_rows.size());
    m_list.SetItemCountEx(count);
    if (count > 0)
        m_list.RedrawItems(m_list.GetTopIndex(), count - 1);
}

LRESULT CPage80211nDlg::OnGetCellText(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (!cell || cell->m_nItem < 0 || cell->m_nItem >= static_cast<int>(m_rows.size()))
        return 0;
    HtRow const& row = m_rows[static_cast<std::size_t>(cell->m_nItem)];
    if (cell->m_nSubItem == 0) {
        cell->m_strText = row.property.c_str();
        cell->m_bBold = row.heading ? 1 : 0;
    } else if (cell->m_nSubItem == 1) {
        cell->m_strText = row.value.c_str();
    }
    return 0;
}

void CPage80211nDlg::OnPaint()
{
    PaintTopLine(*this);
}

LRESULT CPage80211nDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }
