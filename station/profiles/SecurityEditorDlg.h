// The security editor of the configuration window's lower area: the security settings of a
// network chosen on the site survey page, asked before it is connected without a stored
// profile. For now a placeholder that shows its template only; its behaviour arrives with its
// own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageAuthEncryDlg;
class CPage8021XDlg;
class CPageWAPIDlg;

class CSecurityEditorDlg : public CResizeDlg {
public:
    enum { IDD = 426 };

    explicit CSecurityEditorDlg(CWnd* pParent = nullptr);

    // The tabs, created by the editor itself; none exist yet.
    CPageAuthEncryDlg* m_pPageAuthEncryDlg {};
    CPage8021XDlg* m_pPage8021XDlg {};
    CPageWAPIDlg* m_pPageWAPIDlg {};

    // What OK collects for the site survey page.
    int m_nAuthentication {};
    int m_nEncryption {};
    int m_nDefaultKey {}; // the key index plus one
    BOOL m_b8021X {};
    CString m_strWAPIUserCert;
    CString m_strWAPIASCert;
};
