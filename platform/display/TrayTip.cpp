#include "platform/display/TrayTip.h"

#include "platform/controls/common/ToolTip.h"

#include <unordered_map>

namespace platform::display {

namespace {

// Apart from the tool tip's own timers (1 to 3), which its window procedure handles.
constexpr UINT_PTR kShowTimer = 0x7101;
constexpr UINT_PTR kPopTimer = 0x7102;
constexpr UINT_PTR kToolId = 1;

// The tip windows' owners, for the timer procedure.
std::unordered_map<HWND, TrayTip*>& owners()
{
    static std::unordered_map<HWND, TrayTip*> table;
    return table;
}

// The record points at `text`, which must outlive the message the record goes with.
TOOLINFO tool_of(HWND tip, char const* text)
{
    TOOLINFO info {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_TRACK;
    info.hwnd = tip;
    info.uId = kToolId;
    info.lpszText = const_cast<LPSTR>(text);
    return info;
}

UINT delay_of(HWND tip, WPARAM which)
{
    LRESULT const ms = SendMessage(tip, TTM_GETDELAYTIME, which, 0);
    return ms > 0 ? static_cast<UINT>(ms) : 1;
}

}

TrayTip::~TrayTip()
{
    if (!m_tip)
        return;
    owners().erase(m_tip);
    if (IsWindow(m_tip))
        DestroyWindow(m_tip);
}

bool TrayTip::ensure_tip()
{
    if (m_tip && IsWindow(m_tip))
        return true;
    if (m_tip)
        owners().erase(m_tip);
    m_tip = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, nullptr,
        nullptr, nullptr, nullptr);
    if (!m_tip)
        return false;
    owners()[m_tip] = this;
    TOOLINFO info = tool_of(m_tip, "");
    SendMessage(m_tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info));
    return true;
}

bool TrayTip::shown() const
{
    return m_tip && IsWindowVisible(m_tip);
}

void TrayTip::hover(std::string const& text, POINT screen)
{
    if ((m_waiting || m_popped || shown()) && text == m_text)
        return;
    leave();
    if (text.empty() || !ensure_tip())
        return;
    m_text = text;
    m_at = screen;
    m_waiting = true;
    SetTimer(m_tip, kShowTimer, delay_of(m_tip, TTDT_INITIAL), &TrayTip::on_timer);
}

void TrayTip::leave()
{
    m_popped = false;
    hide();
}

void TrayTip::hide()
{
    m_waiting = false;
    if (!m_tip || !IsWindow(m_tip))
        return;
    stop_timers();
    TOOLINFO info = tool_of(m_tip, m_text.c_str());
    SendMessage(m_tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
}

void TrayTip::show()
{
    m_waiting = false;
    stop_timers();
    TOOLINFO info = tool_of(m_tip, m_text.c_str());
    SendMessage(m_tip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
    SendMessage(m_tip, TTM_TRACKPOSITION, 0, MAKELPARAM(m_at.x, m_at.y));
    SendMessage(m_tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    SetTimer(m_tip, kPopTimer, delay_of(m_tip, TTDT_AUTOPOP), &TrayTip::on_timer);
}

void TrayTip::stop_timers()
{
    KillTimer(m_tip, kShowTimer);
    KillTimer(m_tip, kPopTimer);
}

void TrayTip::on_timer(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    auto found = owners().find(hwnd);
    if (found == owners().end())
        return;
    TrayTip& tip = *found->second;
    if (id == kShowTimer) {
        tip.show();
    } else {
        // No tip again until the pointer has left the icon.
        tip.hide();
        tip.m_popped = true;
    }
}

}
