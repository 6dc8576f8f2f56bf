// The site survey page of the configuration window: it asks the adapter to scan, lists the
// networks around with icons and signal bars, keeps the connected network's row marked, and is
// where the user picks a network to connect to, to inspect or to store as a profile.
//
// The scan cycle: TIMER_CONNECT_STATUS fires once after start-up (the scan period of the
// wireless mode) and starts a scan; from then on TIMER_SITESURVEY_DLG polls every 2 seconds.
// The library's scan-finished callback only raises m_bSurveyComplete (BssidQuery.h); the poll
// that sees it fetches the list, merges it into the cache and rebuilds the rows. Rows are in
// display order and each keeps where its entry lies in the page's list (SurveyList.h).
// Everything here runs on the user-interface thread.
#pragma once

#include "platform/framework/ImageListCtrl.h"
#include "station/controls/ButtonST.h"
#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"
#include "station/survey/SiteSurveyItem.h"
#include "station/survey/SurveyConnect.h"
#include "wlan/api/Profile.h"

#include <cstdint>
#include <memory>
#include <vector>

class CPageSiteSurveyDlg : public CResizeDlg {
public:
    enum { IDD = 113 };
    enum Control : int {
        IDC_STATIC_SHOW_DBM = 1013,
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
    enum : UINT_PTR { TIMER_CONNECT_STATUS = 1, TIMER_SITESURVEY_DLG = 4 };
    static constexpr UINT kSurveyPollMs = 2000;
    static constexpr UINT kConnectStatusMs = 5000;
    // The image list: bitmap 258, 16 pixels per image.
    static constexpr int kImageBitmap = 258;
    enum Image : int {
        IMAGE_ADHOC = 0,
        IMAGE_INFRASTRUCTURE = 1,
        IMAGE_A = 2,
        IMAGE_B = 3,
        IMAGE_G = 4,
        IMAGE_SECURED = 5,
        IMAGE_CONNECTED = 6,
        IMAGE_TRIED = 7,
        IMAGE_WPS = 8,
        IMAGE_N = 9,
        IMAGE_WAPI = 10,
    };

    explicit CPageSiteSurveyDlg(CWnd* pParent = nullptr);
    ~CPageSiteSurveyDlg() override;

    // [SECTION] Operations the hidden dialog and the window call
    // Starts a scan (or, when the system's service runs the adapter on older systems, reads
    // the list it has).
    void DoScan();
    // Fetches the library's list, merges it into the cache and rebuilds the rows, scan or not.
    void ForceUpdateBssidList();
    // Arms TIMER_CONNECT_STATUS with 5 seconds: one more scan, then the 2-second poll.
    void StartConnectStatusTimer();
    // Rebuilds the rows from the cache, sorted by the current key.
    void RescanTimeFunc();
    // Makes row `row`'s network the chosen one; a row without an entry chooses nothing.
    void SelectBssid(int row);
    void UpdateControlState();
    // Marks the row of the connected network, and rescans when it stays missing.
    void UpdateConnectStatus();
    // Empties the rows and shows the single scan-wait row until the next scan's list arrives.
    void ShowScanWait();
    // Empties the page's lists when the radio comes back (the hidden dialog).
    void ClearListContainers();
    // [SECTION] Connecting (PageSiteSurveyConnect.cpp)
    // The pending security settings back to their reset values.
    void ResetSecuritySettings();
    // Builds the connection profile from the chosen entry and the pending settings and hands it
    // to the hidden dialog's queue through the window (EAP-FAST on newer systems: once the
    // system's EAP configuration is done).
    void LoadProfile();

    // [SECTION] Reading the page
    int RowCount() const { return static_cast<int>(m_arySiteSurvey.size()); }
    SITESURVEY_ITEM const& Row(int row) const { return m_arySiteSurvey[static_cast<size_t>(row)]; }
    // The scan entry of `row` inside the page's list; null for a row without one, or none.
    NDIS_WLAN_BSSID_EX const* EntryOfRow(int row) const;
    CQuickList& List() { return m_listSurvey; }
    std::uint8_t const* BssidList() const { return m_pBssidList.get(); }
    int SortType() const { return m_nSortType; }
    BOOL Rescanning() const { return m_bRescan; }
    int MissingConnectedCount() const { return m_nMissingConnected; }

