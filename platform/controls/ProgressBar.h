// The progress bar class: a range (0..100 by default), a position kept inside it, a step
// (10) for PBM_STEPIT, which wraps to the low end past the high end, and bar and background
// colours (CLR_DEFAULT: the system colours). Every setter answers the previous value and
// repaints. Programs subclass it and answer some messages themselves.
#pragma once

#include "platform/controls/BarMessages.h"
#include "platform/controls/Control.h"

namespace platform::controls {

class ProgressBar final : public Control {
public:
    explicit ProgressBar(HWND hwnd);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    static void register_class();

private:
    void paint(HDC dc) override;
    LRESULT set_range(int low, int high);
    LRESULT set_position(long long position);

    int m_low {};
    int m_high { 100 };
    int m_position {};
    int m_step { 10 };
    COLORREF m_bar { CLR_DEFAULT };
    COLORREF m_background { CLR_DEFAULT };
};

}
