#include "platform/controls/ListBox.h"

#include "platform/controls/ControlPaint.h"
#include "platform/controls/ScrollMessages.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace platform::controls {

namespace {

bool equal_nocase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool less_nocase(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

}

int find_item(std::vector<std::string> const& texts, int start, std::string_view text, bool exact)
{
    int n = static_cast<int>(texts.size());
    if (n == 0)
        return -1;
    int first = (start < 0 || start >= n) ? 0 : start + 1;
    for (int step = 0; step < n; ++step) {
        std::string const& item = texts[static_cast<size_t>((first + step) % n)];
        bool hit = exact ? equal_nocase(item, text) : (item.size() >= text.size() && equal_nocase(std::string_view(item).substr(0, text.size()), text));
        if (hit)
            return (first + step) % n;
    }
    return -1;
}

ListBox::ListBox(HWND hwnd)
    : Control(hwnd)
{
}

void ListBox::register_class()
{
    register_control<ListBox>("ListBox", CS_DBLCLKS);
    register_control<ListBox>("ComboLBox", CS_DBLCLKS);
}

bool ListBox::owner_draw() const
{
    return (style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

bool ListBox::has_strings() const
{
    return !owner_draw() || (style() & LBS_HASSTRINGS);
}

bool ListBox::notifies() const
{
    return m_combo || (style() & LBS_NOTIFY);
}

HWND ListBox::owner_window() const
{
    return m_combo ? GetParent(m_combo) : parent();
}

UINT ListBox::owner_id() const
{
    return static_cast<UINT>(GetDlgCtrlID(m_combo ? m_combo : hwnd()));
}

LRESULT ListBox::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message >= LB_ADDSTRING && message <= LB_FINDSTRINGEXACT)
        return dispatch_items(message, wparam, lparam);
    return dispatch_view(message, wparam, lparam);
}

LRESULT ListBox::dispatch_items(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case LB_ADDSTRING:
        return insert(-1, lparam);
    case LB_INSERTSTRING:
        return insert(static_cast<int>(wparam), lparam);
    case LB_DELETESTRING:
        return erase(wparam);
    case LB_RESETCONTENT:
        return reset();
    case LB_GETCOUNT:
        return count();
    case LB_GETTEXT:
        return get_text(wparam, reinterpret_cast<LPSTR>(lparam));
    case LB_GETTEXTLEN:
        if (!valid(wparam))
            return LB_ERR;
        return has_strings() ? static_cast<LRESULT>(m_items[wparam].text.size()) : static_cast<LRESULT>(sizeof(ULONG_PTR));
    case LB_GETITEMDATA:
        return valid(wparam) ? static_cast<LRESULT>(m_items[wparam].data) : LB_ERR;
    case LB_SETITEMDATA:
        if (!valid(wparam))
            return LB_ERR;
        m_items[wparam].data = static_cast<ULONG_PTR>(lparam);
        return LB_OKAY;
    case LB_SETCURSEL:
        return set_cur_sel(wparam);
    case LB_GETCURSEL:
        return m_selection;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        return find(wparam, reinterpret_cast<LPCSTR>(lparam), message == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
        LRESULT found = find(wparam, reinterpret_cast<LPCSTR>(lparam), false);
        if (found != LB_ERR)
            set_cur_sel(static_cast<WPARAM>(found));
        return found;
    }
    case LB_GETTOPINDEX:
        return m_top;
    case LB_SETTOPINDEX:
        return valid(wparam) ? set_top(static_cast<int>(wparam)) : LB_ERR;
    case LB_GETITEMRECT:
        if (!valid(wparam) || !lparam)
            return LB_ERR;
        *reinterpret_cast<RECT*>(lparam) = item_rect(static_cast<int>(wparam));
        return LB_OKAY;
    case LB_SETITEMHEIGHT:
        return set_item_height(wparam, lparam);
    case LB_GETITEMHEIGHT:
        return item_height((style() & LBS_OWNERDRAWVARIABLE) ? static_cast<int>(wparam) : 0);
    }
    return default_handling(message, wparam, lparam);
}

