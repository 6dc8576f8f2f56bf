// The access point detail dialog of the configuration window's lower area: what the scan
// knows of the network chosen on the site survey page, in tabs (general, WPS, CCX, 802.11n).
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct NDIS_WLAN_BSSID_EX;

class CAPDetailInfoDlg : public CResizeDlg {
public:
    enum { IDD = 156 };

    explicit CAPDetailInfoDlg(CWnd* pParent = nullptr);

    // Keeps a copy of the scan entry to show (exactly `length` bytes, at least the fixed part):
    // the site survey page rewrites its list every 2 seconds while the dialog shows.
    void SetBssidEntry(NDIS_WLAN_BSSID_EX const* entry, std::size_t length);

    // The scan entry to show: the dialog's own copy; null before the first SetBssidEntry.
    NDIS_WLAN_BSSID_EX* m_pBssidEntry {};

private:
    std::vector<std::uint8_t> m_entryCopy;
};
