// The tool tip's show cycle (relayed pointer, delays, showing and popping) and the painting
// of the tip.
#include "platform/controls/common/ToolTipControl.h"

#include "platform/gdi/SysPaint.h"
#include "platform/user/Input.h"
#include "platform/user/WindowCore.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace platform::commctrl {

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr UINT_PTR kWatchTimer = 3;
constexpr UINT kWatchPeriod = 100;
constexpr int kBelowPointer = 20;
constexpr int kMarginX = 4;
constexpr int kMarginY = 2;

}

void ToolTipControl::relay(MSG const& msg)
{
    if (m_tracked >= 0)
        return;
    if (msg.message == WM_MOUSELEAVE) {
        if (m_pointer >= 0 && m_tools[static_cast<std::size_t>(m_pointer)].window() == msg.hwnd)
            pointer_on(-1);
        return;
    }
    if (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSELAST)
        return;
    int tool = -1;
    if (msg.message != WM_MOUSEWHEEL) // the wheel carries screen coordinates, and only ends a tip
        tool = tool_at(msg.hwnd, { GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam) });
    if (msg.message == WM_MOUSEMOVE) {
        pointer_on(tool);
        return;
    }
    // A press or release ends the tip, and the tool shows none until the pointer leaves it.
    pop(Phase::Idle);
    m_pointer = tool;
    if (tool >= 0) {
        m_tool = tool;
        m_phase = Phase::Done;
        SetTimer(m_hwnd, kWatchTimer, kWatchPeriod, nullptr);
    }
}

void ToolTipControl::pointer_on(int tool)
{
    m_pointer = tool;
    bool reshow = std::exchange(m_reshow_next, false);
    if (tool < 0) {
        pop(Phase::Idle);
        return;
    }
    if (tool == m_tool && m_phase != Phase::Idle)
        return;
    bool was_shown = reshow || m_phase == Phase::Shown;
    pop(Phase::Idle);
    if (m_active)
        start_wait(tool, delay(was_shown ? TTDT_RESHOW : TTDT_INITIAL));
}

void ToolTipControl::activate(bool on)
{
    if (!on) {
        pop(Phase::Idle);
        m_active = false;
        return;
    }
    if (m_active)
        return;
    m_active = true;
    if (m_pointer >= 0)
        start_wait(m_pointer, delay(TTDT_INITIAL));
}

void ToolTipControl::start_wait(int tool, int ms)
{
    m_tool = tool;
    m_phase = Phase::Waiting;
    SetTimer(m_hwnd, kShowTimer, static_cast<UINT>(std::max(ms, 1)), nullptr);
    SetTimer(m_hwnd, kWatchTimer, kWatchPeriod, nullptr);
}

void ToolTipControl::on_timer(UINT_PTR id)
{
    if (id == kShowTimer) {
        KillTimer(m_hwnd, kShowTimer);
        if (m_phase != Phase::Waiting)
            return;
        if (pointer_still_on_tool())
            show();
        else
            pointer_on(-1);
    } else if (id == kPopTimer) {
        pop(Phase::Done);
    } else if (id == kWatchTimer && m_phase != Phase::Idle && !pointer_still_on_tool()) {
        pointer_on(-1);
    }
}

void ToolTipControl::show()
{
    Tool const tool = m_tools[static_cast<std::size_t>(m_tool)];
    if (!may_show(tool)) {
        m_phase = Phase::Done;
        return;
    }
    std::string text = tool.callback ? ask_text(tool) : tool.text;
    // The handler may have destroyed the tip, deleted the tool or moved the cycle on.
    if (dead() || m_phase != Phase::Waiting)
        return;
    if (text.empty()) {
        m_phase = Phase::Done;
        return;
    }
    m_shown_text = std::move(text);
    m_phase = Phase::Shown;
    // The tip's window text is what it shows, for presenters and tests.
    SetWindowText(m_hwnd, m_shown_text.c_str());
    POINT pointer {};
    GetCursorPos(&pointer);
    place(pointer);
    SetTimer(m_hwnd, kPopTimer, static_cast<UINT>(std::max(delay(TTDT_AUTOPOP), 1)), nullptr);
}

void ToolTipControl::pop(Phase next)
{
    KillTimer(m_hwnd, kShowTimer);
    KillTimer(m_hwnd, kPopTimer);
    hide();
    m_phase = next;
    if (next == Phase::Idle) {
        KillTimer(m_hwnd, kWatchTimer);
        m_tool = -1;
    }
}

bool ToolTipControl::pointer_still_on_tool() const
{
    if (m_tool < 0)
        return false;
    Tool const& tool = m_tools[static_cast<std::size_t>(m_tool)];
    HWND window = tool.window();
    if (!IsWindow(window) || !IsWindowVisible(window))
        return false;
    POINT pointer {};
    GetCursorPos(&pointer);
    HWND under = WindowFromPoint(pointer);
    if (under != window && under != m_hwnd)
        return false;
    ScreenToClient(window, &pointer);
    RECT area = tool.rect;
    if (tool.flags & TTF_IDISHWND)
        GetClientRect(window, &area);
    return PtInRect(&area, pointer);
}

