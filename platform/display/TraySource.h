// The tray icons as presenters see them: the notification-area model (Shell_NotifyIcon)
// behind an adapter, and the way a click on an icon goes back to its owner. The system
// module's model is the normal source; tests install one of their own.
#pragma once

#include "platform/user/User.h"

#include <memory>
#include <string>
#include <vector>

namespace platform::display {

struct TrayIcon {
    HWND owner {};
    UINT id {};
    UINT callback_message {};
    HICON icon {};
    std::string tip;
};

class TraySource {
public:
    virtual ~TraySource() = default;
    // The icons in the order they were added.
    virtual std::vector<TrayIcon> icons() = 0;
};

void set_tray_source(std::shared_ptr<TraySource> source);
std::shared_ptr<TraySource> tray_source();
// The icons of the installed source; none without one.
std::vector<TrayIcon> tray_icons();

// A tray of the desktop that shows the icons in place of the presenter: the desktop's
// StatusNotifierItem tray on the session bus. While it shows them, the presenter shows none
// (no XEmbed icon, no fallback window). It hears of every change of the icons
// (report_tray_changed), on the user-interface thread, before the presenter does; when it
// starts or stops showing them it reports a change itself, so the presenter looks again.
class DesktopTray {
public:
    virtual ~DesktopTray() = default;
    // Any thread.
    virtual bool shows_icons() const = 0;
    // User-interface thread.
    virtual void icons_changed() = 0;
};

void set_desktop_tray(std::shared_ptr<DesktopTray> tray);
std::shared_ptr<DesktopTray> desktop_tray();
// The icons the presenter shows itself: the source's, or none while the desktop tray shows them.
std::vector<TrayIcon> presenter_tray_icons();

// Tells the icon's owner about a mouse message on the icon the classic way: the callback
// message with the icon's id in wParam and the mouse message in lParam. Posted, so safe from
// any thread; nothing for an icon without a callback message.
void deliver_tray_mouse(TrayIcon const& icon, UINT mouse_message);

}
