// The WMM page: WMM, power save and direct link settings.
// Created by the configuration window as a child of its page host or lower frame; for now it
// shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageWMMDlg : public CResizeDlg {
public:
    enum { IDD = 117 };

    explicit CPageWMMDlg(CWnd* pParent = nullptr);
};
