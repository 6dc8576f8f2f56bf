// The service control stand-in: the services the programs manage ("WZCSVC", the older
// zero-configuration service, and "Wlansvc") with a state and a start type, kept in the
// registry stand-in under HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\<name> (values
// "Start" and "State"), so every process and every later run sees the same services. Nothing
// runs behind them: starting one marks it running.
#pragma once

#include "platform/user/Types.h"

#include <optional>
#include <string>

struct SC_HANDLETag;
using SC_HANDLE = SC_HANDLETag*;

struct SERVICE_STATUS {
    DWORD dwServiceType;
    DWORD dwCurrentState;
    DWORD dwControlsAccepted;
    DWORD dwWin32ExitCode;
    DWORD dwServiceSpecificExitCode;
    DWORD dwCheckPoint;
    DWORD dwWaitHint;
};
using LPSERVICE_STATUS = SERVICE_STATUS*;

constexpr DWORD SC_MANAGER_CONNECT = 0x0001;
constexpr DWORD SC_MANAGER_ENUMERATE_SERVICE = 0x0004;
constexpr DWORD SC_MANAGER_ALL_ACCESS = 0xF003F;
constexpr DWORD SERVICE_QUERY_STATUS = 0x0004;
constexpr DWORD SERVICE_START = 0x0010;
constexpr DWORD SERVICE_STOP = 0x0020;
constexpr DWORD SERVICE_ALL_ACCESS = 0xF01FF;

constexpr DWORD SERVICE_WIN32_SHARE_PROCESS = 0x20;
constexpr DWORD SERVICE_NO_CHANGE = 0xFFFFFFFF;
constexpr DWORD SERVICE_AUTO_START = 2;
constexpr DWORD SERVICE_DEMAND_START = 3;
constexpr DWORD SERVICE_DISABLED = 4;

constexpr DWORD SERVICE_STOPPED = 1;
constexpr DWORD SERVICE_START_PENDING = 2;
constexpr DWORD SERVICE_STOP_PENDING = 3;
constexpr DWORD SERVICE_RUNNING = 4;

constexpr DWORD SERVICE_CONTROL_STOP = 1;
constexpr DWORD SERVICE_CONTROL_INTERROGATE = 4;
constexpr DWORD SERVICE_ACCEPT_STOP = 1;

constexpr DWORD ERROR_SERVICE_ALREADY_RUNNING = 1056;
constexpr DWORD ERROR_SERVICE_DISABLED = 1058;
constexpr DWORD ERROR_SERVICE_DOES_NOT_EXIST = 1060;
constexpr DWORD ERROR_SERVICE_CANNOT_ACCEPT_CTRL = 1061;
constexpr DWORD ERROR_SERVICE_NOT_ACTIVE = 1062;

extern "C" {

SC_HANDLE OpenSCManager(LPCSTR machine, LPCSTR database, DWORD access);
SC_HANDLE OpenService(SC_HANDLE manager, LPCSTR name, DWORD access);
BOOL CloseServiceHandle(SC_HANDLE handle);
BOOL QueryServiceStatus(SC_HANDLE service, LPSERVICE_STATUS status);
// SERVICE_CONTROL_STOP stops a running service; stopping a stopped one fails with
// ERROR_SERVICE_NOT_ACTIVE. SERVICE_CONTROL_INTERROGATE only answers the status.
BOOL ControlService(SC_HANDLE service, DWORD control, LPSERVICE_STATUS status);
// Fails with ERROR_SERVICE_ALREADY_RUNNING or ERROR_SERVICE_DISABLED.
BOOL StartService(SC_HANDLE service, DWORD argument_count, LPCSTR* arguments);
// Only the start type is kept; SERVICE_NO_CHANGE leaves it.
BOOL ChangeServiceConfig(SC_HANDLE service, DWORD service_type, DWORD start_type, DWORD error_control,
    LPCSTR binary_path, LPCSTR load_order_group, LPDWORD tag_id, LPCSTR dependencies, LPCSTR start_name,
    LPCSTR password, LPCSTR display_name);

}

namespace platform::system {

// For tests and tools: a service's state and start type, nullopt for an unknown service.
std::optional<DWORD> service_state(std::string const& name);
std::optional<DWORD> service_start_type(std::string const& name);
bool set_service_state(std::string const& name, DWORD state);

}
