// The records of the access point library: the stored configuration with its option twin, the
// access control list, the event table, the status record with the counters and the station
// table of adapters without 802.11n. Wire formats between the access point utility and its
// library: every size and offset the other side reads is checked at compile time. Bytes no
// field uses are zero: writers clear a record before they fill it.
#pragma once

#include "platform/user/Types.h"
#include "wlan/api/Layout.h"

#include <cstddef>
#include <cstdint>

extern "C" {

// [SECTION] Configuration

constexpr std::size_t AP_SSID_MAX = 32;
constexpr std::size_t AP_KEY_TEXT = 64;
constexpr std::size_t AP_WEP_KEYS = 4;

// The security part of the configuration, edited by the security dialog as one piece.
struct ApSecurity {
    std::uint32_t AuthenMode;              // 112: see AP_AUTH_*
    std::uint32_t EncryStatus;             // 116: see AP_ENC_*
    char WpaPsk[AP_KEY_TEXT];              // 120: WpaPskLen bytes in use
    std::uint32_t WpaPskLen;               // 184
    std::uint32_t nRekeyInterval;          // 188: 3 to 0x3FFFFFF
    std::uint32_t nRekeyMethod;            // 192: 0 tens of seconds, 1 thousands of packets
    std::uint32_t nRadiusPort;             // 196
    std::uint32_t RadiusServerIp;          // 200: first octet in the most significant byte
    char RadiusKey[AP_KEY_TEXT];           // 204
    std::uint32_t nDefaultKeyId;           // 268: 0-3
    std::uint32_t KeyFormat[AP_WEP_KEYS];  // 272: 0 hexadecimal, 1 ASCII
    char WepKey[AP_WEP_KEYS][AP_KEY_TEXT]; // 288: NUL-terminated texts
};

struct ApConfigData {
    std::uint32_t SsidLen;             // 0: 0-32
    std::uint8_t Ssid[AP_SSID_MAX];    // 4: bytes past SsidLen are zero
    std::uint32_t WirelessMode;        // 36: 0 2.4 GHz, 2 5 GHz; 9 and 8 the same with 802.11n
    std::uint32_t lFreq;               // 40: channel centre frequency, kHz
    std::uint32_t bAllowBW40;          // 44
    std::uint32_t HT_PhyMode;          // 48: see AP_HT_*
    std::uint32_t nTXRate;             // 52
    std::uint32_t nTxPower;            // 56
    std::uint32_t nBGProtection;       // 60: 0 auto, 1 on, 2 off
    std::uint32_t CountryRegion_11BG;  // 64
    std::uint32_t CountryRegion_11A;   // 68
    std::uint32_t nTxPreamble;         // 72
    std::uint32_t nBeaconPeriod;       // 76: 20-1000 ms
    std::uint32_t nRtsThreshold;       // 80
    std::uint32_t nFragThreshold;      // 84
    std::uint32_t bTxBurst;            // 88
    std::uint32_t bTurboRate;          // 92
    std::uint32_t bNoForwarding;       // 96
    std::uint32_t bHideSsid;           // 100
    std::uint32_t bShortSlot;          // 104
    std::uint32_t bAutoChannelAtBoot;  // 108
    ApSecurity Security;               // 112: 432 bytes
    std::uint32_t nIdleTime;           // 544: 60-3600 s
};

// Repeats the switches, the RADIUS and the rekey settings; note the rekey order at the end.
struct ApOptionData {
    std::uint32_t bTxBurst;            // 0
    std::uint32_t bTurboRate;          // 4
    std::uint32_t bNoForwarding;       // 8
    std::uint32_t bHideSsid;           // 12
    std::uint32_t nBGProtection;       // 16
    std::uint32_t bShortSlot;          // 20
    std::uint16_t nIdleTime;           // 24: low 16 bits
    std::uint8_t Reserved[6];          // 26
    std::uint32_t RadiusServerIp;      // 32
    std::uint32_t nRadiusPort;         // 36
    char RadiusKey[AP_KEY_TEXT];       // 40
    std::uint32_t nRekeyMethod;        // 104
    std::uint32_t nRekeyInterval;      // 108
};

// Authentication codes of ApSecurity.AuthenMode (2, 3, 6 and 8 are never offered).
enum : std::uint32_t {
    AP_AUTH_OPEN = 0, AP_AUTH_SHARED = 1, AP_AUTH_WPA_PSK = 4, AP_AUTH_WPA2_PSK = 7, AP_AUTH_WPA_WPA2_PSK = 9,
};
// Encryption codes of ApSecurity.EncryStatus.
enum : std::uint32_t { AP_ENC_WEP = 0, AP_ENC_NONE = 1, AP_ENC_TKIP = 4, AP_ENC_AES = 6, AP_ENC_TKIP_AES = 8 };

// Fields of ApConfigData.HT_PhyMode.
enum : std::uint32_t {
    AP_HT_PHYMODE_MASK = 0x0000000F,
    AP_HT_MCS_SHIFT = 4,
    AP_HT_MCS_MASK = 0x000007F0,
    AP_HT_BW40 = 1u << 11,
    AP_HT_SHORT_GI = 1u << 12,
    AP_HT_STBC = 1u << 13,
    AP_HT_ALWAYS_SET = 1u << 15,
    AP_HT_GREENFIELD = 1u << 16,
    AP_HT_EXTCHA_SHIFT = 17,
    AP_HT_MCS_AUTO = 33,
};

// [SECTION] Access control

constexpr std::size_t AP_ACL_ENTRIES = 32;
constexpr std::size_t AP_ACL_TEXT_SIZE = 1024;

struct AccessControlList {
    std::uint32_t Policy;                  // 0: 0 none, 1 only the listed admitted, 2 the listed rejected
    std::uint32_t Count;                   // 4: 0-32; 0 when the policy is 0
    std::uint8_t Entry[AP_ACL_ENTRIES][8]; // 8: six address bytes, two zero bytes
};

enum : std::uint32_t { AP_ACL_DISABLED = 0, AP_ACL_ALLOW_LISTED = 1, AP_ACL_REJECT_LISTED = 2 };

// [SECTION] Events

// One event of the driver's table. The leading-underscore spelling is the original's; C++
// reserves it, so the record goes by this name.
struct KT_802_11_EVENT_LOG {
    FILETIME Time;           // 0: UTC
    std::uint8_t Mac[6];     // 8: the station concerned
    std::uint16_t Code;      // 14: see AP_EVENT_*
};

constexpr std::size_t AP_EVENT_TABLE_ENTRIES = 10;

struct EventTable {
    std::uint32_t Count;                                // 0
    std::uint32_t Reserved;                             // 4: not read
    KT_802_11_EVENT_LOG Event[AP_EVENT_TABLE_ENTRIES];  // 8: oldest first
};

enum : std::uint16_t {
    AP_EVENT_STARTED = 0,
    AP_EVENT_ASSOCIATED = 1,
    AP_EVENT_LEFT = 2,
    AP_EVENT_REFUSED_BY_ACL = 3,
    AP_EVENT_AUTH_FAILED = 4,
    AP_EVENT_REMOVED = 5,
};

// [SECTION] Status

// The status record of VXAP_QueryApWLANStatus. The counter block has the station library's
// layout (the COUNTER_* byte offsets of Records.h), eight bytes further on.
struct AP_WLAN_STATUS {
    std::uint8_t Reserved0[216];       // 0
    std::uint64_t Counters[25];        // 216
    std::uint64_t RxOk;                // 416: code 10 and above
    std::uint32_t RxOkLegacy;          // 424: below code 10
    std::uint32_t RxDropped;           // 428
    std::uint8_t Reserved1[120];       // 432
};

// [SECTION] Station table without 802.11n (device models 2 and 3)

struct KT_802_11_MAC_ENTRY_NOT_11N {
    std::uint8_t Mac[6];     // 0
    std::uint8_t Aid;        // 6
    std::uint8_t PowerSave;  // 7
};

struct KT_802_11_MAC_TABLE_NOT_11N {
    std::uint32_t Count;                                // 0: at most 32
    KT_802_11_MAC_ENTRY_NOT_11N Entry[AP_ACL_ENTRIES];  // 4
};

// [SECTION] Sizes of open buffers

constexpr std::size_t AP_DRIVER_PATH_SIZE = 260;
constexpr std::size_t AP_NAME_BUFFER_SIZE = 128;

}

