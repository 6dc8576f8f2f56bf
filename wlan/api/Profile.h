// The connection profile and the settings records that the station library stores and
// applies: profile, advanced settings, WPS, hosted network, single sign-on, EAP-FAST
// credential files and certificates. Wire formats: sizes and read offsets are checked below.
// Where the other side's record held a pointer in a 32-bit field, the field is a 32-bit
// handle here, so the byte layout is kept on 64-bit builds.
#pragma once

#include "wlan/api/Layout.h"
#include "wlan/api/Records.h"

#include <cstdint>

extern "C" {

// [SECTION] Profile

struct KT_802_11_TX_RATES {
    std::uint8_t SupRateLen;
    std::uint8_t SupRate[27];
};

struct KT_BLOB_KEY {
    std::uint32_t BlobLength;
    std::uint8_t BlobData[152];
};

struct WLANPROFILE {
    std::uint32_t bBssid;                     // 0
    NDIS_802_11_SSID SSID;                    // 4
    std::uint8_t BSSID[6];                    // 40
    std::uint8_t Reserved0[2];                // 46
    std::uint32_t enumNetworkType;            // 48
    std::uint32_t enumPreamType;              // 52
    std::int32_t lRtsThre;                    // 56
    std::int32_t lFragThre;                   // 60
    std::uint32_t enumAuthenMode;             // 64
    std::uint32_t enumEncryStatus;            // 68
    std::int32_t lTxPower;                    // 72
    char WEPKey1[64];                         // 76
    std::uint32_t WEPKey1Type;                // 140
    char WEPKey2[64];                         // 144
    std::uint32_t WEPKey2Type;                // 208
    char WEPKey3[64];                         // 212
    std::uint32_t WEPKey3Type;                // 276
    char WEPKey4[64];                         // 280
    std::uint32_t WEPKey4Type;                // 344
    std::uint32_t wepDefaultKey;              // 348: 1..4
    std::uint32_t enumPSMode;                 // 352
    std::uint32_t bACCam;                     // 356
    std::int32_t lFreq;                       // 360
    std::uint32_t bDisassociate;              // 364
    std::uint32_t bUseDiagnostic;             // 368
    std::uint32_t bSetAdvance;                // 372
    std::uint32_t bSetOidFromProfilePageSetting; // 376
    std::uint8_t aryRates[8];                 // 380
    KT_802_11_TX_RATES arySupDesRates;        // 388
    KT_802_11_STA_CONFIG configSta;           // 416
    std::uint32_t CCX2Control;                // 448
    std::uint32_t nCountryRegion;             // 452
    std::uint32_t b8021X;                     // 456
    std::uint32_t enumAuthenProtocol;         // 460
    std::uint32_t enumTunnel;                 // 464
    std::uint32_t enumProvisioningTunnel;     // 468
    std::uint32_t nSessionResumption;         // 472
    std::uint32_t bClientCert;                // 476
    std::uint32_t bClientCertInSmartCard;     // 480
    std::uint32_t bServerCert;                // 484
    std::uint32_t bPAC;                       // 488
    std::uint32_t bProvision;                 // 492
    char chPACfilepath[256];                  // 496
    std::uint32_t bIntermediateCert;          // 752
    std::uint32_t nServerNameRule;            // 756
    char chID[128];                           // 760
    char chPassword[128];                     // 888
    char chServerName[128];                   // 1016
    char chDomainName[128];                   // 1144
    char chPskKey[64];                        // 1272
    std::uint32_t nIDModeIndex;               // 1336
    std::uint32_t nPskKeyLen;                 // 1340
    std::uint32_t nPskKeyType;                // 1344
    std::uint32_t nPasswordMode;              // 1348
    KT_BLOB_KEY CA_cert;                      // 1352
    KT_BLOB_KEY user_cert;                    // 1508
    std::uint8_t pEapFastConfigBlob[3000];    // 1664
    std::uint32_t dwLenEapFastConfigBlob;     // 4664
    std::uint32_t ssoInfo;                    // 4668
    char chUserCertPath[256];                 // 4672
    char chASCertPath[256];                   // 4928
    char chPin[128];                          // 5184
    std::uint32_t bIsWPS;                     // 5312
    std::uint32_t bUseFragThre;               // 5316
    std::uint32_t bUseRTSThre;                // 5320
    char strProfileName[128];                 // 5324
    std::uint32_t nProfileID;                 // 5452
    std::uint32_t bCacheUserInfo;             // 5456
};

// Authentication codes (enumAuthenMode) and cipher codes (enumEncryStatus), shared with the
// status record's fields at 136 and 140.
enum : std::uint32_t {
    AUTH_OPEN = 0, AUTH_SHARED = 1, AUTH_WPA = 3, AUTH_WPA_PSK = 4, AUTH_WPA_NONE = 5, AUTH_WPA2 = 6,
    AUTH_WPA2_PSK = 7, AUTH_WAPI_PSK = 10, AUTH_WAPI_CERT = 11, AUTH_CCKM = 13, AUTH_CCX = 14,
};
enum : std::uint32_t {
    ENC_WEP = 0, ENC_NONE = 1, ENC_WEP_KEY_ABSENT = 2, ENC_NOT_SUPPORTED = 3, ENC_TKIP = 4,
    ENC_TKIP_KEY_ABSENT = 5, ENC_AES = 6, ENC_AES_KEY_ABSENT = 7, ENC_SMS4 = 9, ENC_TKIP_MFP = 10,
    ENC_AES_MFP = 11,
};
// EAP methods (enumAuthenProtocol).
enum : std::uint32_t { EAP_PEAP = 0, EAP_TLS = 1, EAP_TTLS = 2, EAP_FAST = 3, EAP_MD5 = 4, EAP_LEAP = 5 };
// Inner methods (enumTunnel, enumProvisioningTunnel): PEAP and EAP-FAST take MSCHAPV2, TLS or
// GTC; TTLS takes CHAP, MSCHAP, MSCHAPV2, PAP or MD5.
enum : std::uint32_t {
    EAP_INNER_MD5 = 4, EAP_INNER_GTC = 6, EAP_INNER_TLS = 13, EAP_INNER_MSCHAPV2 = 26, EAP_INNER_MSCHAP = 71,
    EAP_INNER_CHAP = 72, EAP_INNER_PAP = 73,
};

// [SECTION] Advanced settings

struct ADVANCE_CONFIG_DATA {
    std::uint32_t BGProtection;
    std::uint32_t CCX2Control;
    std::uint32_t CountryRegion;
    std::uint32_t CountryRegionABand;
    std::uint32_t ShowAuthStatus;
    std::uint32_t TransmitSetting;
    std::uint32_t TransRate;
    std::uint32_t TXBurst;
    std::uint32_t WirelessMode;   // 32
    std::uint32_t EnableTcpWindowSize;
};

struct ADVANCE_OID {
    std::uint32_t PhyMode;        // 0
    std::uint8_t TransmitNo;      // 4
    std::uint8_t HtMode;
    std::uint8_t ExtOffset;
    std::uint8_t MCS;
    std::uint8_t BW;
    std::uint8_t STBC;
    std::uint8_t SHORTGI;         // 10
    std::uint8_t Reserved;
    std::uint32_t nBGProtection;  // 12
    std::uint32_t bTXBurst;       // 16
    std::uint32_t CountryRegIndex11BG; // 20
    std::uint32_t CountryRegIndex11A;  // 24
    std::uint32_t KTphyMode;      // 28
    std::uint32_t nTXRate;        // 32
};

// Bits of the CCX2_CONTROL word.
enum : std::uint32_t {
    CCX2_ENABLE = 1u << 0, CCX2_CCKM_ENABLE = 1u << 1, CCX2_RM_ENABLE = 1u << 2,
    CCX2_DCRM_ENABLE = 1u << 3, CCX2_CAC_ENABLE = 1u << 4, CCX2_FAST_ROAM = 1u << 5,
    CCX2_NETWORK_EAP = 1u << 6, CCX2_ROTATE_PROFILE = 1u << 7, CCX2_MFP = 1u << 26,
    CCX2_RF_ROAM = 1u << 27, CCX2_VOICE_RATE = 1u << 28,
};

// [SECTION] WPS

struct WPS_MODE {
    std::uint32_t WpsMode;        // 0
    char PIN[8];                  // 4
    NDIS_802_11_SSID WpsSSID;     // 12
    std::uint8_t Bssid[6];        // 48
    std::uint8_t Channel;         // 54
    std::uint8_t ConfigMode;      // 55
};

struct WPS_CREDENTIAL {
    std::uint32_t SsidLength;     // 0
    std::uint8_t Ssid[32];        // 4
    std::uint32_t AuthType;       // 36
    std::uint32_t EncrType;       // 40
    std::uint32_t KeyIndex;       // 44
    std::uint32_t KeyLength;      // 48
    std::uint8_t Key[64];         // 52
    std::uint8_t MacAddr[6];      // 116
    std::uint8_t Padding[2];      // 122
};

constexpr std::uint32_t WPS_MAX_CREDENTIALS = 8;
struct WPS_PROFILE {
    std::uint32_t ProfileCnt;
    WPS_CREDENTIAL Profile[WPS_MAX_CREDENTIALS];
};

// [SECTION] Hosted network

// The hosted network's settings, shared by both programs and their libraries. A record counts
// as empty when its SSID length or its key length is 0.
struct EXTAP_CONFIG_DATA {
    std::uint32_t SsidLength;     // 0: 0-32
    std::uint8_t Ssid[32];        // 4: not terminated
    std::uint32_t Channel;        // 36: 0 when not chosen
    char Key[64];                 // 40: WPA2 pre-shared key text or 64 hexadecimal digits
    std::uint32_t KeyLength;      // 104: 0 when no key is stored
    std::uint32_t MaxPeers;       // 108: 1-32
    std::uint8_t Reserved1[4];    // 112
    std::uint8_t IpAddress[4];    // 116: filled by the library, first part first
    std::uint8_t Reserved2[24];   // 120
};
// The name the pages and dialogs of both programs use for the record.
using ExtAPConfig = EXTAP_CONFIG_DATA;

constexpr int HOSTED_STATUS_MAX_STATIONS = 50;

// One station associated to the hosted network.
struct HOSTED_NETWORK_STATION {
    std::uint8_t MacAddress[6];   // 0
    std::uint8_t Padding[2];      // 6
    std::uint32_t AuthState;      // 8: 1 authenticated
};

// What VXWL_HostedNetworkQueryStatus fills: the state (the BSSID counts only in state 1), the
// hosted network's BSSID and the associated stations. `StationCount` is the number of
// associated stations, which may exceed the entries the record holds.
struct HOSTED_NETWORK_STATUS {
    std::uint32_t State;          // 0
    std::uint8_t Reserved1[16];   // 4
    std::uint8_t Bssid[6];        // 20
    std::uint8_t Reserved2[10];   // 26
    std::uint32_t StationCount;   // 36
    HOSTED_NETWORK_STATION Stations[HOSTED_STATUS_MAX_STATIONS]; // 40
};

// [SECTION] Single sign-on and EAP-FAST

// The single sign-on state (VXWL_ReadSSOStatus, VXWL_WriteSSOSetting). Readers hand 1036 or
// 1040 bytes; the library writes the first 1036. Texts are zero-terminated.
struct SSO_STATUS {
    std::uint32_t bAvailable;         // 0: the feature is installed; 0 and nothing else counts
    std::uint32_t bEnabled;           // 4: the feature is on
    std::uint32_t Reserved;           // 8
    char CredentialSource[128];       // 12: "0" logon credentials, "1" the profile's, else a prompt
    char LogonLibrary[128];           // 140
    char DriverDesc[256];             // 268
    char ProfileName[384];            // 524
    char PersistentConn[128];         // 908: "1" keeps a connection before logon
    std::uint32_t Tail;               // 1036: never written by the library
};
constexpr std::uint32_t SSO_STATUS_LEGACY_SIZE = 1036;

struct PAC_ENTRY {
    std::uint32_t Value;
    char Name[256];
    char Path[256];
};

// The PAC list handed to VXWL_WritePACList: a native pair passed by address only, never
// stored or passed by value, so it keeps no fixed size on 64-bit builds.
struct PAC_LIST {
    std::uint32_t Count;
    PAC_ENTRY* Entries;
};

struct PAC_BLOCK {
    std::uint8_t Bytes[1040];
};

// [SECTION] Certificates

// One certificate of a store listing (VXWL_EnumCert): its texts (the expiration as
// "YYYY/MM/DD") and its data (the certificate's thumbprint or stored bytes), which stay the
// library's until VXWL_FreeCertArray. On 64-bit builds the data pointer takes the record's last
// 8 bytes; the 4 bytes where a 32-bit pointer sat stay 0.
struct CERT_RECORD {
    char IssuedTo[256];               // 0
    char IssuedBy[256];               // 256
    char Expiration[256];             // 512
    char FriendlyName[256];           // 768
    std::uint32_t DataLength;         // 1024
    std::uint32_t Reserved;           // 1028
    std::uint8_t const* Data;         // 1032
};

// The issuer, subject and expiry of a certificate file (VXWL_GetWAPICertInfo).
struct CERT_INFO {
    char IssuedTo[256];
    char IssuedBy[256];
    char Expiration[256];
    std::uint8_t Reserved[272];
};

constexpr std::uint32_t SYSTEM_CERT_ENTRY_SIZE = 8464;
constexpr std::uint32_t SYSTEM_CERT_ENTRY_COUNT = 32;
// Where the descriptor of a system certificate entry starts (the kind is the u32 at 0:
// 0 X.509, anything else the national format).
constexpr std::uint32_t SYSTEM_CERT_DESCRIPTOR_OFFSET = 8;
// The texts VXWL_GetCertificateManagerParam writes: a length byte, then that many characters.
constexpr std::uint32_t CERT_PARAM_TEXT_SIZE = 260;
constexpr std::uint32_t CERT_PARAM_EXTRA_SIZE = 520;
// The key buffer of a user certificate between its load and its setup.
constexpr std::uint32_t WAPI_USER_KEY_SIZE = 260;

// A WAPI certificate as the load calls read it and the setup calls install it.
struct WAPI_LOADED_CERT {
    std::uint16_t Identifier;         // 0
    std::uint16_t Length;             // 2: bytes of Data in use
    std::uint8_t Data[8192];          // 4
};

}

