// Loaded modules. A module named as the original names it is found under its Linux name: "X.dll"
// in a folder is the shared object "X.so" in that folder (or "libX.so"), "X.exe" the program
// "X". A name without a folder is looked for in this program's folder, the stand-in system
// folder and the current folder, then where the dynamic loader looks. The platform's own
// system libraries ("kernel32.dll", "psapi.dll", "wtsapi32.dll") are always loaded: their
// handles answer the platform functions the programs look up by name.
#pragma once

#include "platform/user/Types.h"

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform::system {

// The program itself, at the base address the original's programs were loaded at; also the
// one module each process shows to the process-status functions.
inline HMODULE self_module()
{
    return reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x400000));
}

class ModuleTable {
public:
    static ModuleTable& the();

    // nullptr when the module cannot be found or loaded; `error` says why.
    HMODULE load(std::string_view name, std::string& error);
    bool free(HMODULE module);
    void* symbol(HMODULE module, std::string_view name);
    // A null name answers the program itself (self_module()).
    HMODULE handle_of(char const* name);
    std::optional<std::string> file_name(HMODULE module);

private:
    struct Module {
        void* library { nullptr };
        std::string path;
        std::string system_name; // set for the platform's own libraries
        int references { 0 };
    };

    std::optional<std::string> find_file(std::string_view name) const;
    HMODULE system_module(std::string_view name);
    ULONG_PTR add(Module module);

    std::mutex m_mutex;
    std::unordered_map<ULONG_PTR, Module> m_modules;
    ULONG_PTR m_next { 0x10000000 };
};

}
