#include "station/controls/QuickCellColours.h"

namespace {

COLORREF or_system(COLORREF colour, int index)
{
    return colour == CLR_DEFAULT ? GetSysColor(index) : colour;
}

}

COLORREF quick_text_colour(QuickCellRequest const& cell, QuickCellState const& state, bool ignore_selection,
    bool force_selected)
{
    if ((!ignore_selection && state.selected) || force_selected) {
        if (state.navigation_cell && state.focused)
            return or_system(cell.m_crNavigationText, COLOR_HIGHLIGHTTEXT);
        return or_system(cell.m_crSelectedText, state.focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    }
    if (state.hot)
        return or_system(cell.m_crHotText, COLOR_HOTLIGHT);
    return or_system(cell.m_crText, COLOR_WINDOWTEXT);
}

COLORREF quick_background_colour(QuickCellRequest const& cell, QuickCellState const& state, bool ignore_selection)
{
    if (ignore_selection || !state.selected)
        return or_system(cell.m_crBackground, COLOR_WINDOW);
    if (state.navigation_cell && state.focused)
        return or_system(cell.m_crNavigationBackground, COLOR_HOTLIGHT);
    COLORREF const chosen = state.focused ? cell.m_crSelectedBackground : cell.m_crSelectedBackgroundNoFocus;
    if (chosen != CLR_DEFAULT)
        return chosen;
    // Without column navigation a hot selected row stands out from the other selected rows.
    if (!state.column_navigation && state.hot)
        return GetSysColor(COLOR_HOTLIGHT);
    return GetSysColor(state.focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
}
