// Messages, notifications and records of the tab control ("SysTabControl32") and the IP
// address control ("SysIPAddress32"), with the numeric values the programs were written
// against.
#pragma once

#include "platform/controls/ControlMessages.h"
#include "platform/user/Messages.h"

// [SECTION] Tab control
constexpr char const WC_TABCONTROL[] = "SysTabControl32";
constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
constexpr UINT TCM_GETITEM = TCM_FIRST + 5;
constexpr UINT TCM_SETITEM = TCM_FIRST + 6;
constexpr UINT TCM_INSERTITEM = TCM_FIRST + 7;
constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;
constexpr UINT TCN_SELCHANGE = static_cast<UINT>(-551);
constexpr UINT TCN_SELCHANGING = static_cast<UINT>(-552);

struct TCITEM {
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};
using LPTCITEM = TCITEM*;

// [SECTION] IP address control
constexpr char const WC_IPADDRESS[] = "SysIPAddress32";
constexpr UINT IPM_CLEARADDRESS = WM_USER + 100;
constexpr UINT IPM_SETADDRESS = WM_USER + 101;
constexpr UINT IPM_GETADDRESS = WM_USER + 102;
constexpr UINT IPM_SETRANGE = WM_USER + 103;
constexpr UINT IPM_SETFOCUS = WM_USER + 104;
constexpr UINT IPM_ISBLANK = WM_USER + 105;
constexpr UINT IPN_FIELDCHANGED = static_cast<UINT>(-860);

struct NMIPADDRESS {
    NMHDR hdr;
    int iField;
    int iValue; // -1 for an empty field; the parent may change it
};

// The first octet is the most significant byte.
constexpr LPARAM MAKEIPADDRESS(unsigned b1, unsigned b2, unsigned b3, unsigned b4)
{
    return static_cast<LPARAM>((static_cast<DWORD>(b1 & 0xFF) << 24) | ((b2 & 0xFF) << 16) | ((b3 & 0xFF) << 8) | (b4 & 0xFF));
}
constexpr int FIRST_IPADDRESS(DWORD x) { return static_cast<int>((x >> 24) & 0xFF); }
constexpr int SECOND_IPADDRESS(DWORD x) { return static_cast<int>((x >> 16) & 0xFF); }
constexpr int THIRD_IPADDRESS(DWORD x) { return static_cast<int>((x >> 8) & 0xFF); }
constexpr int FOURTH_IPADDRESS(DWORD x) { return static_cast<int>(x & 0xFF); }
