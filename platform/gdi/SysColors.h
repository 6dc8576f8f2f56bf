// The system colour table behind GetSysColor: the classic scheme by default, a probe scheme
// of pairwise distinct colours for tests. SetSysColors (with its broadcast) is in
// SysColorsApi.cpp, which needs the window core.
#pragma once

#include "platform/gdi/Gdi.h"

namespace platform::gdi {

COLORREF sys_color(int index);
void set_sys_color(int index, COLORREF colour);
HBRUSH sys_color_brush(int index);
void use_classic_scheme();
// Entry i is probe_color(i): distinct for every index, none black or white.
void use_probe_scheme();
COLORREF probe_color(int index);

}
