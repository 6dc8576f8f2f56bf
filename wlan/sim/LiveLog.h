// The live command log, "live.cmd" in the store. wlansim appends one command a line while it
// holds the log's lock ("live.lock"); every program that has the store open applies, in order,
// the lines it has not seen yet, so all of them end up with the same world.
//
// Past a size the log is compacted (LiveCompaction.h) into the state its lines describe: a new
// generation, named in the log's first line ("#live generation <g> compacted <bytes>"), written
// to a temporary file and renamed over the log, so a reader sees the old log or the new one,
// whole. The log it replaces stays a while as "live.cmd.<old generation>": a program that had
// read part of it reads the rest there, then goes on in the new log after its compacted part,
// and so never applies a change twice or misses one.
//
// Every writer raises the log's change counter (LiveSequence.h) once the log holds what it
// wrote, so a program that calls the library many times a second reads the log only when it
// changed. A writer of another version may not raise it: the log is read anyway each
// kLiveRecheckMs, and whenever the program is told (by a letter) that the log grew.
#pragma once

#include "wlan/sim/LiveSequence.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wlan::sim {

class Store;
class World;

// The first line of a compacted log: its generation, and how many bytes from the start of the
// file (this line included) hold the compacted state; the commands added since follow. A log
// without the line is generation 0 with nothing compacted.
struct LiveHeader {
    std::uint64_t generation { 0 };
    std::uint64_t compacted { 0 };
};
std::string format_live_header(LiveHeader const& header);
std::optional<LiveHeader> parse_live_header(std::string_view first_line);
std::string retired_live_key(std::uint64_t generation);

// How long a reader trusts the change counter alone; then it reads the log once whatever the
// counter says, for a writer that does not raise it.
constexpr std::uint64_t kLiveRecheckMs = 5000;

// A key's last value, as a command set it ("world-set" keys have no owner; "adapter-set" keys
// are owned by their adapter).
struct LiveKey {
    std::string owner;
    std::string key;
    std::string value;
};

// What the lines applied so far have changed, for a compaction to write.
struct LiveSummary {
    bool aps { false };
    bool stations { false };
    bool radio_hw { false };
    bool radio_sw { false };
    bool traffic { false };
    bool hosted { false };
    bool mode { false };
    bool power { false };
    bool block_acks { false };
    std::vector<std::string> adapters;
    std::vector<std::pair<std::string, std::uint64_t>> counters; // the last value set of each
    std::optional<std::uint64_t> softap_frames;                 // the last "softap counters"
    // Each key's last value, in the order they were last set: every key sets its own fields
    // only, so setting these again in this order leaves what the whole log left.
    std::vector<LiveKey> world_keys;
    std::vector<LiveKey> adapter_keys;
    // A command the compaction does not know (added to the tool later): such a log is kept
    // whole rather than compacted lossily.
    bool unmodelled { false };
};

// Whether a compaction can write the state the command leaves. A log holding a command it
// cannot (one added to the tool after the compaction was taught) is kept whole.
bool live_command_compacts(std::string_view command);

// The log's lock, held while alive (flock on "live.lock": the log itself is replaced by a
// compaction, so it cannot carry the lock). Appends and compactions take it; readers need not.
class LiveLock {
public:
    explicit LiveLock(Store const& store);
    ~LiveLock();
    LiveLock(LiveLock const&) = delete;
    LiveLock& operator=(LiveLock const&) = delete;

private:
    int m_fd { -1 };
};

// Appends a command line to the log under its lock (O_APPEND, one write), then raises the
// log's change counter.
bool append_live_command(Store& store, std::string const& line);

class LiveLog {
public:
    explicit LiveLog(Store& store)
        : m_store(store)
        , m_sequence(store)
    {
    }
    // Applies the lines added since the last call. Returns how many were applied; a line that
    // no longer applies (written by an older tool, or its access point gone) is skipped with a
    // message on stderr, so one bad line never stops a program from starting. The log is not
    // opened while its change counter says nothing was written since the last call read it
    // all, unless kLiveRecheckMs passed since (`now` on the caller's clock).
    int apply_new(World& world, std::uint64_t now);
    // Makes the next call read the log whatever its counter says.
    void look_again() { m_read_at.reset(); }
    // How often the log was opened to look for lines; tests count them.
    std::uint64_t reads() const { return m_reads; }
    // Where the next call reads on, in the log of generation().
    std::uint64_t offset() const { return m_offset; }
    std::uint64_t generation() const { return m_generation.value_or(0); }
    // Bytes of commands after the compacted part, as the last call found the log.
    std::uint64_t uncompacted() const { return m_uncompacted; }
    LiveSummary const& summary() const { return m_summary; }
    // Bytes of commands after the compacted part of the store's log now (0 without a log).
    static std::uint64_t uncompacted_bytes(Store const& store);
    // No messages for skipped lines (a compaction reads what the tool has already said).
    void set_quiet(bool quiet) { m_quiet = quiet; }

private:
    struct File;
    bool unchanged(std::optional<std::uint64_t> sequence, std::uint64_t now) const;
    int read_log(World& world, std::uint64_t now);
    int apply_from(File const& file, World& world, std::uint64_t now);
    bool catch_up(File const& current, World& world, std::uint64_t now, int& applied);
    bool skip_compacted_part(File const& file, std::uint64_t generation);
    std::size_t apply_block(std::string const& text, std::size_t at, World& world, std::uint64_t now);
    void note(std::string const& line);
    void note_keys(std::vector<std::string> const& words);

    Store& m_store;
    std::optional<std::uint64_t> m_generation;
    std::uint64_t m_offset { 0 };
    std::uint64_t m_uncompacted { 0 };
    int m_line { 0 };
    bool m_quiet { false };
    LiveSummary m_summary;
    LiveSequence m_sequence;
    // The counter as it was before the last read that left nothing unread, and that read's time.
    std::optional<std::uint64_t> m_read_at;
    std::uint64_t m_read_time { 0 };
    bool m_read_all { false };
    std::uint64_t m_reads { 0 };
};

}
