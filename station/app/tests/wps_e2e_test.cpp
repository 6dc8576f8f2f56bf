// The WPS page in the running program on the shipped default world: the push button brings the
// pressed access point's credential and the station joins it, a second pressed button makes
// the run report the overlap, a PIN run with the page's PIN set at the access point succeeds,
// and the adapter's own button starts a run without a click. PNG snapshots of the page during
// and after a run and of the profile dialog in the registrar role are written beside the test
// for a person.
#include "PageRunHarness.h"

#include "station/core/WpsGlobals.h"
#include "station/features/PageWPSDlg.h"
#include "station/features/PageWPSProfile.h"

#include <cstdio>

using namespace station::testing;

namespace {

namespace fs = std::filesystem;

fs::path wps_folder(std::string const& name) { return snapshot_folder("wps_snapshots", name); }

class WpsEndToEnd : public PageRunTest {
protected:
    void SetUp() override
    {
        PageRunTest::SetUp();
        world(shipped_world("default.ini"));
    }
    // Opens the WPS page and waits for its list to show `ssid`.
    static CPageWPSDlg& open_page(CVxUI2008Dlg& window, std::string const& ssid)
    {
        click(window.kind_button(BTN_WPS));
        CPageWPSDlg& page = *window.m_pPageWPSDlg;
        for (int waited = 0; waited < 20000 && row_of(page, ssid) < 0; waited += 5000) {
            click(page.GetDlgItem(CPageWPSDlg::IDC_RESCAN));
            run_for(5000);
        }
        return page;
    }
    static int row_of(CPageWPSDlg& page, std::string const& ssid)
    {
        for (std::size_t row = 0; row < page.ApRows().size(); ++row)
            if (page.ApRows()[row].strSSID == ssid)
                return int(row);
        return -1;
    }
    static std::string status_of(CPageWPSDlg& page)
    {
        CString text;
        page.GetDlgItemText(CPageWPSDlg::IDC_STATUS, text);
        return text.GetString();
    }
    static WLAN_STATUS link()
    {
        WLAN_STATUS status {};
        G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST {});
        return status;
    }
    static std::string ssid_of(WLAN_STATUS const& status)
    {
        return std::string(reinterpret_cast<char const*>(status.Ssid.Ssid), std::min<std::uint32_t>(status.Ssid.SsidLength, 32));
    }
};

}

TEST_F(WpsEndToEnd, PushButtonJoinsThePrinterRoom)
{
    fs::path const folder = wps_folder("push_button");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        window.ToggleExpand();
        CPageWPSDlg& page = open_page(window, "Printer Room");
        ASSERT_GE(row_of(page, "Printer Room"), 0);
        EXPECT_LT(row_of(page, "Corner Cafe"), 0) << "no access point without WPS";
        click(page.GetDlgItem(CPageWPSDlg::IDC_PBC));
        run_for(1500);
        Shown during = snapshot(folder / "during");
        EXPECT_TRUE(during.texts[CPageWPSDlg::IDC_STATUS].starts_with("PBC - ")) << during.texts[CPageWPSDlg::IDC_STATUS];
        run_for(6000);
        EXPECT_EQ(status_of(page), "PBC - Get WPS profile successfully.");
        ASSERT_EQ(page.ProfileRows().size(), 1u);
        EXPECT_EQ(page.ProfileRows()[0].strSSID, "Printer Room");
        run_for(8000);
        WLAN_STATUS const status = link();
        EXPECT_EQ(status.Status, VxStatus_Connected);
        EXPECT_EQ(ssid_of(status), "Printer Room");
        EXPECT_EQ(page.ProfileRows()[0].nState, 0) << "marked connected";
        Shown after = snapshot(folder / "after");
        ASSERT_FALSE(after.rows[CPageWPSDlg::IDC_PROFILE_LIST].empty());
        auto const& row = after.rows[CPageWPSDlg::IDC_PROFILE_LIST][0];
        EXPECT_NE(std::find(row.begin(), row.end(), "Printer Room"), row.end());
    });
}

