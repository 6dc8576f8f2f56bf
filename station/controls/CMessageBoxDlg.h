// The station utility's own message box: a small modal dialog (template 125) with an icon, one
// message and an OK button whose caption comes from the user-interface string table.
// DoModal answers 1 when OK is pressed and 2 when the dialog is closed any other way; the
// first end code wins, so the 2 set while the window is destroyed never replaces a 1.
#pragma once

#include "station/controls/CResizeDlg.h"

#include <string>

class CMessageBoxDlg : public CResizeDlg {
public:
    enum { IDD = 125 };
    static constexpr int kMessageId = 1032;

    explicit CMessageBoxDlg(CWnd* pParent = nullptr);

    // Shows `text` modally and answers the dialog's result: the form ShowMessageBox uses.
    static INT_PTR Show(std::string const& text);
    // Makes ShowMessageBox of the station core show this dialog; the program calls it once at
    // start-up, before anything may report to the user.
    static void InstallAsMessageBox();

    CString m_strMessage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
