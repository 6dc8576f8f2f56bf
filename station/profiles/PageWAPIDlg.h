// The WAPI certificate tab of the editors (template 190) and the WAPI certificate manager
// (template 265), of which an editor creates at most one (the option file's WAPI_Cert and
// WAPI_Cert_Manage never both hold). For now they hold what the editors use: the user and AS
// certificate paths of the tab's two sub-tabs, loading and clearing them, and the clicks that
// bring a sub-tab forward; the certificate lists and their texts come with their own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CShadeButtonST;

class CPageWAPIDlg : public CResizeDlg {
public:
    enum { IDD = 190 };

    explicit CPageWAPIDlg(CWnd* pParent = nullptr);

    // Takes the editor's certificate paths into the sub-tabs (profile edit); nothing when the
    // option WAPI_Cert is off.
    void LoadCertificates(CString const& user_path, CString const& as_path);
    // Empties both sub-tabs (new profile); nothing when WAPI_Cert is off.
    void ClearCertificates();
    // Bring the user or AS certificate sub-tab forward (their buttons' BM_CLICK).
    void ShowUserCertTab() { ++m_nUserTabShown; }
    void ShowASCertTab() { ++m_nASTabShown; }

    // The paths the user and AS certificate sub-tabs hold.
    CString m_strUserCertPath;
    CString m_strASCertPath;
    CShadeButtonST* m_pBtnUserCert {};
    CShadeButtonST* m_pBtnASCert {};
    // How often each sub-tab was brought forward, until the sub-tabs exist.
    int m_nUserTabShown {};
    int m_nASTabShown {};
};

class CPageWAPICertManageDlg : public CDialog {
public:
    enum { IDD = 265 };

    explicit CPageWAPICertManageDlg(CWnd* pParent = nullptr);
};
