// The profile list page of the configuration window: the stored connection profiles, the
// details of the selected one, and the buttons that add, edit, delete, activate, import and
// export them. For now a placeholder that shows its template only; its behaviour arrives with
// its own work.
#pragma once

#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "wlan/api/Profile.h"

#include <memory>

class CPageProfileDlg : public CResizeDlg {
public:
    enum { IDD = 114 };
    enum Control : int {
        IDC_LIST = 1040,
    };

    explicit CPageProfileDlg(CWnd* pParent = nullptr);

    // Rebuilds the list from the stored profiles and marks the active one.
    void RefreshProfileList();
    // "<IDS_PROF><n>", n one above the highest number among the list's names of that form.
    CString GetDefaultProfileName();
    // The library's next free profile ID, as text.
    CString GetNextProfileIDText();
    // Re-applies the active profile (and with bSetAdvance the advanced settings) to the card,
    // then asks the hidden dialog to connect with it.
    void SetOidFromReg(BOOL bSetAdvance);

    // The name of the active profile.
    CString m_strProfile;
    // A stored profile is the active one; a connection from the site survey clears it.
    BOOL m_bActiveProfile { TRUE };
    // A connection from the site survey is queued.
    BOOL m_bConnectFromSurvey {};

    // The action the hidden dialog takes when the page asks it to run one: its type and the
    // page's own profile record (zeroed until the page fills it).
    int m_nActionType {};
    std::unique_ptr<WLANPROFILE> m_pActionProfile { std::make_unique<WLANPROFILE>() };

    // The profile list (column 1 profile ID, column 2 profile name once the page fills it).
    CQuickList m_listProfile;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
