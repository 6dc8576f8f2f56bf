// Runs the station utility's start-up in the test's own process: a program folder of its own
// (the library stand-in, the option and language files), a simulated world written by the test,
// private named objects, the manual clock and a headless screen. A test scripts the dialogs
// that open modally, above all the hidden dialog, whose script runs once start-up is done.
#pragma once

#include "platform/framework/Afx.h"
#include "platform/framework/Resources.h"
#include "platform/system/TrayModel.h"
#include "platform/user/Testing.h"
#include "platform/user/WindowCore.h"
#include "station/app/HideDlg.h"
#include "station/app/VxUI2008App.h"
#include "station/core/HideDlgIds.h"
#include "station/core/IniFile.h"
#include "station/core/VxWlLib.h"
#include "station/core/tests/Worlds.h"
#include "wlan/sim/LiveLog.h"
#include "wlan/sim/Store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace station::testing {

class AppHarness : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "zorvel-app-XXXXXX").string();
        m_folder = ::mkdtemp(pattern.data());
        fs::create_directories(m_folder + "/run");
        fs::create_directories(m_folder + "/store");
        ::setenv("ZORVEL_RUNTIME_DIR", (m_folder + "/run").c_str(), 1);
        // The registry and service stand-ins of this test alone.
        ::setenv("ZORVEL_DATA_DIR", (m_folder + "/data").c_str(), 1);
        ::setenv("VXSIM_STORE", (m_folder + "/store").c_str(), 1);
        ::setenv("VXSIM_SCENARIO", (m_folder + "/world.ini").c_str(), 1);
        ::setenv("ZORVEL_SYSTEM_DIR", VXWLAPI_FOLDER "/system32", 1);
        fs::create_symlink(std::string(VXWLAPI_FOLDER) + "/VxWLAPI.so", m_folder + "/VxWLAPI.so");
        fs::create_directory_symlink(std::string(STATION_RESOURCES_DIR) + "/Languages", m_folder + "/Languages");
        fs::copy_file(std::string(STATION_RESOURCES_DIR) + "/Zorvel.ini", m_folder + "/Zorvel.ini");
        SetProgramPathForTesting(m_folder + "/Zorvel");
        platform::framework::load_resources(std::string(STATION_RESOURCES_DIR) + "/Zorvel.res");
        platform::testing::use_manual_clock();
        platform::user::set_desktop_size(1024, 768);
        platform::system::TrayModel::the().clear();
        platform::framework::message_box_log().clear();
        world(kOneAdapterWorld);
    }

    void TearDown() override
    {
        platform::user::set_modal_hook(nullptr);
        platform::testing::reset_windows();
        platform::system::TrayModel::the().clear();
        SetProgramPathForTesting("");
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    void world(std::string const& text) { write("world.ini", text); }
    void write(std::string const& name, std::string const& text)
    {
        std::filesystem::remove(m_folder + "/" + name);
        std::ofstream(m_folder + "/" + name, std::ios::binary) << text;
    }
    void remove(std::string const& name) { std::filesystem::remove(m_folder + "/" + name); }
    std::string const& folder() const { return m_folder; }
    // What wlansim does with a live command, without running it: appends the line to the
    // store's log, which the running library's next call applies.
    void live_command(std::string const& line)
    {
        wlan::sim::Store store(m_folder + "/store");
        ASSERT_TRUE(wlan::sim::append_live_command(store, line)) << line;
    }

    // The script of a modal dialog, chosen by the dialog's title.
    void on_dialog(std::string const& title, std::function<void(HWND)> script) { m_scripts[title] = std::move(script); }
    // The script of the running program: its hidden dialog once start-up is done. Unless the
    // script ended the program, the exit command follows it.
    void on_running(std::function<void(CHideDlg&)> script) { m_running = std::move(script); }

    // Runs the application object as the program's entry would, with these arguments and the
    // framework's message filter, so that keys take the program's own way.
    BOOL run(std::vector<std::string> arguments = {})
    {
        std::vector<char*> argv { const_cast<char*>("Zorvel") };
        for (auto& a : arguments)
            argv.push_back(a.data());
        CVxUI2008App app;
        app.set_command_line(int(argv.size()), argv.data());
        AfxInstallMessageFilter();
        platform::user::set_modal_hook([this](HWND hwnd) { on_modal(hwnd); });
        BOOL const result = app.InitInstance();
        app.ExitInstance();
        platform::user::set_modal_hook(nullptr);
        return result;
    }

    static std::string title_of(HWND hwnd)
    {
        char text[256] {};
        ::GetWindowText(hwnd, text, sizeof text);
        return text;
    }

    static std::optional<platform::system::TrayIcon> tray_icon()
    {
        auto icons = platform::system::TrayModel::the().icons();
        if (icons.empty())
            return std::nullopt;
        return icons.front();
    }

private:
    void on_modal(HWND hwnd)
    {
        std::string const title = title_of(hwnd);
        if (title == HIDE_DLG_TITLE) {
            auto* dialog = dynamic_cast<CHideDlg*>(CWnd::FromHandlePermanent(hwnd));
            ASSERT_NE(dialog, nullptr);
            if (m_running)
                m_running(*dialog);
            if (::IsWindow(hwnd))
                ::PostMessage(hwnd, WM_COMMAND, ID_TRAY_EXIT, 0);
            return;
        }
        if (auto it = m_scripts.find(title); it != m_scripts.end()) {
            it->second(hwnd);
            return;
        }
        // A dialog nobody scripted would hang the test: close it.
        ADD_FAILURE() << "unscripted dialog \"" << title << "\"";
        ::PostMessage(hwnd, WM_COMMAND, IDCANCEL, 0);
    }

    std::string m_folder;
    std::map<std::string, std::function<void(HWND)>> m_scripts;
    std::function<void(CHideDlg&)> m_running;
};

}
