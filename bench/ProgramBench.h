// Runs the station utility in a benchmark's process as it runs in its tests: its library
// stand-in, language and option files come from the build's bin/ folder, the simulated world
// is the benchmark's, the clock is manual and the screen headless. The benchmarks run from
// inside the hidden dialog's modal loop, once the configuration window is up.
#pragma once

#include "platform/framework/Afx.h"
#include "platform/framework/Resources.h"
#include "platform/user/Testing.h"
#include "platform/user/WindowCore.h"
#include "station/app/HideDlg.h"
#include "station/app/VxUI2008App.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/core/HideDlgIds.h"
#include "station/core/IniFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

namespace station::bench {

namespace fs = std::filesystem;

// The program's folder: bin/ beside this benchmark's folder in the build tree.
inline fs::path bin_folder()
{
    return fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin";
}

inline fs::path make_program_folder(fs::path const& bin, std::string const& world)
{
    std::string pattern = (fs::temp_directory_path() / "zorvel-bench-XXXXXX").string();
    fs::path const folder = ::mkdtemp(pattern.data());
    fs::create_directories(folder / "run");
    fs::create_directories(folder / "store");
    ::setenv("ZORVEL_RUNTIME_DIR", (folder / "run").c_str(), 1);
    ::setenv("VXSIM_STORE", (folder / "store").c_str(), 1);
    ::setenv("VXSIM_SCENARIO", (folder / "world.ini").c_str(), 1);
    std::ofstream(folder / "world.ini") << world;
    fs::create_symlink(bin / "VxWLAPI.so", folder / "VxWLAPI.so");
    fs::create_directory_symlink(bin / "Languages", folder / "Languages");
    fs::copy_file(bin / "Zorvel.ini", folder / "Zorvel.ini");
    fs::copy_file(bin / "VXCONFIGENG.html", folder / "VXCONFIGENG.html", fs::copy_options::skip_existing);
    return folder;
}

// Starts the program on `world`; once its window is up, `ready` prepares it, then the
// registered benchmarks run. Answers the process's exit code.
inline int run_program_benchmarks(int argc, char** argv, std::string const& world, std::function<void(CVxUI2008Dlg&)> ready)
{
    benchmark::Initialize(&argc, argv);
    fs::path const bin = bin_folder();
    fs::path const folder = make_program_folder(bin, world);
    SetProgramPathForTesting((folder / "Zorvel").string());
    platform::framework::load_resources((bin / "Zorvel.res").string());
    platform::testing::use_manual_clock();
    platform::user::set_desktop_size(1024, 768);
    AfxInstallMessageFilter();

    int result = 0;
    platform::user::set_modal_hook([&](HWND hwnd) {
        auto* dialog = dynamic_cast<CHideDlg*>(CWnd::FromHandlePermanent(hwnd));
        if (!dialog)
            return;
        if (dialog->m_pVxUI) {
            ready(*dialog->m_pVxUI);
            platform::testing::pump_until_idle();
            benchmark::RunSpecifiedBenchmarks();
        } else {
            result = 1;
        }
        ::PostMessage(hwnd, WM_COMMAND, ID_TRAY_EXIT, 0);
    });
    char name[] = "Zorvel";
    char* arguments[] = { name };
    {
        CVxUI2008App app;
        app.set_command_line(1, arguments);
        app.InitInstance();
        app.ExitInstance();
    }
    platform::user::set_modal_hook(nullptr);
    benchmark::Shutdown();
    SetProgramPathForTesting("");
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return result;
}

}
