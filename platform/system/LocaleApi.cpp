#include "platform/system/Locale.h"

#include "platform/system/LocaleTable.h"
#include "platform/system/Paths.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

using namespace platform::system;

namespace {

// Copies `text` whole or not at all: answers the length, or the size needed with the
// terminator when it does not fit.
DWORD copy_or_size(std::string const& text, LPSTR buffer, DWORD size)
{
    if (!buffer || size < text.size() + 1)
        return static_cast<DWORD>(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

std::string expanded(std::string_view source)
{
    std::string out;
    while (!source.empty()) {
        size_t open = source.find('%');
        size_t close = open == std::string_view::npos ? open : source.find('%', open + 1);
        if (close == std::string_view::npos) {
            out += source;
            break;
        }
        out += source.substr(0, open);
        std::string name(source.substr(open + 1, close - open - 1));
        char const* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value) {
            out += value;
            source.remove_prefix(close + 1);
        } else {
            // Left as written; its closing '%' may open the next name.
            out += source.substr(open, close - open);
            source.remove_prefix(close);
        }
    }
    return out;
}

}

extern "C" {

int GetLocaleInfo(LCID, LCTYPE type, LPSTR buffer, int size)
{
    if (type != LOCALE_ILANGUAGE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    char text[8];
    std::snprintf(text, sizeof text, "%04X", GetSystemDefaultLangID());
    int needed = static_cast<int>(std::strlen(text)) + 1;
    if (size == 0)
        return needed;
    if (!buffer || size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, text, static_cast<size_t>(needed));
    return needed;
}

LANGID GetSystemDefaultLangID()
{
    return language_id_for_locale(messages_locale_name());
}

LANGID GetUserDefaultLangID()
{
    return GetSystemDefaultLangID();
}

LCID GetSystemDefaultLCID()
{
    return GetSystemDefaultLangID();
}

LCID GetUserDefaultLCID()
{
    return GetSystemDefaultLangID();
}

BOOL GetComputerName(LPSTR buffer, LPDWORD size)
{
    if (!size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    char host[256] = "";
    ::gethostname(host, sizeof host - 1);
    std::string name(host, std::strcspn(host, "."));
    if (!buffer || *size < name.size() + 1) {
        *size = static_cast<DWORD>(name.size() + 1);
        SetLastError(ERROR_BUFFER_OVERFLOW);
        return FALSE;
    }
    *size = copy_or_size(name, buffer, *size);
    return TRUE;
}

DWORD ExpandEnvironmentStrings(LPCSTR source, LPSTR destination, DWORD size)
{
    std::string result = expanded(source ? source : "");
    if (destination && size > 0) {
        size_t count = std::min<size_t>(result.size(), size - 1);
        std::memcpy(destination, result.data(), count);
        destination[count] = '\0';
    }
    return static_cast<DWORD>(result.size() + 1);
}

UINT GetSystemDirectory(LPSTR buffer, UINT size)
{
    return copy_or_size(system_dir(), buffer, size);
}

}
