// The Wi-Fi Multimedia records exchanged with the station library: the WMM setting (WMM, power
// save and its four access categories, direct links), one direct link, and the call admission
// control command. Wire formats: every size and offset the other side reads is checked.
#pragma once

#include "wlan/api/Layout.h"

#include <cstddef>
#include <cstdint>

extern "C" {

// Filled whole by QueryAndReadWMMCapability; passed by value to the setting calls, each of which
// takes only its own fields: UpdateWMMEnable DLS, WMM and APSD; EnableDLSetup DLS; EnableAPSD
// APSD; SetAndWriteAPSDSetting the four categories. Flags are 1 on, 0 off.
struct WMM_SETTING {
    std::uint32_t DLSEnable;    // 0
    std::uint32_t WMMEnable;    // 4
    std::uint32_t APSDEnable;   // 8: WMM power save
    std::uint32_t AC_BE;        // 12: power save per access category
    std::uint32_t AC_BK;        // 16
    std::uint32_t AC_VI;        // 20
    std::uint32_t AC_VO;        // 24
    std::uint32_t Reserved;     // 28: carried, not used by the program
};

// The link states of DLS_ENTRY::State.
enum : std::uint8_t { DLS_STATE_LINK_UP = 2 };

// One direct link. A set-up request carries the timeout, the peer and InUse 1; a tear-down the
// entry as read with InUse 0. State is the library's.
struct DLS_ENTRY {
    std::uint16_t TimeOut;      // 0: seconds, 0 or 21-65535
    std::uint16_t Reserved;     // 2: 0 in a request
    std::uint8_t MacAddr[6];    // 4
    std::uint8_t State;         // 10: DLS_STATE_LINK_UP once the link is up
    std::uint8_t InUse;         // 11: 1 set up, 0 tear down
};

// The table QueryDLSParameter fills.
constexpr std::size_t DLS_TABLE_ENTRIES = 4;

// The call admission control command of SetACMCmd (by value) and QueryACMCmd.
struct ACM_COMMAND {
    std::uint16_t Command;      // 0: the chosen entry of the page's list + 1
    std::uint16_t Flag;         // 2: 1 in a command of the page
    std::uint8_t Params[152];   // 4: 0 from the page
};

}

WLAN_ASSERT_SIZE(WMM_SETTING, 32);
WLAN_ASSERT_OFFSET(WMM_SETTING, WMMEnable, 4);
WLAN_ASSERT_OFFSET(WMM_SETTING, APSDEnable, 8);
WLAN_ASSERT_OFFSET(WMM_SETTING, AC_BE, 12);
WLAN_ASSERT_OFFSET(WMM_SETTING, AC_BK, 16);
WLAN_ASSERT_OFFSET(WMM_SETTING, AC_VI, 20);
WLAN_ASSERT_OFFSET(WMM_SETTING, AC_VO, 24);
WLAN_ASSERT_OFFSET(WMM_SETTING, Reserved, 28);

WLAN_ASSERT_SIZE(DLS_ENTRY, 12);
WLAN_ASSERT_OFFSET(DLS_ENTRY, Reserved, 2);
WLAN_ASSERT_OFFSET(DLS_ENTRY, MacAddr, 4);
WLAN_ASSERT_OFFSET(DLS_ENTRY, State, 10);
WLAN_ASSERT_OFFSET(DLS_ENTRY, InUse, 11);
WLAN_ASSERT_SIZE(DLS_ENTRY[DLS_TABLE_ENTRIES], 48);

WLAN_ASSERT_SIZE(ACM_COMMAND, 156);
WLAN_ASSERT_OFFSET(ACM_COMMAND, Flag, 2);
WLAN_ASSERT_OFFSET(ACM_COMMAND, Params, 4);
