// Wrappers of the combo box and the list box: members that send the controls' messages, and
// the owner-drawing virtuals (DrawItem, MeasureItem, CompareItem, DeleteItem) that the
// parent's WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM and WM_DELETEITEM reach through
// reflection. WM_MEASUREITEM of an owner-drawn fixed list comes while the control is being
// created, before an object can be bound to it: the parent's own handler sees that one.
#pragma once

#include "platform/framework/ButtonControls.h"

#include <string>

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("ComboBox", "", style, rect, parent, id);
    }
    int GetCount() const { return send_int(CB_GETCOUNT); }
    int GetCurSel() const { return send_int(CB_GETCURSEL); }
    int SetCurSel(int index) { return send_int(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    int AddString(LPCTSTR text) { return send_int(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, LPCTSTR text)
    {
        return send_int(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    int DeleteString(UINT index) { return send_int(CB_DELETESTRING, index); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetLBTextLen(int index) const { return send_int(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)); }
    int GetLBText(int index, LPTSTR buffer) const
    {
        return send_int(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    }
    void GetLBText(int index, CString& text) const
    {
        int const length = GetLBTextLen(index);
        if (length < 0) {
            text.Empty();
            return;
        }
        std::string buffer(static_cast<size_t>(length) + 1, '\0');
        GetLBText(index, buffer.data());
        text = buffer.c_str();
    }
    int FindString(int start, LPCTSTR text) const
    {
        return send_int(CB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
    }
    int FindStringExact(int start, LPCTSTR text) const
    {
        return send_int(CB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
    }
    int SelectString(int start, LPCTSTR text)
    {
        return send_int(CB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
    }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index))); }
    int SetItemData(int index, DWORD_PTR data)
    {
        return send_int(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    // index -1: the selection field; otherwise the list's items.
    int GetItemHeight(int index) const { return send_int(CB_GETITEMHEIGHT, static_cast<WPARAM>(index)); }
    int SetItemHeight(int index, UINT height) { return send_int(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), height); }
    void GetDroppedControlRect(LPRECT rect) const { SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
    int GetDroppedWidth() const { return send_int(CB_GETDROPPEDWIDTH); }
    int SetDroppedWidth(UINT width) { return send_int(CB_SETDROPPEDWIDTH, width); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(show)); }
    BOOL LimitText(int limit) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(limit))); }
    DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int start, int end) { return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end))); }

    // Owner-drawn combo boxes (CBS_OWNERDRAWFIXED / CBS_OWNERDRAWVARIABLE).
    virtual void DrawItem(LPDRAWITEMSTRUCT) { }
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) { }
    virtual int CompareItem(COMPAREITEMSTRUCT*) { return 0; }
    virtual void DeleteItem(LPDELETEITEMSTRUCT) { }

protected:
    AFX_OWNER_DRAW_CHILD_NOTIFY()

private:
    int send_int(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return static_cast<int>(SendMessage(message, wParam, lParam));
    }
};

class CListBox : public CWnd {
public:
    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("ListBox", "", style, rect, parent, id);
    }
    int GetCount() const { return send_int(LB_GETCOUNT); }
    int GetCurSel() const { return send_int(LB_GETCURSEL); }
    int SetCurSel(int index) { return send_int(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    int GetTopIndex() const { return send_int(LB_GETTOPINDEX); }
    int SetTopIndex(int index) { return send_int(LB_SETTOPINDEX, static_cast<WPARAM>(index)); }
    int AddString(LPCTSTR text) { return send_int(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, LPCTSTR text)
    {
        return send_int(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    int DeleteString(UINT index) { return send_int(LB_DELETESTRING, index); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetTextLen(int index) const { return send_int(LB_GETTEXTLEN, static_cast<WPARAM>(index)); }
    int GetText(int index, LPTSTR buffer) const
    {
        return send_int(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    }
    void GetText(int index, CString& text) const
    {
        int const length = GetTextLen(index);
        if (length < 0) {
            text.Empty();
            return;
        }
        std::string buffer(static_cast<size_t>(length) + 1, '\0');
        GetText(index, buffer.data());
        text = buffer.c_str();
    }
    int FindString(int start, LPCTSTR text) const
    {
        return send_int(LB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
    }
    int FindStringExact(int start, LPCTSTR text) const
    {
        return send_int(LB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
    }
    int SelectString(int start, LPCTSTR text)
    {
        return send_int(LB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
    }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index))); }
    int SetItemData(int index, DWORD_PTR data)
    {
        return send_int(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    int GetItemRect(int index, LPRECT rect) const
    {
        return send_int(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
    }
    int GetItemHeight(int index) const { return send_int(LB_GETITEMHEIGHT, static_cast<WPARAM>(index)); }
    int SetItemHeight(int index, UINT height) { return send_int(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(height, 0)); }

    // Owner-drawn list boxes (LBS_OWNERDRAWFIXED / LBS_OWNERDRAWVARIABLE).
    virtual void DrawItem(LPDRAWITEMSTRUCT) { }
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) { }
    virtual int CompareItem(COMPAREITEMSTRUCT*) { return 0; }
    virtual void DeleteItem(LPDELETEITEMSTRUCT) { }

protected:
    AFX_OWNER_DRAW_CHILD_NOTIFY()

private:
    int send_int(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return static_cast<int>(SendMessage(message, wParam, lParam));
    }
};
