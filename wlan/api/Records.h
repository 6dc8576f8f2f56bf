// The records of the station library's adapter, scan and status calls, as fixed-size structs.
// These are wire formats between the programs and the library: every size and every offset
// that the other side reads is checked at compile time. Integers are little-endian; texts are
// NUL-padded byte arrays that carry no terminator when full.
#pragma once

#include "wlan/api/Layout.h"

#include <cstdint>

extern "C" {

// [SECTION] Adapters

// One adapter of the library's adapter list.
struct AdapterEntry {
    char FriendlyName[64];        // 0
    char DeviceDescription[64];   // 64
    char ServiceName[264];        // 128
    char DeviceName[384];         // 392
    char HardwareId[256];         // 776
    char Location[256];           // 1032
    std::uint32_t AdapterKind;    // 1288: 0-3 older generation
    std::uint32_t Reserved[2];    // 1292
};

// The list that VXWL_GetAvailableAdapters fills: a count, then that many records.
struct AdapterListHeader {
    std::uint32_t Count;
};
constexpr std::uint32_t ADAPTER_LIST_HEADER_SIZE = 4;

// [SECTION] Scan list

constexpr std::uint32_t BSSID_LIST_BUFFER_SIZE = 0x8000;
constexpr std::uint32_t BSSID_LIST_FIRST_OFFER = 15364;
constexpr std::uint32_t NDIS_SSID_MAX = 32;

struct NDIS_802_11_SSID {
    std::uint32_t SsidLength;
    std::uint8_t Ssid[32];
};

// The fixed part of one scan entry; IELength bytes of fixed fields and elements follow at 116.
struct NDIS_WLAN_BSSID_EX {
    std::uint32_t Length;            // 0: entry size including the elements
    std::uint8_t MacAddress[6];      // 4
    std::uint8_t Reserved[2];        // 10
    NDIS_802_11_SSID Ssid;           // 12
    std::uint32_t Privacy;           // 48
    std::int32_t Rssi;               // 52: dBm
    std::uint32_t NetworkTypeInUse;  // 56: 0 FH, 1 DS, 2 OFDM5, 3 OFDM24
    std::uint32_t Reserved3;         // 60
    std::uint32_t BeaconPeriod;      // 64: Kusec
    std::uint32_t ATIMWindow;        // 68
    std::uint32_t DSConfig;          // 72: centre frequency, kHz
    std::uint32_t HopPattern;        // 76
    std::uint32_t HopSet;            // 80
    std::uint32_t DwellTime;         // 84
    std::uint32_t Reserved4;         // 88
    std::uint32_t InfrastructureMode; // 92: 0 ad hoc, 1 infrastructure
    std::uint8_t SupportedRates[16]; // 96: 500 kbit/s units, bit 7 basic
    std::uint32_t IELength;          // 112
    // IEs follow at 116.
};
constexpr std::uint32_t NDIS_WLAN_BSSID_EX_FIXED = 116;

// [SECTION] Element digest

// The digest of one entry's elements that VXWL_ParseInfoElement fills.
struct IE_INFO_WPA {
    std::uint32_t nAuthentication;   // 0
    std::uint32_t nEncryption;       // 4
    std::uint32_t bCCKM;             // 8
    std::uint32_t bCMIC;             // 12
    std::uint32_t bCKIP;             // 16
    std::uint32_t bWPS;              // 20
    char ConfigMethods[8];           // 24
    char DevicePasswordId[8];        // 32
    char SelectedRegistrar[8];       // 40
    char WpsState[16];               // 48
    char Version[24];                // 64
    char APSetupLocked[44];          // 88
    char UuidE[16];                  // 132
    std::uint32_t bHT;               // 148
    std::uint32_t HT[49];            // 152..347: see the HT_* offsets below
    std::uint8_t SupportedMcsSet[16]; // 348
    char RfBands[8];                 // 364
    std::uint16_t BeaconInterval;    // 372
    std::uint16_t Reserved1;         // 374
    std::uint32_t bMobilityDomain;   // 376
    std::uint8_t MDID[2];            // 380
    std::uint8_t Reserved2[2];       // 382
};

// Authentication bits of nAuthentication and cipher bits of nEncryption.
enum : std::uint32_t {
    IE_AUTH_WPA = 1, IE_AUTH_WPA_PSK = 2, IE_AUTH_WPA_NONE = 4, IE_AUTH_WPA2 = 8,
    IE_AUTH_WPA2_PSK = 16, IE_AUTH_WPA2_NONE = 32, IE_AUTH_WAPI_PSK = 64, IE_AUTH_WAPI_CERT = 128,
};
enum : std::uint32_t { IE_ENC_WEP = 1, IE_ENC_TKIP = 2, IE_ENC_AES = 4, IE_ENC_SMS4 = 8 };

// Byte offsets of the HT fields inside IE_INFO_WPA, as the detail dialog reads them.
enum : std::uint32_t {
    HT_SECONDARY_CHANNEL_OFFSET = 152, HT_INFO_EXCHANGE = 156, HT_MOBILITY_DOMAIN = 160,
    HT_HIGH_THROUGHPUT = 164, HT_CAPABILITY = 168, HT_LDPC = 172, HT_CHANNEL_WIDTH_SET = 176,
    HT_SM_POWER_SAVE = 177, HT_GREENFIELD = 180, HT_SGI_40 = 184, HT_SGI_20 = 188,
    HT_TX_STBC = 192, HT_RX_STBC = 196, HT_DELAYED_BA = 200, HT_MAX_AMSDU = 204,
    HT_DSSS_CCK_40 = 208, HT_PSMP = 212, HT_CAP_PSMP = 216, HT_MAX_AMSDU_2 = 220,
    HT_40_INTOLERANT = 224, HT_LSIG_TXOP = 228, HT_AMPDU_FACTOR = 232, HT_AMPDU_DENSITY = 233,
    HT_TX_MCS_SET_DEFINED = 236, HT_TX_RX_MCS_NOT_EQUAL = 240, HT_TX_MAX_STREAMS = 244,
    HT_TX_UNEQUAL_MODULATION = 248, HT_DSSS_CCK_40_INFO = 252, HT_INFO_PSMP = 256,
    HT_AMPDU_FACTOR_2 = 260, HT_AMPDU_DENSITY_2 = 261,
    HT_HTC = 268, HT_RD_RESPONDER = 272, HT_PRIMARY_CHANNEL = 276, HT_INFO_SECONDARY_OFFSET = 277,
    HT_STA_CHANNEL_WIDTH = 278, HT_RIFS = 280, HT_PSMP_ONLY = 284, HT_SERVICE_INTERVAL = 288,
    HT_OPERATING_MODE = 289, HT_NON_GF_PRESENT = 292, HT_TX_BURST_LIMIT = 296,
    HT_OBSS_NON_HT = 300, HT_DUAL_BEACON = 304, HT_DUAL_CTS = 308, HT_SECONDARY_BEACON = 312,
    HT_LSIG_FULL = 316, HT_PCO_ACTIVE = 320, HT_PCO_PHASE = 324, HT_BASIC_MCS_PRESENT = 328,
    HT_BASIC_MCS_0 = 332, HT_BASIC_MCS_1 = 336, HT_BASIC_MCS_2 = 340, HT_BASIC_MCS_3 = 344,
};

// [SECTION] Status

// The five request switches of VXWL_QueryWLANStatus, passed by value.
struct WLAN_STATUS_REQUEST {
    std::uint32_t Switch[5];
};

enum : std::uint32_t { VxStatus_NoAdapter = 0, VxStatus_Disconnected = 2, VxStatus_Connected = 3 };

// Link-state codes of WLAN_STATUS.LinkState.
enum : std::uint32_t {
    LINK_UP = 0, LINK_DOWN = 1, LINK_HW_RADIO_OFF = 2, LINK_SW_RADIO_OFF = 3, LINK_AUTH_FAIL = 4,
    LINK_AUTH_FAIL_KEYS = 5, LINK_ASSOC_FAIL = 6, LINK_EAP_MIC_FAILURE = 7,
    LINK_EAP_4WAY_TIMEOUT = 8, LINK_EAP_GROUP_KEY_TIMEOUT = 9, LINK_EAP_SUCCESS = 10,
};

struct WLAN_STATUS {
    std::uint32_t Status;              // 0
    std::uint32_t LinkState;           // 4
    NDIS_802_11_SSID Ssid;             // 8
    std::uint8_t Bssid[6];             // 44
    std::uint8_t Reserved0[2];         // 50
    std::uint32_t NetworkType;         // 52
    std::int32_t Ant1Dbm;              // 56
    std::uint32_t Ant1Percent;         // 60
    std::uint32_t Ant2Present;         // 64
    std::int32_t Ant2Dbm;              // 68
    std::uint32_t Ant2Percent;         // 72
    std::uint32_t Ant3Present;         // 76
    std::int32_t Ant3Dbm;              // 80
    std::uint32_t Ant3Percent;         // 84
    std::int32_t Snr1;                 // 88
    std::int32_t Snr2;                 // 92
    std::int32_t NoiseDbm;             // 96
    std::uint8_t Reserved1[16];        // 100
    std::uint32_t FrequencyKHz;        // 116
    std::uint8_t Reserved2[16];        // 120
    std::uint32_t AuthMode;            // 136
    std::uint32_t EncryptionStatus;    // 140
    std::uint32_t TxRate;              // 144: 500 kbit/s units
    std::uint32_t LinkQuality;         // 148
    std::uint32_t BytesTx;             // 152
    std::uint32_t BytesRx;             // 156
    std::uint32_t CentralChannel;      // 160
    std::uint32_t Reserved3;           // 164
    double TxRateMbps;                 // 168
    double RxRateMbps;                 // 176
    std::uint8_t Reserved4[16];        // 184
    std::uint32_t TxPowerPercent;      // 200
    std::uint16_t TransmitSetting;     // 204
    std::uint16_t Reserved5;           // 206
    std::uint64_t Counters[25];        // 208: see the COUNTER_* byte offsets
    std::uint32_t RxOk;                // 408 (system code 10 and above)
    std::uint32_t Reserved6;           // 412
    std::uint32_t RxOkLegacy;          // 416 (older systems)
    std::uint32_t RxDropped;           // 420
    std::uint32_t Reserved7;           // 424
    std::uint8_t IpAddress[4];         // 428
    std::uint8_t SubnetMask[4];        // 432
    std::uint8_t Gateway[4];           // 436
    std::uint8_t Reserved8[16];        // 440
    std::uint32_t ConnectMode;         // 456
    char ProfileName[84];              // 460
};

// Byte offsets inside the counter block at 208.
enum : std::uint32_t {
    COUNTER_TX_OK = 8, COUNTER_TX_FAILED_ACK = 24, COUNTER_TX_OK_RETRIED = 32,
    COUNTER_RTS_OK = 48, COUNTER_RTS_FAILED = 56, COUNTER_RX_DUPLICATE = 72, COUNTER_RX_CRC = 96,
};

// [SECTION] Small records

struct KT_802_11_STA_CONFIG {
    std::uint32_t EnableTxBurst;
    std::uint32_t EnableTurboRate;
    std::uint32_t UseBGProtection;
    std::uint32_t UseShortSlotTime;
    std::uint32_t AdhocMode;
    std::uint32_t HwRadioStatus;
    std::uint32_t Unnamed;
    std::uint32_t SystemErrorBitmap;
};

// The access point's address and name, as VXWL_QueryAPIPAddress fills it.
struct AP_ADDRESS_RECORD {
    std::uint8_t IpAddress[4];
    char Name[16];
};

// The adapter's network configuration, as VXWL_ReadNetConfig fills it.
struct NET_CONFIG_RECORD {
    std::uint32_t Dhcp;
    std::uint8_t IpAddress[4];     // 4
    std::uint8_t SubnetMask[4];    // 8
    std::uint8_t Gateway[4];       // 12
    std::uint8_t Dns[4];           // 16
    std::uint8_t Reserved[12];     // 20
};

// The PHY record of OID 0x0DF1013B.
struct PHY_OID_RECORD {
    std::uint32_t PhyMode;
    std::uint8_t Bytes[8];
};

constexpr std::uint32_t OID_802_11_INFRASTRUCTURE_MODE = 0x0D810108;
constexpr std::uint32_t OID_802_11_PHY_RECORD = 0x0DF1013B;
constexpr std::uint32_t OID_802_3_BSSID = 0x0D010101;
constexpr std::uint32_t OID_GEN_RCV_OK = 0x00020102;
constexpr std::uint32_t OID_TRANSMIT_SETTING = 0xFF0C0021;
constexpr std::uint32_t OID_TRANSMIT_SETTING_LEGACY = 0x0D71011C;
constexpr std::uint32_t OID_SNR_2 = 0x0D7101C0;

constexpr std::uint32_t PROFILE_NAME_SIZE = 128;
constexpr std::uint32_t DRIVER_TEXT_SIZE = 256;
constexpr std::uint32_t CHANNEL_LIST_MAX = 64;

}

