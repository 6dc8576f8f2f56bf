// What every page and lower-area dialog of the configuration window shares: the 2-pixel etched
// line across its top edge.
#pragma once

#include "platform/framework/Afx.h"

// Draws the line across the page's client width: a shadow row over a highlight row.
void PaintPageTopLine(CWnd& page, CDC& dc);
