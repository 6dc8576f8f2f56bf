// [SECTION] index: header, lock and append, reading a log file, applying lines, generations.
#include "wlan/sim/LiveLog.h"

#include "platform/system/ParseInteger.h"
#include "platform/system/TextSplit.h"
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/Scenario.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wlan::sim {

namespace {

// A reader takes at most this much of the log at once; the rest on its next call.
constexpr std::size_t kMaxLiveRead = 4u << 20;
constexpr std::string_view kHeaderStart = "#live generation ";

// The compacted access points and stations: scenario sections between a block's first and last
// line (SSIDs and keys may hold spaces, which commands cannot carry).
struct Block {
    std::string_view start;
    std::string_view end;
    bool stations;
};
constexpr Block kBlocks[] = {
    { "#aps\n", "\n#end aps\n", false },
    { "#stations\n", "\n#end stations\n", true },
};

Block const* block_at(std::string_view text)
{
    for (auto const& block : kBlocks)
        if (text.starts_with(block.start))
            return &block;
    return nullptr;
}

// Keeps `key`'s last value at the end of `keys`, so their order is the order last set.
void keep_last(std::vector<LiveKey>& keys, std::string const& owner, std::string const& pair)
{
    auto const eq = pair.find('=');
    LiveKey key { owner, pair.substr(0, eq), eq == std::string::npos ? "" : pair.substr(eq + 1) };
    std::erase_if(keys, [&](LiveKey const& k) { return k.owner == key.owner && k.key == key.key; });
    keys.push_back(std::move(key));
}

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

std::string retired_live_key(std::uint64_t generation) { return std::string(kLiveLogKey) + "." + std::to_string(generation); }

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
    int const fd = ::open(store.path_of(kLiveLogKey).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool const ok = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ::close(fd);
    // Raised even after a failed write: whatever part of the line it wrote is in the log.
    raise_live_sequence(store);
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
    File const file(store.path_of(kLiveLogKey));
    return file.ok() ? file.size - file.header.compacted : 0;
}

// [SECTION] applying lines

int LiveLog::apply_from(File const& file, World& world, std::uint64_t now)
{
    std::string const text = file.read(m_offset);
    int applied = 0;
    std::size_t at = 0;
    for (;;) {
        if (block_at(std::string_view(text).substr(at))) {
            std::size_t const next = apply_block(text, at, world, now);
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

// A block replaces the world's access points, or its stations, as a whole. Answers where the
// block ends, or `at` when it is not whole.
std::size_t LiveLog::apply_block(std::string const& text, std::size_t at, World& world, std::uint64_t now)
{
    Block const& kind = *block_at(std::string_view(text).substr(at));
    auto const end = text.find(kind.end, at + kind.start.size() - 1);
    if (end == std::string::npos)
        return at;
    std::string const block = text.substr(at + kind.start.size(), end + 1 - at - kind.start.size());
    std::size_t const next = end + kind.end.size();
    m_line += int(std::count(text.begin() + std::ptrdiff_t(at), text.begin() + std::ptrdiff_t(next), '\n'));
    auto parsed = parse_scenario(block);
    for (auto const& e : parsed.errors)
        std::fprintf(stderr, "vxsim: live.cmd %s: %s\n", kind.stations ? "stations" : "access points", e.c_str());
    if (kind.stations) {
        world.replace_stations(std::move(parsed.world.stations), now);
        m_summary.stations = true;
    } else {
        world.spec().aps = std::move(parsed.world.aps);
        m_summary.aps = true;
    }
    return next;
}

bool live_command_compacts(std::string_view command)
{
    static constexpr std::string_view kKnown[] = { "ap-add", "ap-set", "ap-remove", "ap-signal", "ap-move", "wps-press",
        "radio", "adapter", "fail-next-scan", "driver-delay", "traffic", "counters", "power", "mode", "world-set",
        "adapter-set", "hosted-sta", "sta-add", "sta-set", "sta-remove", "sta-join", "sta-leave", "softap", "ba" };
    return std::find(std::begin(kKnown), std::end(kKnown), command) != std::end(kKnown);
}

// What a compaction has to write for an applied line. "softap exit", "fail-next-scan" and
// "driver-delay" need nothing here: the first leaves nothing behind, the world keeps the others
// waiting (World::pending).
void LiveLog::note(std::string const& line)
{
    auto const w = platform::system::split_words(line);
    std::string const& command = w[0];
    std::string const first = w.size() > 1 ? w[1] : "";
    if (!live_command_compacts(command)) {
        m_summary.unmodelled = true;
    } else if (command.starts_with("ap-") || command == "wps-press") {
        m_summary.aps = true;
    } else if (command.starts_with("sta-")) {
        m_summary.stations = true;
    } else if (command == "radio") {
        (first == "hw" ? m_summary.radio_hw : m_summary.radio_sw) = true;
    } else if (command == "traffic") {
        m_summary.traffic = true;
    } else if (command == "adapter" && w.size() > 2) {
        if (std::find(m_summary.adapters.begin(), m_summary.adapters.end(), w[2]) == m_summary.adapters.end())
            m_summary.adapters.push_back(w[2]);
    } else if (command == "counters") {
        for (std::size_t i = 1; i < w.size(); ++i) {
            auto const eq = w[i].find('=');
            auto const key = w[i].substr(0, eq);
            auto const value = platform::system::parse_integer<std::uint64_t>(w[i].substr(eq + 1)).value_or(0);
            std::erase_if(m_summary.counters, [&](auto const& c) { return c.first == key; });
            m_summary.counters.emplace_back(key, value);
        }
    } else if (command == "world-set" || command == "adapter-set") {
        note_keys(w);
    } else if (command == "softap" && first == "counters" && w.size() > 2) {
        m_summary.softap_frames = platform::system::parse_integer<std::uint64_t>(w[2]);
    } else if (command == "hosted-sta") {
        m_summary.hosted = true;
    } else if (command == "mode") {
        m_summary.mode = true;
    } else if (command == "power") {
        m_summary.power = true;
    } else if (command == "ba") {
        m_summary.block_acks = true;
    }
}

// The hosted-network stations and an adapter's presence are written from the world, as other
// commands change them too; every other key as it was last set.
void LiveLog::note_keys(std::vector<std::string> const& w)
{
    bool const adapter = w[0] == "adapter-set";
    std::string const owner = adapter ? w[1] : "";
    for (std::size_t i = adapter ? 2 : 1; i < w.size(); ++i) {
        std::string const key = w[i].substr(0, w[i].find('='));
        if (!adapter && key == "hosted_stations") {
            m_summary.hosted = true;
            continue;
        }
        if (adapter && key == "present" && std::find(m_summary.adapters.begin(), m_summary.adapters.end(), owner) == m_summary.adapters.end())
            m_summary.adapters.push_back(owner);
        keep_last(adapter ? m_summary.adapter_keys : m_summary.world_keys, owner, w[i]);
    }
}

// [SECTION] generations

// The counter is loaded before the log is opened: a write that this read may have missed
// raises it past the value kept, so the next call reads again.
int LiveLog::apply_new(World& world, std::uint64_t now)
{
    std::optional<std::uint64_t> const sequence = m_sequence.ok() ? std::optional(m_sequence.load()) : std::nullopt;
    if (unchanged(sequence, now))
        return 0;
    ++m_reads;
    m_read_all = true;
    int const applied = read_log(world, now);
    m_read_at = m_read_all ? sequence : std::nullopt;
    m_read_time = now;
    return applied;
}

// A clock that went back (a caller on another clock) counts as time passed.
bool LiveLog::unchanged(std::optional<std::uint64_t> sequence, std::uint64_t now) const
{
    return sequence && sequence == m_read_at && now >= m_read_time && now - m_read_time < kLiveRecheckMs;
}

int LiveLog::read_log(World& world, std::uint64_t now)
{
    File const current(m_store.path_of(kLiveLogKey));
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
    std::uint64_t const from = m_offset;
    applied += apply_from(current, world, now);
    m_uncompacted = current.size - current.header.compacted;
    // More than one read takes is left for the next call, which must not skip it.
    m_read_all = current.size - from <= kMaxLiveRead;
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