    // [SECTION] Members other windows read and write
    // The action the hidden dialog takes on ACTION_INSERT_EXEC from this page: its type and
    // record, which the hidden dialog copies.
    int m_nActionType {};
    void* m_pActionData {};
    // Connection requests the hidden dialog acts on once a scan has finished.
    BOOL m_bConnectByBssid {};
    BOOL m_bConnectBySsid {};
    // The chosen network: the page's own copy of its entry, and its security digest.
    NDIS_WLAN_BSSID_EX* m_pDesiredBssid {};
    BOOL m_bSecurity {};
    int m_nWPA {};
    int m_nNetworkType {};
    CString m_strEncryption;
    // "Show dBm": signal texts in dBm rather than percent; the link status page follows it.
    BOOL m_bShowDbm {};
    // Set when the hidden-network prompt was asked for; the window puts the typed name into
    // the SSID holder before it continues the connection.
    BOOL m_bHiddenSsid {};
    NDIS_802_11_SSID m_HiddenSsid {};
    // Filled by the window from the security editor's OK before LoadProfile.
    station::survey::PendingSecurity m_Pending;
    // The connection profile record the last LoadProfile built.
    WLANPROFILE const& Profile() const { return *m_pProfile; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a page: ending a modeless dialog hides it.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnRescan();
    afx_msg void OnSortType(UINT nID);
    afx_msg void OnConnect();
    afx_msg void OnAddToProfile();
    afx_msg void OnShowDbm();
    afx_msg void OnClickList(NMHDR* header, LRESULT* result);
    afx_msg void OnDblClkList(NMHDR* header, LRESULT* result);
    afx_msg LRESULT OnGetCellText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListKey(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnScanFail(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInsertActionExec(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // [SECTION] Building (PageSiteSurveyDlg.cpp)
    void set_texts();
    void set_up_buttons();
    void set_up_list();
    void insert_columns();
    void arm_first_scan();
    void fetch_list();
    void show_rows();

    // [SECTION] Cells and choosing (PageSiteSurveyRows.cpp)
    void fill_cell(QuickCellRequest& cell, SITESURVEY_ITEM const& row) const;
    void fill_scan_wait_cell(QuickCellRequest& cell, SITESURVEY_ITEM const& row) const;
    bool choose_entry(int row);
    int selected_row() const;
    int focused_row() const;
    void send_to_window(UINT message, WPARAM wParam, LPARAM lParam, bool post = false) const;

    // [SECTION] State (PageSiteSurveyState.cpp)
    void enable_sort_controls(BOOL enable);
    void enable_connect_buttons(BOOL connect, BOOL add);
    bool connect_allowed() const;
    int find_connected_row(WLAN_STATUS const& status, bool& missing);
    bool names_match(WLAN_STATUS const& status, SITESURVEY_ITEM const& row) const;
    void count_missing(bool missing);
    void clear_rows();

    // [SECTION] Connecting (PageSiteSurveyConnect.cpp)
    bool connect_preconditions();
    bool digest_chosen_entry();
    bool refused_without_wpa(std::uint32_t authentication) const;
    void start_eap_configuration();

    CQuickList m_listSurvey;
    CImageList m_imageList;
    std::vector<SITESURVEY_ITEM> m_arySiteSurvey;
    BOOL m_bRescan {};
    std::vector<std::uint8_t> m_desiredCopy;
    std::unique_ptr<std::uint8_t[]> m_pBssidList;
    std::unique_ptr<WLANPROFILE> m_pProfile;
    int m_nLastWapiConnecting {};
    int m_nSortType {};
    UINT_PTR m_nTimer {};
    int m_nMissingConnected {};
    CButtonST m_btnSort[3];
    CButtonST m_chkShowDbm;
    CShadeButtonST m_btnRescan;
    CShadeButtonST m_btnAddToProfile;
    CShadeButtonST m_btnConnect;
};
