// The bars of WS_HSCROLL / WS_VSCROLL windows: their ranges, their drawing in the window's
// non-client area (through a window DC) and the mouse on them, which the window core hands
// over through its scroll bar hooks. Also the Set/GetScroll* calls, which forward SB_CTL to
// the "ScrollBar" control.
#pragma once

#include "platform/controls/ScrollMessages.h"

namespace platform::controls {

// Installs the window core's scroll bar hooks; done when the library loads.
void install_window_scroll_bars();
// Draws the bars of a window now (nothing when it has none or is not visible).
void paint_window_scroll_bars(HWND hwnd);

}
