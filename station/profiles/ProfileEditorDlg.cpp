#include "station/profiles/ProfileEditorDlg.h"

CProfileEditorDlg::CProfileEditorDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
