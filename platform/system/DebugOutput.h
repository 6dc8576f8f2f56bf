// Debugger output and the bounded formatter the trace functions use. OutputDebugString writes
// one whole line per call (see DebugSink.h for where it goes); wvsprintf and wsprintf format
// into a caller's buffer, never past `size` bytes, and accept "%hs" and "%I64d".
#pragma once

#include "platform/user/Types.h"

#include <cstdarg>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

extern "C" {

void OutputDebugString(LPCSTR text);
// The bounded forms only: the unbounded wvsprintf trusted the caller's buffer to hold 1024
// characters, which the callers' 512-byte buffers do not. Returns the characters stored.
int wvnsprintf(LPSTR buffer, int size, LPCSTR format, va_list args);
int wnsprintf(LPSTR buffer, int size, LPCSTR format, ...);

}

namespace platform::system {

// Collects every debugger-output line while it lives; lines go nowhere else meanwhile.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(TraceCapture const&) = delete;
    TraceCapture& operator=(TraceCapture const&) = delete;

    std::vector<std::string> lines() const;
    bool contains(std::string_view line) const;

private:
    struct State;
    std::shared_ptr<State> m_state;
    int m_id;
};

}
