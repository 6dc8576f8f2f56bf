// The advanced page end to end on the default simulated world: connected to "Corner Cafe", a
// change of the wireless mode empties the scan list, rejoins the same network and rescans when
// the scan wait ends, and wlansim lists the mode the driver now runs; a standard user without
// the right sees the driver's values; the page of an adapter without 802.11n. What each step
// shows is read from the snapshot's window tree; the PNGs are kept beside the test for review.
#include "PageRunHarness.h"
#include "Wlansim.h"

#include "platform/system/Module.h"
#include "station/app/HideDlg.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/core/tests/LibraryRecorder.h"
#include "station/features/PageAdvanceDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <regex>

using station::testing::LibraryRecorder;
using station::testing::PageRunTest;

namespace {

using Page = CPageAdvanceDlg;

class AdvanceRun : public PageRunTest {
protected:
    void SetUp() override
    {
        PageRunTest::SetUp();
        world(station::testing::shipped_world("default.ini"));
        // Profiles, site survey, advanced, radio and about; the 802.11n group shown.
        options("0,1,2,9,10", { { "HT Setting", "1" } });
    }

    static void settle()
    {
        using Settle = void (*)();
        if (auto fn = reinterpret_cast<Settle>(GetProcAddress(G_VxWlLib.hModule, "VXSIM_Settle")))
            fn();
        platform::testing::pump_until_idle();
    }
    static bool run_until(std::function<bool()> const& done, int limit)
    {
        for (int waited = 0; waited < limit && !done(); waited += 100) {
            platform::testing::advance(100);
            settle();
        }
        return done();
    }
    static bool connected_to(std::string const& ssid)
    {
        WLAN_STATUS s {};
        WLAN_STATUS_REQUEST request {};
        request.Switch[1] = 1;
        G_VxWlLib.VXWL_QueryWLANStatus(&s, request);
        return s.Status == VxStatus_Connected
            && std::string(reinterpret_cast<char const*>(s.Ssid.Ssid), std::min<std::uint32_t>(s.Ssid.SsidLength, 32)) == ssid;
    }
    static std::uint32_t scan_entries()
    {
        std::vector<std::uint8_t> list(BSSID_LIST_BUFFER_SIZE);
        VXWL_U32 size = VXWL_U32(list.size());
        if (G_VxWlLib.VXWL_SiteSurveyQuery(list.data(), &size) != VXWL_ERROR_SUCCESS)
            return 0;
        std::uint32_t count = 0;
        std::memcpy(&count, list.data(), 4);
        return count;
    }
    static station::testing::Shown shown(std::string const& name)
    {
        platform::testing::pump_until_idle();
        return station::testing::snapshot(station::testing::snapshot_folder("advance_snapshots", name));
    }
    static void select(Page& page, int id, int index)
    {
        page.SendDlgItemMessage(id, CB_SETCURSEL, WPARAM(index), 0);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(page.GetDlgItem(id)->m_hWnd));
        platform::testing::pump_until_idle();
    }
};

}

