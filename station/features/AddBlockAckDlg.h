// The lower-area dialog that adds a block acknowledgement session.
// Created by the configuration window as a child of its page host or lower frame; for now it
// shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CAddBlockAckDlg : public CResizeDlg {
public:
    enum { IDD = 175 };

    explicit CAddBlockAckDlg(CWnd* pParent = nullptr);
};
