#include "platform/system/TrayModel.h"

#include "platform/user/User.h"

#include <algorithm>

namespace platform::system {

TrayModel& TrayModel::the()
{
    static TrayModel model;
    return model;
}

bool TrayModel::add(TrayIcon icon)
{
    std::vector<TrayObserver*> observers;
    {
        std::lock_guard lock(m_mutex);
        for (auto const& existing : m_icons) {
            if (existing.owner == icon.owner && existing.id == icon.id)
                return false;
        }
        m_icons.push_back(icon);
        ++m_changes;
        observers = m_observers;
    }
    for (auto* observer : observers)
        observer->icon_added(icon);
    return true;
}

bool TrayModel::modify(HWND owner, UINT id, std::optional<UINT> callback_message, std::optional<HICON> icon,
    std::optional<std::string> tip)
{
    std::vector<TrayObserver*> observers;
    TrayIcon changed;
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_icons.begin(), m_icons.end(),
            [&](TrayIcon const& entry) { return entry.owner == owner && entry.id == id; });
        if (it == m_icons.end())
            return false;
        changed = *it;
        if (callback_message)
            changed.callback_message = *callback_message;
        if (icon)
            changed.icon = *icon;
        if (tip)
            changed.tip = *tip;
        if (changed == *it)
            return true;
        *it = changed;
        ++m_changes;
        observers = m_observers;
    }
    for (auto* observer : observers)
        observer->icon_changed(changed);
    return true;
}

bool TrayModel::remove(HWND owner, UINT id)
{
    std::vector<TrayObserver*> observers;
    TrayIcon removed;
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_icons.begin(), m_icons.end(),
            [&](TrayIcon const& entry) { return entry.owner == owner && entry.id == id; });
        if (it == m_icons.end())
            return false;
        removed = *it;
        m_icons.erase(it);
        ++m_changes;
        observers = m_observers;
    }
    for (auto* observer : observers)
        observer->icon_removed(removed);
    return true;
}

std::vector<TrayIcon> TrayModel::icons() const
{
    std::lock_guard lock(m_mutex);
    return m_icons;
}

std::optional<TrayIcon> TrayModel::find(HWND owner, UINT id) const
{
    std::lock_guard lock(m_mutex);
    for (auto const& icon : m_icons) {
        if (icon.owner == owner && icon.id == id)
            return icon;
    }
    return std::nullopt;
}

bool TrayModel::click(HWND owner, UINT id, UINT mouse_message) const
{
    auto icon = find(owner, id);
    if (!icon || icon->callback_message == 0)
        return false;
    return PostMessage(owner, icon->callback_message, id, static_cast<LPARAM>(mouse_message)) != FALSE;
}

unsigned TrayModel::change_count() const
{
    std::lock_guard lock(m_mutex);
    return m_changes;
}

void TrayModel::add_observer(TrayObserver* observer)
{
    std::lock_guard lock(m_mutex);
    m_observers.push_back(observer);
}

void TrayModel::remove_observer(TrayObserver* observer)
{
    std::lock_guard lock(m_mutex);
    std::erase(m_observers, observer);
}

void TrayModel::clear()
{
    std::lock_guard lock(m_mutex);
    m_icons.clear();
}

}
