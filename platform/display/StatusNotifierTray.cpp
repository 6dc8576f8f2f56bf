// The tray's connection lives on the bus thread: it follows the watcher's name
// (NameOwnerChanged), keeps one StatusNotifierItem per icon and registers each with the
// watcher. The user-interface side reads the icons' images (drawing objects belong to that
// thread) and hands them over.
#include "platform/display/StatusNotifierTray.h"

#include "platform/display/IconImage.h"
#include "platform/display/Presenter.h"
#include "platform/display/StatusNotifierItem.h"
#include "platform/system/BusConnection.h"
#include "platform/user/Trace.h"
#include "platform/user/WindowCore.h"

#include <algorithm>

namespace platform::display {

namespace {

constexpr char watcher_name[] = "org.kde.StatusNotifierWatcher";
constexpr std::uint64_t start_question_us = 1'000'000;

struct ItemIcon {
    TrayIcon icon;
    ArgbImage image;
};

}

class StatusNotifierTray::Connection {
public:
    // `shown` is what the user-interface thread sees: it changes there, just before the
    // presenter is told to look again.
    Connection(std::unique_ptr<system::BusConnection> bus, std::shared_ptr<std::atomic<bool>> shown)
        : m_bus(std::move(bus))
        , m_shown(std::move(shown))
    {
        m_bus->on_lost([this] { set_showing(false); });
        m_bus->post_and_wait([this](sd_bus* bus) { start(bus); });
    }

    ~Connection()
    {
        m_bus->post([this](sd_bus*) {
            m_items.clear();
            m_owner_match = sd_bus_slot_unref(m_owner_match);
        });
        m_bus.reset();
    }

    std::string const& unique_name() const { return m_unique_name; }

    void set_icons(std::vector<ItemIcon> icons)
    {
        m_bus->post([this, icons = std::move(icons)](sd_bus* bus) mutable { sync(bus, std::move(icons)); });
    }

private:
    // [SECTION] Bus thread

    void start(sd_bus* bus)
    {
        char const* name = nullptr;
        if (sd_bus_get_unique_name(bus, &name) >= 0 && name)
            m_unique_name = name;
        std::string rule = std::string("type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
                                       "interface='org.freedesktop.DBus',member='NameOwnerChanged',arg0='")
            + watcher_name + "'";
        int r = sd_bus_add_match(bus, &m_owner_match, rule.c_str(), &Connection::on_owner_changed, this);
        if (r < 0)
            platform::trace("tray: cannot follow the status notifier watcher (%d)", r);
        m_watcher = ask_watcher(bus);
        m_showing = !m_watcher.empty();
        *m_shown = m_showing;
    }

    static std::string ask_watcher(sd_bus* bus)
    {
        sd_bus_message* call = nullptr;
        sd_bus_message* reply = nullptr;
        std::string owner;
        char const* text = nullptr;
        if (sd_bus_message_new_method_call(bus, &call, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                "org.freedesktop.DBus", "GetNameOwner")
                >= 0
            && sd_bus_message_append(call, "s", watcher_name) >= 0
            && sd_bus_call(bus, call, start_question_us, nullptr, &reply) >= 0
            && sd_bus_message_read(reply, "s", &text) >= 0 && text)
            owner = text;
        sd_bus_message_unref(call);
        sd_bus_message_unref(reply);
        return owner;
    }

    void sync(sd_bus* bus, std::vector<ItemIcon> icons)
    {
        std::vector<std::unique_ptr<StatusNotifierItem>> kept;
        for (ItemIcon& next : icons) {
            auto it = std::find_if(m_items.begin(), m_items.end(), [&](auto const& item) {
                return item && item->icon().owner == next.icon.owner && item->icon().id == next.icon.id;
            });
            if (it != m_items.end()) {
                (*it)->update(std::move(next.icon), std::move(next.image));
                kept.push_back(std::move(*it));
                continue;
            }
            std::string path = "/StatusNotifierItem/" + std::to_string(++m_next_path);
            kept.push_back(std::make_unique<StatusNotifierItem>(bus, path, std::move(next.icon), std::move(next.image)));
            register_item(bus, *kept.back());
        }
        m_items = std::move(kept);
    }

