// The window core's hot paths: a same-thread send, posting from several threads while one
// thread dispatches, and the timer table with many armed timers.
#include "platform/user/Testing.h"
#include "platform/user/User.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

std::atomic<long> g_received { 0 };

LRESULT counting_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_APP || message == WM_TIMER) {
        g_received.fetch_add(1, std::memory_order_relaxed);
        return 1;
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
}

HWND make_window()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc {};
        wc.lpfnWndProc = counting_proc;
        wc.lpszClassName = "BenchWindow";
        RegisterClass(&wc);
        registered = true;
    }
    return CreateWindowEx(0, "BenchWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

void SameThreadSend(benchmark::State& state)
{
    HWND hwnd = make_window();
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessage(hwnd, WM_APP, 1, 2));
    DestroyWindow(hwnd);
}
BENCHMARK(SameThreadSend);

// Four threads post; this thread dispatches. Reports dispatched messages per second.
void PostAndDispatchFromFourThreads(benchmark::State& state)
{
    HWND hwnd = make_window();
    constexpr int per_thread = 50'000;
    for (auto _ : state) {
        g_received = 0;
        std::vector<std::thread> posters;
        for (int t = 0; t < 4; ++t) {
            posters.emplace_back([hwnd] {
                for (int i = 0; i < per_thread; ++i)
                    PostMessage(hwnd, WM_APP, 0, i);
            });
        }
        MSG msg;
        while (g_received < 4 * per_thread) {
            if (GetMessage(&msg, nullptr, 0, 0))
                DispatchMessage(&msg);
        }
        for (auto& p : posters)
            p.join();
    }
    state.SetItemsProcessed(state.iterations() * 4 * per_thread);
    DestroyWindow(hwnd);
}
BENCHMARK(PostAndDispatchFromFourThreads)->Unit(benchmark::kMillisecond)->UseRealTime();

// 1000 armed timers all due at once: one tick of each through the loop.
void ThousandTimersPerTick(benchmark::State& state)
{
    auto& clock = platform::testing::use_manual_clock();
    HWND hwnd = make_window();
    for (UINT_PTR id = 1; id <= 1000; ++id)
        SetTimer(hwnd, id, 100, nullptr);
    for (auto _ : state) {
        clock.advance(100);
        benchmark::DoNotOptimize(platform::testing::pump_until_idle());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    DestroyWindow(hwnd);
    platform::set_clock(nullptr);
}
BENCHMARK(ThousandTimersPerTick)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
