#include "station/features/DeleteBlockAckDlg.h"

CDeleteBlockAckDlg::CDeleteBlockAckDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
