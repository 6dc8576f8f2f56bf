// TTF_SUBCLASS: a tool's window shows its mouse messages to the tool tips that watch it
// before its own procedure gets them. One watching procedure per window serves every tool
// tip, so tips may start and stop watching in any order without breaking the chain of
// procedures; the window's own procedure is put back when the last tip stops watching,
// unless something else has replaced the procedure since.
#include "platform/controls/common/ToolTipControl.h"

#include "platform/user/Input.h"

#include <algorithm>
#include <unordered_map>

namespace platform::commctrl {

namespace {

struct Watch {
    WNDPROC original {};
    std::vector<HWND> tips;
};

// Windows belong to the one user-interface thread, so does this table.
std::unordered_map<HWND, Watch>& watches()
{
    static std::unordered_map<HWND, Watch> table;
    return table;
}

bool shows_to_tips(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE;
}

LRESULT watching_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto found = watches().find(hwnd);
    if (found == watches().end())
        return DefWindowProc(hwnd, message, wparam, lparam);
    WNDPROC original = found->second.original;
    if (shows_to_tips(message)) {
        MSG msg { hwnd, message, wparam, lparam, static_cast<DWORD>(GetMessageTime()), {} };
        GetCursorPos(&msg.pt);
        // A copy: a tip may stop watching while it looks at the message.
        std::vector<HWND> tips = found->second.tips;
        for (HWND tip : tips) {
            if (ToolTipControl* control = ToolTipControl::from(tip))
                control->relay(msg);
        }
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        watches().erase(hwnd);
    }
    return CallWindowProc(original, hwnd, message, wparam, lparam);
}

}

void watch_tool_window(HWND window, HWND tip)
{
    if (!IsWindow(window))
        return;
    auto [entry, added] = watches().try_emplace(window);
    if (added) {
        entry->second.original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(window, GWLP_WNDPROC));
        SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watching_proc));
    }
    entry->second.tips.push_back(tip);
}

void unwatch_tool_window(HWND window, HWND tip)
{
    auto found = watches().find(window);
    if (found == watches().end())
        return;
    std::vector<HWND>& tips = found->second.tips;
    if (auto at = std::find(tips.begin(), tips.end(), tip); at != tips.end())
        tips.erase(at);
    if (!tips.empty())
        return;
    if (IsWindow(window) && GetWindowLongPtr(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&watching_proc)) {
        SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.original));
        watches().erase(found);
    }
}

}
