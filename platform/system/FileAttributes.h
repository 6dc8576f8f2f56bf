// Asking whether a file exists, under the names the programs use: paths may separate their
// folders with "\\" as well as "/", and a help file "NAME.CHM" is found through its HTML twin
// "NAME.html" in the same folder (the project ships its help as HTML), exactly as ShellExecute
// finds it (shell_target in Shell.h), so a program that tests for its help file and then opens
// it sees the same file both times.
#pragma once

#include "platform/user/Types.h"

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;

struct WIN32_FILE_ATTRIBUTE_DATA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
};
enum GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard = 0 };

extern "C" {

// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_READONLY for what this process may
// not write, FILE_ATTRIBUTE_NORMAL for any other file. INVALID_FILE_ATTRIBUTES when nothing
// is there (ERROR_FILE_NOT_FOUND) or the path is null or empty (ERROR_INVALID_PARAMETER).
// Addresses ("http://...") are not files.
DWORD GetFileAttributes(LPCSTR path);
// TRUE when GetFileAttributes finds something at `path`.
BOOL PathFileExists(LPCSTR path);
// The attributes, times (UTC, 100 ns since 1601; Linux keeps no creation time: the last status
// change stands for it) and size of the file a program names (program_file_path in
// ProcessTable.h maps "X.dll" to its shared object). Only GetFileExInfoStandard is known.
BOOL GetFileAttributesEx(LPCSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID information);

}

inline DWORD GetFileAttributesA(LPCSTR path)
{
    return GetFileAttributes(path);
}

inline BOOL PathFileExistsA(LPCSTR path)
{
    return PathFileExists(path);
}
