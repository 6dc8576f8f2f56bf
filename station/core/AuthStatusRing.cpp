#include "station/core/AuthStatusRing.h"

#include "platform/user/User.h"

#include <cstring>

namespace station::core {

AuthStatusRing& AuthStatusRing::the()
{
    static AuthStatusRing ring;
    return ring;
}

void AuthStatusRing::set_window(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    m_window = hwnd;
}

HWND AuthStatusRing::window() const
{
    std::lock_guard lock(m_mutex);
    return m_window;
}

bool AuthStatusRing::window_up() const
{
    std::lock_guard lock(m_mutex);
    return m_window && ::IsWindow(m_window);
}

bool AuthStatusRing::write_locked(std::string_view text)
{
    if (!m_window || !::IsWindow(m_window))
        return false;
    auto& slot = m_slots[std::size_t(m_index)];
    std::size_t const length = std::min(text.size(), kSlotSize - 1);
    slot.fill(0);
    std::memcpy(slot.data(), text.data(), length);
    ::PostMessage(m_window, WM_AUTH_STATUS_LINE, WPARAM(m_index), 0);
    return true;
}

bool AuthStatusRing::announce(std::string_view text)
{
    std::lock_guard lock(m_mutex);
    if (!write_locked(text))
        return false;
    m_index = (m_index + 1) % kSlots;
    return true;
}

bool AuthStatusRing::announce_end()
{
    std::lock_guard lock(m_mutex);
    if (!write_locked("OK"))
        return false;
    m_index = 0;
    return true;
}

void AuthStatusRing::reset()
{
    std::lock_guard lock(m_mutex);
    m_index = 0;
    for (auto& slot : m_slots)
        slot.fill(0);
}

std::string AuthStatusRing::slot(int index) const
{
    if (index < 0 || index >= kSlots)
        return {};
    std::lock_guard lock(m_mutex);
    auto const& s = m_slots[std::size_t(index)];
    return std::string(s.data(), ::strnlen(s.data(), s.size()));
}

int AuthStatusRing::index() const
{
    std::lock_guard lock(m_mutex);
    return m_index;
}

}
