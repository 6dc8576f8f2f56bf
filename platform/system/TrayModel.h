// The notification-area icons of this process: what Shell_NotifyIcon added, with each icon's
// image, tip and callback message. Tests and the presenters click them through click(), which
// posts the owner its callback message with the icon's id in wParam and the mouse message in
// lParam. A modify that changes nothing notifies nobody, so the programs may repeat it on
// every polling tick.
//
// The presenter's seam (a system tray shows these icons):
//  - icons() lists the current icons in the order they were added;
//  - a TrayObserver is told of each change (NIM_ADD, a NIM_MODIFY that changed something,
//    NIM_DELETE, and the icons dropped with their window), always on the user-interface
//    thread and after the model has changed, so icons() shows at least that change. A change
//    made on another thread waits until the user-interface thread has told the observers.
//  - the icons of a window go away when its top-level window is destroyed, as the shell
//    forgets the icons of a window that no longer exists. NIM_DELETE from WM_DESTROY still
//    finds its icon.
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

// Observers are added and removed on the user-interface thread.
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
    // Removes every icon of `top_level` and of its descendants, telling the observers.
    void drop_window(HWND top_level);
    // Forgets every icon without telling anybody: a clean slate between tests.
    void clear();

private:
    enum class Change { added, changed, removed };
    void notify(Change change, TrayIcon const& icon);

    mutable std::mutex m_mutex;
    std::vector<TrayIcon> m_icons;
    std::vector<TrayObserver*> m_observers;
    unsigned m_changes { 0 };
};

}
