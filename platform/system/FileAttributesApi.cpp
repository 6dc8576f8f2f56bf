#include "platform/system/FileAttributes.h"

#include "platform/system/ProcessTable.h"
#include "platform/system/Shell.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {

DWORD GetFileAttributes(LPCSTR path)
{
    if (!path || !*path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    // The same mapping ShellExecute opens by: separators, and the HTML twin of a help file.
    std::string const found = platform::system::shell_target(path, "");
    struct stat info {};
    if (found.empty() || ::stat(found.c_str(), &info) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (S_ISDIR(info.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    return ::access(found.c_str(), W_OK) == 0 ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

BOOL PathFileExists(LPCSTR path)
{
    return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES ? TRUE : FALSE;
}

}

namespace {

FILETIME file_time_of(struct timespec const& t)
{
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
    std::int64_t const ticks = (static_cast<std::int64_t>(t.tv_sec) + kSecondsFrom1601To1970) * 10'000'000 + t.tv_nsec / 100;
    return FILETIME { static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32) };
}

}

extern "C" {

BOOL GetFileAttributesEx(LPCSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID information)
{
    if (!path || !*path || !information || level != GetFileExInfoStandard) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string const found = platform::system::program_file_path(path);
    struct stat info {};
    if (::stat(found.c_str(), &info) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    WIN32_FILE_ATTRIBUTE_DATA data {};
    data.dwFileAttributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY
        : ::access(found.c_str(), W_OK) == 0     ? FILE_ATTRIBUTE_NORMAL
                                                 : FILE_ATTRIBUTE_READONLY;
    data.ftCreationTime = file_time_of(info.st_ctim);
    data.ftLastAccessTime = file_time_of(info.st_atim);
    data.ftLastWriteTime = file_time_of(info.st_mtim);
    auto const size = static_cast<std::uint64_t>(info.st_size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
    *static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(information) = data;
    return TRUE;
}

}
