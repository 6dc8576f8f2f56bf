// Keyboard and mouse handling of the list view, following the table in ListViewControl.h.
#include "platform/controls/common/ListViewControl.h"

#include "platform/user/Input.h"

#include <algorithm>
#include <utility>
#include <cctype>
#include <strings.h>

namespace platform::commctrl {

namespace {

constexpr DWORD kTypeAheadMs = 1000;
constexpr int kHorizontalLine = 10;

bool key_down(int key)
{
    return GetKeyState(key) < 0;
}

}

void ListViewControl::select_only(int item)
{
    for (int i = next_item(-1, LVNI_SELECTED); i >= 0; i = next_item(i, LVNI_SELECTED)) {
        if (i != item)
            set_state(i, 0, LVIS_SELECTED);
    }
    if (item >= 0)
        set_state(item, LVIS_SELECTED, LVIS_SELECTED);
}

void ListViewControl::select_range(int from, int to)
{
    if (from < 0 || (style() & LVS_SINGLESEL)) {
        select_only(to);
        return;
    }
    int low = std::min(from, to);
    int high = std::max(from, to);
    for (int i = next_item(-1, LVNI_SELECTED); i >= 0; i = next_item(i, LVNI_SELECTED)) {
        if (i < low || i > high)
            set_state(i, 0, LVIS_SELECTED);
    }
    for (int i = low; i <= high; ++i)
        set_state(i, LVIS_SELECTED, LVIS_SELECTED);
}

void ListViewControl::move_focus(int item, bool ctrl, bool shift)
{
    if (count() == 0)
        return;
    item = std::clamp(item, 0, count() - 1);
    if (shift)
        select_range(m_anchor, item);
    else if (!ctrl) {
        select_only(item);
        m_anchor = item;
    }
    set_state(item, LVIS_FOCUSED, LVIS_FOCUSED);
    ensure_visible(item);
}

void ListViewControl::on_key_down(int key)
{
    NMLVKEYDOWN nm {};
    nm.wVKey = static_cast<WORD>(key);
    notify(LVN_KEYDOWN, nm.hdr);
    if (dead())
        return;
    bool ctrl = key_down(VK_CONTROL);
    bool shift = key_down(VK_SHIFT);
    int page = std::max(count_per_page(), 1);
    int focus = m_focus;
    switch (key) {
    case VK_UP:
        move_focus(focus < 0 ? 0 : focus - 1, ctrl, shift);
        break;
    case VK_DOWN:
        move_focus(focus < 0 ? 0 : focus + 1, ctrl, shift);
        break;
    case VK_HOME:
        move_focus(0, ctrl, shift);
        break;
    case VK_END:
        move_focus(count() - 1, ctrl, shift);
        break;
    case VK_PRIOR: // to the top of the page, or a page up when already there
        move_focus(focus > m_top ? m_top : focus - page + 1, ctrl, shift);
        break;
    case VK_NEXT: {
        int bottom = m_top + page - 1;
        move_focus(focus >= 0 && focus < bottom ? bottom : focus + page - 1, ctrl, shift);
        break;
    }
    case VK_SPACE:
        if (focus >= 0) {
            bool selected = m_states[static_cast<std::size_t>(focus)] & LVIS_SELECTED;
            set_state(focus, ctrl && selected ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        }
        break;
    case VK_LEFT:
        scroll_to(m_top, m_scroll_x - kHorizontalLine);
        break;
    case VK_RIGHT:
        scroll_to(m_top, m_scroll_x + kHorizontalLine);
        break;
    default:
        break;
    }
}

// Type-ahead: characters typed within a second of each other make one prefix; the search
// starts after the focused item for a new prefix, at it for a longer one, and wraps.
void ListViewControl::on_char(char ch)
{
    if (static_cast<unsigned char>(ch) < 0x20 || count() == 0)
        return;
    DWORD now = GetTickCount();
    bool continued = !m_search.empty() && now - m_search_time <= kTypeAheadMs;
    m_search = continued ? m_search + ch : std::string(1, ch);
    m_search_time = now;
    int start = m_focus < 0 ? 0 : (continued ? m_focus : m_focus + 1);
    if (start >= count())
        start = 0;
    int found = -1;
    if (owner_data()) {
        NMLVFINDITEM nm {};
        nm.iStart = start;
        nm.lvfi.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
        nm.lvfi.psz = m_search.c_str();
        found = static_cast<int>(notify(LVN_ODFINDITEM, nm.hdr));
    } else {
        found = find_prefix(m_search, start);
    }
    if (found >= 0 && found < count() && !dead())
        move_focus(found, false, false);
}

int ListViewControl::find_prefix(std::string const& prefix, int start)
{
    for (int n = 0; n < count(); ++n) {
        int i = (start + n) % count();
        std::string text = text_of(i, 0);
        if (text.size() >= prefix.size() && strncasecmp(text.c_str(), prefix.c_str(), prefix.size()) == 0)
            return i;
    }
    return -1;
}

void ListViewControl::on_button_down(POINT pt, bool right, bool double_click)
{
    if (GetFocus() != m_hwnd)
        SetFocus(m_hwnd);
    LVHITTESTINFO hit { pt, 0, -1, -1 };
    int item = hit_test(hit);
    bool ctrl = key_down(VK_CONTROL);
    bool shift = key_down(VK_SHIFT);
    if (item >= 0) {
        bool selected = m_states[static_cast<std::size_t>(item)] & LVIS_SELECTED;
        if (right && selected) {
            set_state(item, LVIS_FOCUSED, LVIS_FOCUSED);
        } else if (ctrl && !right && !(style() & LVS_SINGLESEL)) {
            set_state(item, selected ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            set_state(item, LVIS_FOCUSED, LVIS_FOCUSED);
            m_anchor = item;
        } else {
            move_focus(item, false, shift && !right);
        }
    } else if (!ctrl) {
        select_only(-1);
    }
    if (dead())
        return;
    if (double_click) {
        notify_click(NM_DBLCLK, pt);
        return;
    }
    m_press = pt;
    m_press_button = right ? 1 : 0;
    SetCapture(m_hwnd);
}

void ListViewControl::on_button_up(POINT pt, bool right)
{
    if (m_press_button != (right ? 1 : 0))
        return;
    m_press_button = -1;
    if (GetCapture() == m_hwnd)
        ReleaseCapture();
    RECT client {};
    GetClientRect(m_hwnd, &client);
    if (pt.x >= 0 && pt.y >= 0 && pt.x < client.right && pt.y < client.bottom)
        notify_click(right ? NM_RCLICK : NM_CLICK, m_press);
}

void ListViewControl::notify_click(UINT code, POINT pt)
{
    LVHITTESTINFO hit { pt, 0, -1, -1 };
    NMITEMACTIVATE nm {};
    nm.iItem = hit_test(hit);
    nm.iSubItem = nm.iItem >= 0 ? hit.iSubItem : -1;
    nm.ptAction = pt;
    nm.uKeyFlags = (key_down(VK_CONTROL) ? 0x0001u : 0u) | (key_down(VK_SHIFT) ? 0x0002u : 0u);
    notify(code, nm.hdr);
}

// The hot item follows the pointer; with LVS_EX_TRACKSELECT it is also selected unless the
// parent answers LVN_HOTTRACK with a non-zero value.
void ListViewControl::on_mouse_move(POINT pt)
{
    LVHITTESTINFO hit { pt, 0, -1, -1 };
    int item = hit_test(hit);
    if (item == m_hot)
        return;
    NMLISTVIEW nm {};
    nm.iItem = item;
    nm.iSubItem = hit.iSubItem;
    nm.ptAction = pt;
    LRESULT refused = notify(LVN_HOTTRACK, nm.hdr);
    if (dead())
        return;
    int old = std::exchange(m_hot, item);
    for (int changed : { old, item }) {
        if (changed >= 0 && changed < count()) {
            RECT r = row_rect(changed);
            InvalidateRect(m_hwnd, &r, FALSE);
        }
    }
    if (!refused && item >= 0 && (m_ex_style & LVS_EX_TRACKSELECT))
        move_focus(item, false, false);
}

}
