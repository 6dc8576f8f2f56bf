#include "platform/system/ProcessObject.h"

#include "platform/system/ProcessTable.h"

#include <signal.h>
#include <sys/wait.h>

namespace platform::system {

ProcessObject::ProcessObject(std::uint32_t pid, bool is_child)
    : m_pid(pid)
    , m_is_child(is_child)
{
}

void ProcessObject::look() const
{
    if (m_ended)
        return;
    if (!m_is_child) {
        m_ended = !process_exists(m_pid);
        return;
    }
    int status = 0;
    pid_t result = ::waitpid(static_cast<pid_t>(m_pid), &status, WNOHANG);
    if (result == static_cast<pid_t>(m_pid)) {
        m_ended = true;
        m_exit_code = WIFEXITED(status) ? static_cast<DWORD>(WEXITSTATUS(status)) : 128u + static_cast<DWORD>(WTERMSIG(status));
    } else if (result < 0) {
        m_ended = true; // reaped elsewhere: it has ended, its code is lost
        m_exit_code = 0;
    }
}

bool ProcessObject::is_signalled() const
{
    look();
    return m_ended;
}

DWORD ProcessObject::exit_code() const
{
    std::lock_guard lock(wait_mutex());
    look();
    return m_exit_code;
}

bool ProcessObject::terminate(unsigned exit_code)
{
    std::lock_guard lock(wait_mutex());
    look();
    if (m_ended)
        return false;
    (void)exit_code; // a killed process reports the signal; the requested code cannot be given
    return ::kill(static_cast<pid_t>(m_pid), SIGKILL) == 0;
}

}
