#include "platform/system/TrayModel.h"

#include "platform/user/User.h"
#include "platform/user/WindowCore.h"

#include <algorithm>

namespace platform::system {

namespace {

// Follows top-level windows so that a destroyed window's icons leave the tray. Installed when
// the library loads, before any other thread runs, since the observer list belongs to the
// user-interface thread.
class TrayWindowWatch final : public user::WindowObserver {
public:
    TrayWindowWatch() { user::add_window_observer(this); }
    void window_destroyed(HWND hwnd) override { TrayModel::the().drop_window(hwnd); }
};

TrayWindowWatch const watch;

}

TrayModel& TrayModel::the()
{
    static TrayModel model;
    return model;
}

void TrayModel::notify(Change change, TrayIcon const& icon)
{
    user::run_on_ui_thread([&]() -> LRESULT {
        std::vector<TrayObserver*> observers;
        {
            std::lock_guard lock(m_mutex);
            observers = m_observers;
        }
        for (auto* observer : observers) {
            switch (change) {
            case Change::added:
                observer->icon_added(icon);
                break;
            case Change::changed:
                observer->icon_changed(icon);
                break;
            case Change::removed:
                observer->icon_removed(icon);
                break;
            }
        }
        return 0;
    });
}

bool TrayModel::add(TrayIcon icon)
{
    {
        std::lock_guard lock(m_mutex);
        for (auto const& existing : m_icons) {
            if (existing.owner == icon.owner && existing.id == icon.id)
                return false;
        }
        m_icons.push_back(icon);
        ++m_changes;
    }
    notify(Change::added, icon);
    return true;
}

bool TrayModel::modify(HWND owner, UINT id, std::optional<UINT> callback_message, std::optional<HICON> icon,
    std::optional<std::string> tip)
{
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
    }
    notify(Change::changed, changed);
    return true;
}

bool TrayModel::remove(HWND owner, UINT id)
{
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
    }
    notify(Change::removed, removed);
    return true;
}

void TrayModel::drop_window(HWND top_level)
{
    std::vector<TrayIcon> dropped;
    {
        std::lock_guard lock(m_mutex);
        // A child owner still belongs to its top-level window while that is destroyed.
        auto gone = [&](TrayIcon const& icon) {
            return icon.owner == top_level || !IsWindow(icon.owner) || user::top_level_of(icon.owner) == top_level;
        };
        std::copy_if(m_icons.begin(), m_icons.end(), std::back_inserter(dropped), gone);
        std::erase_if(m_icons, gone);
        m_changes += static_cast<unsigned>(dropped.size());
    }
    for (auto const& icon : dropped)
        notify(Change::removed, icon);
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
