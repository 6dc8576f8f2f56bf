// The one binding of the outside WLAN library (`G_VxWlLib`): its module, the selected adapter,
// the scan list cache, the options of the program's option file and one slot per exported
// function, bound by name at load. Every page calls the library and reads the options through
// this object. Loaded and released on the user-interface thread; `nDebugMode` may be re-read
// while other threads trace, so it is atomic.
#pragma once

#include "platform/user/Types.h"
#include "station/core/VxSlot.h"
#include "wlan/api/Exports.h"

#include <array>
#include <atomic>
#include <cstdint>

// Fixed defaults the loader writes; nothing in the program reads them back.
struct STATION_SETTINGS {
    int nReserved0;
    BYTE area[32];
    int nValue1;
    int nValue2;
    int lRtsThreshold;
    int lFragThreshold;
    int nValue3;
    int nValue4;
    int nValue5;
    struct {
        int nValue;
        char text[64];
    } pairs[4];
    int nValue6;
    int nValue7;
    int nValue8;
    int nValue9;
    char text5[64];
    int nLast;
};

constexpr int MAX_PAGE_BUTTONS = 13;
constexpr int BSSID_STAMP_COUNT = 1024;

class VXWLLIB {
public:
    VXWLLIB();
    ~VXWLLIB();
    VXWLLIB(VXWLLIB const&) = delete;
    VXWLLIB& operator=(VXWLLIB const&) = delete;

    // Loads the library at `path` ("<folder>VxWLAPI.dll"), binds its exports, reads the
    // options and sets up the scan cache. FALSE, with nothing changed, when it cannot load.
    BOOL LoadAPI(const char* path);
    void ReadIniSettings();
    // Unloads the library and frees the scan-list buffer; afterwards the module handle is null
    // and every slot is empty.
    void Release();

    // Merges a fresh scan list (a 0x8000-byte buffer) into the cache; see ScanList.h.
    void UpdateBssidList(void* list);

    HMODULE hModule { nullptr };
    AdapterEntry adapter {};
    STATION_SETTINGS settings {};
    // The scan list cache: a 0x8000-byte list and the time each entry was last seen.
    HGLOBAL hBssidList { nullptr };
    BYTE* pBssidList { nullptr };
    FILETIME bssidStamps[BSSID_STAMP_COUNT] {};

    // [SECTION] Options of the option file
    int nShowSwitchAPWhenAPClient { 0 };
    int bEapFastEnhancement { 0 };
    int bOpenFile { 0 };
    int bTxRate { 0 };
    int bBgProtection { 0 };
    int bHTSetting { 0 };
    int bSupportPhyModeinWps { 0 };
    int bActiveProfileIcon { 0 };
    int nRetryConnectTimer { 60 };
    int bSelect11nDialog { 0 };
    int bRenewIPStatus { 0 };
    int bTDLSControl { 0 };
    int bDLSStatusList { 0 };
    int bACKPolicyCoexMode11nPage { 0 };
    int nDelayAfterSetDCProf { 0 };
    int nDelayAfterIHVContDC { 0 };
    int nDelayAfterSetCurProf { 0 };
    int bSupportWAPI { 0 };
    int bShowPassword { 0 };
    int bWPA2PSKForAdhocXP { 0 };
    int bShowCountryRegion { 0 };
    char szSoftAPUIName[128] {};
    char szShortCutFolderName[128] {};
    char szShortCutIconName[128] {};
    int bProhibitWEPonHT { 0 };
    int bProhibitTKIPonHT { 0 };
    std::atomic<int> nDebugMode { 0 };
    int nWPSRotatePeriod { 0 };
    int bRTSSuccessCount { 0 };
    int bRTSFailureCount { 0 };
    int bSSO_PEAP { 0 };
    int bSSO_TLS_SmartCard { 0 };
    int bSSO_TTLS { 0 };
    int bSSO_EAP_FAST { 0 };
    int bSSO_LEAP { 0 };
    int bSSO_MD5 { 0 };
    int bSSO_Open_None { 0 };
    int bSSO_Open_WEP { 0 };
    int bSSO_Shared_WEP { 0 };
    int bSSO_WPA_PSK { 0 };
    int bSSO_WPA2_PSK { 0 };
    int nButtonCount { 0 };
    int aryButtonSequence[MAX_PAGE_BUTTONS] {};
    int bCCXForWin7 { 0 };
    int bWPSAssociateIE { 0 };
    int bWPSProbeIE { 0 };
    int bWAPICert { 0 };
    int bWAPICertManage { 0 };

    // [SECTION] The library's functions, in slot order: G_VxWlLib.VXWL_GetWinOS() ...
#define VXWL_DECLARE_SLOT(name, result, params) station::core::VxSlot<PFN_VXWL_##name> VXWL_##name;
    VXWL_EXPORTS(VXWL_DECLARE_SLOT)
#undef VXWL_DECLARE_SLOT

private:
    void bind_exports();
    void unbind_exports();
    void read_page_buttons();
    void write_station_defaults();
};

extern VXWLLIB G_VxWlLib;

// The period of the scan timers for a wireless mode: 150 ms per channel the adapter may use.
int SetTimerForScanByChnList(int mode);
