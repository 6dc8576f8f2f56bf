// The access point detail dialog of the configuration window's lower area: what the scan
// knows of the network chosen on the site survey page.
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CAPDetailInfoDlg : public CResizeDlg {
public:
    enum { IDD = 156 };

    explicit CAPDetailInfoDlg(CWnd* pParent = nullptr);
};
