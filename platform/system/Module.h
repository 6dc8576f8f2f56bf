// Modules over the dynamic loader, under their original names (see ModuleTable.h for how a
// name is found): LoadLibrary("VxWLAPI.dll") loads "VxWLAPI.so" from the program's folder.
// GetModuleHandle of "kernel32.dll", "psapi.dll" or "wtsapi32.dll" answers the platform's own
// functions that the programs look up by name; a function that is not there answers null.
#pragma once

#include "platform/user/Types.h"

#include <string>
#include <string_view>

using FARPROC = void (*)();

extern "C" {

HMODULE LoadLibrary(LPCSTR name);
BOOL FreeLibrary(HMODULE module);
// Ordinals are not supported; a missing function answers null with ERROR_PROC_NOT_FOUND.
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
HMODULE GetModuleHandle(LPCSTR name);
// The module's full path (the program's for a null module), cut to size - 1 characters.
// Answers the characters stored; when cut, the size, with ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size);

}

namespace platform::system {

// The file LoadLibrary looks for under `name`: "VxWLAPI.dll" is "VxWLAPI.so", "X.exe" is "X".
std::string module_file_name(std::string_view name);
// Why this thread's last LoadLibrary failed, as the dynamic loader said it (naming the file it
// tried); empty when it did not fail.
std::string last_load_error();

}
