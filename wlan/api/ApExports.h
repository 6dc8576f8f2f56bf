// The 82 functions of the access point library, in the slot order in which the access point
// utility binds them. Each export is named "VXAP_" + the slot name and has C linkage. One
// X-macro gives the name and the function type of every slot, so the utility's binding and
// the library's definitions cannot drift apart.
//
// Records passed by value (the configuration with its option twin, the hosted-network record,
// the block-ack capability and request) are copied whole onto the call on both sides. The
// fifteen functions no caller uses (StrToIPData ... SetGENMICERROR) keep simple signatures.
#pragma once

#include "platform/user/Types.h"
#include "wlan/api/ApRecords.h"
#include "wlan/api/BlockAck.h"
#include "wlan/api/Profile.h"
#include "wlan/api/Records.h"

#include <cstddef>
#include <cstdint>

using VXAP_U32 = std::uint32_t;

// X(slot name, result type, parameter list)
#define VXAP_EXPORTS(X) \
    X(Initial, int, (const char* maker, HWND hwnd)) \
    X(DeInitial, int, (void)) \
    X(GetWinOS, int, (void)) \
    X(IsFileExist, int, (const char* path)) \
    X(FrequencyToChannel, int, (VXAP_U32 khz)) \
    X(ChannelToFrequency, int, (int channel)) \
    X(StrToIPData, int, (const char* text, std::uint8_t* ip)) \
    X(IPDataToStr, int, (const std::uint8_t* ip, char* text)) \
    X(GetAvailableAdapters, int, (void* list, int capacity)) \
    X(AdapterSelect, int, (AdapterEntry* adapter, int reserved, HWND hwnd)) \
    X(IsDeviceExist, int, (AdapterEntry* adapter)) \
    X(GetDriverPath, int, (AdapterEntry* adapter, char* path)) \
    X(OIDQueryInfo, int, (VXAP_U32 oid, void* buffer, VXAP_U32 length, VXAP_U32* returned)) \
    X(OIDSetInfo, int, (VXAP_U32 oid, const void* buffer, VXAP_U32 length)) \
    X(ReadRegValue, int, (const char* name, void* data, VXAP_U32 size)) \
    X(WriteRegValue, int, (const char* name, const void* data, VXAP_U32 size)) \
    X(GetNetConfig, int, (AdapterEntry* adapter, NET_CONFIG_RECORD* config)) \
    X(GetMacAddrs, int, (std::uint8_t* mac)) \
    X(GetEEPROMVer, int, (std::uint8_t* version)) \
    X(GetFirmwareVer, int, (std::uint16_t* version)) \
    X(IsWow64, int, (void)) \
    X(DetectUserAdmin, int, (void)) \
    X(DetectMoreThanOneProcess, int, (void)) \
    X(Is80211ASupport, int, (void)) \
    X(Is80211NSupport, int, (void)) \
    X(QueryOPMode, int, (void)) \
    X(SetOPMode, int, (int mode)) \
    X(CheckIEEE80211H, int, (void)) \
    X(IsZeroConfig, int, (void)) \
    X(StopXpZeroConfig, int, (void)) \
    X(GetCurrentDeviceModel, int, (int* model)) \
    X(QueryHTStatus, int, (VXAP_U32* status)) \
    X(ResetStatisticsCounter, int, (void)) \
    X(QueryMacTableNOT_11N, int, (KT_802_11_MAC_TABLE_NOT_11N* table)) \
    X(QueryMacTable, int, (KT_802_11_MAC_TABLE* table)) \
    X(ReadAccessPolicy, int, (char* text)) \
    X(ReadAccessList, int, (char* text)) \
    X(WriteAccessPolicy, int, (int policy)) \
    X(WriteAccessList, int, (const char* text, int length)) \
    X(Set80211ACL, int, (AccessControlList* list)) \
    X(QueryApWLANStatus, int, (AP_WLAN_STATUS* status)) \
    X(QuerySTAConfig, int, (KT_802_11_STA_CONFIG* config)) \
    X(QueryCountryRegion, int, (VXAP_U32* region_word, VXAP_U32* band5_selectable, VXAP_U32* band24_selectable)) \
    X(GetCountryChannel, int, (std::uint8_t* channels5, std::uint8_t* channels24, int* count24, int* count5, int region24, int region5)) \
    X(ReadConfigData, int, (ApConfigData* config)) \
    X(WriteandSetConfigData, int, (ApConfigData config, ApOptionData options)) \
    X(GetSideBandParaFromE2PROM_BG, int, (int* value)) \
    X(Query80211CONFIGURATION, int, (void* record)) \
    X(QueryInitialState, int, (VXAP_U32* state)) \
    X(SetConfigData, int, (ApConfigData* config, ApOptionData* options)) \
    X(QueryAuthMode, int, (VXAP_U32* mode)) \
    X(ReadAuthMode, int, (VXAP_U32* mode)) \
    X(QuerySignalStrength, int, (int* dbm)) \
    X(ConvertRssiToSignalQuality, int, (int dbm)) \
    X(QueryEventTable, int, (EventTable* table)) \
    X(RestoreStationSetting, int, (void)) \
    X(QueryAIRONETIP, int, (void* record)) \
    X(SetAuthSecuKey, int, (ApSecurity* security, const std::uint8_t* ssid, VXAP_U32 ssid_length)) \
    X(QueryHWReg, int, (VXAP_U32 address, VXAP_U32* value)) \
    X(SetHWReg, int, (VXAP_U32 address, VXAP_U32 value)) \
    X(QueryRxAgcVgcTuning, int, (VXAP_U32* value)) \
    X(SetRxAgcVgcTuning, int, (VXAP_U32 value)) \
    X(SetGENMICERROR, int, (int count)) \
    X(ConvertMACStrToByte, int, (const char* text, std::uint8_t* mac)) \
    X(SetIMMEBA, int, (BA_REQUEST request)) \
    X(WriteBACap, int, (VXAP_U32 packed)) \
    X(ReadBACap, int, (VXAP_U32* packed)) \
    X(QueryBACap, int, (BA_CAP_SETTING* setting)) \
    X(SetBACap, int, (BA_CAP_SETTING setting)) \
    X(QueryBATable, int, (BA_TABLE* table)) \
    X(GetAPDefault, int, (ApConfigData* config)) \
    X(InitAPSettings, int, (void)) \
    X(ReadExtAPConfig, int, (EXTAP_CONFIG_DATA* config)) \
    X(HostedNetworkSetup, int, (EXTAP_CONFIG_DATA config)) \
    X(CheckAllowBW40ForBand, int, (VXAP_U32* bands)) \
    X(WriteExtAPConfig, int, (EXTAP_CONFIG_DATA config)) \
    X(QueryAntennaNumber, int, (VXAP_U32* word)) \
    X(SetVistaWindowsProfile, int, (const char* ssid, VXAP_U32 length)) \
    X(DeleteVistaWindowsProfile, int, (void)) \
    X(QuerySWRadioState, int, (int* software, int* hardware)) \
    X(EnableDhcpServer, int, (void)) \
    X(DisableDhcpServer, int, (void))

// Function pointer types: PFN_VXAP_<slot>.
#define VXAP_DECLARE_TYPE(name, result, params) using PFN_VXAP_##name = result(*) params;
VXAP_EXPORTS(VXAP_DECLARE_TYPE)
#undef VXAP_DECLARE_TYPE

namespace wlan::api {

// Export names in slot order.
inline constexpr const char* kApExportNames[] = {
#define VXAP_NAME(name, result, params) "VXAP_" #name,
    VXAP_EXPORTS(VXAP_NAME)
#undef VXAP_NAME
};
inline constexpr std::size_t kApExportCount = sizeof(kApExportNames) / sizeof(kApExportNames[0]);
static_assert(kApExportCount == 82, "the access point library binds exactly 82 slots");

}

// Messages the access point library posts to the window of VXAP_Initial (WM_USER + n).
enum : unsigned {
    VXAP_MSG_RADIO_ON = 0x0400 + 2,
    VXAP_MSG_RADIO_OFF = 0x0400 + 3,
    VXAP_MSG_CONNECT_COMPLETE = 0x0400 + 13,
    VXAP_MSG_EXIT = 0x0400 + 14,
};
