// An etched line that divides groups of controls on a page, subclassed over a static control
// of the template. A control taller than wide gets a vertical line down its middle; any other
// gets a horizontal line across its middle with the caption written over it (left, centred
// or right after SS_CENTER and SS_RIGHT), two blanks wide of the line on the open side(s), so
// even an empty caption breaks the line.
#pragma once

#include "platform/framework/ButtonControls.h"

class CSeparator : public CStatic {
public:
    CSeparator();
    ~CSeparator() override;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void paint_vertical(CDC& dc, CRect const& client);
    void paint_horizontal(CDC& dc, CRect const& client);
};
