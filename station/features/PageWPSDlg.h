// The WPS page of the configuration window: the access points that offer WPS, the credentials
// obtained by WPS, the PIN, the role (enrollee or registrar), the preferred band, a status line
// and a progress bar; it starts and stops WPS runs and watches the connection made with a
// stored credential. The window hands it the lower frame's rectangle before creating it,
// disables its seven action buttons when the radio goes off and re-enables them by role when it
// comes back, and gives its access point list a scan-wait row.
//
// Files: PageWPSDlg.cpp (set-up, lists, buttons), PageWPSRuns.cpp (runs and timers),
// PageWPSStatus.cpp (the run's status). The records and PIN rules are WpsPin, the status codes
// WpsStatusTable; the shared WPS state is station/core's WpsGlobals and ConnectionFlags.
#pragma once

#include "platform/framework/CRect.h"
#include "platform/framework/ImageListCtrl.h"
#include "platform/framework/ListControls.h"
#include "station/controls/CProgressCtrlX.h"
#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/CSmartEdit.h"
#include "station/controls/ShadeButtonST.h"
#include "station/features/WpsApRows.h"
#include "wlan/api/Profile.h"
#include "wlan/api/Records.h"

#include <string>
#include <vector>

class CPageWPSDlg : public CResizeDlg {
public:
    enum { IDD = 119 };
    enum Control : int {
        IDC_AP_LIST = 1151,
        IDC_PROFILE_LIST = 1152,
        IDC_PIN = 1153,
        IDC_PBC = 1154,
        IDC_ASSOCIATE_IE = 1155,
        IDC_PROBE_IE = 1156,
        IDC_AUTO_SELECT = 1157,
        IDC_PROGRESS = 1158,
        IDC_STATUS = 1162,
        IDC_BAND = 1163,
        IDC_RESCAN = 1164,
        IDC_INFORMATION = 1165,
        IDC_DETAIL = 1166,
        IDC_CONNECT = 1167,
        IDC_ROTATE = 1168,
        IDC_DISCONNECT = 1169,
        IDC_IMPORT = 1170,
        IDC_DELETE = 1171,
        IDC_PIN_GROUP = 1172,
        IDC_CONFIG_MODE_LABEL = 1173,
        IDC_PIN_EDIT = 1174,
        IDC_RENEW = 1175,
        IDC_ROLE = 1176,
        IDC_AP_TITLE = 1177,
        IDC_PROFILE_TITLE = 1178,
        IDC_ASSOCIATE_IE_LABEL = 1179,
        IDC_PROBE_IE_LABEL = 1180,
        IDC_AUTO_SELECT_LABEL = 1181,
        IDC_BAND_LABEL = 1182,
    };
    // The page's timers (the page's own window).
    enum Timer : UINT_PTR {
        TIMER_WPS_DLG_SCAN_DONE = 1,
        TIMER_WPS_DLG_STATUS = 2,
        TIMER_WPS_DLG_CONNECT_STATUS = 3,
        TIMER_WPS_DLG_HW_PBC = 5,
        TIMER_WPS_DLG_TWO_MINUTES = 6,
        TIMER_WPS_NDIS_MEDIA_DISCONNECTED = 7,
    };

    // The action buttons the radio switch disables. By role: index 0 (Rescan) comes back with
    // the radio, index 1 (PBC) too when the stored role is enrollee; the others wait for the
    // page's own enabling rules.
    static constexpr int kActionButtons = 7;
    static constexpr int kActionButtonIds[kActionButtons] = { IDC_RESCAN, IDC_PBC, IDC_PIN, IDC_INFORMATION,
        IDC_CONNECT, IDC_ROTATE, IDC_DISCONNECT };
    // The marker of the scan-wait row: a row with this BSSID text shows only its SSID.
    static constexpr char const kScanWait[] = "ScanWait";
    // The device password ID of an access point whose push button is pressed.
    static constexpr char const kPushButtonId[] = "ID : 0x0004";

    // One row of the access point list.
    using ApRow = station::features::WpsApRow;
    // One row of the profile list: state -1 none, 0 connected, 1 tried and not connected.
    struct ProfileRow {
        int nState { -1 };
        std::string strSSID;
        std::string strSecond;
        int bSecured {};
    };

    explicit CPageWPSDlg(CWnd* pParent = nullptr);
    ~CPageWPSDlg() override;

    // The lower frame's rectangle, given before Create; the page lays itself out by it.
    void SetPageRect(CRect const& rect) { m_rcPage = rect; }
    CRect const& GetPageRect() const { return m_rcPage; }
    // The action button of `index` (0 to kActionButtons - 1); null before the page exists.
    CWnd* ActionButton(int index);
    // Empties the access point rows and the scan list, and shows one scan-wait row.
    void ShowScanWait();
    // Empties the page's lists when the radio comes back (the hidden dialog).
    void ClearListContainers();
    std::vector<ApRow> const& ApRows() const { return m_arrApRows; }
    std::vector<ProfileRow> const& ProfileRows() const { return m_arrProfileRows; }
    CSmartEdit& PinEdit() { return m_editPin; }
    // The scan entry shown on access point row `row`; null for a row without one.
    NDIS_WLAN_BSSID_EX const* EntryOfRow(int row) const;

