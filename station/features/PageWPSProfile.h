// The lower-area dialog of the configuration window that shows one WPS credential of the WPS
// page (and edits it in the registrar role). The window fills the members below from the WPS
// page before showing it. For now it shows its template only.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "wlan/api/Profile.h"

class CPageWPSProfile : public CResizeDlg {
public:
    enum { IDD = 433 };

    explicit CPageWPSProfile(CWnd* pParent = nullptr);

    // Set when the key has both a hexadecimal and an ASCII form.
    BOOL m_bEdit {};
    CString m_strSSID;
    CString m_strBSSID;
    CString m_strAuth;
    CString m_strEncr;
    WPS_PROFILE m_WpsProfile {};
    int m_nSelIndex {};
    int m_nKeyLength {};
    CString m_strKeyLength;
    CString m_strKeyIndex;
    CString m_strKeyMaterial;
    CString m_strKeyHex;
    CString m_strKeyAscii;

protected:
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
};
