#include "platform/system/Registry.h"

#include "platform/system/NamedHandles.h"
#include "platform/system/RegistryStore.h"
#include "platform/user/Messages.h"

#include <cstring>

using platform::system::RegistryStore;
using platform::system::RegistryValue;

namespace {

// Open keys: handle value → full path. Handles are small even numbers, apart from the
// predefined roots.
class OpenKeys {
public:
    static OpenKeys& the()
    {
        static OpenKeys keys;
        return keys;
    }

    HKEY add(std::string path) { return m_handles.add(std::move(path)); }

    std::optional<std::string> path(HKEY key)
    {
        switch (reinterpret_cast<ULONG_PTR>(key)) {
        case 0x80000000u: return std::string("HKEY_CLASSES_ROOT");
        case 0x80000001u: return std::string("HKEY_CURRENT_USER");
        case 0x80000002u: return std::string("HKEY_LOCAL_MACHINE");
        case 0x80000003u: return std::string("HKEY_USERS");
        default: return m_handles.name(key);
        }
    }

    bool remove(HKEY key) { return m_handles.remove(key); }

private:
    platform::system::NamedHandles<HKEY> m_handles { 0x2000, 2 };
};

// "a\\b\\" and "\\a\\b" name the same key as "a\\b".
std::optional<std::string> joined(HKEY key, LPCSTR sub_key)
{
    auto base = OpenKeys::the().path(key);
    if (!base)
        return std::nullopt;
    std::string sub = sub_key ? sub_key : "";
    while (!sub.empty() && sub.front() == '\\')
        sub.erase(0, 1);
    while (!sub.empty() && sub.back() == '\\')
        sub.pop_back();
    return sub.empty() ? *base : *base + "\\" + sub;
}

}

extern "C" {

LONG RegOpenKeyEx(HKEY key, LPCSTR sub_key, DWORD, REGSAM, PHKEY result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    auto path = joined(key, sub_key);
    if (!path)
        return ERROR_INVALID_HANDLE;
    if (path->find('\\') != std::string::npos && !RegistryStore::the().key_exists(*path))
        return ERROR_FILE_NOT_FOUND;
    *result = OpenKeys::the().add(*path);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyEx(HKEY key, LPCSTR sub_key, DWORD, LPSTR, DWORD, REGSAM, SECURITY_ATTRIBUTES*, PHKEY result,
    LPDWORD disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    auto path = joined(key, sub_key);
    if (!path)
        return ERROR_INVALID_HANDLE;
    bool created = RegistryStore::the().create_key(*path);
    if (!RegistryStore::the().key_exists(*path))
        return static_cast<LONG>(ERROR_CANTWRITE);
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = OpenKeys::the().add(*path);
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, LPCSTR value_name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size)
{
    auto path = OpenKeys::the().path(key);
    if (!path)
        return ERROR_INVALID_HANDLE;
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    auto value = RegistryStore::the().value(*path, value_name ? value_name : "");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    DWORD needed = static_cast<DWORD>(value->data.size());
    if (!size)
        return ERROR_SUCCESS;
    DWORD room = *size;
    *size = needed;
    if (!data)
        return ERROR_SUCCESS;
    if (room < needed)
        return ERROR_MORE_DATA;
    std::memcpy(data, value->data.data(), needed);
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, LPCSTR value_name, DWORD, DWORD type, BYTE const* data, DWORD size)
{
    auto path = OpenKeys::the().path(key);
    if (!path)
        return ERROR_INVALID_HANDLE;
    if (size && !data)
        return ERROR_INVALID_PARAMETER;
    if (type == REG_DWORD && size != sizeof(DWORD))
        return ERROR_INVALID_PARAMETER;
    RegistryValue value { type, std::vector<std::uint8_t>(data, data + size) };
    // A text written without its terminator is kept terminated, so readers never run off it.
    if ((type == REG_SZ || type == REG_EXPAND_SZ) && (value.data.empty() || value.data.back() != 0))
        value.data.push_back(0);
    if (!RegistryStore::the().set_value(*path, value_name ? value_name : "", std::move(value)))
        return ERROR_FILE_NOT_FOUND;
    return ERROR_SUCCESS;
}

LONG RegDeleteValue(HKEY key, LPCSTR value_name)
{
    auto path = OpenKeys::the().path(key);
    if (!path)
        return ERROR_INVALID_HANDLE;
    return RegistryStore::the().delete_value(*path, value_name ? value_name : "") ? ERROR_SUCCESS
                                                                                  : ERROR_FILE_NOT_FOUND;
}

LONG RegDeleteKey(HKEY key, LPCSTR sub_key)
{
    auto path = joined(key, sub_key);
    if (!path)
        return ERROR_INVALID_HANDLE;
    if (!RegistryStore::the().key_exists(*path))
        return ERROR_FILE_NOT_FOUND;
    return RegistryStore::the().delete_key(*path) ? ERROR_SUCCESS : ERROR_KEY_HAS_CHILDREN;
}

LONG RegCloseKey(HKEY key)
{
    if (reinterpret_cast<ULONG_PTR>(key) >= 0x80000000u && reinterpret_cast<ULONG_PTR>(key) <= 0x80000003u)
        return ERROR_SUCCESS;
    return OpenKeys::the().remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}
