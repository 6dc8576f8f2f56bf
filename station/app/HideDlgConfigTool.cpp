// CHideDlg: who configures the adapter, this utility or the operating system's
// zero-configuration service ("WZCSVC"), and the service controls behind the switch. Service
// and registry failures are traced and the switch goes on.
#include "station/app/HideDlg.h"

#include "platform/system/Registry.h"
#include "platform/system/Services.h"
#include "station/app/StatusCallback.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"

#include <array>
#include <cstring>

namespace {

constexpr char kZeroConfigService[] = "WZCSVC";
constexpr char kWlanService[] = "Wlansvc";
constexpr char kInterfacesKey[] = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";
constexpr char kControlFlags[] = "ControlFlags";
// The service configures the adapter.
constexpr DWORD kServiceConfigures = 0x8000;
constexpr VXWL_U32 kOidInfrastructureMode = 0x0D810108;
constexpr VXWL_U32 kOidPhyMode = 0x0DF1013B;

// A service handle closed with its manager.
class ServiceHandle {
public:
    ServiceHandle(DWORD manager_access, char const* name, DWORD service_access)
        : m_manager(OpenSCManager(nullptr, nullptr, manager_access))
        , m_service(m_manager ? OpenService(m_manager, name, service_access) : nullptr)
    {
    }
    ~ServiceHandle()
    {
        if (m_service)
            CloseServiceHandle(m_service);
        if (m_manager)
            CloseServiceHandle(m_manager);
    }
    ServiceHandle(ServiceHandle const&) = delete;
    ServiceHandle& operator=(ServiceHandle const&) = delete;

    SC_HANDLE get() const { return m_service; }
    DWORD state() const
    {
        SERVICE_STATUS status {};
        return m_service && QueryServiceStatus(m_service, &status) ? status.dwCurrentState : 0;
    }
    bool active() const { return state() == SERVICE_RUNNING || state() == SERVICE_START_PENDING; }
    void set_start_type(DWORD start_type) const
    {
        BOOL const changed = m_service && ChangeServiceConfig(m_service, SERVICE_NO_CHANGE, start_type, SERVICE_NO_CHANGE,
                                               nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        TraceMsg(TRACE_STEP, changed ? "[Kivra] ChangeServiceConfig SUCCESS\n" : "[Kivra] ChangeServiceConfig FAILED\n");
    }

private:
    SC_HANDLE m_manager;
    SC_HANDLE m_service;
};

// The 12-byte PHY record of the packed transmit word W: W bits 0-3 as 32 bits, then the bytes
// W 14-15, W 16, W 17-18, W 4-10, 1, W 13, W 12 and 0.
std::array<std::uint8_t, 12> phy_record(std::uint32_t w)
{
    auto bits = [w](int first, int count) { return std::uint8_t((w >> first) & ((1u << count) - 1)); };
    std::array<std::uint8_t, 12> record {};
    std::uint32_t const phy = w & 0xF;
    std::memcpy(record.data(), &phy, sizeof phy);
    std::uint8_t const tail[8] = { bits(14, 2), bits(16, 1), bits(17, 2), bits(4, 7), 1, bits(13, 1), bits(12, 1), 0 };
    std::memcpy(record.data() + 4, tail, sizeof tail);
    return record;
}

// The infrastructure mode and the PHY of the stored settings, so the service finds the adapter
// as a plain station.
void prepare_adapter_for_service()
{
    char const type[] = "1";
    int const written = G_VxWlLib.VXWL_WriteRegValue("NetworkType", REG_SZ, type, sizeof type);
    TraceMsg(TRACE_STEP, "[Kivra] Write %s registry value as %s, return %d\n", "NetworkType", type, written);
    VXWL_U32 const infrastructure = 1;
    int const set = G_VxWlLib.VXWL_OIDSetInfo(kOidInfrastructureMode, &infrastructure, sizeof infrastructure);
    TraceMsg(TRACE_STEP, "[Kivra] Set KT_OID_802_11_INFRASTRUCTURE_MODE as %d, return %d\n", int(infrastructure), set);
    ADVANCE_CONFIG_DATA config {};
    if (G_VxWlLib.VXWL_ReadConfigData(&config) != 1)
        return;
    TraceMsg(TRACE_STEP, "[Kivra] VXWL_ReadConfigData() return TRUE\n");
    auto const record = phy_record(config.TransmitSetting);
    int const phy = G_VxWlLib.VXWL_OIDSetInfo(kOidPhyMode, record.data(), VXWL_U32(record.size()));
    TraceMsg(TRACE_STEP, "[Kivra] Set KT_OID_802_11_INFRASTRUCTURE_MODE, return %d\n", phy);
}

}

void CHideDlg::StopXpZeroConfig(BOOL bSetDemand)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::StopXpZeroConfig\n");
    ServiceHandle const service(SC_MANAGER_ALL_ACCESS, kZeroConfigService, SERVICE_ALL_ACCESS);
    if (service.get()) {
        SERVICE_STATUS status {};
        if (service.state() != SERVICE_STOPPED)
            ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
        if (bSetDemand)
            service.set_start_type(SERVICE_DEMAND_START);
    }
    TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::StopXpZeroConfig\n");
}

