// The site survey page of the configuration window: the networks around in a list, and the
// buttons that rescan, connect to one or store it as a profile. For now a placeholder that
// shows its template and, when the radio comes on, the scan-wait row; scanning, the rows of
// real networks and the buttons arrive with the page's own work.
#pragma once

#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "station/survey/SiteSurveyItem.h"

#include <vector>

struct NDIS_WLAN_BSSID_EX;

class CPageSiteSurveyDlg : public CResizeDlg {
public:
    enum { IDD = 113 };
    enum Control : int {
        IDC_STATIC_LINE = 1013,
        IDC_SEPARATOR = 1014,
        IDC_SORT_SSID = 1015,
        IDC_SORT_CHANNEL = 1016,
        IDC_SORT_SIGNAL = 1017,
        IDC_STATIC_SORTBY = 1018,
        IDC_STATIC_SSID = 1019,
        IDC_STATIC_CHANNEL = 1020,
        IDC_SHOW_DBM = 1021,
        IDC_STATIC_SIGNAL = 1022,
        IDC_LIST = 1023,
        IDC_ADD_TO_PROFILE = 1025,
        IDC_CONNECT = 1026,
    };
    // The Rescan button; the window's radio switch reaches it by this id.
    static constexpr int IDC_RESCAN = 1024;

    explicit CPageSiteSurveyDlg(CWnd* pParent = nullptr);

    // Empties the rows and shows the single scan-wait row until the next scan's list arrives.
    void ShowScanWait();

    int RowCount() const { return static_cast<int>(m_arySiteSurvey.size()); }
    CQuickList& List() { return m_listSurvey; }

    // Connection requests the hidden dialog acts on once a scan has finished.
    BOOL m_bConnectByBssid {};
    BOOL m_bConnectBySsid {};
    // The security digest of the chosen network, read by the security editor's preset.
    NDIS_WLAN_BSSID_EX* m_pDesiredBssid {};
    BOOL m_bSecurity {};
    int m_nWPA {};
    int m_nNetworkType {};
    CString m_strEncryption;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg LRESULT OnGetCellText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void insert_columns();

    CQuickList m_listSurvey;
    std::vector<SITESURVEY_ITEM> m_arySiteSurvey;
};
