// The link status page: one refresh as its timer runs it (status query, every text, bars,
// histograms and 802.11n details) followed by the repaint of the whole page. The library's
// answers come from fixed functions, so only the page's own work is measured; the clock is
// manual and the screen headless. Target: under 2 ms.
#include "platform/framework/Afx.h"
#include "platform/framework/Resources.h"
#include "platform/gdi/Testing.h"
#include "platform/user/Testing.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/survey/LinkStatusDlg.h"
#include "station/survey/tests/LinkStatusFake.h"

#include <benchmark/benchmark.h>

namespace platform::controls {
void register_control_classes();
}

namespace {

// The page's tests' stand-in for the library, on a code-12 adapter whose model reads its
// transmit setting through the OID, with traffic on the counters.
void connect_world()
{
    FakeLink::bind();
    FakeLink& link = FakeLink::the();
    link.status = connected_status();
    link.win_os = 12;
    link.device_model = 5;
    link.transmit_word = 0x818F;
    link.tx_step = 250000;
    link.rx_step = 500000;
}

struct Page {
    Page()
    {
        platform::testing::use_manual_clock();
        platform::gdi::testing::use_test_drawing(LINKSTATUS_BENCH_FONT);
        platform::controls::register_control_classes();
        platform::framework::load_resources(LINKSTATUS_BENCH_RESOURCES);
        connect_world();
        parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 700, 320, nullptr, nullptr);
        page.Create(CLinkStatusDlg::IDD, &parent);
        page.ShowWindow(SW_SHOW);
        page.Refresh();
        platform::testing::pump_until_idle();
    }
    ~Page() { parent.DestroyWindow(); }
    CWnd parent;
    CLinkStatusDlg page { &parent };
};

void BM_LinkStatusRefreshAndRepaint(benchmark::State& state)
{
    Page p;
    UINT const flags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    for (auto _ : state) {
        p.page.Refresh();
        ::RedrawWindow(p.page.m_hWnd, nullptr, nullptr, flags);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LinkStatusRefreshAndRepaint)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