WLAN_ASSERT_SIZE(WLANPROFILE, 5460);
WLAN_ASSERT_OFFSET(WLANPROFILE, SSID, 4);
WLAN_ASSERT_OFFSET(WLANPROFILE, BSSID, 40);
WLAN_ASSERT_OFFSET(WLANPROFILE, enumNetworkType, 48);
WLAN_ASSERT_OFFSET(WLANPROFILE, enumAuthenMode, 64);
WLAN_ASSERT_OFFSET(WLANPROFILE, enumEncryStatus, 68);
WLAN_ASSERT_OFFSET(WLANPROFILE, WEPKey1, 76);
WLAN_ASSERT_OFFSET(WLANPROFILE, WEPKey2Type, 208);
WLAN_ASSERT_OFFSET(WLANPROFILE, WEPKey4Type, 344);
WLAN_ASSERT_OFFSET(WLANPROFILE, wepDefaultKey, 348);
WLAN_ASSERT_OFFSET(WLANPROFILE, lFreq, 360);
WLAN_ASSERT_OFFSET(WLANPROFILE, bSetAdvance, 372);
WLAN_ASSERT_OFFSET(WLANPROFILE, arySupDesRates, 388);
WLAN_ASSERT_OFFSET(WLANPROFILE, configSta, 416);
WLAN_ASSERT_OFFSET(WLANPROFILE, CCX2Control, 448);
WLAN_ASSERT_OFFSET(WLANPROFILE, b8021X, 456);
WLAN_ASSERT_OFFSET(WLANPROFILE, enumAuthenProtocol, 460);
WLAN_ASSERT_OFFSET(WLANPROFILE, chPACfilepath, 496);
WLAN_ASSERT_OFFSET(WLANPROFILE, bIntermediateCert, 752);
WLAN_ASSERT_OFFSET(WLANPROFILE, chID, 760);
WLAN_ASSERT_OFFSET(WLANPROFILE, chPassword, 888);
WLAN_ASSERT_OFFSET(WLANPROFILE, chServerName, 1016);
WLAN_ASSERT_OFFSET(WLANPROFILE, chDomainName, 1144);
WLAN_ASSERT_OFFSET(WLANPROFILE, chPskKey, 1272);
WLAN_ASSERT_OFFSET(WLANPROFILE, nIDModeIndex, 1336);
WLAN_ASSERT_OFFSET(WLANPROFILE, nPskKeyLen, 1340);
WLAN_ASSERT_OFFSET(WLANPROFILE, nPasswordMode, 1348);
WLAN_ASSERT_OFFSET(WLANPROFILE, CA_cert, 1352);
WLAN_ASSERT_OFFSET(WLANPROFILE, user_cert, 1508);
WLAN_ASSERT_OFFSET(WLANPROFILE, pEapFastConfigBlob, 1664);
WLAN_ASSERT_OFFSET(WLANPROFILE, dwLenEapFastConfigBlob, 4664);
WLAN_ASSERT_OFFSET(WLANPROFILE, ssoInfo, 4668);
WLAN_ASSERT_OFFSET(WLANPROFILE, chUserCertPath, 4672);
WLAN_ASSERT_OFFSET(WLANPROFILE, chASCertPath, 4928);
WLAN_ASSERT_OFFSET(WLANPROFILE, chPin, 5184);
WLAN_ASSERT_OFFSET(WLANPROFILE, bIsWPS, 5312);
WLAN_ASSERT_OFFSET(WLANPROFILE, strProfileName, 5324);
WLAN_ASSERT_OFFSET(WLANPROFILE, nProfileID, 5452);
WLAN_ASSERT_OFFSET(WLANPROFILE, bCacheUserInfo, 5456);

