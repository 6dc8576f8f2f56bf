// The identity prompt of the configuration window's lower area: asks for an 802.1X identity
// and password while a connection is being made.
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPeapSettingDlg : public CResizeDlg {
public:
    enum { IDD = 434 };

    explicit CPeapSettingDlg(CWnd* pParent = nullptr);
};
