#include "station/profiles/PageProfileDlg.h"

CPageProfileDlg::CPageProfileDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
