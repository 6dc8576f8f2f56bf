#include "platform/controls/common/ListViewControl.h"

#include "platform/controls/common/Registration.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/Input.h"
#include "platform/user/WindowCore.h"

#include <algorithm>
#include <utility>
#include <cstring>

namespace platform::commctrl {

namespace {

constexpr int kTextBuffer = 260;

void copy_text(std::string const& text, LPSTR out, int size)
{
    if (!out || size <= 0)
        return;
    std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

}

void register_list_view_class()
{
    WNDCLASSEX wc {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = control_window_proc<ListViewControl>;
    wc.cbWndExtra = sizeof(void*);
    wc.lpszClassName = WC_LISTVIEW;
    user::register_system_class(wc);
}

ListViewControl::ListViewControl(HWND hwnd)
    : m_hwnd(hwnd)
    , m_text_buffer(kTextBuffer)
{
}

ListViewControl* ListViewControl::from(HWND hwnd)
{
    return control_of<ListViewControl>(hwnd);
}

HeaderControl const& ListViewControl::header() const
{
    HeaderControl const* h = HeaderControl::from(m_header);
    return h ? *h : HeaderControl::none();
}

DWORD ListViewControl::style() const
{
    return static_cast<DWORD>(GetWindowLong(m_hwnd, GWL_STYLE));
}

bool ListViewControl::owner_data() const
{
    return style() & LVS_OWNERDATA;
}

LRESULT ListViewControl::dispatch(UINT message, WPARAM wparam, LPARAM lparam)
{
    auto* rect = reinterpret_cast<RECT*>(lparam);
    int index = static_cast<int>(wparam);
    switch (message) {
    case WM_CREATE:
        on_create();
        return 0;
    case WM_SIZE:
        on_size();
        return 0;
    case WM_PAINT:
        on_paint();
        return 0;
    case WM_PRINTCLIENT: {
        RECT client {};
        GetClientRect(m_hwnd, &client);
        paint(reinterpret_cast<HDC>(wparam), client);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wparam);
        on_size();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_NOTIFY:
        return lparam ? on_notify(*reinterpret_cast<NMHDR const*>(lparam)) : 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        NMHDR nm {};
        notify(message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, nm);
        InvalidateRect(m_hwnd, nullptr, FALSE);
        return 0;
    }
    case WM_KEYDOWN:
        on_key_down(static_cast<int>(wparam));
        return 0;
    case WM_CHAR:
        on_char(static_cast<char>(wparam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
        on_button_down({ GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) }, message == WM_RBUTTONDOWN, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        on_button_up({ GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) }, message == WM_RBUTTONUP);
        return 0;
    case WM_MOUSEMOVE:
        on_mouse_move({ GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) });
        return 0;
    case WM_MOUSEWHEEL:
        scroll_to(m_top - GET_WHEEL_DELTA_WPARAM(wparam) / WHEEL_DELTA * 3, m_scroll_x);
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        on_scroll(message == WM_VSCROLL, LOWORD(wparam), static_cast<int>(HIWORD(wparam)));
        return 0;
    case LVM_GETITEMCOUNT:
        return count();
    case LVM_SETITEMCOUNT:
        set_count(index, lparam);
        return TRUE;
    case LVM_INSERTITEM:
        return lparam ? insert_item(*reinterpret_cast<LVITEM const*>(lparam)) : -1;
    case LVM_SETITEM:
        return lparam && set_item(*reinterpret_cast<LVITEM const*>(lparam));
    case LVM_GETITEM:
        return lparam && get_item(*reinterpret_cast<LVITEM*>(lparam));
    case LVM_SETITEMTEXT: {
        if (!lparam)
            return FALSE;
        LVITEM item = *reinterpret_cast<LVITEM const*>(lparam);
        item.iItem = index;
        item.mask = LVIF_TEXT;
        return set_item(item);
    }
    case LVM_GETITEMTEXT: {
        auto* item = reinterpret_cast<LVITEM*>(lparam);
        if (!item || index < 0 || index >= count())
            return 0;
        std::string text = text_of(index, item->iSubItem);
        copy_text(text, item->pszText, item->cchTextMax);
        return item->pszText && item->cchTextMax > 0 ? static_cast<LRESULT>(std::strlen(item->pszText)) : 0;
    }
    case LVM_DELETEITEM:
        return delete_item(index);
    case LVM_DELETEALLITEMS:
        delete_all();
        return TRUE;
    case LVM_GETITEMSTATE:
        return index >= 0 && index < count() ? static_cast<LRESULT>(m_states[static_cast<std::size_t>(index)] & static_cast<UINT>(lparam)) : 0;
    case LVM_SETITEMSTATE:
        if (!lparam)
            return FALSE;
        set_state(index, reinterpret_cast<LVITEM const*>(lparam)->state, reinterpret_cast<LVITEM const*>(lparam)->stateMask);
        return TRUE;
    case LVM_GETNEXTITEM:
        return next_item(index, LOWORD(static_cast<DWORD_PTR>(lparam)));
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(m_states.begin(), m_states.end(), [](UINT s) { return s & LVIS_SELECTED; });
    case LVM_GETITEMRECT:
        return rect && item_rect(index, rect->left, *rect);
    case LVM_GETSUBITEMRECT:
        return rect && sub_item_rect(index, rect->top, rect->left, *rect);
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST:
        return lparam ? hit_test(*reinterpret_cast<LVHITTESTINFO*>(lparam)) : -1;
    case LVM_ENSUREVISIBLE:
        ensure_visible(index);
        return TRUE;
    case LVM_SCROLL:
        scroll_to(m_top + static_cast<int>(lparam) / std::max(row_height(), 1), m_scroll_x + index);
        return TRUE;
    case LVM_REDRAWITEMS:
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    case LVM_GETTOPINDEX:
        return m_top;
    case LVM_GETCOUNTPERPAGE:
        return count_per_page();
    case LVM_GETHOTITEM:
        return m_hot;
    case LVM_SETHOTITEM:
        return std::exchange(m_hot, index);
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(m_header);
    case LVM_INSERTCOLUMN:
        return lparam ? insert_column(index, *reinterpret_cast<LVCOLUMN const*>(lparam)) : -1;
    case LVM_DELETECOLUMN:
        if (index < 0 || index >= columns())
            return FALSE;
        m_sub_items.erase(m_sub_items.begin() + index);
        SendMessage(m_header, HDM_DELETEITEM, wparam, 0);
        layout_header();
        scroll_to(m_top, m_scroll_x);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    case LVM_GETCOLUMN:
        return lparam && get_column(index, *reinterpret_cast<LVCOLUMN*>(lparam));
    case LVM_SETCOLUMN:
        return lparam && set_column(index, *reinterpret_cast<LVCOLUMN const*>(lparam));
    case LVM_GETCOLUMNWIDTH:
        return index >= 0 && index < header().count() ? header().item(index).width : 0;
    case LVM_SETCOLUMNWIDTH:
        return set_column_width(index, static_cast<int>(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lparam)))));
    case LVM_GETCOLUMNORDERARRAY:
        return SendMessage(m_header, HDM_GETORDERARRAY, wparam, lparam);
    case LVM_SETCOLUMNORDERARRAY: {
        LRESULT done = SendMessage(m_header, HDM_SETORDERARRAY, wparam, lparam);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return done;
    }
    case LVM_SETIMAGELIST:
        if (index == LVSIL_STATE)
            return reinterpret_cast<LRESULT>(std::exchange(m_state_images, reinterpret_cast<HIMAGELIST>(lparam)));
        if (index == LVSIL_SMALL) {
            HIMAGELIST old = std::exchange(m_small_images, reinterpret_cast<HIMAGELIST>(lparam));
            on_size();
            return reinterpret_cast<LRESULT>(old);
        }
        return 0;
    case LVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(index == LVSIL_SMALL ? m_small_images : index == LVSIL_STATE ? m_state_images : nullptr);
    case LVM_SETBKCOLOR:
        m_bk = static_cast<COLORREF>(lparam);
        return TRUE;
    case LVM_GETBKCOLOR:
        return m_bk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_bk;
    case LVM_SETTEXTCOLOR:
        m_text = static_cast<COLORREF>(lparam);
        return TRUE;
    case LVM_GETTEXTCOLOR:
        return m_text == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : m_text;
    case LVM_SETTEXTBKCOLOR:
        m_text_bk = static_cast<COLORREF>(lparam);
        return TRUE;
    case LVM_GETTEXTBKCOLOR:
        return m_text_bk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_text_bk;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD old = m_ex_style;
        set_extended_style(static_cast<DWORD>(wparam), static_cast<DWORD>(lparam));
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return m_ex_style;
    default:
        return DefWindowProc(m_hwnd, message, wparam, lparam);
    }
}

