// The lower-area dialog that shows one WPS credential in detail.
// Created by the configuration window as a child of its page host or lower frame; for now it
// shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageWPSProfile : public CResizeDlg {
public:
    enum { IDD = 433 };

    explicit CPageWPSProfile(CWnd* pParent = nullptr);
};
