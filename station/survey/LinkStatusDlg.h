// The link status dialog of the configuration window's lower area: the connected network,
// its channel, rates, addresses, link quality and signal strength, refreshed while visible.
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CLinkStatusDlg : public CResizeDlg {
public:
    enum { IDD = 122 };

    explicit CLinkStatusDlg(CWnd* pParent = nullptr);

    // Signal strengths in dBm rather than percent: the window copies the site survey page's
    // "Show dBm" choice here.
    BOOL m_bShowDbm {};
    // A WEP key error the library reported; the hidden dialog copies its flag here.
    BOOL m_bICVError {};
    // The byte counts of the previous refresh, from which the rates are computed; the window
    // zeroes them when the statistics page resets the counters.
    long m_lTxCount {};
    long m_lRxCount {};
};
