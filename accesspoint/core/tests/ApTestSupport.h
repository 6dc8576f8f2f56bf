// Shared set-up of the access point core's tests: a folder of its own that stands for the
// program's folder (option and language files are written there), the binding's switches back
// at their defaults, and a capture of the trace lines.
#pragma once

#include "accesspoint/core/VxApApi.h"
#include "platform/system/DebugOutput.h"
#include "station/core/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace hotvane::testing {

class ProgramFolder {
public:
    ProgramFolder()
    {
        // A dot in a folder name must not change which option file is read.
        std::string pattern = (std::filesystem::temp_directory_path() / "hotvane.core-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
        SetProgramPathForTesting(m_path + "/Hotvane");
        G_VxApApi.LoadINISettings();
    }
    ~ProgramFolder()
    {
        SetProgramPathForTesting("");
        G_VxApApi.LoadINISettings();
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ProgramFolder(ProgramFolder const&) = delete;
    ProgramFolder& operator=(ProgramFolder const&) = delete;

    std::string const& path() const { return m_path; }
    void write(std::string const& name, std::string const& text) const
    {
        auto const file = std::filesystem::path(m_path) / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    void write_options(std::string const& text) const { write("Hotvane.ini", text); }

private:
    std::string m_path;
};

}
