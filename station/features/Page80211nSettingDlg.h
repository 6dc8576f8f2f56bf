// The 802.11n settings page: HT mode, bandwidth, guard interval, MCS and block acknowledgement.
// Created by the configuration window as a child of its page host or lower frame; for now it
// shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPage80211nSettingDlg : public CResizeDlg {
public:
    enum { IDD = 118 };

    explicit CPage80211nSettingDlg(CWnd* pParent = nullptr);
};
