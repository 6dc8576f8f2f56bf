// Fuzz target of the scan list: the input is split into a fresh list, a cached list and their
// stamps, each placed in a buffer of exactly 0x8000 bytes, so a read past a list shows. The
// merged list then goes through the site survey's rebuild, sorted by each key.
#include "station/core/ScanList.h"
#include "station/survey/SurveyList.h"

#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr std::uint8_t kChannels[] = { 1, 6, 11, 36 };

int to_channel(std::uint32_t khz)
{
    return khz >= 5000000 ? int(khz / 1000 - 5000) / 5 : int(khz / 1000 - 2407) / 5;
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace station::core;
    if (size < 9)
        return 0;
    std::uint64_t now;
    std::memcpy(&now, data, 8);
    bool const keeps = data[8] & 1;
    data += 9;
    size -= 9;
    std::size_t const half = size / 2;
    auto fresh = std::make_unique<std::uint8_t[]>(kBssidListSize);
    auto cache = std::make_unique<std::uint8_t[]>(kBssidListSize);
    std::memset(fresh.get(), 0, kBssidListSize);
    std::memset(cache.get(), 0, kBssidListSize);
    std::memcpy(fresh.get(), data, std::min(half, kBssidListSize));
    std::memcpy(cache.get(), data + half, std::min(size - half, kBssidListSize));
    auto stamps = std::make_unique<FILETIME[]>(kBssidStampCount);
    for (std::size_t i = 0; i < kBssidStampCount; ++i)
        stamps[i] = FILETIME { DWORD(now - i * 10'000'000), DWORD((now - i * 10'000'000) >> 32) };
    BssidMergeContext context { kChannels, keeps, now, to_channel };
    merge_bssid_list(std::span<std::uint8_t, kBssidListSize>(fresh.get(), kBssidListSize),
        std::span<std::uint8_t, kBssidListSize>(cache.get(), kBssidListSize),
        std::span<FILETIME, kBssidStampCount>(stamps.get(), kBssidStampCount), context);
    // The merged list must walk cleanly to its own count.
    auto const walk = walk_bssid_list(std::span<std::uint8_t const>(cache.get(), kBssidListSize));
    if (!walk.complete())
        __builtin_trap();
    station::survey::ListLibrary const library { to_channel, [](NDIS_WLAN_BSSID_EX const*, IE_INFO_WPA* digest) { digest->nAuthentication = 64; } };
    for (int key : { station::survey::SORT_BY_SSID, station::survey::SORT_BY_CHANNEL, station::survey::SORT_BY_SIGNAL }) {
        station::survey::sort_bssid_list(station::survey::ListBytes(cache.get(), kBssidListSize), key, library);
        auto const rows = station::survey::build_rows(std::span<std::uint8_t const>(cache.get(), kBssidListSize), library);
        if (rows.rows.size() + std::size_t(rows.skipped) != walk.entries.size())
            __builtin_trap();
    }
    return 0;
}
