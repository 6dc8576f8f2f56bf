#include "accesspoint/controls/ResizeWidthComboBox.h"

#include <algorithm>

namespace hotvane {

BEGIN_MESSAGE_MAP(CResizeWidthComboBox, CComboBox)
    ON_CONTROL_REFLECT(CBN_DROPDOWN, OnDropDown)
END_MESSAGE_MAP()

void CResizeWidthComboBox::OnDropDown() { AdjustDropDownWidth(); }

void CResizeWidthComboBox::AdjustDropDownWidth()
{
    CClientDC dc(this);
    int const saved = dc.SaveDC();
    dc.SelectObject(GetFont());
    int const bar = GetSystemMetrics(SM_CXVSCROLL);
    int width = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CString text;
        GetLBText(i, text);
        width = std::max(width, int(dc.GetTextExtent(text).cx) + bar);
    }
    width += int(dc.GetTextExtent("0", 1).cx);
    dc.RestoreDC(saved);
    SetDroppedWidth(UINT(width));
}

}
