// The single sign-on page of the configuration window: whether profiles connect with the
// identity of the user logging on, where the credentials come from, and which profile is used.
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageSSODlg : public CResizeDlg {
public:
    enum { IDD = 435 };

    explicit CPageSSODlg(CWnd* pParent = nullptr);

    // 0 Windows logon credentials, 1 the profile's, 2 a prompt.
    int m_nCredentialSource {};
    int m_bEnableSSO {};
    int m_bPersistentConn {};
    CString m_strAuthText;
    CString m_strSSOProfile;
    CString m_strSSID;
};
