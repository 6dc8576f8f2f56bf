#include "platform/framework/DataExchange.h"

#include "platform/controls/TabMessages.h"
#include "platform/framework/DialogManager.h"
#include "platform/framework/MessageBox.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

// The address control's messages.

CString text_of(HWND hwnd)
{
    CString text;
    CWnd::FromHandle(hwnd)->GetWindowText(text);
    return text;
}

void refuse(CDataExchange* pDX, LPCTSTR message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// A whole decimal number with optional blanks around it, within [minimum, maximum].
bool parse_number(CString const& text, long long minimum, long long maximum, long long& out)
{
    char const* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    if (!*p)
        return false;
    char* end = nullptr;
    errno = 0;
    long long const value = std::strtoll(p, &end, 10);
    if (end == p || errno == ERANGE)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end || value < minimum || value > maximum)
        return false;
    out = value;
    return true;
}

template<typename T>
void exchange_number(CDataExchange* pDX, int nIDC, T& value, long long minimum, long long maximum, LPCTSTR refusal)
{
    HWND const control = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowText(control, std::to_string(value).c_str());
        return;
    }
    long long parsed = 0;
    if (!parse_number(text_of(control), minimum, maximum, parsed))
        refuse(pDX, refusal);
    value = static_cast<T>(parsed);
}

}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND const control = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_hWndLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND const control = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl && ::IsWindow(m_hWndLastControl)) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw AfxDataExchangeFailure {};
}

void CWnd::DoDataExchange(CDataExchange*) { }

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (AfxDataExchangeFailure const&) {
        return FALSE;
    }
    return TRUE;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND const control = pDX->PrepareCtrl(nIDC);
    if (!control || !rControl.SubclassWindow(control))
        pDX->Fail();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND const control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = text_of(control);
    else
        ::SetWindowText(control, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { exchange_number(pDX, nIDC, value, INT_MIN, INT_MAX, "Please enter an integer."); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { exchange_number(pDX, nIDC, value, INT_MIN, INT_MAX, "Please enter an integer."); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { exchange_number(pDX, nIDC, value, 0, UINT_MAX, "Please enter a positive integer."); }

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND const control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (bool first = true; control; control = ::GetWindow(control, GW_HWNDNEXT), first = false) {
        if (!first && (::GetWindowLong(control, GWL_STYLE) & WS_GROUP))
            break;
        if (!(::SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessage(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessage(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND const control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(control, CB_GETCURSEL, 0, 0));
    else
        ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND const control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(control, LB_GETCURSEL, 0, 0));
    else
        ::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND const control = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        if (::SendMessage(control, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR)
            ::SetWindowText(control, value);
        return;
    }
    LRESULT const selected = ::SendMessage(control, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        value = text_of(control);
        return;
    }
    LRESULT const length = ::SendMessage(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length < 0) {
        value.Empty();
        return;
    }
    CString text;
    LPTSTR buffer = text.GetBuffer(static_cast<int>(length) + 1);
    ::SendMessage(control, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer();
    value = text;
}

void DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value)
{
    HWND const control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        ::SendMessage(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value));
    else
        ::SendMessage(control, IPM_SETADDRESS, 0, static_cast<LPARAM>(value));
}

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int count)
{
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_hWndLastControl && pDX->m_bEditLastControl)
            ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
        return;
    }
    if (value.GetLength() > count) {
        CString message;
        message.Format("Please enter no more than %d characters.", count);
        refuse(pDX, message);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum)
{
    if (pDX->m_bSaveAndValidate && (value < minimum || value > maximum)) {
        CString message;
        message.Format("Please enter an integer between %d and %d.", minimum, maximum);
        refuse(pDX, message);
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minimum, UINT maximum)
{
    if (pDX->m_bSaveAndValidate && (value < minimum || value > maximum)) {
        CString message;
        message.Format("Please enter an integer between %u and %u.", minimum, maximum);
        refuse(pDX, message);
    }
}
