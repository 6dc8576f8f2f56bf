#include "station/survey/HiddenSsidDlg.h"

CHiddenSsidDlg::CHiddenSsidDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