TEST_F(AdvanceRun, ANewWirelessModeEmptiesTheScanListRejoinsAndRescans)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        // The stored active profile, which the utility connects with 4 s after it starts.
        station::testing::wlansim("profile-add Cafe 'ssid=Corner Cafe'");
        station::testing::wlansim("profile-activate Cafe");
        ASSERT_TRUE(run_until([] { return connected_to("Corner Cafe"); }, 12000));
        ASSERT_TRUE(run_until([] { return scan_entries() > 0; }, 12000));
        click(window.kind_button(BTN_ADVANCE));
        Page& page = *window.m_pPageAdvanceDlg;
        ASSERT_TRUE(page.IsWindowVisible());
        auto before = shown("80211n");
        EXPECT_EQ(before.texts[Page::IDC_MODE], G_UiStr.IDS_PHY_24_5G);
        EXPECT_EQ(before.texts[Page::IDC_REGION24], "1: CH1-13");
        EXPECT_TRUE(before.texts.count(Page::IDC_MCS)) << "the 802.11n group shows";
        EXPECT_TRUE(before.texts.count(Page::IDC_BW_AUTO));

        LibraryRecorder::install();
        LibraryRecorder::clear();
        select(page, Page::IDC_MODE, 0);
        click(page.GetDlgItem(Page::IDC_APPLY));
        EXPECT_EQ(LibraryRecorder::calls_among({ "VXWL_WriteAdvanceCfgData", "VXWL_SetAdvanceSetting",
                      "VXWL_FlushBSSIDList", "VXWL_WlanDisconnect", "VXWL_WlanConnect" }),
            (std::vector<std::string> { "VXWL_WriteAdvanceCfgData", "VXWL_SetAdvanceSetting", "VXWL_FlushBSSIDList",
                "VXWL_WlanDisconnect", "VXWL_WlanConnect" }));
        EXPECT_EQ(scan_entries(), 0u) << "the flush empties the scan list";
        EXPECT_TRUE(run_until([] { return connected_to("Corner Cafe"); }, 3000)) << "the same network joined again";

        // Timer 2 waits for a scan of the new mode's channels, then the site survey rescans.
        LibraryRecorder::clear();
        run_until([] { return false; }, SetTimerForScanByChnList(9) + 200);
        auto const scans = LibraryRecorder::calls_among({ "VXWL_SiteSurveyScan" });
        EXPECT_FALSE(scans.empty());
        EXPECT_TRUE(run_until([] { return scan_entries() > 0; }, 6000));

        std::string const listed = station::testing::wlansim("list");
        EXPECT_NE(listed.find("wireless mode 9; country region 2.4 GHz 1, 5 GHz 7"), std::string::npos) << listed;
        ADVANCE_CONFIG_DATA stored {};
        EXPECT_EQ(G_VxWlLib.VXWL_ReadConfigData(&stored), 1);
        EXPECT_EQ(stored.WirelessMode, 9u);
    });
}

TEST_F(AdvanceRun, AStandardUserWithoutTheRightSeesTheDriversValues)
{
    auto const script = [&](CHideDlg&, CVxUI2008Dlg& window) {
        // The window keeps the button of a standard user disabled; the page behind it is
        // opened all the same, as it stays open when the user's rights change under it.
        EXPECT_FALSE(window.kind_button(BTN_ADVANCE)->IsWindowEnabled());
        window.kind_button(BTN_ADVANCE)->EnableWindow(TRUE);
        click(window.kind_button(BTN_ADVANCE));
        Page& page = *window.m_pPageAdvanceDlg;
        ASSERT_TRUE(page.IsWindowVisible());
        auto const view = shown("standard-user");
        EXPECT_EQ(view.texts.at(Page::IDC_REGION24), "5: CH1-14");
        EXPECT_FALSE(page.GetDlgItem(Page::IDC_REGION24)->IsWindowEnabled());
        EXPECT_EQ(view.texts.at(Page::IDC_MODE), G_UiStr.IDS_PHY_24_5G);

        // The library refuses to store or apply: nothing changes in the stand-in.
        select(page, Page::IDC_MODE, 0);
        click(page.GetDlgItem(Page::IDC_APPLY));
        ADVANCE_CONFIG_DATA stored {};
        EXPECT_EQ(G_VxWlLib.VXWL_ReadConfigData(&stored), 0);
        int mode = 0;
        G_VxWlLib.VXWL_QueryWirelessMode(&mode);
        EXPECT_EQ(mode, 5);
    };
    // Changed before the configuration window opens, so that its pages are set up on it.
    auto const before = [&](CHideDlg&) {
        station::testing::wlansim("world-set admin=0 allow_standard_user_advance=0 region24=5 region24_selectable=0");
        run_until([] { return false; }, 1000);
    };
    with_window(script, before);
}

TEST_F(AdvanceRun, AnAdapterWithout80211nShowsNoGroup)
{
    world(std::regex_replace(station::testing::shipped_world("default.ini"), std::regex("\n11n = 1\n"), "\n11n = 0\n"));
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        click(window.kind_button(BTN_ADVANCE));
        Page& page = *window.m_pPageAdvanceDlg;
        ASSERT_TRUE(page.IsWindowVisible());
        auto const view = shown("no-80211n");
        EXPECT_FALSE(view.texts.count(Page::IDC_MCS));
        EXPECT_FALSE(view.texts.count(Page::IDC_HT_MM));
        EXPECT_TRUE(view.texts.count(Page::IDC_TXRATE));
        // The world's mode 5 is an 802.11n code, which such an adapter shows as 2.4 GHz.
        EXPECT_EQ(view.texts.at(Page::IDC_MODE), G_UiStr.IDS_PHY_24G);
    });
}
