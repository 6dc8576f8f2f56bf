// The single sign-on page of the configuration window: which profiles connect with the
// identity of the user logging on, and when.
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageSSODlg : public CResizeDlg {
public:
    enum { IDD = 435 };

    explicit CPageSSODlg(CWnd* pParent = nullptr);
};
