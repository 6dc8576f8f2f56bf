// End to end on the default simulated world, connected to "HomeNet 5G": the WMM page turns
// power save on for AC_VO and the station joins again; a direct link set up to a station is
// listed within two ticks, goes when wlansim ends it from the peer, and Tear Down of a selected
// link removes it. The CCX page runs the diagnostic test on a stored profile with the
// diagnostic option (activated once, so in the system's store), and the authentication status
// window lists the test's texts. Each step's window tree is checked in the snapshot's
// windows.txt; the PNGs are kept beside the test for review.
#include "PageRunHarness.h"
#include "Wlansim.h"

#include "platform/system/Module.h"
#include "station/app/HideDlg.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageCCXConfigDlg.h"
#include "station/features/PageWMMDlg.h"
#include "station/survey/AuthenStatusDlg.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

using station::testing::PageRunTest;
using station::testing::Shown;

namespace {

std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class CcxWmmTest : public PageRunTest {
protected:
    void SetUp() override
    {
        PageRunTest::SetUp();
        world(read_file(std::string(VXWLAPI_FOLDER) + "/scenarios/default.ini"));
        // Profiles, site survey, WMM, CCX, radio and about; the CCX page on newer systems too.
        options("0,1,4,7,9,10", { { "CCXForWin7", "1" } });
    }


    // Moves the clock in steps, letting the library deliver what each step brings.
    static void advance(std::uint64_t ms)
    {
        for (std::uint64_t t = 0; t < ms; t += 100) {
            platform::testing::advance(100);
            using Settle = void (*)();
            if (auto fn = reinterpret_cast<Settle>(GetProcAddress(G_VxWlLib.hModule, "VXSIM_Settle")))
                fn();
            platform::testing::pump_until_idle();
        }
    }

    static bool connected()
    {
        WLAN_STATUS status {};
        G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 0, 1, 0, 0, 0 } });
        return status.Status == VxStatus_Connected;
    }

    // The stored active profile of "HomeNet 5G", which the utility connects with 4 s after it
    // starts.
    static void connect(std::string const& extra = "")
    {
        station::testing::wlansim("profile-add Home 'ssid=HomeNet 5G' auth=wpa2-psk cipher=aes 'key=correct horse battery'" + extra);
        station::testing::wlansim("profile-activate Home");
        advance(6000);
        ASSERT_TRUE(connected());
    }

    static Shown shot(std::string const& name)
    {
        platform::testing::pump_until_idle();
        return station::testing::snapshot(station::testing::snapshot_folder("ccx_wmm_snapshots", name));
    }

    static std::vector<std::vector<std::string>> rows(Shown const& shown, int id)
    {
        auto const it = shown.rows.find(id);
        return it == shown.rows.end() ? std::vector<std::vector<std::string>> {} : it->second;
    }
};

using Row = std::vector<std::string>;

}

