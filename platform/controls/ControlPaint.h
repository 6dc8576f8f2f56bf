// The classic look of the standard controls as stateless functions: each takes the DC, the
// rectangle and an explicit state, draws with the system colours and the DC's selected font,
// and keeps nothing. Controls call them from their paint handler; tests call them on a small
// memory DC without a window.
#pragma once

#include "platform/gdi/SysPaint.h"

#include <string_view>

namespace platform::controls {

struct PushButtonLook {
    std::string_view text;
    bool pushed {};
    bool focused {};
    bool default_button {};
    bool enabled { true };
    bool multiline {};
    bool hide_access_keys {}; // the caption's "&" underlines nothing (DT_HIDEPREFIX)
};
// Face in COLOR_BTNFACE inside a raised edge (sunken and flat when pushed), a one-pixel
// COLOR_WINDOWFRAME ring first for the default button, the caption centred (one pixel down
// and right when pushed, embossed when disabled) and a focus rectangle 3 pixels inside the
// edge.
void paint_push_button(HDC dc, RECT const& rect, PushButtonLook const& look);

struct CheckButtonLook {
    std::string_view text;
    int check {}; // 0 unchecked, 1 checked, 2 indeterminate
    bool radio {};
    bool pushed {};
    bool focused {};
    bool enabled { true };
    bool left_text {};
    bool hide_access_keys {};
};
// A 13-pixel box (or circle for a radio button) vertically centred at the left (at the
// right with left_text), the caption 4 pixels beside it, a focus rectangle around the
// caption. The background is left to the caller (WM_CTLCOLORBTN's brush).
void paint_check_button(HDC dc, RECT const& rect, CheckButtonLook const& look);
constexpr int check_box_size = 13;

// An etched frame whose top runs through the middle of the caption's first line; the
// caption 8 pixels in from the left on the DC's background colour.
void paint_group_box(HDC dc, RECT const& rect, std::string_view text, bool enabled);

// Text in the DC's text colour, or embossed (COLOR_BTNHIGHLIGHT one pixel down and right,
// then COLOR_GRAYTEXT) when disabled. Transparent background.
void draw_control_text(HDC dc, RECT rect, std::string_view text, UINT format, bool enabled);

struct ProgressLook {
    int low {};
    int high { 100 };
    int position {};
    bool vertical {};
    bool smooth {};
    COLORREF bar {};        // CLR_DEFAULT: COLOR_HIGHLIGHT
    COLORREF background {}; // CLR_DEFAULT: COLOR_BTNFACE
};
// A sunken one-pixel frame (COLOR_BTNSHADOW / COLOR_BTNHIGHLIGHT) around the background;
// the filled part grows from the left (from the bottom when vertical) in proportion to
// position - low over high - low, as one block when smooth, else in blocks of two thirds of
// the inner height with a 2-pixel gap.
void paint_progress(HDC dc, RECT const& rect, ProgressLook const& look);

struct TrackbarLook {
    int min {};
    int max { 100 };
    int position {};
    bool vertical {};
    int tic_frequency {}; // 0: no tics
    bool focused {};
    bool enabled { true };
};
// Geometry shared by painting and hit-testing: the channel along the middle, and the thumb
// (11 x 21 pixels, or 21 x 11 when vertical) centred on the position.
RECT trackbar_channel(RECT const& rect, bool vertical);
RECT trackbar_thumb(RECT const& rect, TrackbarLook const& look);
// Position under a point along the channel, clamped to min..max.
int trackbar_position_at(RECT const& rect, TrackbarLook const& look, POINT point);
// Disabled: the tics in COLOR_GRAYTEXT and the thumb's face checkered with COLOR_BTNHIGHLIGHT.
void paint_trackbar(HDC dc, RECT const& rect, TrackbarLook const& look);

struct ScrollBarLook {
    bool vertical {};
    int min {};
    int max { 100 };
    int page {};
    int position {};
    bool enabled { true };
};
// Two arrow buttons (DrawFrameControl scroll arrows) at the ends, a dithered-grey track in
// COLOR_SCROLLBAR and a raised thumb sized by the page, placed by the position.
RECT scroll_thumb(RECT const& rect, ScrollBarLook const& look);
void paint_scroll_bar(HDC dc, RECT const& rect, ScrollBarLook const& look);

// The drop-down button of a combo box: a scroll-down arrow button.
void paint_drop_button(HDC dc, RECT const& rect, bool pushed, bool enabled);

}
