#include "platform/system/Session.h"

#include "platform/system/Paths.h"
#include "platform/system/ProcessTable.h"
#include "platform/user/Messages.h"
#include "platform/user/WindowCore.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

// The reader (the programs ask once a second) takes the runtime folder without making it: a
// missing folder holds no file.
std::string active_session_file(std::string const& runtime_folder)
{
    return runtime_folder + "/active-console-session";
}

struct Registrations {
    std::mutex mutex;
    std::vector<HWND> windows;
};

Registrations& registrations()
{
    static Registrations list;
    return list;
}

}

extern "C" {

DWORD WTSGetActiveConsoleSessionId()
{
    std::string text;
    // A damaged file is as no file: the console is this process's session.
    if (platform::system::read_whole_file(active_session_file(platform::system::runtime_dir_path()), text)) {
        if (auto id = platform::system::parse_session_id(text))
            return *id;
    }
    return platform::system::own_session_id();
}

BOOL WTSRegisterSessionNotification(HWND hwnd, DWORD)
{
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    auto& list = registrations();
    std::lock_guard lock(list.mutex);
    if (std::find(list.windows.begin(), list.windows.end(), hwnd) == list.windows.end())
        list.windows.push_back(hwnd);
    return TRUE;
}

BOOL WTSUnRegisterSessionNotification(HWND hwnd)
{
    auto& list = registrations();
    std::lock_guard lock(list.mutex);
    std::erase(list.windows, hwnd);
    return TRUE;
}

}

namespace platform::system {

void set_active_console_session(DWORD session)
{
    DWORD previous = WTSGetActiveConsoleSessionId();
    std::string text = std::to_string(session) + "\n";
    write_file_atomically(active_session_file(runtime_dir()), text, 0600);
    DWORD own = own_session_id();
    if (previous == session || (previous != own && session != own))
        return;
    WPARAM change = session == own ? WTS_CONSOLE_CONNECT : WTS_CONSOLE_DISCONNECT;
    auto& list = registrations();
    std::lock_guard lock(list.mutex);
    for (HWND hwnd : list.windows)
        PostMessage(hwnd, WM_WTSSESSION_CHANGE, change, static_cast<LPARAM>(session));
}

void raise_power_event(WPARAM event)
{
    platform::user::broadcast(WM_POWERBROADCAST, event, 0);
}

void raise_device_change(WPARAM event)
{
    platform::user::broadcast(WM_DEVICECHANGE, event, 0);
}

}
