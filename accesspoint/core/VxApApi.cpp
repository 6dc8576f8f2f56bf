#include "accesspoint/core/VxApApi.h"

#include "accesspoint/core/Helpers.h"
#include "accesspoint/core/Trace.h"
#include "platform/system/Module.h"

#include <cstdlib>
#include <cstring>

namespace hotvane {

VXAPAPI G_VxApApi;

void MissingApExport::report(const char* name)
{
    TraceMsg("[Hotvane] %s is missing from the access point library: call failed\n", name);
}

VXAPAPI::VXAPAPI()
{
    std::size_t i = 0;
#define VXAP_NAME_SLOT(name, result, params) VXAP_##name.set_name(wlan::api::kApExportNames[i++]);
    VXAP_EXPORTS(VXAP_NAME_SLOT)
#undef VXAP_NAME_SLOT
    set_defaults();
}

bool VXAPAPI::Load(const char* path)
{
    LoadINISettings();
    if (!path)
        return false;
    HMODULE module = LoadLibrary(path);
    if (!module)
        return false;
    hModule = module;
    bind_exports();
    return true;
}

void VXAPAPI::bind_exports()
{
#define VXAP_BIND_SLOT(name, result, params) \
    VXAP_##name.bind(reinterpret_cast<PFN_VXAP_##name>(GetProcAddress(hModule, "VXAP_" #name)));
    VXAP_EXPORTS(VXAP_BIND_SLOT)
#undef VXAP_BIND_SLOT
}

void VXAPAPI::set_defaults()
{
    ShowCountryRegion = ShowPassword = TxRate = BgProtection = HTSetting = Page11nSetting = 0;
    WaitforDriverInitialized = 5;
    RTSSuccessCount = RTSFailureCount = DebugMode = Select11nDialog = SwitchAPClient = 0;
    ProhibitTKIPonHT = ProhibitWEPonHT = 1;
    UTILITY_FILE_NAME = kDefaultUtilityFileName;
    SHORTCUT_FOLDER_NAME = kDefaultShortcutFolderName;
    SHORTCUT_UI_NAME = kDefaultShortcutUiName;
}

namespace {

// One key into a zeroed 64-byte value buffer, as every read of the table does.
struct IniValue {
    char text[64] {};
    IniValue(const char* section, const char* key, const char* default_value)
    {
        GetINIStr(section, key, default_value, text, sizeof text);
    }
    bool is(const char* value) const { return std::strcmp(text, value) == 0; }
};

int one_when_set(const char* section, const char* key) { return IniValue(section, key, "0").is("1") ? 1 : 0; }

std::string text_or(const char* key, const char* default_value)
{
    IniValue const value("VxSwap", key, default_value);
    return value.text[0] ? value.text : default_value;
}

}

void VXAPAPI::LoadINISettings()
{
    set_defaults();
    ShowCountryRegion = one_when_set("CountryRegion", "ShowCountryRegion");
    ShowPassword = one_when_set("AuthEncry", "ShowPassword");
    Page11nSetting = one_when_set("Page", "11n Setting");
    Select11nDialog = one_when_set("Advance", "Select11nDialog");
    if (Select11nDialog) {
        TxRate = 1;
        HTSetting = 1;
    } else {
        TxRate = one_when_set("Advance", "TxRate");
        HTSetting = one_when_set("Advance", "HT Setting");
    }
    BgProtection = one_when_set("Advance", "BgProtection");
    IniValue const wait("Advance", "WaitforDriverInitialized", "5");
    WaitforDriverInitialized = wait.is("5") ? 5 : std::atoi(wait.text);
    RTSSuccessCount = one_when_set("Statistics", "RTSSuccessCount");
    RTSFailureCount = one_when_set("Statistics", "RTSFailureCount");
    DebugMode = one_when_set("Settings", "DebugMode");
    if (IniValue("Settings", "ProhibitTKIPonHT", "0").is("1"))
        ProhibitTKIPonHT = 0;
    if (IniValue("Settings", "ProhibitWEPonHT", "0").is("1"))
        ProhibitWEPonHT = 0;
    UTILITY_FILE_NAME = text_or("UTILITY_FILE_NAME", kDefaultUtilityFileName);
    SHORTCUT_FOLDER_NAME = text_or("SHORTCUT_FOLDER_NAME", kDefaultShortcutFolderName);
    SHORTCUT_UI_NAME = text_or("SHORTCUT_UI_NAME", kDefaultShortcutUiName);
    SwitchAPClient = one_when_set("SystemTray", "SwitchAPClient");
}

}
