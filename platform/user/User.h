// The window API as application code calls it: windows, messages, timers, painting schedule,
// time, threads and waits. Each call is a thin forwarder into the window core (WindowTable,
// MessageQueue, TimerTable, ...). Calls are C functions so that libraries loaded at run time
// can reach them through plain C entry points.
//
// Rules kept from the API these names come from:
// - One user-interface thread owns every window. Creating a window on another thread fails
//   with ERROR_WINDOW_OF_OTHER_THREAD. Calls that change a window, made from another thread,
//   are carried out on the user-interface thread while the caller waits, as SendMessage is.
// - PostMessage and PostThreadMessage are safe from any thread and keep order per target.
// - Window rectangles include the frame: a border is 1 pixel (WS_BORDER), a dialog frame 3
//   (WS_DLGFRAME, DS_MODALFRAME), a sizing frame 4 (WS_THICKFRAME), a client edge 2
//   (WS_EX_CLIENTEDGE), a static edge 1 (WS_EX_STATICEDGE), and a caption 18 pixels
//   (WS_CAPTION; 15 for WS_EX_TOOLWINDOW), each given by GetSystemMetrics too.
#pragma once

#include "platform/user/Messages.h"
#include "platform/user/Types.h"

struct WNDCLASS {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};
using WNDCLASSA = WNDCLASS;

struct WNDCLASSEX {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};
using WNDCLASSEXA = WNDCLASSEX;

struct CREATESTRUCT {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
};
using LPCREATESTRUCT = CREATESTRUCT*;

struct WINDOWPOS {
    HWND hwnd;
    HWND hwndInsertAfter;
    int x;
    int y;
    int cx;
    int cy;
    UINT flags;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};
using LPPAINTSTRUCT = PAINTSTRUCT*;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);
constexpr UINT USER_TIMER_MINIMUM = 10;

constexpr int GCL_STYLE = -26;
constexpr int GCL_CBWNDEXTRA = -18;
constexpr int GCLP_HBRBACKGROUND = -10;
constexpr int GCLP_HCURSOR = -12;
constexpr int GCLP_HICON = -14;
constexpr int GCLP_HICONSM = -34;
constexpr int GCLP_WNDPROC = -24;

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CYSMCAPTION = 51;

constexpr UINT SPI_GETWORKAREA = 0x0030;

extern "C" {

// [SECTION] Errors
DWORD GetLastError();
void SetLastError(DWORD error);

// [SECTION] Window classes
ATOM RegisterClass(WNDCLASS const* window_class);
ATOM RegisterClassEx(WNDCLASSEX const* window_class);
BOOL UnregisterClass(LPCSTR class_name, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCSTR class_name, WNDCLASS* out);
BOOL GetClassInfoEx(HINSTANCE instance, LPCSTR class_name, WNDCLASSEX* out);
int GetClassName(HWND hwnd, LPSTR buffer, int buffer_size);
ULONG_PTR GetClassLongPtr(HWND hwnd, int index);
ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);
DWORD GetClassLong(HWND hwnd, int index);

// [SECTION] Creating and destroying windows
HWND CreateWindowEx(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

// [SECTION] The window tree
HWND GetDesktopWindow();
HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND new_parent);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetTopWindow(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
BOOL EnumWindows(WNDENUMPROC callback, LPARAM param);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM param);
BOOL EnumThreadWindows(DWORD thread_id, WNDENUMPROC callback, LPARAM param);
HWND FindWindow(LPCSTR class_name, LPCSTR window_name);
HWND FindWindowEx(HWND parent, HWND child_after, LPCSTR class_name, LPCSTR window_name);
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* process_id);
HWND GetLastActivePopup(HWND hwnd);

// [SECTION] Window attributes
LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
BOOL SetWindowText(HWND hwnd, LPCSTR text);
int GetWindowText(HWND hwnd, LPSTR buffer, int buffer_size);
int GetWindowTextLength(HWND hwnd);

// [SECTION] Geometry
BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND hwnd);
HWND WindowFromPoint(POINT point);
HWND ChildWindowFromPoint(HWND parent, POINT point);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD ex_style);
int GetSystemMetrics(int index);
BOOL SystemParametersInfo(UINT action, UINT param, PVOID value, UINT win_ini);

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rect);
BOOL CopyRect(RECT* destination, RECT const* source);
BOOL IsRectEmpty(RECT const* rect);
BOOL EqualRect(RECT const* a, RECT const* b);
BOOL PtInRect(RECT const* rect, POINT point);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL InflateRect(RECT* rect, int dx, int dy);
BOOL IntersectRect(RECT* out, RECT const* a, RECT const* b);
BOOL UnionRect(RECT* out, RECT const* a, RECT const* b);
BOOL SubtractRect(RECT* out, RECT const* a, RECT const* b);

// [SECTION] Visibility, enabling, activation
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();

// [SECTION] Messages
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM wparam, LPARAM lparam);
void PostQuitMessage(int exit_code);
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove);
BOOL WaitMessage();
BOOL TranslateMessage(MSG const* msg);
LRESULT DispatchMessage(MSG const* msg);
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
DWORD GetMessagePos();
LONG GetMessageTime();
BOOL InSendMessage();
UINT RegisterWindowMessage(LPCSTR name);

// [SECTION] Timers
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// [SECTION] Dialog windows
// The dialog window class "#32770": its procedure hands each message to the DLGPROC kept at
// DWLP_DLGPROC and does the default dialog work for what that leaves.
LRESULT DefDlgProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
BOOL EndDialog(HWND dialog, INT_PTR result);

// [SECTION] Painting schedule
// The update region of a window collects invalidated areas until WM_PAINT validates them;
// WM_PAINT is produced when the queue has nothing else to deliver.
BOOL InvalidateRect(HWND hwnd, RECT const* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, RECT const* rect);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, RECT const* rect, HRGN region, UINT flags);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, PAINTSTRUCT const* paint);

// [SECTION] Time
DWORD GetTickCount();
ULONGLONG GetTickCount64();
void GetLocalTime(SYSTEMTIME* time);
void GetSystemTime(SYSTEMTIME* time);
void GetSystemTimeAsFileTime(FILETIME* time);
BOOL SystemTimeToFileTime(SYSTEMTIME const* system_time, FILETIME* file_time);
BOOL FileTimeToSystemTime(FILETIME const* file_time, SYSTEMTIME* system_time);
BOOL FileTimeToLocalFileTime(FILETIME const* file_time, FILETIME* local_file_time);
void Sleep(DWORD ms);

// [SECTION] Threads and waits
HANDLE CreateThread(void* security, size_t stack_size, LPTHREAD_START_ROUTINE start, LPVOID parameter,
    DWORD flags, DWORD* thread_id);
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
BOOL GetExitCodeThread(HANDLE thread, DWORD* exit_code);
DWORD WaitForSingleObject(HANDLE handle, DWORD timeout_ms);
DWORD WaitForMultipleObjects(DWORD count, HANDLE const* handles, BOOL wait_all, DWORD timeout_ms);
BOOL CloseHandle(HANDLE handle);

}

inline HWND CreateWindow(LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y, int width, int height,
    HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    return CreateWindowEx(0, class_name, window_name, style, x, y, width, height, parent, menu, instance, param);
}
