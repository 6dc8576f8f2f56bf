#include "station/core/IniFile.h"

#include "platform/system/Module.h"
#include "platform/system/Profile.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

std::mutex g_path_mutex;
std::string g_pinned_path;

}

std::string GetProgramPath()
{
    {
        std::lock_guard lock(g_path_mutex);
        if (!g_pinned_path.empty())
            return g_pinned_path;
    }
    // Linux paths run longer than the 256 bytes the option reader once took; a cut path
    // would name another file.
    std::vector<char> buffer(4096);
    DWORD length = GetModuleFileName(nullptr, buffer.data(), DWORD(buffer.size()));
    return std::string(buffer.data(), std::min<std::size_t>(length, buffer.size() - 1));
}

void SetProgramPathForTesting(std::string const& path)
{
    std::lock_guard lock(g_path_mutex);
    g_pinned_path = path;
}

std::string GetProgramFolder()
{
    std::string path = GetProgramPath();
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string IniPathFor(std::string const& program, const char* extension)
{
    auto const name_start = program.find_last_of("/\\");
    auto const dot = program.rfind('.');
    bool const name_has_dot = dot != std::string::npos && (name_start == std::string::npos || dot > name_start);
    std::string path = name_has_dot ? program.substr(0, dot) : program;
    return path + "." + (extension ? extension : "");
}

void ReadIniString(const char* section, const char* key, const char* default_value, char* destination,
    std::size_t size, const char* extension)
{
    if (!destination || size == 0)
        return;
    std::string const path = IniPathFor(GetProgramPath(), extension);
    char buffer[256];
    GetPrivateProfileString(section, key, default_value ? default_value : "", buffer, sizeof(buffer), path.c_str());
    std::size_t const length = std::min(std::strlen(buffer), size - 1);
    std::memcpy(destination, buffer, length);
    destination[length] = '\0';
}