// Marks the adapter as the service's (bit 0x8000 of its "ControlFlags"), stopping the service
// while the value changes, then starts it and makes it start with the system.
void CHideDlg::StartXpZeroConfig()
{
    char instance[256] {};
    G_VxWlLib.VXWL_ReadNetCfgInstanceID(instance);
    instance[sizeof instance - 1] = '\0';
    ServiceHandle const service(SC_MANAGER_ALL_ACCESS, kZeroConfigService, SERVICE_ALL_ACCESS);
    std::string const key_name = std::string(kInterfacesKey) + instance;
    REGSAM access = KEY_ALL_ACCESS;
    if (G_VxWlLib.VXWL_GetWinOS() >= 8 && G_VxWlLib.VXWL_IsWow64())
        access |= KEY_WOW64_64KEY;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, key_name.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        TraceMsg(TRACE_FAIL, "[Kivra] RegOpenKeyEx '%s' failed\n", key_name.c_str());
        key = nullptr;
    }
    DWORD flags = 0, type = 0, size = sizeof flags;
    if (key && RegQueryValueEx(key, kControlFlags, nullptr, &type, reinterpret_cast<BYTE*>(&flags), &size) != ERROR_SUCCESS) {
        TraceMsg(TRACE_FAIL, "[Kivra] RegQueryValueEx '%s' failed\n", kControlFlags);
        flags = kServiceConfigures; // nothing known to write back
    }
    if (key && !(flags & kServiceConfigures)) {
        if (service.active())
            StopXpZeroConfig(FALSE);
        flags |= kServiceConfigures;
        if (RegSetValueEx(key, kControlFlags, 0, type, reinterpret_cast<BYTE const*>(&flags), sizeof flags) != ERROR_SUCCESS)
            TraceMsg(TRACE_FAIL, "[Kivra] RegSetValueEx REGSTR_CONTROL_FLAGS failed\n");
    }
    if (key)
        RegCloseKey(key);
    if (service.get() && !service.active())
        StartService(service.get(), 0, nullptr);
    if (service.get())
        service.set_start_type(SERVICE_AUTO_START);
}

BOOL CHideDlg::IsWlanServiceRunning()
{
    ServiceHandle const service(SC_MANAGER_ENUMERATE_SERVICE, kWlanService, SERVICE_QUERY_STATUS);
    return service.state() == SERVICE_RUNNING;
}

void CHideDlg::OnTraySwitchZeroConfig()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::OnTraySwitchZeroConfig\n");
    G_VxWlLib.VXWL_StopAuth();
    if (G_VxWlLib.VXWL_GetWinOS() < 10)
        prepare_adapter_for_service();
    if (G_VxWlLib.VXWL_IsWpaCapable()) {
        TraceMsg(TRACE_STEP, "[Kivra] call VXWL_Release()\n");
        G_VxWlLib.VXWL_Release();
    }
    StartXpZeroConfig();
    TraceMsg(TRACE_STEP, "[Kivra] call Sleep(100) after start ZeroConfig\n");
    Sleep(100);
    refresh_window_for_config_tool();
}

void CHideDlg::OnTraySwitchVxconfig()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::OnTraySwitchVxconfig\n");
    StopXpZeroConfig(TRUE);
    if (!G_VxWlLib.VXWL_IsWpaCapable()) {
        TraceMsg(TRACE_STEP, "[Kivra] call VXWL_AdapterSelect()\n");
        if (G_VxWlLib.VXWL_AdapterSelect(&G_VxWlLib.adapter, station::core::rsCallBackFunc, m_hWnd) != VXWL_ERROR_SUCCESS)
            TraceMsg(TRACE_FAIL, "[Kivra] VXWL_AdapterSelect() return not VXWL_ERROR_SUCCESS\n");
    }
    InitCard(FALSE);
    refresh_window_for_config_tool();
    if (G_VxWlLib.VXWL_GetWinOS() < 10 && G_VxWlLib.VXWL_IsZeroConfig() != VXWL_ZERO_CONFIG_SYSTEM) {
        TraceMsg(TRACE_STEP, "[Kivra] call InitCard_SetOidFromReg(), bSetAdvance = TRUE, bConnect = TRUE\n");
        InitCard_SetOidFromReg(TRUE, TRUE);
    }
}

// The stored choice of configuration tool, applied once (the library remembers that it was).
void CHideDlg::CheckConfigToolForXP()
{
    if (G_VxWlLib.VXWL_GetWinOS() < 7)
        return;
    int choice = 1;
    if (G_VxWlLib.VXWL_RunOnceInitConfigTool(&choice) == VXWL_ERROR_SUCCESS)
        return;
    TraceMsg(TRACE_STEP, "[Kivra] VXWL_RunOnceInitConfigTool() return not VXWL_ERROR_SUCCESS\n");
    bool const zero_config = G_VxWlLib.VXWL_IsZeroConfig() == VXWL_ZERO_CONFIG_SYSTEM;
    if (choice == 0) {
        if (!zero_config) {
            TraceMsg(TRACE_STEP, "[Kivra] ConfigToolSelect is 0, call OnTraySwitchZeroConfig()\n");
            OnTraySwitchZeroConfig();
        }
    } else if (zero_config) {
        TraceMsg(TRACE_STEP, choice == 1 ? "[Kivra] ConfigToolSelect is 1, call OnTraySwitchVxconfig()\n"
                                         : "[Kivra] ConfigToolSelect is neither 0 nor 1, call OnTraySwitchVxconfig()\n");
        OnTraySwitchVxconfig();
    }
}

// The window's buttons follow the new owner of the adapter, and the page shown is shown afresh.
void CHideDlg::refresh_window_for_config_tool()
{
    if (!config_window_alive())
        return;
    m_pVxUI->ShoworHideSTAButton();
    m_pVxUI->EnableRadioButton(G_VxWlLib.VXWL_IsZeroConfig() != VXWL_ZERO_CONFIG_SYSTEM && !m_bHWRadioOff);
    m_pVxUI->ClickShownPage();
}
