// The 802.11n block-acknowledgement capability as both programs' pages hold it: the page
// members with their initial values, the conversions between them and the library's
// capability record, the record's packed stored form, and which groups of controls the
// members enable. Knows no window and no library binding: each program maps the groups to its
// own control ids.
#pragma once

#include "wlan/api/BlockAck.h"

#include <cstdint>
#include <string>

// The page's copy of the capability, exchanged with its controls.
struct BlockAckMembers {
    enum Mode : int { Manual = 0, Automatic = 1 };
    enum PowerSave : int { SmEnable = 0, StaticSmps = 1, DynamicSmps = 2 };

    std::string density { "0" }; // the density list's text
    int amsdu_enable { 1 };
    int aggregation_enable { 1 };
    int aggregation_mode { Automatic };
    int amsdu_size { 0 }; // 0: 3839 bytes, 1: 7935 bytes
    int power_save { SmEnable };
    int window_limit1 { 32 };
    int window_limit2 { 32 };
};

// The power save radio index to the record's byte: 0 -> 3, 1 -> 0, 2 -> 1, any other -> 3;
// and back: 0 -> 1, 1 -> 2, any other -> 0.
std::uint8_t PowerSaveToRecord(int index);
int PowerSaveFromRecord(std::uint8_t value);

// The packed stored word: window limits in bits 0-15, then one bit of automatic set-up, two of
// aggregation, three of density, one each of A-MSDU enable and size, two of power save.
std::uint32_t PackBACap(BA_CAP_SETTING const& cap);
BA_CAP_SETTING UnpackBACap(std::uint32_t packed);

// The record Apply sends (density through atoi, as the list's text gives it).
BA_CAP_SETTING BACapFromMembers(BlockAckMembers const& members);
// A read record into the members; the A-MSDU size is taken only while A-MSDU is on, so a stored
// A-MSDU off keeps the size shown before.
void BACapToMembers(BA_CAP_SETTING const& cap, BlockAckMembers& members);

// Which groups the members enable: the set-up mode and density controls, the add and delete
// buttons of both tables, and the A-MSDU size choice.
struct BlockAckEnabling {
    bool mode_and_density;
    bool agreement_buttons;
    bool amsdu_size;
    bool operator==(BlockAckEnabling const&) const = default;
};
BlockAckEnabling BlockAckEnablingFor(BlockAckMembers const& members);
