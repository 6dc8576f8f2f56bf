#include "platform/framework/Dialog.h"

#include "platform/framework/DialogManager.h"
#include "platform/framework/WinApp.h"
#include "platform/user/WindowCore.h"

using namespace platform::framework;

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate)
    , m_nIDTemplate(nIDTemplate)
    , m_lpszTemplateName(MAKEINTRESOURCE(static_cast<WORD>(nIDTemplate)))
    , m_pParentWnd(pParentWnd)
{
}

BOOL CDialog::create_from(DialogResource const& dialog, HWND parent)
{
    if (!build_dialog(dialog, parent, this))
        return FALSE;
    return TRUE;
}

// WM_INITDIALOG: OnInitDialog answers whether the dialog manager sets the focus.
BOOL CDialog::handle_init_dialog()
{
    std::weak_ptr<int> alive = life();
    HWND const hwnd = m_hWnd;
    HWND const first = ::GetNextDlgTabItem(hwnd, nullptr, FALSE);
    LRESULT const focus = ::SendMessage(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0);
    if (alive.expired() || !::IsWindow(hwnd))
        return FALSE;
    initialize_keyboard_cues(hwnd);
    if (focus && first && ::IsWindow(first))
        dialog_set_focus(hwnd, first);
    return focus != 0;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_INITDIALOG:
        *pResult = OnInitDialog();
        return TRUE;
    case DM_GETDEFID:
        // The dialog manager sees the default-button messages only after the message map:
        // they share their numbers (WM_USER + 0 and + 1) with private messages of dialogs.
        if (CWnd::OnWndMsg(message, wParam, lParam, pResult))
            return TRUE;
        *pResult = m_bHasDefID ? MAKELRESULT(static_cast<WORD>(m_nDefID), DC_HASDEFID) : 0;
        return TRUE;
    case WM_SETFONT:
        m_hFont = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            Invalidate();
        *pResult = 0;
        return TRUE;
    case WM_GETFONT:
        *pResult = reinterpret_cast<LRESULT>(m_hFont);
        return TRUE;
    case DM_SETDEFID:
        if (CWnd::OnWndMsg(message, wParam, lParam, pResult))
            return TRUE;
        m_nDefID = static_cast<UINT>(wParam);
        m_bHasDefID = true;
        *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

INT_PTR CDialog::DoModal()
{
    DialogResource const* dialog = m_pIndirect ? m_pIndirect : resources().dialog(static_cast<int>(m_nIDTemplate));
    if (!dialog)
        return -1;
    HWND const owner = GetSafeOwner_(m_pParentWnd);
    DialogResource modal = *dialog;
    modal.style &= ~WS_CHILD;
    if (!create_from(modal, owner))
        return -1;
    HWND const hwnd = m_hWnd;
    handle_init_dialog();
    if (!::IsWindow(hwnd))
        return IDCANCEL;
    return platform::user::run_dialog_modal(hwnd, owner);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_lpszTemplateName = MAKEINTRESOURCE(static_cast<WORD>(nIDTemplate));
    if (!m_nIDHelp)
        m_nIDHelp = nIDTemplate;
    return CreateIndirect(static_cast<LPCDLGTEMPLATE>(nullptr), pParentWnd);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    auto const* locked = static_cast<LPCDLGTEMPLATE>(hDialogTemplate);
    return locked && template_of(locked) && CreateIndirect(locked, pParentWnd);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_pIndirect = template_of(lpDialogTemplate);
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return m_pIndirect != nullptr;
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    DialogResource const* dialog = lpDialogTemplate ? template_of(lpDialogTemplate)
                                                    : resources().dialog(static_cast<int>(m_nIDTemplate));
    if (!dialog || m_hWnd)
        return FALSE;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    CWnd* const main = AfxGetMainWnd();
    HWND const parent = m_pParentWnd ? m_pParentWnd->m_hWnd : (main && main != this ? main->m_hWnd : nullptr);
    DialogResource const copy = *dialog;
    if (!create_from(copy, parent))
        return FALSE;
    HWND const hwnd = m_hWnd;
    bool const visible = copy.style & WS_VISIBLE;
    if (!handle_init_dialog()) {
        // OnInitDialog answering FALSE refuses a modeless dialog.
        if (::IsWindow(hwnd) && m_hWnd == hwnd)
            DestroyWindow();
        return FALSE;
    }
    if (visible && ::IsWindow(hwnd))
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
    return ::IsWindow(hwnd);
}

void CDialog::EndDialog(int nResult)
{
    if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit(m_nIDTemplate);
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::NextDlgCtrl() const
{
    if (HWND next = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), FALSE))
        dialog_set_focus(m_hWnd, next);
}

void CDialog::PrevDlgCtrl() const
{
    if (HWND previous = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), TRUE))
        dialog_set_focus(m_hWnd, previous);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl && pWndCtrl->m_hWnd)
        dialog_set_focus(m_hWnd, pWndCtrl->m_hWnd);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT rect) const
{
    ::MapDialogRect(m_hWnd, rect);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    bool const keyboard = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
    if (!keyboard || !m_hWnd || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}
