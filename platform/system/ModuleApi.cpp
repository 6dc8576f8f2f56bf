#include "platform/system/Module.h"

#include "platform/system/DebugSink.h"
#include "platform/system/ModuleTable.h"
#include "platform/system/ProcessTable.h"
#include "platform/user/Messages.h"
#include "platform/user/Trace.h"
#include "platform/user/User.h"

#include <cstring>

using platform::system::ModuleTable;

namespace {

thread_local std::string t_load_error;

}

namespace platform::system {

std::string module_file_name(std::string_view name) { return linux_file_name(name); }

std::string last_load_error() { return t_load_error; }

}

extern "C" {

HMODULE LoadLibrary(LPCSTR name)
{
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string error;
    HMODULE module = ModuleTable::the().load(name, error);
    t_load_error = module ? std::string() : error;
    if (!module) {
        platform::trace("LoadLibrary(%s): %s", name, error.c_str());
        SetLastError(ERROR_MOD_NOT_FOUND);
    }
    return module;
}

BOOL FreeLibrary(HMODULE module)
{
    if (!ModuleTable::the().free(module)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name)
{
    if (!name || IS_INTRESOURCE(name)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    void* function = ModuleTable::the().symbol(module, name);
    if (!function) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(function);
}

HMODULE GetModuleHandle(LPCSTR name)
{
    HMODULE module = ModuleTable::the().handle_of(name);
    if (!module)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return module;
}

DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size)
{
    auto path = ModuleTable::the().file_name(module);
    if (!path) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    DWORD count = static_cast<DWORD>(std::min<size_t>(path->size(), size - 1));
    std::memcpy(buffer, path->data(), count);
    buffer[count] = '\0';
    if (count < path->size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    return count;
}

}
