// What the two tabs of the statistics page share: rows of a label, an "=" and a value static,
// the labels taking their user-interface strings, every static the tab's 16-unit font, and the
// value texts bound to the value statics by data exchange. The page fills the texts and pushes
// them with UpdateData(FALSE).
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/core/UiStr.h"

#include <string>
#include <vector>

class CStatisticsTabDlg : public CResizeDlg {
public:
    // One tab's layout: the first id of each column (ids run on by row) and the labels' texts.
    struct Layout {
        int first_label;
        int first_equals;
        int first_value;
        std::vector<std::string const CUISTR::*> labels;
    };

    CStatisticsTabDlg(UINT nIDTemplate, Layout layout, CWnd* pParent);

    // The value texts, in row order.
    std::vector<CString> m_strValues;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void set_font(int id);

    Layout m_layout;
    CFont m_font;
};
