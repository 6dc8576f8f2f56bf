#include "platform/controls/ScrollBar.h"

#include <algorithm>

namespace platform::controls {

void ScrollState::apply(SCROLLINFO const& info)
{
    if (info.fMask & SIF_RANGE) {
        min = info.nMin;
        max = info.nMax;
    }
    if (info.fMask & SIF_PAGE)
        page = static_cast<int>(std::min<UINT>(info.nPage, 0x7FFFFFFF));
    long long range = std::max(0LL, static_cast<long long>(max) - min + 1);
    page = static_cast<int>(std::min<long long>(page, range));
    set_position((info.fMask & SIF_POS) ? info.nPos : position);
}

void ScrollState::fill(SCROLLINFO& info) const
{
    if (info.fMask & SIF_RANGE) {
        info.nMin = min;
        info.nMax = max;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = static_cast<UINT>(page);
    if (info.fMask & SIF_POS)
        info.nPos = position;
    if (info.fMask & SIF_TRACKPOS)
        info.nTrackPos = tracking ? track_position : position;
}

int ScrollState::last_position() const
{
    long long last = static_cast<long long>(max) - std::max(page - 1, 0);
    return static_cast<int>(std::max<long long>(last, min));
}

void ScrollState::set_position(int to)
{
    position = std::clamp(to, min, last_position());
    if (!tracking)
        track_position = position;
}

ScrollBarLook ScrollState::look(bool vertical, bool enabled) const
{
    return ScrollBarLook { vertical, min, max, page, tracking ? track_position : position, enabled };
}

ScrollPart scroll_part_at(RECT const& bar, ScrollBarLook const& look, POINT point)
{
    if (!PtInRect(&bar, point))
        return ScrollPart::None;
    int arrow = look.vertical ? bar.right - bar.left : bar.bottom - bar.top;
    int along = look.vertical ? point.y - bar.top : point.x - bar.left;
    int length = look.vertical ? bar.bottom - bar.top : bar.right - bar.left;
    if (along < arrow)
        return ScrollPart::LineUp;
    if (along >= length - arrow)
        return ScrollPart::LineDown;
    RECT thumb = scroll_thumb(bar, look);
    if (IsRectEmpty(&thumb))
        return ScrollPart::None;
    if (PtInRect(&thumb, point))
        return ScrollPart::Thumb;
    bool before = look.vertical ? point.y < thumb.top : point.x < thumb.left;
    return before ? ScrollPart::PageUp : ScrollPart::PageDown;
}

namespace {

// The position whose thumb starts at `start` pixels along the bar.
int position_at(RECT const& bar, ScrollState const& state, bool vertical, int start)
{
    ScrollBarLook look = state.look(vertical, true);
    look.position = look.min;
    RECT first = scroll_thumb(bar, look);
    look.position = state.last_position();
    RECT last = scroll_thumb(bar, look);
    int from = vertical ? first.top : first.left;
    int to = vertical ? last.top : last.left;
    if (to <= from)
        return state.min;
    long long positions = static_cast<long long>(state.last_position()) - state.min;
    long long offset = std::clamp(start - from, 0, to - from);
    return static_cast<int>(state.min + (offset * positions + (to - from) / 2) / (to - from));
}

}

void ScrollTrack::press(RECT const& bar, ScrollState& state, bool vertical, POINT point, Send const& send)
{
    ScrollBarLook look = state.look(vertical, true);
    m_part = scroll_part_at(bar, look, point);
    switch (m_part) {
    case ScrollPart::None:
        return;
    case ScrollPart::LineUp:
        send(SB_LINEUP, 0);
        return;
    case ScrollPart::LineDown:
        send(SB_LINEDOWN, 0);
        return;
    case ScrollPart::PageUp:
        send(SB_PAGEUP, 0);
        return;
    case ScrollPart::PageDown:
        send(SB_PAGEDOWN, 0);
        return;
    case ScrollPart::Thumb: {
        RECT thumb = scroll_thumb(bar, look);
        m_grab = vertical ? point.y - thumb.top : point.x - thumb.left;
        state.tracking = true;
        state.track_position = state.position;
        return;
    }
    }
}

bool ScrollTrack::move(RECT const& bar, ScrollState& state, bool vertical, POINT point, Send const& send)
{
    if (m_part != ScrollPart::Thumb)
        return false;
    int start = (vertical ? point.y : point.x) - m_grab;
    int next = position_at(bar, state, vertical, start);
    bool moved = next != state.track_position;
    state.track_position = next;
    send(SB_THUMBTRACK, next);
    return moved;
}

void ScrollTrack::release(ScrollState& state, Send const& send)
{
    ScrollPart part = m_part;
    m_part = ScrollPart::None;
    if (part == ScrollPart::None)
        return;
    if (part == ScrollPart::Thumb) {
        int at = state.track_position;
        state.tracking = false;
        send(SB_THUMBPOSITION, at);
        state.track_position = state.position;
    }
    send(SB_ENDSCROLL, 0);
}

ScrollBar::ScrollBar(HWND hwnd)
    : Control(hwnd)
{
    m_state.max = 100;
}

void ScrollBar::register_class()
{
    register_control<ScrollBar>("ScrollBar", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
}

LRESULT ScrollBar::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    auto sender = [this](WORD code, int position) { send(code, position); };
    POINT p { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(hwnd());
        m_track.press(client_rect(), m_state, vertical(), p, sender);
        invalidate();
        return 0;
    case WM_MOUSEMOVE:
        if (m_track.move(client_rect(), m_state, vertical(), p, sender))
            invalidate();
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd())
            ReleaseCapture();
        m_track.release(m_state, sender);
        invalidate();
        return 0;
    case WM_CAPTURECHANGED:
        if (m_track.active())
            m_track.release(m_state, sender);
        return 0;
    case WM_KEYDOWN:
        return on_key(wparam, true);
    case WM_KEYUP:
        return on_key(wparam, false);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case SBM_SETPOS: {
        int old = m_state.position;
        m_state.set_position(static_cast<int>(wparam));
        if (lparam)
            invalidate();
        return old;
    }
    case SBM_GETPOS:
        return m_state.position;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
        return on_set_range(static_cast<int>(wparam), static_cast<int>(lparam), message == SBM_SETRANGEREDRAW);
    case SBM_GETRANGE:
        if (wparam)
            *reinterpret_cast<int*>(wparam) = m_state.min;
        if (lparam)
            *reinterpret_cast<int*>(lparam) = m_state.max;
        return 0;
    case SBM_SETSCROLLINFO:
        return on_set_info(reinterpret_cast<SCROLLINFO const*>(lparam), wparam != 0);
    case SBM_GETSCROLLINFO:
        return on_get_info(reinterpret_cast<SCROLLINFO*>(lparam));
    }
    return default_handling(message, wparam, lparam);
}

void ScrollBar::send(WORD code, int position) const
{
    if (HWND p = parent())
        SendMessage(p, vertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(position)), reinterpret_cast<LPARAM>(hwnd()));
}

