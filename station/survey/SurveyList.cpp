#include "station/survey/SurveyList.h"

#include "station/controls/SortArrays.h"
#include "station/core/ScanList.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace station::survey {

namespace {

NDIS_WLAN_BSSID_EX fixed_part(std::span<std::uint8_t const> list, std::size_t offset)
{
    NDIS_WLAN_BSSID_EX fixed;
    std::memcpy(&fixed, list.data() + offset, sizeof fixed);
    return fixed;
}

struct SortItem {
    station::core::BssidEntrySpan entry;
    std::string ssid;
    int number; // channel or signal
};

bool goes_before(SortItem const& a, SortItem const& b, int key)
{
    switch (key) {
    case SORT_BY_SSID: return CSortStringArray::Compare(a.ssid.c_str(), b.ssid.c_str()) < 0;
    case SORT_BY_CHANNEL: return a.number < b.number;
    default: return a.number > b.number;
    }
}

// A basic OFDM rate (6, 9, 12 Mbps and up, flagged basic) marks a network that refuses 802.11b.
bool has_basic_ofdm_rate(std::uint8_t const (&rates)[16])
{
    return std::any_of(std::begin(rates), std::end(rates), [](std::uint8_t r) { return r == 0x8C || r == 0x92 || r >= 0x98; });
}

}

void sort_bssid_list(ListBytes list, int key, ListLibrary const& library)
{
    auto const walk = station::core::walk_bssid_list(list);
    std::vector<SortItem> items;
    items.reserve(walk.entries.size());
    for (auto const& entry : walk.entries) {
        NDIS_WLAN_BSSID_EX const fixed = fixed_part(list, entry.offset);
        SortItem item { entry, {}, 0 };
        if (key == SORT_BY_SSID)
            item.ssid = ssid_of(fixed);
        else if (key == SORT_BY_CHANNEL)
            item.number = library.frequency_to_channel ? library.frequency_to_channel(fixed.DSConfig) : -1;
        else
            item.number = fixed.Rssi;
        items.push_back(std::move(item));
    }
    std::stable_sort(items.begin(), items.end(), [key](SortItem const& a, SortItem const& b) { return goes_before(a, b, key); });
    auto scratch = std::make_unique<std::array<std::uint8_t, BSSID_LIST_BUFFER_SIZE>>();
    scratch->fill(0);
    std::size_t end = 4;
    for (SortItem const& item : items) {
        std::memcpy(scratch->data() + end, list.data() + item.entry.offset, item.entry.length);
        end += item.entry.length;
    }
    auto const count = std::uint32_t(items.size());
    std::memcpy(scratch->data(), &count, sizeof count);
    std::memcpy(list.data(), scratch->data(), BSSID_LIST_BUFFER_SIZE);
}

SurveyRows build_rows(std::span<std::uint8_t const> list, ListLibrary const& library)
{
    SurveyRows result;
    auto const walk = station::core::walk_bssid_list(list);
    result.rows.reserve(walk.entries.size());
    for (auto const& entry : walk.entries) {
        if (!entry.consistent) {
            ++result.skipped;
            continue;
        }
        auto const* fixed = reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(list.data() + entry.offset);
        IE_INFO_WPA digest {};
        if (library.parse)
            library.parse(fixed, &digest);
        SITESURVEY_ITEM row = row_of_entry(fixed_part(list, entry.offset), digest, library);
        row.nEntryOffset = int(entry.offset);
        row.nEntryLength = int(entry.length);
        result.rows.push_back(std::move(row));
    }
    return result;
}

SITESURVEY_ITEM row_of_entry(NDIS_WLAN_BSSID_EX const& entry, IE_INFO_WPA const& digest, ListLibrary const& library)
{
    SITESURVEY_ITEM row;
    row.nNetworkType = int(entry.InfrastructureMode);
    row.nRadioType = int(entry.NetworkTypeInUse);
    row.nSignal = signal_of(entry.Rssi);
    row.strSsid = ssid_of(entry);
    int const channel = library.frequency_to_channel ? library.frequency_to_channel(entry.DSConfig) : -1;
    if (channel != -1)
        row.strChannel = std::to_string(unsigned(channel));
    row.bSecured = entry.Privacy || digest.nAuthentication || digest.nEncryption ? 1 : 0;
    row.bWps = int(digest.bWPS);
    row.bHt = int(digest.bHT);
    row.bGOnly = row.nRadioType == 3 && has_basic_ofdm_rate(entry.SupportedRates) ? 1 : 0;
    if (row.bSecured)
        row.nWapiType = digest.nAuthentication & IE_AUTH_WAPI_PSK ? 1 : (digest.nAuthentication & IE_AUTH_WAPI_CERT ? 2 : 0);
    return row;
}

std::string ssid_of(NDIS_WLAN_BSSID_EX const& entry)
{
    std::size_t const length = std::min<std::size_t>(entry.Ssid.SsidLength, NDIS_SSID_MAX);
    return std::string(reinterpret_cast<char const*>(entry.Ssid.Ssid), length);
}

int signal_of(std::int32_t rssi)
{
    return std::clamp(rssi, -100, 0);
}

// The tests in their order: single bits first, then the pairs that stand for one mode.
int AuthBitsToWPAMode(std::uint32_t authentication)
{
    switch (authentication) {
    case IE_AUTH_WPA: return 1;
    case IE_AUTH_WPA_PSK: return 2;
    case IE_AUTH_WPA_NONE: return 3;
    case IE_AUTH_WPA2: return 4;
    default: break;
    }
    if ((authentication & IE_AUTH_WPA) && (authentication & IE_AUTH_WPA2))
        return 4;
    if (authentication == IE_AUTH_WPA2_PSK || authentication == IE_AUTH_WPA2_NONE)
        return 5;
    if ((authentication & IE_AUTH_WPA_PSK) && (authentication & IE_AUTH_WPA2_PSK))
        return 5;
    if (authentication == IE_AUTH_WAPI_PSK)
        return 6;
    if (authentication == IE_AUTH_WAPI_CERT)
        return 7;
    return 0;
}

}