    void register_item(sd_bus* bus, StatusNotifierItem const& item)
    {
        if (m_watcher.empty() || !item.published())
            return;
        int r = sd_bus_call_method_async(bus, nullptr, m_watcher.c_str(), "/StatusNotifierWatcher", watcher_name,
            "RegisterStatusNotifierItem", &Connection::on_registered, this, "s", item.path().c_str());
        if (r < 0)
            refused(r);
    }

    void refused(int code)
    {
        platform::trace("tray: the status notifier watcher refused an icon (%d); the presenter shows the icons", code);
        set_showing(false);
    }

    static int on_registered(sd_bus_message* reply, void* self, sd_bus_error*)
    {
        if (sd_bus_message_is_method_error(reply, nullptr))
            static_cast<Connection*>(self)->refused(-sd_bus_message_get_errno(reply));
        return 0;
    }

    static int on_owner_changed(sd_bus_message* signal, void* self, sd_bus_error*)
    {
        char const* name = nullptr;
        char const* before = nullptr;
        char const* after = nullptr;
        if (sd_bus_message_read(signal, "sss", &name, &before, &after) < 0 || !name || !after)
            return 0;
        static_cast<Connection*>(self)->watcher_changed(sd_bus_message_get_bus(signal), after);
        return 0;
    }

    void watcher_changed(sd_bus* bus, std::string owner)
    {
        m_watcher = std::move(owner);
        set_showing(!m_watcher.empty());
        for (auto const& item : m_items)
            register_item(bus, *item);
    }

    void set_showing(bool showing)
    {
        if (m_showing == showing)
            return;
        m_showing = showing;
        user::post_to_ui_thread([shown = m_shown, showing] {
            *shown = showing;
            report_tray_changed();
        });
    }

    std::unique_ptr<system::BusConnection> m_bus;
    std::shared_ptr<std::atomic<bool>> m_shown;
    std::string m_unique_name; // set before the constructor returns
    // Bus thread.
    bool m_showing {};
    sd_bus_slot* m_owner_match {};
    std::string m_watcher;
    std::vector<std::unique_ptr<StatusNotifierItem>> m_items;
    unsigned m_next_path {};
};

std::shared_ptr<StatusNotifierTray> StatusNotifierTray::start(std::string const& address, std::string& error)
{
    std::shared_ptr<StatusNotifierTray> tray(new StatusNotifierTray(address));
    if (!tray->connect(error))
        return nullptr;
    return tray;
}

StatusNotifierTray::StatusNotifierTray(std::string address)
    : m_address(std::move(address))
{
}

StatusNotifierTray::~StatusNotifierTray() = default;

bool StatusNotifierTray::connect(std::string& error)
{
    m_connection.reset();
    auto bus = system::BusConnection::open(system::BusKind::Session, m_address, error);
    if (!bus) {
        *m_shown = false;
        return false;
    }
    m_connection = std::make_unique<Connection>(std::move(bus), m_shown);
    return true;
}

void StatusNotifierTray::icons_changed()
{
    std::vector<ItemIcon> icons;
    std::vector<std::pair<HWND, UINT>> keys;
    for (TrayIcon const& icon : tray_icons()) {
        keys.emplace_back(icon.owner, icon.id);
        icons.push_back(ItemIcon { icon, icon_image(icon.icon) });
    }
    bool removed = std::any_of(m_published.begin(), m_published.end(),
        [&](auto const& key) { return std::find(keys.begin(), keys.end(), key) == keys.end(); });
    m_published = keys;
    if (removed) {
        std::string error;
        if (!connect(error))
            platform::trace("tray: %s", error.c_str());
    }
    if (m_connection)
        m_connection->set_icons(std::move(icons));
}

std::string StatusNotifierTray::bus_name() const
{
    return m_connection ? m_connection->unique_name() : std::string {};
}

}