LRESULT ScrollBar::on_key(WPARAM key, bool down)
{
    WORD code = 0;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        code = SB_LINEUP;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        code = SB_LINEDOWN;
        break;
    case VK_PRIOR:
        code = SB_PAGEUP;
        break;
    case VK_NEXT:
        code = SB_PAGEDOWN;
        break;
    case VK_HOME:
        code = SB_TOP;
        break;
    case VK_END:
        code = SB_BOTTOM;
        break;
    default:
        return 0;
    }
    send(down ? code : SB_ENDSCROLL, 0);
    return 0;
}

LRESULT ScrollBar::on_set_info(SCROLLINFO const* info, bool redraw)
{
    if (!info)
        return m_state.position;
    m_state.apply(*info);
    if (redraw)
        invalidate();
    return m_state.position;
}

LRESULT ScrollBar::on_get_info(SCROLLINFO* info) const
{
    if (!info)
        return FALSE;
    m_state.fill(*info);
    return TRUE;
}

LRESULT ScrollBar::on_set_range(int min, int max, bool redraw)
{
    int old = m_state.position;
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_RANGE, min, max, 0, 0, 0 };
    m_state.apply(info);
    if (redraw)
        invalidate();
    return old;
}

void ScrollBar::paint(HDC dc)
{
    paint_scroll_bar(dc, client_rect(), m_state.look(vertical(), enabled()));
}

}
