#include "station/controls/ButtonToolTip.h"

namespace station::controls {

void ButtonToolTip::create(HWND owner)
{
    if (created() || !owner)
        return;
    if (!m_tip.Create(CWnd::FromHandle(owner), 0))
        return;
    m_owner = owner;
    m_tip.Activate(FALSE);
    m_active = false;
    m_tip.SetMaxTipWidth(kMaxTipWidth);
}

void ButtonToolTip::destroy()
{
    // The control may already have gone with its owner window.
    if (created())
        m_tip.DestroyWindow();
    m_active = false;
    m_has_tool = false;
    m_owner = nullptr;
    m_relayed = 0;
}

void ButtonToolTip::relay(MSG const& msg)
{
    if (!created())
        return;
    MSG copy = msg;
    m_tip.RelayEvent(&copy);
    ++m_relayed;
}

void ButtonToolTip::add_tool(RECT const& rect, std::string const& text)
{
    if (!created() || m_has_tool)
        return;
    m_has_tool = m_tip.AddTool(CWnd::FromHandle(m_owner), text.c_str(), &rect, kToolId) != FALSE;
}

void ButtonToolTip::update_text(std::string const& text)
{
    if (m_has_tool)
        m_tip.UpdateTipText(text.c_str(), CWnd::FromHandle(m_owner), kToolId);
}

void ButtonToolTip::activate(bool on)
{
    if (!created())
        return;
    m_tip.Activate(on ? TRUE : FALSE);
    m_active = on;
}

bool ButtonToolTip::read_tool(TOOLINFO& info, char* text) const
{
    if (!m_has_tool)
        return false;
    info = {};
    info.cbSize = sizeof info;
    info.hwnd = m_owner;
    info.uId = kToolId;
    info.lpszText = text;
    return ::SendMessage(m_tip.GetSafeHwnd(), TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

std::string ButtonToolTip::text() const
{
    char text[80] {};
    TOOLINFO info;
    return read_tool(info, text) ? std::string(text) : std::string();
}

RECT ButtonToolTip::tool_rect() const
{
    char text[80] {};
    TOOLINFO info;
    return read_tool(info, text) ? info.rect : RECT {};
}

int ButtonToolTip::max_tip_width() const
{
    return created() ? m_tip.GetMaxTipWidth() : -1;
}

}
