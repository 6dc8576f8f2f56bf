// The value types of the window API: integer aliases, opaque handles, points, rectangles,
// messages and times. Every module of the platform and both programs build on these names.
#pragma once

#include <cstddef>
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using CHAR = char;
using UCHAR = unsigned char;
using TCHAR = char;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using ATOM = WORD;
using COLORREF = DWORD;
using LPSTR = char*;
using LPCSTR = const char*;
using LPTSTR = char*;
using LPCTSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using PVOID = void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using LPLONG = LONG*;
using LPINT = int*;
using LPBOOL = BOOL*;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

// Handles are opaque values, never dereferenced. Window handles carry a slot and a generation
// number, so a handle kept after its window died never reaches a new window.
#define ZORVEL_DECLARE_HANDLE(name) \
    struct name##Tag;               \
    using name = name##Tag*
ZORVEL_DECLARE_HANDLE(HWND);
ZORVEL_DECLARE_HANDLE(HINSTANCE);
ZORVEL_DECLARE_HANDLE(HMENU);
ZORVEL_DECLARE_HANDLE(HICON);
ZORVEL_DECLARE_HANDLE(HBRUSH);
ZORVEL_DECLARE_HANDLE(HPEN);
ZORVEL_DECLARE_HANDLE(HFONT);
ZORVEL_DECLARE_HANDLE(HBITMAP);
ZORVEL_DECLARE_HANDLE(HRGN);
ZORVEL_DECLARE_HANDLE(HDC);
ZORVEL_DECLARE_HANDLE(HKEY);
ZORVEL_DECLARE_HANDLE(HIMAGELIST);
#undef ZORVEL_DECLARE_HANDLE
using HMODULE = HINSTANCE;
using HCURSOR = HICON;
using HGDIOBJ = void*;
using HANDLE = void*;
using HGLOBAL = HANDLE;
using HLOCAL = HANDLE;

inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));

struct POINT {
    LONG x;
    LONG y;
};
using LPPOINT = POINT*;

struct SIZE {
    LONG cx;
    LONG cy;
};
using LPSIZE = SIZE*;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
using LPMSG = MSG*;

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;

// 100-nanosecond intervals since 1601-01-01 UTC, split in two 32-bit halves.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
using LPFILETIME = FILETIME*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID);

constexpr WORD LOWORD(DWORD_PTR v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(DWORD_PTR v) { return static_cast<BYTE>(v & 0xFF); }
constexpr BYTE HIBYTE(DWORD_PTR v) { return static_cast<BYTE>((v >> 8) & 0xFF); }
constexpr LONG MAKELONG(WORD low, WORD high) { return static_cast<LONG>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16)); }
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) { return static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(low, high))); }
constexpr LPARAM MAKELPARAM(WORD low, WORD high) { return static_cast<LPARAM>(MAKELONG(low, high)); }
constexpr LRESULT MAKELRESULT(WORD low, WORD high) { return static_cast<LRESULT>(MAKELONG(low, high)); }
constexpr int GET_X_LPARAM(LPARAM l) { return static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(l))); }
constexpr int GET_Y_LPARAM(LPARAM l) { return static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(l))); }

// A resource id passed where a name is expected: a value below 0x10000 in the pointer.
inline LPCSTR MAKEINTRESOURCE(WORD id) { return reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(id)); }
inline bool IS_INTRESOURCE(LPCSTR name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }

constexpr int MAX_PATH = 260;
