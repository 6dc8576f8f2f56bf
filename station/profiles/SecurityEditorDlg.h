// The security editor of the configuration window's lower area: the security settings of a
// network chosen on the site survey page, asked before it is connected without a stored
// profile. For now a placeholder that shows its template only; its behaviour arrives with its
// own work.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/core/SecurityHandOver.h"

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

    // What OK collects from the tabs for the site survey page; the configuration window copies
    // it into the page when OK reports (0, 2).
    SECURITY_HAND_OVER m_HandOver;
};
