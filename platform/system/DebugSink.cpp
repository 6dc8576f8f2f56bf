#include "platform/system/DebugSink.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace platform::system {

DebugSink& DebugSink::the()
{
    static DebugSink sink;
    return sink;
}

DebugSink::DebugSink() = default;

int DebugSink::destination()
{
    if (m_opened)
        return m_fd;
    m_opened = true;
    m_fd = STDERR_FILENO;
    if (char const* path = std::getenv("ZORVEL_TRACE_FILE"); path && *path) {
        int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (fd >= 0)
            m_fd = fd;
    }
    return m_fd;
}

void DebugSink::write(std::string_view text)
{
    std::string line(text);
    if (line.empty() || line.back() != '\n')
        line += '\n';
    std::lock_guard lock(m_mutex);
    if (!m_captures.empty()) {
        std::string_view shown(line.data(), line.size() - 1);
        for (auto const& [id, capture] : m_captures)
            capture(shown);
        return;
    }
    int fd = destination();
    size_t done = 0;
    while (done < line.size()) {
        ssize_t n = ::write(fd, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

int DebugSink::add_capture(Capture capture)
{
    std::lock_guard lock(m_mutex);
    int id = m_next_capture++;
    m_captures.emplace_back(id, std::move(capture));
    return id;
}

void DebugSink::remove_capture(int id)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_captures, [id](auto const& entry) { return entry.first == id; });
}

bool DebugSink::has_captures() const
{
    std::lock_guard lock(m_mutex);
    return !m_captures.empty();
}

}
