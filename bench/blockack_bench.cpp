// The 802.11n page's table refresh as its timer runs it: the library's table of 32 originator
// and 32 recipient peers, each with agreements on every TID, read into both halves' rows, then
// the repaint of both lists. The library's answer comes from a fixed function, so only the
// page's own work is measured; the clock is manual and the screen headless. Target: under 1 ms.
#include "platform/framework/Afx.h"
#include "platform/framework/Resources.h"
#include "platform/gdi/Testing.h"
#include "platform/user/Testing.h"
#include "station/core/VxWlLib.h"
#include "station/features/Page80211nSettingDlg.h"

#include <benchmark/benchmark.h>

namespace platform::controls {
void register_control_classes();
}

namespace {

BA_TABLE g_table {};

void fill_half(BA_ENTRY (&half)[BA_TABLE_ENTRIES], std::uint8_t& count, std::uint8_t first)
{
    for (std::uint8_t i = 0; i < BA_TABLE_ENTRIES; ++i) {
        BA_ENTRY& e = half[i];
        std::uint8_t const mac[6] = { 0x02, 0x10, 0, 0, first, i };
        std::copy(mac, mac + 6, e.Mac);
        e.TidBitmap = 0xFF;
        for (std::uint8_t t = 0; t < BA_TID_COUNT; ++t)
            e.WindowSize[t] = std::uint8_t(8 * (t + 1));
    }
    count = BA_TABLE_ENTRIES;
}

struct Page {
    Page()
    {
        platform::testing::use_manual_clock();
        platform::gdi::testing::use_test_drawing(BLOCKACK_BENCH_FONT);
        platform::controls::register_control_classes();
        platform::framework::load_resources(BLOCKACK_BENCH_RESOURCES);
        fill_half(g_table.Originator, g_table.OriginatorCount, 1);
        fill_half(g_table.Recipient, g_table.RecipientCount, 2);
        G_VxWlLib.VXWL_QueryBATable.bind([](BA_TABLE* table) { return *table = g_table, 1; });
        parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 300, nullptr, nullptr);
        page.Create(CPage80211nSettingDlg::IDD, &parent);
        page.ShowWindow(SW_SHOW);
        platform::testing::pump_until_idle();
    }
    ~Page() { parent.DestroyWindow(); }
    CWnd parent;
    CPage80211nSettingDlg page { &parent };
};

void BM_BlockAckTablesRefreshAndRepaint(benchmark::State& state)
{
    Page p;
    UINT const flags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    HWND const lists[] = { ::GetDlgItem(p.page.m_hWnd, CPage80211nSettingDlg::IDC_ORIGINATOR_LIST),
        ::GetDlgItem(p.page.m_hWnd, CPage80211nSettingDlg::IDC_RECIPIENT_LIST) };
    for (auto _ : state) {
        p.page.SendMessage(WM_TIMER, CPage80211nSettingDlg::kRefreshTimer);
        for (HWND list : lists)
            ::RedrawWindow(list, nullptr, nullptr, flags);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlockAckTablesRefreshAndRepaint)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
