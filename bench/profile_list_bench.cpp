// The profile page's RefreshProfileList with 200 stored profiles: the library's list read
// twice, the rows rebuilt and the list repainted. The library's answers come from a fixed
// array, so only the page's own work is measured; the clock is manual and the screen
// headless. Target: under 5 ms.
#include "platform/framework/Afx.h"
#include "platform/framework/Resources.h"
#include "platform/gdi/Testing.h"
#include "platform/user/Testing.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/PageProfileDlg.h"
#include "wlan/profile/ProfileFields.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace platform::controls {
void register_control_classes();
}

namespace {

constexpr int kProfiles = 200;

std::vector<WLANPROFILE>& stored()
{
    static std::vector<WLANPROFILE> list = [] {
        std::vector<WLANPROFILE> out(kProfiles);
        for (int i = 0; i < kProfiles; ++i) {
            WLANPROFILE& p = out[std::size_t(i)];
            wlan::profile::write_text(p.strProfileName, "Profile number " + std::to_string(i + 1));
            wlan::profile::write_ssid(p, "Network " + std::to_string(i + 1));
            p.nProfileID = std::uint32_t(i + 1);
            p.enumNetworkType = 1;
            p.enumAuthenMode = i % 2 ? AUTH_WPA2_PSK : AUTH_OPEN;
            p.enumEncryStatus = i % 2 ? ENC_AES : ENC_NONE;
        }
        return out;
    }();
    return list;
}

int read_list(WLANPROFILE* out, VXWL_U32* count)
{
    if (out && *count < stored().size())
        return *count = VXWL_U32(stored().size()), -10;
    if (out)
        std::copy(stored().begin(), stored().end(), out);
    *count = VXWL_U32(stored().size());
    return 1;
}

struct Page {
    Page()
    {
        platform::testing::use_manual_clock();
        platform::gdi::testing::use_test_drawing(PROFILE_BENCH_FONT);
        platform::controls::register_control_classes();
        platform::framework::load_resources(PROFILE_BENCH_RESOURCES);
        auto& lib = G_VxWlLib;
        lib.VXWL_ReadProfileList.bind(&read_list);
        lib.VXWL_DetectUserAdmin.bind([] { return 1; });
        lib.VXWL_GetWinOS.bind([] { return 12; });
        parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 700, 320, nullptr, nullptr);
        page.Create(CPageProfileDlg::IDD, &parent);
        page.ShowWindow(SW_SHOW);
        platform::testing::pump_until_idle();
    }
    ~Page() { parent.DestroyWindow(); }
    CWnd parent;
    CPageProfileDlg page { &parent };
};

void BM_RefreshProfileList200(benchmark::State& state)
{
    Page p;
    for (auto _ : state) {
        p.page.RefreshProfileList(TRUE);
        p.page.m_listProfile.UpdateWindow();
        benchmark::ClobberMemory();
    }
    state.counters["rows"] = p.page.RowCount();
}
BENCHMARK(BM_RefreshProfileList200)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
