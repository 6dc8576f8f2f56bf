// Runs the access point utility's start-up in the test's own process: a program folder of its
// own (the library stand-in, the option and language files), a world and store of its own,
// private named objects, the manual clock and a headless screen. A test scripts the dialogs
// that open modally, above all the hidden dialog, whose script runs once start-up is done; the
// program's message boxes are answered with OK unless a script is given for their caption.
#pragma once

#include "accesspoint/app/HideDlg.h"
#include "accesspoint/app/Hotvane2008App.h"
#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/EventArray.h"
#include "platform/framework/Afx.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/Resources.h"
#include "platform/system/Module.h"
#include "platform/system/TrayModel.h"
#include "platform/user/Testing.h"
#include "platform/user/WindowCore.h"
#include "station/core/IniFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace hotvane::testing {

inline std::string shipped_world(std::string const& name = "default.ini")
{
    std::ifstream in(std::string(SCENARIO_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The default world with its adapter's driver ready at once.
inline std::string ready_world(std::string const& extra_world_keys = "")
{
    std::string text = shipped_world();
    auto const delay = text.find("init_delay_ms = 500");
    if (delay != std::string::npos)
        text.replace(delay, std::strlen("init_delay_ms = 500"), "init_delay_ms = 0");
    // At the end of the section, where they win over the keys above them.
    if (!extra_world_keys.empty())
        text.replace(text.find("\n[", text.find("[world]\n")) + 1, 0, extra_world_keys);
    return text;
}

struct LibraryCall {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

class HotvaneAppHarness : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "hotvane-app-XXXXXX").string();
        m_folder = ::mkdtemp(pattern.data());
        fs::create_directories(m_folder + "/run");
        fs::create_directories(m_folder + "/store");
        ::setenv("ZORVEL_RUNTIME_DIR", (m_folder + "/run").c_str(), 1);
        ::setenv("VXSIM_STORE", (m_folder + "/store").c_str(), 1);
        ::setenv("VXSIM_SCENARIO", (m_folder + "/world.ini").c_str(), 1);
        fs::create_symlink(std::string(VXAPAPI_FOLDER) + "/VxAPAPI.so", m_folder + "/VxAPAPI.so");
        fs::create_directory_symlink(std::string(ACCESSPOINT_RESOURCES_DIR) + "/Languages", m_folder + "/Languages");
        fs::copy_file(std::string(ACCESSPOINT_RESOURCES_DIR) + "/Hotvane.ini", m_folder + "/Hotvane.ini");
        // The program's own file, whose version the about page shows.
        if (fs::exists(std::string(VXAPAPI_FOLDER) + "/Hotvane"))
            fs::create_symlink(std::string(VXAPAPI_FOLDER) + "/Hotvane", m_folder + "/Hotvane");
        SetProgramPathForTesting(m_folder + "/Hotvane");
        platform::framework::load_resources(std::string(ACCESSPOINT_RESOURCES_DIR) + "/Hotvane.res");
        platform::testing::use_manual_clock();
        platform::user::set_desktop_size(1024, 768);
        platform::system::TrayModel::the().clear();
        platform::framework::message_box_log().clear();
        G_bDeviceRemoved = FALSE;
        G_aryEventLog.RemoveAll();
        G_nEventLogShown = 0;
        world(ready_world());
        m_library = ::LoadLibrary((m_folder + "/VxAPAPI.dll").c_str());
        ASSERT_NE(m_library, nullptr);
        // A world an earlier test left running (on its own store) goes: this test's is made anew.
        hook<int (*)()>("VXAP_DeInitial")();
        hook<void (*)()>("VXSIM_ApCallLogClear")();
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
    // Sets `key` of the option file to `value`: in its line when the file has one, else in a
    // section appended for it.
    void set_option(std::string const& section, std::string const& key, std::string const& value)
    {
        std::ifstream in(m_folder + "/Hotvane.ini");
        std::string text;
        bool found = false;
        for (std::string line; std::getline(in, line);) {
            if (line.rfind(key + "=", 0) == 0) {
                line = key + "=" + value;
                found = true;
            }
            text += line + "\n";
        }
        if (!found)
            text += "[" + section + "]\n" + key + "=" + value + "\n";
        write("Hotvane.ini", text);
    }
    std::string const& folder() const { return m_folder; }

    void on_dialog(std::string const& title, std::function<void(HWND)> script) { m_scripts[title] = std::move(script); }
    void on_running(std::function<void(CHideDlg&)> script) { m_running = std::move(script); }

    BOOL run(std::vector<std::string> arguments = {})
    {
        std::vector<char*> argv { const_cast<char*>("Hotvane") };
        for (auto& a : arguments)
            argv.push_back(a.data());
        CHotvane2008App app;
        app.set_command_line(int(argv.size()), argv.data());
        AfxInstallMessageFilter();
        platform::user::set_modal_hook([this](HWND hwnd) { on_modal(hwnd); });
        BOOL const result = app.InitInstance();
        app.ExitInstance();
        platform::user::set_modal_hook(nullptr);
        return result;
    }

    template<typename Fn>
    Fn hook(char const* name)
    {
        return reinterpret_cast<Fn>(::GetProcAddress(m_library, name));
    }

    // The library's calls since the test began (or the log was cleared), oldest first.
    std::vector<LibraryCall> calls()
    {
        std::vector<LibraryCall> out;
        auto const count = hook<int (*)()>("VXSIM_ApCallCount")();
        auto const call = hook<int (*)(int, char*, int, void*, int)>("VXSIM_ApCall");
        for (int i = 0; i < count; ++i) {
            char name[64] {};
            int const size = call(i, name, sizeof name, nullptr, 0);
            LibraryCall c { name, std::vector<std::uint8_t>(std::size_t(std::max(size, 0))) };
            call(i, name, sizeof name, c.bytes.data(), int(c.bytes.size()));
            out.push_back(std::move(c));
        }
        return out;
    }
    std::vector<std::string> call_names()
    {
        std::vector<std::string> names;
        for (auto const& c : calls())
            names.push_back(c.name);
        return names;
    }
    int count_calls(std::string const& name)
    {
        int n = 0;
        for (auto const& c : calls())
            n += c.name == name;
        return n;
    }
    void clear_calls() { hook<void (*)()>("VXSIM_ApCallLogClear")(); }

    // Waits until the library delivered everything due now, then pumps.
    void settle()
    {
        hook<void (*)()>("VXSIM_Settle")();
        platform::testing::pump_until_idle();
    }
    // Moves the clock in steps of at most 500 ms, letting the library deliver at each.
    void advance(unsigned ms)
    {
        while (ms > 0) {
            unsigned const step = std::min(ms, 500u);
            platform::testing::advance(step);
            settle();
            ms -= step;
        }
        settle();
    }

    // Runs wlansim with `args` on this test's world and lets the library see the change.
    void wlansim(std::string const& args)
    {
        FILE* pipe = ::popen((std::string(WLANSIM_PATH) + " " + args + " 2>&1").c_str(), "r");
        std::string out;
        std::array<char, 256> buffer {};
        while (pipe && std::fgets(buffer.data(), int(buffer.size()), pipe))
            out += buffer.data();
        if (pipe)
            ::pclose(pipe);
        EXPECT_EQ(out, "") << args;
        advance(10);
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

    static std::vector<std::string> box_texts()
    {
        std::vector<std::string> texts;
        for (auto const& box : platform::framework::message_box_log())
            texts.push_back(box.text);
        return texts;
    }

private:
    void on_modal(HWND hwnd)
    {
        if (auto* dialog = dynamic_cast<CHideDlg*>(CWnd::FromHandlePermanent(hwnd))) {
            if (m_running)
                m_running(*dialog);
            if (::IsWindow(hwnd))
                ::PostMessage(hwnd, WM_COMMAND, ID_TRAY_EXIT, 0);
            return;
        }
        std::string const title = title_of(hwnd);
        if (auto it = m_scripts.find(title); it != m_scripts.end()) {
            it->second(hwnd);
            return;
        }
        if (::GetDlgItem(hwnd, message_box_text_id)) {
            ::PostMessage(hwnd, WM_COMMAND, IDOK, 0);
            return;
        }
        // A dialog nobody scripted would hang the test: close it.
        ADD_FAILURE() << "unscripted dialog \"" << title << "\"";
        ::PostMessage(hwnd, WM_COMMAND, IDCANCEL, 0);
    }

    std::string m_folder;
    HMODULE m_library { nullptr };
    std::map<std::string, std::function<void(HWND)>> m_scripts;
    std::function<void(CHideDlg&)> m_running;
};

}
