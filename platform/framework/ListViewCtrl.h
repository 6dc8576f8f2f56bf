// Wrappers of the list view (report mode, owner data) and of its header control: members that
// send the controls' messages, and DrawItem for owner-drawn forms reached through reflection.
// GetHeaderCtrl answers the header's own object when the header is bound to a CHeaderCtrl
// (a subclassing class), otherwise a wrapper the list keeps for it.
#pragma once

#include "platform/framework/ButtonControls.h"
#include "platform/framework/Collections.h"

#include <string>

class CImageList;

class CHeaderCtrl : public CWnd {
public:
    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(WC_HEADER, "", style, rect, parent, id);
    }
    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    BOOL GetItem(int index, HDITEM* item) const
    {
        return static_cast<BOOL>(SendMessage(HDM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(int index, HDITEM* item)
    {
        return static_cast<BOOL>(SendMessage(HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    int InsertItem(int index, HDITEM* item)
    {
        return static_cast<int>(SendMessage(HDM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(index))); }
    BOOL GetItemRect(int index, LPRECT rect) const
    {
        return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }
    int HitTest(HDHITTESTINFO* info) const { return static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(info))); }
    int OrderToIndex(int order) const { return static_cast<int>(SendMessage(HDM_ORDERTOINDEX, static_cast<WPARAM>(order))); }
    BOOL GetOrderArray(LPINT order, int count = -1) const
    {
        count = count < 0 ? GetItemCount() : count;
        return static_cast<BOOL>(SendMessage(HDM_GETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)));
    }
    BOOL SetOrderArray(int count, LPINT order)
    {
        return static_cast<BOOL>(SendMessage(HDM_SETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)));
    }

    // Items with HDF_OWNERDRAW.
    virtual void DrawItem(LPDRAWITEMSTRUCT) { }

protected:
    AFX_OWNER_DRAW_CHILD_NOTIFY()
};

class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(WC_LISTVIEW, "", style, rect, parent, id);
    }
    ~CListCtrl() override { m_header.m_hWnd = nullptr; }

    // [SECTION] Items
    int GetItemCount() const { return send_int(LVM_GETITEMCOUNT); }
    BOOL SetItemCount(int count) { return SetItemCountEx(count, 0); }
    // Owner data: the list has `count` items that the parent describes on request.
    BOOL SetItemCountEx(int count, DWORD flags = LVSICF_NOINVALIDATEALL)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), static_cast<LPARAM>(flags)));
    }
    int InsertItem(LVITEM const* item) { return send_int(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(item)); }
    int InsertItem(int index, LPCTSTR text, int image = -1)
    {
        LVITEM item {};
        item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
        item.iItem = index;
        item.pszText = const_cast<LPSTR>(text);
        item.iImage = image;
        return InsertItem(&item);
    }
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL GetItem(LVITEM* item) const { return static_cast<BOOL>(SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL SetItem(LVITEM const* item) { return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL SetItemText(int index, int sub_item, LPCTSTR text)
    {
        LVITEM item {};
        item.iSubItem = sub_item;
        item.pszText = const_cast<LPSTR>(text);
        return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    }
    int GetItemText(int index, int sub_item, LPTSTR buffer, int size) const
    {
        LVITEM item {};
        item.iSubItem = sub_item;
        item.pszText = buffer;
        item.cchTextMax = size;
        return send_int(LVM_GETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    CString GetItemText(int index, int sub_item) const
    {
        // Grows the buffer until the text fits with room to spare.
        for (int size = 256;; size *= 4) {
            std::string buffer(static_cast<size_t>(size), '\0');
            int const length = GetItemText(index, sub_item, buffer.data(), size);
            if (length < size - 1 || size >= (1 << 20))
                return CString(buffer.c_str());
        }
    }
    BOOL SetItemData(int index, DWORD_PTR data)
    {
        LVITEM item {};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        item.lParam = static_cast<LPARAM>(data);
        return SetItem(&item);
    }
    DWORD_PTR GetItemData(int index) const
    {
        LVITEM item {};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
    }
    UINT GetItemState(int index, UINT mask) const { return ListView_GetItemState(m_hWnd, index, mask); }
    BOOL SetItemState(int index, UINT state, UINT mask) { return ListView_SetItemState(m_hWnd, index, state, mask); }
    int GetNextItem(int start, int flags) const { return ListView_GetNextItem(m_hWnd, start, static_cast<UINT>(flags)); }
    UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    // Positions walk the selected items: the position is the item's index + 1.
    POSITION GetFirstSelectedItemPosition() const { return position_of(GetNextItem(-1, LVNI_SELECTED)); }
    int GetNextSelectedItem(POSITION& position) const
    {
        int const index = static_cast<int>(reinterpret_cast<INT_PTR>(position)) - 1;
        position = position_of(GetNextItem(index, LVNI_SELECTED));
        return index;
    }
    int FindItem(LVFINDINFO* find, int start = -1) const
    {
        return send_int(LVM_FINDITEM, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(find));
    }

    // [SECTION] Columns
    int InsertColumn(int index, LVCOLUMN const* column)
    {
        return send_int(LVM_INSERTCOLUMN, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(column));
    }
    int InsertColumn(int index, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int sub_item = -1)
    {
        LVCOLUMN column {};
        column.mask = LVCF_TEXT | LVCF_FMT | (width >= 0 ? LVCF_WIDTH : 0) | (sub_item >= 0 ? LVCF_SUBITEM : 0);
        column.fmt = format;
        column.cx = width;
        column.pszText = const_cast<LPSTR>(heading);
        column.iSubItem = sub_item;
        return InsertColumn(index, &column);
    }
    BOOL DeleteColumn(int index) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(index))); }
    BOOL GetColumn(int index, LVCOLUMN* column) const
    {
        return static_cast<BOOL>(SendMessage(LVM_GETCOLUMN, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(column)));
    }
    BOOL SetColumn(int index, LVCOLUMN const* column)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMN, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(column)));
    }
    int GetColumnWidth(int index) const { return send_int(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index)); }
    BOOL SetColumnWidth(int index, int width)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), MAKELPARAM(static_cast<WORD>(width), 0)));
    }
    CHeaderCtrl* GetHeaderCtrl()
    {
        HWND const header = ListView_GetHeader(m_hWnd);
        if (!header)
            return nullptr;
        if (auto* own = dynamic_cast<CHeaderCtrl*>(CWnd::FromHandlePermanent(header)))
            return own;
        m_header.m_hWnd = header;
        return &m_header;
    }

    // [SECTION] Geometry and hit tests
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const
    {
        rect->left = static_cast<LONG>(code);
        return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }
    BOOL GetSubItemRect(int index, int sub_item, int code, CRect& rect) const
    {
        rect.top = sub_item;
        rect.left = code;
        return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(static_cast<LPRECT>(&rect))));
    }
    int HitTest(LVHITTESTINFO* info) const { return send_int(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)); }
    int HitTest(CPoint point, UINT* flags = nullptr) const
    {
        LVHITTESTINFO info {};
        info.pt = point;
        int const index = HitTest(&info);
        if (flags)
            *flags = info.flags;
        return index;
    }
    int SubItemHitTest(LVHITTESTINFO* info) { return send_int(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)); }
    BOOL EnsureVisible(int index, BOOL partial_ok) { return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partial_ok)); }
    BOOL Scroll(CSize size) { return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy)); }
    BOOL RedrawItems(int first, int last) { return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last)); }
    int GetTopIndex() const { return send_int(LVM_GETTOPINDEX); }
    int GetCountPerPage() const { return send_int(LVM_GETCOUNTPERPAGE); }
    int GetHotItem() const { return send_int(LVM_GETHOTITEM); }
    int SetHotItem(int index) { return send_int(LVM_SETHOTITEM, static_cast<WPARAM>(index)); }

    // [SECTION] Look
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD style) { return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style))); }
    HIMAGELIST SetImageList(HIMAGELIST list, int which)
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(list)));
    }
    HIMAGELIST GetImageList(int which) const { return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(which))); }
    COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
    BOOL SetBkColor(COLORREF colour) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour))); }
    COLORREF GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }
    BOOL SetTextColor(COLORREF colour) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour))); }
    COLORREF GetTextBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR)); }
    BOOL SetTextBkColor(COLORREF colour) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour))); }

    virtual void DrawItem(LPDRAWITEMSTRUCT) { }

protected:
    AFX_OWNER_DRAW_CHILD_NOTIFY()

private:
    static POSITION position_of(int index) { return reinterpret_cast<POSITION>(static_cast<INT_PTR>(index + 1)); }
    int send_int(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return static_cast<int>(SendMessage(message, wParam, lParam));
    }
    CHeaderCtrl m_header;
};