WLAN_ASSERT_SIZE(ADVANCE_CONFIG_DATA, 40);
WLAN_ASSERT_OFFSET(ADVANCE_CONFIG_DATA, TransmitSetting, 20);
WLAN_ASSERT_OFFSET(ADVANCE_CONFIG_DATA, WirelessMode, 32);
WLAN_ASSERT_SIZE(ADVANCE_OID, 36);
WLAN_ASSERT_OFFSET(ADVANCE_OID, SHORTGI, 10);
WLAN_ASSERT_OFFSET(ADVANCE_OID, nBGProtection, 12);
WLAN_ASSERT_OFFSET(ADVANCE_OID, nTXRate, 32);

WLAN_ASSERT_SIZE(WPS_MODE, 56);
WLAN_ASSERT_OFFSET(WPS_MODE, WpsSSID, 12);
WLAN_ASSERT_OFFSET(WPS_MODE, Bssid, 48);
WLAN_ASSERT_OFFSET(WPS_MODE, ConfigMode, 55);
WLAN_ASSERT_SIZE(WPS_CREDENTIAL, 124);
WLAN_ASSERT_OFFSET(WPS_CREDENTIAL, AuthType, 36);
WLAN_ASSERT_OFFSET(WPS_CREDENTIAL, Key, 52);
WLAN_ASSERT_OFFSET(WPS_CREDENTIAL, MacAddr, 116);
WLAN_ASSERT_SIZE(WPS_PROFILE, 996);

