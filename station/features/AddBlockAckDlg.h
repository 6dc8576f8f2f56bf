// The lower-area dialog of the configuration window that sets up one block-acknowledgement
// agreement with a peer; the 802.11n page asks the window to show it. For now it shows its
// template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CAddBlockAckDlg : public CResizeDlg {
public:
    enum { IDD = 175 };

    explicit CAddBlockAckDlg(CWnd* pParent = nullptr);

    // Set by the window before showing the dialog: 1 when this station is the originator.
    int m_nDirection {};

protected:
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
};
