#include "station/features/PageAboutDlg.h"

CPageAboutDlg::CPageAboutDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
