// One tray icon as a StatusNotifierItem object on the session bus: its image (IconPixmap)
// and tip (ToolTip) as properties, with NewIcon and NewToolTip sent when they change, and the
// host's requests back to the icon's owner as the mouse messages of the platform's tray, so
// that the programs' own handlers and owner-drawn menus run as they do for a click:
// Activate as a double click, ContextMenu as a right click, at the screen point the host
// gives. The item offers no menu of its own over the bus (no Menu property), so hosts ask
// for ContextMenu. Bus thread only.
#pragma once

#include "platform/display/IconImage.h"
#include "platform/display/TraySource.h"

#include <systemd/sd-bus.h>

#include <string>
#include <vector>

namespace platform::display {

class StatusNotifierItem {
public:
    // Publishes the object at `path`; published() tells whether the bus took it.
    StatusNotifierItem(sd_bus* bus, std::string path, TrayIcon icon, ArgbImage image);
    ~StatusNotifierItem();
    StatusNotifierItem(StatusNotifierItem const&) = delete;
    StatusNotifierItem& operator=(StatusNotifierItem const&) = delete;

    bool published() const { return m_slot != nullptr; }
    std::string const& path() const { return m_path; }
    TrayIcon const& icon() const { return m_icon; }
    // Takes the icon's new tip and image, telling hosts of what changed.
    void update(TrayIcon icon, ArgbImage image);

    // The mouse messages the icon's owner gets for a host's Activate and ContextMenu.
    static std::vector<UINT> activate_messages();
    static std::vector<UINT> context_menu_messages();

private:
    static sd_bus_vtable const vtable[];
    static int get_fixed(sd_bus*, char const*, char const*, char const* property, sd_bus_message* reply, void*, sd_bus_error*);
    static int get_pixmap(sd_bus*, char const*, char const*, char const*, sd_bus_message* reply, void* self, sd_bus_error*);
    static int get_tool_tip(sd_bus*, char const*, char const*, char const*, sd_bus_message* reply, void* self, sd_bus_error*);
    static int get_program(sd_bus*, char const*, char const*, char const*, sd_bus_message* reply, void* self, sd_bus_error*);
    static int on_activate(sd_bus_message* call, void* self, sd_bus_error* error);
    static int on_context_menu(sd_bus_message* call, void* self, sd_bus_error* error);
    int deliver(sd_bus_message* call, std::vector<UINT> const& messages);
    void emit(char const* signal);

    sd_bus* m_bus;
    std::string m_path;
    sd_bus_slot* m_slot {};
    TrayIcon m_icon;
    ArgbImage m_image;
};

}
