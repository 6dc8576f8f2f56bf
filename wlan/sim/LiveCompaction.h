// Compaction of the live command log (LiveLog.h): once the commands added since the last
// compaction pass a size, the log is rewritten as the state they describe, so that starting a
// program or running wlansim costs the same however long the world has been changed live.
//
// The compacted part, replayed on the scenario's world, gives the world the whole log gave:
// the access points and stations (as scenario sections, when any command touched them), the
// world's and adapters' keys as last set, the hosted-network stations, the radio switches, the
// driver's mode, adapters and power, traffic pattern and counters, the block-ack table, and
// what commands left waiting (a pressed WPS button, a scan set to fail, a driver delay).
#pragma once

#include "wlan/sim/LiveLog.h"

#include <cstdint>
#include <string>

namespace wlan::sim {

class Store;
class World;
struct WorldSpec;

// Commands added since the last compaction that make the next call compact.
constexpr std::uint64_t kLiveCompactBytes = 64u << 10;
// Retired logs kept for programs that have not yet read to their end.
constexpr std::uint64_t kLiveRetiredKept = 4;

// The compacted log of generation `generation`, header included, for `world` after a replay
// (at `now`) that `summary` describes.
std::string compacted_live_log(World const& world, LiveSummary const& summary, std::uint64_t generation, std::uint64_t now);

// Compacts the store's log when more than `limit` bytes of commands follow its compacted part:
// under the log's lock, replays it on a world made from `base`, keeps the log as the retired
// log of its generation, and writes the next generation through the store's atomic write, which
// raises the log's change counter (a line still being written is carried over as it is). True
// when it compacted.
bool compact_live_log(Store& store, WorldSpec const& base, std::uint64_t now, std::uint64_t limit = kLiveCompactBytes);

}
