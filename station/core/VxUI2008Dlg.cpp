#include "station/core/VxUI2008Dlg.h"

#include "station/core/HideDlgIds.h"

CVxUI2008Dlg::CVxUI2008Dlg(CWnd* pParent)
    : CDialog(IDD_VXUI2008_DIALOG, pParent)
{
}

BOOL CVxUI2008Dlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CVxUI2008Dlg::EnableRadioButton(bool enable)
{
    m_bRadioEnabled = enable;
}

void CVxUI2008Dlg::ShowAndActivate()
{
    m_bShown = TRUE;
    ShowWindow(SW_SHOW);
    SetForegroundWindow();
}
