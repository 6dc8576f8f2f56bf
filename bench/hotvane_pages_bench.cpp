// Hotvane's property sheet: one station-table refresh of 32 rows, and one event-log tick that
// appends the whole array of 100 events to a list that already holds 100 (so every tick also
// drops 100 rows), each as its page's timer runs it. The library's answers come from fixed
// functions bound into the binding, so only the pages' own work is measured; the clock is
// manual and the screen headless. Target: under 1 ms each.
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/EventArray.h"
#include "accesspoint/pages/VxPropSheet.h"
#include "platform/framework/Afx.h"
#include "platform/framework/Resources.h"
#include "platform/gdi/Testing.h"
#include "platform/user/Testing.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace platform::controls {
void register_control_classes();
}

namespace {

using namespace hotvane;

int query_table(KT_802_11_MAC_TABLE* table)
{
    table->Count = 32;
    for (std::uint8_t i = 0; i < 32; ++i) {
        std::uint8_t const mac[6] = { 0x02, 0x30, 0, 0, 0, i };
        std::memcpy(table->Entry[i].Mac, mac, 6);
        table->Entry[i].Aid = std::uint8_t(i + 1);
        table->Entry[i].TxRate = std::uint16_t(0x8180 | (i % 16));
    }
    return 1;
}

struct Sheet {
    Sheet()
    {
        platform::testing::use_manual_clock();
        platform::gdi::testing::use_test_drawing(HOTVANE_BENCH_FONT);
        platform::controls::register_control_classes();
        platform::framework::load_resources(HOTVANE_BENCH_RESOURCES);
        G_VxApApi.VXAP_GetCurrentDeviceModel.bind([](int* model) { return *model = 5, 1; });
        G_VxApApi.VXAP_QueryMacTable.bind(&query_table);
        for (int i = 0; i < kMaxEventLogEntries; ++i)
            G_aryEventLog.Add(KT_802_11_EVENT_LOG { { DWORD(i), 30000000 }, { 2, 0x30, 0, 0, 0, std::uint8_t(i) }, 1 });
        parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr);
        sheet.Create();
        platform::testing::pump_until_idle();
    }
    ~Sheet()
    {
        sheet.DestroyWindow();
        parent.DestroyWindow();
        G_aryEventLog.RemoveAll();
    }
    CWnd parent;
    CVxPropSheet sheet { "bench", &parent };
};

void BM_StationTableRefresh32(benchmark::State& state)
{
    Sheet s;
    s.sheet.SetActivePage(&s.sheet.m_pageMacTable);
    for (auto _ : state) {
        s.sheet.m_pageMacTable.RefreshStations();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StationTableRefresh32)->Unit(benchmark::kMicrosecond);

void BM_EventLogAppend100(benchmark::State& state)
{
    Sheet s;
    s.sheet.SetActivePage(&s.sheet.m_pageEventLog);
    for (auto _ : state) {
        G_nEventLogShown = 0;
        s.sheet.m_pageEventLog.SendMessage(WM_TIMER, CEventLogPage::kTimer);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EventLogAppend100)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
