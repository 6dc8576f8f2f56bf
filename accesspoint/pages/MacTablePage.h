// The station table tab: the stations associated with the access point, with their AID,
// power-save state and, on 802.11n adapters, their transmit rate. The table is asked for every
// 2 s while the page is active, in the layout the adapter's device model has (models 2 and 3
// without 802.11n, 4 to 8 with it); a failed query leaves the list as it was.
#pragma once

#include "platform/framework/AfxControls.h"
#include "platform/framework/PropertyPage.h"
#include "station/rates/CHTTable.h"

namespace hotvane {

class CMacTablePage : public CPropertyPage {
public:
    enum { IDD = 107 };
    enum Control : int { IDC_LIST = 1001 };
    static constexpr UINT_PTR kTimer = 1;
    static constexpr UINT kRefreshMs = 2000;

    // Takes the column titles from the string table.
    CMacTablePage();

    // One refresh, as each timer tick runs it.
    void RefreshStations();

    CListCtrl m_list;
    CHTTable m_HTTable;
    CString m_strMacTitle;
    CString m_strAidTitle;
    CString m_strPowerSaveTitle;
    CString m_strRateTitle;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    void InitListCtrl();
    template<typename Table>
    void list_stations(Table const& table, bool with_rate);
};

}
