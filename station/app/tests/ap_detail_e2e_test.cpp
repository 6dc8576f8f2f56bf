// The access point detail in the running program on the shipped default world: a double click
// on a network of the site survey opens it below, its tabs show what the scan knows (read from
// the window-tree dump of a snapshot), Close gives the place back to the link status, and a
// change of the world through wlansim shows after a rescan. PNG snapshots of each tab are
// written beside the test for a person.
#include "PageRunHarness.h"

#include "station/survey/APDetailInfoDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

using namespace station::testing;

namespace {

namespace fs = std::filesystem;

fs::path detail_folder(std::string const& name) { return snapshot_folder("ap_detail_snapshots", name); }

class DetailRun : public PageRunTest {
protected:
    // A double click on the row of `ssid`, as the user makes it.
    static void double_click(CPageSiteSurveyDlg& page, std::string const& ssid)
    {
        for (int waited = 0; waited < 12000 && page.RowCount() == 0; waited += 500)
            run_for(500);
        int row = 0;
        while (row < page.RowCount() && page.Row(row).strSsid != ssid)
            ++row;
        ASSERT_LT(row, page.RowCount()) << ssid;
        page.List().SetItemState(row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        NMITEMACTIVATE header {};
        header.hdr = { page.List().m_hWnd, UINT_PTR(CPageSiteSurveyDlg::IDC_LIST), UINT(NM_DBLCLK) };
        page.SendMessage(WM_NOTIFY, CPageSiteSurveyDlg::IDC_LIST, reinterpret_cast<LPARAM>(&header));
        platform::testing::pump_until_idle();
    }
    // The value of a row of the 802.11n tab's list (1371).
    static std::string ht_value(Shown& shown, std::string const& property)
    {
        for (auto const& row : shown.rows[1371])
            if (row.size() > 1 && row[0] == property)
                return row[1];
        return "(no row)";
    }
};

}

TEST_F(DetailRun, DoubleClickShowsTheNetworkInTabs)
{
    world(shipped_world("default.ini"));
    fs::path const folder = detail_folder("default");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        window.ToggleExpand();
        double_click(page, "HomeNet 5G");
        ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_AP_DETAIL);
        CAPDetailInfoDlg& detail = *window.m_pAPDetailInfoDlg;

        Shown general = snapshot(folder / "general");
        EXPECT_EQ(general.texts[1055], "HomeNet 5G");
        EXPECT_EQ(general.texts[1343], "02-10-00-00-00-05");
        EXPECT_EQ(general.texts[1344], "WPA2-PSK");
        EXPECT_EQ(general.texts[1345], "AES");
        EXPECT_EQ(general.texts[1061], "36 <--> 5180 MHz");
        EXPECT_EQ(general.texts[1346], "100");
        EXPECT_TRUE(general.texts[1338].ends_with(": 300.0")) << general.texts[1338];
        EXPECT_FALSE(general.texts.count(1671)) << "no mobility domain";
        EXPECT_TRUE(general.texts.count(174)) << "the 802.11n tab button shows";
        EXPECT_FALSE(general.texts.count(165)) << "the CCX tab button is hidden";

        click(detail.TabButton(CAPDetailInfoDlg::PAGE_80211N));
        Shown ht = snapshot(folder / "80211n");
        ASSERT_EQ(ht.rows[1371].size(), 64u);
        EXPECT_EQ(ht_value(ht, "Short GI for 40 MHz"), "TRUE");
        EXPECT_EQ(ht_value(ht, "Primary Channel"), "36");
        EXPECT_FALSE(ht.texts.count(1055)) << "the General tab is behind";

        click(detail.GetDlgItem(CAPDetailInfoDlg::IDC_CLOSE));
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);

        double_click(page, "Family");
        click(detail.TabButton(CAPDetailInfoDlg::PAGE_WPS));
        Shown wps = snapshot(folder / "wps");
        EXPECT_EQ(wps.texts[1344], "WPA-PSK+WPA2-PSK");
        EXPECT_EQ(wps.texts[1356], "TKIP+AES");
        EXPECT_EQ(wps.texts[1358], "") << "device password ID Unknown";
        EXPECT_EQ(wps.texts[1360], "Configured");
        EXPECT_FALSE(wps.texts.count(174)) << "no 802.11n tab for a network without HT";

        double_click(page, "Corp");
        Shown corp = snapshot(folder / "corp");
        EXPECT_EQ(corp.texts[1671], "1234");
        EXPECT_TRUE(corp.texts[1338].ends_with(": 144.4")) << corp.texts[1338];
    });
}

TEST_F(DetailRun, TheDetailFollowsTheWorldAfterARescan)
{
    world(shipped_world("default.ini"));
    fs::path const folder = detail_folder("live");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        window.ToggleExpand();
        live_command("ap-set wpa2-psk sgi40=0");
        click(page.GetDlgItem(CPageSiteSurveyDlg::IDC_RESCAN));
        run_for(5000);
        double_click(page, "HomeNet 5G");
        Shown shown = snapshot(folder);
        EXPECT_TRUE(shown.texts[1338].ends_with(": 270.0")) << shown.texts[1338];
    });
}
