// The site survey page in the running program on the shipped worlds: what its list shows
// (read from the window-tree dump of a snapshot), the sort buttons and Show dBm, and the world
// changing under it through the live command log that wlansim writes. PNG snapshots of the
// page sorted three ways and waiting for a scan are written beside the test for a person.
#include "PageRunHarness.h"

#include "station/core/ConfigWindowMessages.h"
#include "station/core/UiStr.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <cstring>
#include <regex>
#include <set>

using namespace station::testing;

namespace {

namespace fs = std::filesystem;

fs::path survey_folder(std::string const& name) { return snapshot_folder("site_survey_snapshots", name); }

// The rows of the network list (1023) in a snapshot: each row's column texts.
std::vector<std::vector<std::string>> list_rows(fs::path const& folder) { return snapshot(folder).rows[CPageSiteSurveyDlg::IDC_LIST]; }

std::vector<std::string> column(std::vector<std::vector<std::string>> const& rows, std::size_t index)
{
    std::vector<std::string> out;
    for (auto const& row : rows)
        out.push_back(index < row.size() ? row[index] : "");
    return out;
}

class SiteSurveyRun : public PageRunTest {
protected:
    // Lets the clock run in half-second steps until the page has rows, at most `limit` ms.
    static void run_until_rows(CPageSiteSurveyDlg& page, int limit = 12000)
    {
        for (int waited = 0; waited < limit && page.RowCount() == 0; waited += 500)
            run_for(500);
    }
    static void click(CWnd& page, int id) { PageRunTest::click(page.GetDlgItem(id)); }
    static void rescan_and_wait(CPageSiteSurveyDlg& page)
    {
        click(page, CPageSiteSurveyDlg::IDC_RESCAN);
        run_for(5000);
    }
};

}

TEST_F(SiteSurveyRun, DefaultWorldListsEveryNetworkButTheInconsistentOne)
{
    world(shipped_world("default.ini"));
    fs::path const folder = survey_folder("default");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        window.ToggleExpand();
        run_until_rows(page);
        auto rows = list_rows(folder / "by-ssid");
        std::vector<std::string> const names = column(rows, 1);
        std::set<std::string> const shown(names.begin(), names.end());
        EXPECT_EQ(rows.size(), 24u);
        EXPECT_FALSE(shown.count("Short Entry"));
        for (char const* name : { "Corner Cafe", "Broken Beacon", "LAN Party", "Gamers", "Old LAN", "WAPI Office", "Far Away", "Fast Lane", "Lab", "Studio 5G", "Diagnostic Channel" })
            EXPECT_TRUE(shown.count(name)) << name;
        EXPECT_FALSE(shown.count("Backroom")) << "a hidden network is listed without its name";
        EXPECT_FALSE(shown.count("Attic")) << "a hidden network is listed without its name";
        EXPECT_TRUE(shown.count("")) << "a hidden network is listed without its name";
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](auto const& a, auto const& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; }));

        click(page, CPageSiteSurveyDlg::IDC_SORT_SIGNAL);
        rows = list_rows(folder / "by-signal");
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.front()[1], "Corner Cafe");
        click(page, CPageSiteSurveyDlg::IDC_SORT_CHANNEL);
        rows = list_rows(folder / "by-channel");
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.front()[3], "1");
        EXPECT_EQ(rows.back()[3], "157");

        click(page, CPageSiteSurveyDlg::IDC_SORT_SIGNAL);
        click(page, CPageSiteSurveyDlg::IDC_SHOW_DBM);
        rows = list_rows(folder / "dbm");
        EXPECT_TRUE(std::regex_match(rows.front()[9], std::regex("-4[0-9] dBm"))) << rows.front()[9];

        // A double click on a row opens the access point detail below.
        page.List().SetItemState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        NMITEMACTIVATE header {};
        header.hdr = { page.List().m_hWnd, UINT_PTR(CPageSiteSurveyDlg::IDC_LIST), UINT(NM_DBLCLK) };
        page.SendMessage(WM_NOTIFY, CPageSiteSurveyDlg::IDC_LIST, reinterpret_cast<LPARAM>(&header));
        platform::testing::pump_until_idle();
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_AP_DETAIL);
    });
}

TEST_F(SiteSurveyRun, TheListFollowsTheWorld)
{
    world(shipped_world("default.ini"));
    fs::path const folder = survey_folder("live");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        run_until_rows(page);
        click(page, CPageSiteSurveyDlg::IDC_SORT_SIGNAL);
        auto names = [&] { return column(list_rows(folder), 1); };
        auto listed = [&](std::string const& name) {
            auto const all = names();
            return std::find(all.begin(), all.end(), name) != all.end();
        };

        live_command("ap-add newcomer ssid=Newcomer bssid=02:20:00:00:00:01 channel=6 rssi=-30");
        EXPECT_FALSE(listed("Newcomer"));
        rescan_and_wait(page);
        EXPECT_TRUE(listed("Newcomer"));
        EXPECT_EQ(names().front(), "Newcomer");

        // Moved below every network but the one drifting around -82 dBm.
        live_command("ap-signal newcomer -80");
        rescan_and_wait(page);
        auto const moved = names();
        auto const at = std::find(moved.begin(), moved.end(), "Newcomer") - moved.begin();
        auto const guest = std::find(moved.begin(), moved.end(), "Corp Guest") - moved.begin();
        EXPECT_GT(at, guest) << "Corp Guest is at -77 dBm";

        // A network gone from the air stays in the list for up to 15 seconds.
        live_command("ap-remove newcomer");
        rescan_and_wait(page);
        EXPECT_TRUE(listed("Newcomer"));
        run_for(11000);
        rescan_and_wait(page);
        EXPECT_FALSE(listed("Newcomer"));

        live_command("radio sw off");
        run_for(2500);
        EXPECT_TRUE(names().empty());
        live_command("radio sw on");
        run_for(1000);
        rescan_and_wait(page);
        EXPECT_EQ(names().size(), 24u);
    });
}

TEST_F(SiteSurveyRun, ACrowdedWorldFillsTheList)
{
    world(shipped_world("crowded.ini"));
    fs::path const folder = survey_folder("crowded");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        run_until_rows(page);
        std::uint32_t entries = 0;
        std::memcpy(&entries, page.BssidList(), sizeof entries);
        EXPECT_GT(entries, 150u) << "the list passes the first offer of 15364 bytes";
        EXPECT_EQ(page.RowCount(), int(entries) - 1) << "every entry but the inconsistent one";
        EXPECT_EQ(list_rows(folder).size(), std::size_t(page.RowCount()));
    });
}

TEST_F(SiteSurveyRun, OlderSystemsShowTheScanWaitRowWhenTheRadioComesOn)
{
    std::string text = shipped_world("default.ini");
    text = std::regex_replace(text, std::regex("\nos = 12\n"), "\nos = 9\n");
    world(text);
    fs::path const folder = survey_folder("scan-wait");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        window.ToggleExpand();
        run_until_rows(page);
        window.kind_button(BTN_SITESURVEY)->SendMessage(BM_CLICK);
        CShadeButtonST* const radio = window.kind_button(BTN_RADIO);
        radio->SendMessage(BM_CLICK);
        platform::testing::pump_until_idle();
        radio->SendMessage(BM_CLICK);
        platform::testing::pump_until_idle();
        auto const rows = list_rows(folder);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][1], G_UiStr.IDS_SITESUR_SCAN_WAIT);
    });
}