WLAN_ASSERT_SIZE(EXTAP_CONFIG_DATA, 144);
WLAN_ASSERT_OFFSET(EXTAP_CONFIG_DATA, Channel, 36);
WLAN_ASSERT_OFFSET(EXTAP_CONFIG_DATA, KeyLength, 104);
WLAN_ASSERT_OFFSET(EXTAP_CONFIG_DATA, MaxPeers, 108);
WLAN_ASSERT_OFFSET(EXTAP_CONFIG_DATA, IpAddress, 116);
WLAN_ASSERT_OFFSET(EXTAP_CONFIG_DATA, Ssid, 4);
WLAN_ASSERT_OFFSET(EXTAP_CONFIG_DATA, Key, 40);
WLAN_ASSERT_SIZE(HOSTED_NETWORK_STATION, 12);
WLAN_ASSERT_OFFSET(HOSTED_NETWORK_STATION, AuthState, 8);
WLAN_ASSERT_SIZE(HOSTED_NETWORK_STATUS, 640);
WLAN_ASSERT_OFFSET(HOSTED_NETWORK_STATUS, Bssid, 20);
WLAN_ASSERT_OFFSET(HOSTED_NETWORK_STATUS, StationCount, 36);
WLAN_ASSERT_OFFSET(HOSTED_NETWORK_STATUS, Stations, 40);

