// Work handed to the user-interface thread from the presenters' own threads (X events, the
// snapshot signal) without waiting for it: the call is queued and a message to a hidden
// window of the presenter wakes the loop, which runs queued calls in order.
#pragma once

#include "platform/user/User.h"

#include <deque>
#include <functional>
#include <mutex>

namespace platform::display {

class UiMarshal {
public:
    // Makes the hidden window; user-interface thread only.
    UiMarshal();
    ~UiMarshal();
    UiMarshal(UiMarshal const&) = delete;
    UiMarshal& operator=(UiMarshal const&) = delete;

    // Safe from any thread. Calls queued after the marshal is destroyed are dropped.
    void post(std::function<void()> call);
    HWND window() const { return m_window; }
    // Runs the waiting calls now; user-interface thread only.
    void run_pending();

private:
    static LRESULT window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    HWND m_window {};
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_calls;
    bool m_wake_posted {};
};

// True for the presenters' own hidden windows, which no presenter shows.
bool is_marshal_window(HWND hwnd);

}
