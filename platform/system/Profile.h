// The private-profile functions over INI files. A missing file, section or key gives the
// default; a key that is present with an empty value gives ""; results are cut to the buffer
// size minus one; names compare without regard to case; each read sees the file as it is now.
// Writes replace the file atomically. Relative paths are taken from the current folder.
#pragma once

#include "platform/user/Types.h"

extern "C" {

// With a null section: the section names; with a null key: the section's key names; each as a
// terminated text, the list closed by an extra terminator. Returns the characters stored,
// without the final terminator.
DWORD GetPrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR buffer, DWORD size,
    LPCSTR file_name);
// The key's leading decimal number (with an optional sign); the default when the key is
// missing, 0 when its value does not start with a number.
UINT GetPrivateProfileInt(LPCSTR section, LPCSTR key, INT default_value, LPCSTR file_name);
// The section's "key=value" entries as a list of terminated texts (see above).
DWORD GetPrivateProfileSection(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file_name);
// A null value removes the key, a null key the whole section.
BOOL WritePrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file_name);

}
