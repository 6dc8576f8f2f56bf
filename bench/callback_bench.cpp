// The status callback, event by event, as the library's thread calls it: announced lines go to
// a progress window that is up. Event 20 waits for the user and is left out.
#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "station/app/StatusCallback.h"
#include "station/app/WorkerThreads.h"
#include "station/core/AuthStatusRing.h"

#include <benchmark/benchmark.h>

namespace {

HWND progress_window()
{
    static HWND window = [] {
        platform::testing::use_manual_clock();
        WNDCLASS wc {};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "BenchProgress";
        RegisterClass(&wc);
        return CreateWindowEx(0, "BenchProgress", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }();
    return window;
}

void drain(HWND window)
{
    MSG msg;
    while (PeekMessage(&msg, window, 0, 0, PM_REMOVE)) { }
}

void CallbackEvent(benchmark::State& state)
{
    HWND const window = progress_window();
    station::core::AuthStatusRing::the().set_window(window);
    unsigned const event = unsigned(state.range(0));
    char out[RS_CALLBACK_OUT_SIZE] {};
    std::uint32_t flag = 1;
    char text[256] = "Aironet message";
    void* data = event == RS_CCX_DIAG_PROFILE ? static_cast<void*>(&flag) : static_cast<void*>(text);
    long calls = 0;
    for (auto _ : state) {
        station::core::rsCallBackFunc(event, data, out);
        if (++calls % 150 == 0) {
            state.PauseTiming();
            drain(window);
            state.ResumeTiming();
        }
    }
    drain(window);
    // Threads the workers have needed so far: one a run of event 14 when none is reused.
    state.counters["workers"] = double(station::app::WorkerThreads::the().worker_count());
}

}

BENCHMARK(CallbackEvent)->ArgName("event")->DenseRange(2, 7)->Arg(14)->Arg(15)->Arg(16)->Arg(17)->Arg(21)->Arg(22)
    ->Arg(25)->Arg(26)->Arg(29)->Arg(30)->Arg(31)->Arg(32);

BENCHMARK_MAIN();
