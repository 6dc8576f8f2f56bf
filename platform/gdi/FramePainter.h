// The look of a window's non-client area: frame, caption and edges, drawn with the system
// colours. The frame sizes come from the window core (frame_insets); this unit only paints.
//
// The look, from the outside in:
// - WS_THICKFRAME and dialog frames (WS_DLGFRAME, WS_CAPTION, WS_EX_DLGMODALFRAME): a raised
//   edge (EDGE_RAISED, two pixels), the rest of the frame width in COLOR_ACTIVEBORDER
//   (COLOR_INACTIVEBORDER when inactive) for a sizing frame, COLOR_BTNFACE for a dialog frame.
//   A plain WS_BORDER is one pixel of COLOR_WINDOWFRAME.
// - The caption: all its rows but the last are the title bar, in COLOR_ACTIVECAPTION, or a
//   horizontal gradient from it to COLOR_GRADIENTACTIVECAPTION when gradient captions are
//   on (the INACTIVE colours for an inactive window); the last row is COLOR_BTNFACE. The
//   title is drawn in the caption font (bold) in COLOR_CAPTIONTEXT (COLOR_INACTIVECAPTIONTEXT),
//   4 pixels from the left, vertically centred, cut with "..." when too long. With
//   WS_SYSMENU a close button sits 2 pixels from the right: a push button face two pixels
//   smaller than the bar's height with a cross in COLOR_BTNTEXT.
// - WS_EX_CLIENTEDGE: a sunken edge (EDGE_SUNKEN) around the client area; WS_EX_STATICEDGE:
//   one pixel of BDR_SUNKENOUTER, inside the client edge when both are set.
#pragma once

#include "platform/gdi/Gdi.h"

#include <string>

namespace platform::gdi {

struct FrameLook {
    DWORD style { 0 };
    DWORD ex_style { 0 };
    bool active { false };
    std::string title;
    int width { 0 };
    int height { 0 };
    unsigned generation { 0 }; // frame_generation() when the look was taken

    bool operator==(FrameLook const&) const = default;
};

// Whether the style has anything to draw outside the client area.
bool has_frame(DWORD style, DWORD ex_style);
// Paints the frame on a DC whose origin is the window's top-left corner. The caller clips
// out the client area.
void paint_frame(HDC dc, FrameLook const& look);

}
