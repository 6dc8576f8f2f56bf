// Per-cell tool tips of CQuickList, and the notifications that reach the list from its own
// children (the tip's text requests, the header's right-click). The tips are the framework's
// (EnableToolTips): its message filter asks OnToolHitTest for the cell under the pointer.
#include "station/controls/CQuickList.h"

#include "platform/controls/common/ToolTip.h"

#include <algorithm>
#include <cstring>

namespace {

// The tip's buffer holds 80 characters with the terminator.
constexpr std::size_t kTipChars = sizeof(NMTTDISPINFO::szText) - 1;

// UTF-8 to wide characters, a malformed byte taken as it is.
void widen(std::string const& text, wchar_t* out, std::size_t capacity)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size() && n + 1 < capacity; ++n) {
        auto const lead = static_cast<unsigned char>(text[i]);
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        if (i + static_cast<std::size_t>(extra) >= text.size())
            extra = 0;
        unsigned cp = extra ? lead & (0x3Fu >> extra) : lead;
        for (int k = 1; k <= extra; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3Fu);
        out[n] = static_cast<wchar_t>(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    out[n] = L'\0';
}

}

INT_PTR CQuickList::OnToolHitTest(CPoint point, TOOLINFO* info) const
{
    int sub_item = -1;
    UINT flags = 0;
    int const item = hit_cell(point, sub_item, &flags);
    // LVHT_ONITEM: the icon, label and state-icon bits.
    if (item < 0 || !(flags & 0x000E) || sub_item < 0)
        return -1;
    info->hwnd = m_hWnd;
    info->uId = static_cast<UINT_PTR>(item * 1000 + sub_item + 1);
    info->uFlags = 0;
    ::GetClientRect(m_hWnd, &info->rect);
    info->lpszText = LPSTR_TEXTCALLBACK;
    return static_cast<INT_PTR>(info->uId);
}

BOOL CQuickList::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if ((nm->code == TTN_NEEDTEXTA || nm->code == TTN_NEEDTEXTW) && on_tool_need_text(nm, pResult))
        return TRUE;
    if (nm->code == NM_RCLICK && nm->hwndFrom && nm->hwndFrom == header())
        on_header_right_click();
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

BOOL CQuickList::on_tool_need_text(NMHDR* nm, LRESULT* result)
{
    *result = 0;
    if (nm->idFrom == 0)
        return TRUE;
    // The pointer now: the tip asks from its own timer, whose message carries no position.
    CPoint point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    int sub_item = -1;
    int const item = hit_cell(point, sub_item);
    if (item < 0 || sub_item < 0)
        return FALSE;
    std::string const& tip = FillCellRequest(item, sub_item)->m_strTipText.str();
    if (tip.empty())
        return FALSE;
    // At most 79 characters and the terminator, whatever the parent set.
    std::string const cut = tip.substr(0, kTipChars);
    if (nm->code == TTN_NEEDTEXTW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(nm);
        widen(cut, info->szText, std::size(info->szText));
        info->lpszText = info->szText;
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFO*>(nm);
        std::memcpy(info->szText, cut.c_str(), cut.size() + 1);
        info->lpszText = info->szText;
    }
    return TRUE;
}
