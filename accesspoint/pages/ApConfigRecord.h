// The configuration page's values and the stored configuration record, both ways: what Apply
// writes (the record and its option twin, in the order the page builds them), what opening and
// Cancel read back, and the 802.11n word with its extension channel code. Pure functions: the
// page looks the frequency, the channel and the texts up and hands them in.
#pragma once

#include "wlan/api/ApRecords.h"

#include <cstdint>
#include <string>

namespace hotvane {

// The page's 802.11n choices as the record's word carries them.
struct HtChoice {
    std::uint32_t mcs { AP_HT_MCS_AUTO }; // 33 automatic; "Force Short GI" is 0
    int bw40 {};                          // 1: 40 MHz
    int short_gi { 1 };                   // 0 long, 1 automatic
    int stbc { 1 };                       // 0 none, 1 automatic
    int ht_mode {};                       // 0 mixed, 1 greenfield
    std::uint32_t extcha {};              // 1 above, 3 below, 0 none
    bool operator==(HtChoice const&) const = default;
};

// Bits 0-3 the band code, 4-10 the MCS, 11 40 MHz, 12 guard interval, 13 STBC, 14 clear, 15 set,
// 16 greenfield, 17-18 the extension channel; the rest clear.
std::uint32_t PackHtPhyMode(std::uint32_t wireless_mode, HtChoice const& ht);
HtChoice UnpackHtPhyMode(std::uint32_t word);

// The extension channel code of the page's texts: 0 without 40 MHz or with "none" (or no
// number); 1 when the extension channel is above the channel, 3 below, 0 when equal.
std::uint32_t ExtChaCode(int allow_bw40, int channel, std::string const& extension_text);
// Back to the text the page shows: "none" without 40 MHz or for 0, channel + 4 for 1, channel - 4
// for 3, "" for any other code.
std::string ExtChaText(std::uint32_t allow_bw40, std::uint32_t extcha, int channel);

// Everything the page stores but the band, channel and 802.11n texts, which it keeps as texts.
struct ConfigPageValues {
    std::string ssid;
    std::uint32_t wireless_mode {};
    std::uint32_t freq_khz {};
    int allow_bw40 {};
    HtChoice ht;
    std::uint32_t tx_rate {};
    std::uint32_t tx_power {};
    std::uint32_t bg_protection {};
    std::uint32_t region_bg {};
    std::uint32_t region_a {};
    std::uint32_t preamble {};
    std::uint32_t beacon {};
    std::uint32_t rts {};
    std::uint32_t frag {};
    std::uint32_t tx_burst {};
    std::uint32_t turbo_rate {};
    std::uint32_t no_forwarding {};
    std::uint32_t hide_ssid {};
    std::uint32_t short_slot {};
    std::uint32_t auto_channel {};
    std::uint32_t idle_time {};
    ApSecurity security {};
};

struct ApRecords {
    ApConfigData config {};
    ApOptionData options {};
};

// Apply's records, from zero: protection forced to 0 for band codes 1 and 4, and 2 when the
// adapter has 802.11a; the 802.11n word and 40 MHz only when `with_ht` (the adapter has 802.11n
// and the page's 802.11n mode is on); the name cut to 32 bytes between characters.
ApRecords BuildApRecords(ConfigPageValues const& values, bool has_80211a, bool with_ht);

// The loaded record: the name cut to SsidLen (at most 32), the security block whole. The channel
// comes from the caller; the frequency stays the record's.
ConfigPageValues LoadConfigPageValues(ApConfigData const& record);
// The remembered 40 MHz choice: (40 MHz allowed, or a band code without 802.11n) and bit 11.
int RememberedBw40(ApConfigData const& record);

// The texts of a security block, whatever its lengths say: the key within WpaPskLen (at most 64
// bytes), the RADIUS key and each WEP key up to a NUL inside its 64 bytes.
std::string PskText(ApSecurity const& security);
std::string RadiusKeyText(ApSecurity const& security);
std::string WepKeyText(ApSecurity const& security, int index);

// The band list: index 0 the 2.4 GHz entry, 1 the 5 GHz one. `ht_codes`: 9 and 8, else 0 and 2.
std::uint32_t BandCode(int band_index, bool ht_codes);
// The entry a code shows, -1 for a code the list does not offer.
int BandIndex(std::uint32_t code, bool ht_codes);

}
