// Version information of files, read from the version note the build embeds in every program
// and shared object of the project (VersionNote.cmake). A file without the note answers size
// 0, as a file without version resources did.
#pragma once

#include "platform/user/Types.h"

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
constexpr DWORD VS_FFI_STRUCVERSION = 0x00010000;
constexpr DWORD VFT_APP = 0x00000001;
constexpr DWORD VFT_DLL = 0x00000002;
constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;

extern "C" {

// The size of the block GetFileVersionInfo fills, or 0 when the file has no version note.
// `handle` is set to 0.
DWORD GetFileVersionInfoSize(LPCSTR file_name, LPDWORD handle);
BOOL GetFileVersionInfo(LPCSTR file_name, DWORD handle, DWORD size, LPVOID data);
// "\" gives the VS_FIXEDFILEINFO; "\StringFileInfo\040904B0\LegalCopyright" and the other keys
// give a terminated text, `length` counting its characters with the terminator;
// "\VarFileInfo\Translation" gives the language and code page as two WORDs.
BOOL VerQueryValue(LPCVOID block, LPCSTR sub_block, LPVOID* buffer, UINT* length);

}
