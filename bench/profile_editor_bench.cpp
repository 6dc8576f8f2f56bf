// The profile page's Edit as the configuration window runs it: the profile editor reads the
// stored profile into its tabs, refreshes their controls (the network list walked from a scan
// list of 24 networks, the menus, the thresholds, the keys) and is shown and painted. The
// library's answers come from fixed values, so only the editor's own work is measured; the
// clock is manual and the screen headless. Hiding the editor between rounds is not timed.
// Target: under 10 ms.
#include "platform/framework/Afx.h"
#include "platform/framework/Resources.h"
#include "platform/gdi/Testing.h"
#include "platform/user/Testing.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/PageSystemConfigDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "wlan/profile/ProfileFields.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace platform::controls {
void register_control_classes();
}

namespace {

constexpr int kNetworks = 24;

std::uint32_t channel_khz(int channel) { return std::uint32_t(2407 + 5 * channel) * 1000; }

// A scan list of kNetworks entries, each with its name and 8 element bytes.
std::vector<std::uint8_t>& scan_list()
{
    static std::vector<std::uint8_t> bytes = [] {
        std::vector<std::uint8_t> out(BSSID_LIST_BUFFER_SIZE, 0);
        std::uint32_t const count = kNetworks;
        std::memcpy(out.data(), &count, sizeof count);
        std::size_t at = sizeof count;
        for (int i = 0; i < kNetworks; ++i) {
            NDIS_WLAN_BSSID_EX entry {};
            entry.Length = NDIS_WLAN_BSSID_EX_FIXED + 8;
            std::uint8_t const mac[6] = { 0x02, 0, 0, 0, 0, std::uint8_t(i + 1) };
            std::memcpy(entry.MacAddress, mac, 6);
            std::string const name = i == 0 ? "HomeNet 5G" : "Network " + std::to_string(i + 1);
            entry.Ssid.SsidLength = std::uint32_t(name.size());
            std::memcpy(entry.Ssid.Ssid, name.data(), name.size());
            entry.DSConfig = channel_khz(1 + i % 11);
            entry.IELength = 8;
            std::memcpy(out.data() + at, &entry, NDIS_WLAN_BSSID_EX_FIXED);
            at += entry.Length;
        }
        return out;
    }();
    return bytes;
}

int read_profile(WLANPROFILE* p, const char*)
{
    std::memset(p, 0, sizeof *p);
    wlan::profile::write_text(p->strProfileName, "Home");
    wlan::profile::write_ssid(*p, "HomeNet 5G");
    p->nProfileID = 1;
    p->enumNetworkType = 1;
    p->enumAuthenMode = AUTH_WPA2_PSK;
    p->enumEncryStatus = ENC_AES;
    std::string const key = "correct horse battery";
    std::memcpy(p->chPskKey, key.data(), key.size());
    p->nPskKeyLen = std::uint32_t(key.size());
    p->bUseRTSThre = 1;
    p->lRtsThre = 1000;
    return 1;
}

struct Editor {
    Editor()
    {
        platform::testing::use_manual_clock();
        platform::gdi::testing::use_test_drawing(PROFILE_BENCH_FONT);
        platform::controls::register_control_classes();
        platform::framework::load_resources(PROFILE_BENCH_RESOURCES);
        auto& lib = G_VxWlLib;
        lib.pBssidList = scan_list().data();
        lib.VXWL_ReadProfileData.bind(&read_profile);
        lib.VXWL_GetWinOS.bind([] { return 12; });
        lib.VXWL_IsWpaCapable.bind([] { return 1; });
        lib.VXWL_QueryWirelessMode.bind([](int* mode) { return *mode = 5, 1; });
        lib.VXWL_ChannelToFrequency.bind([](int channel) { return int(channel_khz(channel)); });
        lib.VXWL_FrequencyToChannel.bind([](VXWL_U32 khz) { return int(khz / 1000 - 2407) / 5; });
        lib.VXWL_GetAvailableChannels.bind([](int, int, int, std::uint8_t* out, int* count, int) {
            for (int c = 1; c <= 11; ++c)
                out[c - 1] = std::uint8_t(c);
            *count = 11;
            return 1;
        });
        parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 360, nullptr, nullptr);
        editor.Create(CProfileEditorDlg::IDD, &parent);
        platform::testing::pump_until_idle();
    }
    ~Editor()
    {
        editor.DestroyWindow();
        parent.DestroyWindow();
        G_VxWlLib.pBssidList = nullptr;
    }
    CWnd parent;
    CProfileEditorDlg editor { &parent };
};

void BM_EditToEditorShown(benchmark::State& state)
{
    Editor e;
    for (auto _ : state) {
        e.editor.EditProfile("Home", "1");
        e.editor.ShowWindow(SW_SHOW);
        // Every message the showing queued, the paints of the editor and its tabs among them.
        platform::testing::pump_until_idle();
        benchmark::ClobberMemory();
        state.PauseTiming();
        e.editor.ShowWindow(SW_HIDE);
        platform::testing::pump_until_idle();
        state.ResumeTiming();
    }
    state.counters["networks"] = double(e.editor.m_pPageSystemConfigDlg->m_comboSSID.SendMessage(CB_GETCOUNT));
}
BENCHMARK(BM_EditToEditorShown)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
