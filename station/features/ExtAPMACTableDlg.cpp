#include "station/features/ExtAPMACTableDlg.h"

CExtAPMACTableDlg::CExtAPMACTableDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
