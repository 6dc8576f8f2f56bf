// The lower-area dialog that deletes block acknowledgement sessions.
// Created by the configuration window as a child of its page host or lower frame; for now it
// shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CDeleteBlockAckDlg : public CResizeDlg {
public:
    enum { IDD = 177 };

    explicit CDeleteBlockAckDlg(CWnd* pParent = nullptr);
};
