#include "accesspoint/controls/NoHScrollListCtrl.h"

namespace hotvane {

BEGIN_MESSAGE_MAP(CNoHScrollListCtrl, CListCtrl)
    ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
END_MESSAGE_MAP()

// The style changes without a frame recalculation: this is the recalculation.
LRESULT CNoHScrollListCtrl::OnNcCalcSize(WPARAM, LPARAM)
{
    ModifyStyle(WS_HSCROLL, 0);
    return Default();
}

}
