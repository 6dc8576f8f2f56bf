// The program's entry: the application object, the presenter session, and a clean exit 0 on
// SIGTERM and SIGINT from whatever loop runs, a modal dialog's included.
#include "platform/display/DisplaySession.h"
#include "platform/framework/Resources.h"
#include "platform/user/User.h"
#include "station/app/VxUI2008App.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <thread>

CVxUI2008App theApp;

namespace {

// Waits for the stop signals, which main blocks for every thread, and ends the user-interface
// thread's loops: WM_QUIT ends every loop, a modal one included (each hands it on to the loop
// below it), and the hidden dialog tears down (tray icon, library) as its window goes. A
// program whose thread has no message queue yet has shown nothing and ends at once.
void watch_stop_signals(sigset_t signals, DWORD ui_thread)
{
    for (;;) {
        int number = 0;
        if (sigwait(&signals, &number) != 0)
            return;
        if (!PostThreadMessage(ui_thread, WM_QUIT, 0, 0))
            std::_Exit(0);
    }
}

}

int main(int argc, char** argv)
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread(watch_stop_signals, signals, GetCurrentThreadId()).detach();
    // Without its dialog templates the program could show nothing, not even an error box.
    if (!platform::framework::report_resources(platform::framework::resources(), "Zorvel", stderr))
        return 1;
    platform::display::DisplaySession session;
    return AfxWinMain(argc, argv);
}
