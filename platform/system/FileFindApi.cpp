#include "platform/system/FileFind.h"

#include "platform/system/FileDialogModel.h"

#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string native(LPCSTR path)
{
    std::string out(path);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

FILETIME file_time(struct timespec const& t)
{
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
    std::int64_t const ticks = (std::int64_t(t.tv_sec) + kSecondsFrom1601To1970) * 10'000'000 + t.tv_nsec / 100;
    return FILETIME { DWORD(ticks & 0xFFFFFFFF), DWORD(std::uint64_t(ticks) >> 32) };
}

struct Entry {
    std::string name;
    WIN32_FIND_DATAA data;
};

std::vector<Entry> matching_entries(std::string const& folder, std::string const& pattern)
{
    std::vector<Entry> out;
    std::error_code error;
    for (auto const& item : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
        std::string const name = item.path().filename().string();
        if (name.size() >= MAX_PATH || !platform::system::matches_pattern(name, pattern))
            continue;
        struct stat info {};
        if (::stat(item.path().c_str(), &info) != 0)
            continue;
        WIN32_FIND_DATAA data {};
        data.dwFileAttributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY
            : ::access(item.path().c_str(), W_OK) == 0 ? FILE_ATTRIBUTE_NORMAL
                                                       : FILE_ATTRIBUTE_READONLY;
        data.ftCreationTime = file_time(info.st_ctim);
        data.ftLastAccessTime = file_time(info.st_atim);
        data.ftLastWriteTime = file_time(info.st_mtim);
        auto const size = std::uint64_t(info.st_size);
        data.nFileSizeHigh = DWORD(size >> 32);
        data.nFileSizeLow = DWORD(size & 0xFFFFFFFF);
        std::memcpy(data.cFileName, name.c_str(), name.size() + 1);
        out.push_back({ name, data });
    }
    std::sort(out.begin(), out.end(), [](Entry const& a, Entry const& b) { return a.name < b.name; });
    return out;
}

// The open searches: a handle is the address of its entry in this table, checked on every use.
struct Search {
    std::vector<Entry> entries;
    std::size_t next { 0 };
};
std::mutex g_mutex;
std::map<HANDLE, std::unique_ptr<Search>> g_searches;

}

extern "C" {

BOOL DeleteFile(LPCSTR path)
{
    if (!path || !*path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string const file = native(path);
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0) {
        SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (S_ISDIR(info.st_mode) || ::unlink(file.c_str()) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

HANDLE FindFirstFile(LPCSTR pattern, LPWIN32_FIND_DATA data)
{
    if (!pattern || !*pattern || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string const full = native(pattern);
    std::size_t const slash = full.find_last_of('/');
    std::string const folder = slash == std::string::npos ? "" : full.substr(0, slash + 1);
    auto search = std::make_unique<Search>();
    search->entries = matching_entries(folder, slash == std::string::npos ? full : full.substr(slash + 1));
    if (search->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *data = search->entries[0].data;
    search->next = 1;
    HANDLE const handle = search.get();
    std::lock_guard lock(g_mutex);
    g_searches.emplace(handle, std::move(search));
    return handle;
}

BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data)
{
    std::lock_guard lock(g_mutex);
    auto const it = g_searches.find(find);
    if (it == g_searches.end() || !data) {
        SetLastError(it == g_searches.end() ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Search& search = *it->second;
    if (search.next >= search.entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *data = search.entries[search.next++].data;
    return TRUE;
}

BOOL FindClose(HANDLE find)
{
    std::lock_guard lock(g_mutex);
    if (g_searches.erase(find) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

}
