// The profile editor of the configuration window's lower area: the tabs that add or edit a
// stored profile (system configuration, authentication and encryption, 802.1X, WAPI). For now
// a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

struct PAC_ENTRY;
class CPageSystemConfigDlg;
class CPageAuthEncryDlg;
class CPage8021XDlg;
class CPageWAPIDlg;

class CProfileEditorDlg : public CResizeDlg {
public:
    enum { IDD = 179 };

    explicit CProfileEditorDlg(CWnd* pParent = nullptr);

    // The tabs, created by the editor itself; none exist yet.
    CPageSystemConfigDlg* m_pPageSystemConfigDlg {};
    CPageAuthEncryDlg* m_pPageAuthEncryDlg {};
    CPage8021XDlg* m_pPage8021XDlg {};
    CPageWAPIDlg* m_pPageWAPIDlg {};

    // The name the edited profile was loaded under (empty for a new one).
    CString m_strOldProfileName;
    // 1 for Add, 0 for Edit.
    BOOL m_bNewProfile {};
    // The profile's PAC list as the library reads it; none until the editor loads one.
    PAC_ENTRY* m_pPACList {};
    int m_nPACCount {};

    // Reads the profile named by the system-configuration tab into the tabs and the editor's
    // 802.1X members.
    void LoadProfile();
    // Validates, saves the profile and closes the editor. Public: the window runs it for each
    // credential a WPS import makes into a profile.
    void OnOK() override;
    // Frees the PAC list (allocated with malloc) and clears its pointer and count.
    void FreePACList();
};
