// The statistics page of the configuration window: the transmit and receive counters of the
// adapter, with a button that resets them.
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageStatisticsDlg : public CResizeDlg {
public:
    enum { IDD = 115 };

    explicit CPageStatisticsDlg(CWnd* pParent = nullptr);
};
