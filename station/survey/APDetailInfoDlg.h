// The access point detail dialog of the configuration window's lower area: what the scan
// knows of the network chosen on the site survey page, in tabs (General, WPS, CCX, 802.11n)
// over a tab host, and a Close button that gives the place back to the link status.
//
// The dialog keeps its own copy of the scan entry (the site survey page sorts and rewrites its
// list every 2 seconds) and fills every tab from it each time it is shown.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"
#include "station/rates/CHTTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct NDIS_WLAN_BSSID_EX;
struct IE_INFO_WPA;
class CTabDialog;
class CPageGeneralDlg;
class CPageWPSStatusDlg;
class CPageCCXDlg;
class CPage80211nDlg;

class CAPDetailInfoDlg : public CResizeDlg {
public:
    enum { IDD = 156 };
    enum Control : int {
        IDC_CLOSE = 1331,
        IDC_PLACE_GENERAL = 1332,
        IDC_PLACE_WPS = 1333,
        IDC_PLACE_80211N = 1334,
        IDC_PLACE_CCX = 1335,
        IDC_PAGE_AREA = 1067,
    };
    // The pages in the order they are made and registered with the host.
    enum Page : int { PAGE_GENERAL, PAGE_WPS, PAGE_CCX, PAGE_80211N, kPageCount };

    explicit CAPDetailInfoDlg(CWnd* pParent = nullptr);
    ~CAPDetailInfoDlg() override;

    // Keeps a copy of the scan entry to show (exactly `length` bytes, at least the fixed part):
    // the site survey page rewrites its list every 2 seconds while the dialog shows.
    void SetBssidEntry(NDIS_WLAN_BSSID_EX const* entry, std::size_t length);

    // The scan entry to show: the dialog's own copy; null before the first SetBssidEntry.
    NDIS_WLAN_BSSID_EX* m_pBssidEntry {};

    CTabDialog* TabHost() const { return m_pTabDlg.get(); }
    CShadeButtonST* TabButton(int page) const { return m_btnTabs[std::size_t(page)].get(); }
    CPageGeneralDlg* GeneralPage() const { return m_pGeneral.get(); }
    CPageWPSStatusDlg* WpsPage() const { return m_pWps.get(); }
    CPageCCXDlg* CcxPage() const { return m_pCcx.get(); }
    CPage80211nDlg* HtPage() const { return m_p80211n.get(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Creates one page as a child of the host; the seam where tests make a creation fail.
    virtual BOOL CreatePage(CResizeDlg& page, UINT idd, CWnd* host);
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnBtnClose();
    DECLARE_MESSAGE_MAP()

private:
    BOOL create_tabs();
    BOOL create_tab(int page);
    void place_tab_host();
    void set_up_close_button();
    void fill_pages();
    void fill_general(NDIS_WLAN_BSSID_EX const& entry, IE_INFO_WPA const& digest);
    void fill_signal(std::int32_t rssi);
    void fill_ccx(IE_INFO_WPA const& digest);
    void fill_wps(IE_INFO_WPA const& digest);
    void fill_80211n(IE_INFO_WPA const& digest);
    CRect placeholder(int id) const;

    std::vector<std::uint8_t> m_entryCopy;
    std::unique_ptr<CPageGeneralDlg> m_pGeneral;
    std::unique_ptr<CPageWPSStatusDlg> m_pWps;
    std::unique_ptr<CPageCCXDlg> m_pCcx;
    std::unique_ptr<CPage80211nDlg> m_p80211n;
    std::array<std::unique_ptr<CShadeButtonST>, kPageCount> m_btnTabs;
    std::unique_ptr<CTabDialog> m_pTabDlg;
    CShadeButtonST m_btnClose;
    CFont m_fontTab;
    CHTTable m_htTable;
};
