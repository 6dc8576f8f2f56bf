// The 802.11n settings page of the configuration window: A-MSDU, spatial multiplexing power
// save, MPDU aggregation, the two block-acknowledgement tables, the acknowledgement policy and
// the coexistence test mode. For now it shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPage80211nSettingDlg : public CResizeDlg {
public:
    enum { IDD = 118 };

    explicit CPage80211nSettingDlg(CWnd* pParent = nullptr);

protected:
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
};
