// Live changes of a running world, written by the wlansim tool and read by every program
// that has the same store open. Commands are appended, one a line, to the store's "live.cmd";
// each reader applies the lines it has not seen yet, in order, so all programs end up with the
// same world.
//
//   ap-add <id> key=value ...     ap-set <id> key=value ...     ap-remove <id>
//   ap-signal <id> <dBm>          ap-move <id> <channel>        wps-press <id>
//   radio hw|sw on|off            adapter pull|insert <id>
//   fail-next-scan                driver-delay <ms>
#pragma once

#include <cstdint>
#include <string>

namespace wlan::sim {

class Store;
class World;

// Applies one command; returns an error text, empty on success.
std::string apply_live_command(World& world, std::string const& line, std::uint64_t now);

// Appends a command line to the store's log (O_APPEND, one write, so lines never interleave).
bool append_live_command(Store& store, std::string const& line);

class LiveLog {
public:
    explicit LiveLog(Store& store)
        : m_store(store)
    {
    }
    // Applies the lines added since the last call. Returns how many were applied.
    int apply_new(World& world, std::uint64_t now);
    // Skips what the log holds now: a program that starts reads the world from the scenario
    // and the log together, through apply_new.
    std::uint64_t offset() const { return m_offset; }

private:
    Store& m_store;
    std::uint64_t m_offset { 0 };
};

}
