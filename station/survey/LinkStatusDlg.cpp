#include "station/survey/LinkStatusDlg.h"

CLinkStatusDlg::CLinkStatusDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
