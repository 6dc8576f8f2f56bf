// The exports of the platform's own system libraries, as GetProcAddress finds them on the
// handles of "kernel32.dll", "psapi.dll" and "wtsapi32.dll": the calls the programs look up by
// name at run time. A name with the narrow-text suffix "A" finds the same function.
#pragma once

#include <string_view>

namespace platform::system {

// `library` in lower case with its ".dll".
bool is_system_library(std::string_view library);
void* system_export(std::string_view library, std::string_view name);

}
