// The system message box and the framework's AfxMessageBox: a modal dialog of our own with a
// caption (the window title), an icon kind, the text and the buttons of the type.
//
// Rules:
// - Buttons: MB_OK (OK), MB_OKCANCEL (OK, Cancel), MB_YESNO (Yes, No), MB_YESNOCANCEL; the
//   first button is the default one. Clicking a button answers its id.
// - Escape and WM_CLOSE answer IDCANCEL, whatever the buttons.
// - Without an owner the box is a top-level window; with one the owner is disabled while it
//   runs. AfxMessageBox uses the application's title as caption and the safe owner.
// - Tests answer boxes through the window core's modal hook; every box shown is also recorded
//   (platform::framework::message_box_log).
#pragma once

#include "platform/user/User.h"

#include <string>
#include <vector>

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_APPLMODAL = 0x00000000;
constexpr UINT MB_SYSTEMMODAL = 0x00001000;
constexpr UINT MB_TASKMODAL = 0x00002000;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_TOPMOST = 0x00040000;

// Control ids inside the box.
constexpr int message_box_text_id = 0xFFFF;
constexpr int message_box_icon_id = 20;

extern "C" {

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

}

int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT help_id = 0);
int AfxMessageBox(UINT string_id, UINT type = MB_OK, UINT help_id = 0);

namespace platform::framework {

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    UINT type;
    int answer;
};
std::vector<MessageBoxRecord>& message_box_log();

}
