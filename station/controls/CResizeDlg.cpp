#include "station/controls/CResizeDlg.h"

#include "platform/system/Kernel.h"

BEGIN_MESSAGE_MAP(CResizeDlg, CDialog)
END_MESSAGE_MAP()

CResizeDlg::CResizeDlg(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd)
{
}

BOOL CResizeDlg::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    CRect desktop;
    CWnd::GetDesktopWindow()->GetWindowRect(&desktop);
    if (desktop.bottom >= kSmallDesktopHeight)
        return CDialog::Create(nIDTemplate, pParentWnd);
    return create_with_small_font(nIDTemplate, pParentWnd);
}

BOOL CResizeDlg::create_with_small_font(UINT nIDTemplate, CWnd* pParentWnd)
{
    CDialogTemplate dlt;
    if (!dlt.Load(MAKEINTRESOURCE(static_cast<WORD>(nIDTemplate))))
        return FALSE;
    dlt.SetFont("Trebuchet MS", 7);
    // The id stays known, so that OnInitDialog still finds the template's dialog-init lists.
    m_nIDTemplate = nIDTemplate;
    m_lpszTemplateName = MAKEINTRESOURCE(static_cast<WORD>(nIDTemplate));
    auto const* locked = static_cast<LPCDLGTEMPLATE>(GlobalLock(dlt.m_hTemplate));
    BOOL const created = CreateIndirect(locked, pParentWnd);
    GlobalUnlock(dlt.m_hTemplate);
    return created;
}
