// The 215 functions of the station library, in the slot order in which the program binds
// them. Each export is named "VXWL_" + the slot name and has C linkage; the names are kept
// exactly as the program looks them up (ResetToDefaultConnecctionSetting included). One
// X-macro gives the name and the function type of every slot, so the program's binding table
// and the library's definitions cannot drift apart.
//
// Records passed by value (the status request, the SSID record, the advanced and WPS records,
// the hosted-network record, the block-ack capability and request, the WMM setting, a direct
// link, the admission control command, the single sign-on record) are copied whole onto the call on both sides. Names
// travel to WlanSendS64Start as UTF-16 (the platform's wchar_t is four bytes wide).
#pragma once

#include "platform/user/Types.h"
#include "wlan/api/BlockAck.h"
#include "wlan/api/Callback.h"
#include "wlan/api/Profile.h"
#include "wlan/api/Records.h"
#include "wlan/api/Wmm.h"

#include <cstdint>

using VXWL_U32 = std::uint32_t;

// X(slot name, result type, parameter list)
#define VXWL_EXPORTS(X) \
    X(AdapterSelect, int, (AdapterEntry* adapter, rsCallBackFunc callback, HWND hwnd)) \
    X(AddIMMEBA, int, (BA_REQUEST request)) \
    X(BackupStationSetting, int, (void)) \
    X(ChannelToFrequency, int, (int channel)) \
    X(CheckDuplicatedProfileName, int, (const char* name)) \
    X(CheckIEEE80211H, int, (void)) \
    X(CheckAdhoc5GDisable, int, (void)) \
    X(CheckBssidRepositTime, int, (void)) \
    X(CheckIfAllowBW40InABand, int, (void)) \
    X(CheckIfAllowBW40InBGBand, int, (void)) \
    X(CheckMSConfigService, int, (void)) \
    X(ConnectWPSProfile, int, (WPS_CREDENTIAL credential)) \
    X(ConvertPhyModeToAdHocMode, int, (int phy_mode, int* adhoc_mode)) \
    X(CopyProfileToCurrentSetting, int, (const char* name)) \
    X(DeInitial, int, (void)) \
    X(DeleteCertificate, int, (int index)) \
    X(DeleteProfile, int, (const char* name, int flag)) \
    X(DetectMoreThanOneUser, int, (void)) \
    X(DetectUserAdmin, int, (void)) \
    X(DevEnable, int, (int enable)) \
    X(Disassociate, int, (void)) \
    X(EnableAPSD, int, (WMM_SETTING setting)) \
    X(EnableDLSetup, int, (WMM_SETTING setting)) \
    X(EnumCert, int, (const char* store, CERT_RECORD* records, VXWL_U32* count)) \
    X(EnumSystemCertificate, int, (VXWL_U32* count, std::uint8_t* buffers)) \
    X(ExportProfile, int, (const char* name, const char* path)) \
    X(FastPacLoad, int, (char* path, int path_size, const char* identity, int mode)) \
    X(FastPacSave, int, (PAC_BLOCK* block, char* pac_path, char* aid)) \
    X(FlushBSSIDList, int, (int from_mode, int to_mode)) \
    X(FreeCertArray, int, (CERT_RECORD* records, VXWL_U32* count)) \
    X(FrequencyToChannel, int, (VXWL_U32 khz)) \
    X(GetAvailableAdapters, int, (void* buffer, int capacity)) \
    X(GetAvailableChannels, int, (int band, int phy_mode, int adhoc_mode, std::uint8_t* channels, int* count, int flags)) \
    X(GetCertificateManagerParam, int, (const std::uint8_t* descriptor, std::uint8_t* extra, std::uint8_t* subject, std::uint8_t* issuer, int* value, std::uint8_t* valid_from, std::uint8_t* valid_to)) \
    X(GetCurrentDeviceModel, int, (int* model)) \
    X(GetMaxCountryRegion, int, (VXWL_U32* max24, VXWL_U32* max5)) \
    X(GetNextProfileID, int, (char* id_text)) \
    X(GetWAPIProgress, int, (void)) \
    X(GetWinOS, int, (void)) \
    X(ImportProfile, int, (const char* path)) \
    X(InitAPSetting, int, (void)) \
    X(Initial, int, (const char* maker, HWND hwnd)) \
    X(IPDataToStr, int, (const std::uint8_t* ip, char* text)) \
    X(Is80211ASupport, int, (void)) \
    X(Is80211NSupport, int, (void)) \
    X(IsAllowStandardUserSetAdvance, int, (void)) \
    X(IsAllowStandardUserSetProfile, int, (void)) \
    X(IsDeviceExist, int, (AdapterEntry* adapter)) \
    X(IsDuplicateProfileID, int, (const char* id_text)) \
    X(IsEapHostInstalled, int, (void)) \
    X(IsSupportAPMode, int, (void)) \
    X(IsWAPIConnecting, int, (void)) \
    X(IsWAPISupported, int, (void)) \
    X(IsWow64, int, (void)) \
    X(IsWpaCapable, int, (void)) \
    X(IsZeroConfig, int, (void)) \
    X(LoadX509ASCertificate, int, (const char* path, WAPI_LOADED_CERT* loaded)) \
    X(LoadX509UserCertificate, int, (const char* path, WAPI_LOADED_CERT* loaded, char* key)) \
    X(OIDQueryInfo, int, (VXWL_U32 oid, void* buffer, VXWL_U32 length, VXWL_U32* returned)) \
    X(OIDSetInfo, int, (VXWL_U32 oid, const void* buffer, VXWL_U32 length)) \
    X(ParseInfoElement, int, (const NDIS_WLAN_BSSID_EX* entry, IE_INFO_WPA* info)) \
    X(PasswordHash, int, (const char* password, const NDIS_802_11_SSID* ssid, std::uint8_t* key)) \
    X(QueryACMCmd, int, (ACM_COMMAND* command)) \
    X(QueryAndReadWMMCapability, int, (WMM_SETTING* setting)) \
    X(QueryAntennaNumber, int, (int* count)) \
    X(QueryAPIPAddress, int, (AP_ADDRESS_RECORD* record)) \
    X(QueryBACap, int, (BA_CAP_SETTING* setting)) \
    X(QueryBATable, int, (BA_TABLE* table)) \
    X(QueryCountryRegion, int, (VXWL_U32* region_word, VXWL_U32* band5_flag, VXWL_U32* band24_flag)) \
    X(QueryCurrAddress, int, (std::uint8_t* mac)) \
    X(QueryDLSParameter, int, (DLS_ENTRY* entries)) \
    X(QueryEEPROMVersion, int, (VXWL_U32* version)) \
    X(QueryFWVersion, int, (VXWL_U32* version)) \
    X(QueryHTPhyMode, int, (VXWL_U32* mode)) \
    X(QueryHWReg, int, (VXWL_U32 address, VXWL_U32* value)) \
    X(QueryInitState, int, (VXWL_U32* state)) \
    X(QueryMacAddrs, int, (std::uint8_t* mac)) \
    X(QueryNetworkTypeSupport, int, (VXWL_U32* types)) \
    X(QueryOPMode, int, (void)) \
    X(QueryPrivateMsg, int, (VXWL_U32* value)) \
    X(QuerySTAConfig, int, (KT_802_11_STA_CONFIG* config)) \
    X(QueryWirelessMode, int, (int* mode)) \
    X(QueryWLANStatus, int, (WLAN_STATUS* status, WLAN_STATUS_REQUEST request)) \
    X(QueryWPSAPChannel, int, (int* channel)) \
    X(QueryWPSHwPbc, int, (VXWL_U32* pressed)) \
    X(QueryWPSProfile, int, (WPS_PROFILE* profile)) \
    X(QueryWPSStatus, int, (VXWL_U32* status)) \
    X(Read8021XCert, int, (KT_BLOB_KEY* cert, const char* name)) \
    X(ReadAckPolicy, int, (VXWL_U32* be, VXWL_U32* bk, VXWL_U32* vi, VXWL_U32* vo)) \
    X(ReadActiveProfileName, int, (char* name)) \
    X(ReadAdvanceCfgData, int, (ADVANCE_CONFIG_DATA* config)) \
    X(ReadBACap, int, (VXWL_U32* packed)) \
    X(ReadCCX2Cont, int, (VXWL_U32* word)) \
    X(ReadConfigData, int, (ADVANCE_CONFIG_DATA* config)) \
    X(ReadDriverDesc, int, (char* text)) \
    X(ReadDriverName, int, (char* text)) \
    X(ReadDriverPath, int, (char* text)) \
    X(ReadNetCfgInstanceID, int, (char* text)) \
    X(ReadNetConfig, int, (AdapterEntry* adapter, NET_CONFIG_RECORD* config)) \
    X(ReadOpMode, int, (void)) \
    X(ReadPACList, int, (PAC_ENTRY* entries, VXWL_U32* count, const char* name)) \
    X(ReadProfileData, int, (WLANPROFILE* profile, const char* name)) \
    X(ReadProfileList, int, (WLANPROFILE* profiles, VXWL_U32* count)) \
    X(ReadPSMode, int, (VXWL_U32* mode)) \
    X(ReadRadioStatus, int, (void)) \
    X(ReadSSOCurrProfileName, int, (char* name)) \
    X(ReadSSOInfo, int, (void* record)) \
    X(ReadSSOStatus, int, (SSO_STATUS* status)) \
    X(ReadWMMMacAddr, int, (char* text)) \
    X(ReadWPSFlag, int, (VXWL_U32* flag)) \
    X(ReadWPSProfile, int, (WPS_MODE* mode, WPS_PROFILE* profile)) \
    X(Release, int, (void)) \
    X(RenewIPAddr, int, (void)) \
    X(ResetCounter, int, (void)) \
    X(ResetSSOFeature, int, (void)) \
    X(ResetToDefaultConnecctionSetting, int, (void)) \
    X(RestoreApSetting, int, (void)) \
    X(RssiToPercent, int, (int dbm)) \
    X(RunOnceInitConfigTool, int, (int* choice)) \
    X(RunOnceInitConfigTxBurst, int, (void)) \
    X(SetAckPolicy, int, (VXWL_U32 be, VXWL_U32 bk, VXWL_U32 vi, VXWL_U32 vo)) \
    X(SetACMCmd, int, (ACM_COMMAND command)) \
    X(SetAdvanceSetting, int, (ADVANCE_OID setting)) \
    X(SetAndWriteAPSDSetting, int, (WMM_SETTING setting)) \
    X(SetAndWriteOPMode, int, (int mode)) \
    X(SetAndWriteRadioState, int, (int on)) \
    X(SetAuthMode, int, (int mode)) \
    X(SetBACap, int, (BA_CAP_SETTING setting)) \
    X(SetBSSID, int, (const std::uint8_t* bssid)) \
    X(SetCCXDiagAction, int, (int action)) \
    X(SetCCXInfo, int, (int enable, VXWL_U32 word)) \
    X(SetCoexMode, int, (const char* mode)) \
    X(SetCountryRegion, int, (int region24, int region5)) \
    X(SetDesiredRate, int, (const std::uint8_t* rates)) \
    X(SetDLSParameter, int, (DLS_ENTRY entry)) \
    X(SetHTPhyMode, int, (VXWL_U32 mode)) \
    X(SetWEPKey, int, (WLANPROFILE* profile)) \
    X(SetPhyMode, int, (int mode)) \
    X(SetPreferWPSAPPhyType, int, (int band)) \
    X(SetVxUIConfigMethod, int, (int method)) \
    X(SetReloadDefault, int, (void)) \
    X(SetSSID, int, (NDIS_802_11_SSID ssid)) \
    X(SetSTAConfig, int, (KT_802_11_STA_CONFIG* config)) \
    X(SetTXRate, int, (int rate)) \
    X(SetupX509ASCertificate, int, (const char* path, WAPI_LOADED_CERT* loaded)) \
    X(SetupX509UserCertificate, int, (const char* path, WAPI_LOADED_CERT* loaded, char* key)) \
    X(SetWAPIMode, int, (int mode)) \
    X(SetWLANProfile, int, (WLANPROFILE* profile)) \
    X(SetWPSAssociateIE, int, (int enable)) \
    X(SetWPSAutoSelect, int, (int enable)) \
    X(SetWPSMode, int, (WPS_MODE mode)) \
    X(SetWPSProbeReqIE, int, (int enable)) \
    X(SetWPSProfile, int, (WPS_PROFILE profile)) \
    X(SiteSurveyQuery, int, (void* list, VXWL_U32* size)) \
    X(SiteSurveyScan, int, (ScanFinishedFunc finished)) \
    X(StartDiagTest, int, (void)) \
    X(StartEapHostPeerInvokeConfigUI, int, (const char* name, VXWL_U32* length, std::uint8_t* blob)) \
    X(StopAuth, int, (void)) \
    X(StopDiagTest, int, (void)) \
    X(StrToIPData, int, (const char* text, std::uint8_t* ip)) \
    X(UpdateWMMEnable, int, (WMM_SETTING setting)) \
    X(VerifyCountryRegion, int, (void)) \
    X(WlanBuildIHVMessage, int, (WPARAM wparam, char* text)) \
    X(WlanConnect, int, (const char* profile, int network_type, NDIS_802_11_SSID ssid, int connect_mode, int auth, int encryption)) \
    X(WlanConvertDot112NdisAuthType, int, (int value, int* result)) \
    X(WlanConvertDot112NdisEncryptType, int, (int value, int* result)) \
    X(WlanConvertDot112NdisNetworkType, int, (int value, int* result)) \
    X(WlanConvertNdis2Dot11AuthType, int, (int value, int* result)) \
    X(WlanConvertNdis2Dot11EncryptType, int, (int value, int* result)) \
    X(WlanConvertNdis2Dot11NetworkType, int, (int value, int* result)) \
    X(WlanDeleteAllWindowsProfiles, int, (void)) \
    X(WlanDeleteWindowsProfile, int, (const char* name)) \
    X(WlanDisconnect, int, (void)) \
    X(WlanIsAdhocSupportWPA2AES, int, (void)) \
    X(WlanIsCCXDiagnosticProfile, int, (const char* name)) \
    X(WlanIsWindowsProfileExist, int, (const char* name)) \
    X(WlanQueryRadioState, int, (VXWL_U32* hardware, VXWL_U32* software)) \
    X(WlanSendClientAbort, int, (void)) \
    X(WlanSendS64Start, int, (const char16_t* name)) \
    X(WPSDisconnect, int, (void)) \
    X(WriteAckPolicy, int, (VXWL_U32 be, VXWL_U32 bk, VXWL_U32 vi, VXWL_U32 vo)) \
    X(WriteAdvanceCfgData, int, (ADVANCE_CONFIG_DATA config)) \
    X(WriteBACap, int, (VXWL_U32 packed)) \
    X(WriteDomainName, int, (const char* domain)) \
    X(WriteIDnPasswd, int, (const char* identity, const char* password)) \
    X(WriteNetConfig, int, (AdapterEntry* adapter, NET_CONFIG_RECORD* config)) \
    X(WritePACList, int, (PAC_LIST* list, const char* name)) \
    X(WriteProfile, int, (const char* old_name, WLANPROFILE* profile)) \
    X(WriteProfileID, int, (const char* id_text)) \
    X(WriteRegValue, int, (const char* name, VXWL_U32 type, const void* data, VXWL_U32 size)) \
    X(WriteSSOEnablePersConn, int, (int flag)) \
    X(WriteSSOProfile, int, (const char* name)) \
    X(WriteSSOReleaseSUP, int, (void)) \
    X(WriteSSOSavePassword, int, (int source)) \
    X(WriteSSOSetting, int, (SSO_STATUS record)) \
    X(WriteWMMMacAddr, int, (const char* text)) \
    X(WriteWPSFlag, int, (VXWL_U32 flag)) \
    X(WriteWPSProfile, int, (WPS_MODE mode, WPS_PROFILE profile)) \
    X(ReadExtAPConfig, int, (EXTAP_CONFIG_DATA* config)) \
    X(WriteExtAPConfig, int, (EXTAP_CONFIG_DATA config)) \
    X(HostedNetworkSetup, int, (EXTAP_CONFIG_DATA config)) \
    X(HostedNetworkStopUsing, int, (void)) \
    X(HostedNetworkQuerySettings, int, (EXTAP_CONFIG_DATA* config)) \
    X(HostedNetworkQueryStatus, int, (HOSTED_NETWORK_STATUS* status)) \
    X(HostedNetworkStartICS, int, (void)) \
    X(HostedNetworkStopICS, int, (void)) \
    X(WlanDeleteAllVexlorWindowsProfiles, int, (void)) \
    X(QueryCCXInfo, int, (VXWL_U32* word)) \
    X(QueryHWAndSWRadioState, int, (VXWL_U32* hardware, VXWL_U32* software)) \
    X(ReadWMMTimeout, int, (VXWL_U32* timeout)) \
    X(WriteWMMTimeout, int, (std::uint16_t timeout)) \
    X(IsSupportTDLS, int, (void)) \
    X(WriteSSOProfileAndFunc, int, (const char* name, int function)) \
    X(GetWAPICertInfo, int, (const char* path, CERT_INFO* info, int mode)) \
    X(IsSupportVistaSoftAP, int, (void))

// Function pointer types: PFN_VXWL_<slot>.
#define VXWL_DECLARE_TYPE(name, result, params) using PFN_VXWL_##name = result(*) params;
VXWL_EXPORTS(VXWL_DECLARE_TYPE)
#undef VXWL_DECLARE_TYPE

namespace wlan::api {

// Export names in slot order.
inline constexpr const char* kExportNames[] = {
#define VXWL_NAME(name, result, params) "VXWL_" #name,
    VXWL_EXPORTS(VXWL_NAME)
#undef VXWL_NAME
};
inline constexpr std::size_t kExportCount = sizeof(kExportNames) / sizeof(kExportNames[0]);
static_assert(kExportCount == 215, "the library binds exactly 215 slots");

}
