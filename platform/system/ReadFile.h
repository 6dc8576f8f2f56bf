// The one reader of whole files from outside: regular files only (a folder, a device such as
// /dev/zero or a pipe would fail or never end), at most `max_bytes`, read with plain system
// calls so that no stream exception can escape. Header-only, so the simulated world and its
// tools use it without linking the platform.
#pragma once

#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::system {

enum class ReadFileError { None, Missing, NotRegular, TooLarge, ReadFailed };

inline char const* to_string(ReadFileError error)
{
    switch (error) {
    case ReadFileError::None: return "read";
    case ReadFileError::Missing: return "missing";
    case ReadFileError::NotRegular: return "not a regular file";
    case ReadFileError::TooLarge: return "too large";
    case ReadFileError::ReadFailed: return "cannot be read";
    }
    return "read error";
}

// Fills `out` only on success.
inline ReadFileError read_regular_file(std::string const& path, std::string& out, std::size_t max_bytes)
{
    int const fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadFileError::Missing : ReadFileError::ReadFailed;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return ReadFileError::NotRegular;
    }
    if (std::size_t(info.st_size) > max_bytes) {
        ::close(fd);
        return ReadFileError::TooLarge;
    }
    std::string text;
    text.reserve(std::size_t(info.st_size));
    char buffer[8192];
    for (;;) {
        ssize_t const n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || text.size() + std::size_t(n) > max_bytes) {
            ::close(fd);
            return n < 0 ? ReadFileError::ReadFailed : ReadFileError::TooLarge;
        }
        if (n == 0)
            break;
        text.append(buffer, std::size_t(n));
    }
    ::close(fd);
    out = std::move(text);
    return ReadFileError::None;
}

}
