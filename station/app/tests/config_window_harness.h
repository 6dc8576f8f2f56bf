// Runs the station utility in the test's process (AppHarness) and hands a test its
// configuration window: the option file's page-button sequence, the machine of the simulated
// world (system code, administrator, zero-configuration, radio) and the screen height are the
// test's choice. Drawing is pinned (test font, classic colours, fixed random seed), so that
// pixels repeat from run to run.
#pragma once

#include "AppHarness.h"

#include "platform/framework/Resources.h"
#include "platform/gdi/Testing.h"
#include "platform/system/Module.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/controls/CTabDialog.h"
#include "station/controls/ShadePatterns.h"
#include "station/core/CtrlHelpers.h"

#include <cstdlib>
#include <functional>
#include <fstream>
#include <regex>
#include <sstream>

namespace station::testing {

struct Machine {
    int os { 12 };
    bool admin { true };
    int zero_config { 0 };
    bool hw_radio { true };
    bool sw_radio { true };
};

class ConfigWindowTest : public AppHarness {
protected:
    void SetUp() override
    {
        AppHarness::SetUp();
        platform::gdi::testing::use_test_drawing(WINDOW_TEST_FONT);
        station::controls::seed_shade_rand(1);
        // The program's entry installs the framework's message filter (keyboard help and
        // dialog keys); the harness calls InitInstance itself.
        AfxInstallMessageFilter();
        machine(Machine {});
    }

    void TearDown() override
    {
        SetMessageBoxHandler(nullptr);
        AppHarness::TearDown();
    }

    // The world's machine, with its one adapter.
    void machine(Machine const& m)
    {
        std::string text = kOneAdapterWorld;
        std::ostringstream head;
        // A machine whose system service runs the adapter chose it as the configuration tool.
        head << "[world]\nos = " << m.os << "\nadmin = " << m.admin << "\nzero_config = " << m.zero_config
             << "\nconfig_tool = " << (m.zero_config == 2 ? 0 : 1)
             << "\nhw_radio = " << m.hw_radio << "\nsw_radio = " << m.sw_radio << "\n";
        text.replace(0, text.find("ap_mode"), head.str());
        world(text);
    }

    // The option file with this page-button sequence ("" is every kind) and other keys.
    void options(std::string const& sequence, std::map<std::string, std::string> const& keys = {})
    {
        std::ifstream in(std::string(STATION_RESOURCES_DIR) + "/Zorvel.ini", std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        std::string text = std::regex_replace(buffer.str(), std::regex("Button Sequence=[^\n]*"), "Button Sequence=" + sequence);
        for (auto const& [key, value] : keys)
            text = std::regex_replace(text, std::regex("\n" + key + "=[^\n]*"), "\n" + key + "=" + value);
        write("Zorvel.ini", text);
    }

    // The help document the program looks for beside itself.
    void help_file() { write("VXCONFIGENG.html", "<html><body>Help</body></html>\n"); }

    // Runs the program; the script gets the hidden dialog and its configuration window. With
    // `before`, the program starts in the tray ("-s"), `before` runs, and then the window is
    // opened from the tray.
    void with_window(std::function<void(CHideDlg&, CVxUI2008Dlg&)> script,
        std::function<void(CHideDlg&)> before = {})
    {
        bool ran = false;
        on_running([&](CHideDlg& dialog) {
            if (before) {
                platform::testing::advance(1000);
                before(dialog);
                dialog.SendMessage(WM_COMMAND, ID_TRAY_LAUNCH);
            }
            ASSERT_NE(dialog.m_pVxUI, nullptr);
            ran = true;
            platform::testing::pump_until_idle();
            script(dialog, *dialog.m_pVxUI);
        });
        run(before ? std::vector<std::string> { "-s" } : std::vector<std::string> {});
        EXPECT_TRUE(ran);
    }

    // The station utility's resources with one dialog template left out.
    static std::shared_ptr<platform::framework::ResourceSet> resources_without(int dialog_id)
    {
        std::string const dir = STATION_RESOURCES_DIR;
        std::string text = read_inlined(dir + "/Zorvel.res");
        std::regex const block("\ndialog " + std::to_string(dialog_id) + " [^\n]*\n(?:(?!end\n)[^\n]*\n)*end\n");
        text = std::regex_replace(text, block, "\n");
        auto set = std::make_shared<platform::framework::ResourceSet>();
        set->parse(text, dir, "Zorvel.res");
        return set;
    }

public:
    // Rectangle of a row button in the page host's client coordinates.
    static CRect in_host(CVxUI2008Dlg& window, CWnd* button)
    {
        CRect rect;
        button->GetWindowRect(&rect);
        window.page_host()->ScreenToClient(&rect);
        return rect;
    }

    static CRect template_rect(CVxUI2008Dlg& window, int id)
    {
        RECT rect {};
        GetCtrlRectInDlg(&rect, window.m_hWnd, id);
        return CRect(rect);
    }

    static bool visible(CWnd* window) { return window && window->m_hWnd && window->IsWindowVisible(); }
    static bool enabled(CWnd* window) { return window && window->m_hWnd && window->IsWindowEnabled(); }

protected:
    // The simulated world's pending steps run, then the queue until idle.
    static void settle()
    {
        // Looked up each time: every run loads the library anew, maybe at another address.
        using Settle = void (*)();
        if (auto const fn = reinterpret_cast<Settle>(GetProcAddress(G_VxWlLib.hModule, "VXSIM_Settle")))
            fn();
        platform::testing::pump_until_idle();
    }
    // The clock moved `ms` in steps of 100 ms, settling after each.
    static void run_for(int ms)
    {
        for (int waited = 0; waited < ms; waited += 100) {
            platform::testing::advance(100);
            settle();
        }
    }
    // Runs in steps until `done`, at most `limit` ms of the clock.
    static bool run_until(std::function<bool()> const& done, int limit)
    {
        for (int waited = 0; waited < limit && !done(); waited += 100) {
            platform::testing::advance(100);
            settle();
        }
        return done();
    }

private:
    static std::string read_inlined(std::string const& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::string const folder = path.substr(0, path.rfind('/') + 1);
        std::string out;
        std::string line;
        std::smatch match;
        std::regex const include("^include \"([^\"]+)\"");
        while (std::getline(in, line)) {
            if (std::regex_search(line, match, include))
                out += read_inlined(folder + match[1].str());
            else
                out += line + "\n";
        }
        return out;
    }
};

}
