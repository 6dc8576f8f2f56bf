// The advanced settings as the library keeps and applies them: the two packed words inside the
// stored ADVANCE_CONFIG_DATA record (TRANSMIT_SETTING and CCX2_CONTROL), the ADVANCE_OID
// record of VXWL_SetAdvanceSetting built from a stored record, and the wireless-mode codes.
// The advanced page, the profile activation, the hidden dialog and the CCX page all convert
// through here, so a stored record is applied the same way wherever it is applied.
#pragma once

#include "wlan/api/Profile.h"

#include <cstdint>
#include <string>

// The HT transmission choices of the advanced page, in its radio order.
enum : std::uint32_t { HT_CHOICE_MM = 0, HT_CHOICE_GF = 1, HT_CHOICE_11B = 2, HT_CHOICE_11G = 3 };

// The named fields of the TRANSMIT_SETTING word: PhyMode bits 0-3, MCS 4-10, BW 11, ShortGI 12,
// STBC 13, TRANSNO 14-15, HTMODE 16, EXTCHA 17-18, LEGACYMODE 19-20. Bits 21-31 and a
// LEGACYMODE of 1 (no choice of the page) are kept as read (`Upper`, in place), so a word read
// and packed again is unchanged; only a legacy choice read with the HT mode bit set loses it.
struct TRANSMIT_SETTING {
    std::uint32_t PhyMode { 0 };
    std::uint32_t MCS { 0 };
    std::uint32_t BW { 0 };
    std::uint32_t ShortGI { 0 };
    std::uint32_t STBC { 0 };
    std::uint32_t TransNo { 0 };
    // HT_CHOICE_*: MM and GF live in HTMODE, 11b and 11g in LEGACYMODE.
    std::uint32_t HtChoice { 0 };
    std::uint32_t ExtCha { 0 };
    std::uint32_t Upper { 0 };
};

std::uint32_t PackTransmitSetting(TRANSMIT_SETTING const& setting);
TRANSMIT_SETTING UnpackTransmitSetting(std::uint32_t word);

// The named fields of the CCX2_CONTROL word: the option bits 0-7 and 26-28 (CCX2_* in
// wlan/api/Profile.h), dBmToRoam bits 8-15 (a positive number of dBm below zero), TuLimit
// 16-25. Bits 29-31 are kept as read (`Upper`, already in place).
struct CCX2_CONTROL {
    std::uint32_t Flags { 0 };
    std::uint32_t dBmToRoam { 0 };
    std::uint32_t TuLimit { 0 };
    std::uint32_t Upper { 0 };
};

std::uint32_t PackCcx2Control(CCX2_CONTROL const& control);
CCX2_CONTROL UnpackCcx2Control(std::uint32_t word);

// The CCX word the advanced page stores over the one it read: fast roaming on sets the flag and
// the threshold's magnitude, off clears the flag and puts 70; every other bit stays as read.
std::uint32_t CcxWordWithRoaming(std::uint32_t read_word, bool fast_roaming, int threshold_dbm);

// The threshold a stored dBmToRoam shows as: its negative when within 40-90, else -70.
int RoamingThresholdFromStored(std::uint32_t dbm_to_roam);

// ADVANCE_OID from a stored record: the PHY fields from TRANSMIT_SETTING (legacy 11b has no
// 40 MHz width), the rest from the record's own fields.
ADVANCE_OID BuildAdvanceOid(ADVANCE_CONFIG_DATA const& config);

// The three entries of the advanced page's wireless-mode list, in list order.
enum class WirelessModeEntry { Band24, Band5, Dual };

// Wireless mode codes: without 802.11n 2.4 GHz 0, 5 GHz 2, both 3; with 802.11n 9, 8, 5.
std::uint32_t WirelessModeCode(WirelessModeEntry entry, bool with_11n);

// The entry a stored code shows as. The codes of the table (with or without 802.11n as asked)
// give their entry; a band the adapter lacks (no 802.11a) and any other code give 2.4 GHz.
WirelessModeEntry WirelessModeEntryOf(std::uint32_t code, bool with_11n, bool has_11a);

// The MCS value stored for an entry of the MCS list and back: the Auto text is 33, "Force
// Short GI" 77, any other entry its decimal number.
// A text that is no number (nor one of the two names) gives 33, Auto.
std::uint32_t McsValueOfText(std::string const& text, std::string const& auto_text);
std::string McsTextOfValue(std::uint32_t value, std::string const& auto_text);

// What the advanced page holds when it stores and applies: the wireless mode code, the list and
// box values, the region indexes of both lists and the 802.11n choices (PhyMode is the code;
// TransNo is always written 2).
struct ADVANCE_PAGE_VALUES {
    std::uint32_t WirelessMode { 0 };
    std::uint32_t BGProtection { 0 };
    std::uint32_t TransRate { 0 };
    std::uint32_t TXBurst { 0 };
    std::uint32_t EnableTcpWindowSize { 0 };
    std::uint32_t ShowAuthStatus { 0 };
    std::uint32_t Region24 { 0 };
    std::uint32_t Region5 { 0 };
    TRANSMIT_SETTING Transmit;
};

// The stored record: a band's region only when its flag from VXWL_QueryCountryRegion is set;
// TransmitSetting 0 on an adapter without 802.11n.
ADVANCE_CONFIG_DATA BuildAdvanceConfig(ADVANCE_PAGE_VALUES const& values, std::uint32_t ccx_word, bool flag24,
    bool flag5, bool has_11n);

// The applied record: both region indexes as chosen, and TransmitNo 2 with the chosen extension
// channel as the stored record carries them, so that Apply and a later activation of the stored
// record apply the same settings.
ADVANCE_OID BuildPageAdvanceOid(ADVANCE_PAGE_VALUES const& values);
