#include "station/profiles/SecurityEditorDlg.h"

CSecurityEditorDlg::CSecurityEditorDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