WLAN_ASSERT_SIZE(ApSecurity, 432);
WLAN_ASSERT_SIZE(ApConfigData, 548);
WLAN_ASSERT_OFFSET(ApConfigData, Ssid, 4);
WLAN_ASSERT_OFFSET(ApConfigData, WirelessMode, 36);
WLAN_ASSERT_OFFSET(ApConfigData, lFreq, 40);
WLAN_ASSERT_OFFSET(ApConfigData, bAllowBW40, 44);
WLAN_ASSERT_OFFSET(ApConfigData, HT_PhyMode, 48);
WLAN_ASSERT_OFFSET(ApConfigData, nTXRate, 52);
WLAN_ASSERT_OFFSET(ApConfigData, nBGProtection, 60);
WLAN_ASSERT_OFFSET(ApConfigData, CountryRegion_11BG, 64);
WLAN_ASSERT_OFFSET(ApConfigData, CountryRegion_11A, 68);
WLAN_ASSERT_OFFSET(ApConfigData, nBeaconPeriod, 76);
WLAN_ASSERT_OFFSET(ApConfigData, bTxBurst, 88);
WLAN_ASSERT_OFFSET(ApConfigData, bAutoChannelAtBoot, 108);
WLAN_ASSERT_OFFSET(ApConfigData, Security, 112);
WLAN_ASSERT_OFFSET(ApConfigData, Security.EncryStatus, 116);
WLAN_ASSERT_OFFSET(ApConfigData, Security.WpaPsk, 120);
WLAN_ASSERT_OFFSET(ApConfigData, Security.WpaPskLen, 184);
WLAN_ASSERT_OFFSET(ApConfigData, Security.nRekeyInterval, 188);
WLAN_ASSERT_OFFSET(ApConfigData, Security.nRekeyMethod, 192);
WLAN_ASSERT_OFFSET(ApConfigData, Security.nRadiusPort, 196);
WLAN_ASSERT_OFFSET(ApConfigData, Security.RadiusServerIp, 200);
WLAN_ASSERT_OFFSET(ApConfigData, Security.RadiusKey, 204);
WLAN_ASSERT_OFFSET(ApConfigData, Security.nDefaultKeyId, 268);
WLAN_ASSERT_OFFSET(ApConfigData, Security.KeyFormat, 272);
WLAN_ASSERT_OFFSET(ApConfigData, Security.WepKey, 288);
WLAN_ASSERT_OFFSET(ApConfigData, nIdleTime, 544);

