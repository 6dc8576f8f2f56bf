#include "XvfbServer.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int start_timeout_ms = 15000;

std::string find_xvfb()
{
    char const* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        std::string candidate = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start) + "/Xvfb";
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return {};
}

}

XvfbServer::XvfbServer(std::vector<std::string> const& extra)
{
    std::string xvfb = find_xvfb();
    if (xvfb.empty()) {
        m_failure = "Xvfb is not installed";
        return;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        m_failure = "pipe failed";
        return;
    }
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(fds[1], 3);
        int devnull = ::open("/dev/null", O_WRONLY);
        ::dup2(devnull, 1);
        ::dup2(devnull, 2);
        std::vector<char const*> argv { xvfb.c_str(), "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten",
            "tcp", "-noreset" };
        for (auto const& option : extra)
            argv.push_back(option.c_str());
        argv.push_back(nullptr);
        ::execv(xvfb.c_str(), const_cast<char* const*>(argv.data()));
        ::_exit(127);
    }
    ::close(fds[1]);
    std::string number;
    for (;;) {
        pollfd fd { fds[0], POLLIN, 0 };
        int ready = ::poll(&fd, 1, start_timeout_ms);
        if (ready < 0 && errno == EINTR)
            continue;
        char c = 0;
        if (ready <= 0 || ::read(fds[0], &c, 1) != 1)
            break;
        if (c == '\n') {
            m_display = ":" + number;
            break;
        }
        number += c;
    }
    ::close(fds[0]);
    if (m_display.empty())
        m_failure = "Xvfb did not report a display within the time limit";
}

XvfbServer::~XvfbServer()
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGTERM);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
}
