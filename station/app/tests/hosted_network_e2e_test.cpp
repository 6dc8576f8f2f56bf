// End to end on the default simulated world: the hosted network page sets the stand-in's hosted
// network up, its address and its stations show within a tick, wlansim changes the world
// underneath; the about page shows the three versions and a changed firmware on the next
// visit; the first-use prompt runs over the station's backend. Each step's window tree is
// checked in the snapshot's windows.txt, and the PNGs are kept beside the test for review.
#include "PageRunHarness.h"
#include "Wlansim.h"

#include "station/app/HideDlg.h"
#include "station/features/ExtAPMACTableDlg.h"
#include "station/features/PageAboutDlg.h"
#include "station/features/PageExtAPDlg.h"
#include "station/features/StationExtAPPrompt.h"
#include "station/features/extap/ExtAPSsidPWDlg.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using station::testing::PageRunTest;

namespace {

std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The windows.txt line of the control `id` whose class is `cls`, or "".
std::string window_line(std::string const& tree, char const* cls, int id)
{
    std::istringstream lines(tree);
    std::string const key = std::string("\t") + cls + "\t" + std::to_string(id) + "\t";
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("window\t", 0) == 0 && line.find(key) != std::string::npos)
            return line;
    return {};
}

class HostedNetworkTest : public PageRunTest {
protected:
    void SetUp() override
    {
        PageRunTest::SetUp();
        world(station::testing::shipped_world("default.ini"));
        // Profiles, site survey, hosted network, radio and about: all in view.
        options("0,1,12,9,10");
        // The utility's own file, so its version row has a note to read.
        std::filesystem::create_symlink(std::string(VXWLAPI_FOLDER) + "/Zorvel", folder() + "/Zorvel");
    }


    // Writes a snapshot and answers its window tree.
    static std::string snapshot(std::string const& name)
    {
        platform::testing::pump_until_idle();
        std::string const folder = station::testing::snapshot_folder("hosted_network_snapshots", name).string();
        platform::display::write_snapshot(folder);
        return read_file(folder + "/windows.txt");
    }

    static void open_hosted_page(CHideDlg& dialog, CVxUI2008Dlg& window)
    {
        // The button shows once the hidden dialog lets it (after a switch to client mode).
        dialog.m_bHideAPButton = FALSE;
        window.ShoworHideSTAButton();
        click(window.kind_button(BTN_EXTAP));
    }
};

}

TEST_F(HostedNetworkTest, ApplyRunsTheHostedNetworkAndTheTableFollowsWlansim)
{
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        open_hosted_page(dialog, window);
        CPageExtAPDlg& page = *window.m_pPageExtAPDlg;
        ASSERT_TRUE(page.IsWindowVisible());
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_EXTAP_MAC_TABLE);
        EXPECT_TRUE(window.m_pExtAPMACTableDlg->IsWindowVisible());

        page.SetDlgItemText(CPageExtAPDlg::IDC_SSID, "Den");
        page.SetDlgItemText(CPageExtAPDlg::IDC_KEY, "hosted-key-1");
        click(page.GetDlgItem(CPageExtAPDlg::IDC_APPLY));
        platform::testing::advance(2000);
        std::string tree = snapshot("running");
        EXPECT_NE(window_line(tree, "Static", CPageExtAPDlg::IDC_IP).find("\t192.168.137.1"), std::string::npos)
            << window_line(tree, "Static", CPageExtAPDlg::IDC_IP);
        EXPECT_NE(window_line(tree, "Edit", CExtAPMACTableDlg::IDC_BSSID).find("\t02-1A-2B-3C-4D-5E"), std::string::npos);

        station::testing::wlansim("hosted-sta add 02:40:00:00:00:01");
        platform::testing::advance(2000);
        tree = snapshot("station-joined");
        EXPECT_NE(tree.find("\t02-40-00-00-00-01\tAuthenticated"), std::string::npos);

        station::testing::wlansim("hosted-sta remove 02:40:00:00:00:01");
        platform::testing::advance(2000);
        tree = snapshot("station-left");
        EXPECT_EQ(tree.find("02-40-00-00-00-01"), std::string::npos);
    });
}

TEST_F(HostedNetworkTest, AboutPageShowsTheVersionsAndAChangedFirmwareOnTheNextVisit)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        click(window.kind_button(BTN_ABOUT));
        CPageAboutDlg& page = *window.m_pPageAboutDlg;
        ASSERT_TRUE(page.IsWindowVisible());
        std::string tree = snapshot("about");
        for (int id : { int(CPageAboutDlg::IDC_VERSION), int(CPageAboutDlg::IDC_LIBRARY), int(CPageAboutDlg::IDC_DRIVER) }) {
            SCOPED_TRACE(id);
            EXPECT_NE(window_line(tree, "Static", id).find("\t1.0.0.0"), std::string::npos) << window_line(tree, "Static", id);
        }
        EXPECT_NE(window_line(tree, "Static", CPageAboutDlg::IDC_EEPROM).find("\t1.2"), std::string::npos);
        EXPECT_NE(window_line(tree, "Static", CPageAboutDlg::IDC_FIRMWARE).find("\t2.1"), std::string::npos);
        EXPECT_NE(window_line(tree, "Static", CPageAboutDlg::IDC_MAC).find("\t00-1A-2B-3C-4D-5E"), std::string::npos);

        station::testing::wlansim("adapter-set wlan0 firmware=3.4");
        click(window.kind_button(BTN_SITESURVEY));
        click(window.kind_button(BTN_ABOUT));
        tree = snapshot("about-new-firmware");
        EXPECT_NE(window_line(tree, "Static", CPageAboutDlg::IDC_FIRMWARE).find("\t3.4"), std::string::npos)
            << window_line(tree, "Static", CPageAboutDlg::IDC_FIRMWARE);
    });
}

// The prompt over the station's backend (the tray's client-mode command runs it; see
// mode_switch_test.cpp): it proposes the SSID from the adapter and its OK stores the record in
// the stand-in.
TEST_F(HostedNetworkTest, PromptStoresTheRecordThroughTheStationsLibrary)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        std::string tree;
        platform::user::set_modal_hook([&](HWND dlg) {
            tree = snapshot("prompt");
            ::SetDlgItemText(dlg, CExtAPSsidPWDlg::IDC_KEY, "first-use-key");
            ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(CStationExtAPPrompt::kOk, BN_CLICKED),
                reinterpret_cast<LPARAM>(::GetDlgItem(dlg, CStationExtAPPrompt::kOk)));
        });
        CStationExtAPPrompt backend;
        CExtAPSsidPWDlg prompt(backend, &window);
        ExtAPConfig record {};
        EXPECT_EQ(G_VxWlLib.VXWL_ReadExtAPConfig(&record), 0);
        prompt.SetExtAPConfig(record);
        EXPECT_EQ(prompt.DoModal(), IDOK);
        platform::user::set_modal_hook(nullptr);
        EXPECT_NE(window_line(tree, "Edit", CExtAPSsidPWDlg::IDC_SSID).find("\tSoftAP-5F"), std::string::npos);
        ASSERT_EQ(G_VxWlLib.VXWL_ReadExtAPConfig(&record), 1);
        EXPECT_EQ(std::string(reinterpret_cast<char const*>(record.Ssid), record.SsidLength), "SoftAP-5F");
        EXPECT_EQ(record.MaxPeers, 20u);
    });
}
