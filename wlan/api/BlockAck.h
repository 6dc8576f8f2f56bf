// The 802.11n block-acknowledgement records, the same for both programs and both libraries:
// the capability record with its packed stored form, the table of live agreements, the add and
// delete request, and the table of peers (the associated stations of an access point, or the
// peers a station knows). Wire formats: every size and offset the other side reads is checked.
#pragma once

#include "wlan/api/Layout.h"

#include <cstddef>
#include <cstdint>

extern "C" {

// The capability, passed by value to SetBACap and filled by QueryBACap.
struct BA_CAP_SETTING {
    std::uint8_t WindowLimit1;     // 0: not shown; written back as read
    std::uint8_t WindowLimit2;     // 1
    std::uint8_t Aggregation;      // 2: 1 on, 2 off
    std::uint8_t MpduDensity;      // 3: 0-7
    std::uint8_t AmsduEnable;      // 4: 1 on, 0 off
    std::uint8_t AmsduSize;        // 5: 0 = 3839 bytes, 1 = 7935 bytes
    std::uint8_t PowerSave;        // 6: 3 off ("SM enable"), 0 static, 1 dynamic
    std::uint8_t AutoSetup;        // 7: 1 automatic, 0 manual
};

constexpr std::size_t BA_TID_COUNT = 8;
constexpr std::size_t BA_TABLE_ENTRIES = 32;

// One peer of one half of the agreement table.
struct BA_ENTRY {
    std::uint8_t Mac[6];                    // 0
    std::uint8_t TidBitmap;                 // 6: bit t = an agreement on TID t
    std::uint8_t Reserved;                  // 7
    std::uint8_t WindowSize[BA_TID_COUNT];  // 8: per TID
    std::uint32_t TidSlot[BA_TID_COUNT];    // 16: per TID, not read by the programs
};

struct BA_TABLE {
    BA_ENTRY Originator[BA_TABLE_ENTRIES];  // 0: agreements this side originated
    BA_ENTRY Recipient[BA_TABLE_ENTRIES];   // 1536: agreements this side is recipient of
    std::uint8_t OriginatorCount;           // 3072
    std::uint8_t RecipientCount;            // 3073
    std::uint8_t Padding[2];                // 3074
};

// An add or delete request, passed by value. An add sets bytes 0-8 and zero at 10 and 12; a
// delete sets bytes 0-7 and the scope at 12 and leaves 8-11 unset.
#pragma pack(push, 1)
struct BA_REQUEST {
    std::uint8_t Direction;     // 0: 0 this side originates, 1 recipient
    std::uint8_t Mac[6];        // 1
    std::uint8_t Tid;           // 7: 0-7
    std::uint8_t WindowSize;    // 8: add only, the low 8 bits of the number entered
    std::uint8_t Padding1;      // 9
    std::uint16_t Reserved;     // 10: 0 in an add
    std::uint8_t DeleteAll;     // 12: add 0; delete 1 = every agreement with the peer, 0 = the one TID
    std::uint8_t Padding2;      // 13
};

// One station of the table an 802.11n access point (device models 4 to 8) reports.
struct KT_802_11_MAC_ENTRY {
    std::uint8_t Mac[6];        // 0
    std::uint8_t Aid;           // 6
    std::uint8_t PowerSave;     // 7: non-zero while the station sleeps
    std::uint16_t TxRate;       // 8: see the MAC_RATE_* fields
};

struct KT_802_11_MAC_TABLE {
    std::uint32_t Count;                            // 0: at most 32
    KT_802_11_MAC_ENTRY Entry[BA_TABLE_ENTRIES];    // 4
};
#pragma pack(pop)

// The station driver's requests for its peer table (read into a KT_802_11_MAC_TABLE) and for a
// delete (a BA_REQUEST of 14 bytes); each system generation's driver answers its own only.
constexpr std::uint32_t OID_BA_PEER_TABLE = 0xFF0C0029;        // system code 10 and above
constexpr std::uint32_t OID_BA_PEER_TABLE_LEGACY = 0x0D71010B; // below 10
constexpr std::uint32_t OID_BA_DELETE = 0xFF8C0027;
constexpr std::uint32_t OID_BA_DELETE_LEGACY = 0x0DF1013A;
constexpr int BA_OID_SYSTEM_CODE = 10;

// Fields of KT_802_11_MAC_ENTRY.TxRate.
enum : std::uint16_t {
    MAC_RATE_MCS_MASK = 0x007F,   // MCS, or the rate index of CCK and OFDM
    MAC_RATE_BW40 = 0x0080,
    MAC_RATE_SHORT_GI = 0x0100,
    MAC_RATE_STBC_MASK = 0x0600,
    MAC_RATE_MODE_SHIFT = 14,     // 0 CCK, 1 OFDM, 2 and 3 HT
};

}

WLAN_ASSERT_SIZE(BA_CAP_SETTING, 8);
WLAN_ASSERT_OFFSET(BA_CAP_SETTING, Aggregation, 2);
WLAN_ASSERT_OFFSET(BA_CAP_SETTING, PowerSave, 6);
WLAN_ASSERT_OFFSET(BA_CAP_SETTING, AutoSetup, 7);
WLAN_ASSERT_SIZE(BA_ENTRY, 48);
WLAN_ASSERT_OFFSET(BA_ENTRY, TidBitmap, 6);
WLAN_ASSERT_OFFSET(BA_ENTRY, WindowSize, 8);
WLAN_ASSERT_OFFSET(BA_ENTRY, TidSlot, 16);
WLAN_ASSERT_SIZE(BA_TABLE, 3076);
WLAN_ASSERT_OFFSET(BA_TABLE, Recipient, 1536);
WLAN_ASSERT_OFFSET(BA_TABLE, OriginatorCount, 3072);
WLAN_ASSERT_OFFSET(BA_TABLE, RecipientCount, 3073);
WLAN_ASSERT_SIZE(BA_REQUEST, 14);
WLAN_ASSERT_OFFSET(BA_REQUEST, Mac, 1);
WLAN_ASSERT_OFFSET(BA_REQUEST, Tid, 7);
WLAN_ASSERT_OFFSET(BA_REQUEST, WindowSize, 8);
WLAN_ASSERT_OFFSET(BA_REQUEST, Reserved, 10);
WLAN_ASSERT_OFFSET(BA_REQUEST, DeleteAll, 12);
WLAN_ASSERT_SIZE(KT_802_11_MAC_ENTRY, 10);
WLAN_ASSERT_OFFSET(KT_802_11_MAC_ENTRY, TxRate, 8);
WLAN_ASSERT_SIZE(KT_802_11_MAC_TABLE, 324);
WLAN_ASSERT_OFFSET(KT_802_11_MAC_TABLE, Entry, 4);
