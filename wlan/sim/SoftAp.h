// The state of the adapter while it runs as a software access point: the configuration and the
// access control list the driver was given, where each nearby station stands, the event table
// the driver keeps and the frame counters. The World drives it (WorldSoftAp.cpp); the rules that
// need no world (admission, keys, rate words, defaults) are free functions here, tested alone.
#pragma once

#include "wlan/api/ApRecords.h"
#include "wlan/sim/Scenario.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace wlan::sim {

// Where a station stands with the access point. Refused and failed stations try again only
// after something changes: the configuration, the access list, the station or the access point.
enum class StationState { Away, Associated, Refused, AuthFailed };
char const* to_string(StationState state);

struct StationLink {
    StationState state { StationState::Away };
    int aid { 0 };
    std::uint64_t since { 0 };
};

struct ApEvent {
    std::uint64_t at { 0 }; // world time, ms
    Mac mac {};
    std::uint16_t code { 0 };
};

struct ApCounters {
    std::uint64_t tx_ok { 0 };
    std::uint64_t tx_failed_ack { 0 };
    std::uint64_t tx_retried { 0 };
    std::uint64_t rts_ok { 0 };
    std::uint64_t rts_failed { 0 };
    std::uint64_t rx_ok { 0 };
    std::uint64_t rx_duplicate { 0 };
    std::uint64_t rx_crc { 0 };
    std::uint64_t rx_dropped { 0 };
};

struct SoftApState {
    std::optional<ApConfigData> config;       // what the driver was given; none after a reset
    AccessControlList acl {};                 // as applied; policy 0 admits everyone
    bool started { false };
    std::map<std::string, StationLink> links; // by station id
    std::deque<ApEvent> events;               // oldest first, not yet read
    std::uint64_t counter_base { 0 };         // frames counted before the last fold
    std::uint64_t frame_ms { 0 };             // frames x 1000 since then
    std::uint64_t folded_at { 0 };
};

// At most this many unread events are kept; the oldest go first.
constexpr std::size_t kApEventBacklog = 1000;

// The record the library answers before anything was stored.
ApConfigData default_ap_config(bool has_11n, int region24, int region5);
// Whether the access list lets the station in.
bool acl_admits(AccessControlList const& acl, Mac const& mac);
// Whether the station's key opens the configured security: WEP the default key, the PSK modes
// the pre-shared key; an open network without encryption takes any station.
bool key_matches(ApSecurity const& security, std::string const& key);
// The station's transmit rate word of the station table (mode, index or MCS, 40 MHz, short GI).
std::uint16_t station_rate_word(StationSpec const& station);
// The frame counters of a frame total.
ApCounters counters_for(std::uint64_t frames);

}
