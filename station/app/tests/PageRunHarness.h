// What the end-to-end tests of the pages share: the shipped worlds, a snapshot folder per suite
// and step beside the test binary (kept for a person to look at), what a snapshot shows (read
// from its window-tree dump), the clock run in half-second steps, and the live command log
// written as wlansim writes it.
#pragma once

#include "config_window_harness.h"

#include "platform/display/Snapshots.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace station::testing {

inline std::string shipped_world(std::string const& name)
{
    std::ifstream in(std::string(STATION_RESOURCES_DIR) + "/../scenarios/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The folder "<suite>/<name>" beside the test binary, emptied.
inline std::filesystem::path snapshot_folder(std::string const& suite, std::string const& name)
{
    namespace fs = std::filesystem;
    fs::path const folder = fs::read_symlink("/proc/self/exe").parent_path() / suite / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

inline std::vector<std::string> split_fields(std::string const& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    return fields;
}

// What a snapshot shows: the text of every visible control by id (the dump escapes line
// breaks as "\n"), and the rows of every list control by id, each row its column texts.
struct Shown {
    std::map<int, std::string> texts;
    std::map<int, std::vector<std::vector<std::string>>> rows;
};

inline Shown snapshot(std::filesystem::path const& folder)
{
    platform::display::write_snapshot(folder.string());
    std::ifstream in(folder / "windows.txt");
    Shown shown;
    std::map<std::string, int> ids; // window handle to control id
    for (std::string line; std::getline(in, line);) {
        auto const f = split_fields(line);
        if (f.size() > 6 && f[0] == "window") {
            int const id = std::atoi(f[4].c_str());
            ids[f[2]] = id;
            if (f[6][0] == 'V')
                shown.texts[id] = f.size() > 7 ? f[7] : "";
        } else if (f.size() > 4 && f[0] == "item" && ids.count(f[1])) {
            shown.rows[ids[f[1]]].emplace_back(f.begin() + 4, f.end());
        }
    }
    return shown;
}

class PageRunTest : public ConfigWindowTest {
protected:
    static void run_for(int ms)
    {
        for (int waited = 0; waited < ms; waited += 500) {
            platform::testing::advance(500);
            platform::testing::pump_until_idle();
        }
    }
    // What wlansim does with a live command: append it to the store's log.
    void wlansim(std::string const& line) { std::ofstream(folder() + "/store/live.cmd", std::ios::app) << line << "\n"; }
    static void click(CWnd* button)
    {
        ASSERT_NE(button, nullptr);
        button->SendMessage(BM_CLICK);
        platform::testing::pump_until_idle();
    }
};

}
