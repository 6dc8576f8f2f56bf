// CPropertyPage: one page of a property sheet, a child dialog made from its template when the
// sheet first shows it. The sheet calls the page's virtuals:
// - OnInitDialog once per page window (after a RemovePage and AddPage, again);
// - OnSetActive each time the page becomes the active one (the default shows the data again,
//   except on the first activation, when OnInitDialog has just done it), FALSE refuses;
// - OnKillActive when another page is about to be shown (the default takes the data; FALSE
//   keeps this page active);
// - OnOK / OnCancel when the sheet is accepted or closed (the defaults do nothing; a page's
//   own Enter and Escape are the sheet's), OnApply for the Apply button.
#pragma once

#include "platform/framework/Dialog.h"

constexpr DWORD PSP_DEFAULT = 0x0000;
constexpr DWORD PSP_USETITLE = 0x0008;
constexpr DWORD PSP_HASHELP = 0x0020;

// The page's settings, as far as this framework reads them.
struct PROPSHEETPAGE {
    DWORD dwSize;
    DWORD dwFlags;
    LPCSTR pszTemplate;
    LPCSTR pszTitle; // with PSP_USETITLE
    LPARAM lParam;
};

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual void OnOK() override;
    virtual void OnCancel() override;
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    void SetModified(BOOL changed = TRUE);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    PROPSHEETPAGE m_psp {};

    // [SECTION] Framework internals
    // The tab caption: the title when PSP_USETITLE, else the caption string, else the
    // template's caption.
    CString caption() const;
    // Makes the page window inside `sheet` at `rect` (sheet client coordinates), hidden, and
    // runs OnInitDialog. FALSE when the template is missing or the window cannot be made.
    BOOL create_in(CPropertySheet& sheet, RECT const& rect);
    CPropertySheet* sheet() const { return m_sheet; }
    void set_sheet(CPropertySheet* sheet) { m_sheet = sheet; }

protected:
    void PostNcDestroy() override;

    CString m_strCaption;
    BOOL m_bFirstSetActive { TRUE };

private:
    CPropertySheet* m_sheet {};
};
