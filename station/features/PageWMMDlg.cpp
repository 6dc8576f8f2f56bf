#include "station/features/PageWMMDlg.h"

CPageWMMDlg::CPageWMMDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
