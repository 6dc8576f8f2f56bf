// The WMM page of the configuration window: WMM, WMM power save per access category and direct
// link setup with its live links. For now it shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageWMMDlg : public CResizeDlg {
public:
    enum { IDD = 117 };

    explicit CPageWMMDlg(CWnd* pParent = nullptr);

protected:
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
};
