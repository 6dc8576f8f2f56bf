// The identity prompt of the configuration window's lower area: asks for an 802.1X identity
// and password while a connection is being made. For now a placeholder that shows its template
// only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "wlan/api/Profile.h"

#include <memory>

class CPeapSettingDlg : public CResizeDlg {
public:
    enum { IDD = 434 };

    explicit CPeapSettingDlg(CWnd* pParent = nullptr);

    CString m_strIdentity;
    CString m_strPassword;
    // The dialog's own copy of the profile being connected, which the hidden dialog fills.
    std::unique_ptr<WLANPROFILE> m_pProfile { std::make_unique<WLANPROFILE>() };
};
