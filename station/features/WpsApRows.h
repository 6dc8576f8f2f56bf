// The WPS page's access point rows from the scan cache, window-free: the entries that offer WPS
// on the preferred band, in cache order, each with its row and a copy of the entry in the
// page's own list (a count, then the kept entries). The walk of the core's scan list decides
// what can be read, so a malformed cache neither loops nor reads past its 0x8000 bytes.
#pragma once

#include "wlan/api/Records.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace station::features {

struct WpsApRow {
    int nState {};
    std::string strSSID;
    std::string strBSSID;
    std::string strChannel;
    std::string strDevPwdId;
    int bSecured {};
    long lRssi {};
};

struct WpsApLibrary {
    std::function<int(std::uint32_t khz)> frequency_to_channel;
    std::function<void(NDIS_WLAN_BSSID_EX const* entry, IE_INFO_WPA* digest)> parse;
};

// Band index 0 keeps channels 1-14, 1 channels above 14, anything else every channel. The
// device password ID is the digest's text, or empty when it is "Unknown", for every band.
// `page_list` (0x8000 bytes) receives the count and the kept entries; an entry that no longer
// fits is left out with its row.
std::vector<WpsApRow> BuildWpsApRows(std::span<std::uint8_t const> cache, int band, WpsApLibrary const& library,
    std::span<std::uint8_t> page_list);

// The entry at place `row` of the page's list; null when the list has no such entry.
NDIS_WLAN_BSSID_EX const* WpsListEntry(std::span<std::uint8_t const> page_list, int row);

}
