#include "station/survey/AuthenStatusDlg.h"

CAuthenStatusDlg::CAuthenStatusDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
