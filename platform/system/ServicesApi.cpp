#include "platform/system/Services.h"

#include "platform/system/RegistryStore.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <cstring>
#include <mutex>
#include <unordered_map>

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

class ServiceHandles {
public:
    static ServiceHandles& the()
    {
        static ServiceHandles handles;
        return handles;
    }
    SC_HANDLE add(std::string name)
    {
        std::lock_guard lock(m_mutex);
        ULONG_PTR value = m_next;
        m_next += 4;
        m_names.emplace(value, std::move(name));
        return reinterpret_cast<SC_HANDLE>(value);
    }
    // The service name, "" for the manager, nullopt for an unknown handle.
    std::optional<std::string> name(SC_HANDLE handle)
    {
        std::lock_guard lock(m_mutex);
        auto it = m_names.find(reinterpret_cast<ULONG_PTR>(handle));
        return it == m_names.end() ? std::nullopt : std::optional(it->second);
    }
    bool remove(SC_HANDLE handle)
    {
        std::lock_guard lock(m_mutex);
        return m_names.erase(reinterpret_cast<ULONG_PTR>(handle)) != 0;
    }

private:
    std::mutex m_mutex;
    std::unordered_map<ULONG_PTR, std::string> m_names;
    ULONG_PTR m_next { 0x5C0000 };
};

std::optional<std::string> service_of(SC_HANDLE handle)
{
    auto name = ServiceHandles::the().name(handle);
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
    return ServiceHandles::the().add("");
}

SC_HANDLE OpenService(SC_HANDLE manager, LPCSTR name, DWORD)
{
    auto manager_name = ServiceHandles::the().name(manager);
    if (!manager_name || !manager_name->empty()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto service = name ? installed(name) : std::nullopt;
    if (!service) {
        SetLastError(ERROR_SERVICE_DOES_NOT_EXIST);
        return nullptr;
    }
    return ServiceHandles::the().add(*service);
}

BOOL CloseServiceHandle(SC_HANDLE handle)
{
    if (!ServiceHandles::the().remove(handle)) {
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
