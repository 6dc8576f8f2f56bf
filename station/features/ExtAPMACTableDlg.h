// The lower-area table of the configuration window that lists the stations associated to the
// hosted network, shown below the hosted network page. While visible it asks the library for
// the hosted network's status every 2 seconds (the first refresh comes with the first tick):
// the BSSID while the network runs (state 1), and each station's address and whether it is
// authenticated.
#pragma once

#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/Separator.h"
#include "wlan/api/Profile.h"

#include <vector>

class CExtAPMACTableDlg : public CResizeDlg {
public:
    enum { IDD = 263 };
    enum Control : int {
        IDC_TITLE = 1629,
        IDC_LIST = 1630,
        IDC_BSSID_LABEL = 1631,
        IDC_BSSID = 1632,
    };
    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 2000;

    struct Station {
        BYTE mac[6];
        std::uint32_t auth;
    };

    explicit CExtAPMACTableDlg(CWnd* pParent = nullptr);

    std::vector<Station> const& Stations() const { return m_arrStations; }
    CString const& BssidText() const { return m_strBSSID; }

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
    afx_msg LRESULT OnCellRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void init_list();
    void refresh();

    CFont m_font;
    UINT_PTR m_nTimer {};
    CString m_strBSSID;
    std::vector<Station> m_arrStations;
    CSeparator m_title;
    CQuickList m_list;
};
