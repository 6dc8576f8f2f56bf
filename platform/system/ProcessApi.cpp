#include "platform/system/Process.h"

#include "platform/system/CommandLine.h"
#include "platform/system/ModuleTable.h"
#include "platform/system/Paths.h"
#include "platform/system/ProcessObject.h"
#include "platform/system/ProcessTable.h"
#include "platform/system/Spawner.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <unistd.h>

using namespace platform;
using namespace platform::system;

namespace {

constexpr DWORD version_major = 5;
constexpr DWORD version_minor = 1;
constexpr DWORD version_build = 2600;

HMODULE const main_module = self_module();

// A tool-help snapshot: the entries as they were when it was taken.
class SnapshotObject final : public KernelObject {
public:
    char const* type_name() const override { return "snapshot"; }
    bool is_signalled() const override { return false; }

    std::vector<PROCESSENTRY32> processes;
    std::vector<MODULEENTRY32> modules;
    size_t next { 0 };
};

void copy_text(std::string const& text, char* buffer, size_t size)
{
    size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

std::shared_ptr<SnapshotObject> take_process_snapshot()
{
    auto snapshot = std::make_shared<SnapshotObject>();
    for (auto pid : process_ids()) {
        auto path = process_executable(pid);
        if (!path)
            continue;
        auto const status = process_status(pid);
        PROCESSENTRY32 entry {};
        entry.dwSize = sizeof entry;
        entry.th32ProcessID = pid;
        entry.cntThreads = status.threads;
        entry.th32ParentProcessID = status.parent;
        copy_text(original_module_name(base_name_of(*path)), entry.szExeFile, sizeof entry.szExeFile);
        snapshot->processes.push_back(entry);
    }
    return snapshot;
}

std::shared_ptr<SnapshotObject> take_module_snapshot(std::uint32_t pid)
{
    auto snapshot = std::make_shared<SnapshotObject>();
    auto path = process_executable(pid);
    if (!path)
        return nullptr;
    MODULEENTRY32 entry {};
    entry.dwSize = sizeof entry;
    entry.th32ModuleID = 1;
    entry.th32ProcessID = pid;
    entry.hModule = main_module;
    copy_text(original_module_name(base_name_of(*path)), entry.szModule, sizeof entry.szModule);
    copy_text(*path, entry.szExePath, sizeof entry.szExePath);
    snapshot->modules.push_back(entry);
    return snapshot;
}

template<typename Entry>
BOOL snapshot_step(HANDLE handle, Entry* entry, bool first, std::vector<Entry> SnapshotObject::*list)
{
    auto snapshot = find_handle_as<SnapshotObject>(handle);
    if (!snapshot || !entry || entry->dwSize < sizeof(Entry)) {
        SetLastError(snapshot ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(wait_mutex());
    if (first)
        snapshot->next = 0;
    auto const& entries = (*snapshot).*list;
    if (snapshot->next >= entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *entry = entries[snapshot->next++];
    return TRUE;
}

// The main module of a process as GetModuleBaseName (`base_name`) or GetModuleFileNameEx gives it.
DWORD copy_module_text(HANDLE handle, LPSTR text, DWORD size, bool base_name)
{
    auto process = find_handle_as<ProcessObject>(handle);
    auto path = process && text && size != 0 ? process->executable() : std::nullopt;
    if (!path) {
        SetLastError(process ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return 0;
    }
    copy_text(base_name ? original_module_name(base_name_of(*path)) : *path, text, size);
    return static_cast<DWORD>(std::strlen(text));
}

BOOL start(std::vector<std::string> arguments, LPCSTR folder, PROCESS_INFORMATION* information)
{
    SpawnRequest request { std::move(arguments), folder ? folder : "", -1 };
    // Nobody will wait for a program WinExec started.
    std::uint32_t pid = information ? spawn_process(request) : spawn_detached(request);
    if (pid == 0) {
        SetLastError(errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    auto process = std::make_shared<ProcessObject>(pid, true);
    if (information) {
        information->hProcess = add_handle(process);
        information->hThread = add_handle(process);
        information->dwProcessId = pid;
        information->dwThreadId = pid;
    }
    return TRUE;
}

}

extern "C" {

UINT WinExec(LPCSTR command_line, UINT)
{
    auto arguments = split_command_line(command_line ? command_line : "");
    if (arguments.empty())
        return ERROR_FILE_NOT_FOUND;
    if (!start(std::move(arguments), nullptr, nullptr))
        return GetLastError() == ERROR_FILE_NOT_FOUND ? ERROR_FILE_NOT_FOUND : 0;
    return 33;
}

BOOL CreateProcess(LPCSTR application, LPSTR command_line, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD,
    LPVOID, LPCSTR folder, STARTUPINFO*, PROCESS_INFORMATION* information)
{
    auto arguments = split_command_line(command_line ? command_line : "");
    if (application) {
        if (arguments.empty())
            arguments.push_back(application);
        else
            arguments[0] = application;
    }
    if (arguments.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return start(std::move(arguments), folder, information);
}

BOOL GetExitCodeProcess(HANDLE handle, LPDWORD exit_code)
{
    auto process = find_handle_as<system::ProcessObject>(handle);
    if (!process || !exit_code) {
        SetLastError(process ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *exit_code = process->exit_code();
    return TRUE;
}

BOOL TerminateProcess(HANDLE handle, UINT exit_code)
{
    auto process = find_handle_as<system::ProcessObject>(handle);
    if (!process) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!process->terminate(exit_code)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

HANDLE OpenProcess(DWORD, BOOL, DWORD process_id)
{
    // The handle keeps the executable, so a search that opens every process of the machine
    // and names each reads it once.
    auto sighting = look_at_process(process_id);
    if (sighting.presence == ProcessPresence::Named)
        return add_handle(std::make_shared<system::ProcessObject>(process_id, false, std::move(sighting.executable)));
    SetLastError(sighting.presence == ProcessPresence::Hidden ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
    return nullptr;
}

LPCSTR GetCommandLine()
{
    static std::string const line = [] {
        std::string text, arguments;
        read_whole_file("/proc/self/cmdline", arguments);
        std::string_view rest(arguments);
        while (!rest.empty()) {
            std::string_view argument = rest.substr(0, rest.find('\0'));
            rest.remove_prefix(std::min(rest.size(), argument.size() + 1));
            if (!text.empty())
                text += ' ';
            text += quote_argument(argument);
        }
        return text;
    }();
    return line.c_str();
}

BOOL EnumProcesses(DWORD* ids, DWORD bytes, DWORD* bytes_needed)
{
    if (!ids || !bytes_needed) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto all = process_ids();
    size_t count = std::min<size_t>(all.size(), bytes / sizeof(DWORD));
    std::copy_n(all.begin(), count, ids);
    *bytes_needed = static_cast<DWORD>(count * sizeof(DWORD));
    return TRUE;
}

BOOL EnumProcessModules(HANDLE handle, HMODULE* modules, DWORD bytes, DWORD* bytes_needed)
{
    if (!find_handle_as<system::ProcessObject>(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (bytes_needed)
        *bytes_needed = sizeof(HMODULE);
    if (modules && bytes >= sizeof(HMODULE))
        modules[0] = main_module;
    return TRUE;
}

DWORD GetModuleBaseName(HANDLE handle, HMODULE, LPSTR name, DWORD size)
{
    return copy_module_text(handle, name, size, true);
}

DWORD GetModuleFileNameEx(HANDLE handle, HMODULE, LPSTR name, DWORD size)
{
    return copy_module_text(handle, name, size, false);
}

HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD process_id)
{
    std::shared_ptr<SnapshotObject> snapshot;
    if (flags & TH32CS_SNAPPROCESS)
        snapshot = take_process_snapshot();
    else if (flags & TH32CS_SNAPMODULE)
        snapshot = take_module_snapshot(process_id ? process_id : static_cast<std::uint32_t>(::getpid()));
    if (!snapshot) {
        SetLastError(flags & (TH32CS_SNAPPROCESS | TH32CS_SNAPMODULE) ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return add_handle(std::move(snapshot));
}

BOOL Process32First(HANDLE snapshot, PROCESSENTRY32* entry)
{
    return snapshot_step(snapshot, entry, true, &SnapshotObject::processes);
}

BOOL Process32Next(HANDLE snapshot, PROCESSENTRY32* entry)
{
    return snapshot_step(snapshot, entry, false, &SnapshotObject::processes);
}

BOOL Module32First(HANDLE snapshot, MODULEENTRY32* entry)
{
    return snapshot_step(snapshot, entry, true, &SnapshotObject::modules);
}

BOOL Module32Next(HANDLE snapshot, MODULEENTRY32* entry)
{
    return snapshot_step(snapshot, entry, false, &SnapshotObject::modules);
}

DWORD GetVersion()
{
    return (version_build << 16) | (version_minor << 8) | version_major;
}

BOOL GetVersionEx(OSVERSIONINFO* info)
{
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFO)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    *info = OSVERSIONINFO { sizeof(OSVERSIONINFO), version_major, version_minor, version_build, VER_PLATFORM_WIN32_NT, {} };
    return TRUE;
}

BOOL ProcessIdToSessionId(DWORD process_id, DWORD* session_id)
{
    auto const presence = session_id ? look_at_process(process_id).presence : ProcessPresence::Gone;
    if (presence == ProcessPresence::Gone) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Processes the user can see belong to the user's session; the others cannot be asked.
    if (presence == ProcessPresence::Hidden) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    *session_id = own_session_id();
    return TRUE;
}

BOOL IsWow64Process(HANDLE, BOOL* is_wow64)
{
    if (is_wow64)
        *is_wow64 = FALSE;
    return TRUE;
}

BOOL Wow64EnableWow64FsRedirection(BOOL)
{
    return FALSE;
}

}
