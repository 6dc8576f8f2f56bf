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

#include <benchmark/benchmark.h>

#include <cstring>

namespace platform::controls {
void register_control_classes();
}

namespace {

WLAN_STATUS g_status {};

int query_status(WLAN_STATUS* status, WLAN_STATUS_REQUEST)
{
    g_status.BytesTx += 250000;
    g_status.BytesRx += 500000;
    *status = g_status;
    return 1;
}

int transmit_setting(VXWL_U32 oid, void* buffer, VXWL_U32 length, VXWL_U32* returned)
{
    if (oid != 0xFF0C0021 || length < 4)
        return 0;
    std::uint32_t const word = 0x818F;
    std::memcpy(buffer, &word, 4);
    *returned = 4;
    return 1;
}

void connect_world()
{
    g_status.Status = VxStatus_Connected;
    g_status.Ssid.SsidLength = 10;
    std::memcpy(g_status.Ssid.Ssid, "HomeNet 5G", 10);
    std::uint8_t const bssid[6] = { 2, 0x10, 0, 0, 0, 5 };
    std::memcpy(g_status.Bssid, bssid, 6);
    g_status.NetworkType = 1;
    g_status.Ant1Dbm = -52;
    g_status.Ant1Percent = 78;
    g_status.Ant2Present = 1;
    g_status.Ant2Dbm = -55;
    g_status.Ant2Percent = 72;
    g_status.Snr1 = 40;
    g_status.Snr2 = 37;
    g_status.FrequencyKHz = 5180000;
    g_status.AuthMode = 7;
    g_status.EncryptionStatus = 6;
    g_status.LinkQuality = 78;
    g_status.TxRateMbps = g_status.RxRateMbps = 300.0;
    g_status.TxPowerPercent = 100;
    g_status.TransmitSetting = 0x818F;
    g_status.CentralChannel = 38;
    auto& lib = G_VxWlLib;
    lib.VXWL_QueryWLANStatus.bind(&query_status);
    lib.VXWL_OIDQueryInfo.bind(&transmit_setting);
    lib.VXWL_GetWinOS.bind([] { return 12; });
    lib.VXWL_Is80211NSupport.bind([] { return 1; });
    lib.VXWL_QueryWirelessMode.bind([](int* mode) { return *mode = 9, 1; });
    lib.VXWL_GetCurrentDeviceModel.bind([](int* model) { return *model = 5, 1; });
    lib.VXWL_FrequencyToChannel.bind([](VXWL_U32) { return 36; });
    lib.VXWL_ReadCCX2Cont.bind([](VXWL_U32* word) { return *word = 0, 1; });
    lib.VXWL_QueryAPIPAddress.bind([](AP_ADDRESS_RECORD*) { return 0; });
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
