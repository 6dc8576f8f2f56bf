#include "platform/system/Profile.h"

#include "platform/system/ProfileStore.h"

#include <cctype>
#include <cstdlib>
#include <string>

using platform::system::copy_cut;
using platform::system::copy_list;
using platform::system::IniDocument;
using platform::system::ProfileStore;

namespace {

std::string default_text(LPCSTR value)
{
    // Trailing blanks of the default are dropped, as the original does.
    std::string text = value ? value : "";
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return text;
}

}

extern "C" {

DWORD GetPrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR buffer, DWORD size,
    LPCSTR file_name)
{
    if (!file_name)
        return copy_cut(default_text(default_value), buffer, size);
    auto document = ProfileStore::the().read(file_name);
    if (!section)
        return copy_list(document ? document->section_names() : std::vector<std::string> {}, buffer, size);
    if (!key)
        return copy_list(document ? document->key_names(section) : std::vector<std::string> {}, buffer, size);
    auto value = document ? document->value(section, key) : std::nullopt;
    return copy_cut(value ? *value : default_text(default_value), buffer, size);
}

UINT GetPrivateProfileInt(LPCSTR section, LPCSTR key, INT default_value, LPCSTR file_name)
{
    if (!section || !key || !file_name)
        return static_cast<UINT>(default_value);
    auto document = ProfileStore::the().read(file_name);
    auto value = document ? document->value(section, key) : std::nullopt;
    if (!value)
        return static_cast<UINT>(default_value);
    return static_cast<UINT>(std::strtol(value->c_str(), nullptr, 10));
}

DWORD GetPrivateProfileSection(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file_name)
{
    auto document = section && file_name ? ProfileStore::the().read(file_name) : nullptr;
    return copy_list(document ? document->section_entries(section) : std::vector<std::string> {}, buffer, size);
}

BOOL WritePrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file_name)
{
    if (!section || !file_name)
        return FALSE;
    bool ok = ProfileStore::the().update(file_name, [&](IniDocument& document) {
        if (!key)
            document.remove_section(section);
        else if (!value)
            document.remove_key(section, key);
        else
            document.set_value(section, key, value);
    });
    return ok ? TRUE : FALSE;
}

}
