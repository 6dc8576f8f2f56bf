// Combo box items with their item data, written against the window API only. Both programs'
// dialogs fill their drop-down lists this way.
#pragma once

#include "platform/user/Types.h"

#include <string>

// Item data of the combo box's item `index`, also stored in `value` when given.
DWORD_PTR ComboGetItemData(HWND combo, int index, DWORD_PTR* value);
// Index of the first item whose data equals `value`, or -1.
int ComboFindItemData(HWND combo, DWORD_PTR value);
// Adds the text and sets the item data of the index the combo box answered.
void ComboAddItem(HWND combo, std::string const& text, DWORD_PTR data);
