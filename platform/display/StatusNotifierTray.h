// The desktop's own tray over D-Bus: when a StatusNotifierWatcher owns its name on the session
// bus, each tray icon is published there as a StatusNotifierItem and registered with the
// watcher, and the presenter shows none (no XEmbed icon, no fallback window). Without a
// watcher, or when it goes, or refuses an icon, the presenter shows the icons again; a
// watcher that comes later gets them. The icons of the process share one connection; an icon
// removed ends that connection and the others are published again on a new one, because
// watchers forget items only when their bus name goes.
#pragma once

#include "platform/display/TraySource.h"

#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform::display {

class StatusNotifierTray final : public DesktopTray {
public:
    // Connects to the session bus at `address` (empty: the user's session bus) and asks
    // whether a watcher is there, waiting for the answer (at most a second), so that the
    // presenter's first look already knows. Null, with `error` set, without a session bus.
    // User-interface thread.
    static std::shared_ptr<StatusNotifierTray> start(std::string const& address, std::string& error);
    ~StatusNotifierTray() override;
    StatusNotifierTray(StatusNotifierTray const&) = delete;
    StatusNotifierTray& operator=(StatusNotifierTray const&) = delete;

    bool shows_icons() const override { return *m_shown; }
    void icons_changed() override;

    // For tests: the bus name the icons are published under; empty without a connection.
    std::string bus_name() const;

private:
    class Connection;
    explicit StatusNotifierTray(std::string address);
    bool connect(std::string& error);

    std::string m_address;
    std::shared_ptr<std::atomic<bool>> m_shown { std::make_shared<std::atomic<bool>>(false) };
    std::unique_ptr<Connection> m_connection;
    std::vector<std::pair<HWND, UINT>> m_published; // the icons handed to the connection
};

}
