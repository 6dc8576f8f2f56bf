// CDialog: a dialog window made from a template by id, modal (DoModal) or modeless (Create,
// CreateIndirect).
//
// Rules:
// - OnInitDialog of CDialog fills the template's dialog-init lists and runs the data exchange
//   (UpdateData(FALSE)); a derived class calls it first, then does its own work.
// - Modal: DoModal runs the window core's modal loop, owner disabled, and answers the first
//   EndDialog value (IDCANCEL when the window went another way, -1 when it could not be made).
// - Modeless: Create answers FALSE and destroys the window when OnInitDialog answers FALSE.
//   A template with WS_VISIBLE is shown after OnInitDialog.
// - Enter, Escape and the close box come as WM_COMMAND IDOK / IDCANCEL; OnOK takes the data
//   (UpdateData(TRUE), staying open when it is refused) and ends with IDOK, OnCancel ends with
//   IDCANCEL. Ending a modeless dialog hides it.
// - Keyboard navigation runs in PreTranslateMessage (IsDialogMessage) for the dialog's windows.
// - The dialog keeps the font it is given (WM_SETFONT; the builder gives it the template's)
//   and answers it to WM_GETFONT, as the dialog class of the window core does not.
#pragma once

#include "platform/framework/DialogTemplate.h"
#include "platform/framework/Wnd.h"

class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr);
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    void EndDialog(int nResult);
    virtual BOOL OnInitDialog();
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT rect) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    UINT m_nIDHelp {};
    UINT m_nIDTemplate {};
    LPCTSTR m_lpszTemplateName {};
    CWnd* m_pParentWnd {};

protected:
    virtual void OnOK();
    virtual void OnCancel();
    // Makes the window from the template; the shared part of DoModal and the Create calls.
    BOOL create_from(platform::framework::DialogResource const& dialog, HWND parent);

    DECLARE_MESSAGE_MAP()

private:
    BOOL handle_init_dialog();
    platform::framework::DialogResource const* m_pIndirect {};
    UINT m_nDefID {};
    HFONT m_hFont {};
    bool m_bHasDefID {};
};
