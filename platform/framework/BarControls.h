// Wrappers of the progress bar, the trackbar (CSliderCtrl), the tab control and the IP
// address control: members that send the controls' messages.
#pragma once

#include "platform/framework/ControlHeaders.h"
#include "platform/framework/Wnd.h"

class CProgressCtrl : public CWnd {
public:
    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(PROGRESS_CLASS, "", style, rect, parent, id);
    }
    void SetRange(short lower, short upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    void GetRange(int& lower, int& upper) const
    {
        PBRANGE range {};
        SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        lower = range.iLow, upper = range.iHigh;
    }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    int SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position))); }
    int OffsetPos(int delta) { return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(delta))); }
    int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step))); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
    COLORREF SetBarColor(COLORREF colour) { return static_cast<COLORREF>(SendMessage(PBM_SETBARCOLOR, 0, colour)); }
    COLORREF SetBkColor(COLORREF colour) { return static_cast<COLORREF>(SendMessage(PBM_SETBKCOLOR, 0, colour)); }
};

class CSliderCtrl : public CWnd {
public:
    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(TRACKBAR_CLASS, "", style, rect, parent, id);
    }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    void GetRange(int& low, int& high) const { low = GetRangeMin(), high = GetRangeMax(); }
    void SetRangeMin(int low, BOOL redraw = FALSE) { SendMessage(TBM_SETRANGEMIN, static_cast<WPARAM>(redraw), low); }
    void SetRangeMax(int high, BOOL redraw = FALSE) { SendMessage(TBM_SETRANGEMAX, static_cast<WPARAM>(redraw), high); }
    void SetRange(int low, int high, BOOL redraw = FALSE)
    {
        SetRangeMin(low, FALSE);
        SetRangeMax(high, redraw);
    }
    void SetTicFreq(int frequency) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(frequency)); }
    int GetPageSize() const { return static_cast<int>(SendMessage(TBM_GETPAGESIZE)); }
    int SetPageSize(int size) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, size)); }
    int GetLineSize() const { return static_cast<int>(SendMessage(TBM_GETLINESIZE)); }
    int SetLineSize(int size) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, size)); }
};

class CTabCtrl : public CWnd {
public:
    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(WC_TABCONTROL, "", style, rect, parent, id);
    }
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    BOOL GetItem(int index, TCITEM* item) const
    {
        return static_cast<BOOL>(SendMessage(TCM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(int index, TCITEM* item)
    {
        return static_cast<BOOL>(SendMessage(TCM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    LONG InsertItem(int index, TCITEM* item)
    {
        return static_cast<LONG>(SendMessage(TCM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    LONG InsertItem(int index, LPCTSTR text)
    {
        TCITEM item {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPSTR>(text);
        return InsertItem(index, &item);
    }
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(index))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
    BOOL GetItemRect(int index, LPRECT rect) const
    {
        return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }
    // larger TRUE: the window rectangle for a display area; FALSE: the display area of a
    // window rectangle.
    void AdjustRect(BOOL larger, LPRECT rect) { SendMessage(TCM_ADJUSTRECT, static_cast<WPARAM>(larger), reinterpret_cast<LPARAM>(rect)); }
};

class CIPAddressCtrl : public CWnd {
public:
    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(WC_IPADDRESS, "", style, rect, parent, id);
    }
    BOOL IsBlank() const { return static_cast<BOOL>(SendMessage(IPM_ISBLANK)); }
    void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
    // The first field is the most significant byte.
    void SetAddress(DWORD address) { SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(address)); }
    void SetAddress(BYTE f0, BYTE f1, BYTE f2, BYTE f3) { SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(f0, f1, f2, f3)); }
    // Answers the number of non-blank fields.
    int GetAddress(DWORD& address) const
    {
        return static_cast<int>(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)));
    }
    int GetAddress(BYTE& f0, BYTE& f1, BYTE& f2, BYTE& f3) const
    {
        DWORD address = 0;
        int const fields = GetAddress(address);
        f0 = static_cast<BYTE>(FIRST_IPADDRESS(address)), f1 = static_cast<BYTE>(SECOND_IPADDRESS(address));
        f2 = static_cast<BYTE>(THIRD_IPADDRESS(address)), f3 = static_cast<BYTE>(FOURTH_IPADDRESS(address));
        return fields;
    }
    void SetFieldFocus(WORD field) { SendMessage(IPM_SETFOCUS, field); }
};
