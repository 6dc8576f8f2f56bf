// [SECTION] index: header, lock and append, reading a log file, applying lines, generations.
#include "wlan/sim/LiveLog.h"

#include "platform/system/ParseInteger.h"
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/Scenario.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wlan::sim {

namespace {

// A reader takes at most this much of the log at once; the rest on its next call.
constexpr std::size_t kMaxLiveRead = 4u << 20;
constexpr std::string_view kHeaderStart = "#live generation ";
constexpr std::string_view kApsStart = "#aps\n";
constexpr std::string_view kApsEnd = "\n#end aps\n";

}

// [SECTION] header

// Fixed-width numbers, so the header's own length does not depend on them.
std::string format_live_header(LiveHeader const& header)
{
    char text[80];
    std::snprintf(text, sizeof text, "#live generation %020llu compacted %020llu\n", static_cast<unsigned long long>(header.generation),
        static_cast<unsigned long long>(header.compacted));
    return text;
}

std::optional<LiveHeader> parse_live_header(std::string_view line)
{
    if (!line.starts_with(kHeaderStart))
        return std::nullopt;
    line.remove_prefix(kHeaderStart.size());
    auto const space = line.find(' ');
    constexpr std::string_view compacted = " compacted ";
    if (space == std::string_view::npos || line.substr(space, compacted.size()) != compacted)
        return std::nullopt;
    auto generation = platform::system::parse_integer<std::uint64_t>(line.substr(0, space));
    auto size = platform::system::parse_integer<std::uint64_t>(line.substr(space + compacted.size()));
    if (!generation || !size)
        return std::nullopt;
    return LiveHeader { *generation, *size };
}

std::string retired_live_key(std::uint64_t generation) { return "live.cmd." + std::to_string(generation); }

// [SECTION] lock and append

LiveLock::LiveLock(Store const& store)
    : m_fd(::open(store.path_of("live.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
{
    while (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

LiveLock::~LiveLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool append_live_command(Store& store, std::string const& line)
{
    std::string const text = line + "\n";
    LiveLock lock(store);
    int const fd = ::open(store.path_of("live.cmd").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool const ok = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ::close(fd);
    return ok;
}

// [SECTION] reading a log file

// One log file as it was when opened: only a regular file is read, its header and size taken
// from the same open file as the lines, so a compaction between them cannot mix two logs.
struct LiveLog::File {
    int fd { -1 };
    std::uint64_t size { 0 };
    LiveHeader header;

    explicit File(std::string const& path)
    {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        struct stat info {};
        if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(fd);
            fd = -1;
        }
        if (fd < 0)
            return;
        size = std::uint64_t(info.st_size);
        char first[80];
        ssize_t const n = ::pread(fd, first, sizeof first, 0);
        std::string_view const text(first, n > 0 ? std::size_t(n) : 0);
        auto header_line = text.substr(0, text.find('\n'));
        if (auto parsed = parse_live_header(header_line); parsed && parsed->compacted <= size)
            header = *parsed;
    }
    ~File()
    {
        if (fd >= 0)
            ::close(fd);
    }
    File(File const&) = delete;
    File& operator=(File const&) = delete;
    bool ok() const { return fd >= 0; }

    std::string read(std::uint64_t from, std::size_t most = kMaxLiveRead) const
    {
        if (from >= size)
            return {};
        std::string text(std::min<std::uint64_t>(size - from, most), '\0');
        ssize_t const n = ::pread(fd, text.data(), text.size(), off_t(from));
        text.resize(n > 0 ? std::size_t(n) : 0);
        return text;
    }
};

std::uint64_t LiveLog::uncompacted_bytes(Store const& store)
{
    File const file(store.path_of("live.cmd"));
    return file.ok() ? file.size - file.header.compacted : 0;
}

// [SECTION] applying lines

int LiveLog::apply_from(File const& file, World& world, std::uint64_t now)
{
    std::string const text = file.read(m_offset);
    int applied = 0;
    std::size_t at = 0;
    for (;;) {
        if (std::string_view(text).substr(at).starts_with(kApsStart)) {
            std::size_t const next = apply_aps(text, at, world);
            if (next == at)
                break; // the block is not whole yet
            at = next;
            continue;
        }
        auto const end = text.find('\n', at);
        if (end == std::string::npos)
            break; // a line still being written has no newline yet
        std::string const line = text.substr(at, end - at);
        at = end + 1;
        ++m_line;
        if (line.find_first_not_of(" \t\r") == std::string::npos || line[0] == '#')
            continue;
        if (auto error = apply_live_command(world, line, now); !error.empty()) {
            if (!m_quiet)
                std::fprintf(stderr, "vxsim: live.cmd line %d skipped: %s\n", m_line, error.c_str());
            continue;
        }
        note(line);
        ++applied;
    }
    m_offset += at;
    return applied;
}

// The compacted access points: scenario sections between "#aps" and "#end aps", which replace
// the world's list as a whole (SSIDs may hold spaces, which commands cannot carry). Answers
// where the block ends, or `at` when it is not whole.
std::size_t LiveLog::apply_aps(std::string const& text, std::size_t at, World& world)
{
    auto const end = text.find(kApsEnd, at + kApsStart.size() - 1);
    if (end == std::string::npos)
        return at;
    std::string const block = text.substr(at + kApsStart.size(), end + 1 - at - kApsStart.size());
    std::size_t const next = end + kApsEnd.size();
    m_line += int(std::count(text.begin() + std::ptrdiff_t(at), text.begin() + std::ptrdiff_t(next), '\n'));
    auto parsed = parse_scenario(block);
    for (auto const& e : parsed.errors)
        std::fprintf(stderr, "vxsim: live.cmd access points: %s\n", e.c_str());
    world.spec().aps = std::move(parsed.world.aps);
    m_summary.aps = true;
    return next;
}

void LiveLog::note(std::string const& line)
{
    std::istringstream in(line);
    std::string command, first;
    in >> command >> first;
    if (command.starts_with("ap-") || command == "wps-press") {
        m_summary.aps = true;
    } else if (command == "radio") {
        (first == "hw" ? m_summary.radio_hw : m_summary.radio_sw) = true;
    } else if (command == "traffic") {
        m_summary.traffic = true;
    } else if (command == "adapter") {
        std::string id;
        in >> id;
        if (std::find(m_summary.adapters.begin(), m_summary.adapters.end(), id) == m_summary.adapters.end())
            m_summary.adapters.push_back(id);
    } else if (command == "counters") {
        for (std::string pair = first; !pair.empty(); pair.clear(), in >> pair) {
            auto const eq = pair.find('=');
            auto const key = pair.substr(0, eq);
            auto const value = platform::system::parse_integer<std::uint64_t>(pair.substr(eq + 1)).value_or(0);
            std::erase_if(m_summary.counters, [&](auto const& c) { return c.first == key; });
            m_summary.counters.emplace_back(key, value);
        }
    } else if (command != "fail-next-scan" && command != "driver-delay") {
        m_summary.unmodelled = true;
    }
}

// [SECTION] generations

int LiveLog::apply_new(World& world, std::uint64_t now)
{
    File const current(m_store.path_of("live.cmd"));
    if (!current.ok())
        return 0;
    int applied = 0;
    if (!m_generation)
        m_generation = current.header.generation; // a new reader reads the whole log
    if (*m_generation != current.header.generation && !catch_up(current, world, now, applied)) {
        std::fprintf(stderr, "vxsim: live.cmd was replaced by a log this program cannot follow on in; reading it whole\n");
        m_generation = current.header.generation;
        m_offset = 0;
        m_line = 0;
    }
    if (m_offset > current.size) { // the log was replaced by a shorter one of the same generation
        m_offset = 0;
        m_line = 0;
    }
    applied += apply_from(current, world, now);
    m_uncompacted = current.size - current.header.compacted;
    return applied;
}

// Reads the rest of each log retired since this reader's generation, then skips the compacted
// part of the next one (it describes what was read). False when a retired log is gone.
bool LiveLog::catch_up(File const& current, World& world, std::uint64_t now, int& applied)
{
    while (*m_generation < current.header.generation) {
        File const retired(m_store.path_of(retired_live_key(*m_generation)));
        if (!retired.ok())
            return false;
        while (m_offset < retired.size) {
            std::uint64_t const before = m_offset;
            applied += apply_from(retired, world, now);
            if (m_offset == before)
                break; // an unfinished last line: the writer was stopped, it will not end
        }
        std::uint64_t const next = *m_generation + 1;
        bool const skipped = next < current.header.generation
            ? skip_compacted_part(File(m_store.path_of(retired_live_key(next))), next)
            : skip_compacted_part(current, next);
        if (!skipped)
            return false;
        m_generation = next;
    }
    return *m_generation == current.header.generation;
}

bool LiveLog::skip_compacted_part(File const& file, std::uint64_t generation)
{
    if (!file.ok() || file.header.generation != generation)
        return false;
    std::string const part = file.read(0, std::size_t(file.header.compacted));
    m_offset = file.header.compacted;
    m_line = int(std::count(part.begin(), part.end(), '\n'));
    return true;
}

}
