// The second half of the single-instance rendezvous: the named event "ShowUIEvent" that a
// second start signals, and the thread of the running program that waits on it and asks the
// hidden dialog (found by its title) to open the configuration window.
#pragma once

#include "platform/system/Kernel.h"

#include <atomic>

constexpr char SHOW_UI_EVENT_NAME[] = "ShowUIEvent";

// The event handle and the flag that ends the waiter. The flag is set once by the
// user-interface thread before it signals the event; atomic so the thread reads it safely.
extern HANDLE g_hShowUIEvent;
extern std::atomic<int> g_bStopShowUIThread;

// Fills `attributes` with a descriptor that lets every user's session open and signal the
// event; 1 on success, 0 (traced) on failure or with a null argument. The descriptor is freed
// with LocalFree by the caller.
int BuildEventSecurityAttributes(SECURITY_ATTRIBUTES* attributes);

// The waiter thread's procedure: waits on g_hShowUIEvent until g_bStopShowUIThread is set,
// posting ID_TRAY_LAUNCH to the window titled "Vexlor Utility" at each signal; closes the
// event handle when it ends. The parameter is not used.
UINT ShowUIEventThread(LPVOID parameter);
