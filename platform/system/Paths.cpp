#include "platform/system/Paths.h"

#include "platform/system/ReadFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::system {

namespace {

std::string env_or_empty(char const* name)
{
    char const* value = std::getenv(name);
    return value && *value ? std::string(value) : std::string();
}

bool is_folder(std::string const& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ensured(std::string path)
{
    make_dirs(path, 0700);
    return path;
}

std::string data_path()
{
    if (auto dir = env_or_empty("ZORVEL_DATA_DIR"); !dir.empty())
        return dir;
    if (auto dir = env_or_empty("XDG_DATA_HOME"); !dir.empty())
        return dir + "/zorvel";
    if (auto home = env_or_empty("HOME"); !home.empty())
        return home + "/.local/share/zorvel";
    return "/tmp/zorvel-data-" + std::to_string(::getuid());
}

}

// The folders are asked for on every use (and the programs ask on idle ticks), and they
// nearly always exist: one stat says so. A missing folder is made from the nearest parent
// that exists, so a folder removed while a program runs is made again when next asked.
bool make_dirs(std::string const& path, unsigned mode)
{
    if (path.empty())
        return false;
    if (is_folder(path))
        return true;
    if (::mkdir(path.c_str(), mode) != 0 && errno == ENOENT) {
        size_t const slash = path.find_last_of('/');
        if (slash != std::string::npos && slash > 0 && make_dirs(path.substr(0, slash), mode))
            ::mkdir(path.c_str(), mode);
    }
    return is_folder(path);
}

std::string runtime_dir_path()
{
    if (auto dir = env_or_empty("ZORVEL_RUNTIME_DIR"); !dir.empty())
        return dir;
    if (auto dir = env_or_empty("XDG_RUNTIME_DIR"); !dir.empty())
        return dir + "/zorvel";
    return "/tmp/zorvel-" + std::to_string(::getuid());
}

std::string runtime_dir()
{
    return ensured(runtime_dir_path());
}

std::string data_dir()
{
    return ensured(data_path());
}

std::string system_dir()
{
    if (auto dir = env_or_empty("ZORVEL_SYSTEM_DIR"); !dir.empty())
        return dir;
    return data_dir() + "/system32";
}

bool write_file_atomically(std::string const& path, std::span<char const> bytes, unsigned mode)
{
    std::string temporary = path + ".tmp." + std::to_string(::getpid());
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            ::unlink(temporary.c_str());
            return false;
        }
        done += static_cast<size_t>(n);
    }
    bool ok = ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool read_whole_file(std::string const& path, std::string& out, std::size_t max_bytes)
{
    return read_regular_file(path, out, max_bytes) == ReadFileError::None;
}

std::string folder_of(std::string const& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string base_name_of(std::string const& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}
