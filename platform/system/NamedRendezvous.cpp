#include "platform/system/NamedRendezvous.h"

#include "platform/system/Paths.h"

#include <cctype>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform::system {

namespace {

class GuardLock {
public:
    GuardLock()
        : m_fd(::open((runtime_dir() + "/objects.guard").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (m_fd >= 0)
            ::flock(m_fd, LOCK_EX);
    }
    ~GuardLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    GuardLock(GuardLock const&) = delete;
    GuardLock& operator=(GuardLock const&) = delete;

private:
    int m_fd;
};

}

std::string NamedRendezvous::file_name_for(std::string_view kind, std::string_view name)
{
    for (std::string_view prefix : { "Global\\", "Local\\" }) {
        if (name.starts_with(prefix))
            name.remove_prefix(prefix.size());
    }
    static char const digits[] = "0123456789ABCDEF";
    std::string file(kind);
    file += '.';
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.') {
            file += static_cast<char>(c);
        } else {
            file += '%';
            file += digits[c >> 4];
            file += digits[c & 15];
        }
    }
    return file;
}

NamedRendezvous::NamedRendezvous(std::string_view kind, std::string_view name, Mode mode, unsigned file_mode)
    : m_path(runtime_dir() + "/" + file_name_for(kind, name))
{
    GuardLock guard;
    int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, file_mode);
    if (fd < 0)
        return;
    // Nobody else holds the file: the object did not exist (a file left by a dead process
    // counts as absent). Holders keep a shared lock, taken only under the guard.
    m_existed = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!m_existed && mode == Mode::OpenExisting) {
        ::close(fd);
        return;
    }
    ::flock(fd, LOCK_SH);
    m_fd = fd;
}

NamedRendezvous::~NamedRendezvous()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

}
