// The statistics page of the configuration window: the adapter's frame counters on a transmit
// and a receive tab, refreshed every two seconds while the page is visible, and a button that
// resets them.
//
// The tab buttons are children of the page, above the tab host; the page hands their clicks to
// the host, which switches the tabs. User-interface thread only.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/CTabDialog.h"
#include "station/controls/ShadeButtonST.h"
#include "station/survey/PageStatisticsRXDlg.h"
#include "station/survey/PageStatisticsTXDlg.h"

class CPageStatisticsDlg : public CResizeDlg {
public:
    enum { IDD = 115 };
    enum Control : int {
        IDC_TX_BUTTON = 127,
        IDC_RX_BUTTON = 128,
        IDC_TX_PLACE = 1065,
        IDC_RX_PLACE = 1066,
        IDC_TAB_AREA = 1067,
        IDC_RESET_COUNTER = 1068,
    };
    static constexpr UINT_PTR TIMER_REFRESH = 1;
    static constexpr UINT kRefreshPeriod = 2000;

    explicit CPageStatisticsDlg(CWnd* pParent = nullptr);

    CPageStatisticsTXDlg& TxTab() { return m_dlgTx; }
    CPageStatisticsRXDlg& RxTab() { return m_dlgRx; }
    CTabDialog& TabHost() { return m_tabDlg; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnResetCounter();
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateTabs();
    BOOL create_tab(CShadeButtonST& button, int place, int id, std::string const& text, CStatisticsTabDlg& tab,
        UINT idd);
    void push_values();

    CShadeButtonST m_btnTx;
    CShadeButtonST m_btnRx;
    CTabDialog m_tabDlg;
    CPageStatisticsTXDlg m_dlgTx;
    CPageStatisticsRXDlg m_dlgRx;
    CShadeButtonST m_btnReset;
    CFont m_font;
    UINT_PTR m_nTimer {};
};
