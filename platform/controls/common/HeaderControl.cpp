#include "platform/controls/common/HeaderControl.h"

#include "platform/controls/common/Registration.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/Input.h"
#include "platform/user/WindowCore.h"

#include <algorithm>
#include <utility>
#include <cstring>
#include <memory>

namespace platform::commctrl {

namespace {

constexpr int kDivider = 4;
constexpr int kDragThreshold = 4;

POINT point_of(LPARAM lparam)
{
    return { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
}

}

void register_header_class()
{
    WNDCLASSEX wc {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = control_window_proc<HeaderControl>;
    wc.cbWndExtra = sizeof(void*);
    wc.lpszClassName = WC_HEADER;
    user::register_system_class(wc);
}

HeaderControl* HeaderControl::from(HWND hwnd)
{
    return control_of<HeaderControl>(hwnd);
}

HeaderControl const& HeaderControl::none()
{
    static HeaderControl const empty(nullptr);
    return empty;
}

LRESULT HeaderControl::dispatch(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case HDM_GETITEMCOUNT:
        return count();
    case HDM_INSERTITEM:
        return lparam ? insert(static_cast<int>(wparam), *reinterpret_cast<HDITEM const*>(lparam)) : -1;
    case HDM_DELETEITEM:
        return remove(static_cast<int>(wparam));
    case HDM_GETITEM:
        return lparam && get(static_cast<int>(wparam), *reinterpret_cast<HDITEM*>(lparam));
    case HDM_SETITEM:
        return lparam && set(static_cast<int>(wparam), *reinterpret_cast<HDITEM const*>(lparam));
    case HDM_GETITEMRECT:
        if (!lparam || static_cast<int>(wparam) < 0 || static_cast<int>(wparam) >= count())
            return FALSE;
        *reinterpret_cast<RECT*>(lparam) = item_rect(static_cast<int>(wparam));
        return TRUE;
    case HDM_HITTEST:
        return lparam ? hit_test(*reinterpret_cast<HDHITTESTINFO*>(lparam)) : -1;
    case HDM_ORDERTOINDEX:
        return wparam < m_order.size() ? m_order[wparam] : static_cast<LRESULT>(wparam);
    case HDM_GETORDERARRAY: {
        if (!lparam || static_cast<int>(wparam) != count())
            return FALSE;
        std::copy(m_order.begin(), m_order.end(), reinterpret_cast<int*>(lparam));
        return TRUE;
    }
    case HDM_SETORDERARRAY: {
        if (!lparam || static_cast<int>(wparam) != count())
            return FALSE;
        auto const* given = reinterpret_cast<int const*>(lparam);
        return set_order({ given, given + count() });
    }
    case WM_PAINT:
        on_paint();
        return 0;
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_LBUTTONDOWN:
        on_button_down(point_of(lparam));
        return 0;
    case WM_MOUSEMOVE:
        on_mouse_move(point_of(lparam));
        return 0;
    case WM_LBUTTONUP:
        on_button_up(point_of(lparam));
        return 0;
    case WM_RBUTTONUP:
        on_right_button_up();
        return 0;
    case WM_CAPTURECHANGED:
        m_gesture = Gesture::None;
        return 0;
    default:
        return DefWindowProc(m_hwnd, message, wparam, lparam);
    }
}

RECT HeaderControl::item_rect(int index) const
{
    int left = 0;
    for (int i : m_order) {
        int width = m_items[static_cast<std::size_t>(i)].width;
        if (i == index)
            return { left, 0, left + width, header_height };
        left += width;
    }
    return {};
}

int HeaderControl::total_width() const
{
    int total = 0;
    for (Item const& item : m_items)
        total += item.width;
    return total;
}

int HeaderControl::insert(int index, HDITEM const& in)
{
    index = std::clamp(index, 0, count());
    Item item;
    if (in.mask & HDI_WIDTH)
        item.width = std::max(in.cxy, 0);
    if ((in.mask & HDI_TEXT) && in.pszText)
        item.text = in.pszText;
    if (in.mask & HDI_FORMAT)
        item.format = in.fmt;
    if (in.mask & HDI_LPARAM)
        item.param = in.lParam;
    if (in.mask & HDI_IMAGE)
        item.image = in.iImage;
    m_items.insert(m_items.begin() + index, std::move(item));
    for (int& i : m_order)
        i += i >= index;
    int place = (in.mask & HDI_ORDER) ? std::clamp(in.iOrder, 0, count() - 1) : static_cast<int>(m_order.size());
    m_order.insert(m_order.begin() + place, index);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return index;
}

bool HeaderControl::remove(int index)
{
    if (index < 0 || index >= count())
        return false;
    m_items.erase(m_items.begin() + index);
    std::erase(m_order, index);
    for (int& i : m_order)
        i -= i > index;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

bool HeaderControl::get(int index, HDITEM& out) const
{
    if (index < 0 || index >= count())
        return false;
    Item const& item = m_items[static_cast<std::size_t>(index)];
    if (out.mask & HDI_WIDTH)
        out.cxy = item.width;
    if ((out.mask & HDI_TEXT) && out.pszText && out.cchTextMax > 0) {
        std::size_t n = std::min<std::size_t>(item.text.size(), static_cast<std::size_t>(out.cchTextMax - 1));
        std::memcpy(out.pszText, item.text.data(), n);
        out.pszText[n] = '\0';
    }
    if (out.mask & HDI_FORMAT)
        out.fmt = item.format;
    if (out.mask & HDI_LPARAM)
        out.lParam = item.param;
    if (out.mask & HDI_IMAGE)
        out.iImage = item.image;
    if (out.mask & HDI_ORDER)
        out.iOrder = static_cast<int>(std::find(m_order.begin(), m_order.end(), index) - m_order.begin());
    return true;
}

bool HeaderControl::set(int index, HDITEM const& in)
{
    if (index < 0 || index >= count())
        return false;
    Item& item = m_items[static_cast<std::size_t>(index)];
    if (in.mask & HDI_WIDTH)
        item.width = std::max(in.cxy, 0);
    if (in.mask & HDI_TEXT)
        item.text = in.pszText ? in.pszText : "";
    if (in.mask & HDI_FORMAT)
        item.format = in.fmt;
    if (in.mask & HDI_LPARAM)
        item.param = in.lParam;
    if (in.mask & HDI_IMAGE)
        item.image = in.iImage;
    if (in.mask & HDI_ORDER) {
        std::erase(m_order, index);
        m_order.insert(m_order.begin() + std::clamp(in.iOrder, 0, static_cast<int>(m_order.size())), index);
    }
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

// An order array must name every item once.
bool HeaderControl::set_order(std::vector<int> const& order)
{
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < count(); ++i) {
        if (sorted[static_cast<std::size_t>(i)] != i)
            return false;
    }
    m_order = order;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

int HeaderControl::hit_test(HDHITTESTINFO& info) const
{
    info.iItem = -1;
    RECT client {};
    GetClientRect(m_hwnd, &client);
    POINT pt = info.pt;
    if (pt.y < 0 || pt.y >= header_height) {
        info.flags = pt.y < 0 ? HHT_ABOVE : HHT_BELOW;
        return -1;
    }
    if (pt.x < 0) {
        info.flags = HHT_TOLEFT;
        return -1;
    }
    for (int i : m_order) {
        RECT r = item_rect(i);
        if (pt.x >= r.right - kDivider && pt.x < r.right + kDivider) {
            info.flags = HHT_ONDIVIDER;
            info.iItem = i;
            // The first pixels of the next item still resize this one, the way it reads.
            return i;
        }
        if (pt.x >= r.left && pt.x < r.right) {
            info.flags = HHT_ONHEADER;
            info.iItem = i;
            return i;
        }
    }
    info.flags = pt.x >= client.right ? HHT_TORIGHT : HHT_NOWHERE;
    return -1;
}

LRESULT HeaderControl::notify(UINT code, int index, HDITEM* item)
{
    NMHEADER nm {};
    nm.hdr = { m_hwnd, static_cast<UINT_PTR>(GetDlgCtrlID(m_hwnd)), code };
    nm.iItem = index;
    nm.pitem = item;
    return SendMessage(GetParent(m_hwnd), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void HeaderControl::on_button_down(POINT pt)
{
    HDHITTESTINFO hit { pt, 0, -1 };
    int index = hit_test(hit);
    if (index < 0)
        return;
    m_press = pt;
    m_gesture_item = index;
    if (hit.flags == HHT_ONDIVIDER) {
        HDITEM item {};
        item.mask = HDI_WIDTH;
        item.cxy = m_items[static_cast<std::size_t>(index)].width;
        if (notify(HDN_BEGINTRACK, index, &item))
            return;
        m_start_width = item.cxy;
        m_gesture = Gesture::Resizing;
    } else {
        m_gesture = Gesture::Pressed;
    }
    SetCapture(m_hwnd);
}

void HeaderControl::on_mouse_move(POINT pt)
{
    if (m_gesture == Gesture::Resizing) {
        HDITEM item {};
        item.mask = HDI_WIDTH;
        item.cxy = std::max(0, m_start_width + pt.x - m_press.x);
        m_items[static_cast<std::size_t>(m_gesture_item)].width = item.cxy;
        notify(HDN_TRACK, m_gesture_item, &item);
        notify(HDN_ITEMCHANGED, m_gesture_item, &item);
        InvalidateRect(m_hwnd, nullptr, TRUE);
    } else if (m_gesture == Gesture::Pressed && (GetWindowLong(m_hwnd, GWL_STYLE) & HDS_DRAGDROP)
        && std::abs(pt.x - m_press.x) > kDragThreshold) {
        if (!notify(HDN_BEGINDRAG, m_gesture_item))
            m_gesture = Gesture::Dragging;
    }
}

// The order slot a title dropped at `x` takes: the slot of the item under x, or the last.
int HeaderControl::drop_order(int x) const
{
    for (std::size_t slot = 0; slot < m_order.size(); ++slot) {
        RECT r = item_rect(m_order[slot]);
        if (x < r.right)
            return static_cast<int>(slot);
    }
    return count() - 1;
}

void HeaderControl::on_button_up(POINT pt)
{
    Gesture gesture = std::exchange(m_gesture, Gesture::None);
    int index = m_gesture_item;
    if (GetCapture() == m_hwnd)
        ReleaseCapture();
    if (gesture == Gesture::Resizing) {
        HDITEM item {};
        item.mask = HDI_WIDTH;
        item.cxy = m_items[static_cast<std::size_t>(index)].width;
        notify(HDN_ENDTRACK, index, &item);
    } else if (gesture == Gesture::Dragging) {
        HDITEM item {};
        item.mask = HDI_ORDER;
        item.iOrder = drop_order(pt.x);
        if (!notify(HDN_ENDDRAG, index, &item) && !dead()) {
            std::erase(m_order, index);
            m_order.insert(m_order.begin() + item.iOrder, index);
            InvalidateRect(m_hwnd, nullptr, TRUE);
            notify(HDN_ITEMCHANGED, index, &item);
        }
    } else if (gesture == Gesture::Pressed) {
        RECT r = item_rect(index);
        if (pt.x >= r.left && pt.x < r.right && pt.y >= 0 && pt.y < header_height)
            notify(HDN_ITEMCLICK, index);
    }
}

void HeaderControl::on_right_button_up()
{
    NMHDR nm { m_hwnd, static_cast<UINT_PTR>(GetDlgCtrlID(m_hwnd)), NM_RCLICK };
    SendMessage(GetParent(m_hwnd), WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void HeaderControl::on_paint()
{
    PAINTSTRUCT ps {};
    HDC dc = BeginPaint(m_hwnd, &ps);
    if (dc)
        paint(dc);
    EndPaint(m_hwnd, &ps);
}

void HeaderControl::paint(HDC dc)
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    auto font = reinterpret_cast<HGDIOBJ>(SendMessage(GetParent(m_hwnd), WM_GETFONT, 0, 0));
    HGDIOBJ old_font = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (int i : m_order) {
        RECT r = item_rect(i);
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        RECT text = { r.left + 6, r.top, r.right - 6, r.bottom };
        int align = m_items[static_cast<std::size_t>(i)].format & HDF_JUSTIFYMASK;
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX
            | (align == HDF_CENTER ? DT_CENTER : align == HDF_RIGHT ? DT_RIGHT : DT_LEFT);
        DrawText(dc, m_items[static_cast<std::size_t>(i)].text.c_str(), -1, &text, format);
    }
    SelectObject(dc, old_font);
}

}
