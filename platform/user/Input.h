// Keyboard focus, mouse capture and the input state of the window API. Input from a
// presenter or a test enters through the input module (InputInjection.h) and arrives as the
// usual window messages; these calls say where it goes. Also the small services that input
// handling needs: the pointer shape, the beep counter and the text clipboard.
#pragma once

#include "platform/user/User.h"

constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_CANCEL = 0x03;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_CLEAR = 0x0C;
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_SELECT = 0x29;
constexpr int VK_SNAPSHOT = 0x2C;
constexpr int VK_LWIN = 0x5B;
constexpr int VK_APPS = 0x5D;
constexpr int VK_NUMPAD0 = 0x60;
constexpr int VK_NUMPAD9 = 0x69;
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int VK_F3 = 0x72;
constexpr int VK_F4 = 0x73;
constexpr int VK_F5 = 0x74;
constexpr int VK_F10 = 0x79;
constexpr int VK_F12 = 0x7B;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_RSHIFT = 0xA1;
constexpr int VK_LCONTROL = 0xA2;
constexpr int VK_RCONTROL = 0xA3;
// US keyboard punctuation keys; the letters and digits use their upper-case ASCII code.
constexpr int VK_OEM_1 = 0xBA;      // ; :
constexpr int VK_OEM_PLUS = 0xBB;   // = +
constexpr int VK_OEM_COMMA = 0xBC;  // , <
constexpr int VK_OEM_MINUS = 0xBD;  // - _
constexpr int VK_OEM_PERIOD = 0xBE; // . >
constexpr int VK_OEM_2 = 0xBF;      // / ?
constexpr int VK_OEM_3 = 0xC0;      // ` ~
constexpr int VK_OEM_4 = 0xDB;      // [ {
constexpr int VK_OEM_5 = 0xDC;      // \ |
constexpr int VK_OEM_6 = 0xDD;      // ] }
constexpr int VK_OEM_7 = 0xDE;      // ' "

// Answers to WM_MOUSEACTIVATE.
constexpr LRESULT MA_ACTIVATE = 1;
constexpr LRESULT MA_ACTIVATEANDEAT = 2;
constexpr LRESULT MA_NOACTIVATE = 3;
constexpr LRESULT MA_NOACTIVATEANDEAT = 4;

constexpr int WHEEL_DELTA = 120;
inline short GET_WHEEL_DELTA_WPARAM(WPARAM wparam) { return static_cast<short>(HIWORD(wparam)); }
inline WORD GET_KEYSTATE_WPARAM(WPARAM wparam) { return LOWORD(wparam); }

constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_QUERY = 0x40000000;
constexpr DWORD TME_CANCEL = 0x80000000;
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;

struct TRACKMOUSEEVENT {
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};
using LPTRACKMOUSEEVENT = TRACKMOUSEEVENT*;

constexpr UINT CF_TEXT = 1;

extern "C" {

// Focus moves with WM_KILLFOCUS to the window losing it, then WM_SETFOCUS to the window
// getting it; each names the other in wParam.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
// While a window has the capture, every mouse message goes to it, wherever the pointer is.
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
SHORT GetKeyState(int virtual_key);
SHORT GetAsyncKeyState(int virtual_key);
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
// Only TME_LEAVE is kept: one WM_MOUSELEAVE is posted when the pointer leaves the client
// area of the window, then the request is over and must be made again. TME_CANCEL withdraws
// it; TME_QUERY fills the structure with the request in force.
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
// 500 ms; two presses of one button on one CS_DBLCLKS window within this time and within
// SM_CXDOUBLECLK x SM_CYDOUBLECLK pixels make the second a WM_xBUTTONDBLCLK.
UINT GetDoubleClickTime();
// The pointer shape is remembered, not shown: presenters read it.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// Makes no sound; counts the beeps so that tests can see them (platform::user::beep_count).
BOOL MessageBeep(UINT type);
// Character classes of the Latin-1 range of the narrow character set.
BOOL IsCharAlpha(CHAR ch);
BOOL IsCharAlphaNumeric(CHAR ch);
BOOL IsCharUpper(CHAR ch);
BOOL IsCharLower(CHAR ch);

// The clipboard of the process. Only CF_TEXT is kept. SetClipboardData takes ownership of
// memory from GlobalAlloc (the C heap) holding zero-terminated text; GetClipboardData answers
// a handle that stays the clipboard's. Both need the clipboard opened by OpenClipboard.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);

}