    // [SECTION] Lists and records (PageWPSDlg.cpp)
    // Rebuilds the access point list from the library binding's scan cache.
    void RescanTimeEnd();
    // Fetches the scan list, hands it to the cache and rebuilds the list.
    void ForceUpdateBssidList();
    // Writes the page's WPS profile and mode records to the library.
    void WriteBackWpsProfiletoRegistry();
    // Refills the profile list from the page's WPS profile record.
    void DisplayWPSProfile();
    void MarkWpsProfileRow(int row, int value);
    void UpdateWpsButtons();
    // Validates the PIN box; TRUE takes the PIN (and stores it).
    BOOL CheckEditPinCode();

    // [SECTION] Runs (PageWPSRuns.cpp)
    BOOL StartWpsRoutine();
    BOOL StopWpsRoutine(BOOL bResetProgress);
    void StopWpsTimers();
    BOOL IsWpsProfileConnected();
    void HwPbcConnect();
    afx_msg void OnPbcConnect();
    afx_msg void OnPinConnect();
    afx_msg void OnWpsConnect();
    afx_msg void OnWpsRotate();
    afx_msg void OnWpsDisconnect();
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    // [SECTION] Status (PageWPSStatus.cpp)
    int GetWPSStatus();

    // Set by the hidden dialog when the adapter's WPS button was pressed; timer 5 reads and
    // clears it.
    BOOL m_bHWPBC {};
    CQuickList m_listAP;
    CQuickList m_listProfile;
    WPS_PROFILE m_WpsProfile {};
    // The row of the credential in use, and the BSSID the hidden dialog saw the media connect to.
    int m_nCurProfile {};
    BYTE m_ConnectedBssid[6] {};
    // The credential details the window copies into the WPS profile dialog. The key length is
    // the stored one: the window doubles it for a WEP key of 5 or 13 characters.
    CString m_strSSID;
    CString m_strBSSID;
    CString m_strAuth;
    CString m_strEncr;
    int m_nKeyLength {};
    int m_nKeyIndex {};
    CString m_strKeyHex;
    CString m_strKeyAscii;

    // Bound to the controls.
    CString m_strPin;
    CString m_strStatus;
    BOOL m_bAssociateIE { TRUE };
    BOOL m_bProbeIE { TRUE };
    BOOL m_bAutoSelect {};
    // The two-minute PIN window is open.
    BOOL m_bRescan {};
    std::uint32_t m_nDevicePin {};
    int m_nConnectTick { 1 };
    BOOL m_bWpsProfileSet {};
    BYTE m_WpsBssid[6] {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg LRESULT OnCellRequest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnWpsRescan();
    afx_msg void OnWpsInformation();
    afx_msg void OnWpsDetail();
    afx_msg void OnWpsImport();
    afx_msg void OnWpsDelete();
    afx_msg void OnWpsRenew();
    afx_msg void OnAutoSelect();
    afx_msg void OnSelchangeConfigMode();
    afx_msg void OnSelchangeBand();
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnScanFail(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // [SECTION] Set-up (PageWPSDlg.cpp)
    void set_texts();
    void insert_columns();
    void set_up_band_and_role();
    void read_stored_records();
    void apply_role_controls(bool registrar);
    void fill_ap_cell(QuickCellRequest& cell, ApRow const& row) const;
    void fill_profile_cell(QuickCellRequest& cell, ProfileRow const& row) const;
    void set_image(QuickCellRequest& cell, int image) const;
    void fill_detail_strings(WPS_CREDENTIAL const& credential);
    bool radio_on() const;
    bool may_change_profiles() const;
    int selected_row(CQuickList& list) const;
    void enable(int id, bool on);
    void show(int id, bool on);
    // Queries the scan list into the page's buffer, traces it and hands it to the cache.
    void fetch_scan_list();
    // Sends the configuration window DLG_MSG_EXCHANGE from this page.
    void exchange(LPARAM what);
    void delete_credential(int row);

    // [SECTION] Runs (PageWPSRuns.cpp)
    void leave_network();
    void prepare_run();
    void empty_profile_list();
    void hand_over_run(WPS_MODE const& mode);
    // The access point row a PIN run tries, by the automatic choice or the selection; false
    // when the run stops here.
    bool choose_pin_row();
    void check_radio_tick();
    void enable_by_credentials();
    void scan_complete_tick();
    bool connection_watch_tick();
    void colour_progress();

    // [SECTION] Status (PageWPSStatus.cpp)
    bool valid_row() const;
    void next_access_point(int rule);
    void on_wps_success();

    CRect m_rcPage;
    std::vector<ApRow> m_arrApRows;
    std::vector<ProfileRow> m_arrProfileRows;
    // The page's copy of the scan list: a 32-bit count, then the entries of the listed access
    // points. Allocated when the page starts.
    std::vector<BYTE> m_ScanList;
    CImageList m_imageList;
    CProgressCtrlX m_progress;
    CSmartEdit m_editPin;
    CComboBox m_comboRole;
    CComboBox m_comboBand;
    CShadeButtonST m_buttons[13];
};
