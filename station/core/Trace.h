// The station utility's levelled trace. A line is written to the debugger output only when its
// level is at or below the current trace level (`nDebugMode` of the library binding, read from
// the option file); level 0, the default, writes nothing. Callable from any thread.
#pragma once

// Levels as the callers use them.
enum : int {
    TRACE_FAIL = 1,    // failed library calls, limits, scan result lists
    TRACE_SECRET = 2,  // stored passwords read back
    TRACE_STEP = 3,    // entry and exit lines, library calls, decisions
    TRACE_DUMP = 4,    // record dumps
    TRACE_TICK = 5,    // timer ticks and window procedures
};

// Formats into a 512-byte buffer: a line longer than 511 characters is cut, never overrun.
// Accepts "%hs" for narrow texts as well as the usual conversions.
// (No printf format attribute: the compiler would reject "%hs".)
void TraceMsg(int level, const char* format, ...);
