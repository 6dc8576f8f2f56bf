#include "station/controls/ButtonToolTip.h"

namespace station::controls {

void ButtonToolTip::create(HWND owner)
{
    m_created = true;
    m_owner = owner;
    m_active = false;
    m_max_width = kMaxTipWidth;
}

void ButtonToolTip::destroy()
{
    *this = ButtonToolTip {};
}

void ButtonToolTip::relay(MSG const&)
{
    if (m_created)
        ++m_relayed;
}

void ButtonToolTip::add_tool(RECT const& rect, std::string const& text)
{
    if (!m_created)
        return;
    m_has_tool = true;
    m_rect = rect;
    m_text = text;
}

void ButtonToolTip::update_text(std::string const& text)
{
    if (m_has_tool)
        m_text = text;
}

void ButtonToolTip::activate(bool on)
{
    if (m_created)
        m_active = on;
}

}
