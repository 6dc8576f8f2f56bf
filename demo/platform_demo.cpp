// Opens a window with a child, lets a timer tick a few times on the real clock, posts a
// message from a second thread, and prints what the window receives.
#include "platform/user/User.h"

#include <cstdio>
#include <thread>

namespace {

constexpr UINT WM_HELLO = WM_APP + 1;
int g_ticks = 0;

LRESULT demo_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        std::printf("window created\n");
        return 0;
    case WM_TIMER:
        std::printf("tick %d at %u ms\n", ++g_ticks, GetTickCount());
        if (g_ticks == 3)
            DestroyWindow(hwnd);
        return 0;
    case WM_HELLO:
        std::printf("message from thread %lu: %ld\n", static_cast<unsigned long>(wparam), static_cast<long>(lparam));
        return 0;
    case WM_DESTROY:
        std::printf("window destroyed\n");
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
}

}

int main()
{
    WNDCLASS wc {};
    wc.lpfnWndProc = demo_proc;
    wc.lpszClassName = "DemoWindow";
    RegisterClass(&wc);
    HWND hwnd = CreateWindowEx(0, "DemoWindow", "Platform demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 200,
        nullptr, nullptr, nullptr, nullptr);
    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    std::printf("window %ldx%ld, client %ldx%ld\n", static_cast<long>(window.right - window.left),
        static_cast<long>(window.bottom - window.top), static_cast<long>(client.right), static_cast<long>(client.bottom));
    SetTimer(hwnd, 1, 250, nullptr);
    std::thread([hwnd] { PostMessage(hwnd, WM_HELLO, GetCurrentThreadId(), 42); }).join();
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    std::printf("done\n");
    return static_cast<int>(msg.wParam);
}
