// One common tick of the hidden dialog's polling (its card-check timer) on the default world,
// with the configuration window up: status, presence, the library's hold on the adapter, the
// tray icon and the WMM button.
#include "bench/ProgramBench.h"

#include <sstream>

namespace {

CHideDlg* g_dialog = nullptr;

void BM_HiddenDialogCommonTick(benchmark::State& state)
{
    for (auto _ : state) {
        g_dialog->SendMessage(WM_TIMER, TIMER_HIDE_DLG_CHECK_CARD);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HiddenDialogCommonTick)->Unit(benchmark::kMicrosecond);

std::string default_world()
{
    std::ifstream in(station::bench::bin_folder() / "scenarios" / "default.ini", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}

int main(int argc, char** argv)
{
    return station::bench::run_program_benchmarks(argc, argv, default_world(), [](CVxUI2008Dlg&) { g_dialog = g_pHideDlg; });
}
