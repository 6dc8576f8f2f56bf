// Presenting benchmarks: a fully damaged 800 x 600 window handed to the headless presenter
// (the damage report, then the pixels read from the drawing module's surface as a presenter
// reads them), and the pixel read alone.
#include "platform/display/Presenter.h"
#include "platform/display/SurfaceSource.h"
#include "platform/display/headless/HeadlessPresenter.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using namespace platform::display;

constexpr int width = 800;
constexpr int height = 600;

struct Scene {
    Scene()
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        auto made = std::make_unique<HeadlessPresenter>(SIZE { 1024, 768 });
        presenter = made.get();
        install_presenter(std::move(made));
        WNDCLASS wc {};
        wc.lpszClassName = "DisplayBench";
        wc.lpfnWndProc = DefWindowProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        RegisterClass(&wc);
        window = CreateWindowEx(0, "DisplayBench", "bench", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
            nullptr, nullptr, nullptr);
        platform::testing::pump_until_idle();
        presenter->take_damage(window);
        pixels.resize(static_cast<std::size_t>(width) * height);
    }
    ~Scene()
    {
        DestroyWindow(window);
        install_presenter(nullptr);
    }

    HeadlessPresenter* presenter {};
    HWND window {};
    std::vector<std::uint32_t> pixels;
};

void BM_HeadlessPresentFullDamage800x600(benchmark::State& state)
{
    Scene scene;
    RECT whole { 0, 0, width, height };
    auto source = surface_source();
    for (auto _ : state) {
        report_damage(scene.window, whole);
        RECT damage = scene.presenter->take_damage(scene.window);
        source->copy(scene.window, damage, scene.pixels.data(), width);
        benchmark::DoNotOptimize(scene.pixels.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * width * height * 4);
}
BENCHMARK(BM_HeadlessPresentFullDamage800x600)->Unit(benchmark::kMicrosecond);

void BM_SurfaceRead800x600(benchmark::State& state)
{
    Scene scene;
    auto source = surface_source();
    for (auto _ : state) {
        source->copy(scene.window, RECT { 0, 0, width, height }, scene.pixels.data(), width);
        benchmark::DoNotOptimize(scene.pixels.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * width * height * 4);
}
BENCHMARK(BM_SurfaceRead800x600)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
