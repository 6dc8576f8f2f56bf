#include "platform/system/DebugOutput.h"

#include "platform/system/DebugSink.h"
#include "platform/system/WindowsFormat.h"

#include <algorithm>
#include <mutex>

using platform::system::DebugSink;

extern "C" {

void OutputDebugString(LPCSTR text)
{
    DebugSink::the().write(text ? text : "");
}

int wvnsprintf(LPSTR buffer, int size, LPCSTR format, va_list args)
{
    return platform::system::format_bounded(buffer, size > 0 ? static_cast<size_t>(size) : 0, format, args);
}

int wnsprintf(LPSTR buffer, int size, LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    int count = platform::system::format_bounded(buffer, size > 0 ? static_cast<size_t>(size) : 0, format, args);
    va_end(args);
    return count;
}

}

namespace platform::system {

struct TraceCapture::State {
    mutable std::mutex mutex;
    std::vector<std::string> lines;
};

TraceCapture::TraceCapture()
    : m_state(std::make_shared<State>())
{
    m_id = DebugSink::the().add_capture([state = m_state](std::string_view line) {
        std::lock_guard lock(state->mutex);
        state->lines.emplace_back(line);
    });
}

TraceCapture::~TraceCapture()
{
    DebugSink::the().remove_capture(m_id);
}

std::vector<std::string> TraceCapture::lines() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->lines;
}

bool TraceCapture::contains(std::string_view line) const
{
    std::lock_guard lock(m_state->mutex);
    return std::find(m_state->lines.begin(), m_state->lines.end(), line) != m_state->lines.end();
}

}
