// The identity re-prompt, shown in the lower area of the main configuration window after an
// 802.1X authentication of the current profile failed (template 150). After an identity
// rejection (failure kind 1) it asks for the identity, the password and, for EAP-FAST and
// LEAP, the domain again, stores them through the WLAN library and in its profile copy, and
// reconnects; after a time-out (failure kind 0) it only names the method that timed out and
// reconnects on OK. The main window shows and hides it; the dialog never closes itself.
//
// Typed credentials are kept to 127 bytes (cut on a character boundary), as the library's
// buffers and the profile's fields hold 128 with their terminator.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"
#include "wlan/api/Profile.h"

#include <atomic>
#include <memory>

namespace station::controls {

// Messages the re-prompt sends the main configuration window.
constexpr UINT MSG_SHOW_INVALIDIDPW = 0x414;
constexpr UINT MSG_SHOW_AUTHSTATUS = 0x415;
// wParam of MSG_SHOW_AUTHSTATUS: the authentication progress window, or nothing.
constexpr WPARAM AUTHSTATUS_PROGRESS_CHILD = 10;
// The longest credential text, in bytes, without its terminator.
constexpr int kCredentialLimit = 127;

}

class CInvalidIDPW : public CResizeDlg {
public:
    enum { IDD = 150 };
    enum Control : int {
        IDC_LABEL_CARDNAME = 1027,
        IDC_LABEL_PROFILENAME = 1028,
        IDC_LABEL_MESSAGE = 1029,
        IDC_CARDNAME = 1030,
        IDC_PROFILENAME = 1031,
        IDC_MESSAGE = 1032,
        IDC_LABEL_IDENTITY = 1033,
        IDC_LABEL_PASSWORD = 1034,
        IDC_LABEL_DOMAIN = 1035,
        IDC_IDENTITY = 1036,
        IDC_PASSWORD = 1037,
        IDC_DOMAIN = 1038,
        IDC_OK = 1331,
        IDC_CANCEL = 1372,
    };
    // Failure kinds.
    static constexpr int kTimedOut = 0;
    static constexpr int kIdentityRejected = 1;

    explicit CInvalidIDPW(CWnd* pParent = nullptr);
    ~CInvalidIDPW() override;

    // Where the dialog writes the reconnection flag and every page's hit-test reads the
    // small-desktop flag (PageFrame.h): the hidden dialog's globals, bound by the program at
    // start-up. Until then flags of their own are used (small desktop off).
    static void BindStationFlags(BOOL* pHideTabIcon, std::atomic<BOOL>* pReConnect);

    int m_nFailKind { kIdentityRejected };
    CString m_strCardName;
    CString m_strMessage;
    CString m_strProfileName;
    CString m_strIdentity;
    CString m_strPassword;
    CString m_strDomain;
    // Filled by the profile-copy thread before the dialog is shown.
    WLANPROFILE* m_pProfile {};
    CShadeButtonST m_btnOK;
    CShadeButtonST m_btnCancel;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnClickOK();
    afx_msg void OnClickCancel();

    DECLARE_MESSAGE_MAP()

private:
    void init_texts();
    void init_buttons();
    void show_credential_controls();
    void choose_message();
    BOOL check_credentials();
    void write_credentials();
    void reconnect();
    HWND main_window() const;

    std::unique_ptr<WLANPROFILE> m_profile_store;
};
