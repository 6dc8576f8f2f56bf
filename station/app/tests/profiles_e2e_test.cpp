// End to end on the default simulated world: profiles stored with wlansim show on the profile
// page; Activate connects with the right key and the row's mark follows the link within one
// 3-second tick; a wrong key fails and the tray shows no connection; Export, Delete and Import
// move a profile out of the store and back. The store is read with `wlansim profiles` after
// each step, the page from the snapshot's windows.txt; the PNGs stay beside the test.
#include "config_window_harness.h"
#include "Wlansim.h"

#include "platform/display/Snapshots.h"
#include "platform/system/FileDialog.h"
#include "platform/system/FileDialogModel.h"
#include "station/app/HideDlg.h"
#include "station/profiles/PageProfileDlg.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

using station::testing::wlansim;

using station::testing::ConfigWindowTest;

namespace {

std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string snapshot_folder(std::string const& name)
{
    std::filesystem::path const folder
        = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "profiles_snapshots" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

// The item lines of the list `list` in windows.txt: "<row>\t<selected>\t<column texts...>".
std::vector<std::string> list_items(std::string const& tree, HWND list)
{
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "item\t%p\t", static_cast<void*>(list));
    std::vector<std::string> items;
    std::istringstream lines(tree);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(prefix, 0) == 0)
            items.push_back(line.substr(std::strlen(prefix)));
    return items;
}

bool has_item_with(std::vector<std::string> const& items, std::string const& text)
{
    for (auto const& item : items)
        if (item.find("\t" + text + "\t") != std::string::npos)
            return true;
    return false;
}

class ProfilesEndToEndTest : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        world(read_file(std::string(VXWLAPI_FOLDER) + "/scenarios/default.ini"));
        options("0,1,12,9,10");
    }
    void TearDown() override
    {
        platform::system::set_file_dialog_ui(nullptr);
        ConfigWindowTest::TearDown();
    }

    // Runs wlansim and answers what it printed.

    static std::string snapshot(std::string const& name)
    {
        platform::testing::pump_until_idle();
        std::string const folder = snapshot_folder(name);
        platform::display::write_snapshot(folder);
        return folder;
    }

    static void click(CWnd* button)
    {
        ASSERT_NE(button, nullptr);
        button->SendMessage(BM_CLICK);
        platform::testing::pump_until_idle();
    }

    static void select(CPageProfileDlg& page, char const* name)
    {
        page.m_listProfile.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row = 0; row < page.RowCount(); ++row)
            if (page.Row(row).strName == name)
                page.m_listProfile.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        // The notice a click sends: a whole NMITEMACTIVATE, which the list reads too.
        NMITEMACTIVATE click {};
        click.hdr = { page.m_listProfile.m_hWnd, CPageProfileDlg::IDC_LIST, UINT(NM_CLICK) };
        click.iItem = -1;
        page.SendMessage(WM_NOTIFY, CPageProfileDlg::IDC_LIST, reinterpret_cast<LPARAM>(&click));
        platform::testing::pump_until_idle();
    }

    static int mark_of(CPageProfileDlg& page, char const* name)
    {
        for (int row = 0; row < page.RowCount(); ++row)
            if (page.Row(row).strName == name)
                return page.Row(row).nMark;
        return -2;
    }

    // The file dialog answers with `path`.
    static void file_dialog_answers(std::string const& path)
    {
        platform::system::set_file_dialog_ui([path](platform::system::FileDialogModel& model, auto const&) {
            return model.submit(path) == platform::system::FileDialogModel::Outcome::accepted
                ? platform::system::FileDialogAnswer::accepted
                : platform::system::FileDialogAnswer::cancelled;
        });
    }
};

}

