// The profile list page of the configuration window: the stored connection profiles, with the
// buttons that add, edit, delete, import, export and activate them. For now a placeholder that
// shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageProfileDlg : public CResizeDlg {
public:
    enum { IDD = 114 };

    explicit CPageProfileDlg(CWnd* pParent = nullptr);

    // Written by the station core: the active profile's name, whether a stored profile is the
    // active one (a connection from the site survey clears it), and whether a connection from
    // the site survey is queued.
    CString m_strProfile;
    BOOL m_bActiveProfile {};
    BOOL m_bConnectFromSurvey {};
};
