// The stock objects of GetStockObject, created once and never deleted, and the logical fonts
// behind the stock fonts (also the defaults of the non-client metrics).
#pragma once

#include "platform/gdi/Text.h"

namespace platform::gdi {

HGDIOBJ stock_object(int index);
bool is_stock(HGDIOBJ object);
// "MS Shell Dlg" at 8 points (11 pixels), the dialog and menu font.
LOGFONT default_gui_logfont();
LOGFONT make_logfont(int height, int weight, char const* face);

}
