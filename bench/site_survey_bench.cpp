// The site survey page on a crowded world (the one-adapter world and 250 open access points,
// so the scan list fills the page's 0x8000-byte buffer): rebuilding the whole list from the
// cache (copy, sort by signal, parse every entry through the library, build the rows, give the
// list its count), and a full repaint of the page with its list.
#include "bench/ProgramBench.h"
#include "station/core/VxWlLib.h"
#include "station/core/tests/Worlds.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <cstring>

namespace {

CPageSiteSurveyDlg* g_page = nullptr;

void BM_SiteSurveyRebuildFullList(benchmark::State& state)
{
    for (auto _ : state) {
        g_page->RescanTimeFunc();
        benchmark::ClobberMemory();
    }
    std::uint32_t entries = 0;
    std::memcpy(&entries, g_page->BssidList(), sizeof entries);
    state.counters["entries"] = double(entries);
    state.counters["rows"] = double(g_page->RowCount());
}
BENCHMARK(BM_SiteSurveyRebuildFullList)->Unit(benchmark::kMicrosecond);

void BM_SiteSurveyFullRepaint(benchmark::State& state)
{
    HWND const page = g_page->m_hWnd;
    UINT const flags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    for (auto _ : state) {
        ::RedrawWindow(page, nullptr, nullptr, flags);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SiteSurveyFullRepaint)->Unit(benchmark::kMicrosecond);

}

int main(int argc, char** argv)
{
    std::string const world = station::testing::kOneAdapterWorld + "\n[world]\ncrowd = 250\n";
    return station::bench::run_program_benchmarks(argc, argv, world, [](CVxUI2008Dlg& window) {
        g_page = window.site_survey_page();
        // Let the scan that showing the window started finish, then fetch its list.
        platform::testing::advance(3000);
        platform::testing::pump_until_idle();
        g_page->ForceUpdateBssidList();
        g_page->GetDlgItem(CPageSiteSurveyDlg::IDC_SORT_SIGNAL)->SendMessage(BM_CLICK);
    });
}