WLAN_ASSERT_SIZE(SSO_STATUS, 1040);
WLAN_ASSERT_OFFSET(SSO_STATUS, bEnabled, 4);
WLAN_ASSERT_OFFSET(SSO_STATUS, CredentialSource, 12);
WLAN_ASSERT_OFFSET(SSO_STATUS, LogonLibrary, 140);
WLAN_ASSERT_OFFSET(SSO_STATUS, DriverDesc, 268);
WLAN_ASSERT_OFFSET(SSO_STATUS, ProfileName, 524);
WLAN_ASSERT_OFFSET(SSO_STATUS, PersistentConn, 908);
WLAN_ASSERT_OFFSET(SSO_STATUS, Tail, 1036);
WLAN_ASSERT_SIZE(PAC_ENTRY, 516);
WLAN_ASSERT_SIZE(PAC_BLOCK, 1040);
WLAN_ASSERT_SIZE(CERT_RECORD, 1040);
WLAN_ASSERT_OFFSET(CERT_RECORD, IssuedBy, 256);
WLAN_ASSERT_OFFSET(CERT_RECORD, Expiration, 512);
WLAN_ASSERT_OFFSET(CERT_RECORD, FriendlyName, 768);
WLAN_ASSERT_OFFSET(CERT_RECORD, DataLength, 1024);
WLAN_ASSERT_OFFSET(CERT_RECORD, Reserved, 1028);
WLAN_ASSERT_OFFSET(CERT_RECORD, Data, 1032);
WLAN_ASSERT_SIZE(WAPI_LOADED_CERT, 8196);
WLAN_ASSERT_OFFSET(WAPI_LOADED_CERT, Length, 2);
WLAN_ASSERT_OFFSET(WAPI_LOADED_CERT, Data, 4);
WLAN_ASSERT_SIZE(CERT_INFO, 1040);
WLAN_ASSERT_OFFSET(CERT_INFO, IssuedBy, 256);
WLAN_ASSERT_OFFSET(CERT_INFO, Expiration, 512);
