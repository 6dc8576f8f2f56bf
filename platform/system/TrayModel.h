// The notification-area icons of this process: what Shell_NotifyIcon added, with each icon's
// image, tip and callback message. Presenters show them through TrayObserver; tests and the
// presenters click them through click(), which posts the owner its callback message with the
// icon's id in wParam and the mouse message in lParam. A modify that changes nothing notifies
// nobody, so the programs may repeat it on every polling tick.
#pragma once

#include "platform/user/Types.h"

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace platform::system {

struct TrayIcon {
    HWND owner { nullptr };
    UINT id { 0 };
    UINT callback_message { 0 };
    HICON icon { nullptr };
    std::string tip;
    bool operator==(TrayIcon const&) const = default;
};

class TrayObserver {
public:
    virtual ~TrayObserver() = default;
    virtual void icon_added(TrayIcon const&) { }
    virtual void icon_changed(TrayIcon const&) { }
    virtual void icon_removed(TrayIcon const&) { }
};

class TrayModel {
public:
    static TrayModel& the();

    // Each answers false as the original does: adding an icon that exists, or modifying or
    // deleting one that does not.
    bool add(TrayIcon icon);
    bool modify(HWND owner, UINT id, std::optional<UINT> callback_message, std::optional<HICON> icon,
        std::optional<std::string> tip);
    bool remove(HWND owner, UINT id);

    std::vector<TrayIcon> icons() const;
    std::optional<TrayIcon> find(HWND owner, UINT id) const;
    // Posts the owner the callback message for `mouse_message` (WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, ...).
    bool click(HWND owner, UINT id, UINT mouse_message) const;
    // How many changes observers were told of; tests see that an identical modify costs nothing.
    unsigned change_count() const;

    void add_observer(TrayObserver* observer);
    void remove_observer(TrayObserver* observer);
    // Forgets every icon without telling anybody: a clean slate between tests.
    void clear();

private:
    mutable std::mutex m_mutex;
    std::vector<TrayIcon> m_icons;
    std::vector<TrayObserver*> m_observers;
    unsigned m_changes { 0 };
};

}