TEST_F(WpsEndToEnd, TwoPressedButtonsAreReported)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        window.ToggleExpand();
        CPageWPSDlg& page = open_page(window, "Printer Room");
        live_command("wps-press mixed-psk");
        run_for(1000);
        click(page.GetDlgItem(CPageWPSDlg::IDC_PBC));
        run_for(1500);
        EXPECT_EQ(status_of(page), "PBC - Too many PBC AP available");
    });
}

TEST_F(WpsEndToEnd, PinRunWithTheAccessPointsPinSucceeds)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        window.ToggleExpand();
        CPageWPSDlg& page = open_page(window, "Family");
        char pin[16];
        std::snprintf(pin, sizeof pin, "%08ld", G_lPin);
        live_command(std::string("ap-set mixed-psk wps_pin=") + pin);
        run_for(1000);
        int const row = row_of(page, "Family");
        ASSERT_GE(row, 0);
        page.m_listAP.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        click(page.GetDlgItem(CPageWPSDlg::IDC_PIN));
        EXPECT_EQ(status_of(page), "Start PIN connection - Family");
        run_for(7000);
        EXPECT_EQ(status_of(page), "PIN - Get WPS profile successfully.");
        run_for(8000);
        EXPECT_EQ(ssid_of(link()), "Family");
        EXPECT_EQ(page.ProfileRows().at(0).nState, 0) << "a mixed network's credential counts as connected";
    });
}

TEST_F(WpsEndToEnd, AdaptersButtonStartsARunWithoutAClick)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        window.ToggleExpand();
        CPageWPSDlg& page = open_page(window, "Printer Room");
        live_command("wps-hw-press");
        run_for(3000);
        EXPECT_TRUE(status_of(page).starts_with("PBC - ")) << status_of(page);
        run_for(6000);
        EXPECT_EQ(status_of(page), "PBC - Get WPS profile successfully.");
    });
}

TEST_F(WpsEndToEnd, RegistrarProfileDialogEditsTheOfferedCredential)
{
    fs::path const folder = wps_folder("registrar");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        window.ToggleExpand();
        CPageWPSDlg& page = open_page(window, "Printer Room");
        ::SendMessage(page.GetDlgItem(CPageWPSDlg::IDC_ROLE)->m_hWnd, CB_SETCURSEL, 1, 0);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(CPageWPSDlg::IDC_ROLE, CBN_SELCHANGE),
            LPARAM(page.GetDlgItem(CPageWPSDlg::IDC_ROLE)->m_hWnd));
        platform::testing::pump_until_idle();
        ASSERT_EQ(page.ProfileRows().size(), 1u);
        EXPECT_TRUE(page.ProfileRows()[0].strSSID.starts_with("ExRegNW"));
        // The user clicks the offered credential's row, which enables Profile Detail.
        NMITEMACTIVATE row_click {};
        row_click.hdr = { page.m_listProfile.m_hWnd, UINT_PTR(CPageWPSDlg::IDC_PROFILE_LIST), UINT(NM_CLICK) };
        row_click.iItem = 0;
        page.SendMessage(WM_NOTIFY, CPageWPSDlg::IDC_PROFILE_LIST, reinterpret_cast<LPARAM>(&row_click));
        click(page.GetDlgItem(CPageWPSDlg::IDC_DETAIL));
        ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_WPS_PROFILE);
        CPageWPSProfile& dialog = *window.m_pPageWPSProfile;
        EXPECT_TRUE(dialog.editing());
        Shown shown = snapshot(folder);
        EXPECT_TRUE(shown.texts[CPageWPSProfile::IDC_SSID].starts_with("ExRegNW"));
        EXPECT_TRUE(shown.texts.count(CPageWPSProfile::IDC_AUTH)) << "the combos show in edit mode";
        click(dialog.GetDlgItem(CPageWPSProfile::IDC_CANCEL));
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);
    });
}
