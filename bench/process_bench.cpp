// The system services a program asks at start-up and on each idle tick: finding a process by
// name over the whole machine (both the process-status and the tool-help ways, as the station
// utility's hidden dialog does), the per-user folders, and the active console session.
#include "platform/system/Kernel.h"
#include "platform/system/Paths.h"
#include "platform/system/Process.h"
#include "platform/system/Session.h"
#include "platform/user/User.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <strings.h>

namespace {

// A name no process has, so each search opens every process of the machine.
constexpr char const* missing_name = "NoSuchProgramAnywhere.exe";

DWORD find_by_process_status(char const* name)
{
    DWORD ids[1024], bytes = 0;
    if (!EnumProcesses(ids, sizeof ids, &bytes))
        return 0;
    for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
        if (!process)
            continue;
        HMODULE module = nullptr;
        DWORD needed = 0;
        char text[260] = {};
        bool const found = EnumProcessModules(process, &module, sizeof module, &needed)
            && GetModuleBaseName(process, module, text, sizeof text) && ::strcasecmp(text, name) == 0;
        CloseHandle(process);
        if (found)
            return ids[i];
    }
    return 0;
}

DWORD find_by_snapshot(char const* name)
{
    HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry {};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32First(processes, &entry); more && !found; more = Process32Next(processes, &entry)) {
        if (::strcasecmp(entry.szExeFile, name) == 0)
            found = entry.th32ProcessID;
    }
    CloseHandle(processes);
    return found;
}

void ProcessSearchByStatus(benchmark::State& state)
{
    DWORD bytes = 0, ids[1024];
    EnumProcesses(ids, sizeof ids, &bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(find_by_process_status(missing_name));
    state.counters["processes"] = bytes / sizeof(DWORD);
}
BENCHMARK(ProcessSearchByStatus)->Unit(benchmark::kMicrosecond);

void ProcessSearchBySnapshot(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(find_by_snapshot(missing_name));
}
BENCHMARK(ProcessSearchBySnapshot)->Unit(benchmark::kMicrosecond);

void RuntimeAndDataFolders(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::system::runtime_dir());
        benchmark::DoNotOptimize(platform::system::data_dir());
    }
}
BENCHMARK(RuntimeAndDataFolders);

void ActiveConsoleSession(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(WTSGetActiveConsoleSessionId());
}
BENCHMARK(ActiveConsoleSession);

}

BENCHMARK_MAIN();