WLAN_ASSERT_SIZE(AdapterEntry, 1300);
WLAN_ASSERT_OFFSET(AdapterEntry, DeviceDescription, 64);
WLAN_ASSERT_OFFSET(AdapterEntry, ServiceName, 128);
WLAN_ASSERT_OFFSET(AdapterEntry, DeviceName, 392);
WLAN_ASSERT_OFFSET(AdapterEntry, HardwareId, 776);
WLAN_ASSERT_OFFSET(AdapterEntry, Location, 1032);
WLAN_ASSERT_OFFSET(AdapterEntry, AdapterKind, 1288);

WLAN_ASSERT_SIZE(NDIS_802_11_SSID, 36);
WLAN_ASSERT_SIZE(NDIS_WLAN_BSSID_EX, NDIS_WLAN_BSSID_EX_FIXED);
WLAN_ASSERT_OFFSET(NDIS_WLAN_BSSID_EX, MacAddress, 4);
WLAN_ASSERT_OFFSET(NDIS_WLAN_BSSID_EX, Ssid, 12);
WLAN_ASSERT_OFFSET(NDIS_WLAN_BSSID_EX, Privacy, 48);
WLAN_ASSERT_OFFSET(NDIS_WLAN_BSSID_EX, Rssi, 52);
WLAN_ASSERT_OFFSET(NDIS_WLAN_BSSID_EX, NetworkTypeInUse, 56);
WLAN_ASSERT_OFFSET(NDIS_WLAN_BSSID_EX, BeaconPeriod, 64);
WLAN_ASSERT_OFFSET(NDIS_WLAN_BSSID_EX, DSConfig, 72);
WLAN_ASSERT_OFFSET(NDIS_WLAN_BSSID_EX, InfrastructureMode, 92);
WLAN_ASSERT_OFFSET(NDIS_WLAN_BSSID_EX, SupportedRates, 96);
WLAN_ASSERT_OFFSET(NDIS_WLAN_BSSID_EX, IELength, 112);

