// What the tabs of the access point detail share: the font they create for their texts (the
// string table's face and character set at a given height) and the etched line two pixels
// high across their top.
#pragma once

#include "platform/framework/Afx.h"

namespace station::survey {

void CreateDetailFont(CFont& font, int height);
void PaintTopLine(CWnd& window);

}
