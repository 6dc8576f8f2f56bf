#include "station/survey/APDetailInfoDlg.h"

CAPDetailInfoDlg::CAPDetailInfoDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
