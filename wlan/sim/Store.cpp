#include "wlan/sim/Store.h"

#include "platform/system/ParseInteger.h"
#include "platform/system/ReadFile.h"
#include "platform/system/TextSplit.h"
#include "wlan/sim/LiveSequence.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace wlan::sim {

namespace {

// Every write asks; the folder nearly always exists, and one stat says so.
bool make_folders(std::string const& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return true;
    std::string partial;
    if (!path.empty() && path[0] == '/')
        partial = "/";
    for (std::string const& part : platform::system::split_text(path, '/')) {
        if (part.empty())
            continue;
        partial += part + "/";
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

bool write_all(int fd, std::uint8_t const* data, std::size_t size)
{
    while (size > 0) {
        ssize_t const n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

// "<key>.tmp.<pid>.<n>": the temporary of a write, left behind when its process was killed
// between creating and renaming it. Answers the writer's process id.
std::optional<pid_t> temporary_writer(std::string const& name)
{
    auto const tmp = name.rfind(".tmp.");
    if (tmp == std::string::npos)
        return std::nullopt;
    std::string_view rest = std::string_view(name).substr(tmp + 5);
    auto const dot = rest.find('.');
    if (dot == std::string_view::npos || !platform::system::parse_integer<unsigned>(rest.substr(dot + 1)))
        return std::nullopt;
    auto pid = platform::system::parse_integer<pid_t>(rest.substr(0, dot));
    return pid && *pid > 0 ? pid : std::nullopt;
}

// Removes the temporaries of writers that are gone; a live writer's file is still in use.
void remove_stale_temporaries(std::string const& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (dirent const* entry = ::readdir(dir)) {
        auto const writer = temporary_writer(entry->d_name);
        if (writer && ::kill(*writer, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Readers of the live log skip it while its counter stands still (LiveSequence.h): a change
// of the log through the store (a compaction replacing it) raises the counter too.
void changed(Store const& store, std::string const& key)
{
    if (key == kLiveLogKey)
        raise_live_sequence(store);
}

}

std::string Store::default_folder()
{
    if (char const* env = std::getenv("VXSIM_STORE"); env && *env)
        return env;
    if (char const* state = std::getenv("XDG_STATE_HOME"); state && *state)
        return std::string(state) + "/vxsim";
    char const* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/state/vxsim";
}

Store::Store(std::string folder)
    : m_folder(std::move(folder))
{
    make_folders(m_folder);
    remove_stale_temporaries(m_folder);
}

// Keys become file names: letters, digits, '.', '-' and '_' stay, anything else is escaped as
// %XX, so a profile name cannot leave the folder.
std::string Store::path_of(std::string const& key) const
{
    std::string name;
    for (unsigned char c : key) {
        bool const plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
            || (c == '.' && !name.empty());
        if (plain) {
            name += char(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            name += hex;
        }
    }
    return m_folder + "/" + name;
}

std::optional<std::vector<std::uint8_t>> Store::read(std::string const& key) const
{
    // A key that is not a readable regular file (a folder, a device, a broken disk) is absent,
    // said once on stderr: the programs carry on with their defaults.
    std::string text;
    auto const error = platform::system::read_regular_file(path_of(key), text, kMaxValueBytes);
    if (error == platform::system::ReadFileError::Missing)
        return std::nullopt;
    if (error != platform::system::ReadFileError::None) {
        std::fprintf(stderr, "vxsim: store key %s ignored: %s\n", path_of(key).c_str(), platform::system::to_string(error));
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

bool replace_file(std::string const& target, std::vector<std::uint8_t> const& bytes, std::function<void()> const& before_rename)
{
    static std::atomic<unsigned> serial { 0 };
    std::string const tmp = target + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(serial++);
    int const fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool ok = write_all(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && before_rename)
        before_rename();
    if (!ok || ::rename(tmp.c_str(), target.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return false;
    }
    std::string const folder = target.find('/') == std::string::npos ? "." : target.substr(0, target.rfind('/') + 1);
    if (int const dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool Store::write(std::string const& key, std::vector<std::uint8_t> const& bytes)
{
    // A value stored already is left as it is: writing it again changes nothing a reader
    // sees and costs two disk flushes (a program's start stores several unchanged values).
    std::string stored;
    if (platform::system::read_regular_file(path_of(key), stored, kMaxValueBytes) == platform::system::ReadFileError::None
        && std::equal(stored.begin(), stored.end(), bytes.begin(), bytes.end(),
            [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
        return true;
    make_folders(m_folder);
    if (!replace_file(path_of(key), bytes, m_before_rename))
        return false;
    changed(*this, key);
    return true;
}

bool Store::remove(std::string const& key)
{
    if (::unlink(path_of(key).c_str()) != 0)
        return false;
    changed(*this, key);
    return true;
}

std::optional<std::uint32_t> Store::read_u32(std::string const& key) const { return read_record<std::uint32_t>(key); }

bool Store::write_u32(std::string const& key, std::uint32_t value) { return write_record(key, value); }

std::optional<std::string> Store::read_text(std::string const& key) const
{
    auto bytes = read(key);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

bool Store::write_text(std::string const& key, std::string const& text)
{
    return write(key, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<WLANPROFILE> Store::profiles() const
{
    std::vector<WLANPROFILE> out;
    auto bytes = read("profiles");
    // An empty file is no profiles (and an empty vector has no memory to copy into).
    if (!bytes || bytes->empty() || bytes->size() % sizeof(WLANPROFILE) != 0)
        return out;
    out.resize(bytes->size() / sizeof(WLANPROFILE));
    std::memcpy(out.data(), bytes->data(), bytes->size());
    return out;
}

bool Store::save_profiles(std::vector<WLANPROFILE> const& profiles)
{
    auto const* p = reinterpret_cast<std::uint8_t const*>(profiles.data());
    return write("profiles", std::vector<std::uint8_t>(p, p + profiles.size() * sizeof(WLANPROFILE)));
}

}
