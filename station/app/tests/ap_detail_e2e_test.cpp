// The access point detail in the running program on the shipped default world: a double click
// on a network of the site survey opens it below, its tabs show what the scan knows (read from
// the window-tree dump of a snapshot), Close gives the place back to the link status, and a
// change of the world through wlansim shows after a rescan. PNG snapshots of each tab are
// written beside the test for a person.
#include "config_window_harness.h"

#include "platform/display/Snapshots.h"
#include "station/survey/APDetailInfoDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <filesystem>
#include <fstream>
#include <map>

using station::testing::ConfigWindowTest;

namespace {

namespace fs = std::filesystem;

std::string shipped_world(std::string const& name)
{
    std::ifstream in(std::string(STATION_RESOURCES_DIR) + "/../scenarios/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path snapshot_folder(std::string const& name)
{
    fs::path const folder = fs::read_symlink("/proc/self/exe").parent_path() / "ap_detail_snapshots" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::vector<std::string> split(std::string const& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    return fields;
}

// What a snapshot shows: the text of every visible control by id (the dump escapes line
// breaks as "\n"), and the rows of the visible list with id 1371.
struct Shown {
    std::map<int, std::string> texts;
    std::vector<std::vector<std::string>> ht_rows;
};

Shown snapshot(fs::path const& folder)
{
    platform::display::write_snapshot(folder.string());
    std::ifstream in(folder / "windows.txt");
    Shown shown;
    std::string list_handle;
    for (std::string line; std::getline(in, line);) {
        auto const f = split(line);
        if (f.size() > 6 && f[0] == "window" && f[6][0] == 'V') {
            shown.texts[std::stoi(f[4])] = f.size() > 7 ? f[7] : "";
            if (f[4] == "1371")
                list_handle = f[2];
        } else if (f.size() > 4 && f[0] == "item" && f[1] == list_handle) {
            shown.ht_rows.emplace_back(f.begin() + 4, f.end());
        }
    }
    return shown;
}

class DetailRun : public ConfigWindowTest {
protected:
    static void run_for(int ms)
    {
        for (int waited = 0; waited < ms; waited += 500) {
            platform::testing::advance(500);
            platform::testing::pump_until_idle();
        }
    }
    void wlansim(std::string const& line) { std::ofstream(folder() + "/store/live.cmd", std::ios::app) << line << "\n"; }
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
    static void click(CWnd* button)
    {
        button->SendMessage(BM_CLICK);
        platform::testing::pump_until_idle();
    }
    static std::string ht_value(Shown const& shown, std::string const& property)
    {
        for (auto const& row : shown.ht_rows)
            if (row.size() > 1 && row[0] == property)
                return row[1];
        return "(no row)";
    }
};

}

TEST_F(DetailRun, DoubleClickShowsTheNetworkInTabs)
{
    world(shipped_world("default.ini"));
    fs::path const folder = snapshot_folder("default");
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
        Shown const ht = snapshot(folder / "80211n");
        ASSERT_EQ(ht.ht_rows.size(), 64u);
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
    fs::path const folder = snapshot_folder("live");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        window.ToggleExpand();
        wlansim("ap-set wpa2-psk sgi40=0");
        click(page.GetDlgItem(CPageSiteSurveyDlg::IDC_RESCAN));
        run_for(5000);
        double_click(page, "HomeNet 5G");
        Shown shown = snapshot(folder);
        EXPECT_TRUE(shown.texts[1338].ends_with(": 270.0")) << shown.texts[1338];
    });
}
