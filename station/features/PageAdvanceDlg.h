// The advanced page of the configuration window: wireless mode, 802.11b/g protection, TX rate
// and burst, fast roaming, the authentication status window, the country regions and the
// 802.11n transmit options, applied together. For now it shows its template; the station core
// already reaches the members below when an Apply asks it to reconnect.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "wlan/api/Profile.h"

class CPageAdvanceDlg : public CResizeDlg {
public:
    enum { IDD = 123 };

    explicit CPageAdvanceDlg(CWnd* pParent = nullptr);

    // The action the page hands the hidden dialog with ACTION_INSERT_EXEC (SEND_BY_ADVANCE_DLG):
    // 1 profile, 2 SSID, 3 BSSID, and its data.
    int m_nActionType {};
    void* m_pActionData {};
    BOOL m_bConnect {};
    // The profile an Apply reconnects with, copied in by the station core.
    WLANPROFILE m_ProfData {};
    // Set by an Apply that changed the wireless mode, a country region or the 802.11n bandwidth.
    BOOL m_bSwitched {};
    BOOL m_bShowAuthStatus {};

protected:
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
};
