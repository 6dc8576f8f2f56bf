// The ids the access point utility's application layer shares with its resources and with the
// library: the hidden dialog's template and title, the tray icon's images, menus and commands,
// the private messages and the timers.
#pragma once

#include "platform/user/Types.h"

namespace hotvane {

constexpr UINT IDD_HIDE_DLG = 104;
// The running instance is found by this title: a second start asks it to open its sheet.
constexpr char HIDE_DLG_TITLE[] = "Tarsel SoftAP Utility";
constexpr char SINGLE_INSTANCE_MUTEX_NAME[] = "KT90";
constexpr char PROGRAM_NAME[] = "Hotvane";

// [SECTION] Images: 131 the dialog's own, the others the tray's.
constexpr UINT IDI_HIDE_DLG = 131;
constexpr UINT IDI_AP_LOST = 133;     // radio off, or an adapter with no status yet
constexpr UINT IDI_AP_GOOD = 134;     // signal quality 71 and above
constexpr UINT IDI_AP_NORMAL = 135;   // 41 to 70
constexpr UINT IDI_AP_NOTEXIST = 136; // no adapter
constexpr UINT IDI_AP_WEAK = 137;     // 40 and below

// [SECTION] Tray menus (one pop-up each) and their commands
constexpr int IDR_TRAY_MENU_BASIC = 141;    // launch, exit
constexpr int IDR_TRAY_MENU_STATION = 142;  // launch, station mode, exit
constexpr int IDR_TRAY_MENU_APCLIENT = 152; // launch, AP-client mode, station mode, exit
constexpr UINT ID_TRAY_LAUNCH = 32771;
constexpr UINT ID_TRAY_EXIT = 32772;
constexpr UINT ID_TRAY_SWITCH_STATION = 32773;
constexpr UINT ID_TRAY_SWITCH_APCLIENT = 32776;

constexpr UINT TRAY_ICON_ID = 134;
constexpr UINT WM_TRAY_NOTIFY = 0x0400 + 100;
// Posted to the hidden dialog when the sheet's last modal loop has ended, so that what waited
// for it (exit, a switch, a new sheet, the adapter's removal) runs.
constexpr UINT WM_SHEET_MODAL_ENDED = 0x8000 + 40;

// [SECTION] Timers of the hidden dialog
constexpr UINT_PTR TIMER_POLL = 1;        // every 2000 ms
constexpr UINT_PTR TIMER_WAIT_DRIVER = 4; // every 1000 ms while the driver is not ready
constexpr UINT POLL_INTERVAL_MS = 2000;
constexpr UINT WAIT_DRIVER_INTERVAL_MS = 1000;

// Operating-system codes the hidden dialog compares with.
constexpr int OS_DHCP_SERVER = 7;      // above 6: the library runs a DHCP server
constexpr int OS_NEWER = 10;           // 10 and above: profiles through the system
constexpr int OS_HOSTED_NETWORK = 12;  // 12 and above: the AP-client mode may be offered

}
