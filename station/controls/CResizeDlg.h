// The base of nearly every dialog of the station utility. It adds one rule to CDialog: on a
// desktop lower than 660 pixels, Create makes the dialog from its template with the font
// "Trebuchet MS" at 7 points, whatever font the template names, so that the fixed layouts of
// the program still fit the screen. Modal dialogs (DoModal) keep their template's font.
#pragma once

#include "platform/framework/Afx.h"

class CResizeDlg : public CDialog {
public:
    // The desktop height from which dialogs keep their own font; the hidden dialog's
    // small-screen flag uses the same threshold.
    static constexpr int kSmallDesktopHeight = 660;

    CResizeDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Non-zero when the window exists. A template that cannot be loaded makes no window.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) override;

protected:
    DECLARE_MESSAGE_MAP()

private:
    BOOL create_with_small_font(UINT nIDTemplate, CWnd* pParentWnd);
};
