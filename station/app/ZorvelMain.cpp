// The program's entry: the application object, the presenter session, and a clean exit 0 on
// SIGTERM and SIGINT from whatever loop runs, a modal dialog's included.
#include "platform/display/DisplaySession.h"
#include "platform/framework/Resources.h"
#include "platform/user/StopSignals.h"
#include "station/app/VxUI2008App.h"

#include <cstdio>

CVxUI2008App theApp;

int main(int argc, char** argv)
{
    platform::user::end_loops_on_stop_signals();
    // Without its dialog templates the program could show nothing, not even an error box.
    if (!platform::framework::report_resources(platform::framework::resources(), "Zorvel", stderr))
        return 1;
    platform::display::DisplaySession session;
    return AfxWinMain(argc, argv);
}
