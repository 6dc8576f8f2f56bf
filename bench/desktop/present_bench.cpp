// A fully damaged 800 x 600 window handed to the X11 presenter until the server has it: the
// damage report (the backing copies the surface), the blit on the presenter's thread, and the
// round trip that says the server is done. Runs on $DISPLAY; desktop/run.sh runs it on a
// server with MIT-SHM and on one without, where the pixels travel through the connection.
#include "platform/display/x11/X11Display.h"
#include "platform/display/x11/X11Presenter.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace platform::display;

void BM_X11PresentFullDamage800x600(benchmark::State& state)
{
    std::string error;
    auto made = make_x11_presenter("", error);
    if (!made) {
        state.SkipWithError(error.c_str());
        return;
    }
    platform::testing::use_manual_clock();
    platform::testing::reset_windows();
    auto* presenter = static_cast<x11::X11Display*>(made.get());
    install_presenter(std::move(made));
    WNDCLASS wc {};
    wc.lpszClassName = "PresentBench";
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    RegisterClass(&wc);
    HWND window = CreateWindowEx(0, "PresentBench", "bench", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
        nullptr, nullptr);
    platform::testing::pump_until_idle();
    presenter->sync_with_server();
    for (auto _ : state) {
        report_damage(window, RECT { 0, 0, 800, 600 });
        presenter->sync_with_server();
    }
    state.SetLabel(presenter->shares_memory() ? "MIT-SHM" : "XPutImage");
    DestroyWindow(window);
    install_presenter(nullptr);
}
BENCHMARK(BM_X11PresentFullDamage800x600)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
