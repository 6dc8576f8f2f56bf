#include "station/core/VxWlLib.h"

#include "platform/system/Kernel.h"
#include "platform/system/Module.h"
#include "platform/user/User.h"
#include "station/core/Trace.h"

#include <cstring>

VXWLLIB G_VxWlLib;

namespace station::core {

void report_missing_export(const char* name)
{
    TraceMsg(TRACE_FAIL, "[Kivra] %s is missing from the WLAN library: call failed\n", name);
}

}

VXWLLIB::VXWLLIB()
{
    std::size_t i = 0;
#define VXWL_NAME_SLOT(name, result, params) VXWL_##name.set_name(wlan::api::kExportNames[i++]);
    VXWL_EXPORTS(VXWL_NAME_SLOT)
#undef VXWL_NAME_SLOT
}

VXWLLIB::~VXWLLIB()
{
    // The program releases the library itself; this only returns the buffer of a binding
    // that was never released (tests, an early exit).
    if (hBssidList) {
        GlobalUnlock(hBssidList);
        GlobalFree(hBssidList);
    }
}

BOOL VXWLLIB::LoadAPI(const char* path)
{
    if (!path)
        return FALSE;
    HMODULE module = LoadLibrary(path);
    if (!module)
        return FALSE;
    hModule = module;
    bind_exports();
    ReadIniSettings();
    if (!hBssidList) {
        hBssidList = GlobalAlloc(GHND, BSSID_LIST_BUFFER_SIZE);
        pBssidList = static_cast<BYTE*>(GlobalLock(hBssidList));
    }
    adapter.FriendlyName[0] = '\0';
    adapter.DeviceDescription[0] = '\0';
    adapter.ServiceName[0] = '\0';
    adapter.DeviceName[0] = '\0';
    write_station_defaults();
    return TRUE;
}

void VXWLLIB::bind_exports()
{
#define VXWL_BIND_SLOT(slot, result, params) \
    VXWL_##slot.bind(reinterpret_cast<PFN_VXWL_##slot>(GetProcAddress(hModule, VXWL_##slot.name())));
    VXWL_EXPORTS(VXWL_BIND_SLOT)
#undef VXWL_BIND_SLOT
}

void VXWLLIB::unbind_exports()
{
#define VXWL_UNBIND_SLOT(name, result, params) VXWL_##name.bind(nullptr);
    VXWL_EXPORTS(VXWL_UNBIND_SLOT)
#undef VXWL_UNBIND_SLOT
}

void VXWLLIB::write_station_defaults()
{
    settings = STATION_SETTINGS {};
    settings.nValue1 = 1;
    settings.nValue2 = 2;
    settings.lRtsThreshold = 2347;
    settings.lFragThreshold = 2346;
    settings.nValue4 = 1;
    settings.nValue7 = 1;
    settings.nValue9 = 6;
}

void VXWLLIB::Release()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> VXWLLIB::Release\n");
    if (hModule) {
        if (FreeLibrary(hModule))
            TraceMsg(TRACE_STEP, "[Kivra] FreeLibrary() success!\n");
        else
            TraceMsg(TRACE_FAIL, "[Kivra] FreeLibrary() fail! GetLastError() return %d\n", int(GetLastError()));
        // Forget the unloaded module: a late call then fails through its empty slot instead
        // of jumping into unmapped code, and a second Release frees nothing twice.
        hModule = nullptr;
        unbind_exports();
    }
    if (hBssidList) {
        GlobalUnlock(hBssidList);
        GlobalFree(hBssidList);
        hBssidList = nullptr;
        pBssidList = nullptr;
    }
    TraceMsg(TRACE_STEP, "[Kivra] <-- VXWLLIB::Release\n");
}
