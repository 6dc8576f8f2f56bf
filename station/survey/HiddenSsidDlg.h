// The hidden-network prompt of the configuration window's lower area: asks for the name of a
// network that does not broadcast it before the site survey connects to it. Created once and
// shown as needed; every showing starts empty. OK with a name reports (0, 1) to the window,
// which reads the name and hides the prompt; Cancel reports (0, 0) and ends the attempt.
//
// The name is at most 32 bytes of UTF-8 (an SSID's size): the edit refuses more, so a typed
// character is never cut.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/CSmartEdit.h"
#include "station/controls/ShadeButtonST.h"

class CHiddenSsidDlg : public CResizeDlg {
public:
    enum { IDD = 431 };
    enum Control : int { IDC_PROMPT = 1496, IDC_SSID = 1245, IDC_OK = 1331, IDC_CANCEL = 1372 };
    static constexpr int kSsidLimit = 32;

    explicit CHiddenSsidDlg(CWnd* pParent = nullptr);

    // The typed network name, which the window reads when the prompt reports OK.
    CString m_strSSID;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnClickOK() { OnOK(); }
    afx_msg void OnClickCancel() { OnCancel(); }
    DECLARE_MESSAGE_MAP()

private:
    void set_up_buttons();

    CSmartEdit m_editSSID;
    CShadeButtonST m_btnOK;
    CShadeButtonST m_btnCancel;
    CFont m_font;
};
