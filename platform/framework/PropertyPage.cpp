#include "platform/framework/PropertyPage.h"

#include "platform/framework/PropertySheet.h"

using namespace platform::framework;

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CDialog(nIDTemplate)
{
    m_psp.dwSize = sizeof m_psp;
    m_psp.pszTemplate = MAKEINTRESOURCE(static_cast<WORD>(nIDTemplate));
    if (nIDCaption)
        m_strCaption.LoadString(nIDCaption);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

void CPropertyPage::OnOK() { }
void CPropertyPage::OnCancel() { }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

// The framework keeps no Apply state of its own: the Apply button is always enabled.
void CPropertyPage::SetModified(BOOL) { }

// Inside a sheet the keyboard belongs to the sheet's dialog manager, which spans the pages.
BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    return m_sheet ? FALSE : CDialog::PreTranslateMessage(pMsg);
}

CString CPropertyPage::caption() const
{
    if ((m_psp.dwFlags & PSP_USETITLE) && m_psp.pszTitle)
        return CString(m_psp.pszTitle);
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    DialogResource const* dialog = resources().dialog(static_cast<int>(m_nIDTemplate));
    return CString(dialog ? dialog->caption.c_str() : "");
}

// A page is a control-parent child dialog without a frame of its own, laid out by its
// template's font and then stretched to the sheet's page area.
BOOL CPropertyPage::create_in(CPropertySheet& sheet, RECT const& rect)
{
    DialogResource const* dialog = resources().dialog(static_cast<int>(m_nIDTemplate));
    if (!dialog || m_hWnd)
        return FALSE;
    DialogResource page = *dialog;
    page.style = (page.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | DS_MODALFRAME
                      | DS_CENTER))
        | WS_CHILD | DS_CONTROL;
    page.ex_style = (page.ex_style & ~WS_EX_DLGMODALFRAME) | WS_EX_CONTROLPARENT;
    page.rect = RECT { 0, 0, page.rect.right - page.rect.left, page.rect.bottom - page.rect.top };
    m_sheet = &sheet;
    m_pParentWnd = &sheet;
    if (!create_from(page, sheet.m_hWnd))
        return FALSE;
    HWND const hwnd = m_hWnd;
    std::weak_ptr<int> alive = life();
    ::MoveWindow(hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    // The answer only says whether the page set the focus itself: a page is never refused.
    ::SendMessage(hwnd, WM_INITDIALOG, 0, 0);
    return !alive.expired() && ::IsWindow(hwnd);
}

void CPropertyPage::PostNcDestroy()
{
    m_bFirstSetActive = TRUE;
    CDialog::PostNcDestroy();
}
