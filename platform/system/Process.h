// Processes: starting programs (never through a shell; see Spawner.h for how a program name
// is found), waiting for them, and finding running processes by name through both the
// process-status functions and the tool-help snapshot functions. Executables are known by
// their original names: the program "VxSwap" is the module "VxSwap.exe". The runner that
// collects a program's output for the diagnostics is run_and_capture (Spawner.h).
#pragma once

#include "platform/system/Kernel.h"
#include "platform/user/Messages.h"
#include "platform/user/Types.h"

constexpr UINT SW_HIDE_EXEC = 0;
constexpr DWORD PROCESS_TERMINATE = 0x0001;
constexpr DWORD PROCESS_VM_READ = 0x0010;
constexpr DWORD PROCESS_QUERY_INFORMATION = 0x0400;
constexpr DWORD PROCESS_QUERY_LIMITED_INFORMATION = 0x1000;
constexpr DWORD PROCESS_ALL_ACCESS = 0x001FFFFF;
constexpr DWORD CREATE_NO_WINDOW = 0x08000000;
constexpr DWORD STARTF_USESHOWWINDOW = 0x00000001;
constexpr DWORD TH32CS_SNAPPROCESS = 0x00000002;
constexpr DWORD TH32CS_SNAPMODULE = 0x00000008;
constexpr DWORD ERROR_NO_MORE_FILES = 18;
constexpr DWORD ERROR_BAD_FORMAT = 11;

constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFO {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};

struct STARTUPINFO {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX, dwY, dwXSize, dwYSize, dwXCountChars, dwYCountChars, dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput, hStdOutput, hStdError;
};

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};

struct PROCESSENTRY32 {
    DWORD dwSize;
    DWORD cntUsage;
    DWORD th32ProcessID;
    ULONG_PTR th32DefaultHeapID;
    DWORD th32ModuleID;
    DWORD cntThreads;
    DWORD th32ParentProcessID;
    LONG pcPriClassBase;
    DWORD dwFlags;
    CHAR szExeFile[MAX_PATH];
};

struct MODULEENTRY32 {
    DWORD dwSize;
    DWORD th32ModuleID;
    DWORD th32ProcessID;
    DWORD GlblcntUsage;
    DWORD ProccntUsage;
    BYTE* modBaseAddr;
    DWORD modBaseSize;
    HMODULE hModule;
    CHAR szModule[256];
    CHAR szExePath[MAX_PATH];
};

extern "C" {

// Starts the program of a command line given as one text, split with the original quoting
// rules. Answers a value above 31 on success, ERROR_FILE_NOT_FOUND when there is no such
// program, 0 when it could not be started. `show` is accepted and ignored.
UINT WinExec(LPCSTR command_line, UINT show);
// The subset the programs use: the program is `application` or the command line's first
// argument; `folder` sets the working folder. The process handle is signalled at its end.
BOOL CreateProcess(LPCSTR application, LPSTR command_line, LPSECURITY_ATTRIBUTES process_security,
    LPSECURITY_ATTRIBUTES thread_security, BOOL inherit_handles, DWORD flags, LPVOID environment, LPCSTR folder,
    STARTUPINFO* startup, PROCESS_INFORMATION* information);
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exit_code);
BOOL TerminateProcess(HANDLE process, UINT exit_code);
HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD process_id);
// This program's command line as one text, its arguments quoted so that splitting gives them back.
LPCSTR GetCommandLine();

// Process-status functions. A process has one module here, its executable.
BOOL EnumProcesses(DWORD* ids, DWORD bytes, DWORD* bytes_needed);
BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD bytes, DWORD* bytes_needed);
DWORD GetModuleBaseName(HANDLE process, HMODULE module, LPSTR name, DWORD size);
DWORD GetModuleFileNameEx(HANDLE process, HMODULE module, LPSTR name, DWORD size);

// Tool-help snapshots: processes (TH32CS_SNAPPROCESS) or a process's modules (TH32CS_SNAPMODULE).
HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD process_id);
BOOL Process32First(HANDLE snapshot, PROCESSENTRY32* entry);
BOOL Process32Next(HANDLE snapshot, PROCESSENTRY32* entry);
BOOL Module32First(HANDLE snapshot, MODULEENTRY32* entry);
BOOL Module32Next(HANDLE snapshot, MODULEENTRY32* entry);

// One fixed version, the one the programs' looks were made for: 5.1, build 2600, of the
// current family. GetVersion packs it as major (low byte), minor (next byte) and build (high
// word) with the high bit clear, so the programs take the process-status path and the
// owner-drawn menus their flat look. GetVersionEx fills the record when its size field says
// OSVERSIONINFO, else fails with ERROR_INSUFFICIENT_BUFFER.
DWORD GetVersion();
BOOL GetVersionEx(OSVERSIONINFO* info);
BOOL ProcessIdToSessionId(DWORD process_id, DWORD* session_id);
// There is one file-system view here: a process is never redirected.
BOOL IsWow64Process(HANDLE process, BOOL* is_wow64);
BOOL Wow64EnableWow64FsRedirection(BOOL enable);

}
