// The General tab of the access point detail: name, address, security, channel, network type,
// beacon interval, mobility domain, the signal bar and the supported rates of one network.
// The detail dialog writes the texts and moves them to the controls (UpdateData(FALSE)); the
// tab reads nothing from the adapter.
#pragma once

#include "station/controls/CProgressCtrlX.h"
#include "station/controls/CResizeDlg.h"

class CPageGeneralDlg : public CResizeDlg {
public:
    enum { IDD = 158 };
    enum Control : int {
        IDC_SSID_LABEL = 1045,
        IDC_NETWORK_TYPE_LABEL = 1046,
        IDC_CHANNEL_LABEL = 1051,
        IDC_SSID = 1055,
        IDC_NETWORK_TYPE = 1056,
        IDC_CHANNEL = 1061,
        IDC_SIGNAL = 1336,
        IDC_SIGNAL_GROUP = 1337,
        IDC_RATES = 1338,
        IDC_MAC_LABEL = 1339,
        IDC_AUTH_LABEL = 1340,
        IDC_ENCRYPTION_LABEL = 1341,
        IDC_BEACON_LABEL = 1342,
        IDC_MAC = 1343,
        IDC_AUTH = 1344,
        IDC_ENCRYPTION = 1345,
        IDC_BEACON = 1346,
        IDC_MDID_LABEL = 1670,
        IDC_MDID = 1671,
    };

    explicit CPageGeneralDlg(CWnd* pParent = nullptr);

    // Shows or hides the mobility domain's label and value.
    void ShowMdid(bool show);
    CProgressCtrlX& SignalBar() { return m_barSignal; }

    CString m_strSsid;
    CString m_strMac;
    CString m_strAuthentication;
    CString m_strEncryption;
    CString m_strChannel;
    CString m_strNetworkType;
    CString m_strRates;
    CString m_strBeaconInterval;
    CString m_strMdid;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CProgressCtrlX m_barSignal;
    CFont m_font;
};
