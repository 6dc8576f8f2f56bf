// The locale and a few facts about the machine: the language id taken from the Linux locale
// (LocaleTable.h), the computer name, environment expansion and the stand-in system folder.
#pragma once

#include "platform/user/Types.h"

using LCID = DWORD;
using LCTYPE = DWORD;
using LANGID = WORD;

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCTYPE LOCALE_ILANGUAGE = 0x0001;
constexpr DWORD ERROR_BUFFER_OVERFLOW = 111;
constexpr DWORD MAX_COMPUTERNAME_LENGTH = 15;

extern "C" {

// LOCALE_ILANGUAGE: the language id as four hexadecimal digits ("0409"). Answers the
// characters stored with the terminator; with a size of 0, the size needed.
int GetLocaleInfo(LCID locale, LCTYPE type, LPSTR buffer, int size);
LANGID GetSystemDefaultLangID();
LANGID GetUserDefaultLangID();
LCID GetSystemDefaultLCID();
LCID GetUserDefaultLCID();
// The host name up to its first dot. `size` holds the buffer size and receives the length;
// a buffer too small fails with ERROR_BUFFER_OVERFLOW and receives the size needed.
BOOL GetComputerName(LPSTR buffer, LPDWORD size);
// Replaces each %NAME% by the variable's value; an undefined variable stays as written.
// Answers the size of the result with its terminator (which may exceed `size`: then the
// result is cut).
DWORD ExpandEnvironmentStrings(LPCSTR source, LPSTR destination, DWORD size);
// The stand-in system folder (ZORVEL_SYSTEM_DIR), without a trailing separator. Answers its
// length, or the size needed with the terminator when the buffer is too small.
UINT GetSystemDirectory(LPSTR buffer, UINT size);

}
