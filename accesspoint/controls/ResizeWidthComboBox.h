// A combo box whose drop-down list widens to its longest item: as it drops down it measures
// every item in its own font, adds a vertical scroll bar, and one digit "0" as a margin.
#pragma once

#include "platform/framework/AfxControls.h"

namespace hotvane {

class CResizeWidthComboBox : public CComboBox {
public:
    void AdjustDropDownWidth();

protected:
    afx_msg void OnDropDown();

    DECLARE_MESSAGE_MAP()
};

}
