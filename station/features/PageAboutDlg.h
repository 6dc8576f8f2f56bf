// The about page: versions, dates and the adapter's address.
// Created by the configuration window as a child of its page host or lower frame; for now it
// shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageAboutDlg : public CResizeDlg {
public:
    enum { IDD = 120 };

    explicit CPageAboutDlg(CWnd* pParent = nullptr);
};
