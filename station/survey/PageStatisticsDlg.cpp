#include "station/survey/PageStatisticsDlg.h"

CPageStatisticsDlg::CPageStatisticsDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