LRESULT ListBox::dispatch_view(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        if (auto const* cs = reinterpret_cast<CREATESTRUCT const*>(lparam); cs && cs->lpszClass && std::strcmp(cs->lpszClass, "ComboLBox") == 0)
            m_combo = static_cast<HWND>(cs->lpCreateParams);
        return on_create();
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return on_button_down(lparam, message == WM_LBUTTONDBLCLK);
    case WM_MOUSEMOVE:
        return on_mouse_move(lparam);
    case WM_LBUTTONUP:
        m_tracking = false;
        if (GetCapture() == hwnd())
            ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        m_tracking = false;
        return 0;
    case WM_KEYDOWN:
        return on_key_down(wparam);
    case WM_MOUSEWHEEL:
        return set_top(m_top - static_cast<short>(HIWORD(wparam)) / WHEEL_DELTA * 3);
    case WM_VSCROLL:
        return on_scroll(wparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        invalidate();
        notify_owner(message == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SIZE:
        sync_scroll_bar();
        return 0;
    case WM_DESTROY:
        reset();
        return 0;
    }
    return default_handling(message, wparam, lparam);
}

LRESULT ListBox::on_create()
{
    if (style() & LBS_OWNERDRAWFIXED)
        m_height = std::max(1, measure(0));
    sync_scroll_bar();
    return 0;
}

int ListBox::measure(int index) const
{
    MEASUREITEMSTRUCT mis { m_combo ? ODT_COMBOBOX : ODT_LISTBOX, owner_id(), static_cast<UINT>(index), 0,
        static_cast<UINT>(m_height), valid(static_cast<WPARAM>(index)) ? m_items[static_cast<size_t>(index)].data : 0 };
    if (HWND owner = owner_window())
        SendMessage(owner, WM_MEASUREITEM, owner_id(), reinterpret_cast<LPARAM>(&mis));
    return static_cast<int>(mis.itemHeight);
}

LRESULT ListBox::insert(int index, LPARAM lparam)
{
    Item item;
    if (has_strings())
        item.text = lparam ? reinterpret_cast<LPCSTR>(lparam) : "";
    else
        item.data = static_cast<ULONG_PTR>(lparam);
    if (index < -1 || index > count())
        return LB_ERR;
    if (index == -1) {
        index = count();
        if ((style() & LBS_SORT) && has_strings()) {
            auto at = std::upper_bound(m_items.begin(), m_items.end(), item.text, [](std::string const& t, Item const& i) { return less_nocase(t, i.text); });
            index = static_cast<int>(at - m_items.begin());
        }
    }
    m_items.insert(m_items.begin() + index, item);
    if (m_selection >= index)
        ++m_selection;
    if (style() & LBS_OWNERDRAWVARIABLE)
        m_items[static_cast<size_t>(index)].height = std::max(1, measure(index));
    sync_scroll_bar();
    invalidate();
    return index;
}

void ListBox::send_delete(int index)
{
    if (!owner_draw())
        return;
    HWND owner = owner_window();
    if (!owner || !IsWindow(owner))
        return;
    DELETEITEMSTRUCT dis { m_combo ? ODT_COMBOBOX : ODT_LISTBOX, owner_id(), static_cast<UINT>(index), m_combo ? m_combo : hwnd(),
        m_items[static_cast<size_t>(index)].data };
    SendMessage(owner, WM_DELETEITEM, owner_id(), reinterpret_cast<LPARAM>(&dis));
}

LRESULT ListBox::erase(WPARAM index)
{
    if (!valid(index))
        return LB_ERR;
    int i = static_cast<int>(index);
    send_delete(i);
    if (!valid(index)) // the owner changed the list while told
        return count();
    m_items.erase(m_items.begin() + i);
    if (m_selection == i)
        m_selection = -1;
    else if (m_selection > i)
        --m_selection;
    m_top = std::clamp(m_top, 0, std::max(0, count() - 1));
    sync_scroll_bar();
    invalidate();
    return count();
}

LRESULT ListBox::reset()
{
    // Items are told about last to first, and each is gone before the next is told.
    while (!m_items.empty()) {
        send_delete(count() - 1);
        if (!m_items.empty())
            m_items.pop_back();
    }
    m_selection = -1;
    m_top = 0;
    if (IsWindow(hwnd())) {
        sync_scroll_bar();
        invalidate();
    }
    return LB_OKAY;
}

LRESULT ListBox::get_text(WPARAM index, LPSTR buffer) const
{
    if (!valid(index) || !buffer)
        return LB_ERR;
    Item const& item = m_items[index];
    if (!has_strings()) {
        std::memcpy(buffer, &item.data, sizeof(item.data));
        return sizeof(item.data);
    }
    // The caller's buffer holds LB_GETTEXTLEN + 1 characters, as the message's contract says.
    std::memcpy(buffer, item.text.c_str(), item.text.size() + 1);
    return static_cast<LRESULT>(item.text.size());
}

LRESULT ListBox::find(WPARAM start, LPCSTR text, bool exact) const
{
    if (!has_strings()) {
        for (int i = 0; i < count(); ++i) {
            if (m_items[static_cast<size_t>(i)].data == reinterpret_cast<ULONG_PTR>(text))
                return i;
        }
        return LB_ERR;
    }
    std::vector<std::string> texts;
    texts.reserve(m_items.size());
    for (auto const& item : m_items)
        texts.push_back(item.text);
    int found = find_item(texts, static_cast<int>(start), text ? text : "", exact);
    return found < 0 ? LB_ERR : found;
}

LRESULT ListBox::set_cur_sel(WPARAM index)
{
    int next = valid(index) ? static_cast<int>(index) : -1;
    if (next != m_selection) {
        m_selection = next;
        invalidate();
    }
    if (next >= 0)
        ensure_visible(next);
    return next < 0 ? LB_ERR : next;
}

LRESULT ListBox::set_item_height(WPARAM index, LPARAM height)
{
    int h = static_cast<int>(LOWORD(height));
    if (h <= 0 || h > 255)
        return LB_ERR;
    if (style() & LBS_OWNERDRAWVARIABLE) {
        if (!valid(index))
            return LB_ERR;
        m_items[index].height = h;
    } else {
        m_height = h;
    }
    sync_scroll_bar();
    invalidate();
    return LB_OKAY;
}

int ListBox::item_height(int index) const
{
    if ((style() & LBS_OWNERDRAWVARIABLE) && index >= 0 && index < count())
        return m_items[static_cast<size_t>(index)].height;
    return m_height;
}

RECT ListBox::item_rect(int index) const
{
    RECT c = client_rect();
    int y = 0;
    if (index >= m_top) {
        for (int i = m_top; i < index; ++i)
            y += item_height(i);
    } else {
        for (int i = index; i < m_top; ++i)
            y -= item_height(i);
    }
    return RECT { 0, y, c.right, y + item_height(index) };
}

int ListBox::item_at(POINT p) const
{
    RECT c = client_rect();
    if (!PtInRect(&c, p))
        return -1;
    int y = 0;
    for (int i = m_top; i < count(); ++i) {
        y += item_height(i);
        if (p.y < y)
            return i;
    }
    return -1;
}

int ListBox::rows_per_page() const
{
    return std::max(1, (client_rect().bottom) / std::max(1, m_height));
}

LRESULT ListBox::set_top(int index)
{
    int last = std::max(0, count() - rows_per_page());
    int next = std::clamp(index, 0, last);
    if (next != m_top) {
        m_top = next;
        invalidate();
    }
    sync_scroll_bar();
    return LB_OKAY;
}

void ListBox::ensure_visible(int index)
{
    if (index < m_top)
        set_top(index);
    else if (index >= m_top + rows_per_page())
        set_top(index - rows_per_page() + 1);
}

void ListBox::sync_scroll_bar()
{
    if (!(style() & WS_VSCROLL))
        return;
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_ALL, 0, std::max(0, count() - 1), static_cast<UINT>(rows_per_page()), m_top, 0 };
    SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
}

