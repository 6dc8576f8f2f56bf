// Keyboard focus, mouse capture and the input state of the window API. Input from a
// presenter or a test enters through the input module and arrives as the usual window
// messages; these calls say where it goes.
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
constexpr int VK_F1 = 0x70;
constexpr int VK_F4 = 0x73;

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

}
