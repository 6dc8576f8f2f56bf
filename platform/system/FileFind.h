// Deleting a file and listing the files of one folder by a wildcard, under the names the
// programs use. Paths may separate folders with "\\" as well as "/". A search pattern is a
// folder and one last part that may hold '*' (any run of characters) and '?' (one character),
// matched without regard to case as the programs' file system does (the file dialogs' rule,
// matches_pattern: "*.*" takes names without a dot too); the folder itself takes no wildcards.
// Entries come in name order; "." and ".." are never listed.
#pragma once

#include "platform/system/FileAttributes.h"
#include "platform/user/Types.h"

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    char cFileName[MAX_PATH];
    char cAlternateFileName[14];
};
using WIN32_FIND_DATA = WIN32_FIND_DATAA;
using LPWIN32_FIND_DATA = WIN32_FIND_DATAA*;

constexpr DWORD ERROR_NO_MORE_FILES = 18;

extern "C" {

// Removes a file (not a folder). FALSE with ERROR_FILE_NOT_FOUND when nothing is there,
// ERROR_ACCESS_DENIED for a folder or a file this process may not remove.
BOOL DeleteFile(LPCSTR path);
// The first entry matching `pattern`, or INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND (no
// match, or no such folder). A name longer than MAX_PATH - 1 bytes is skipped, never cut.
HANDLE FindFirstFile(LPCSTR pattern, LPWIN32_FIND_DATA data);
// The next entry; FALSE with ERROR_NO_MORE_FILES after the last, ERROR_INVALID_HANDLE for a
// handle FindFirstFile did not give or FindClose closed.
BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data);
BOOL FindClose(HANDLE find);

}

inline BOOL DeleteFileA(LPCSTR path)
{
    return DeleteFile(path);
}

inline HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATA data)
{
    return FindFirstFile(pattern, data);
}

inline BOOL FindNextFileA(HANDLE find, LPWIN32_FIND_DATA data)
{
    return FindNextFile(find, data);
}
