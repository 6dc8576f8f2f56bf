// The private-profile files of the process: reads parse the file as it is now (a small cache
// of the last few files, keyed by each file's identity and modification time, saves
// re-parsing an unchanged file, also when reads go from one file to another), and
// writes replace the whole file atomically, so a reader or a crash never sees half a file.
#pragma once

#include "platform/system/IniDocument.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace platform::system {

// The largest profile file read: far above any option or language file, and small enough that
// a hostile one cannot take hundreds of megabytes once parsed. A larger file reads as absent
// (said on stderr) and is never overwritten.
constexpr std::size_t kMaxProfileBytes = 1u << 20;

class ProfileStore {
public:
    static ProfileStore& the();

    // The file's document, or null when it cannot be read. Readers share the parsed document
    // until the file changes, so a program reading hundreds of keys parses and copies once.
    std::shared_ptr<IniDocument const> read(std::string const& path);
    // Applies `change` to the file's current document (empty when missing) and writes it back;
    // false, and the file left alone, when it is there but cannot be read.
    bool update(std::string const& path, std::function<void(IniDocument&)> const& change);

private:
    struct Cached {
        std::string path;
        unsigned long long device { 0 }, inode { 0 }, size { 0 };
        long long mtime_ns { -1 };
        std::shared_ptr<IniDocument const> document;
    };
    static constexpr std::size_t max_cached = 8;
    // Under the lock.
    void forget(std::string const& path);

    std::mutex m_mutex;
    std::vector<Cached> m_cached; // oldest first
};

// Copies `text` into a buffer of `size` bytes the way the profile functions do: cut to
// size - 1 characters and terminated. Returns the number of characters stored.
unsigned copy_cut(std::string const& text, char* buffer, unsigned size);
// Copies `items` as a list of terminated texts closed by an extra terminator; when the buffer
// is too small the list is cut, doubly terminated, and size - 2 is returned.
unsigned copy_list(std::vector<std::string> const& items, char* buffer, unsigned size);

}
