#include "station/features/PageExtAPDlg.h"

CPageExtAPDlg::CPageExtAPDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
