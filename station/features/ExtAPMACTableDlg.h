// The lower-area table of the configuration window that lists the stations joined to the hosted
// network, shown below the hosted network page. For now it shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CExtAPMACTableDlg : public CResizeDlg {
public:
    enum { IDD = 263 };

    explicit CExtAPMACTableDlg(CWnd* pParent = nullptr);

protected:
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
};
