// The trackbar class: a thumb on a channel between a minimum and a maximum (0..100), moved
// by keys and the mouse, telling the parent by WM_HSCROLL (WM_VSCROLL with TBS_VERT) with
// the trackbar as lParam. TBM_SETPOS and the other setters never notify.
//
// | input                          | position                  | parent gets (low word, high word) |
// |--------------------------------|---------------------------|-----------------------------------|
// | Left or Up key                 | - line size (1)           | TB_LINEUP                         |
// | Right or Down key              | + line size               | TB_LINEDOWN                       |
// | Page Up / Page Down            | -/+ page size (20)        | TB_PAGEUP / TB_PAGEDOWN           |
// | Home / End                     | minimum / maximum         | TB_TOP / TB_BOTTOM                |
// | release of any of those keys   | unchanged                 | TB_ENDTRACK                       |
// | press on the thumb             | unchanged, captured       | nothing                           |
// | drag while captured            | under the pointer         | TB_THUMBTRACK, position           |
// | release after a drag           | unchanged                 | TB_THUMBPOSITION, position; then TB_ENDTRACK |
// | press on the channel before/after the thumb | -/+ page size | TB_PAGEUP / TB_PAGEDOWN; release: TB_ENDTRACK |
// Positions stay inside the range.
#pragma once

#include "platform/controls/BarMessages.h"
#include "platform/controls/Control.h"
#include "platform/controls/ControlPaint.h"

namespace platform::controls {

class Trackbar final : public Control {
public:
    explicit Trackbar(HWND hwnd);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    static void register_class();

private:
    TrackbarLook look() const;
    void paint(HDC dc) override;
    LRESULT on_key_down(WPARAM key);
    LRESULT on_key_up(WPARAM key);
    LRESULT on_button_down(LPARAM lparam);
    LRESULT on_mouse_move(LPARAM lparam);
    LRESULT on_button_up();
    void move_to(long long position);
    void send(WORD code, int position = 0) const;
    LRESULT set_range(int min, int max, bool redraw);

    int m_min {};
    int m_max { 100 };
    int m_position {};
    int m_line { 1 };
    int m_page { 20 };
    int m_tic_frequency { 1 };
    bool m_dragging {};
    bool m_paging {};
};

}
