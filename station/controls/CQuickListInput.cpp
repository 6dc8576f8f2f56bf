// Keys, type-ahead, find requests, clicks and the header's right-click of CQuickList.
//
// | input                    | list                                   | parent hears                 |
// | any key down             | -                                      | QLN_KEYDOWN first            |
// | Left / Right (navigation)| current column -1 / +1; nothing else   | QLN_COLUMNCHANGE when valid  |
// | printable key, ≥2 columns| selects the next item whose column-1   | -                            |
// |                          | text starts with the key's character   |                              |
// | Enter                    | handled by the list, not the dialog    | QLN_KEYDOWN                  |
// | left press               | default (selection, focus)             | QLN_BUTTONDOWN before it     |
// | click on a cell          | current column to the clicked column   | QLN_CELLCLICK, then NM_CLICK |
// | right-click on the header| -                                      | QLN_HEADERMENU               |
#include "station/controls/CQuickList.h"

#include "platform/controls/common/ListView.h"

#include <cstring>
#include <strings.h>

void CQuickList::OnKeyDown(UINT key, UINT, UINT)
{
    ::SendMessage(::GetParent(m_hWnd), QLN_KEYDOWN, key, 0);
    if (m_bColumnNavigation && (key == VK_LEFT || key == VK_RIGHT)) {
        StepCurrentColumn(m_nCurrentColumn + (key == VK_LEFT ? -1 : 1));
        return;
    }
    if (key == VK_SHIFT)
        m_bShiftDown = 1;
    if ((key >= 32 && key <= 126) || m_mapShifted.count(static_cast<int>(key)))
        type_ahead(key);
    Default();
}

void CQuickList::OnKeyUp(UINT key, UINT, UINT)
{
    if (key == VK_SHIFT)
        m_bShiftDown = 0;
    Default();
}

void CQuickList::OnMouseMove(UINT, CPoint)
{
    // Consumed: the list view's hot tracking must not follow the pointer.
}

void CQuickList::OnLButtonDown(UINT, CPoint)
{
    ::SendMessage(::GetParent(m_hWnd), QLN_BUTTONDOWN, 0, 0);
    Default();
}

BOOL CQuickList::PreTranslateMessage(MSG* pMsg)
{
    // Enter goes to the list itself, so it never presses the dialog's default button.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && pMsg->hwnd == m_hWnd) {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}

// [SECTION] Type-ahead

CString CQuickList::search_text(UINT key) const
{
    int const code = static_cast<int>(key);
    auto const shifted = m_mapShifted.find(code);
    if (m_bShiftDown)
        return shifted != m_mapShifted.end() ? shifted->second : CString();
    if (shifted != m_mapShifted.end()) {
        auto const plain = m_mapUnshifted.find(code);
        return plain != m_mapUnshifted.end() ? plain->second : CString(static_cast<TCHAR>(code));
    }
    return CString(static_cast<TCHAR>(code));
}

// Selects the first item after the selected one whose column-1 text begins with the key's
// character, wrapping once, and scrolls it to the top of the view.
void CQuickList::type_ahead(UINT key)
{
    int const count = item_count();
    if (count == 0 || column_count() < 2)
        return;
    CString const wanted = search_text(key);
    int const start = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED) + 1;
    for (int n = 0; n < count; ++n) {
        int const item = (start + n) % count;
        CString const& text = FillCellRequest(item, 1)->m_strText;
        std::string const first = text.str().substr(0, text.IsEmpty() ? 0 : 1);
        if (strcasecmp(first.c_str(), wanted.GetString()) != 0)
            continue;
        ListView_SetItemState(m_hWnd, item, LVIS_SELECTED, LVIS_SELECTED);
        RECT row { LVIR_BOUNDS, 0, 0, 0 };
        ::SendMessage(m_hWnd, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&row));
        int const top = static_cast<int>(::SendMessage(m_hWnd, LVM_GETTOPINDEX, 0, 0));
        ::SendMessage(m_hWnd, LVM_SCROLL, 0, static_cast<LPARAM>((item - top) * (row.bottom - row.top)));
        return;
    }
}

// [SECTION] Find requests

BOOL CQuickList::OnFindItem(NMHDR* header, LRESULT* result)
{
    if (m_nFindColumn == -2)
        return FALSE;
    auto const* find = reinterpret_cast<NMLVFINDITEM const*>(header);
    int const column = m_nFindColumn == -1 ? m_nCurrentColumn : m_nFindColumn;
    int const count = item_count();
    *result = -1;
    if (count == 0 || !find->lvfi.psz)
        return TRUE;
    int const start = find->iStart >= 0 && find->iStart < count ? find->iStart : 0;
    std::size_t const length = std::strlen(find->lvfi.psz);
    for (int n = 0; n < count; ++n) {
        int const item = (start + n) % count;
        if (strncasecmp(FillCellRequest(item, column)->m_strText.GetString(), find->lvfi.psz, length) == 0) {
            *result = item;
            break;
        }
    }
    return TRUE;
}

// [SECTION] Clicks

int CQuickList::hit_cell(CPoint point, int& sub_item, UINT* flags) const
{
    LVHITTESTINFO hit { point, 0, -1, -1 };
    int const item = static_cast<int>(::SendMessage(m_hWnd, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    sub_item = hit.iSubItem;
    if (flags)
        *flags = hit.flags;
    return item;
}

BOOL CQuickList::OnClick(NMHDR* header, LRESULT* result)
{
    *result = 0;
    CPoint const point = reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction;
    int sub_item = -1;
    int const item = hit_cell(point, sub_item);
    if (item < 0 || sub_item < 0)
        return FALSE;
    StepCurrentColumn(sub_item);
    QuickCellClick click { item, sub_item, 0, 0 };
    CRect rect;
    if (GetCellRect(item, sub_item, rect)) {
        QuickCellLayout const layout = LayOutCell(*FillCellRequest(item, sub_item), rect);
        click.m_bOnImage = layout.has_image && layout.image.PtInRect(point);
        click.m_bOnCheckBox = layout.has_check_box && layout.check_box.PtInRect(point);
    }
    ::SendMessage(::GetParent(m_hWnd), QLN_CELLCLICK, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&click));
    // The parent sees NM_CLICK as well.
    return FALSE;
}

void CQuickList::on_header_right_click()
{
    QuickHeaderMenu menu { -1, {} };
    DWORD const pos = ::GetMessagePos();
    menu.m_ptScreen = { static_cast<SHORT>(LOWORD(pos)), static_cast<SHORT>(HIWORD(pos)) };
    HDHITTESTINFO hit {};
    hit.pt = menu.m_ptScreen;
    ::ScreenToClient(header(), &hit.pt);
    int const column = static_cast<int>(::SendMessage(header(), HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    menu.m_nColumn = column >= 0 && (hit.flags & (HHT_ONHEADER | HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? column : -1;
    ::SendMessage(::GetParent(m_hWnd), QLN_HEADERMENU, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&menu));
}
