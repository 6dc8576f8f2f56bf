// What every page and lower-area dialog of the configuration window shares: the 2-pixel etched
// line across its top edge, and the hit-test it answers WM_NCHITTEST with. On a small desktop
// (the hidden dialog's small-screen flag, bound here at start-up) the window has no caption to
// drag, so a press anywhere on a page starts a caption drag of the whole configuration window;
// otherwise the page's default answer stands.
#pragma once

#include "platform/framework/Afx.h"

// Draws the line across the page's client width: a shadow row over a highlight row.
void PaintPageTopLine(CWnd& page, CDC& dc);

// Binds the hidden dialog's small-screen flag; null binds a flag of this module that stays off.
void BindHideTabIcon(BOOL* pHideTabIcon);

// Called by the page's OnNcHitTest: with the flag set, sends WM_NCLBUTTONDOWN with HTCAPTION
// to the page's top-level window (the configuration window) and answers its result; else
// answers the page's default handling.
LRESULT PageNcHitTest(CWnd& page);
