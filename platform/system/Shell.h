// The notification-area icon, and opening files and addresses with the desktop's programs.
//
// Shell_NotifyIcon keeps the icons in the tray model (TrayModel.h). ShellExecute hands the
// file or address to the opener: by default "xdg-open" started with the target as its one
// argument (no shell); tests replace it. A help file "NAME.CHM" opens "NAME.html" from the
// same folder when that exists, since the project ships its help as HTML.
#pragma once

#include "platform/user/Types.h"

#include <functional>
#include <string>

struct NOTIFYICONDATA {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
    DWORD dwState;
    DWORD dwStateMask;
    CHAR szInfo[256];
    UINT uTimeout;
    CHAR szInfoTitle[64];
    DWORD dwInfoFlags;
};
using PNOTIFYICONDATA = NOTIFYICONDATA*;

constexpr DWORD NIM_ADD = 0x0;
constexpr DWORD NIM_MODIFY = 0x1;
constexpr DWORD NIM_DELETE = 0x2;
constexpr UINT NIF_MESSAGE = 0x1;
constexpr UINT NIF_ICON = 0x2;
constexpr UINT NIF_TIP = 0x4;

constexpr int SW_SHOWNORMAL_EXEC = 1;
constexpr INT_PTR SE_ERR_FNF = 2;
constexpr INT_PTR SE_ERR_NOASSOC = 31;

extern "C" {

// The tip is cut to 127 characters even when the caller did not terminate it.
BOOL Shell_NotifyIcon(DWORD message, PNOTIFYICONDATA data);
// Answers a value above 32 on success, SE_ERR_FNF for a file that does not exist, and
// SE_ERR_NOASSOC when the opener failed. Only the "open" verb (or none) is known.
HINSTANCE ShellExecute(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show);

}

namespace platform::system {

// Opens `target` (a file path or an address); answers whether it was handed over.
using ShellOpener = std::function<bool(std::string const& target)>;
// nullptr restores the desktop's opener.
void set_shell_opener(ShellOpener opener);
// The desktop's opener is the program "xdg-open"; tests name one that is not installed.
void set_desktop_opener_program(std::string program);
// Told, on ShellExecute's thread, when the desktop has no opener installed: without it a help
// or web link would do nothing at all. The framework answers with a message box owned by
// ShellExecute's window, as the platform the programs were written for shows its own.
using MissingOpenerReport = std::function<void(HWND owner, std::string const& program, std::string const& target)>;
void set_missing_opener_report(MissingOpenerReport report);
// What ShellExecute opens for `file` in `folder`: the HTML twin of a help file when it
// exists, else the file; "" when a file (not an address) does not exist. Both may separate
// their folders with "\\" (the programs' way); the answer uses "/". The existence test of
// FileAttributes.h asks this same function.
std::string shell_target(std::string const& file, std::string const& folder);

}
