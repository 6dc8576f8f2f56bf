// Login sessions, power and device broadcasts. The program's own session is fixed for its run
// (ProcessTable.h: own_session_id); the active console session is kept in the user's runtime
// folder, so a small command (zorvel-session) or a test can switch it, as fast user switching
// did. Power and device-change events reach every top-level window as WM_POWERBROADCAST and
// WM_DEVICECHANGE.
#pragma once

#include "platform/user/Types.h"

constexpr DWORD NOTIFY_FOR_THIS_SESSION = 0;
constexpr DWORD NOTIFY_FOR_ALL_SESSIONS = 1;
constexpr WPARAM WTS_CONSOLE_CONNECT = 0x1;
constexpr WPARAM WTS_CONSOLE_DISCONNECT = 0x2;

extern "C" {

DWORD WTSGetActiveConsoleSessionId();
BOOL WTSRegisterSessionNotification(HWND hwnd, DWORD flags);
BOOL WTSUnRegisterSessionNotification(HWND hwnd);

}

namespace platform::system {

// Makes `session` the active console session for every process of the user. Windows of this
// process registered for notification receive WM_WTSSESSION_CHANGE: WTS_CONSOLE_CONNECT when
// their session becomes the active one, WTS_CONSOLE_DISCONNECT when it stops being it.
void set_active_console_session(DWORD session);
// Sends WM_POWERBROADCAST(event) to every top-level window; safe from any thread.
void raise_power_event(WPARAM event);
// Sends WM_DEVICECHANGE(event) to every top-level window; safe from any thread.
void raise_device_change(WPARAM event);

}
