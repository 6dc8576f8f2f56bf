// A report list that never shows a horizontal scroll bar: whenever its frame is measured it
// drops WS_HSCROLL, so columns wider than the list are cut at its edge instead.
#pragma once

#include "platform/framework/AfxControls.h"

namespace hotvane {

class CNoHScrollListCtrl : public CListCtrl {
protected:
    afx_msg LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

}
