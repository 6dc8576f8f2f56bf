// The one binding of the outside access point library (`G_VxApApi`): its module, the selected
// adapter, the switches of the program's option file and one slot per exported function, bound
// by name. Every page calls the library and reads the switches through this object. Written
// only by the user-interface thread: at start and when the adapter is detected again.
#pragma once

#include "platform/user/Types.h"
#include "station/core/VxSlot.h"
#include "wlan/api/ApExports.h"

#include <string>

namespace hotvane {

// A call through a slot whose export was missing fails and says so in the trace.
struct MissingApExport {
    static void report(const char* name);
};

template<typename Fn>
using ApSlot = station::core::VxSlot<Fn, MissingApExport>;

class VXAPAPI {
public:
    VXAPAPI();
    VXAPAPI(VXAPAPI const&) = delete;
    VXAPAPI& operator=(VXAPAPI const&) = delete;

    // Reads the switches, loads the library at `path` and binds its functions; a missing one
    // leaves its slot empty. False when the path is null or the library cannot be loaded. The
    // library is never freed while the program runs.
    bool Load(const char* path);
    // The defaults, then the keys in the order of the option file's table.
    void LoadINISettings();

    HMODULE hModule { nullptr };
    AdapterEntry adapter {};

    // [SECTION] Switches of the option file
    int ShowCountryRegion { 0 };
    int ShowPassword { 0 };
    int TxRate { 0 };
    int BgProtection { 0 };
    int HTSetting { 0 };
    int Page11nSetting { 0 };
    int WaitforDriverInitialized { 5 };
    int RTSSuccessCount { 0 };
    int RTSFailureCount { 0 };
    int DebugMode { 0 };
    int ProhibitTKIPonHT { 1 };
    int ProhibitWEPonHT { 1 };
    int Select11nDialog { 0 };
    std::string UTILITY_FILE_NAME;
    std::string SHORTCUT_FOLDER_NAME;
    std::string SHORTCUT_UI_NAME;
    int SwitchAPClient { 0 };

    // [SECTION] The library's functions, in slot order: G_VxApApi.VXAP_GetWinOS() ...
#define VXAP_DECLARE_SLOT(name, result, params) ApSlot<PFN_VXAP_##name> VXAP_##name;
    VXAP_EXPORTS(VXAP_DECLARE_SLOT)
#undef VXAP_DECLARE_SLOT

private:
    void set_defaults();
    void bind_exports();
};

extern VXAPAPI G_VxApApi;

constexpr char kDefaultUtilityFileName[] = "VxUI";
constexpr char kDefaultShortcutFolderName[] = "Vexlor Wireless";
constexpr char kDefaultShortcutUiName[] = "Vexlor Wireless Utility";

}
