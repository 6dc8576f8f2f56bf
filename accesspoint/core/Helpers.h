// The small helpers of the access point utility: its option reader, the file-system
// redirection switches, and the hexadecimal, decimal and combo-box helpers. The hexadecimal
// and combo-box ones are the station utility's own (station/core/HexText.h, ComboItems.h).
#pragma once

#include "platform/user/Types.h"
#include "station/core/ComboItems.h"
#include "station/core/HexText.h"

#include <cstddef>

namespace hotvane {

// Reads `key` of `section` from the option file named after the program with the extension
// `extension` ("ini"), or `default_value`, into `out` of `out_size` bytes: cut to fit and always
// terminated.
void GetINIStr(const char* section, const char* key, const char* default_value, char* out, std::size_t out_size,
    const char* extension = "ini");

// Looks the system's switches up in "kernel32.dll" once at start; a missing one stays null.
void InitKernelFunctions();
// Wow64EnableWow64FsRedirection(TRUE) or (FALSE) when the system has it; 0 otherwise.
BOOL EnableWow64FsRedirection();
BOOL DisableWow64FsRedirection();

inline BYTE HexDigitValue(char ch) { return HexCharToNibble(ch); }
// `n` bytes from 2n hexadecimal digits, high digit first; returns the bytes written.
inline std::size_t HexPairsToBytes(const char* text, BYTE* out, std::size_t n) { return HexStringToBytes(text, out, n); }
// True when every character is 0-9; true for an empty text.
bool IsDecimalString(const char* text);

inline void AddComboItem(HWND combo, const char* text, DWORD_PTR data) { ComboAddItem(combo, text ? text : "", data); }
inline DWORD_PTR GetComboItemData(HWND combo, int index, DWORD_PTR* out) { return ComboGetItemData(combo, index, out); }
inline int FindComboItemByData(HWND combo, DWORD_PTR data) { return ComboFindItemData(combo, data); }

}
