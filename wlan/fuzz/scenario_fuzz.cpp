// Any text as a scenario: every access point it yields becomes a scan entry; the list stays
// within its limit and every listed entry is consistent and digestible. Each line is then also
// given to the world as a live command, as wlansim and the log's replay would.
#include "wlan/sim/Digest.h"
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/ScanList.h"
#include "wlan/sim/World.h"

#include <algorithm>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    auto scenario = wlan::sim::parse_scenario(std::string_view(reinterpret_cast<char const*>(data), size));
    std::vector<std::vector<std::uint8_t>> entries;
    for (auto const& ap : scenario.world.aps)
        entries.push_back(wlan::sim::build_entry(ap, ap.rssi));
    std::uint32_t const limit = 4096;
    auto list = wlan::sim::build_list(entries, limit);
    if (list.size() > limit)
        __builtin_trap();
    std::uint32_t count;
    std::memcpy(&count, list.data(), 4);
    std::size_t offset = 4;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t length;
        std::memcpy(&length, list.data() + offset, 4);
        if (length < NDIS_WLAN_BSSID_EX_FIXED || offset + length > list.size())
            __builtin_trap();
        IE_INFO_WPA info {};
        if (wlan::sim::digest_entry(wlan::sim::Bytes(list.data() + offset, length), info).error != wlan::sim::DigestError::None)
            __builtin_trap();
        offset += length;
    }
    wlan::sim::World world(scenario.world, nullptr, 0);
    std::string_view text(reinterpret_cast<char const*>(data), size);
    for (int lines = 0; !text.empty() && lines < 64; ++lines) {
        auto const end = std::min(text.find('\n'), text.size());
        wlan::sim::apply_live_command(world, std::string(text.substr(0, end)), 0);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return 0;
}
