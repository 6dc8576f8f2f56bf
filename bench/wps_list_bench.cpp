// The WPS page's list rebuild over a full scan cache: 60 access points that offer WPS, each
// entry padded with vendor elements to about 540 bytes, so that the 0x8000-byte list is full.
// Every entry is walked, parsed into its digest (the stand-in's parser, as the library does)
// and copied into the page's own list, as RescanTimeEnd does.
#include "station/features/WpsApRows.h"
#include "wlan/sim/Channels.h"
#include "wlan/sim/Digest.h"
#include "wlan/sim/ScanList.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kListBytes = 0x8000;
constexpr int kEntries = 60;

// Grows the entry's element area by vendor elements until the entry is `target` bytes long.
void pad_entry(std::vector<std::uint8_t>& entry, std::size_t target)
{
    while (entry.size() + 2 < target) {
        std::size_t const body = std::min<std::size_t>(255, target - entry.size() - 2);
        entry.push_back(221);
        entry.push_back(std::uint8_t(body));
        for (std::size_t i = 0; i < body; ++i)
            entry.push_back(std::uint8_t(i == 0 ? 0x00 : i == 1 ? 0x99 : i));
    }
    NDIS_WLAN_BSSID_EX fixed;
    std::memcpy(&fixed, entry.data(), sizeof fixed);
    fixed.Length = std::uint32_t(entry.size());
    fixed.IELength = std::uint32_t(entry.size() - NDIS_WLAN_BSSID_EX_FIXED);
    std::memcpy(entry.data(), &fixed, sizeof fixed);
}

std::vector<std::uint8_t> full_list()
{
    std::vector<std::vector<std::uint8_t>> entries;
    for (int i = 0; i < kEntries; ++i) {
        wlan::sim::ApSpec ap;
        ap.id = "ap" + std::to_string(i);
        ap.ssid = "WPS Network " + std::to_string(i);
        ap.bssid = { 0x02, 0x20, 0, 0, std::uint8_t(i >> 8), std::uint8_t(i) };
        ap.channel = i % 2 ? 1 + i % 13 : 149;
        ap.security = wlan::sim::Security::Wpa2Psk;
        ap.cipher = wlan::sim::Cipher::Aes;
        ap.wps = true;
        auto entry = wlan::sim::build_entry(ap, -50 - i % 40);
        pad_entry(entry, (kListBytes - 4) / kEntries);
        entries.push_back(std::move(entry));
    }
    auto list = wlan::sim::build_list(entries, kListBytes);
    list.resize(kListBytes, 0);
    return list;
}

void BM_WpsRescanTimeEndFullList(benchmark::State& state)
{
    std::vector<std::uint8_t> const cache = full_list();
    std::vector<std::uint8_t> page_list(kListBytes);
    station::features::WpsApLibrary library;
    library.frequency_to_channel = [](std::uint32_t khz) { return wlan::sim::frequency_to_channel(khz); };
    library.parse = [](NDIS_WLAN_BSSID_EX const* entry, IE_INFO_WPA* digest) {
        wlan::sim::digest_entry(wlan::sim::Bytes(reinterpret_cast<std::uint8_t const*>(entry), entry->Length), *digest);
    };
    std::size_t rows = 0;
    for (auto _ : state) {
        // The page works on a copy of the cache, as RescanTimeEnd does.
        std::vector<std::uint8_t> const copy(cache);
        rows = station::features::BuildWpsApRows(copy, 2, library, page_list).size();
        benchmark::DoNotOptimize(rows);
    }
    std::uint32_t count = 0;
    std::memcpy(&count, cache.data(), sizeof count);
    state.counters["entries"] = double(count);
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_WpsRescanTimeEndFullList)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
