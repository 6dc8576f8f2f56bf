// Scroll bars: the range and position a bar keeps (ScrollState), the mouse on one bar
// (ScrollTrack, shared by the "ScrollBar" control and the bars of WS_HSCROLL / WS_VSCROLL
// windows) and the "ScrollBar" control class. A bar never moves its own position on user
// action: it tells its owner, which answers with SetScrollPos / SetScrollInfo.
//
// | input                                    | bar                     | owner gets (low word, high word) |
// |------------------------------------------|-------------------------|----------------------------------|
// | press on the first / last arrow          | captured                | SB_LINEUP / SB_LINEDOWN          |
// | press on the track before / after thumb  | captured                | SB_PAGEUP / SB_PAGEDOWN          |
// | press on the thumb                       | captured, thumb grabbed | nothing                          |
// | move while the thumb is grabbed          | thumb under the pointer | SB_THUMBTRACK, track position    |
// | release after grabbing the thumb         | released                | SB_THUMBPOSITION, track position; then SB_ENDSCROLL |
// | release after an arrow or track press    | released                | SB_ENDSCROLL                     |
// | Up/Left, Down/Right key (control only)   |                         | SB_LINEUP / SB_LINEDOWN          |
// | Page Up / Page Down, Home / End          |                         | SB_PAGEUP / SB_PAGEDOWN, SB_TOP / SB_BOTTOM |
// | release of any of those keys             |                         | SB_ENDSCROLL                     |
// Messages and SetScrollInfo never notify. FIXME: a held arrow does not repeat.
#pragma once

#include "platform/controls/Control.h"
#include "platform/controls/ControlPaint.h"
#include "platform/controls/ScrollMessages.h"

#include <functional>

namespace platform::controls {

struct ScrollState {
    int min {};
    int max { 100 };
    int page {};
    int position {};
    int track_position {};
    bool tracking {};

    // Applies the fields SCROLLINFO's mask names, then keeps page and position valid.
    void apply(SCROLLINFO const& info);
    void fill(SCROLLINFO& info) const;
    void set_position(int position);
    int last_position() const;
    ScrollBarLook look(bool vertical, bool enabled) const;
};

enum class ScrollPart {
    None,
    LineUp,
    PageUp,
    Thumb,
    PageDown,
    LineDown,
};
ScrollPart scroll_part_at(RECT const& bar, ScrollBarLook const& look, POINT point);

class ScrollTrack {
public:
    using Send = std::function<void(WORD code, int position)>;
    // `bar` and the points share one coordinate system.
    void press(RECT const& bar, ScrollState& state, bool vertical, POINT point, Send const& send);
    // True when the thumb moved.
    bool move(RECT const& bar, ScrollState& state, bool vertical, POINT point, Send const& send);
    void release(ScrollState& state, Send const& send);
    bool active() const { return m_part != ScrollPart::None; }

private:
    ScrollPart m_part { ScrollPart::None };
    int m_grab {}; // pixels from the thumb's start to the pointer when grabbed
};

class ScrollBar final : public Control {
public:
    explicit ScrollBar(HWND hwnd);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    static void register_class();

private:
    bool vertical() const { return (style() & SBS_VERT) != 0; }
    void paint(HDC dc) override;
    void send(WORD code, int position) const;
    LRESULT on_key(WPARAM key, bool down);
    LRESULT on_set_info(SCROLLINFO const* info, bool redraw);
    LRESULT on_get_info(SCROLLINFO* info) const;
    LRESULT on_set_range(int min, int max, bool redraw);

    ScrollState m_state;
    ScrollTrack m_track;
};

}
