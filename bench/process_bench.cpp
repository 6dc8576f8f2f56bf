// The system services a program asks at start-up and on each idle tick: finding a process by
// name over the whole machine (the station utility's own search), the per-user folders, and the
// active console session.
#include "platform/system/Kernel.h"
#include "platform/system/Paths.h"
#include "platform/system/Process.h"
#include "platform/system/Session.h"
#include "platform/user/User.h"
#include "station/core/Helpers.h"

#include <benchmark/benchmark.h>

namespace {

// A name no process has, so each search opens every process of the machine.
constexpr char const* missing_name = "NoSuchProgramAnywhere.exe";

// The station utility's own search, as its hidden dialog makes it at start.
void ProcessSearchByName(benchmark::State& state)
{
    DWORD bytes = 0, ids[1024];
    EnumProcesses(ids, sizeof ids, &bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(FindProcessIdByName(missing_name));
    state.counters["processes"] = bytes / sizeof(DWORD);
}
BENCHMARK(ProcessSearchByName)->Unit(benchmark::kMicrosecond);

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
