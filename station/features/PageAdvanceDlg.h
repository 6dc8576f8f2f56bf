// The advanced page: wireless mode, country regions, protection, transmit settings and the authentication-status option.
// Created by the configuration window as a child of its page host or lower frame; for now it
// shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageAdvanceDlg : public CResizeDlg {
public:
    enum { IDD = 123 };

    explicit CPageAdvanceDlg(CWnd* pParent = nullptr);
};
