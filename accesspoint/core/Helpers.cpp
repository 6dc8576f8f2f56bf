#include "accesspoint/core/Helpers.h"

#include "platform/system/Module.h"
#include "platform/system/Profile.h"
#include "station/core/IniFile.h"

#include <algorithm>
#include <cstring>

namespace hotvane {

namespace {

using PfnRedirection = BOOL (*)(BOOL);
using PfnIsWow64Process = BOOL (*)(HANDLE, BOOL*);
PfnRedirection g_wow64_redirection = nullptr;
// Looked up and kept, never called.
PfnIsWow64Process g_is_wow64_process = nullptr;

}

// The option file follows the program's file name only: a dot in a folder name never counts.
void GetINIStr(const char* section, const char* key, const char* default_value, char* out, std::size_t out_size,
    const char* extension)
{
    if (!out || out_size == 0)
        return;
    std::string const path = IniPathFor(GetProgramPath(), extension);
    char buffer[256] = {};
    GetPrivateProfileString(section, key, default_value ? default_value : "", buffer, sizeof(buffer), path.c_str());
    std::size_t const length = std::min(std::strlen(buffer), out_size - 1);
    std::memcpy(out, buffer, length);
    out[length] = '\0';
}

void InitKernelFunctions()
{
    HMODULE kernel = GetModuleHandle("kernel32.dll");
    if (!kernel)
        return;
    g_is_wow64_process = reinterpret_cast<PfnIsWow64Process>(GetProcAddress(kernel, "IsWow64Process"));
    g_wow64_redirection = reinterpret_cast<PfnRedirection>(GetProcAddress(kernel, "Wow64EnableWow64FsRedirection"));
}

BOOL EnableWow64FsRedirection() { return g_wow64_redirection ? g_wow64_redirection(TRUE) : 0; }

BOOL DisableWow64FsRedirection() { return g_wow64_redirection ? g_wow64_redirection(FALSE) : 0; }

bool IsDecimalString(const char* text)
{
    if (!text)
        return true;
    for (; *text; ++text)
        if (*text < '0' || *text > '9')
            return false;
    return true;
}

}
