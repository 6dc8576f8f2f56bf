#include "station/core/ScanList.h"

#include "station/core/Trace.h"
#include "wlan/api/Records.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <memory>

namespace station::core {

namespace {

std::uint32_t read_u32(std::span<std::uint8_t const> bytes, std::size_t offset)
{
    std::uint32_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

void write_u32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof(value));
}

bool same_mac(std::span<std::uint8_t const> a, std::size_t a_offset, std::span<std::uint8_t const> b, std::size_t b_offset)
{
    return std::memcmp(a.data() + a_offset + 4, b.data() + b_offset + 4, 6) == 0;
}

bool channel_listed(std::span<std::uint8_t const> channels, int channel)
{
    return std::any_of(channels.begin(), channels.end(), [channel](std::uint8_t c) { return int(c) == channel; });
}

FILETIME to_filetime(std::uint64_t value)
{
    return FILETIME { DWORD(value & 0xFFFFFFFFu), DWORD(value >> 32) };
}

// The merge's output: a list being built, entry by entry, with one stamp per entry.
class ListBuilder {
public:
    ListBuilder() { m_bytes.fill(0); }

    bool fits(std::size_t length) const { return m_end + length <= kBssidListSize; }
    std::size_t count() const { return m_count; }

    void append(std::span<std::uint8_t const> from, BssidEntrySpan entry, std::uint64_t stamp)
    {
        std::memcpy(m_bytes.data() + m_end, from.data() + entry.offset, entry.length);
        m_spans[m_count] = BssidEntrySpan { m_end, entry.length, entry.consistent };
        m_stamps[m_count++] = stamp;
        m_end += entry.length;
        write_u32(m_bytes, 0, std::uint32_t(m_count));
    }

    bool has_mac_of(std::span<std::uint8_t const> from, BssidEntrySpan entry, std::size_t first_count) const
    {
        for (std::size_t i = 0; i < first_count; ++i) {
            if (same_mac(m_bytes, m_spans[i].offset, from, entry.offset))
                return true;
        }
        return false;
    }

    std::array<std::uint8_t, kBssidListSize> const& bytes() const { return m_bytes; }
    std::uint64_t stamp(std::size_t i) const { return m_stamps[i]; }

private:
    std::array<std::uint8_t, kBssidListSize> m_bytes;
    std::array<BssidEntrySpan, kBssidStampCount> m_spans {};
    std::array<std::uint64_t, kBssidStampCount> m_stamps {};
    std::size_t m_count { 0 };
    std::size_t m_end { 4 };
};

void trace_malformed(const char* which, BssidListWalk const& walk)
{
    TraceMsg(TRACE_FAIL, "[Kivra] UpdateBssidList: %s list malformed, %d of %u entries kept\n", which,
        int(walk.entries.size()), walk.claimed);
}

// Whether a cached entry that the fresh scan did not report may stay.
bool keep_cached(std::span<std::uint8_t const> cache, BssidEntrySpan entry, std::uint64_t seen,
    BssidMergeContext const& context)
{
    // A stamp ahead of now means the clock was set back: the entry's age is unknown.
    if (seen > context.now || context.now - seen >= kBssidAgeLimit)
        return false;
    auto const khz = read_u32(cache, entry.offset + offsetof(NDIS_WLAN_BSSID_EX, DSConfig));
    int const channel = context.frequency_to_channel ? context.frequency_to_channel(khz) : -1;
    return channel_listed(context.channels, channel);
}

}

BssidListWalk walk_bssid_list(std::span<std::uint8_t const> list)
{
    BssidListWalk walk;
    if (list.size() < 4)
        return walk;
    walk.claimed = read_u32(list, 0);
    std::size_t offset = 4;
    while (walk.entries.size() < walk.claimed && offset + NDIS_WLAN_BSSID_EX_FIXED <= list.size()) {
        std::uint64_t const length = read_u32(list, offset);
        std::uint64_t const ie_length = read_u32(list, offset + offsetof(NDIS_WLAN_BSSID_EX, IELength));
        if (length < NDIS_WLAN_BSSID_EX_FIXED || offset + length > list.size())
            break;
        bool const consistent = length >= NDIS_WLAN_BSSID_EX_FIXED + ie_length;
        walk.entries.push_back(BssidEntrySpan { offset, std::size_t(length), consistent });
        offset += std::size_t(length);
    }
    return walk;
}

std::uint64_t filetime_value(FILETIME const& time)
{
    return (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

void merge_bssid_list(std::span<std::uint8_t, kBssidListSize> fresh, std::span<std::uint8_t, kBssidListSize> cache,
    std::span<FILETIME, kBssidStampCount> stamps, BssidMergeContext const& context)
{
    auto const fresh_walk = walk_bssid_list(fresh);
    if (!fresh_walk.complete())
        trace_malformed("fresh", fresh_walk);
    auto builder = std::make_unique<ListBuilder>();
    for (auto const& entry : fresh_walk.entries)
        builder->append(fresh, entry, context.now);
    if (context.library_keeps_entries) {
        std::memcpy(cache.data(), builder->bytes().data(), kBssidListSize);
        return;
    }
    std::size_t const fresh_count = builder->count();
    auto const cache_walk = walk_bssid_list(cache);
    if (!cache_walk.complete())
        trace_malformed("cached", cache_walk);
    for (std::size_t j = 0; j < cache_walk.entries.size(); ++j) {
        auto const entry = cache_walk.entries[j];
        std::uint64_t const seen = filetime_value(stamps[j]);
        if (builder->has_mac_of(cache, entry, fresh_count) || !keep_cached(cache, entry, seen, context))
            continue;
        if (!builder->fits(entry.length) || builder->count() >= kBssidStampCount) {
            TraceMsg(TRACE_FAIL, "[Kivra] Update Bssid List might reach buffer limit(%d bytes)! Stop adding new Bssid\n",
                int(kBssidListSize));
            continue;
        }
        builder->append(cache, entry, seen);
    }
    std::memcpy(cache.data(), builder->bytes().data(), kBssidListSize);
    if (fresh_walk.claimed != 0)
        std::memcpy(fresh.data(), builder->bytes().data(), kBssidListSize);
    for (std::size_t i = 0; i < builder->count(); ++i)
        stamps[i] = to_filetime(builder->stamp(i));
}

}
