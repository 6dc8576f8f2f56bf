// Wrappers of the combo box and the list box: members that send the controls' messages, and
// the owner-drawing virtuals (DrawItem, MeasureItem, CompareItem, DeleteItem) that the
// parent's WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM and WM_DELETEITEM reach through
// reflection. WM_MEASUREITEM of an owner-drawn fixed list comes while the control is being
// created, before an object can be bound to it: the parent's own handler sees that one.
#pragma once

#include "platform/framework/ButtonControls.h"

#include <string>

namespace platform::framework {

// The messages in which the combo box and the list box differ only by name.
struct ComboBoxMessages {
    static constexpr UINT count = CB_GETCOUNT, get_sel = CB_GETCURSEL, set_sel = CB_SETCURSEL, add = CB_ADDSTRING,
                          insert = CB_INSERTSTRING, remove = CB_DELETESTRING, reset = CB_RESETCONTENT,
                          text_len = CB_GETLBTEXTLEN, text = CB_GETLBTEXT, find = CB_FINDSTRING,
                          find_exact = CB_FINDSTRINGEXACT, select = CB_SELECTSTRING, get_data = CB_GETITEMDATA,
                          set_data = CB_SETITEMDATA, get_height = CB_GETITEMHEIGHT, set_height = CB_SETITEMHEIGHT;
};
struct ListBoxMessages {
    static constexpr UINT count = LB_GETCOUNT, get_sel = LB_GETCURSEL, set_sel = LB_SETCURSEL, add = LB_ADDSTRING,
                          insert = LB_INSERTSTRING, remove = LB_DELETESTRING, reset = LB_RESETCONTENT,
                          text_len = LB_GETTEXTLEN, text = LB_GETTEXT, find = LB_FINDSTRING,
                          find_exact = LB_FINDSTRINGEXACT, select = LB_SELECTSTRING, get_data = LB_GETITEMDATA,
                          set_data = LB_SETITEMDATA, get_height = LB_GETITEMHEIGHT, set_height = LB_SETITEMHEIGHT;
};

// The members both controls share: the string list, item data and heights, and the
// owner-drawing virtuals.
template <typename M>
class StringListWnd : public CWnd {
public:
    int GetCount() const { return send_int(M::count); }
    int GetCurSel() const { return send_int(M::get_sel); }
    int SetCurSel(int index) { return send_int(M::set_sel, static_cast<WPARAM>(index)); }
    int AddString(LPCTSTR text) { return send_int(M::add, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, LPCTSTR text)
    {
        return send_int(M::insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    int DeleteString(UINT index) { return send_int(M::remove, index); }
    void ResetContent() { SendMessage(M::reset); }
    int FindString(int start, LPCTSTR text) const
    {
        return send_int(M::find, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
    }
    int FindStringExact(int start, LPCTSTR text) const
    {
        return send_int(M::find_exact, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
    }
    int SelectString(int start, LPCTSTR text)
    {
        return send_int(M::select, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
    }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(M::get_data, static_cast<WPARAM>(index))); }
    int SetItemData(int index, DWORD_PTR data)
    {
        return send_int(M::set_data, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    // For a combo box, index -1 is the selection field; otherwise the list's items.
    int GetItemHeight(int index) const { return send_int(M::get_height, static_cast<WPARAM>(index)); }
    int SetItemHeight(int index, UINT height) { return send_int(M::set_height, static_cast<WPARAM>(index), MAKELPARAM(height, 0)); }

    // Owner-drawn lists (the OWNERDRAWFIXED / OWNERDRAWVARIABLE styles).
    virtual void DrawItem(LPDRAWITEMSTRUCT) { }
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) { }
    virtual int CompareItem(COMPAREITEMSTRUCT*) { return 0; }
    virtual void DeleteItem(LPDELETEITEMSTRUCT) { }

protected:
    AFX_OWNER_DRAW_CHILD_NOTIFY()

    int item_text_len(int index) const { return send_int(M::text_len, static_cast<WPARAM>(index)); }
    int item_text(int index, LPTSTR buffer) const
    {
        return send_int(M::text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    }
    // The whole text, sized from the length message; empty for an index out of range.
    void item_text(int index, CString& text) const
    {
        int const length = item_text_len(index);
        if (length < 0) {
            text.Empty();
            return;
        }
        std::string buffer(static_cast<size_t>(length) + 1, '\0');
        item_text(index, buffer.data());
        text = buffer.c_str();
    }
    int send_int(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return static_cast<int>(SendMessage(message, wParam, lParam));
    }
};

}

class CComboBox : public platform::framework::StringListWnd<platform::framework::ComboBoxMessages> {
public:
    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("ComboBox", "", style, rect, parent, id);
    }
    int GetLBTextLen(int index) const { return item_text_len(index); }
    int GetLBText(int index, LPTSTR buffer) const { return item_text(index, buffer); }
    void GetLBText(int index, CString& text) const { item_text(index, text); }
    void GetDroppedControlRect(LPRECT rect) const { SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
    int GetDroppedWidth() const { return send_int(CB_GETDROPPEDWIDTH); }
    int SetDroppedWidth(UINT width) { return send_int(CB_SETDROPPEDWIDTH, width); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(show)); }
    BOOL LimitText(int limit) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(limit))); }
    DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int start, int end) { return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end))); }
};

class CListBox : public platform::framework::StringListWnd<platform::framework::ListBoxMessages> {
public:
    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("ListBox", "", style, rect, parent, id);
    }
    int GetTopIndex() const { return send_int(LB_GETTOPINDEX); }
    int SetTopIndex(int index) { return send_int(LB_SETTOPINDEX, static_cast<WPARAM>(index)); }
    int GetTextLen(int index) const { return item_text_len(index); }
    int GetText(int index, LPTSTR buffer) const { return item_text(index, buffer); }
    void GetText(int index, CString& text) const { item_text(index, text); }
    int GetItemRect(int index, LPRECT rect) const
    {
        return send_int(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
    }

};
