// The event log tab: the event array (EventArray.h) as a list of time and message, extended
// every 2 s while the page is active with the entries it does not show yet, at most 100 rows,
// the oldest dropped first. Clear empties the list and the array.
#pragma once

#include "platform/framework/AfxControls.h"
#include "platform/framework/PropertyPage.h"
#include "wlan/api/ApRecords.h"

#include <string>

namespace hotvane {

class CEventLogPage : public CPropertyPage {
public:
    enum { IDD = 108 };
    enum Control : int { IDC_LIST = 1107, IDC_CLEAR = 1108 };
    static constexpr UINT_PTR kTimer = 1;
    static constexpr UINT kRefreshMs = 2000;
    static constexpr int kMaxRows = 100;
    static constexpr int kEventTexts = 6;

    // Takes the column titles and the event texts from the string table.
    CEventLogPage();

    // The list's two texts of one event: its local time, and the message by its code.
    std::string TimeText(FILETIME const& time) const;
    std::string MessageText(KT_802_11_EVENT_LOG const& event) const;

    CListCtrl m_list;
    CString m_strTimeTitle;
    CString m_strMessageTitle;
    CString m_strEventText[kEventTexts];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClear();
    DECLARE_MESSAGE_MAP()

private:
    void InitListCtrl();
    void AppendEvents();
};

}
