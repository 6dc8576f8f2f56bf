// Scrolling of the list view: the top row and the horizontal offset, kept within the rows and
// the columns, and the window's own bars that show them and move them. The vertical bar counts
// rows (page = rows per page, position = top row); the horizontal one counts pixels.
#include "platform/controls/common/ListViewControl.h"

#include "platform/controls/ScrollMessages.h"

#include <algorithm>

namespace platform::commctrl {

namespace {

constexpr int kHorizontalLine = 10;

}

void ListViewControl::scroll_to(int top, int x)
{
    bool bars_changed = show_scroll_bars();
    if (dead())
        return;
    int last_top = std::max(0, count() - std::max(count_per_page(), 1));
    top = std::clamp(top, 0, last_top);
    RECT client {};
    GetClientRect(m_hwnd, &client);
    int total = header().total_width();
    int max_x = (style() & LVS_NOSCROLL) ? 0 : std::max(0, total - static_cast<int>(client.right));
    x = std::clamp(x, 0, max_x);
    bool moved = top != m_top || x != m_scroll_x;
    m_top = top;
    m_scroll_x = x;
    set_scroll_bars();
    if (!moved && !bars_changed)
        return;
    layout_header();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ListViewControl::ensure_visible(int item)
{
    if (item < 0 || item >= count())
        return;
    int page = std::max(count_per_page(), 1);
    if (item < m_top)
        scroll_to(item, m_scroll_x);
    else if (item >= m_top + page)
        scroll_to(item - page + 1, m_scroll_x);
}

// The bars the list needs follow from the rows, the columns and the window's size without
// bars. One bar takes room from the other direction and can make the other one needed, hence
// two rounds. LVS_NOSCROLL keeps both away. Answers whether a bar came or went.
bool ListViewControl::show_scroll_bars()
{
    DWORD before = style();
    int bar = GetSystemMetrics(SM_CXVSCROLL);
    RECT client {};
    GetClientRect(m_hwnd, &client);
    int width = static_cast<int>(client.right) + ((before & WS_VSCROLL) ? bar : 0);
    int height = static_cast<int>(client.bottom) + ((before & WS_HSCROLL) ? bar : 0) - header_bottom();
    bool vertical = false;
    bool horizontal = false;
    if (!(before & LVS_NOSCROLL)) {
        for (int round = 0; round < 2; ++round) {
            horizontal = !m_refuses_horizontal_bar && header().total_width() > width - (vertical ? bar : 0);
            vertical = count() > (height - (horizontal ? bar : 0)) / std::max(row_height(), 1);
        }
    }
    ShowScrollBar(m_hwnd, SB_VERT, vertical);
    if (dead())
        return true;
    ShowScrollBar(m_hwnd, SB_HORZ, horizontal);
    if (dead())
        return true;
    if (horizontal && !(before & WS_HSCROLL)) {
        // A window that wants no horizontal bar drops WS_HSCROLL while its frame is measured
        // (ShowScrollBar's SWP_FRAMECHANGED); it then keeps none for good, and the vertical
        // bar is decided again without it.
        if (!(style() & WS_HSCROLL)) {
            m_refuses_horizontal_bar = true;
            show_scroll_bars();
        }
    }
    return ((before ^ style()) & (WS_HSCROLL | WS_VSCROLL)) != 0;
}

void ListViewControl::set_scroll_bars()
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    SCROLLINFO rows { sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(count() - 1, 0),
        static_cast<UINT>(count_per_page()), m_top, 0 };
    SetScrollInfo(m_hwnd, SB_VERT, &rows, TRUE);
    SCROLLINFO pixels { sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(header().total_width() - 1, 0),
        static_cast<UINT>(std::max<LONG>(client.right, 0)), m_scroll_x, 0 };
    SetScrollInfo(m_hwnd, SB_HORZ, &pixels, TRUE);
}

// For a count change that must not scroll: the bars follow, the rows stay where they are.
void ListViewControl::update_scroll_bars()
{
    bool changed = show_scroll_bars();
    if (dead())
        return;
    set_scroll_bars();
    if (changed)
        layout_header();
}

// The message's position has 16 bits; a drag on the list's own bar also leaves the full
// track position in the bar, which is used when it agrees with those 16 bits.
void ListViewControl::on_scroll(bool vertical, int code, int position)
{
    int bar = vertical ? SB_VERT : SB_HORZ;
    RECT client {};
    GetClientRect(m_hwnd, &client);
    int page = vertical ? std::max(count_per_page(), 1) : std::max<int>(client.right, kHorizontalLine);
    int line = vertical ? 1 : kHorizontalLine;
    int current = vertical ? m_top : m_scroll_x;
    int target = current;
    switch (code) {
    case SB_LINEUP: target = current - line; break;
    case SB_LINEDOWN: target = current + line; break;
    case SB_PAGEUP: target = current - page; break;
    case SB_PAGEDOWN: target = current + page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info { sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0 };
        bool full = GetScrollInfo(m_hwnd, bar, &info) && (info.nTrackPos & 0xFFFF) == (position & 0xFFFF);
        target = full ? info.nTrackPos : position;
        break;
    }
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = vertical ? count() : 1 << 20; break;
    default: return;
    }
    if (vertical)
        scroll_to(target, m_scroll_x);
    else
        scroll_to(m_top, target);
}

}
