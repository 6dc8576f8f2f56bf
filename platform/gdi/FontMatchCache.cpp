#include "platform/gdi/FontMatchCache.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string_view>
#include <vector>

namespace platform::gdi {

namespace {

constexpr char kHeader[] = "font matches 1";
constexpr std::size_t kMostBytes = 64 * 1024;
constexpr std::size_t kMostEntries = 256;

std::string env_or_empty(char const* name)
{
    char const* value = std::getenv(name);
    return value && *value ? std::string(value) : std::string();
}

// $<variable>, else $HOME/<fallback>; empty when neither is known.
std::string user_folder(char const* variable, char const* fallback)
{
    if (auto dir = env_or_empty(variable); !dir.empty())
        return dir;
    if (auto home = env_or_empty("HOME"); !home.empty())
        return home + "/" + fallback;
    return {};
}

// Where fontconfig reads its configuration and finds fonts, and where it keeps the caches
// its tools rewrite when fonts are installed or removed.
std::vector<std::string> watched_paths()
{
    std::string const config = user_folder("XDG_CONFIG_HOME", ".config");
    std::string const data = user_folder("XDG_DATA_HOME", ".local/share");
    std::string const cache = user_folder("XDG_CACHE_HOME", ".cache");
    std::string const home = env_or_empty("HOME");
    std::vector<std::string> paths { "/etc/fonts/fonts.conf", "/etc/fonts/conf.d", "/etc/fonts/local.conf",
        "/var/cache/fontconfig", "/usr/share/fonts", "/usr/local/share/fonts" };
    if (!config.empty())
        paths.insert(paths.end(), { config + "/fontconfig", config + "/fontconfig/fonts.conf", config + "/fontconfig/conf.d" });
    if (!data.empty())
        paths.push_back(data + "/fonts");
    if (!cache.empty())
        paths.push_back(cache + "/fontconfig");
    if (!home.empty())
        paths.insert(paths.end(), { home + "/.fonts", home + "/.fonts.conf", home + "/.fonts.conf.d" });
    return paths;
}

// Only fontconfig's answers (files) are kept: whether one can still be read is all to ask.
bool readable_file(std::string const& path) { return ::access(path.c_str(), R_OK) == 0; }

std::string key_of(std::string const& family, bool bold, bool italic)
{
    return family + (bold ? "|b" : "|") + (italic ? "i" : "");
}

bool read_small_file(std::string const& path, std::string& out)
{
    int const fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && std::size_t(info.st_size) <= kMostBytes;
    if (ok) {
        out.resize(std::size_t(info.st_size));
        ssize_t const n = ::pread(fd, out.data(), out.size(), 0);
        ok = n == ssize_t(out.size());
    }
    ::close(fd);
    return ok;
}

}

FontMatchCache::FontMatchCache(std::string file)
    : m_file(std::move(file))
{
}

std::string FontMatchCache::default_file()
{
    if (auto dir = env_or_empty("ZORVEL_CACHE_DIR"); !dir.empty())
        return dir + "/font-matches";
    if (!env_or_empty("ZORVEL_TEST").empty())
        return {};
    auto const cache = user_folder("XDG_CACHE_HOME", ".cache");
    return cache.empty() ? std::string() : cache + "/zorvel/font-matches";
}

std::string FontMatchCache::configuration_stamp()
{
    // No stream: the first one a program makes builds the standard library's locale tables.
    std::string stamp;
    for (char const* name : { "FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT" })
        stamp += env_or_empty(name) + ';';
    for (auto const& path : watched_paths()) {
        struct stat info {};
        char text[128] = "-";
        if (::stat(path.c_str(), &info) == 0) {
            std::snprintf(text, sizeof text, "%llx:%llx:%llx.%lx:%llx.%lx", static_cast<unsigned long long>(info.st_ino),
                static_cast<unsigned long long>(info.st_size), static_cast<unsigned long long>(info.st_mtim.tv_sec),
                static_cast<unsigned long>(info.st_mtim.tv_nsec), static_cast<unsigned long long>(info.st_ctim.tv_sec),
                static_cast<unsigned long>(info.st_ctim.tv_nsec));
        }
        stamp += text;
        stamp += ';';
    }
    return stamp;
}

void FontMatchCache::load_locked()
{
    if (m_loaded)
        return;
    m_loaded = true;
    if (m_file.empty())
        return;
    m_stamp = configuration_stamp();
    std::string text;
    if (!read_small_file(m_file, text))
        return;
    std::string_view rest = text;
    auto next_line = [&rest](std::string_view& line) {
        auto const end = rest.find('\n');
        if (end == std::string_view::npos)
            return false; // a line is whole only with its line end
        line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        return true;
    };
    std::string_view header, stamp, line;
    if (!next_line(header) || header != kHeader || !next_line(stamp) || stamp != m_stamp)
        return;
    while (next_line(line) && m_paths.size() < kMostEntries) {
        auto const tab = line.find('\t');
        if (tab != std::string_view::npos && tab + 1 < line.size())
            m_paths[std::string(line.substr(0, tab))] = std::string(line.substr(tab + 1));
    }
}

std::optional<std::string> FontMatchCache::find(std::string const& family, bool bold, bool italic)
{
    std::lock_guard lock(m_mutex);
    load_locked();
    auto const it = m_paths.find(key_of(family, bold, italic));
    if (it == m_paths.end() || !readable_file(it->second))
        return std::nullopt;
    return it->second;
}

bool FontMatchCache::warm()
{
    std::lock_guard lock(m_mutex);
    load_locked();
    return !m_paths.empty();
}

void FontMatchCache::remember(std::string const& family, bool bold, bool italic, std::string const& path)
{
    std::lock_guard lock(m_mutex);
    load_locked();
    // A key or path with a line break could not be read back as one entry.
    if (m_file.empty() || path.empty() || (family + path).find_first_of("\t\n") != std::string::npos)
        return;
    // Reading the configuration may itself have rewritten fontconfig's caches: answers kept
    // under another stamp are not known to hold for this one.
    if (std::string const stamp = configuration_stamp(); stamp != m_stamp) {
        m_stamp = stamp;
        m_paths.clear();
    }
    if (m_paths.size() >= kMostEntries)
        return;
    m_paths[key_of(family, bold, italic)] = path;
    write_locked();
}

bool FontMatchCache::write_locked() const
{
    std::string text = std::string(kHeader) + "\n" + m_stamp + "\n";
    for (auto const& [key, path] : m_paths)
        text += key + "\t" + path + "\n";
    auto const slash = m_file.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        std::string const folder = m_file.substr(0, slash);
        for (auto at = folder.find('/', 1); at != std::string::npos; at = folder.find('/', at + 1))
            ::mkdir(folder.substr(0, at).c_str(), 0700);
        ::mkdir(folder.c_str(), 0700);
    }
    // Beside the file under a name of this process, then renamed over it: another program
    // starting at the same time reads the old answers or the new, never a part.
    std::string const temporary = m_file + ".tmp." + std::to_string(::getpid());
    int const fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool ok = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temporary.c_str(), m_file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}
