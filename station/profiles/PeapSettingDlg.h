// The identity prompt of the configuration window's lower area (template 434): asks for an
// 802.1X identity and password while a connection is being made, the one-time password of PEAP
// and EAP-FAST profiles or a new password for the other methods. The hidden dialog fills it,
// has the configuration window show it, and waits for OK or Cancel: on the user-interface
// thread in the prompt's own modal loop, on a worker thread until the answer is given.
//
// The answer is one process-wide value, so that a waiting worker never reads the dialog, which
// may be destroyed meanwhile: 0 while the prompt is open, then 1 (OK, with the typed identity
// and password kept beside it) or 2 (Cancel, hidden or destroyed). The first answer of a wait
// wins. Typed texts are kept to 127 bytes, cut on a character boundary.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/CSmartEdit.h"
#include "station/controls/ShadeButtonST.h"
#include "wlan/api/Profile.h"

#include <memory>
#include <string>

class CPeapSettingDlg : public CResizeDlg {
public:
    enum { IDD = 434 };
    enum Control : int {
        IDC_DESCRIPTION = 1515,
        IDC_LABEL_IDENTITY = 1516,
        IDC_LABEL_PASSWORD = 1034,
        IDC_IDENTITY = 1245,
        IDC_PASSWORD = 1037,
        IDC_OK = 1331,
        IDC_CANCEL = 1372,
    };
    static constexpr UINT MSG_SHOW_PEAPSETTING = 0x413;

    explicit CPeapSettingDlg(CWnd* pParent = nullptr);
    ~CPeapSettingDlg() override;

    // Stores the answer unless one was given already, and wakes whoever waits for it.
    void EndWait(int result);
    // Runs the prompt's modal loop (the hidden dialog passes MLF_SHOWONIDLE) until an answer:
    // 1, 2, or -1 when the program is quitting. User-interface thread.
    int WaitForInput(DWORD flags);

    // [SECTION] The answer, for waits on other threads
    // Clears the answer before a new prompt is asked for.
    static void BeginWait();
    // Blocks until an answer is given and returns it.
    static int WaitForAnswer();
    // The identity and password the last OK confirmed.
    static void ConfirmedCredentials(std::string& identity, std::string& password);
    // Ends every wait with 2 (exit).
    static void AbortWaits();
    static int Answer();

    CString m_strIdentity;
    CString m_strPassword;
    // The dialog's own copy of the profile being connected, which the hidden dialog fills.
    std::unique_ptr<WLANPROFILE> m_pProfile { std::make_unique<WLANPROFILE>() };
    CShadeButtonST m_btnOK;
    CShadeButtonST m_btnCancel;
    CSmartEdit m_editIdentity;
    CSmartEdit m_editPassword;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override { OnButtonOK(); }
    void OnCancel() override { OnButtonCancel(); }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    afx_msg void OnButtonOK();
    afx_msg void OnButtonCancel();

    DECLARE_MESSAGE_MAP()

private:
    void init_texts();
    void show_texts_for_method();
    void tell_main_window();
};
