#include "station/features/AddBlockAckDlg.h"

CAddBlockAckDlg::CAddBlockAckDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
