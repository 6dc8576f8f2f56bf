// The access point detail dialog of the configuration window's lower area: what the scan
// knows of the network chosen on the site survey page, in tabs (general, WPS, CCX, 802.11n).
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

struct NDIS_WLAN_BSSID_EX;

class CAPDetailInfoDlg : public CResizeDlg {
public:
    enum { IDD = 156 };

    explicit CAPDetailInfoDlg(CWnd* pParent = nullptr);

    // The scan entry to show; set by the window before it shows the dialog, not owned.
    NDIS_WLAN_BSSID_EX* m_pBssidEntry {};
};
