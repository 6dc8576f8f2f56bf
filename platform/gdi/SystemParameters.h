// The system parameters the drawing module answers through SystemParametersInfo: the
// non-client metrics with their fonts, and whether captions are drawn as a gradient. Tests
// change them with the SPI_SET actions, as a program would; reset_system_parameters goes
// back to the defaults below.
//
// Defaults: border 1, scroll bars 16 x 16, caption buttons 18 x 18 (small 15 x 15), menu
// items 18 x 18; every font "Tahoma" 8 pt (-11 pixels at 96 dots per inch), the caption
// font bold. Gradient captions are on, as on the classic desktop these programs were made
// for.
#pragma once

#include "platform/gdi/SysPaint.h"

namespace platform::gdi {

constexpr UINT SPIF_UPDATEINIFILE = 0x0001;
constexpr UINT SPIF_SENDCHANGE = 0x0002;

NONCLIENTMETRICS nonclient_metrics();
bool gradient_captions();
// Answers the actions above; FALSE for any other, as for a bad size or a null pointer.
// A SET action with SPIF_SENDCHANGE sends WM_SETTINGCHANGE to every top-level window.
BOOL system_parameters(UINT action, UINT param, PVOID value, UINT win_ini);
void reset_system_parameters();

// Grows each time something the window frames are drawn with changes (system colours,
// metrics, the gradient switch), so frames drawn before are drawn again.
unsigned frame_generation();
void bump_frame_generation();

}
