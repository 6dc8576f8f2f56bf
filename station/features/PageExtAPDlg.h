// The hosted network page of the configuration window: the software access point's network
// name, key, client limit and address. For now it shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageExtAPDlg : public CResizeDlg {
public:
    enum { IDD = 261 };

    explicit CPageExtAPDlg(CWnd* pParent = nullptr);

protected:
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
};
