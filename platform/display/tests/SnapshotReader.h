// What end-to-end tests read back from a snapshot: a snapshot folder per suite and step beside
// the test binary (kept for a person to look at), and what the snapshot's window-tree dump
// shows: the text of every visible control by id (line breaks escaped as "\n") and the rows of
// every list control by id, each row its column texts.
#pragma once

#include "platform/display/Snapshots.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace platform::display::testing {

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

struct Shown {
    std::map<int, std::string> texts;
    std::map<int, std::vector<std::vector<std::string>>> rows;
};

// Writes a snapshot of the running program into `folder` and reads its window tree back.
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

}
