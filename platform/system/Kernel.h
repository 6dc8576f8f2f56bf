// Named and unnamed events and mutexes, security descriptors for them, and the small memory
// calls the programs use. Waits, CloseHandle and the thread calls are those of User.h.
//
// Named objects are shared by every process of the user's login session (the rendezvous lives
// in the per-user runtime folder) and vanish when the last handle closes or its process dies.
// Creating an object that exists opens it and sets the last error to ERROR_ALREADY_EXISTS;
// opening one that does not exist fails with ERROR_FILE_NOT_FOUND.
#pragma once

#include "platform/user/Types.h"

using PSECURITY_DESCRIPTOR = void*;

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

constexpr DWORD SYNCHRONIZE = 0x00100000;
constexpr DWORD EVENT_MODIFY_STATE = 0x0002;
constexpr DWORD EVENT_ALL_ACCESS = 0x001F0003;
constexpr DWORD MUTEX_ALL_ACCESS = 0x001F0001;
constexpr DWORD SDDL_REVISION_1 = 1;
constexpr DWORD ERROR_NOT_OWNER = 288;
constexpr DWORD ERROR_INVALID_ACL = 1336;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;
constexpr UINT LMEM_FIXED = 0x0000;
constexpr UINT LMEM_ZEROINIT = 0x0040;

extern "C" {

HANDLE CreateMutex(LPSECURITY_ATTRIBUTES security, BOOL initial_owner, LPCSTR name);
HANDLE OpenMutex(DWORD access, BOOL inherit, LPCSTR name);
// Fails with ERROR_NOT_OWNER unless the calling thread owns the mutex.
BOOL ReleaseMutex(HANDLE mutex);

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES security, BOOL manual_reset, BOOL initial_state, LPCSTR name);
HANDLE OpenEvent(DWORD access, BOOL inherit, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

// Accepts a DACL of allow and deny entries ("D:(A;OICI;GA;;;BG)(A;OICI;GA;;;AU)"); entries
// that grant access beyond the owner open the rendezvous to other users' processes. The
// descriptor is freed with LocalFree. Malformed text fails with ERROR_INVALID_PARAMETER.
BOOL ConvertStringSecurityDescriptorToSecurityDescriptor(LPCSTR text, DWORD revision,
    PSECURITY_DESCRIPTOR* descriptor, ULONG* size);

HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
HGLOBAL GlobalFree(HGLOBAL memory);
HLOCAL LocalAlloc(UINT flags, size_t bytes);
HLOCAL LocalFree(HLOCAL memory);

}
