// The "Static" class: text (left with word wrap, centred, right, left without wrapping,
// simple), icons and bitmaps (STM_SETICON, STM_SETIMAGE), filled and framed rectangles,
// etched lines and frames, SS_SUNKEN, and owner-drawn statics. Colours come from the
// parent's WM_CTLCOLORSTATIC. A static is transparent to the mouse (WM_NCHITTEST answers
// HTTRANSPARENT) unless it has SS_NOTIFY; then a click sends STN_CLICKED and a double click
// STN_DBLCLK. Text is clipped to the client area: lines that do not fit are cut.
#pragma once

#include "platform/controls/Control.h"

namespace platform::controls {

class Static final : public Control {
public:
    explicit Static(HWND hwnd);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    static void register_class();

    // DrawText flags for a text style.
    static UINT text_format(DWORD style);

private:
    void paint(HDC dc) override;
    void paint_image(HDC dc, RECT const& r);
    void paint_shape(HDC dc, RECT const& r, DWORD type);
    LRESULT set_image(WPARAM type, HANDLE image);
    DWORD type() const { return style() & SS_TYPEMASK; }

    HANDLE m_image {};
    bool m_image_is_icon {};
};

}
