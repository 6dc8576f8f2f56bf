#include "platform/system/Services.h"

#include "platform/system/NamedHandles.h"
#include "platform/system/RegistryStore.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <cstring>

using namespace platform::system;

namespace {

constexpr char const* services_key = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";

struct KnownService {
    char const* name;
    DWORD start_type;
    DWORD state;
};
// What a fresh store holds: both services installed, started automatically and running.
constexpr KnownService known_services[] = {
    { "WZCSVC", SERVICE_AUTO_START, SERVICE_RUNNING },
    { "Wlansvc", SERVICE_AUTO_START, SERVICE_RUNNING },
};

std::optional<DWORD> read_dword(std::string const& name, char const* value_name)
{
    auto value = RegistryStore::the().value(services_key + name, value_name);
    if (!value || value->data.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD result;
    std::memcpy(&result, value->data.data(), sizeof result);
    return result;
}

bool write_dword(std::string const& name, char const* value_name, DWORD value)
{
    auto const* bytes = reinterpret_cast<std::uint8_t const*>(&value);
    return RegistryStore::the().set_value(services_key + name, value_name,
        RegistryValue { 4, std::vector<std::uint8_t>(bytes, bytes + sizeof value) });
}

// The service's stored name, installing a known service the first time it is asked for.
std::optional<std::string> installed(std::string const& name)
{
    if (RegistryStore::the().key_exists(services_key + name) && read_dword(name, "State"))
        return name;
    for (auto const& known : known_services) {
        if (lower_case(known.name) != lower_case(name))
            continue;
        RegistryStore::the().create_key(services_key + name);
        write_dword(name, "Start", known.start_type);
        write_dword(name, "State", known.state);
        return name;
    }
    return std::nullopt;
}

// Service handles: the service name, "" for the manager.
platform::system::NamedHandles<SC_HANDLE>& service_handles()
{
    static platform::system::NamedHandles<SC_HANDLE> handles { 0x5C0000, 4 };
    return handles;
}

std::optional<std::string> service_of(SC_HANDLE handle)
{
    auto name = service_handles().name(handle);
    if (!name || name->empty()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return std::nullopt;
    }
    return name;
}

void fill_status(std::string const& name, LPSERVICE_STATUS status)
{
    if (!status)
        return;
    DWORD state = read_dword(name, "State").value_or(SERVICE_STOPPED);
    *status = SERVICE_STATUS { SERVICE_WIN32_SHARE_PROCESS, state,
        state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0u, 0, 0, 0, 0 };
}

}

extern "C" {

SC_HANDLE OpenSCManager(LPCSTR machine, LPCSTR, DWORD)
{
    if (machine && *machine) {
        SetLastError(ERROR_ACCESS_DENIED); // no remote machines here
        return nullptr;
    }
    return service_handles().add("");
}

SC_HANDLE OpenService(SC_HANDLE manager, LPCSTR name, DWORD)
{
    auto manager_name = service_handles().name(manager);
    if (!manager_name || !manager_name->empty()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto service = name ? installed(name) : std::nullopt;
    if (!service) {
        SetLastError(ERROR_SERVICE_DOES_NOT_EXIST);
        return nullptr;
    }
    return service_handles().add(*service);
}

BOOL CloseServiceHandle(SC_HANDLE handle)
{
    if (!service_handles().remove(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL QueryServiceStatus(SC_HANDLE service, LPSERVICE_STATUS status)
{
    auto name = service_of(service);
    if (!name)
        return FALSE;
    if (!status) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    fill_status(*name, status);
    return TRUE;
}

BOOL ControlService(SC_HANDLE service, DWORD control, LPSERVICE_STATUS status)
{
    auto name = service_of(service);
    if (!name)
        return FALSE;
    if (control == SERVICE_CONTROL_STOP) {
        if (read_dword(*name, "State").value_or(SERVICE_STOPPED) == SERVICE_STOPPED) {
            fill_status(*name, status);
            SetLastError(ERROR_SERVICE_NOT_ACTIVE);
            return FALSE;
        }
        write_dword(*name, "State", SERVICE_STOPPED);
    } else if (control != SERVICE_CONTROL_INTERROGATE) {
        SetLastError(ERROR_SERVICE_CANNOT_ACCEPT_CTRL);
        return FALSE;
    }
    fill_status(*name, status);
    return TRUE;
}

BOOL StartService(SC_HANDLE service, DWORD, LPCSTR*)
{
    auto name = service_of(service);
    if (!name)
        return FALSE;
    if (read_dword(*name, "Start").value_or(SERVICE_DEMAND_START) == SERVICE_DISABLED) {
        SetLastError(ERROR_SERVICE_DISABLED);
        return FALSE;
    }
    if (read_dword(*name, "State").value_or(SERVICE_STOPPED) != SERVICE_STOPPED) {
        SetLastError(ERROR_SERVICE_ALREADY_RUNNING);
        return FALSE;
    }
    write_dword(*name, "State", SERVICE_RUNNING);
    return TRUE;
}

BOOL ChangeServiceConfig(SC_HANDLE service, DWORD, DWORD start_type, DWORD, LPCSTR, LPCSTR, LPDWORD, LPCSTR, LPCSTR,
    LPCSTR, LPCSTR)
{
    auto name = service_of(service);
    if (!name)
        return FALSE;
    if (start_type == SERVICE_NO_CHANGE)
        return TRUE;
    if (start_type < SERVICE_AUTO_START || start_type > SERVICE_DISABLED) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return write_dword(*name, "Start", start_type) ? TRUE : FALSE;
}

}

namespace platform::system {

std::optional<DWORD> service_state(std::string const& name)
{
    auto service = installed(name);
    return service ? read_dword(*service, "State") : std::nullopt;
}

std::optional<DWORD> service_start_type(std::string const& name)
{
    auto service = installed(name);
    return service ? read_dword(*service, "Start") : std::nullopt;
}

bool set_service_state(std::string const& name, DWORD state)
{
    auto service = installed(name);
    return service && write_dword(*service, "State", state);
}

}
