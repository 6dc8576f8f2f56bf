#include "station/features/PageCCXConfigDlg.h"

CPageCCXConfigDlg::CPageCCXConfigDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
