// The site survey's network list without its window: the scan list sorted by the page's key,
// and the rows built from the sorted list. Window-free, so that the page, its tests, the
// benchmark and the scan list's fuzz target run the same code.
//
// Rules: every read stays inside the list's 0x8000 bytes (the walk of ScanList.h decides what
// can be read); an inconsistent entry keeps its place in the list but gets no row; each row
// remembers where its entry lies, so that what the user selects is what the user sees.
#pragma once

#include "station/survey/SiteSurveyItem.h"
#include "wlan/api/Records.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace station::survey {

using ListBytes = std::span<std::uint8_t, BSSID_LIST_BUFFER_SIZE>;

// The sort keys of the page's radio group.
enum SortKey : int { SORT_BY_SSID = 0, SORT_BY_CHANNEL = 1, SORT_BY_SIGNAL = 2 };

// The library calls a rebuild makes.
struct ListLibrary {
    std::function<int(std::uint32_t khz)> frequency_to_channel; // -1 outside the channel plan
    std::function<void(NDIS_WLAN_BSSID_EX const* entry, IE_INFO_WPA* digest)> parse;
};

// Reorders the list's entries by `key`: SSID ascending without regard to case, channel
// ascending (an unknown frequency first), or signal strongest first; entries with equal keys
// keep their order. The rewritten list holds every entry that the walk reached, and its count.
void sort_bssid_list(ListBytes list, int key, ListLibrary const& library);

// One row per consistent entry, in list order; `skipped` counts the inconsistent ones.
struct SurveyRows {
    std::vector<SITESURVEY_ITEM> rows;
    int skipped { 0 };
};
SurveyRows build_rows(std::span<std::uint8_t const> list, ListLibrary const& library);

// The row of one consistent entry (its place in the list is the caller's to set).
SITESURVEY_ITEM row_of_entry(NDIS_WLAN_BSSID_EX const& entry, IE_INFO_WPA const& digest, ListLibrary const& library);

// The entry's name: at most 32 bytes, whatever SsidLength claims.
std::string ssid_of(NDIS_WLAN_BSSID_EX const& entry);
// The signal shown: Rssi held to -100..0 dBm (-1 stays "none").
int signal_of(std::int32_t rssi);
// Security mode of the entry's authentication bits: 0 none or WEP, 1 WPA, 2 WPA-PSK,
// 3 WPA-NONE, 4 WPA2 (also WPA+WPA2), 5 WPA2-PSK (also the PSK pair and WPA2-NONE),
// 6 WAPI-PSK, 7 WAPI certificate.
int AuthBitsToWPAMode(std::uint32_t authentication);

}
