// The lower-area dialog of the configuration window that tears down block-acknowledgement
// agreements with a peer; the 802.11n page asks the window to show it. For now it shows its
// template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CDeleteBlockAckDlg : public CResizeDlg {
public:
    enum { IDD = 177 };

    explicit CDeleteBlockAckDlg(CWnd* pParent = nullptr);

    // Set by the window before showing the dialog: 1 when this station is the originator, and
    // whether all agreements with the peer or the one TID go.
    int m_nDirection {};
    int m_nDeleteAll {};
    int m_nDeleteOne {};

protected:
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
};
