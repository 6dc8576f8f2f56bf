// The lower-area dialog of the configuration window that shows one WPS credential of the WPS
// page, and in the registrar role edits the credential the utility offers. The window fills the
// members below from the WPS page before showing it, and copies the edited credential back
// when the dialog's OK asks it to (MSG_SHOW_WPSPROFILE with lParam 1).
//
// View mode shows the types as texts; edit mode (registrar with a credential) shows the combos:
// authentication Open / WPA-PSK / WPA2-PSK, encryption NONE / WEP after Open and TKIP / AES
// after the PSK choices, and for WEP its key length and index.
#pragma once

#include "platform/framework/ListControls.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/CSmartEdit.h"
#include "wlan/api/Profile.h"

class CPageWPSProfile : public CResizeDlg {
public:
    enum { IDD = 433 };
    enum Control : int {
        IDC_SSID = 1055,
        IDC_KEY = 1246,
        IDC_OK = 1331,
        IDC_CANCEL = 1372,
        IDC_AUTH_TEXT = 1344,
        IDC_ENCR_TEXT = 1356,
        IDC_KEY_LENGTH_TEXT = 1502,
        IDC_BSSID_TEXT = 1503,
        IDC_KEY_INDEX_TEXT = 1590,
        IDC_AUTH = 1504,
        IDC_KEY_LENGTH = 1505,
        IDC_ENCR = 1506,
        IDC_KEY_INDEX = 1507,
        IDC_SHOW_PASSWORD = 1418,
        IDC_SHOW_PASSWORD_LABEL = 1419,
        IDC_ASCII = 1509,
        IDC_ASCII_LABEL = 1514,
    };

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
    BOOL m_bShowPassword {};
    BOOL m_bAsciiFormat {};

    // Whether the dialog edits (registrar role with a credential) or shows.
    bool editing() const { return m_bEditMode; }
    int key_limit() const { return m_nKeyLimit; }
    CSmartEdit& KeyEdit() { return m_editKey; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnShowPassword();
    afx_msg void OnAsciiFormat();
    afx_msg void OnSelchangeAuth();
    afx_msg void OnSelchangeEncr();
    afx_msg void OnSelchangeKeyLength();
    afx_msg void OnButtonOK();
    afx_msg void OnButtonCancel();
    DECLARE_MESSAGE_MAP()

private:
    void set_mode(bool edit);
    void fill_combos(WPS_CREDENTIAL const& credential);
    void fill_encryption_items(bool wpa_family);
    void set_key_limit(int limit, bool hexadecimal);
    void set_key_read_only(bool read_only);
    void enable(int id, bool on);
    void show(int id, bool on);
    // The key fits the edit's limit; otherwise the hint says why and the key edit has the focus.
    bool check_key();
    void write_credential(WPS_CREDENTIAL& credential);
    void answer(LPARAM store);

    CSmartEdit m_editKey;
    CComboBox m_comboAuth;
    CComboBox m_comboEncr;
    CComboBox m_comboKeyLength;
    CComboBox m_comboKeyIndex;
    bool m_bEditMode { false };
    bool m_bWpaFamily { false };
    bool m_bKeyReadOnly { false };
    int m_nKeyLimit { 64 };
};
