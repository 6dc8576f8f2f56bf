// Dialog data exchange: DoDataExchange moves values between members and controls, in the
// direction CDataExchange::m_bSaveAndValidate gives (TRUE: controls -> members). The DDX_
// calls talk to controls only through their messages.
//
// Refusals: a text that is not a number for an integer member, or a DDV_ check that fails,
// shows the framework's message box ("Please enter an integer." and the like, MB_ICONEXCLAMATION,
// answerable by a test's modal hook), moves the focus to the control, keeps the member's
// previous value and stops the exchange: UpdateData answers FALSE and the later DDX_ calls of
// that pass do not run.
#pragma once

#include "platform/framework/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) { }

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange as refused (see above).
    [[noreturn]] void Fail();

    HWND m_hWndLastControl {};
    BOOL m_bEditLastControl {};
};

// Thrown by CDataExchange::Fail and caught by UpdateData.
struct AfxDataExchangeFailure { };

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of the group (the one with WS_GROUP); the value is the
// index of the checked button in the group, -1 when none is.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
// The address as a 32-bit value, first field in the most significant byte.
void DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value);
// Loading limits the edit to `count` characters (EM_LIMITTEXT); saving refuses longer texts.
void DDV_MaxChars(CDataExchange* pDX, CString const& value, int count);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minimum, UINT maximum);
