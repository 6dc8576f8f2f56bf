#include "platform/display/TraySource.h"

#include <mutex>

namespace platform::display {

namespace {

std::mutex g_mutex;
std::shared_ptr<TraySource> g_source;
std::shared_ptr<DesktopTray> g_desktop_tray;

}

void set_tray_source(std::shared_ptr<TraySource> source)
{
    std::lock_guard lock(g_mutex);
    g_source = std::move(source);
}

std::shared_ptr<TraySource> tray_source()
{
    std::lock_guard lock(g_mutex);
    return g_source;
}

std::vector<TrayIcon> tray_icons()
{
    auto source = tray_source();
    return source ? source->icons() : std::vector<TrayIcon> {};
}

void set_desktop_tray(std::shared_ptr<DesktopTray> tray)
{
    std::lock_guard lock(g_mutex);
    g_desktop_tray = std::move(tray);
}

std::shared_ptr<DesktopTray> desktop_tray()
{
    std::lock_guard lock(g_mutex);
    return g_desktop_tray;
}

std::vector<TrayIcon> presenter_tray_icons()
{
    auto tray = desktop_tray();
    if (tray && tray->shows_icons())
        return {};
    return tray_icons();
}

void deliver_tray_mouse(TrayIcon const& icon, UINT mouse_message)
{
    if (icon.callback_message == 0)
        return;
    PostMessage(icon.owner, icon.callback_message, icon.id, static_cast<LPARAM>(mouse_message));
}

}
