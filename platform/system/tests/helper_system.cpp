// The parts of the test helper that use the system services; see helper_main.cpp.
//
// ZORVEL_HELPER_MODE:
//   first-instance   take the mutex "KT90", create the auto-reset event "ShowUIEvent", set
//                    "HelperReady", wait for "ShowUIEvent", set "HelperWoke", then wait for
//                    "HelperExit" (the test usually kills it first).
//   second-instance  create "KT90"; when it exists, signal "ShowUIEvent" and exit 10, else exit 20.
//   service-state    exit with the state of the service named by argv[1].
//   set-event        set the named event argv[1] and exit 0 (1 when it does not exist).
//   window-owner     create a top-level window titled "Tarsel SoftAP Utility" (class
//                    "HelperWindow"), set "HelperReady", count WM_COMMAND 32771 until
//                    WM_USER+5 arrives, then exit with 0x20 plus the count.
#include "platform/system/Kernel.h"
#include "platform/system/Services.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <cstring>

namespace {

void set_named(char const* name)
{
    if (HANDLE event = OpenEvent(EVENT_ALL_ACCESS, FALSE, name)) {
        SetEvent(event);
        CloseHandle(event);
    }
}

int set_existing(char const* name)
{
    HANDLE event = OpenEvent(EVENT_ALL_ACCESS, FALSE, name);
    if (!event)
        return 1;
    SetEvent(event);
    CloseHandle(event);
    return 0;
}

int first_instance()
{
    HANDLE mutex = CreateMutex(nullptr, FALSE, "KT90");
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS)
        return 2;
    HANDLE show = CreateEvent(nullptr, FALSE, FALSE, "ShowUIEvent");
    HANDLE leave = CreateEvent(nullptr, TRUE, FALSE, "HelperExit");
    set_named("HelperReady");
    if (WaitForSingleObject(show, INFINITE) != WAIT_OBJECT_0)
        return 3;
    set_named("HelperWoke");
    WaitForSingleObject(leave, INFINITE);
    CloseHandle(show);
    CloseHandle(mutex);
    return 0;
}

int second_instance()
{
    HANDLE mutex = CreateMutex(nullptr, FALSE, "KT90");
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return 20;
    CloseHandle(mutex);
    set_named("ShowUIEvent");
    return 10;
}

int service_state(char const* name)
{
    SC_HANDLE manager = OpenSCManager(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE);
    SC_HANDLE service = OpenService(manager, name, SERVICE_QUERY_STATUS);
    SERVICE_STATUS status {};
    if (!service || !QueryServiceStatus(service, &status))
        return 99;
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return static_cast<int>(status.dwCurrentState);
}

constexpr UINT helper_done = WM_USER + 5;
int launch_commands = 0;

LRESULT helper_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_COMMAND && wparam == 32771)
        ++launch_commands;
    if (message == helper_done)
        PostQuitMessage(0x20 + launch_commands);
    return DefWindowProc(hwnd, message, wparam, lparam);
}

int window_owner()
{
    WNDCLASS wc {};
    wc.lpfnWndProc = helper_window_proc;
    wc.lpszClassName = "HelperWindow";
    if (!RegisterClass(&wc))
        return 4;
    HWND hwnd = CreateWindowEx(0, "HelperWindow", "Tarsel SoftAP Utility", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    if (!hwnd)
        return 5;
    set_named("HelperReady");
    MSG msg {};
    while (GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    DestroyWindow(hwnd);
    return static_cast<int>(msg.wParam);
}

}

int run_system_mode(char const* mode, int argc, char** argv)
{
    if (std::strcmp(mode, "first-instance") == 0)
        return first_instance();
    if (std::strcmp(mode, "second-instance") == 0)
        return second_instance();
    if (std::strcmp(mode, "window-owner") == 0)
        return window_owner();
    if (std::strcmp(mode, "set-event") == 0 && argc > 1)
        return set_existing(argv[1]);
    if (std::strcmp(mode, "service-state") == 0 && argc > 1)
        return service_state(argv[1]);
    return 98;
}
