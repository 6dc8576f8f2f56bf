// The numbers the hidden dialog shares with the library, the tray and the other windows of the
// station utility: its timers, its private messages, the tray commands, the tray icons and
// the templates of its dialogs.
#pragma once

#include "platform/user/Messages.h"

// [SECTION] Templates
constexpr unsigned IDD_VXUI2008_DIALOG = 102;
constexpr unsigned IDD_HIDE_DLG = 103;
constexpr unsigned IDD_SELCARD_DLG = 155;

// [SECTION] Timers of the hidden dialog (what their ticks do is the polling of the hidden dialog)
enum : unsigned {
    TIMER_HIDE_DLG_CHECK_CARD = 1,
    TIMER_HIDE_DLG_WEP_ERROR = 3,
    TIMER_HIDE_DLG_WPS_ROTATE = 4,
    TIMER_HIDE_DLG_WPS_HW_PBC = 5,
    TIMER_HIDE_DLG_WPS_STATUS = 6,
    TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN = 7,
    TIMER_HIDE_DLG_RESCAN = 8,
    TIMER_HIDE_DLG_RECONNECT = 9,
    TIMER_HIDE_DLG_CCX = 10,
    TIMER_HIDE_DLG_RADIO = 11,
    TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME = 13,
    TIMER_HIDE_DLG_RETRY_CON = 15,
    // Nothing in the program arms 16 (the advanced page's connection) and 21 (the previous
    // profile); their ticks are kept.
    TIMER_HIDE_DLG_ADVANCE_CONNECT = 16,
    TIMER_HIDE_DLG_RESUME_CONNECT = 19,
    TIMER_HIDE_DLG_SESSION_ID = 20,
    TIMER_HIDE_DLG_PREV_PROFILE = 21,
    TIMER_HIDE_DLG_CHECKINI_DEBUGMODE = 22,
    TIMER_HIDE_DLG_SCANTABLE = 23,
};

// [SECTION] Messages
constexpr UINT WM_TRAY_NOTIFY = WM_USER + 100;
constexpr UINT WM_HIDE_DLG_EXIT = WM_USER + 14;
constexpr UINT ACTION_INSERT_EXEC = WM_USER + 160;
// Around the system's EAP configuration window: enable (wParam 1) or disable the configuration
// window; the configuration is done and the site survey's held-back connection goes on.
constexpr UINT MSG_ENABLE_CONFIG_UI = WM_USER + 11;
constexpr UINT MSG_SURVEY_CONNECT = WM_USER + 12;
// From the status callback: the ICV-error flag changed, the media connected.
constexpr UINT WM_NDIS_PRIVATE = WM_APP + 1;
constexpr UINT WM_NDIS_MEDIA_CONNECT = WM_APP + 3;
// From the status callback and the worker threads, so that the work runs on the hidden
// dialog's own thread: an authentication failed (wParam 1 identity rejected, 0 timed out);
// the CCX diagnostics ask to re-apply the active profile; show the identity re-prompt; ask
// the user for a new password.
constexpr UINT WM_HIDE_DLG_AUTH_FAILED = WM_APP + 0x20;
constexpr UINT WM_HIDE_DLG_CCX_PROFILE = WM_APP + 0x21;
constexpr UINT WM_HIDE_DLG_SHOW_INVALID_IDPW = WM_APP + 0x22;
constexpr UINT WM_HIDE_DLG_ASK_NEW_PASSWORD = WM_APP + 0x23;

// [SECTION] Tray commands
enum : unsigned {
    ID_TRAY_LAUNCH = 32931,
    ID_TRAY_DIAGNOSTIC = 32932,
    ID_TRAY_EXIT = 32933,
    ID_TRAY_SWITCH_AP_MODE = 32934,
    ID_TRAY_SWITCH_VXCONFIG = 32936,
    ID_TRAY_SWITCH_ZEROCONFIG = 32937,
    ID_TRAY_SWITCH_STA_MODE = 32959,
    ID_TRAY_SWITCH_APCLIENT_MODE = 32960,
};

// [SECTION] Tray icon
constexpr unsigned TRAY_ICON_ID = 222;
enum : unsigned {
    IDI_SIGNAL_GOOD = 222,
    IDI_LOST = 223,
    IDI_SIGNAL_NORMAL = 224,
    IDI_NOTEXIST = 225,
    IDI_WEP_ERROR = 239,
    IDI_SIGNAL_WEAK = 240,
};

// The hidden dialog's title: a second start finds the running program's window by it.
constexpr char HIDE_DLG_TITLE[] = "Vexlor Utility";
