#include "platform/controls/WindowScrollBars.h"

#include "platform/controls/ScrollBar.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/WindowCore.h"

#include <map>

namespace platform::controls {

namespace {

struct Bars {
    ScrollState horizontal;
    ScrollState vertical;
    ScrollTrack track;
    bool tracking_vertical {};

    ScrollState& of(bool v) { return v ? vertical : horizontal; }
};

// Keyed by handle: handles carry a generation, so a dead window's entry never matches a new
// window; dead entries are swept when the table grows.
std::map<HWND, Bars>& table()
{
    static std::map<HWND, Bars> bars;
    return bars;
}

Bars& bars_of(HWND hwnd)
{
    auto& t = table();
    if (t.size() >= 64 && !t.contains(hwnd))
        std::erase_if(t, [](auto const& entry) { return !IsWindow(entry.first); });
    return t[hwnd];
}

bool is_window_bar(int bar)
{
    return bar == SB_HORZ || bar == SB_VERT;
}

POINT in_window(HWND hwnd, POINT screen)
{
    RECT r {};
    GetWindowRect(hwnd, &r);
    return POINT { screen.x - r.left, screen.y - r.top };
}

void scroll_mouse(HWND hwnd, UINT message, WPARAM hit, POINT screen)
{
    Bars& bars = bars_of(hwnd);
    bool vertical = message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK
        ? hit == static_cast<WPARAM>(HTVSCROLL) : bars.tracking_vertical;
    UINT scroll_message = vertical ? WM_VSCROLL : WM_HSCROLL;
    auto send = [&](WORD code, int position) { SendMessage(hwnd, scroll_message, MAKEWPARAM(code, static_cast<WORD>(position)), 0); };
    RECT bar = user::scroll_bar_rect(hwnd, vertical);
    POINT p = in_window(hwnd, screen);
    switch (message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        bars.tracking_vertical = vertical;
        SetCapture(hwnd);
        user::set_capture_hit(static_cast<LRESULT>(hit));
        bars.track.press(bar, bars.of(vertical), vertical, p, send);
        break;
    case WM_NCMOUSEMOVE:
        if (!bars.track.move(bar, bars.of(vertical), vertical, p, send))
            return;
        break;
    case WM_NCLBUTTONUP:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        if (IsWindow(hwnd))
            bars_of(hwnd).track.release(bars_of(hwnd).of(vertical), send);
        break;
    default:
        return;
    }
    if (IsWindow(hwnd))
        paint_window_scroll_bars(hwnd);
}

int set_info(HWND hwnd, int bar, SCROLLINFO const* info, BOOL redraw)
{
    if (!info || !IsWindow(hwnd))
        return 0;
    if (bar == SB_CTL)
        return static_cast<int>(SendMessage(hwnd, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw), reinterpret_cast<LPARAM>(info)));
    if (!is_window_bar(bar))
        return 0;
    ScrollState& state = bars_of(hwnd).of(bar == SB_VERT);
    state.apply(*info);
    // A window with a paint pending gets its bars drawn by that paint (BeginPaint draws them),
    // so a list that grows row by row draws them once, not once per row.
    if (redraw && !GetUpdateRect(hwnd, nullptr, FALSE))
        paint_window_scroll_bars(hwnd);
    return state.position;
}

}

void paint_window_scroll_bars(HWND hwnd)
{
    auto style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    if (!(style & (WS_HSCROLL | WS_VSCROLL)) || !IsWindowVisible(hwnd))
        return;
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return;
    Bars& bars = bars_of(hwnd);
    bool enabled = IsWindowEnabled(hwnd) != FALSE;
    RECT v = user::scroll_bar_rect(hwnd, true);
    RECT h = user::scroll_bar_rect(hwnd, false);
    if (!IsRectEmpty(&v))
        paint_scroll_bar(dc, v, bars.vertical.look(true, enabled));
    if (!IsRectEmpty(&h))
        paint_scroll_bar(dc, h, bars.horizontal.look(false, enabled));
    if (!IsRectEmpty(&v) && !IsRectEmpty(&h)) {
        RECT corner { v.left, h.top, v.right, h.bottom };
        FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
    ReleaseDC(hwnd, dc);
}

void install_window_scroll_bars()
{
    user::set_scroll_bar_hooks(user::ScrollBarHooks { paint_window_scroll_bars, scroll_mouse });
}

}

using namespace platform::controls;

extern "C" {

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    return set_info(hwnd, bar, info, redraw);
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    if (!info || !IsWindow(hwnd))
        return FALSE;
    if (bar == SB_CTL)
        return static_cast<BOOL>(SendMessage(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
    if (!is_window_bar(bar))
        return FALSE;
    bars_of(hwnd).of(bar == SB_VERT).fill(*info);
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw)
{
    int old = GetScrollPos(hwnd, bar);
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position, 0 };
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar)
{
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0 };
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw)
{
    if (!IsWindow(hwnd))
        return FALSE;
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_RANGE, min, max, 0, 0, 0 };
    SetScrollInfo(hwnd, bar, &info, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max)
{
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0 };
    if (!GetScrollInfo(hwnd, bar, &info))
        return FALSE;
    if (min)
        *min = info.nMin;
    if (max)
        *max = info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    if (!IsWindow(hwnd))
        return FALSE;
    if (bar == SB_CTL) {
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    DWORD bits = bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : bar == SB_BOTH ? WS_HSCROLL | WS_VSCROLL : 0;
    auto style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    DWORD next = show ? style | bits : style & ~bits;
    if (next == style)
        return TRUE;
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(next));
    // The client area changed size: the window hears of it and repaints.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

}