WLAN_ASSERT_SIZE(ApOptionData, 112);
WLAN_ASSERT_OFFSET(ApOptionData, nIdleTime, 24);
WLAN_ASSERT_OFFSET(ApOptionData, RadiusServerIp, 32);
WLAN_ASSERT_OFFSET(ApOptionData, nRadiusPort, 36);
WLAN_ASSERT_OFFSET(ApOptionData, RadiusKey, 40);
WLAN_ASSERT_OFFSET(ApOptionData, nRekeyMethod, 104);
WLAN_ASSERT_OFFSET(ApOptionData, nRekeyInterval, 108);

WLAN_ASSERT_SIZE(AccessControlList, 264);
WLAN_ASSERT_OFFSET(AccessControlList, Count, 4);
WLAN_ASSERT_OFFSET(AccessControlList, Entry, 8);

WLAN_ASSERT_SIZE(KT_802_11_EVENT_LOG, 16);
WLAN_ASSERT_OFFSET(KT_802_11_EVENT_LOG, Mac, 8);
WLAN_ASSERT_OFFSET(KT_802_11_EVENT_LOG, Code, 14);
WLAN_ASSERT_SIZE(EventTable, 168);
WLAN_ASSERT_OFFSET(EventTable, Event, 8);

WLAN_ASSERT_SIZE(AP_WLAN_STATUS, 552);
WLAN_ASSERT_OFFSET(AP_WLAN_STATUS, Counters, 216);
WLAN_ASSERT_OFFSET(AP_WLAN_STATUS, RxOk, 416);
WLAN_ASSERT_OFFSET(AP_WLAN_STATUS, RxOkLegacy, 424);
WLAN_ASSERT_OFFSET(AP_WLAN_STATUS, RxDropped, 428);

WLAN_ASSERT_SIZE(KT_802_11_MAC_ENTRY_NOT_11N, 8);
WLAN_ASSERT_SIZE(KT_802_11_MAC_TABLE_NOT_11N, 260);