TEST_F(CcxWmmTest, PowerSaveRejoinsAndDirectLinksComeAndGo)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        connect();
        click(window.kind_button(BTN_WMM));
        CPageWMMDlg& page = *window.m_pPageWMMDlg;
        ASSERT_TRUE(page.IsWindowVisible());
        Shown shown = shot("shown");
        EXPECT_EQ(shown.texts[CPageWMMDlg::IDC_WMM_STATUS], G_UiStr.IDS_ENABLED);
        EXPECT_EQ(shown.texts[CPageWMMDlg::IDC_PS_STATUS], G_UiStr.IDS_DISABLED);

        // Power save for AC_VO: the setting changes, and the secured link is joined again.
        click(page.GetDlgItem(CPageWMMDlg::IDC_APSD));
        advance(6000);
        click(page.GetDlgItem(CPageWMMDlg::IDC_AC_VO));
        EXPECT_FALSE(connected()) << "the station left to join again";
        advance(6000);
        EXPECT_TRUE(connected());
        shown = shot("power-save");
        EXPECT_EQ(shown.texts[CPageWMMDlg::IDC_PS_STATUS], G_UiStr.IDS_ENABLED + ":AC_VO");

        // A direct link to the laptop: listed within two ticks.
        click(page.GetDlgItem(CPageWMMDlg::IDC_DLS));
        advance(6000);
        char const* const mac[] = { "02", "30", "00", "00", "00", "01" };
        for (int i = 0; i < CPageWMMDlg::kMacFields; ++i)
            page.SetDlgItemText(CPageWMMDlg::IDC_MAC1 + i, mac[i]);
        page.SetDlgItemText(CPageWMMDlg::IDC_TIMEOUT, "120");
        click(page.GetDlgItem(CPageWMMDlg::IDC_SETUP));
        advance(2000);
        shown = shot("link-up");
        EXPECT_EQ(rows(shown, CPageWMMDlg::IDC_LIST), (std::vector<Row> { { "02-30-00-00-00-01", "120" } }));

        // The peer ends it.
        station::testing::wlansim("dls-down 02:30:00:00:00:01");
        advance(1000);
        shown = shot("peer-ended");
        EXPECT_TRUE(rows(shown, CPageWMMDlg::IDC_LIST).empty());

        // Set up again, selected and torn down.
        click(page.GetDlgItem(CPageWMMDlg::IDC_SETUP));
        advance(2000);
        ASSERT_EQ(rows(shot("link-again"), CPageWMMDlg::IDC_LIST).size(), 1u);
        HWND list = page.GetDlgItem(CPageWMMDlg::IDC_LIST)->m_hWnd;
        ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
        // A click on the row, with the item-activation record the list sends.
        NMITEMACTIVATE activate {};
        activate.hdr = NMHDR { list, UINT_PTR(CPageWMMDlg::IDC_LIST), UINT(NM_CLICK) };
        RECT cell { LVIR_BOUNDS, 0, 0, 0 };
        ::SendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
        activate.ptAction = POINT { cell.left + 2, (cell.top + cell.bottom) / 2 };
        page.SendMessage(WM_NOTIFY, CPageWMMDlg::IDC_LIST, reinterpret_cast<LPARAM>(&activate));
        click(page.GetDlgItem(CPageWMMDlg::IDC_TEAR_DOWN));
        advance(1000);
        EXPECT_TRUE(rows(shot("torn-down"), CPageWMMDlg::IDC_LIST).empty());
    });
}

TEST_F(CcxWmmTest, DiagnosticTestShowsItsTextsInTheAuthenticationStatusWindow)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        connect(" diagnostic=1");
        click(window.kind_button(BTN_CCXCONFIG));
        CPageCCXConfigDlg& page = *window.m_pPageCCXConfigDlg;
        ASSERT_TRUE(page.IsWindowVisible());
        Shown shown = shot("ccx-shown");
        EXPECT_EQ(shown.texts[CPageCCXConfigDlg::IDC_NAME_TEXT], "Home");
        EXPECT_EQ(shown.texts[CPageCCXConfigDlg::IDC_CAP_TEXT], "YES");

        click(page.GetDlgItem(CPageCCXConfigDlg::IDC_DIAGNOSTIC));
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_AUTHEN_STATUS);
        advance(12000);
        shown = shot("diagnostic");
        std::string listed;
        for (auto const& row : rows(shown, CAuthenStatusDlg::IDC_LIST))
            for (auto const& cell : row)
                listed += cell + "\n";
        std::size_t at = 0;
        for (char const* text : { "Test Started", "Connect to the Diagnostic Channel successfully",
                 "Diagnostic test: associated with the diagnostic channel", "Diagnostic test: network address obtained",
                 "Connect to the Diagnostic Channel successfully", "Test finished" }) {
            std::size_t const found = listed.find(text, at);
            EXPECT_NE(found, std::string::npos) << text << " in\n" << listed;
            if (found != std::string::npos)
                at = found + 1;
        }
        // The user's profile is back.
        EXPECT_TRUE(connected());
        WLAN_STATUS status {};
        G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 0, 1, 0, 0, 0 } });
        EXPECT_EQ(std::string(reinterpret_cast<char const*>(status.Ssid.Ssid), status.Ssid.SsidLength), "HomeNet 5G");
    });
}
