// The font files fontconfig chose for each face a program asked for, kept across starts.
// Reading fontconfig's configuration costs a start some 4-5 ms of CPU and 1 MB of memory,
// while the answers change only when the font configuration or the installed fonts do. The
// file holds a stamp of those (times and sizes of the configuration files and of the font
// and font-cache folders, and the environment that moves them); a file whose stamp differs
// is ignored and written again. A kept path whose file is gone is not answered.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace platform::gdi {

class FontMatchCache {
public:
    // `file` empty: nothing is kept; every lookup misses.
    explicit FontMatchCache(std::string file);

    std::optional<std::string> find(std::string const& family, bool bold, bool italic);
    // Keeps the answer and writes the file again (a cache: no flush to disk).
    void remember(std::string const& family, bool bold, bool italic, std::string const& path);
    // True when the file held answers for this configuration.
    bool warm();

    // ZORVEL_CACHE_DIR, else $XDG_CACHE_HOME/zorvel, else ~/.cache/zorvel, with
    // "font-matches" in it. Empty under test (ZORVEL_TEST) unless ZORVEL_CACHE_DIR is set, so
    // tests never share the user's cache.
    static std::string default_file();
    // What the answers depend on, as one line.
    static std::string configuration_stamp();

private:
    void load_locked();
    bool write_locked() const;

    std::mutex m_mutex;
    std::string m_file;
    std::string m_stamp;
    std::map<std::string, std::string> m_paths;
    bool m_loaded { false };
};

}
