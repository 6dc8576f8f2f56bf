// What the access point detail shows of one scan entry and its element digest, as free
// functions so that the filling is tested as tables without a window: the General tab's texts,
// the CCX tab's three flags, the WPS tab's ten texts and the 802.11n tab's values and rows.
// Texts that come from the language file are read from the string table.
#pragma once

#include "wlan/api/Records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CHTTable;

namespace station::survey {

// [SECTION] General tab

// The name, whole up to 21 bytes, else its first 20 and "..".
std::string DetailSsid(NDIS_WLAN_BSSID_EX const& entry);
// The names of the set authentication bits joined by "+" (WPA, WPA-PSK, WPA-NONE, WPA2,
// WPA2-PSK, WPA2-NONE, WAPI-PSK, WAPI-CERT in bit order), "Open" without any, then "+CCKM"
// when the CCKM flag is 1.
std::string DetailAuthentication(std::uint32_t bits, std::uint32_t cckm);
// "WEP" or "NONE" by the Privacy field when no cipher bit is set, else the ciphers joined by
// "+" (WEP, TKIP, AES, SMS4).
std::string DetailEncryption(std::uint32_t bits, std::uint32_t privacy);
// "<channel> <--> <MHz> MHz", or the frequency alone when the channel plan has no channel for
// it (`channel` negative).
std::string DetailChannel(int channel, std::uint32_t khz);
// The language text of the InfrastructureMode: infrastructure, ad hoc, or unknown.
std::string DetailNetworkType(std::uint32_t mode);
// From the entry's BeaconPeriod on systems with code 10 and above, else from the digest.
std::string DetailBeaconInterval(NDIS_WLAN_BSSID_EX const& entry, IE_INFO_WPA const& digest, int os);
// "%04X" of the mobility domain identifier, its first byte the low one.
std::string DetailMdid(IE_INFO_WPA const& digest);
// The entry's rates ascending in Mbps ("1, 2, 5.5, 6"): the first 16 bytes of its rate set,
// basic-rate bit removed, up to the first zero.
std::string RateListText(NDIS_WLAN_BSSID_EX const& entry);
// The highest rate of the digest's MCS bitmap at its channel width and guard interval; none
// when no set MCS is in the table.
std::optional<double> MaxHtRate(IE_INFO_WPA const& digest, CHTTable const& table);
// "<IDS_SUPPORT_RATE>: <rates>", then for an HT network "\n\n<IDS_11N_MAX_SUPPORT_RATE>: "
// and the highest HT rate "%.1f" when there is one.
std::string SupportedRatesText(NDIS_WLAN_BSSID_EX const& entry, IE_INFO_WPA const& digest, CHTTable const& table);

struct GeneralTexts {
    std::string ssid;
    std::string mac;
    std::string authentication;
    std::string encryption;
    std::string channel;
    std::string network_type;
    std::string rates;
    std::string beacon_interval;
    std::string mdid;
    bool show_mdid {};
};
// Every General text; `channel` is the library's channel of the entry's DSConfig.
GeneralTexts BuildGeneralTexts(NDIS_WLAN_BSSID_EX const& entry, IE_INFO_WPA const& digest, int channel, int os,
    CHTTable const& table);

// [SECTION] CCX, WPS and 802.11n tabs

// "TRUE" or "FALSE" of the CCKM, CMIC and CKIP flags.
std::array<std::string, 3> CcxTexts(IE_INFO_WPA const& digest);
// Authentication and encryption as given, then the digest's WPS texts: configuration methods,
// device password ID ("Unknown" shown empty), selected registrar, state, version, AP setup
// locked, UUID-E and RF bands.
std::array<std::string, 10> WpsTexts(IE_INFO_WPA const& digest, std::string const& authentication,
    std::string const& encryption);

constexpr std::size_t kHtValueCount = 54;
// The 54 property values of the 802.11n tab in row order, then "TRUE" or "FALSE" of the HT flag.
std::array<std::string, kHtValueCount + 1> HtTexts(IE_INFO_WPA const& digest);

struct HtRow {
    bool heading {};
    std::string property;
    std::string value;
};
// The tab's 64 rows: headings with empty values; property rows with their values when the
// HT text (the last) is exactly "TRUE", else "n/a".
std::vector<HtRow> HtRows(std::array<std::string, kHtValueCount + 1> const& texts);

}
