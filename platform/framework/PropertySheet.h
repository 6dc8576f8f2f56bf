// CPropertySheet: a dialog window with a tab control over its pages (CPropertyPage) and a row
// of standard buttons, modal (DoModal) or modeless (Create).
//
// Rules:
// - Pages are added at construction or at any time (AddPage appends a tab to a live sheet);
//   a page's window is made when the page is first shown, its OnInitDialog then. RemovePage
//   destroys the page's window and drops its tab; the object stays the caller's and can be
//   added again, which makes a new window and runs OnInitDialog again.
// - Changing the active page (a tab click, Ctrl+Tab, SetActivePage, RemovePage of the active
//   page): the old page's OnKillActive (FALSE keeps it and refuses the change, except for
//   RemovePage), the new page's window when it has none, its OnSetActive (FALSE keeps the old
//   page), then the new page is shown and the old one hidden.
// - Buttons: a modal sheet has OK, Cancel, Apply (not with PSH_NOAPPLYNOW) and Help; a
//   modeless sheet only Help. Help (id 9) is visible with PSH_HASHELP; then the sheet enables
//   it on each page change when the page has PSP_HASHELP (pages get that flag under
//   PSH_HASHELP when the sheet is made or when they are added to a live one). Without
//   PSH_HASHELP the sheet leaves Help as the program sets it.
// - OK (and Enter): the active page's OnKillActive, then every made page's OnOK; a modal
//   sheet ends with IDOK, a modeless one stays. Apply: OnKillActive, then every made page's
//   OnApply. Cancel (Escape, the close box): the active page's OnQueryCancel (FALSE keeps the
//   sheet), every made page's OnReset; a modal sheet ends with IDCANCEL, a modeless sheet
//   destroys its window (the object stays the caller's).
// - PSH_USEHICON: m_psh.hIcon becomes the sheet's big and small icon.
// - The sheet's keyboard runs through the dialog manager over the sheet and its pages; F1
//   comes as WM_HELP (the framework's filter), bubbling from the focused control to the sheet.
#pragma once

#include "platform/framework/BarControls.h"
#include "platform/framework/PropertyPage.h"

#include <vector>

constexpr DWORD PSH_DEFAULT = 0x0000;
constexpr DWORD PSH_PROPTITLE = 0x0001;
constexpr DWORD PSH_USEHICON = 0x0002;
constexpr DWORD PSH_NOAPPLYNOW = 0x0080;
constexpr DWORD PSH_HASHELP = 0x0200;
constexpr DWORD PSH_MODELESS = 0x0400;

constexpr int ID_APPLY_NOW = 0x3021;
constexpr int AFX_IDC_TAB_CONTROL = 0x3020;

// The sheet's settings, as far as this framework reads them.
struct PROPSHEETHEADER {
    DWORD dwSize;
    DWORD dwFlags;
    HWND hwndParent;
    HICON hIcon;
    LPCSTR pszCaption;
    UINT nPages;
    UINT nStartPage;
};

class CPropertySheet : public CWnd {
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    virtual INT_PTR DoModal();
    // Modeless; style -1 is the default (a captioned pop-up with a system menu, shown).
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);
    virtual BOOL OnInitDialog();

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    CTabCtrl* GetTabControl();
    void SetTitle(LPCTSTR text, UINT style = 0);
    void EndDialog(int nEndID);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    PROPSHEETHEADER m_psh {};

protected:
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnApply();
    afx_msg void OnTabChanging(NMHDR* header, LRESULT* result);
    afx_msg void OnTabChanged(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    bool modeless() const { return (m_psh.dwFlags & PSH_MODELESS) != 0; }
    BOOL create_window(HWND parent, DWORD style, DWORD ex_style);
    void layout();
    RECT page_rect() const;
    // How a page change treats the old page: ask its OnKillActive (a refusal stops the
    // change), it was already asked (a tab's TCN_SELCHANGING), or tell it without a choice.
    enum class Change {
        Ask,
        Asked,
        Force,
    };
    bool activate(int index, Change change);
    bool kill_active();
    void PostNcDestroy() override;
    void update_help_button();
    template<typename Call>
    bool for_each_made_page(Call call);

    CString m_strCaption;
    CWnd* m_pParentWnd {};
    std::vector<CPropertyPage*> m_pages;
    int m_active { -1 };
    HFONT m_hFont {}; // kept for WM_GETFONT, as CDialog does
    CTabCtrl m_tab;
};
