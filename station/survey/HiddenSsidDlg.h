// The hidden-network prompt of the configuration window's lower area: asks for the name of a
// network that does not broadcast it before the site survey connects to it.
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CHiddenSsidDlg : public CResizeDlg {
public:
    enum { IDD = 431 };

    explicit CHiddenSsidDlg(CWnd* pParent = nullptr);

    // The typed network name, which the window reads when the prompt reports OK.
    CString m_strSSID;
};
