#include "platform/system/SystemExports.h"

#include "platform/system/Process.h"
#include "platform/system/Session.h"

#include <array>

namespace platform::system {

namespace {

struct Export {
    std::string_view library;
    std::string_view name;
    void* function;
};

template<typename F>
void* address(F* function)
{
    return reinterpret_cast<void*>(function);
}

// Wow64EnableWow64FsRedirection is left out: without it the programs skip the switch, which
// is all it could do here.
std::array<Export, 15> const exports { {
    { "kernel32.dll", "CreateToolhelp32Snapshot", address(&CreateToolhelp32Snapshot) },
    { "kernel32.dll", "Process32First", address(&Process32First) },
    { "kernel32.dll", "Process32Next", address(&Process32Next) },
    { "kernel32.dll", "Module32First", address(&Module32First) },
    { "kernel32.dll", "Module32Next", address(&Module32Next) },
    { "kernel32.dll", "WTSGetActiveConsoleSessionId", address(&WTSGetActiveConsoleSessionId) },
    { "kernel32.dll", "IsWow64Process", address(&IsWow64Process) },
    { "kernel32.dll", "GetVersion", address(&GetVersion) },
    { "kernel32.dll", "ProcessIdToSessionId", address(&ProcessIdToSessionId) },
    { "psapi.dll", "EnumProcesses", address(&EnumProcesses) },
    { "psapi.dll", "EnumProcessModules", address(&EnumProcessModules) },
    { "psapi.dll", "GetModuleBaseName", address(&GetModuleBaseName) },
    { "psapi.dll", "GetModuleFileNameEx", address(&GetModuleFileNameEx) },
    { "wtsapi32.dll", "WTSRegisterSessionNotification", address(&WTSRegisterSessionNotification) },
    { "wtsapi32.dll", "WTSUnRegisterSessionNotification", address(&WTSUnRegisterSessionNotification) },
} };

void* find(std::string_view library, std::string_view name)
{
    for (auto const& entry : exports) {
        if (entry.library == library && entry.name == name)
            return entry.function;
    }
    return nullptr;
}

}

bool is_system_library(std::string_view library)
{
    return library == "kernel32.dll" || library == "psapi.dll" || library == "wtsapi32.dll";
}

void* system_export(std::string_view library, std::string_view name)
{
    if (void* function = find(library, name))
        return function;
    if (name.ends_with('A'))
        return find(library, name.substr(0, name.size() - 1));
    return nullptr;
}

}
