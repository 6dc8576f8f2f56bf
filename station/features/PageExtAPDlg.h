// The hosted network page of the configuration window: the software access point's network
// name, WPA2 pre-shared key, maximum number of peers and channel, and the address the hosted
// network got. Each time it is shown it reads the stored record, lists the channels the adapter
// offers (shown only while the adapter runs as an access point), shows the station table below
// itself and refreshes the address every 2 seconds; Apply checks the entries, stores the record
// and sets the hosted network up with it.
#pragma once

#include "platform/framework/ListControls.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"
#include "wlan/api/Profile.h"

class CPageExtAPDlg : public CResizeDlg {
public:
    enum { IDD = 261 };
    enum Control : int {
        IDC_SSID_LABEL = 1627,
        IDC_SSID = 1628,
        IDC_CHANNEL_LABEL = 1051,
        IDC_CHANNEL = 1396,
        IDC_KEY_LABEL = 1424,
        IDC_KEY = 1245,
        IDC_SHOW_PASSWORD = 1418,
        IDC_SHOW_PASSWORD_LABEL = 1419,
        IDC_MAX_PEERS_LABEL = 1630,
        IDC_MAX_PEERS = 1629,
        IDC_AUTH_LABEL = 1632,
        IDC_AUTH = 1631,
        IDC_ENCRYPTION_LABEL = 1634,
        IDC_ENCRYPTION = 1633,
        IDC_IP_LABEL = 1635,
        IDC_IP = 1636,
        IDC_APPLY = 1044,
    };
    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 2000;
    // The configuration window's lower children shown with the page and after it.
    static constexpr int kStationTable = 11;
    static constexpr int kDefaultLowerChild = 0;

    explicit CPageExtAPDlg(CWnd* pParent = nullptr);

    CString m_strSSID;
    CString m_strKey;
    CString m_strChannel;
    CString m_strMaxPeers { "20" };
    CString m_strAuth { "WPA2-PSK" };
    CString m_strEncryption { "AES" };
    CString m_strIP;
    int m_bShowPassword {};
    UINT_PTR m_nTimer {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnShowPassword();
    afx_msg void OnApply();
    DECLARE_MESSAGE_MAP()

private:
    void init_texts();
    void load();
    void fill_channels();
    void show_channel_controls();
    void show_password();
    bool check_entries();
    ExtAPConfig make_record() const;

    CFont m_font;
    CComboBox m_comboChannel;
    CShadeButtonST m_btnApply;
};
