// The scan list cache's merge. Scans are not complete: an access point that answered one scan
// is often missing from the next, so a cached entry that a fresh scan no longer reports stays
// for up to 15 seconds after it was last seen, while its channel is one the adapter may use.
//
// A list is a 32-bit count followed by entries chained by their own 32-bit Length, in a
// 0x8000-byte buffer. Every walk checks each entry before it is used: its fixed part inside
// the buffer, a Length of at least the fixed part, and the whole entry inside the buffer.
// Where one of those fails the chain is broken and the walk stops; what came before it is
// kept. An entry whose Length is shorter than 116 + IELength is inconsistent: the chain still
// holds, so the walk marks it and goes on, the merge keeps it in its place, and the readers of
// its elements skip it.
#pragma once

#include "platform/user/Types.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace station::core {

constexpr std::size_t kBssidListSize = 0x8000;
constexpr std::size_t kBssidStampCount = 1024;
// 15 seconds in the 100-nanosecond units of FILETIME.
constexpr std::uint64_t kBssidAgeLimit = 150'000'000;

struct BssidEntrySpan {
    std::size_t offset;
    std::size_t length;
    bool consistent { true }; // Length covers the fixed part and IELength element bytes
};

struct BssidListWalk {
    std::uint32_t claimed { 0 };            // the list's own count
    std::vector<BssidEntrySpan> entries;    // the entries of the unbroken chain, in order
    bool complete() const { return entries.size() == claimed; }
};

BssidListWalk walk_bssid_list(std::span<std::uint8_t const> list);

std::uint64_t filetime_value(FILETIME const& time);

struct BssidMergeContext {
    std::span<std::uint8_t const> channels;  // channels the adapter may use now
    bool library_keeps_entries { false };    // the library ages its own entries
    std::uint64_t now { 0 };                 // UTC, FILETIME units
    std::function<int(std::uint32_t khz)> frequency_to_channel;
};

// Merges the fresh list into the cache. The cache then holds the fresh entries in scan order
// followed by the cached entries kept, each with the time it was last seen; when the fresh list
// claimed any entry, it receives the merged list too. When the library keeps entries itself,
// the cache becomes a copy of the fresh list and the stamps are left alone.
void merge_bssid_list(std::span<std::uint8_t, kBssidListSize> fresh, std::span<std::uint8_t, kBssidListSize> cache,
    std::span<FILETIME, kBssidStampCount> stamps, BssidMergeContext const& context);

}
