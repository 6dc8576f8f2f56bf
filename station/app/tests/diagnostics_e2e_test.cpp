// End to end on a simulated world: the tray's Diagnostic command runs the diagnostics dialog
// modally over the running program; the local test gives its verdicts, the gateway ping runs
// the system folder's ping through the script runner while the station is connected and fails
// once wlansim has switched the radio off; on older systems the diagnostics library answers,
// and a forced overflow shows. Snapshots of each step are kept beside the test for review.
#include "ConnectionHarness.h"

#include "platform/display/Snapshots.h"
#include "station/core/HideDlgIds.h"
#include "station/survey/DiagnosticDlg.h"

#include <filesystem>
#include <fstream>
#include <sstream>

using station::testing::ConnectionHarness;

namespace {

std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class DiagnosticsRun : public ConnectionHarness {
protected:
    // Writes a snapshot beside the test binary and answers its window tree.
    static std::string snapshot(std::string const& name)
    {
        platform::testing::pump_until_idle();
        std::filesystem::path const folder
            = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "diagnostics_snapshots" / name;
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        platform::display::write_snapshot(folder.string());
        return read_file((folder / "windows.txt").string());
    }

    static void click(HWND dialog, int id)
    {
        ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
        platform::testing::pump_until_idle();
    }

    static std::vector<std::string> lines(HWND dialog)
    {
        std::vector<std::string> out;
        auto* dlg = dynamic_cast<CDiagnosticDlg*>(CWnd::FromHandlePermanent(dialog));
        if (dlg)
            for (auto const& row : dlg->Rows())
                out.push_back(row.description);
        return out;
    }

    static bool has_line(std::vector<std::string> const& all, std::string const& line)
    {
        return std::find(all.begin(), all.end(), line) != all.end();
    }

    // Connects to the open network and opens the dialog from the tray; `script` runs in it.
    void run_diagnostics(std::function<void(HWND)> script)
    {
        on_dialog("Diagnostic Test", [script](HWND hwnd) {
            script(hwnd);
            click(hwnd, CDiagnosticDlg::IDC_CLOSE);
        });
        on_running([&](CHideDlg& dialog) {
            pass_start_up();
            connect_from_profile_page(dialog, station::testing::make_profile("Cafe", "Cafe"));
            advance_settled(4000);
            dialog.SendMessage(WM_COMMAND, ID_TRAY_DIAGNOSTIC, 0);
        });
        run();
    }
};

}

TEST_F(DiagnosticsRun, LocalTestAndGatewayPingOnNewerSystems)
{
    bool ran = false;
    run_diagnostics([&](HWND hwnd) {
        ran = true;
        click(hwnd, CDiagnosticDlg::IDC_LOCAL_TEST);
        std::string tree = snapshot("local-test");
        auto l = lines(hwnd);
        EXPECT_TRUE(has_line(l, "WLAN Card enabled.")) << tree;
        EXPECT_TRUE(has_line(l, "Version: 1.0.0.0")) << "the system folder's supplicant carries a version";
        EXPECT_NE(tree.find("\tWLAN Card enabled."), std::string::npos);

        click(hwnd, CDiagnosticDlg::IDC_NETWORK_TEST);
        tree = snapshot("ping-connected");
        l = lines(hwnd);
        EXPECT_TRUE(has_line(l, "Successful!!!")) << tree;
        EXPECT_TRUE(has_line(l, "MAC Address:00:1A:2B:3C:4D:5E")) << tree;
        EXPECT_TRUE(has_line(l, "Finish Diagnostic Gateway Ping Test..."));

        live_command("radio sw off");
        advance_settled(3000);
        click(hwnd, CDiagnosticDlg::IDC_NETWORK_TEST);
        tree = snapshot("ping-radio-off");
        l = lines(hwnd);
        EXPECT_TRUE(has_line(l, "Diagnostic Test Failed!!!")) << tree;
    });
    EXPECT_TRUE(ran) << "the tray command opened the dialog";
}

TEST_F(DiagnosticsRun, OlderSystemsAskTheDiagnosticsLibrary)
{
    world(station::testing::connection_world(9, "pranto_result = overflow\n"));
    bool ran = false;
    run_diagnostics([&](HWND hwnd) {
        ran = true;
        click(hwnd, CDiagnosticDlg::IDC_NETWORK_TEST);
        std::string const tree = snapshot("pranto-overflow");
        auto const l = lines(hwnd);
        EXPECT_TRUE(has_line(l, "Error: Buffer Overflow!!!")) << tree;
        EXPECT_TRUE(has_line(l, "Finish Diagnostic Gateway Ping Test..."));
    });
    EXPECT_TRUE(ran);
}
