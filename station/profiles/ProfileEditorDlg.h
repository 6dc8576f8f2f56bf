// The profile editor of the configuration window's lower area: the tabs that add or edit a
// stored profile (system configuration, authentication and encryption, 802.1X, WAPI).
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CProfileEditorDlg : public CResizeDlg {
public:
    enum { IDD = 179 };

    explicit CProfileEditorDlg(CWnd* pParent = nullptr);
};
