// SetTimer and KillTimer: timers live in the table of the thread that owns the window.
#include "platform/user/MessageQueue.h"
#include "platform/user/WindowCore.h"
#include "platform/user/WindowTable.h"

using namespace platform::user;

extern "C" {

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc)
{
    if (!hwnd)
        return MessageQueue::current().timers().set(nullptr, id, elapse_ms, proc);
    return static_cast<UINT_PTR>(run_on_ui_thread([=]() -> LRESULT {
        if (!window_from(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        return static_cast<LRESULT>(MessageQueue::current().timers().set(hwnd, id, elapse_ms, proc));
    }));
}

// Killing a timer that is not armed is harmless and answers FALSE.
BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    if (!hwnd)
        return MessageQueue::current().timers().kill(nullptr, id);
    return static_cast<BOOL>(run_on_ui_thread([=]() -> LRESULT {
        return MessageQueue::current().timers().kill(hwnd, id);
    }));
}

}
