// The 802.11n tab of the access point detail: a list of 64 rows, ten bold headings and the 54
// HT properties of one network with their values ("n/a" for a network without HT). The
// detail dialog writes the 55 texts (54 values, then "TRUE" or "FALSE" of the HT flag) and
// calls FillList; the list asks the tab for each cell.
#pragma once

#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "station/survey/APDetailTexts.h"

#include <array>
#include <string>
#include <vector>

class CPage80211nDlg : public CResizeDlg {
public:
    enum { IDD = 173 };
    enum Control : int { IDC_LIST = 1371 };

    explicit CPage80211nDlg(CWnd* pParent = nullptr);

    // Rebuilds the rows from the texts, then Refresh.
    void FillList();
    // The list's item count follows the rows; the visible rows are redrawn.
    void Refresh();

    std::array<std::string, station::survey::kHtValueCount + 1> m_strTexts;

    std::vector<station::survey::HtRow> const& Rows() const { return m_rows; }
    CQuickList& List() { return m_list; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnGetCellText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<station::survey::HtRow> m_rows;
    CQuickList m_list;
    CFont m_font;
};
