// The station utility's configuration window: a full repaint of the expanded window (frame,
// button row, the shown page, the expand strip and the lower area), as after the window was
// uncovered, on a world of one adapter.
#include "bench/ProgramBench.h"
#include "station/core/tests/Worlds.h"

namespace {

CVxUI2008Dlg* g_window = nullptr;

void BM_ConfigWindowFullRepaintExpanded(benchmark::State& state)
{
    HWND const window = g_window->m_hWnd;
    UINT const flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
    for (auto _ : state) {
        ::RedrawWindow(window, nullptr, nullptr, flags);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ConfigWindowFullRepaintExpanded)->Unit(benchmark::kMicrosecond);

}

int main(int argc, char** argv)
{
    return station::bench::run_program_benchmarks(argc, argv, station::testing::kOneAdapterWorld, [](CVxUI2008Dlg& window) {
        g_window = &window;
        window.ShowSubDialog(CVxUI2008Dlg::SUB_LINK_STATUS);
        if (!window.expanded())
            window.ToggleExpand();
    });
}
