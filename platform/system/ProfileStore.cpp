#include "platform/system/ProfileStore.h"

#include "platform/system/Paths.h"
#include "platform/system/ReadFile.h"
#include "platform/user/Trace.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

namespace platform::system {

ProfileStore& ProfileStore::the()
{
    static ProfileStore store;
    return store;
}

std::shared_ptr<IniDocument const> ProfileStore::read(std::string const& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    long long mtime_ns = static_cast<long long>(info.st_mtim.tv_sec) * 1'000'000'000LL + info.st_mtim.tv_nsec;
    std::lock_guard lock(m_mutex);
    for (auto const& cached : m_cached) {
        if (cached.path == path && cached.device == info.st_dev && cached.inode == info.st_ino
            && cached.size == static_cast<unsigned long long>(info.st_size) && cached.mtime_ns == mtime_ns)
            return cached.document;
    }
    std::string text;
    if (auto const error = read_regular_file(path, text, kMaxProfileBytes); error != ReadFileError::None) {
        platform::report_unreadable_file(path, to_string(error));
        return nullptr;
    }
    auto document = std::make_shared<IniDocument const>(IniDocument::parse(text));
    // File times move in coarse ticks, so a file rewritten in place within one tick keeps its
    // time: a file changed in the last two seconds is parsed again on every read.
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    forget(path);
    if (text.size() == static_cast<unsigned long long>(info.st_size) && now.tv_sec - info.st_mtim.tv_sec >= 2) {
        if (m_cached.size() == max_cached)
            m_cached.erase(m_cached.begin());
        m_cached.push_back(Cached { path, info.st_dev, info.st_ino, static_cast<unsigned long long>(info.st_size),
            mtime_ns, document });
    }
    return document;
}

void ProfileStore::forget(std::string const& path)
{
    std::erase_if(m_cached, [&](Cached const& cached) { return cached.path == path; });
}

bool ProfileStore::update(std::string const& path, std::function<void(IniDocument&)> const& change)
{
    auto current = read(path);
    // A file that is there but cannot be read (too large, a folder) is not replaced by the one
    // value being written: that would lose everything else it holds.
    struct stat info {};
    if (!current && ::lstat(path.c_str(), &info) == 0)
        return false;
    IniDocument document = current ? *current : IniDocument {};
    change(document);
    std::string text = document.serialize();
    std::lock_guard lock(m_mutex);
    forget(path);
    return write_file_atomically(path, text);
}

unsigned copy_cut(std::string const& text, char* buffer, unsigned size)
{
    if (!buffer || size == 0)
        return 0;
    unsigned count = static_cast<unsigned>(std::min<size_t>(text.size(), size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

unsigned copy_list(std::vector<std::string> const& items, char* buffer, unsigned size)
{
    if (!buffer || size == 0)
        return 0;
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    unsigned used = 0;
    for (auto const& item : items) {
        if (used + item.size() + 1 > size - 1) {
            // The list may already fill the buffer to size - 1 (the last item's terminator
            // at size - 2): then nothing of this item fits.
            unsigned const room = used < size - 2 ? size - 2 - used : 0;
            std::memcpy(buffer + used, item.data(), std::min<std::size_t>(room, item.size()));
            buffer[size - 2] = '\0';
            buffer[size - 1] = '\0';
            return size - 2;
        }
        std::memcpy(buffer + used, item.data(), item.size());
        used += static_cast<unsigned>(item.size());
        buffer[used++] = '\0';
    }
    buffer[used] = '\0';
    if (used == 0 && size >= 2)
        buffer[1] = '\0';
    return used;
}

}
