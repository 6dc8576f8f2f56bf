#include "station/profiles/PageSSODlg.h"

CPageSSODlg::CPageSSODlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
