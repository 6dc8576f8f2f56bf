// A fresh folder under the system's temporary folder for one test, removed afterwards, and a
// way to point the system services' per-user folders at it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace platform::system::testing {

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zorvel-system-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(TempFolder const&) = delete;
    TempFolder& operator=(TempFolder const&) = delete;

    std::string const& path() const { return m_path; }
    std::string file(std::string const& name) const { return m_path + "/" + name; }
    // Runtime, data and system folders inside this one, for this process and its children.
    void use_for_system_services() const
    {
        ::setenv("ZORVEL_RUNTIME_DIR", file("run").c_str(), 1);
        ::setenv("ZORVEL_DATA_DIR", file("data").c_str(), 1);
        ::setenv("ZORVEL_SYSTEM_DIR", file("system32").c_str(), 1);
    }

private:
    std::string m_path;
};

}
