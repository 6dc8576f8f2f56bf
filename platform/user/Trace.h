// Where the platform's own diagnostics go: dropped messages, refused calls. By default they
// are written to standard error when ZORVEL_PLATFORM_TRACE is set; the system module points
// the sink at the program's debugger-output stand-in.
#pragma once

#include <functional>
#include <string_view>

namespace platform {

using TraceSink = std::function<void(std::string_view)>;

void set_trace_sink(TraceSink sink);
// Formats like printf and hands one line to the sink.
void trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

}
