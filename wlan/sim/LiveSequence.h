// The live log's change counter, "live.seq" in the store: one 64-bit number that every writer
// of the log raises after it appended to it or replaced it. A reader maps the counter once and
// loads it before each look at the log: the same value it saw when it last read the log says
// that nothing was written since, without a system call. The file is mapped shared, so a raise
// by any process is seen by the next load in every other; it is only ever changed through the
// mapping (never written, truncated or replaced as a file).
#pragma once

#include <cstdint>

namespace wlan::sim {

class Store;

// The store's key of the live command log, and of its counter.
inline constexpr char kLiveLogKey[] = "live.cmd";
inline constexpr char kLiveSequenceKey[] = "live.seq";

class LiveSequence {
public:
    // Maps the store's counter, making it when missing. When that fails (a folder that cannot
    // be written, a file system without shared mappings) ok() is false and the counter tells
    // nothing: a reader then looks at the log every time.
    explicit LiveSequence(Store const& store);
    ~LiveSequence();
    LiveSequence(LiveSequence const&) = delete;
    LiveSequence& operator=(LiveSequence const&) = delete;

    bool ok() const { return m_value != nullptr; }
    std::uint64_t load() const;
    void raise();

private:
    std::uint64_t* m_value { nullptr };
};

// Raises the store's counter; a writer calls it once the log holds what it wrote.
void raise_live_sequence(Store const& store);

}
