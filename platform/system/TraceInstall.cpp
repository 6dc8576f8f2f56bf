// Points the window core's own diagnostics at the debugger-output sink when the library is
// loaded, so that platform traces and the programs' trace lines share one destination and
// one line discipline.
#include "platform/system/DebugSink.h"
#include "platform/user/Trace.h"

namespace {

struct TraceInstaller {
    TraceInstaller()
    {
        platform::set_trace_sink([](std::string_view line) { platform::system::DebugSink::the().write(line); });
    }
};

TraceInstaller const installer;

}
