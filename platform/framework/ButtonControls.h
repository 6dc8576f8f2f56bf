// Wrappers of the button, static and edit controls: thin members that send the controls'
// messages. The owner-drawn forms reach DrawItem through reflection: the parent's WM_DRAWITEM
// comes back to the control's object (CWnd::OnChildNotify), which calls the virtual.
// A class that overrides DrawItem adds the owner-draw style itself (BS_OWNERDRAW,
// SS_OWNERDRAW), usually in PreSubclassWindow.
#pragma once

#include "platform/framework/ControlHeaders.h"
#include "platform/framework/ResourceApi.h"
#include "platform/framework/Wnd.h"

// The reflected owner-drawing messages, answered by the control object's virtuals; other
// reflected messages go on to the control's message map.
template <class Control>
BOOL afx_owner_draw_notify(Control& control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DRAWITEM:
        control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    case WM_MEASUREITEM:
        if constexpr (requires { control.MeasureItem(nullptr); }) {
            control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
            *pResult = TRUE;
            return TRUE;
        }
        break;
    case WM_DELETEITEM:
        if constexpr (requires { control.DeleteItem(static_cast<LPDELETEITEMSTRUCT>(nullptr)); }) {
            control.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
            *pResult = TRUE;
            return TRUE;
        }
        break;
    case WM_COMPAREITEM:
        if constexpr (requires { control.CompareItem(nullptr); }) {
            *pResult = control.CompareItem(reinterpret_cast<COMPAREITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

#define AFX_OWNER_DRAW_CHILD_NOTIFY()                                                                \
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override       \
    {                                                                                                \
        return afx_owner_draw_notify(*this, message, lParam, pResult)                                \
            || CWnd::OnChildNotify(message, wParam, lParam, pResult);                                \
    }

class CStatic : public CWnd {
public:
    BOOL Create(LPCTSTR text, DWORD style, RECT const& rect, CWnd* parent, UINT id = 0xFFFF)
    {
        return CWnd::Create("Static", text, style, rect, parent, id);
    }
    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON)); }
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }

    // Called for an SS_OWNERDRAW static; the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT) { }

protected:
    AFX_OWNER_DRAW_CHILD_NOTIFY()
};

class CButton : public CWnd {
public:
    BOOL Create(LPCTSTR text, DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("Button", text, style, rect, parent, id);
    }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(highlight)); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    HICON SetIcon(HICON icon)
    {
        return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON)); }
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP)); }

    // Called for a BS_OWNERDRAW button; the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT) { }

protected:
    AFX_OWNER_DRAW_CHILD_NOTIFY()
};

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("Edit", "", style, rect, parent, id);
    }
    void LimitText(int limit = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(limit)); }
    void SetLimitText(UINT limit) { SendMessage(EM_SETLIMITTEXT, limit); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    DWORD GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
    void GetSel(int& start, int& end) const
    {
        DWORD s = 0, e = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        start = static_cast<int>(s), end = static_cast<int>(e);
    }
    void SetSel(int start, int end, BOOL = FALSE) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void SetSel(DWORD selection, BOOL no_scroll = FALSE) { SetSel(LOWORD(selection), HIWORD(selection), no_scroll); }
    void ReplaceSel(LPCTSTR text, BOOL can_undo = FALSE)
    {
        SendMessage(EM_REPLACESEL, static_cast<WPARAM>(can_undo), reinterpret_cast<LPARAM>(text));
    }
    BOOL SetReadOnly(BOOL read_only = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(read_only))); }
    void SetPasswordChar(TCHAR ch) { SendMessage(EM_SETPASSWORDCHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch))); }
    TCHAR GetPasswordChar() const { return static_cast<TCHAR>(SendMessage(EM_GETPASSWORDCHAR)); }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, static_cast<WPARAM>(modified)); }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    void Cut() { SendMessage(WM_CUT); }
    void Copy() { SendMessage(WM_COPY); }
    void Paste() { SendMessage(WM_PASTE); }
    void Clear() { SendMessage(WM_CLEAR); }
};
