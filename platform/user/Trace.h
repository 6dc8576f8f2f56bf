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

// A file the program needs and cannot read (a language file, an icon, a library): said on
// standard error as "<program>: cannot read <path>: <reason>", once per path and whatever the
// trace setting, so that a blank label or a missing icon has a reason a user can see.
void report_unreadable_file(std::string_view path, std::string_view reason);

}
