#include "station/features/PageAdvanceDlg.h"

CPageAdvanceDlg::CPageAdvanceDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
