// Shared set-up of the station core's tests: a folder of its own that stands for the program's
// folder (the option file and the language files are written there), the manual clock, a
// trace capture and a clean binding object.
#pragma once

#include "platform/system/DebugOutput.h"
#include "platform/user/Testing.h"
#include "station/core/IniFile.h"
#include "station/core/VxWlLib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace station::testing {

class ProgramFolder {
public:
    ProgramFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zorvel-core-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
        SetProgramPathForTesting(m_path + "/Zorvel");
    }
    ~ProgramFolder()
    {
        SetProgramPathForTesting("");
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ProgramFolder(ProgramFolder const&) = delete;
    ProgramFolder& operator=(ProgramFolder const&) = delete;

    std::string const& path() const { return m_path; }
    std::string file(std::string const& name) const { return m_path + "/" + name; }
    void write(std::string const& name, std::string const& text) const
    {
        std::filesystem::create_directories(std::filesystem::path(file(name)).parent_path());
        std::ofstream(file(name), std::ios::binary) << text;
    }
    void write_options(std::string const& text) const { write("Zorvel.ini", text); }

private:
    std::string m_path;
};

// The trace lines written while it lives, at the trace level given.
class TraceAt {
public:
    explicit TraceAt(int level)
        : m_previous(G_VxWlLib.nDebugMode.load())
    {
        G_VxWlLib.nDebugMode = level;
    }
    ~TraceAt() { G_VxWlLib.nDebugMode = m_previous; }
    std::vector<std::string> lines() const { return m_capture.lines(); }
    bool contains(std::string const& line) const { return m_capture.contains(line); }

private:
    int m_previous;
    platform::system::TraceCapture m_capture;
};

}
