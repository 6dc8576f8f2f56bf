#include "wlan/sim/ZeroConfig.h"

#include "platform/system/Registry.h"
#include "platform/system/Services.h"
#include "platform/user/Messages.h"
#include "wlan/sim/Store.h"

namespace wlan::sim {

namespace {

constexpr char kService[] = "WZCSVC";
constexpr char kControlFlags[] = "ControlFlags";
constexpr DWORD kServiceConfigures = 0x8000;
constexpr char kSeededKey[] = "zero_config.seeded";

}

std::string zero_config_interface_key(std::string const& instance_id)
{
    return "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\" + instance_id;
}

std::string adapter_instance_id(AdapterSpec const& adapter)
{
    return "{" + adapter.id + "}";
}

void seed_zero_config(Store& store, WorldSpec const& world)
{
    // A world whose zero_config changed since the seed is seeded again.
    std::string const seeded_from = std::to_string(world.zero_config);
    if (store.read_text(kSeededKey) == seeded_from)
        return;
    bool const service_owns = world.zero_config == 2;
    DWORD const flags = service_owns ? kServiceConfigures : 0;
    for (auto const& adapter : world.adapters) {
        HKEY key = nullptr;
        std::string const name = zero_config_interface_key(adapter_instance_id(adapter));
        if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                nullptr) != ERROR_SUCCESS)
            continue;
        RegSetValueEx(key, kControlFlags, 0, REG_DWORD, reinterpret_cast<BYTE const*>(&flags), sizeof flags);
        RegCloseKey(key);
    }
    if (SC_HANDLE const manager = OpenSCManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)) {
        if (SC_HANDLE const service = OpenService(manager, kService, SERVICE_ALL_ACCESS)) {
            ChangeServiceConfig(service, SERVICE_NO_CHANGE, service_owns ? SERVICE_AUTO_START : SERVICE_DEMAND_START,
                SERVICE_NO_CHANGE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
            CloseServiceHandle(service);
        }
        CloseServiceHandle(manager);
    }
    platform::system::set_service_state(kService, service_owns ? SERVICE_RUNNING : SERVICE_STOPPED);
    store.write_text(kSeededKey, seeded_from);
}

int zero_config_answer(WorldSpec const& world, std::string const& instance_id)
{
    if (world.win_os >= 10)
        return world.zero_config;
    if (platform::system::service_state(kService) != SERVICE_RUNNING)
        return 0;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, zero_config_interface_key(instance_id).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD flags = 0, size = sizeof flags, type = 0;
    LONG const read = RegQueryValueEx(key, kControlFlags, nullptr, &type, reinterpret_cast<BYTE*>(&flags), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && size == sizeof flags && (flags & kServiceConfigures) ? 2 : 0;
}

}
