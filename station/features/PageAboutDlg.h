// The about page of the configuration window: the legal notice, the versions and dates of the
// utility, the driver and the library, and the adapter's address. For now it shows its
// template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageAboutDlg : public CResizeDlg {
public:
    enum { IDD = 120 };

    explicit CPageAboutDlg(CWnd* pParent = nullptr);

protected:
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
};
