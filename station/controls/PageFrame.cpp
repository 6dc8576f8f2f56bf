#include "station/controls/PageFrame.h"

#include "platform/framework/Dc.h"

void PaintPageTopLine(CWnd& page, CDC& dc)
{
    CRect client;
    page.GetClientRect(&client);
    dc.FillSolidRect(0, 0, client.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
    dc.FillSolidRect(0, 1, client.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
}
