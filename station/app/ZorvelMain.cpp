// The program's entry: the application object, the presenter session, and a clean exit on
// SIGTERM and SIGINT (the exit command, as the tray menu gives it).
#include "platform/display/DisplaySession.h"
#include "platform/framework/Resources.h"
#include "platform/user/User.h"
#include "station/app/VxUI2008App.h"
#include "station/core/HideDlgIds.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <thread>

CVxUI2008App theApp;

namespace {

// Waits for the stop signals, which main blocks for every thread, and asks the hidden dialog
// to exit; a program that has no hidden dialog yet ends at once.
void watch_stop_signals(sigset_t signals)
{
    for (;;) {
        int number = 0;
        if (sigwait(&signals, &number) != 0)
            return;
        if (HWND const hidden = FindWindow(nullptr, HIDE_DLG_TITLE))
            PostMessage(hidden, WM_HIDE_DLG_EXIT, 0, 0);
        else
            std::_Exit(128 + number);
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
    std::thread(watch_stop_signals, signals).detach();
    // Without its dialog templates the program could show nothing, not even an error box.
    if (!platform::framework::report_resources(platform::framework::resources(), "Zorvel", stderr))
        return 1;
    platform::display::DisplaySession session;
    return AfxWinMain(argc, argv);
}
