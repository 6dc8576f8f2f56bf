#include "station/controls/CMessageBoxDlg.h"

#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"

BEGIN_MESSAGE_MAP(CMessageBoxDlg, CResizeDlg)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CMessageBoxDlg::CMessageBoxDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

INT_PTR CMessageBoxDlg::Show(std::string const& text)
{
    CMessageBoxDlg dlg;
    dlg.m_strMessage = text;
    return dlg.DoModal();
}

void CMessageBoxDlg::InstallAsMessageBox()
{
    SetMessageBoxHandler(&CMessageBoxDlg::Show);
}

void CMessageBoxDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Text(pDX, kMessageId, m_strMessage);
}

BOOL CMessageBoxDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    SetDlgItemText(IDOK, G_UiStr.IDS_OK.c_str());
    return TRUE;
}

void CMessageBoxDlg::OnOK()
{
    EndDialog(IDOK);
    CResizeDlg::OnOK();
}

// Closing by any way other than OK answers 2; the window core keeps the first end code, so
// an OK that came before stays the result.
void CMessageBoxDlg::OnDestroy()
{
    EndDialog(IDCANCEL);
    CResizeDlg::OnDestroy();
}
