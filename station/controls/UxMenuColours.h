// Colour arithmetic of the owner-drawn menu.
#pragma once

#include "platform/gdi/Gdi.h"

// Each channel c becomes c + percent x (255 - c) / 100, fraction dropped.
inline COLORREF lighten(COLORREF colour, int percent)
{
    auto channel = [percent](int c) { return static_cast<BYTE>(c + percent * (255 - c) / 100); };
    return RGB(channel(GetRValue(colour)), channel(GetGValue(colour)), channel(GetBValue(colour)));
}
