// The statistics tab: the access point's transmit and receive counters, read every 2 s while
// the page is active, and a button that resets them. The two RTS rows show only when the
// option file asks for them (`RTSSuccessCount`, `RTSFailureCount`).
#pragma once

#include "platform/framework/PropertyPage.h"
#include "wlan/api/ApRecords.h"

namespace hotvane {

class CStatisticPage : public CPropertyPage {
public:
    enum { IDD = 109 };
    enum Control : int {
        IDC_TX_GROUP = 1178,
        IDC_RX_GROUP = 1185,
        IDC_TXOK_LABEL = 1179,
        IDC_TXOK = 1074,
        IDC_TXALLRETRY_LABEL = 1182,
        IDC_TXALLRETRY = 1083,
        IDC_TXRETRY_LABEL = 1181,
        IDC_TXRETRY = 1076,
        IDC_RTSOK_LABEL = 1183,
        IDC_RTSOK_EQUALS = 1227,
        IDC_RTSOK = 1082,
        IDC_RTSFAIL_LABEL = 1184,
        IDC_RTSFAIL_EQUALS = 1228,
        IDC_RTSFAIL = 1081,
        IDC_TXNORETRY_LABEL = 1180,
        IDC_TXNORETRY = 1075,
        IDC_RXOK_LABEL = 1186,
        IDC_RXOK = 1080,
        IDC_RXCRC_LABEL = 1187,
        IDC_RXCRC = 1079,
        IDC_DROP_LABEL = 1188,
        IDC_DROP = 1078,
        IDC_RXDUP_LABEL = 1189,
        IDC_RXDUP = 1077,
        IDC_RESET = 1084,
    };
    static constexpr UINT_PTR kTimer = 1;
    static constexpr UINT kRefreshMs = 2000;

    CStatisticPage();

    // [SECTION] Texts exchanged with the controls: captions, labels, separators and values
    CString m_strTxGroup, m_strRxGroup;
    CString m_strTxOkLabel, m_strTxOk, m_strTxAllRetryLabel, m_strTxAllRetry, m_strTxRetryLabel, m_strTxRetry;
    CString m_strRtsOkLabel, m_strRtsOkEquals, m_strRtsOk, m_strRtsFailLabel, m_strRtsFailEquals, m_strRtsFail;
    CString m_strTxNoRetryLabel, m_strTxNoRetry;
    CString m_strRxOkLabel, m_strRxOk, m_strRxCrcLabel, m_strRxCrc, m_strDropLabel, m_strDrop, m_strRxDupLabel, m_strRxDup;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnReset();
    DECLARE_MESSAGE_MAP()

private:
    void RefreshCounters();
    void set_labels();
};

}
