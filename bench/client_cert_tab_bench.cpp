// The client certificate tab's listing with 200 certificates in the personal store: the
// enumeration (count, fill), the four-column combo filled, the first item selected and its
// record copied, and the previous enumeration handed back. The library's answers come from
// fixed functions, so only the tab's own work is measured; the clock is manual and the screen
// headless. Target: under 5 ms.
#include "platform/framework/Afx.h"
#include "platform/framework/Resources.h"
#include "platform/gdi/Testing.h"
#include "platform/user/Testing.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/PageClientCertificationDlg.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace platform::controls {
void register_control_classes();
}

namespace {

constexpr VXWL_U32 kCertificates = 200;
std::uint8_t g_data[kCertificates][20];

void bind_store()
{
    G_VxWlLib.VXWL_GetWinOS.bind([] { return 12; });
    G_VxWlLib.VXWL_EnumCert.bind([](const char*, CERT_RECORD* records, VXWL_U32* count) {
        if (!records) {
            *count = kCertificates;
            return VXWL_ERROR_SUCCESS;
        }
        VXWL_U32 const filled = *count < kCertificates ? *count : kCertificates;
        for (VXWL_U32 i = 0; i < filled; ++i) {
            CERT_RECORD& r = records[i];
            std::snprintf(r.IssuedTo, sizeof r.IssuedTo, "User %u", unsigned(i));
            std::snprintf(r.IssuedBy, sizeof r.IssuedBy, "Corp Root CA");
            std::snprintf(r.Expiration, sizeof r.Expiration, "2030/12/31");
            std::snprintf(r.FriendlyName, sizeof r.FriendlyName, "Certificate %u", unsigned(i));
            std::memset(g_data[i], int(i), sizeof g_data[i]);
            r.DataLength = sizeof g_data[i];
            r.Data = g_data[i];
        }
        *count = filled;
        return VXWL_ERROR_SUCCESS;
    });
    G_VxWlLib.VXWL_FreeCertArray.bind([](CERT_RECORD* records, VXWL_U32* count) {
        for (VXWL_U32 i = 0; records && i < *count; ++i)
            records[i].Data = nullptr;
        *count = 0;
        return VXWL_ERROR_SUCCESS;
    });
}

struct Tab {
    Tab()
    {
        platform::testing::use_manual_clock();
        platform::gdi::testing::use_test_drawing(CERT_TAB_BENCH_FONT);
        platform::controls::register_control_classes();
        platform::framework::load_resources(CERT_TAB_BENCH_RESOURCES);
        bind_store();
        parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 700, 320, nullptr, nullptr);
        tab.Create(CPageClientCertificationDlg::IDD, &parent);
        tab.ShowWindow(SW_SHOW);
        platform::testing::pump_until_idle();
    }
    ~Tab() { parent.DestroyWindow(); }
    CWnd parent;
    CPageClientCertificationDlg tab { &parent };
};

void BM_EnumerateCertificates(benchmark::State& state)
{
    Tab t;
    for (auto _ : state) {
        t.tab.EnumerateCertificates();
        benchmark::DoNotOptimize(t.tab.m_selectedCert.record.DataLength);
    }
}
BENCHMARK(BM_EnumerateCertificates)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