bool ToolTipControl::may_show(Tool const& tool) const
{
    if (GetWindowLong(m_hwnd, GWL_STYLE) & TTS_ALWAYSTIP)
        return true;
    HWND active = GetActiveWindow();
    for (HWND w = GetAncestor(tool.window(), GA_ROOT); w && active; w = GetWindow(w, GW_OWNER)) {
        if (w == active)
            return true;
    }
    return false;
}

// Asks the tool's window for the text. What the handler leaves in szText is read up to its
// 80th byte, whether or not it wrote a terminator there.
std::string ToolTipControl::ask_text(Tool const& tool)
{
    NMTTDISPINFO nm {};
    nm.hdr = { m_hwnd, tool.id, TTN_GETDISPINFO };
    nm.lpszText = nm.szText;
    nm.uFlags = tool.flags;
    nm.lParam = tool.param;
    SendMessage(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&nm));
    if (!nm.lpszText || nm.lpszText == nm.szText)
        return { nm.szText, strnlen(nm.szText, sizeof(nm.szText) - 1) };
    if (nm.lpszText == LPSTR_TEXTCALLBACK || reinterpret_cast<UINT_PTR>(nm.lpszText) < 0x10000)
        return {};
    return nm.lpszText;
}

void ToolTipControl::hide()
{
    if (IsWindowVisible(m_hwnd))
        SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

void ToolTipControl::track(bool on, TOOLINFO const* info)
{
    if (!on) {
        if (std::exchange(m_tracked, -1) >= 0)
            hide();
        return;
    }
    int const index = info ? find(info->hwnd, info->uId) : -1;
    if (index < 0 || !(m_tools[static_cast<std::size_t>(index)].flags & TTF_TRACK))
        return;
    pop(Phase::Idle);
    Tool const tool = m_tools[static_cast<std::size_t>(index)];
    std::string text = tool.callback ? ask_text(tool) : tool.text;
    // The handler may have destroyed the tip or deleted the tool.
    if (dead() || find(tool.hwnd, tool.id) != index)
        return;
    m_tracked = index;
    if (text.empty()) {
        hide();
        return;
    }
    m_shown_text = std::move(text);
    SetWindowText(m_hwnd, m_shown_text.c_str());
    place(m_track, (tool.flags & TTF_ABSOLUTE) != 0);
}

void ToolTipControl::track_position(POINT at)
{
    m_track = at;
    if (m_tracked >= 0 && IsWindowVisible(m_hwnd))
        place(m_track, (m_tools[static_cast<std::size_t>(m_tracked)].flags & TTF_ABSOLUTE) != 0);
}

// Sizes the tip to its text and shows it near the pointer (or with its corner at `at`),
// inside the screen.
void ToolTipControl::place(POINT at, bool absolute)
{
    RECT text = { 0, 0, m_max_width > 0 ? m_max_width : 0x7FFF, 0 };
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, font());
    DrawText(dc, m_shown_text.c_str(), -1, &text, DT_CALCRECT | text_format());
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    int width = static_cast<int>(text.right) + 2 * (kMarginX + 1);
    int height = static_cast<int>(text.bottom) + 2 * (kMarginY + 1);
    RECT screen = user::desktop_rect();
    int x = std::clamp(static_cast<int>(at.x), 0, std::max(0, static_cast<int>(screen.right) - width));
    int y = absolute ? at.y : at.y + kBelowPointer;
    if (y + height > screen.bottom)
        y = absolute ? screen.bottom - height : at.y - height - 2;
    y = std::max(y, 0);
    SetWindowPos(m_hwnd, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

UINT ToolTipControl::text_format() const
{
    UINT format = m_max_width > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    if (GetWindowLong(m_hwnd, GWL_STYLE) & TTS_NOPREFIX)
        format |= DT_NOPREFIX;
    return format | DT_LEFT;
}

HGDIOBJ ToolTipControl::font() const
{
    return m_font ? static_cast<HGDIOBJ>(m_font) : GetStockObject(DEFAULT_GUI_FONT);
}

void ToolTipControl::on_paint()
{
    PAINTSTRUCT ps {};
    HDC dc = BeginPaint(m_hwnd, &ps);
    if (dc)
        paint(dc);
    EndPaint(m_hwnd, &ps);
}

void ToolTipControl::paint(HDC dc)
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_INFOTEXT));
    HGDIOBJ old = SelectObject(dc, font());
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    RECT text = { 1 + kMarginX, 1 + kMarginY, client.right - 1 - kMarginX, client.bottom - 1 - kMarginY };
    DrawText(dc, m_shown_text.c_str(), -1, &text, text_format());
    SelectObject(dc, old);
}

}
