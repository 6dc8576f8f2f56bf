#include "station/survey/StatisticsTabDlg.h"

#include "station/controls/PageFrame.h"
#include "station/core/CtrlHelpers.h"

#include <cstring>
#include <utility>

BEGIN_MESSAGE_MAP(CStatisticsTabDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CStatisticsTabDlg::CStatisticsTabDlg(UINT nIDTemplate, Layout layout, CWnd* pParent)
    : CResizeDlg(nIDTemplate, pParent)
    , m_strValues(layout.labels.size())
    , m_layout(std::move(layout))
{
}

void CStatisticsTabDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    for (std::size_t row = 0; row < m_strValues.size(); ++row)
        DDX_Text(pDX, m_layout.first_value + static_cast<int>(row), m_strValues[row]);
}

BOOL CStatisticsTabDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    LOGFONT description {};
    description.lfHeight = 16;
    description.lfCharSet = static_cast<BYTE>(G_UiStr.nCharSet);
    std::strncpy(description.lfFaceName, G_UiStr.strFaceName.c_str(), sizeof description.lfFaceName - 1);
    m_font.CreateFontIndirect(&description);
    for (std::size_t row = 0; row < m_layout.labels.size(); ++row) {
        int const offset = static_cast<int>(row);
        SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, m_layout.first_label + offset), G_UiStr.*m_layout.labels[row]);
        set_font(m_layout.first_label + offset);
        set_font(m_layout.first_equals + offset);
        set_font(m_layout.first_value + offset);
    }
    return TRUE;
}

void CStatisticsTabDlg::set_font(int id)
{
    SendDlgItemMessage(id, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
}

void CStatisticsTabDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CStatisticsTabDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }
