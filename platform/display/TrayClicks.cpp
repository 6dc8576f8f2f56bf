#include "platform/display/TrayClicks.h"

#include "platform/user/Input.h"
#include "platform/user/User.h"

#include <cstdlib>

namespace platform::display {

namespace {

struct ButtonMessages {
    UINT down, up, double_click;
};

ButtonMessages messages_of(TrayButton button)
{
    switch (button) {
    case TrayButton::Left:
        return { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK };
    case TrayButton::Middle:
        return { WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK };
    case TrayButton::Right:
        return { WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK };
    }
    return { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK };
}

}

TrayClicks::TrayClicks()
    : TrayClicks(GetDoubleClickTime(), SIZE { GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK) })
{
}

TrayClicks::TrayClicks(std::uint32_t double_click_ms, SIZE double_click_box)
    : m_double_click_ms(double_click_ms)
    , m_box(double_click_box)
{
}

UINT TrayClicks::message_for(TrayPress const& event)
{
    ButtonMessages messages = messages_of(event.button);
    if (!event.press)
        return messages.up;
    bool second = m_last_press && m_last_press->icon_id == event.icon_id && m_last_press->owner == event.owner
        && m_last_press->button == event.button && event.time_ms - m_last_press->time_ms <= m_double_click_ms
        && std::abs(event.screen.x - m_last_press->screen.x) <= m_box.cx / 2
        && std::abs(event.screen.y - m_last_press->screen.y) <= m_box.cy / 2;
    if (second) {
        // A third press starts a new click rather than making a second double click.
        m_last_press.reset();
        return messages.double_click;
    }
    m_last_press = event;
    return messages.down;
}

}
