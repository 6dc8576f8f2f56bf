#include "platform/user/Trace.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>

namespace platform {

namespace {

std::mutex& sink_mutex()
{
    static std::mutex mutex;
    return mutex;
}

TraceSink& sink()
{
    static TraceSink current = [](std::string_view line) {
        static bool const enabled = std::getenv("ZORVEL_PLATFORM_TRACE") != nullptr;
        if (enabled)
            std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
    };
    return current;
}

}

void set_trace_sink(TraceSink new_sink)
{
    std::lock_guard lock(sink_mutex());
    sink() = std::move(new_sink);
}

void trace(const char* format, ...)
{
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::lock_guard lock(sink_mutex());
    if (sink())
        sink()(line);
}

void report_unreadable_file(std::string_view path, std::string_view reason)
{
    static std::mutex mutex;
    static std::set<std::string, std::less<>> said;
    {
        std::lock_guard lock(mutex);
        if (!said.emplace(path).second)
            return;
    }
    std::fprintf(stderr, "%s: cannot read %.*s: %.*s\n", program_invocation_short_name, static_cast<int>(path.size()), path.data(),
        static_cast<int>(reason.size()), reason.data());
}

}
