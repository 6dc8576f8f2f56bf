// End to end on the default simulated world: connected to the open network, the statistics
// page counts every two seconds while it shows, a counter above 2^32 set by wlansim shows in
// full, and Reset shows zeros at once. Snapshots of both tabs are kept beside the test.
#include "ConnectionHarness.h"
#include "config_window_harness.h"

#include "platform/display/Snapshots.h"
#include "station/survey/PageStatisticsDlg.h"

#include <filesystem>
#include <fstream>
#include <sstream>

using station::testing::ConfigWindowTest;

namespace {

std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class StatisticsRun : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        world(read_file(std::string(VXWLAPI_FOLDER) + "/scenarios/default.ini"));
        options("0,1,3,9,10");
    }

    static std::string snapshot(std::string const& name)
    {
        platform::testing::pump_until_idle();
        std::filesystem::path const folder
            = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "statistics_snapshots" / name;
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        platform::display::write_snapshot(folder.string());
        return read_file((folder / "windows.txt").string());
    }

    // The first counter of the transmit tab ("sent").
    static std::string tx_ok(CPageStatisticsDlg& page)
    {
        char text[64] {};
        ::GetDlgItemText(page.TxTab().m_hWnd, CPageStatisticsTXDlg::IDC_FIRST_VALUE, text, sizeof text);
        return text;
    }

    static void settle(std::uint64_t ms)
    {
        for (std::uint64_t t = 0; t < ms; t += 100) {
            platform::testing::advance(100);
            using Settle = void (*)();
            if (auto fn = reinterpret_cast<Settle>(GetProcAddress(G_VxWlLib.hModule, "VXSIM_Settle")))
                fn();
            platform::testing::pump_until_idle();
        }
    }
};

}

TEST_F(StatisticsRun, CountsWhileShownAndResets)
{
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        settle(4100);
        CPageProfileDlg* profiles = window.m_pPageProfileDlg;
        profiles->m_nActionType = actionTypeProfile;
        *profiles->m_pActionProfile = station::testing::make_profile("Cafe", "Corner Cafe");
        dialog.SendMessage(ACTION_INSERT_EXEC, SEND_BY_PROFILE_DLG, 0);
        settle(4000);

        window.kind_button(BTN_STATISTIC)->SendMessage(BM_CLICK);
        CPageStatisticsDlg& page = *window.m_pPageStatisticsDlg;
        ASSERT_TRUE(page.IsWindowVisible());
        live_command("counters tx_ok=4294967301");
        settle(2000);
        std::string const tree = snapshot("transmit");
        // The link's traffic goes on counting from the number set.
        std::uint64_t const first = std::stoull(tx_ok(page));
        EXPECT_GE(first, 4294967301u) << "shown in full, not its low 32 bits";
        EXPECT_NE(tree.find("\t" + tx_ok(page)), std::string::npos);
        settle(2000);
        EXPECT_GT(std::stoull(tx_ok(page)), first) << "counts every two seconds";

        page.SendDlgItemMessage(CPageStatisticsDlg::IDC_RESET_COUNTER, BM_CLICK);
        platform::testing::pump_until_idle();
        EXPECT_EQ(tx_ok(page), "0") << "zeros at once";

        page.SendDlgItemMessage(CPageStatisticsDlg::IDC_RX_BUTTON, BM_CLICK);
        settle(2000);
        snapshot("receive");
    });
}
