#include "station/survey/DetailTab.h"

#include "station/core/UiStr.h"

#include <cstring>

namespace station::survey {

void CreateDetailFont(CFont& font, int height)
{
    LOGFONT description {};
    description.lfHeight = height;
    description.lfCharSet = static_cast<BYTE>(G_UiStr.nCharSet);
    std::strncpy(description.lfFaceName, G_UiStr.strFaceName.c_str(), sizeof description.lfFaceName - 1);
    font.CreateFontIndirect(&description);
}

void PaintTopLine(CWnd& window)
{
    CPaintDC dc(&window);
    CRect client;
    window.GetClientRect(&client);
    dc.Draw3dRect(0, 0, client.Width(), 2, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

}
