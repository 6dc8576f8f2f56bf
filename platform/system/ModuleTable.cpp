#include "platform/system/ModuleTable.h"

#include "platform/system/IniDocument.h"
#include "platform/system/Paths.h"
#include "platform/system/RegistryStore.h"
#include "platform/system/ProcessTable.h"
#include "platform/system/SystemExports.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::system {

namespace {

bool is_file(std::string const& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string real_path(std::string const& path)
{
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

// "X.dll" → "X.so" and "libX.so"; "X.exe" → "X"; other names as given.
std::vector<std::string> candidates_in(std::string const& folder, std::string_view name)
{
    std::string linux_name = linux_file_name(name);
    std::vector<std::string> names { folder + linux_name };
    if (linux_name.ends_with(".so") && linux_name != std::string(name))
        names.push_back(folder + "lib" + linux_name);
    if (name.find('.') == std::string_view::npos) {
        names.push_back(folder + std::string(name) + ".so"); // the original appends ".dll"
        names.push_back(folder + "lib" + std::string(name) + ".so");
    }
    names.push_back(folder + std::string(name));
    return names;
}

}

ModuleTable& ModuleTable::the()
{
    static ModuleTable table;
    return table;
}

ULONG_PTR ModuleTable::add(Module module)
{
    ULONG_PTR value = m_next;
    m_next += 0x10000;
    m_modules.emplace(value, std::move(module));
    return value;
}

HMODULE ModuleTable::system_module(std::string_view name)
{
    std::string key = lower_case(name);
    if (!key.ends_with(".dll"))
        key += ".dll";
    if (!is_system_library(key))
        return nullptr;
    for (auto const& [value, module] : m_modules) {
        if (module.system_name == key)
            return reinterpret_cast<HMODULE>(value);
    }
    return reinterpret_cast<HMODULE>(add(Module { nullptr, key, key, 1 }));
}

std::optional<std::string> ModuleTable::find_file(std::string_view name) const
{
    std::string given(name);
    if (given.find('/') != std::string::npos) {
        for (auto const& candidate : candidates_in(folder_of(given), base_name_of(given))) {
            if (is_file(candidate))
                return candidate;
        }
        return std::nullopt;
    }
    std::vector<std::string> folders;
    if (auto self = own_executable())
        folders.push_back(folder_of(*self));
    folders.push_back(system_dir() + "/");
    folders.push_back("./");
    for (auto const& folder : folders) {
        for (auto const& candidate : candidates_in(folder, name)) {
            if (is_file(candidate))
                return candidate;
        }
    }
    return std::nullopt;
}

HMODULE ModuleTable::load(std::string_view name, std::string& error)
{
    std::lock_guard lock(m_mutex);
    if (HMODULE module = system_module(name))
        return module;
    auto file = find_file(name);
    // Not beside us: let the dynamic loader search its own folders for the Linux name.
    std::string target = file ? real_path(*file) : linux_file_name(name);
    for (auto& [value, module] : m_modules) {
        if (!module.system_name.empty() || module.path != target)
            continue;
        ++module.references;
        return reinterpret_cast<HMODULE>(value);
    }
    void* library = ::dlopen(target.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        char const* reason = ::dlerror();
        error = reason ? reason : "not found";
        return nullptr;
    }
    return reinterpret_cast<HMODULE>(add(Module { library, target, {}, 1 }));
}

bool ModuleTable::free(HMODULE handle)
{
    std::lock_guard lock(m_mutex);
    auto it = m_modules.find(reinterpret_cast<ULONG_PTR>(handle));
    if (it == m_modules.end())
        return false;
    if (!it->second.system_name.empty())
        return true;
    if (--it->second.references > 0)
        return true;
    void* library = it->second.library;
    m_modules.erase(it);
    return ::dlclose(library) == 0;
}

void* ModuleTable::symbol(HMODULE handle, std::string_view name)
{
    std::lock_guard lock(m_mutex);
    if (handle == nullptr || handle == self_module())
        return ::dlsym(RTLD_DEFAULT, std::string(name).c_str());
    auto it = m_modules.find(reinterpret_cast<ULONG_PTR>(handle));
    if (it == m_modules.end())
        return nullptr;
    if (!it->second.system_name.empty())
        return system_export(it->second.system_name, name);
    return ::dlsym(it->second.library, std::string(name).c_str());
}

HMODULE ModuleTable::handle_of(char const* name)
{
    if (!name)
        return self_module();
    std::lock_guard lock(m_mutex);
    if (HMODULE module = system_module(name))
        return module;
    std::string wanted = lower_case(base_name_of(name));
    if (wanted.find('.') == std::string::npos)
        wanted += ".dll";
    for (auto const& [value, module] : m_modules) {
        std::string base = base_name_of(module.path);
        if (lower_case(original_module_name(base)) == wanted
            || (base.starts_with("lib") && lower_case(original_module_name(base.substr(3))) == wanted))
            return reinterpret_cast<HMODULE>(value);
    }
    return nullptr;
}

std::optional<std::string> ModuleTable::file_name(HMODULE handle)
{
    if (!handle || handle == self_module())
        return own_executable();
    std::lock_guard lock(m_mutex);
    auto it = m_modules.find(reinterpret_cast<ULONG_PTR>(handle));
    if (it == m_modules.end())
        return std::nullopt;
    return it->second.path;
}

}