void ListViewControl::on_create()
{
    DWORD header_style = WS_CHILD | HDS_BUTTONS | HDS_HORZ | ((style() & LVS_NOCOLUMNHEADER) ? 0 : WS_VISIBLE);
    m_header = CreateWindowEx(0, WC_HEADER, "", header_style, 0, 0, 0, header_height, m_hwnd, nullptr, nullptr, nullptr);
    on_size();
}

// The row height follows the font and the small images.
void ListViewControl::on_size()
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, m_font ? static_cast<HGDIOBJ>(m_font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm {};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    int image_cx = 0;
    int image_cy = 0;
    if (m_small_images)
        ImageList_GetIconSize(m_small_images, &image_cx, &image_cy);
    m_row_height = std::max<int>(tm.tmHeight + 3, image_cy + 1);
    layout_header();
    scroll_to(m_top, m_scroll_x);
}

void ListViewControl::on_paint()
{
    PAINTSTRUCT ps {};
    HDC dc = BeginPaint(m_hwnd, &ps);
    if (dc)
        paint(dc, ps.rcPaint);
    EndPaint(m_hwnd, &ps);
}

LRESULT ListViewControl::on_notify(NMHDR const& nm)
{
    if (nm.hwndFrom != m_header)
        return 0;
    auto const& header = reinterpret_cast<NMHEADER const&>(nm);
    if (nm.code == HDN_ITEMCLICK && !(style() & LVS_NOSORTHEADER)) {
        NMLISTVIEW lv {};
        lv.iItem = -1;
        lv.iSubItem = header.iItem;
        notify(LVN_COLUMNCLICK, lv.hdr);
    } else if (nm.code == HDN_ITEMCHANGED || nm.code == HDN_ENDDRAG || nm.code == HDN_ENDTRACK) {
        layout_header();
        scroll_to(m_top, m_scroll_x);
        InvalidateRect(m_hwnd, nullptr, TRUE);
    }
    return 0;
}

