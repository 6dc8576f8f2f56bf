// The registry stand-in as application code calls it: keys under HKEY_LOCAL_MACHINE and
// HKEY_CURRENT_USER with REG_SZ, REG_DWORD and REG_BINARY values, kept in the user's data
// folder (RegistryStore.h). Calls answer error codes (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND,
// ERROR_MORE_DATA, ...) as the original does. Access masks are accepted and not enforced;
// KEY_WOW64_64KEY and KEY_WOW64_32KEY change nothing, there being one view of the store.
#pragma once

#include "platform/user/Types.h"

using REGSAM = DWORD;
using PHKEY = HKEY*;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000000u));
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001u));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002u));
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000003u));

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_BADKEY = 1010;
constexpr LONG ERROR_CANTWRITE = 1013;
constexpr LONG ERROR_KEY_HAS_CHILDREN = 1020;

struct SECURITY_ATTRIBUTES;

extern "C" {

LONG RegOpenKeyEx(HKEY key, LPCSTR sub_key, DWORD options, REGSAM access, PHKEY result);
LONG RegCreateKeyEx(HKEY key, LPCSTR sub_key, DWORD reserved, LPSTR class_name, DWORD options, REGSAM access,
    SECURITY_ATTRIBUTES* security, PHKEY result, LPDWORD disposition);
// With a null `data` only the type and size are answered; a buffer too small answers
// ERROR_MORE_DATA with the size needed. REG_SZ data counts its terminator.
LONG RegQueryValueEx(HKEY key, LPCSTR value_name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
LONG RegSetValueEx(HKEY key, LPCSTR value_name, DWORD reserved, DWORD type, BYTE const* data, DWORD size);
LONG RegDeleteValue(HKEY key, LPCSTR value_name);
LONG RegDeleteKey(HKEY key, LPCSTR sub_key);
LONG RegCloseKey(HKEY key);

}
