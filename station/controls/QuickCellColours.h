// The colour rules of a CQuickList cell: which of the cell record's colours (or which system
// colour, for CLR_DEFAULT) a cell's text and background take, from its selection, hot state,
// the list's focus and its current column. Pure functions, so the rules can be tested as a
// table.
#pragma once

#include "station/controls/QuickListRecords.h"

// What the list knows about a cell besides its record.
struct QuickCellState {
    bool selected {};           // shown selected (see CQuickList::FillCellRequest)
    bool hot {};                // the list view's hot item
    bool focused {};            // the list has the keyboard focus
    bool column_navigation {};  // current-column navigation is on
    bool navigation_cell {};    // navigation is on and the cell is in the current column
};

// `force_selected` draws the selected colours whatever the state says.
COLORREF quick_text_colour(QuickCellRequest const& cell, QuickCellState const& state, bool ignore_selection,
    bool force_selected = false);
// May answer CLR_NONE (from the record): the caller then does not fill.
COLORREF quick_background_colour(QuickCellRequest const& cell, QuickCellState const& state, bool ignore_selection);
