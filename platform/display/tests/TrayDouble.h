// A test double of the desktop's side of the StatusNotifierItem tray, on a private bus: it
// plays the StatusNotifierWatcher (it records registrations, and can refuse them) and the
// host (it reads an item's properties, hears its signals and calls its methods), as a
// desktop's panel would. Its calls wait at most the connection's method time-out.
#pragma once

#include <systemd/sd-bus.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace display_test {

constexpr char item_interface[] = "org.kde.StatusNotifierItem";

struct Pixmap {
    int width {};
    int height {};
    std::vector<std::uint8_t> bytes;
};

class TrayDouble {
public:
    explicit TrayDouble(sd_bus* bus)
        : m_bus(bus)
    {
        sd_bus_match_signal(m_bus, nullptr, nullptr, nullptr, item_interface, "NewIcon", &TrayDouble::on_new_icon, this);
        sd_bus_match_signal(m_bus, nullptr, nullptr, nullptr, item_interface, "NewToolTip", &TrayDouble::on_new_tip, this);
    }
    ~TrayDouble()
    {
        sd_bus_slot_unref(m_watcher);
        sd_bus_flush_close_unref(m_bus);
    }

    sd_bus* bus() const { return m_bus; }

    // [SECTION] Watcher
    bool become_watcher()
    {
        return sd_bus_add_object_vtable(m_bus, &m_watcher, "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                   watcher_vtable, this)
            >= 0
            && sd_bus_request_name(m_bus, "org.kde.StatusNotifierWatcher", 0) >= 0;
    }
    void stop_being_watcher()
    {
        sd_bus_release_name(m_bus, "org.kde.StatusNotifierWatcher");
        m_watcher = sd_bus_slot_unref(m_watcher);
    }

    struct Registration {
        std::string sender;
        std::string path;
    };
    std::vector<Registration> registered;
    bool refuse { false };
    int new_icons { 0 };
    int new_tips { 0 };

    // [SECTION] Host
    std::string tool_tip(Registration const& item)
    {
        sd_bus_message* reply = get(item, "ToolTip", "(sa(iiay)ss)");
        char const* icon_name = nullptr;
        char const* title = nullptr;
        char const* text = nullptr;
        std::string tip = "?";
        if (reply && sd_bus_message_enter_container(reply, 'r', "sa(iiay)ss") >= 0
            && sd_bus_message_read(reply, "s", &icon_name) >= 0 && sd_bus_message_skip(reply, "a(iiay)") >= 0
            && sd_bus_message_read(reply, "ss", &title, &text) >= 0)
            tip = std::string(title) + "|" + text;
        sd_bus_message_unref(reply);
        return tip;
    }

    Pixmap pixmap(Registration const& item)
    {
        sd_bus_message* reply = get(item, "IconPixmap", "a(iiay)");
        Pixmap out;
        void const* data = nullptr;
        std::size_t size = 0;
        if (reply && sd_bus_message_enter_container(reply, 'a', "(iiay)") > 0
            && sd_bus_message_enter_container(reply, 'r', "iiay") > 0
            && sd_bus_message_read(reply, "ii", &out.width, &out.height) >= 0
            && sd_bus_message_read_array(reply, 'y', &data, &size) >= 0) {
            auto const* bytes = static_cast<std::uint8_t const*>(data);
            out.bytes.assign(bytes, bytes + size);
        }
        sd_bus_message_unref(reply);
        return out;
    }

    std::string text_property(Registration const& item, char const* name)
    {
        char* value = nullptr;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        std::string out = "?";
        if (sd_bus_get_property_string(m_bus, item.sender.c_str(), item.path.c_str(), item_interface, name, &error, &value) >= 0)
            out = value;
        free(value);
        sd_bus_error_free(&error);
        return out;
    }

    bool call(Registration const& item, char const* method, int x, int y)
    {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        int r = sd_bus_call_method(m_bus, item.sender.c_str(), item.path.c_str(), item_interface, method, &error, nullptr,
            "ii", x, y);
        sd_bus_error_free(&error);
        return r >= 0;
    }

    bool has_owner(std::string const& name)
    {
        int has = 0;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        sd_bus_message* reply = nullptr;
        if (sd_bus_call_method(m_bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                "NameHasOwner", &error, &reply, "s", name.c_str())
            >= 0)
            sd_bus_message_read(reply, "b", &has);
        sd_bus_message_unref(reply);
        sd_bus_error_free(&error);
        return has != 0;
    }

private:
    sd_bus_message* get(Registration const& item, char const* name, char const* type)
    {
        sd_bus_message* reply = nullptr;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        if (sd_bus_get_property(m_bus, item.sender.c_str(), item.path.c_str(), item_interface, name, &error, &reply, type) < 0)
            reply = sd_bus_message_unref(reply);
        sd_bus_error_free(&error);
        return reply;
    }

    static int on_register(sd_bus_message* call, void* self, sd_bus_error* error)
    {
        auto* double_ = static_cast<TrayDouble*>(self);
        char const* path = nullptr;
        if (sd_bus_message_read(call, "s", &path) < 0)
            return -EINVAL;
        if (double_->refuse)
            return sd_bus_error_set(error, "org.freedesktop.DBus.Error.Failed", "not today");
        double_->registered.push_back({ sd_bus_message_get_sender(call), path });
        return sd_bus_reply_method_return(call, "");
    }
    static int on_new_icon(sd_bus_message*, void* self, sd_bus_error*)
    {
        ++static_cast<TrayDouble*>(self)->new_icons;
        return 0;
    }
    static int on_new_tip(sd_bus_message*, void* self, sd_bus_error*)
    {
        ++static_cast<TrayDouble*>(self)->new_tips;
        return 0;
    }

    static sd_bus_vtable const watcher_vtable[];
    sd_bus* m_bus;
    sd_bus_slot* m_watcher {};
};

sd_bus_vtable const TrayDouble::watcher_vtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("RegisterStatusNotifierItem", "s", "", &TrayDouble::on_register, 0),
    SD_BUS_VTABLE_END,
};

}
