// The programs' stop signals. SIGTERM and SIGINT are blocked in every thread (call this before
// starting any other) and one watcher thread waits for them: each ends the user-interface
// thread's loops with WM_QUIT, which ends every loop, a modal one included (each hands it on to
// the loop below it), so the program tears down as its windows go and exits 0. A program whose
// thread has no message queue yet has shown nothing and ends at once.
#pragma once

#include "platform/user/User.h"

#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <thread>

namespace platform::user {

inline void end_loops_on_stop_signals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread(
        [](sigset_t waited, DWORD ui_thread) {
            for (;;) {
                int number = 0;
                if (sigwait(&waited, &number) != 0)
                    return;
                if (!PostThreadMessage(ui_thread, WM_QUIT, 0, 0))
                    std::_Exit(0);
            }
        },
        signals, GetCurrentThreadId())
        .detach();
}

}
