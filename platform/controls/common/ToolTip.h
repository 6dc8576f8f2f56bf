// The tool-tip control: a list of tools (a window, or a rectangle of a window) with their
// texts, and a small pop-up window that shows the text of the tool under the pointer after
// the pointer has rested there. The control learns where the pointer is from mouse messages
// relayed to it (TTM_RELAYEVENT), or seen by itself on the tool's window (TTF_SUBCLASS).
//
// Rules kept from the API these names come from:
// - A tool is named by its window and id (TOOLINFO hwnd, uId); with TTF_IDISHWND the id is a
//   window handle and the tool is that window's whole client area.
// - A tool whose text is LPSTR_TEXTCALLBACK is asked for it each time the tip shows:
//   TTN_GETDISPINFO (TTN_NEEDTEXT) goes as WM_NOTIFY to the tool's window, idFrom being the
//   tool id. The handler copies into szText, points lpszText at a text of its own, or leaves
//   it empty: an empty text shows no tip.
// - TTM_ACTIVATE FALSE hides the tip and shows none until TTM_ACTIVATE TRUE; tools stay.
// - Without TTS_ALWAYSTIP a tip shows only while the tool's top-level window (or one it is
//   owned by) is the active window.
// - Delays default from the double-click time: initial = it, auto-pop = 10 x it, reshow =
//   it / 5. TTM_SETDELAYTIME with -1 restores a default.
//
// The layer's choices:
// - The pointer must rest on one tool for the initial delay (moves within the tool do not
//   restart it); moving straight from a shown tip to another tool waits the reshow delay.
// - A tip ends (pops) on auto-pop, a button press, TTM_POP, deactivation, or the pointer
//   leaving the tool; after auto-pop, a press or TTM_POP it does not come back until the
//   pointer has left the tool. The pointer is checked every 100 ms while a tip waits or shows
//   (GetCursorPos against the tool), so a tip pops even when no message is relayed any more.
// - The tip is placed 20 pixels below the pointer, or above it near the bottom of the
//   screen, and kept inside the screen. With a maximum width (TTM_SETMAXTIPWIDTH) the text
//   wraps at words and at line breaks; without one it is one line.
// - A tool with TTF_TRACK (a tracking tool) shows only through TTM_TRACKACTIVATE: its tip
//   shows at once at the point TTM_TRACKPOSITION gave (its top-left corner there with
//   TTF_ABSOLUTE, else placed as below the pointer), follows later positions, and stays until
//   TTM_TRACKACTIVATE FALSE or the tool is deleted. Relayed pointer messages leave it alone.
// - Texts are kept whole; a callback's answer in szText is read up to its 80th byte, so the
//   longest tip from szText has 79 characters whatever the handler wrote.
#pragma once

#include "platform/controls/common/CommonControls.h"

#include <cstddef>

// [SECTION] Styles and tool flags
constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;

constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_SUBCLASS = 0x0010;
constexpr UINT TTF_TRACK = 0x0020;
constexpr UINT TTF_ABSOLUTE = 0x0080;


// [SECTION] Messages
constexpr UINT TTM_ACTIVATE = WM_USER + 1;
constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
constexpr UINT TTM_ADDTOOL = WM_USER + 4;
constexpr UINT TTM_DELTOOL = WM_USER + 5;
constexpr UINT TTM_NEWTOOLRECT = WM_USER + 6;
constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
constexpr UINT TTM_GETTOOLINFO = WM_USER + 8;
constexpr UINT TTM_UPDATETIPTEXT = WM_USER + 12;
constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
constexpr UINT TTM_TRACKACTIVATE = WM_USER + 17;
constexpr UINT TTM_TRACKPOSITION = WM_USER + 18;
constexpr UINT TTM_GETDELAYTIME = WM_USER + 21;
constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
constexpr UINT TTM_GETMAXTIPWIDTH = WM_USER + 25;
constexpr UINT TTM_POP = WM_USER + 28;
constexpr UINT TTM_ADDTOOLA = TTM_ADDTOOL;
constexpr UINT TTM_DELTOOLA = TTM_DELTOOL;
constexpr UINT TTM_UPDATETIPTEXTA = TTM_UPDATETIPTEXT;

// TTM_SETDELAYTIME / TTM_GETDELAYTIME: which delay (wParam); the time is lParam's low word.
constexpr WPARAM TTDT_AUTOMATIC = 0;
constexpr WPARAM TTDT_RESHOW = 1;
constexpr WPARAM TTDT_AUTOPOP = 2;
constexpr WPARAM TTDT_INITIAL = 3;

// [SECTION] Notifications
constexpr UINT TTN_FIRST = 0u - 520u;
constexpr UINT TTN_GETDISPINFOA = TTN_FIRST - 0u;
constexpr UINT TTN_GETDISPINFOW = TTN_FIRST - 10u;
constexpr UINT TTN_NEEDTEXTA = TTN_GETDISPINFOA;
constexpr UINT TTN_NEEDTEXTW = TTN_GETDISPINFOW;
constexpr UINT TTN_GETDISPINFO = TTN_GETDISPINFOA;
constexpr UINT TTN_NEEDTEXT = TTN_NEEDTEXTA;

// [SECTION] Records
struct TOOLINFO {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
    void* lpReserved;
};
using TTTOOLINFO = TOOLINFO;
using LPTOOLINFO = TOOLINFO*;
// The oldest accepted record ends after lpszText.
constexpr UINT TTTOOLINFO_V1_SIZE = offsetof(TOOLINFO, lParam);

// The tool tip asks with the narrow record; the wide one is declared for handlers written for
// both (they answer TTN_NEEDTEXTW by converting their text).
struct NMTTDISPINFO {
    NMHDR hdr;
    LPSTR lpszText;
    char szText[80];
    HINSTANCE hinst;
    UINT uFlags;
    LPARAM lParam;
};
using NMTTDISPINFOA = NMTTDISPINFO;
using LPNMTTDISPINFO = NMTTDISPINFO*;
using TOOLTIPTEXT = NMTTDISPINFO;

struct NMTTDISPINFOW {
    NMHDR hdr;
    wchar_t* lpszText;
    wchar_t szText[80];
    HINSTANCE hinst;
    UINT uFlags;
    LPARAM lParam;
};
using TOOLTIPTEXTW = NMTTDISPINFOW;
