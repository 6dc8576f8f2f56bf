// The hosted network page: the software access point's name, key and client limit.
// Created by the configuration window as a child of its page host or lower frame; for now it
// shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageExtAPDlg : public CResizeDlg {
public:
    enum { IDD = 261 };

    explicit CPageExtAPDlg(CWnd* pParent = nullptr);
};
