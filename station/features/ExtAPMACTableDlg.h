// The lower-area table of the stations joined to the hosted network.
// Created by the configuration window as a child of its page host or lower frame; for now it
// shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CExtAPMACTableDlg : public CResizeDlg {
public:
    enum { IDD = 263 };

    explicit CExtAPMACTableDlg(CWnd* pParent = nullptr);
};
