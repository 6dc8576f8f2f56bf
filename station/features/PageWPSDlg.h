// The WPS page: the access points that offer WPS, the credentials obtained by WPS, the PIN, the
// role and the run buttons. The configuration window hands it the lower frame's rectangle before
// creating it, disables its seven action buttons when the radio goes off and re-enables two when
// it comes back, and gives its access point list a scan-wait row. The runs themselves come later.
#pragma once

#include "platform/framework/CRect.h"
#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"

#include <string>
#include <vector>

class CPageWPSDlg : public CResizeDlg {
public:
    enum { IDD = 119 };

    // The action buttons the radio switch disables, by role: index 0 (Rescan) comes back with
    // the radio, index 1 (PBC) too when the stored role is enrollee.
    static constexpr int kActionButtons = 7;
    static constexpr int kActionButtonIds[kActionButtons] = { 1164, 1154, 1153, 1165, 1167, 1168, 1169 };
    static constexpr int IDC_AP_LIST = 1151;

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

    void SetPageRect(CRect const& rect) { m_rcPage = rect; }
    CRect const& GetPageRect() const { return m_rcPage; }
    CWnd* ActionButton(int index);
    // Empties the access point rows and shows one scan-wait row in their place.
    void ShowScanWait();
    std::vector<ApRow> const& ApRows() const { return m_arrApRows; }

    CQuickList m_listAP;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CRect m_rcPage;
    std::vector<ApRow> m_arrApRows;
};
