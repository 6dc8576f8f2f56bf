#include "platform/controls/common/ToolHitTracker.h"

#include "platform/controls/common/Registration.h"

#include "platform/user/Input.h"

#include <utility>

namespace platform::commctrl {

namespace {

bool is_mouse_message(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE;
}

}

ToolHitTracker::ToolHitTracker(HWND window, ToolHitTest hit_test)
    : m_window(window)
    , m_hit_test(std::move(hit_test))
{
}

ToolHitTracker::~ToolHitTracker()
{
    if (m_tip && IsWindow(m_tip))
        DestroyWindow(m_tip);
}

void ToolHitTracker::enable(bool on)
{
    if (!on)
        drop_tool();
    m_enabled = on;
}

void ToolHitTracker::ensure_tip()
{
    if (m_tip && IsWindow(m_tip))
        return;
    register_classes();
    m_hit = -1;
    m_tip = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, GetAncestor(m_window, GA_ROOT), nullptr,
        nullptr, nullptr);
}

void ToolHitTracker::drop_tool()
{
    if (m_hit == -1)
        return;
    m_hit = -1;
    if (m_tip && IsWindow(m_tip))
        SendMessage(m_tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&m_tool));
}

void ToolHitTracker::filter(MSG const& msg)
{
    if (!m_enabled || !is_mouse_message(msg.message) || !IsWindow(m_window))
        return;
    if (msg.hwnd != m_window && !IsChild(m_window, msg.hwnd))
        return;
    ensure_tip();
    if (!m_tip)
        return;
    if (msg.message != WM_MOUSELEAVE && msg.message != WM_MOUSEWHEEL) {
        POINT client = { GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam) };
        MapWindowPoints(msg.hwnd, m_window, &client, 1);
        TOOLINFO info {};
        info.cbSize = sizeof(info);
        INT_PTR hit = m_hit_test(client, info);
        if (hit != m_hit || info.hwnd != m_tool.hwnd || info.uId != m_tool.uId) {
            drop_tool();
            if (hit != -1 && SendMessage(m_tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info))) {
                m_hit = hit;
                m_tool = info;
                m_tool.lpszText = nullptr; // the caller's text may not outlive this call
            }
        }
    }
    MSG relayed = msg;
    SendMessage(m_tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

INT_PTR child_tool_hit_test(HWND window, POINT client, TOOLINFO& info)
{
    POINT screen = client;
    ClientToScreen(window, &screen);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r {};
        if (!IsWindowVisible(child) || !GetWindowRect(child, &r) || !PtInRect(&r, screen))
            continue;
        info.uFlags |= TTF_IDISHWND;
        info.hwnd = window;
        info.uId = reinterpret_cast<UINT_PTR>(child);
        info.lpszText = LPSTR_TEXTCALLBACK;
        return GetDlgCtrlID(child);
    }
    return -1;
}

}