WLAN_ASSERT_SIZE(IE_INFO_WPA, 384);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, bWPS, 20);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, ConfigMethods, 24);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, DevicePasswordId, 32);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, SelectedRegistrar, 40);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, WpsState, 48);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, Version, 64);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, APSetupLocked, 88);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, UuidE, 132);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, bHT, 148);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, HT, 152);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, SupportedMcsSet, 348);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, RfBands, 364);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, BeaconInterval, 372);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, bMobilityDomain, 376);
WLAN_ASSERT_OFFSET(IE_INFO_WPA, MDID, 380);

WLAN_ASSERT_SIZE(WLAN_STATUS_REQUEST, 20);
WLAN_ASSERT_SIZE(WLAN_STATUS, 544);
WLAN_ASSERT_OFFSET(WLAN_STATUS, LinkState, 4);
WLAN_ASSERT_OFFSET(WLAN_STATUS, Ssid, 8);
WLAN_ASSERT_OFFSET(WLAN_STATUS, Bssid, 44);
WLAN_ASSERT_OFFSET(WLAN_STATUS, NetworkType, 52);
WLAN_ASSERT_OFFSET(WLAN_STATUS, Ant1Dbm, 56);
WLAN_ASSERT_OFFSET(WLAN_STATUS, Ant2Present, 64);
WLAN_ASSERT_OFFSET(WLAN_STATUS, Ant3Present, 76);
WLAN_ASSERT_OFFSET(WLAN_STATUS, Snr1, 88);
WLAN_ASSERT_OFFSET(WLAN_STATUS, Snr2, 92);
WLAN_ASSERT_OFFSET(WLAN_STATUS, FrequencyKHz, 116);
WLAN_ASSERT_OFFSET(WLAN_STATUS, AuthMode, 136);
WLAN_ASSERT_OFFSET(WLAN_STATUS, EncryptionStatus, 140);
WLAN_ASSERT_OFFSET(WLAN_STATUS, TxRate, 144);
WLAN_ASSERT_OFFSET(WLAN_STATUS, LinkQuality, 148);
WLAN_ASSERT_OFFSET(WLAN_STATUS, BytesTx, 152);
WLAN_ASSERT_OFFSET(WLAN_STATUS, CentralChannel, 160);
WLAN_ASSERT_OFFSET(WLAN_STATUS, TxRateMbps, 168);
WLAN_ASSERT_OFFSET(WLAN_STATUS, RxRateMbps, 176);
WLAN_ASSERT_OFFSET(WLAN_STATUS, TxPowerPercent, 200);
WLAN_ASSERT_OFFSET(WLAN_STATUS, TransmitSetting, 204);
WLAN_ASSERT_OFFSET(WLAN_STATUS, Counters, 208);
WLAN_ASSERT_OFFSET(WLAN_STATUS, RxOk, 408);
WLAN_ASSERT_OFFSET(WLAN_STATUS, RxOkLegacy, 416);
WLAN_ASSERT_OFFSET(WLAN_STATUS, RxDropped, 420);
WLAN_ASSERT_OFFSET(WLAN_STATUS, IpAddress, 428);
WLAN_ASSERT_OFFSET(WLAN_STATUS, SubnetMask, 432);
WLAN_ASSERT_OFFSET(WLAN_STATUS, Gateway, 436);
WLAN_ASSERT_OFFSET(WLAN_STATUS, ConnectMode, 456);
WLAN_ASSERT_OFFSET(WLAN_STATUS, ProfileName, 460);

WLAN_ASSERT_SIZE(KT_802_11_STA_CONFIG, 32);
WLAN_ASSERT_OFFSET(KT_802_11_STA_CONFIG, AdhocMode, 16);
WLAN_ASSERT_SIZE(AP_ADDRESS_RECORD, 20);
WLAN_ASSERT_SIZE(NET_CONFIG_RECORD, 32);
WLAN_ASSERT_OFFSET(NET_CONFIG_RECORD, Gateway, 12);
WLAN_ASSERT_SIZE(PHY_OID_RECORD, 12);
