#include "platform/system/ProcessObject.h"

#include "platform/system/ProcessTable.h"

#include <cerrno>
#include <signal.h>
#include <sys/wait.h>

namespace platform::system {

ProcessObject::ProcessObject(std::uint32_t pid, bool is_child, std::string executable)
    : m_pid(pid)
    , m_is_child(is_child)
    , m_executable(std::move(executable))
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

// Asked of every process a search opens, so without reading /proc: the id is free (the process
// ended and was reaped), or the process is a child of this one that has ended and waits to be
// reaped. An ended process another program has yet to reap passes until its parent reaps it, or
// until this handle has been waited on.
bool ProcessObject::has_ended_since_opened() const
{
    auto const pid = static_cast<pid_t>(m_pid);
    if (::kill(pid, 0) != 0 && errno == ESRCH)
        return true;
    siginfo_t info {};
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
}

std::optional<std::string> ProcessObject::executable() const
{
    if (m_executable.empty())
        return process_executable(m_pid);
    std::lock_guard lock(wait_mutex());
    if (!m_ended)
        m_ended = has_ended_since_opened();
    if (m_ended)
        return std::nullopt;
    return m_executable;
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
