// The WPS page of the configuration window: the access points that offer WPS, the credentials
// obtained by WPS, the PIN, the role and the run buttons. The window hands it the lower frame's
// rectangle before creating it, disables its seven action buttons when the radio goes off and
// re-enables them by role when it comes back, and gives its access point list a scan-wait row.
// For now the page shows its template and those rows; the runs arrive with the page's own work.
#pragma once

#include "platform/framework/CRect.h"
#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "wlan/api/Profile.h"

#include <string>

struct NDIS_WLAN_BSSID_EX;
#include <vector>

class CPageWPSDlg : public CResizeDlg {
public:
    enum { IDD = 119 };
    enum Control : int {
        IDC_AP_LIST = 1151,
        IDC_PROFILE_LIST = 1152,
        IDC_PIN = 1153,
        IDC_PBC = 1154,
        IDC_RESCAN = 1164,
        IDC_INFORMATION = 1165,
        IDC_CONNECT = 1167,
        IDC_ROTATE = 1168,
        IDC_DISCONNECT = 1169,
    };

    // The action buttons the radio switch disables. By role: index 0 (Rescan) comes back with
    // the radio, index 1 (PBC) too when the stored role is enrollee; the others wait for the
    // page's own enabling rules.
    static constexpr int kActionButtons = 7;
    static constexpr int kActionButtonIds[kActionButtons] = { IDC_RESCAN, IDC_PBC, IDC_PIN, IDC_INFORMATION,
        IDC_CONNECT, IDC_ROTATE, IDC_DISCONNECT };
    // The marker of the scan-wait row: a row with this BSSID text shows only its SSID.
    static constexpr char const kScanWait[] = "ScanWait";

    // One row of the access point list.
    struct ApRow {
        int nState {};
        std::string strSSID;
        std::string strBSSID;
        std::string strChannel;
        std::string strDevPwdId;
        int bSecured {};
        long lRssi {};
    };

    explicit CPageWPSDlg(CWnd* pParent = nullptr);

    // The lower frame's rectangle, given before Create; the page lays itself out by it.
    void SetPageRect(CRect const& rect) { m_rcPage = rect; }
    CRect const& GetPageRect() const { return m_rcPage; }
    // The action button of `index` (0 to kActionButtons - 1); null before the page exists.
    CWnd* ActionButton(int index);
    // Empties the access point rows and the scan list, and shows one scan-wait row.
    void ShowScanWait();
    // Empties the page's lists when the radio comes back (the hidden dialog).
    void ClearListContainers();
    // Rebuilds the access point list from the scan list (the hidden dialog's WPS rescan).
    void RescanTimeEnd();
    std::vector<ApRow> const& ApRows() const { return m_arrApRows; }
    // Writes the page's WPS profile and mode records to the library.
    void WriteBackWpsProfiletoRegistry();
    // Refills the profile list from the page's WPS profile record.
    void DisplayWPSProfile();
    // The scan entry shown on access point row `row`; null for a row without one.
    NDIS_WLAN_BSSID_EX const* EntryOfRow(int row) const;

    // Set by the hidden dialog when the adapter's WPS button was pressed.
    BOOL m_bHWPBC {};
    CQuickList m_listAP;
    CQuickList m_listProfile;
    WPS_PROFILE m_WpsProfile {};
    // The row of the credential in use, and the BSSID the hidden dialog saw the media connect to.
    int m_nCurProfile {};
    BYTE m_ConnectedBssid[6] {};
    // The credential details the window copies into the WPS profile dialog.
    CString m_strSSID;
    CString m_strBSSID;
    CString m_strAuth;
    CString m_strEncr;
    int m_nKeyLength {};
    int m_nKeyIndex {};
    CString m_strKeyHex;
    CString m_strKeyAscii;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg LRESULT OnCellRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void insert_columns();

    CRect m_rcPage;
    std::vector<ApRow> m_arrApRows;
    // The page's copy of the scan list: a 32-bit count, then the entries of the listed access
    // points. Allocated when the page starts.
    std::vector<BYTE> m_ScanList;
};