TEST_F(ProfilesEndToEndTest, StoredProfilesConnectMarkAndTravelThroughAFile)
{
    wlansim("profile-add 'Corner Cafe' 'ssid=Corner Cafe'");
    wlansim("profile-add 'HomeNet 5G' 'ssid=HomeNet 5G' auth=wpa2-psk cipher=aes 'key=correct horse battery'");
    wlansim("profile-add Sunflower ssid=Sunflower auth=wpa-psk cipher=tkip key=not-the-key");
    EXPECT_EQ(wlansim("profiles"),
        "profile\t1\tCorner Cafe\tCorner Cafe\topen/none\tpac 0\n"
        "profile\t2\tHomeNet 5G\tHomeNet 5G\twpa2-psk/aes\tpac 0\n"
        "profile\t3\tSunflower\tSunflower\twpa-psk/tkip\tpac 0\n"
        "active\t\n");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        click(window.kind_button(BTN_PROFILE));
        CPageProfileDlg& page = *window.m_pPageProfileDlg;
        ASSERT_TRUE(page.IsWindowVisible());
        std::string folder = snapshot("listed");
        auto items = list_items(read_file(folder + "/windows.txt"), page.m_listProfile.m_hWnd);
        EXPECT_TRUE(has_item_with(items, "Corner Cafe"));
        EXPECT_TRUE(has_item_with(items, "HomeNet 5G"));
        EXPECT_TRUE(has_item_with(items, "Sunflower"));

        // Activate with the right key: connected, and marked so within one tick.
        select(page, "HomeNet 5G");
        click(page.GetDlgItem(CPageProfileDlg::IDC_ACTIVATE));
        EXPECT_NE(wlansim("profiles").find("active\tHomeNet 5G\n"), std::string::npos);
        platform::testing::advance(1000);
        platform::testing::advance(CPageProfileDlg::kActiveMarkMs);
        EXPECT_EQ(mark_of(page, "HomeNet 5G"), 0);
        snapshot("connected");
        platform::testing::advance(5000);
        ASSERT_TRUE(tray_icon());
        EXPECT_NE(tray_icon()->tip.find("Connected to HomeNet 5G"), std::string::npos) << tray_icon()->tip;

        // The access point fades: active, not connected.
        wlansim("ap-signal wpa2-psk -97");
        platform::testing::advance(6000);
        EXPECT_EQ(mark_of(page, "HomeNet 5G"), 1);
        wlansim("ap-signal wpa2-psk -52");

        // A wrong key fails: the tray shows no connection to it.
        select(page, "Sunflower");
        click(page.GetDlgItem(CPageProfileDlg::IDC_ACTIVATE));
        platform::testing::advance(15000);
        snapshot("wrong-key");
        EXPECT_EQ(mark_of(page, "Sunflower"), 1);
        ASSERT_TRUE(tray_icon());
        EXPECT_EQ(tray_icon()->tip.find("Connected"), std::string::npos) << tray_icon()->tip;

        // Export, Delete and Import bring the profile back as it was.
        std::string const file = this->folder() + "/cafe.prof";
        select(page, "Corner Cafe");
        file_dialog_answers(file);
        click(page.GetDlgItem(CPageProfileDlg::IDC_EXPORT));
        ASSERT_TRUE(std::filesystem::exists(file));
        click(page.GetDlgItem(CPageProfileDlg::IDC_DELETE));
        EXPECT_EQ(wlansim("profiles").find("Corner Cafe"), std::string::npos);
        items = list_items(read_file(snapshot("deleted") + "/windows.txt"), page.m_listProfile.m_hWnd);
        EXPECT_FALSE(has_item_with(items, "Corner Cafe"));
        click(page.GetDlgItem(CPageProfileDlg::IDC_IMPORT));
        EXPECT_NE(wlansim("profiles").find("profile\t1\tCorner Cafe\tCorner Cafe\topen/none\tpac 0\n"), std::string::npos);
        items = list_items(read_file(snapshot("imported") + "/windows.txt"), page.m_listProfile.m_hWnd);
        EXPECT_TRUE(has_item_with(items, "Corner Cafe"));
    });
}
