// The access point utility's trace: a line goes to the debugger output only while the option
// `DebugMode` is "1". Every format begins with "[Hotvane]" and ends with a line feed.
#pragma once

namespace hotvane {

// Formats into a 512-byte buffer (a longer line is cut, never overrun) and returns the length
// of the formatted text; writes it only when tracing is on.
int TraceMsg(const char* format, ...);

}
