#include "station/profiles/PageProfileDlg.h"

#include "platform/framework/DataExchange.h"

CPageProfileDlg::CPageProfileDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageProfileDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_listProfile);
}
