// Painting of one CQuickList cell from its record: check box, image (blended when selected),
// level bar, text and the current-column focus rectangle, in that order. Stateless: the list
// hands in everything, so tests can paint a cell on a small canvas.
#pragma once

#include "platform/framework/Dc.h"
#include "station/controls/CGradient.h"
#include "station/controls/QuickCellColours.h"
#include "station/controls/QuickCellLayout.h"

struct QuickCellPaint {
    QuickCellRequest const& request;
    QuickCellLayout const& layout;
    QuickCellState state;
    bool full_row_select {};
    bool focus_rect {}; // the current column's cell of the focused item, list focused
    CGradient& gradient; // the list's one gradient, shared by the bars of all its cells
};

void paint_quick_cell(CDC& dc, QuickCellPaint const& paint);

// The filled width of a level bar `inner_width` wide: value / maximum of it, the whole of it
// from the maximum up, nothing for a value of 0 or below. 64-bit, so large counters do not
// overflow the product.
int quick_bar_fill(int value, int maximum, int inner_width);

// Fills `rect` from its left with the level bar's red-yellow-yellow-green gradient, over
// `filled` pixels, through `gradient` (whose pegs it sets). One function, so the bars' look
// lives in one place.
void paint_level_bar(CDC& dc, CGradient& gradient, CRect const& rect, int filled);

// "&" doubled, so that DrawText shows every ampersand and underlines nothing.
CString quick_escape_prefix(CString const& text);
