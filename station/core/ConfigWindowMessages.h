// The private messages that the pages and lower dialogs send to the configuration window, with
// their parameter codes, and the codes of the connection requests the window passes on to the
// hidden dialog. The window's WindowProc routes them (VxUI2008DlgRoutes.cpp); every sender
// includes this header.
#pragma once

#include "station/core/ActionQueue.h"
#include "station/core/HideDlgIds.h"

// [SECTION] Messages to the configuration window
enum : UINT {
    MSG_SHOW_WPSINFO = WM_USER + 13,
    MSG_SHOW_ADDBADLG = WM_USER + 14,
    MSG_SHOW_DELBADLG = WM_USER + 15,
    MSG_SHOW_PROFILEEDITOR = WM_USER + 16,
    MSG_SHOW_HIDDENSSID = WM_USER + 17,
    MSG_SHOW_SECURITYEDITOR = WM_USER + 18,
    MSG_SHOW_PEAPSETTING = WM_USER + 19,
    MSG_SHOW_INVALIDIDPW = WM_USER + 20,
    MSG_SHOW_AUTHSTATUS = WM_USER + 21,
    MSG_SHOW_WPSPROFILE = WM_USER + 22,
    CHANGE_DLG_PAGE = WM_USER + 161,
    DLG_MSG_EXCHANGE = WM_USER + 162,
};

// [SECTION] CHANGE_DLG_PAGE: the page to bring forward
enum : int { PAGE_PROFILE = 0, PAGE_ADVANCE = 1 };

// [SECTION] DLG_MSG_EXCHANGE: the sending page (wParam) and what it asks (lParam)
enum : int {
    PAGE_ADVANCE_DLG = 0,
    PAGE_WMM_DLG = 1,
    PAGE_STATISTICS_DLG = 2,
    PAGE_CCXCFG_DLG = 3,
    PAGE_WPS_DLG = 4,
    PAGE_SSO_DLG = 5,
    PAGE_LINK_STATUS = 6,
};
enum : int { ON_APPLY_NOW_XP = 1, ON_DBM_CHECK = 2, SET_OID_FROM_REG = 1201 };

// [SECTION] ACTION_INSERT_EXEC: who asks, and what the asking page holds (the action queue's
// own header names them)
