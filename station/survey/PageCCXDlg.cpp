#include "station/survey/PageCCXDlg.h"

#include "station/controls/PageFrame.h"
#include "station/survey/DetailTab.h"

using namespace station::survey;

BEGIN_MESSAGE_MAP(CPageCCXDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CPageCCXDlg::CPageCCXDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageCCXDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    for (int i = 0; i < 3; ++i)
        DDX_Text(pDX, IDC_CCKM + i, m_strTexts[std::size_t(i)]);
}

BOOL CPageCCXDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    CreateDetailFont(m_font, 16);
    for (int id = IDC_CCKM_LABEL; id <= IDC_CKIP; ++id)
        SendDlgItemMessage(id, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    return TRUE;
}

void CPageCCXDlg::OnPaint()
{
    PaintTopLine(*this);
}

LRESULT CPageCCXDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }
