#include "station/core/ComboItems.h"

#include "platform/controls/ControlMessages.h"
#include "platform/user/User.h"

DWORD_PTR ComboGetItemData(HWND combo, int index, DWORD_PTR* value)
{
    auto data = DWORD_PTR(SendMessage(combo, CB_GETITEMDATA, WPARAM(index), 0));
    if (value)
        *value = data;
    return data;
}

int ComboFindItemData(HWND combo, DWORD_PTR value)
{
    auto const count = SendMessage(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (DWORD_PTR(SendMessage(combo, CB_GETITEMDATA, WPARAM(i), 0)) == value)
            return int(i);
    }
    return -1;
}

void ComboAddItem(HWND combo, std::string const& text, DWORD_PTR data)
{
    auto const index = SendMessage(combo, CB_ADDSTRING, 0, LPARAM(text.c_str()));
    if (index >= 0)
        SendMessage(combo, CB_SETITEMDATA, WPARAM(index), LPARAM(data));
}