LRESULT ListViewControl::notify(UINT code, NMHDR& header)
{
    header.hwndFrom = m_hwnd;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(m_hwnd));
    header.code = code;
    HWND parent = GetParent(m_hwnd);
    return parent ? SendMessage(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)) : 0;
}

void ListViewControl::set_extended_style(DWORD mask, DWORD value)
{
    if (mask == 0)
        mask = 0xFFFFFFFF;
    m_ex_style = (m_ex_style & ~mask) | (value & mask);
    LONG header_style = GetWindowLong(m_header, GWL_STYLE);
    header_style = (m_ex_style & LVS_EX_HEADERDRAGDROP) ? (header_style | HDS_DRAGDROP) : (header_style & ~static_cast<LONG>(HDS_DRAGDROP));
    SetWindowLong(m_header, GWL_STYLE, header_style);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

// [SECTION] Items and columns

int ListViewControl::insert_item(LVITEM const& in)
{
    if (owner_data())
        return -1;
    int index = std::clamp(in.iItem, 0, count());
    m_items.insert(m_items.begin() + index, Item {});
    m_states.insert(m_states.begin() + index, 0);
    if (m_focus >= index)
        ++m_focus;
    LVITEM item = in;
    item.iItem = index;
    item.iSubItem = 0;
    set_item(item);
    scroll_to(m_top, m_scroll_x);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return index;
}

bool ListViewControl::set_item(LVITEM const& in)
{
    if (in.iItem < 0 || in.iItem >= count() || in.iSubItem < 0)
        return false;
    if (in.mask & LVIF_STATE)
        set_state(in.iItem, in.state, in.stateMask);
    if (owner_data())
        return true;
    Item& item = m_items[static_cast<std::size_t>(in.iItem)];
    std::size_t sub = static_cast<std::size_t>(in.iSubItem);
    if (in.mask & LVIF_TEXT) {
        if (item.texts.size() <= sub) {
            item.texts.resize(sub + 1);
            item.callback.resize(sub + 1);
        }
        item.callback[sub] = in.pszText == LPSTR_TEXTCALLBACK;
        item.texts[sub] = in.pszText && in.pszText != LPSTR_TEXTCALLBACK ? in.pszText : "";
    }
    if ((in.mask & LVIF_IMAGE) && sub == 0)
        item.image = in.iImage;
    if ((in.mask & LVIF_PARAM) && sub == 0)
        item.param = in.lParam;
    RECT r = row_rect(in.iItem);
    InvalidateRect(m_hwnd, &r, TRUE);
    return true;
}

bool ListViewControl::get_item(LVITEM& out)
{
    if (out.iItem < 0 || out.iItem >= count())
        return false;
    int image = 0;
    UINT state_image = 0;
    if (out.mask & (LVIF_TEXT | LVIF_IMAGE)) {
        std::string text = text_of(out.iItem, out.iSubItem, &image, &state_image);
        if (out.mask & LVIF_TEXT)
            copy_text(text, out.pszText, out.cchTextMax);
        if (out.mask & LVIF_IMAGE)
            out.iImage = image;
    }
    if (out.mask & LVIF_STATE)
        out.state = (m_states[static_cast<std::size_t>(out.iItem)] | state_image) & out.stateMask;
    if ((out.mask & LVIF_PARAM) && !owner_data())
        out.lParam = m_items[static_cast<std::size_t>(out.iItem)].param;
    return true;
}

bool ListViewControl::delete_item(int index)
{
    if (index < 0 || index >= count())
        return false;
    NMLISTVIEW nm {};
    nm.iItem = index;
    notify(LVN_DELETEITEM, nm.hdr);
    if (!owner_data())
        m_items.erase(m_items.begin() + index);
    m_states.erase(m_states.begin() + index);
    if (m_focus == index)
        m_focus = -1;
    else if (m_focus > index)
        --m_focus;
    scroll_to(m_top, m_scroll_x);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

void ListViewControl::delete_all()
{
    NMLISTVIEW nm {};
    nm.iItem = -1;
    notify(LVN_DELETEALLITEMS, nm.hdr);
    m_items.clear();
    m_states.clear();
    m_focus = m_anchor = m_hot = -1;
    scroll_to(0, m_scroll_x);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ListViewControl::set_count(int new_count, LPARAM flags)
{
    new_count = std::max(new_count, 0);
    if (!owner_data()) {
        m_items.reserve(static_cast<std::size_t>(new_count));
        return;
    }
    m_states.resize(static_cast<std::size_t>(new_count), 0);
    if (m_focus >= new_count)
        m_focus = -1;
    if (!(flags & LVSICF_NOSCROLL))
        scroll_to(m_top, m_scroll_x);
    else
        update_scroll_bars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

int ListViewControl::columns() const
{
    return static_cast<int>(m_sub_items.size());
}

int ListViewControl::insert_column(int index, LVCOLUMN const& column)
{
    HDITEM item {};
    item.mask = HDI_FORMAT | HDI_WIDTH | HDI_TEXT;
    item.fmt = (column.mask & LVCF_FMT) ? (column.fmt & LVCFMT_JUSTIFYMASK) : LVCFMT_LEFT;
    item.cxy = (column.mask & LVCF_WIDTH) ? column.cx : 50;
    item.pszText = (column.mask & LVCF_TEXT) ? column.pszText : nullptr;
    if (column.mask & LVCF_ORDER) {
        item.mask |= HDI_ORDER;
        item.iOrder = column.iOrder;
    }
    index = std::clamp(index, 0, columns());
    int placed = static_cast<int>(SendMessage(m_header, HDM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    if (placed < 0)
        return -1;
    m_sub_items.insert(m_sub_items.begin() + placed, (column.mask & LVCF_SUBITEM) ? column.iSubItem : placed);
    layout_header();
    scroll_to(m_top, m_scroll_x);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return placed;
}

bool ListViewControl::get_column(int index, LVCOLUMN& column) const
{
    if (index < 0 || index >= columns())
        return false;
    HDITEM item {};
    item.mask = HDI_FORMAT | HDI_WIDTH | HDI_ORDER | ((column.mask & LVCF_TEXT) ? HDI_TEXT : 0);
    item.pszText = column.pszText;
    item.cchTextMax = column.cchTextMax;
    SendMessage(m_header, HDM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    if (column.mask & LVCF_FMT)
        column.fmt = item.fmt;
    if (column.mask & LVCF_WIDTH)
        column.cx = item.cxy;
    if (column.mask & LVCF_SUBITEM)
        column.iSubItem = m_sub_items[static_cast<std::size_t>(index)];
    if (column.mask & LVCF_ORDER)
        column.iOrder = item.iOrder;
    return true;
}

bool ListViewControl::set_column(int index, LVCOLUMN const& column)
{
    if (index < 0 || index >= columns())
        return false;
    HDITEM item {};
    item.mask = ((column.mask & LVCF_FMT) ? HDI_FORMAT : 0) | ((column.mask & LVCF_WIDTH) ? HDI_WIDTH : 0)
        | ((column.mask & LVCF_TEXT) ? HDI_TEXT : 0) | ((column.mask & LVCF_ORDER) ? HDI_ORDER : 0);
    item.fmt = column.fmt & LVCFMT_JUSTIFYMASK;
    item.cxy = column.cx;
    item.pszText = column.pszText;
    item.iOrder = column.iOrder;
    if (column.mask & LVCF_SUBITEM)
        m_sub_items[static_cast<std::size_t>(index)] = column.iSubItem;
    SendMessage(m_header, HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    layout_header();
    scroll_to(m_top, m_scroll_x);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

// LVSCW_AUTOSIZE and LVSCW_AUTOSIZE_USEHEADER fit the column to the client area's remaining
// width when it is the last one, else keep it.
bool ListViewControl::set_column_width(int index, int width)
{
    if (index < 0 || index >= columns())
        return false;
    if (width < 0) {
        RECT client {};
        GetClientRect(m_hwnd, &client);
        HeaderControl const& h = header();
        if (index >= h.count())
            return false;
        int others = h.total_width() - h.item(index).width;
        width = std::max(h.item(index).width, static_cast<int>(client.right) - others);
    }
    LVCOLUMN column {};
    column.mask = LVCF_WIDTH;
    column.cx = width;
    return set_column(index, column);
}

std::string ListViewControl::text_of(int item, int sub_item, int* image, UINT* state_image)
{
    bool ask = owner_data();
    if (!ask) {
        Item const& it = m_items[static_cast<std::size_t>(item)];
        if (image)
            *image = it.image;
        std::size_t sub = static_cast<std::size_t>(sub_item);
        if (sub < it.callback.size() && it.callback[sub])
            ask = true;
        else if (!image || it.image != I_IMAGECALLBACK)
            return sub < it.texts.size() ? it.texts[sub] : std::string();
    }
    NMLVDISPINFO info {};
    info.item.mask = LVIF_TEXT | (image ? LVIF_IMAGE : 0) | (state_image ? LVIF_STATE : 0);
    info.item.iItem = item;
    info.item.iSubItem = sub_item;
    info.item.stateMask = state_image ? LVIS_STATEIMAGEMASK : 0;
    m_text_buffer[0] = '\0';
    info.item.pszText = m_text_buffer.data();
    info.item.cchTextMax = static_cast<int>(m_text_buffer.size());
    notify(LVN_GETDISPINFO, info.hdr);
    if (image && (info.item.mask & LVIF_IMAGE))
        *image = info.item.iImage;
    if (state_image)
        *state_image = info.item.state & info.item.stateMask & LVIS_STATEIMAGEMASK;
    if (!info.item.pszText || info.item.pszText == LPSTR_TEXTCALLBACK)
        return {};
    // The parent's own text is read as it is; our buffer is read only up to its end.
    if (info.item.pszText == m_text_buffer.data())
        return std::string(m_text_buffer.data(), strnlen(m_text_buffer.data(), m_text_buffer.size()));
    return info.item.pszText;
}

void ListViewControl::set_state(int index, UINT state, UINT mask)
{
    mask &= LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_STATEIMAGEMASK;
    if (index == -1) {
        for (int i = 0; i < count(); ++i) {
            if ((m_states[static_cast<std::size_t>(i)] & mask) != (state & mask))
                set_state(i, state, mask);
        }
        return;
    }
    if (index < 0 || index >= count())
        return;
    if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED) && (style() & LVS_SINGLESEL)) {
        for (int i = next_item(-1, LVNI_SELECTED); i >= 0; i = next_item(i, LVNI_SELECTED)) {
            if (i != index)
                set_state(i, 0, LVIS_SELECTED);
        }
    }
    if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED) && m_focus >= 0 && m_focus != index)
        set_state(m_focus, 0, LVIS_FOCUSED);
    UINT& current = m_states[static_cast<std::size_t>(index)];
    UINT old_state = current;
    current = (current & ~mask) | (state & mask);
    if (current & LVIS_FOCUSED)
        m_focus = index;
    else if (m_focus == index)
        m_focus = -1;
    if (current == old_state)
        return;
    RECT r = row_rect(index);
    InvalidateRect(m_hwnd, &r, FALSE);
    notify_item_changed(index, old_state, current);
}

void ListViewControl::notify_item_changed(int item, UINT old_state, UINT new_state)
{
    NMLISTVIEW nm {};
    nm.iItem = item;
    nm.uOldState = old_state;
    nm.uNewState = new_state;
    nm.uChanged = LVIF_STATE;
    notify(LVN_ITEMCHANGED, nm.hdr);
}

int ListViewControl::next_item(int start, UINT flags) const
{
    if (flags & LVNI_FOCUSED) {
        bool ok = m_focus > start && (!(flags & LVNI_SELECTED) || (m_states[static_cast<std::size_t>(m_focus)] & LVIS_SELECTED));
        return ok ? m_focus : -1;
    }
    if (flags & LVNI_ABOVE)
        return start > 0 ? start - 1 : -1;
    if (flags & LVNI_BELOW)
        return start + 1 < count() ? start + 1 : -1;
    for (int i = std::max(start + 1, 0); i < count(); ++i) {
        if (!(flags & LVNI_SELECTED) || (m_states[static_cast<std::size_t>(i)] & LVIS_SELECTED))
            return i;
    }
    return -1;
}

// [SECTION] Geometry

int ListViewControl::header_bottom() const
{
    return (style() & LVS_NOCOLUMNHEADER) ? 0 : header_height;
}

int ListViewControl::count_per_page() const
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    return std::max(0, (static_cast<int>(client.bottom) - header_bottom()) / std::max(row_height(), 1));
}

RECT ListViewControl::row_rect(int item) const
{
    int top = header_bottom() + (item - m_top) * row_height();
    int width = header().total_width();
    return { -m_scroll_x, top, width - m_scroll_x, top + row_height() };
}

RECT ListViewControl::cell_rect(int item, int sub_item) const
{
    RECT row = row_rect(item);
    RECT column = header().item_rect(sub_item);
    return { row.left + column.left, row.top, row.left + column.right, row.bottom };
}

bool ListViewControl::sub_item_rect(int item, int sub_item, int code, RECT& out) const
{
    if (item < 0 || item >= count() || sub_item < 0 || sub_item >= std::max(columns(), 1))
        return false;
    if (sub_item == 0 || columns() == 0)
        return item_rect(item, code == LVIR_BOUNDS ? LVIR_BOUNDS : code, out);
    out = cell_rect(item, sub_item);
    if (code == LVIR_ICON)
        out.right = out.left;
    return true;
}

bool ListViewControl::item_rect(int item, int code, RECT& out) const
{
    if (item < 0 || item >= count())
        return false;
    RECT row = row_rect(item);
    RECT cell = columns() ? cell_rect(item, 0) : row;
    int image_cx = 0;
    int image_cy = 0;
    if (m_small_images)
        ImageList_GetIconSize(m_small_images, &image_cx, &image_cy);
    int state_cx = (m_ex_style & LVS_EX_CHECKBOXES) ? row_height() : 0;
    RECT icon = { cell.left + state_cx, cell.top, cell.left + state_cx + image_cx, cell.bottom };
    switch (code) {
    case LVIR_BOUNDS:
        out = row;
        return true;
    case LVIR_ICON:
        out = icon;
        return true;
    case LVIR_LABEL:
        out = { icon.right, cell.top, cell.right, cell.bottom };
        return true;
    case LVIR_SELECTBOUNDS:
        out = (m_ex_style & LVS_EX_FULLROWSELECT) ? row : RECT { icon.left, cell.top, cell.right, cell.bottom };
        return true;
    default:
        return false;
    }
}

int ListViewControl::hit_test(LVHITTESTINFO& info) const
{
    info.flags = 0;
    info.iItem = -1;
    info.iSubItem = -1;
    RECT client {};
    GetClientRect(m_hwnd, &client);
    POINT pt = info.pt;
    if (pt.y < header_bottom())
        info.flags |= LVHT_ABOVE;
    if (pt.y >= client.bottom)
        info.flags |= LVHT_BELOW;
    if (pt.x < 0)
        info.flags |= LVHT_TOLEFT;
    if (pt.x >= client.right)
        info.flags |= LVHT_TORIGHT;
    if (info.flags) {
        info.flags |= LVHT_NOWHERE;
        return -1;
    }
    int item = m_top + (pt.y - header_bottom()) / std::max(row_height(), 1);
    RECT row = row_rect(item);
    if (item >= count() || pt.x < row.left || pt.x >= row.right) {
        info.flags = LVHT_NOWHERE;
        return -1;
    }
    for (int i = 0; i < columns(); ++i) {
        RECT cell = cell_rect(item, i);
        if (pt.x >= cell.left && pt.x < cell.right)
            info.iSubItem = i;
    }
    RECT icon {};
    item_rect(item, LVIR_ICON, icon);
    int state_left = icon.left - ((m_ex_style & LVS_EX_CHECKBOXES) ? row_height() : 0);
    if (info.iSubItem == 0 && pt.x >= state_left && pt.x < icon.left)
        info.flags = LVHT_ONITEMSTATEICON;
    else if (info.iSubItem == 0 && pt.x >= icon.left && pt.x < icon.right)
        info.flags = LVHT_ONITEMICON;
    else
        info.flags = LVHT_ONITEMLABEL;
    info.iItem = item;
    return item;
}

// The header scrolls with the columns: it sits left of the client area by the offset.
void ListViewControl::layout_header()
{
    if (!m_header)
        return;
    RECT client {};
    GetClientRect(m_hwnd, &client);
    int width = std::max(static_cast<int>(client.right) + m_scroll_x, header().total_width());
    MoveWindow(m_header, -m_scroll_x, 0, width, header_height, TRUE);
}

}