void ListBox::notify_owner(WORD code) const
{
    if (!notifies())
        return;
    if (m_combo)
        SendMessage(m_combo, WM_COMMAND, MAKEWPARAM(0, code), reinterpret_cast<LPARAM>(hwnd()));
    else
        notify(code);
}

void ListBox::select_by_user(int index)
{
    if (index < 0 || index >= count())
        return;
    bool changed = index != m_selection;
    set_cur_sel(static_cast<WPARAM>(index));
    if (changed)
        notify_owner(LBN_SELCHANGE);
}

LRESULT ListBox::on_button_down(LPARAM lparam, bool double_click)
{
    if (!m_combo)
        SetFocus(hwnd());
    POINT p { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
    int index = item_at(p);
    if (index < 0)
        return 0;
    m_tracking = true;
    SetCapture(hwnd());
    select_by_user(index);
    if (double_click)
        notify_owner(LBN_DBLCLK);
    return 0;
}

LRESULT ListBox::on_mouse_move(LPARAM lparam)
{
    if (!m_tracking)
        return 0;
    POINT p { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
    if (p.y < 0)
        select_by_user(m_top - 1);
    else if (p.y >= client_rect().bottom)
        select_by_user(std::min(count() - 1, m_top + rows_per_page()));
    else
        select_by_user(item_at(p));
    return 0;
}

LRESULT ListBox::on_key_down(WPARAM key)
{
    int page = rows_per_page();
    int at = m_selection;
    switch (key) {
    case VK_UP: at = at < 0 ? 0 : at - 1; break;
    case VK_DOWN: at = at + 1; break;
    case VK_PRIOR: at = std::max(0, at - page + 1); break;
    case VK_NEXT: at = std::min(count() - 1, std::max(at, 0) + page - 1); break;
    case VK_HOME: at = 0; break;
    case VK_END: at = count() - 1; break;
    default: return 0;
    }
    select_by_user(at);
    return 0;
}

LRESULT ListBox::on_scroll(WPARAM wparam)
{
    switch (LOWORD(wparam)) {
    case SB_LINEUP: return set_top(m_top - 1);
    case SB_LINEDOWN: return set_top(m_top + 1);
    case SB_PAGEUP: return set_top(m_top - rows_per_page());
    case SB_PAGEDOWN: return set_top(m_top + rows_per_page());
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return set_top(static_cast<int>(HIWORD(wparam)));
    case SB_TOP: return set_top(0);
    case SB_BOTTOM: return set_top(count());
    default: return 0;
    }
}

void ListBox::paint_item(HDC dc, int index, RECT const& rect)
{
    bool selected = index == m_selection;
    UINT state = (selected ? ODS_SELECTED : 0) | (focused() && selected ? ODS_FOCUS : 0) | (enabled() ? 0 : ODS_DISABLED);
    if (owner_draw()) {
        DRAWITEMSTRUCT dis { m_combo ? ODT_COMBOBOX : ODT_LISTBOX, owner_id(), static_cast<UINT>(index), ODA_DRAWENTIRE, state,
            m_combo ? m_combo : hwnd(), dc, rect, m_items[static_cast<size_t>(index)].data };
        if (HWND owner = owner_window())
            SendMessage(owner, WM_DRAWITEM, owner_id(), reinterpret_cast<LPARAM>(&dis));
        return;
    }
    COLORREF text = GetTextColor(dc);
    if (selected) {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    RECT r = rect;
    r.left += 2;
    SetBkMode(dc, TRANSPARENT);
    DrawText(dc, m_items[static_cast<size_t>(index)].text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(dc, text);
    if (selected && focused()) {
        RECT f = rect;
        DrawFocusRect(dc, &f);
    }
}

void ListBox::paint(HDC dc)
{
    RECT c = client_rect();
    HBRUSH background = control_colour(dc, WM_CTLCOLORLISTBOX);
    FillRect(dc, &c, background);
    for (int i = m_top; i < count(); ++i) {
        RECT r = item_rect(i);
        if (r.top >= c.bottom)
            break;
        paint_item(dc, i, r);
    }
}

}
