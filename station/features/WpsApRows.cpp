#include "station/features/WpsApRows.h"

#include "station/core/BssidQuery.h"
#include "station/core/ScanList.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace station::features {

namespace {

bool band_keeps(int band, int channel)
{
    if (band == 0)
        return channel >= 1 && channel <= 14;
    if (band == 1)
        return channel > 14;
    return true;
}

NDIS_WLAN_BSSID_EX fixed_part(std::span<std::uint8_t const> list, std::size_t offset)
{
    NDIS_WLAN_BSSID_EX entry {};
    std::memcpy(&entry, list.data() + offset, sizeof entry);
    return entry;
}

WpsApRow row_of(NDIS_WLAN_BSSID_EX const& entry, IE_INFO_WPA const& digest, int channel)
{
    WpsApRow row;
    row.strSSID.assign(reinterpret_cast<char const*>(entry.Ssid.Ssid),
        std::min<std::size_t>(entry.Ssid.SsidLength, sizeof entry.Ssid.Ssid));
    char text[24];
    auto const& m = entry.MacAddress;
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
    row.strBSSID = text;
    std::snprintf(text, sizeof text, "%u", unsigned(channel));
    row.strChannel = text;
    std::string const id = DigestText(digest.DevicePasswordId);
    row.strDevPwdId = id == "Unknown" ? "" : id;
    row.bSecured = entry.Privacy || digest.nAuthentication || digest.nEncryption ? 1 : 0;
    row.lRssi = entry.Rssi;
    return row;
}

}

std::vector<WpsApRow> BuildWpsApRows(std::span<std::uint8_t const> cache, int band, WpsApLibrary const& library,
    std::span<std::uint8_t> page_list)
{
    std::vector<WpsApRow> rows;
    std::fill(page_list.begin(), page_list.end(), std::uint8_t(0));
    if (page_list.size() < sizeof(std::uint32_t))
        return rows;
    std::size_t out = sizeof(std::uint32_t);
    auto const walk = station::core::walk_bssid_list(cache);
    for (auto const& span : walk.entries) {
        if (!span.consistent)
            continue;
        auto const* entry = reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(cache.data() + span.offset);
        IE_INFO_WPA digest {};
        if (library.parse)
            library.parse(entry, &digest);
        NDIS_WLAN_BSSID_EX const fixed = fixed_part(cache, span.offset);
        int const channel = library.frequency_to_channel ? library.frequency_to_channel(fixed.DSConfig) : -1;
        if (!digest.bWPS || !band_keeps(band, channel))
            continue;
        if (out + span.length > page_list.size())
            break;
        std::memcpy(page_list.data() + out, cache.data() + span.offset, span.length);
        out += span.length;
        rows.push_back(row_of(fixed, digest, channel));
    }
    std::uint32_t const count = std::uint32_t(rows.size());
    std::memcpy(page_list.data(), &count, sizeof count);
    return rows;
}

NDIS_WLAN_BSSID_EX const* WpsListEntry(std::span<std::uint8_t const> page_list, int row)
{
    if (row < 0)
        return nullptr;
    auto const walk = station::core::walk_bssid_list(page_list);
    if (std::size_t(row) >= walk.entries.size())
        return nullptr;
    return reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(page_list.data() + walk.entries[std::size_t(row)].offset);
}

}
