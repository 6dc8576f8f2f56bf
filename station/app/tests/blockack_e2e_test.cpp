// End to end on the default simulated world, connected to "HomeNet 5G": the 802.11n page in
// manual set-up, an agreement added through the add dialog and seen in the originator table, one
// added by wlansim in the recipient table, one deleted through the delete dialog and the peer's
// rows taken away by wlansim. Each step's window tree is checked in the snapshot's windows.txt;
// the PNGs are kept beside the test for review.
#include "config_window_harness.h"
#include "Wlansim.h"

#include "platform/display/Snapshots.h"
#include "platform/system/Module.h"
#include "station/app/HideDlg.h"
#include "station/core/VxWlLib.h"
#include "station/features/AddBlockAckDlg.h"
#include "station/features/DeleteBlockAckDlg.h"
#include "station/features/Page80211nSettingDlg.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

using station::testing::wlansim;

using station::testing::ConfigWindowTest;

namespace {

using Page = CPage80211nSettingDlg;

constexpr char kHomeNet[] = "02-10-00-00-00-05";

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
        = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "blockack_snapshots" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

// The rows of list view `id` in the dump: "<selected>\t<column 0>\t<column 1>..." per row.
std::vector<std::string> list_rows(std::string const& tree, int id)
{
    std::istringstream lines(tree);
    std::string handle;
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string f; std::getline(split, f, '\t');)
            fields.push_back(f);
        if (fields.size() > 4 && fields[0] == "window")
            handle = fields[3] == "SysListView32" && fields[4] == std::to_string(id) ? fields[2] : "";
        else if (fields.size() > 4 && fields[0] == "item" && !handle.empty() && fields[1] == handle) {
            std::string row = fields[3];
            for (std::size_t i = 4; i < fields.size(); ++i)
                row += "\t" + fields[i];
            rows.push_back(row);
        }
    }
    return rows;
}

class BlockAckTest : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        world(read_file(std::string(VXWLAPI_FOLDER) + "/scenarios/default.ini"));
        // Profiles, site survey, 802.11n, radio and about; the policy and coexistence shown.
        options("0,1,8,9,10", { { "ACKPolicy_CoexMode_11nPage", "1" } });
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

    static std::string snapshot(std::string const& name)
    {
        platform::testing::pump_until_idle();
        std::string const folder = snapshot_folder(name);
        platform::display::write_snapshot(folder);
        return read_file(folder + "/windows.txt");
    }

    static void click(CWnd* button)
    {
        ASSERT_NE(button, nullptr);
        button->SendMessage(BM_CLICK);
        platform::testing::pump_until_idle();
    }

    // The stored active profile of "HomeNet 5G", which the utility connects with 4 s after it
    // starts.
    static void connect()
    {
        wlansim("profile-add Home 'ssid=HomeNet 5G' auth=wpa2-psk cipher=aes 'key=correct horse battery'");
        wlansim("profile-activate Home");
        advance(6000);
        WLAN_STATUS status {};
        G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 0, 1, 0, 0, 0 } });
        ASSERT_EQ(status.Status, VxStatus_Connected) << "link state " << status.LinkState;
    }
};

}

TEST_F(BlockAckTest, AgreementsAddedAndDeletedThroughThePageAndWlansim)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        connect();
        wlansim("ba-peer add 02:10:00:00:00:09");
        click(window.kind_button(BTN_80211N));
        Page& page = *window.m_pPage80211nSettingDlg;
        ASSERT_TRUE(page.IsWindowVisible());

        // Manual set-up, applied: the add and delete buttons come alive.
        click(page.GetDlgItem(Page::IDC_MANUAL));
        click(page.GetDlgItem(Page::IDC_APPLY));
        EXPECT_TRUE(page.GetDlgItem(Page::IDC_ORIGINATOR_ADD)->IsWindowEnabled());
        // Nothing stored yet: the policy was stored as all on, and the radio click left it.
        EXPECT_EQ(page.SendDlgItemMessage(Page::IDC_POLICY_VO, BM_GETCHECK), BST_CHECKED);

        // "+" of the originator table: the add dialog lists the access point first.
        click(page.GetDlgItem(Page::IDC_ORIGINATOR_ADD));
        ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_ADD_BLOCK_ACK);
        std::string tree = snapshot("add-dialog");
        auto peers = list_rows(tree, CAddBlockAckDlg::IDC_PEERS);
        ASSERT_EQ(peers.size(), 2u) << tree;
        EXPECT_EQ(peers[0], std::string("1\t") + kHomeNet) << "selected and first";
        EXPECT_EQ(peers[1], "0\t02-10-00-00-00-09");
        CWnd* add = window.m_pAddBlockAckDlg;
        add->SendDlgItemMessage(CAddBlockAckDlg::IDC_TID, CB_SETCURSEL, 3);
        add->SetDlgItemText(CAddBlockAckDlg::IDC_WINDOW_SIZE, "16");
        click(add->GetDlgItem(CAddBlockAckDlg::IDC_CONFIRM));
        EXPECT_EQ(window.current_sub_dialog(), 0);
        advance(1000);
        tree = snapshot("originator-added");
        EXPECT_EQ(list_rows(tree, Page::IDC_ORIGINATOR_LIST),
            std::vector<std::string> { std::string("0\t") + kHomeNet + "\t-\t-\t-\t16\t-\t-\t-\t-" });

        wlansim("ba add 02:10:00:00:00:05 5 recip 64");
        advance(1000);
        tree = snapshot("both-tables");
        EXPECT_EQ(list_rows(tree, Page::IDC_RECIPIENT_LIST),
            std::vector<std::string> { std::string("0\t") + kHomeNet + "\t-\t-\t-\t-\t-\t64\t-\t-" });

        // "-" of the originator table takes the one agreement away.
        click(page.GetDlgItem(Page::IDC_ORIGINATOR_DELETE));
        ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_DELETE_BLOCK_ACK);
        CWnd* del = window.m_pDeleteBlockAckDlg;
        EXPECT_TRUE(del->GetDlgItem(CDeleteBlockAckDlg::IDC_TID)->IsWindowVisible());
        del->SendDlgItemMessage(CDeleteBlockAckDlg::IDC_TID, CB_SETCURSEL, 3);
        click(del->GetDlgItem(CDeleteBlockAckDlg::IDC_CONFIRM));
        EXPECT_EQ(window.current_sub_dialog(), 0);
        advance(1000);
        tree = snapshot("originator-deleted");
        EXPECT_TRUE(list_rows(tree, Page::IDC_ORIGINATOR_LIST).empty());
        EXPECT_EQ(list_rows(tree, Page::IDC_RECIPIENT_LIST).size(), 1u);

        wlansim("ba remove 02:10:00:00:00:05");
        advance(1000);
        tree = snapshot("peer-removed");
        EXPECT_TRUE(list_rows(tree, Page::IDC_RECIPIENT_LIST).empty());
    });
}
