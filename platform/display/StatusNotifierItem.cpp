#include "platform/display/StatusNotifierItem.h"

#include "platform/user/Trace.h"
#include "platform/user/WindowCore.h"

#include <cerrno>
#include <string_view>

namespace platform::display {

namespace {

constexpr char item_interface[] = "org.kde.StatusNotifierItem";

// The pixmap as the protocol carries it: width, height and ARGB32 pixels in network byte
// order, one entry per size offered (one here; none for an icon without an image).
int append_pixmaps(sd_bus_message* reply, ArgbImage const& image)
{
    int r = sd_bus_message_open_container(reply, 'a', "(iiay)");
    if (r < 0 || image.empty())
        return r < 0 ? r : sd_bus_message_close_container(reply);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(image.pixels.size() * 4);
    for (std::uint32_t pixel : image.pixels) {
        for (int shift : { 24, 16, 8, 0 })
            bytes.push_back(static_cast<std::uint8_t>(pixel >> shift));
    }
    if ((r = sd_bus_message_open_container(reply, 'r', "iiay")) < 0
        || (r = sd_bus_message_append(reply, "ii", image.width, image.height)) < 0
        || (r = sd_bus_message_append_array(reply, 'y', bytes.data(), bytes.size())) < 0
        || (r = sd_bus_message_close_container(reply)) < 0)
        return r;
    return sd_bus_message_close_container(reply);
}

}

sd_bus_vtable const StatusNotifierItem::vtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_PROPERTY("Category", "s", &StatusNotifierItem::get_fixed, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("Id", "s", &StatusNotifierItem::get_program, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("Title", "s", &StatusNotifierItem::get_program, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("Status", "s", &StatusNotifierItem::get_fixed, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("IconName", "s", &StatusNotifierItem::get_fixed, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("IconPixmap", "a(iiay)", &StatusNotifierItem::get_pixmap, 0, 0),
    SD_BUS_PROPERTY("ToolTip", "(sa(iiay)ss)", &StatusNotifierItem::get_tool_tip, 0, 0),
    SD_BUS_PROPERTY("ItemIsMenu", "b", &StatusNotifierItem::get_fixed, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_METHOD("Activate", "ii", "", &StatusNotifierItem::on_activate, 0),
    SD_BUS_METHOD("ContextMenu", "ii", "", &StatusNotifierItem::on_context_menu, 0),
    SD_BUS_SIGNAL("NewIcon", "", 0),
    SD_BUS_SIGNAL("NewToolTip", "", 0),
    SD_BUS_VTABLE_END,
};

StatusNotifierItem::StatusNotifierItem(sd_bus* bus, std::string path, TrayIcon icon, ArgbImage image)
    : m_bus(bus)
    , m_path(std::move(path))
    , m_icon(std::move(icon))
    , m_image(std::move(image))
{
    int r = sd_bus_add_object_vtable(m_bus, &m_slot, m_path.c_str(), item_interface, vtable, this);
    if (r < 0) {
        m_slot = nullptr;
        platform::trace("tray: cannot publish the icon at %s (%d)", m_path.c_str(), r);
    }
}

StatusNotifierItem::~StatusNotifierItem()
{
    sd_bus_slot_unref(m_slot);
}

void StatusNotifierItem::update(TrayIcon icon, ArgbImage image)
{
    bool new_tip = icon.tip != m_icon.tip;
    bool new_image = !(image == m_image);
    m_icon = std::move(icon);
    m_image = std::move(image);
    if (new_image)
        emit("NewIcon");
    if (new_tip)
        emit("NewToolTip");
}

void StatusNotifierItem::emit(char const* signal)
{
    if (published())
        sd_bus_emit_signal(m_bus, m_path.c_str(), item_interface, signal, nullptr);
}

std::vector<UINT> StatusNotifierItem::activate_messages()
{
    return { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP };
}

std::vector<UINT> StatusNotifierItem::context_menu_messages()
{
    return { WM_RBUTTONDOWN, WM_RBUTTONUP };
}

int StatusNotifierItem::get_fixed(sd_bus*, char const*, char const*, char const* property, sd_bus_message* reply, void*, sd_bus_error*)
{
    // An always active item of a program, shown by its pixmap (no icon name), and not a menu:
    // hosts ask for ContextMenu on a right click.
    std::string_view name = property;
    if (name == "ItemIsMenu")
        return sd_bus_message_append(reply, "b", 0);
    char const* value = name == "Category" ? "ApplicationStatus" : name == "Status" ? "Active" : "";
    return sd_bus_message_append(reply, "s", value);
}

int StatusNotifierItem::get_pixmap(sd_bus*, char const*, char const*, char const*, sd_bus_message* reply, void* self, sd_bus_error*)
{
    return append_pixmaps(reply, static_cast<StatusNotifierItem*>(self)->m_image);
}

int StatusNotifierItem::get_tool_tip(sd_bus*, char const*, char const*, char const*, sd_bus_message* reply, void* self, sd_bus_error*)
{
    // No icon name and no image of its own: hosts show the item's icon beside the text.
    auto* item = static_cast<StatusNotifierItem*>(self);
    int r = sd_bus_message_open_container(reply, 'r', "sa(iiay)ss");
    if (r < 0 || (r = sd_bus_message_append(reply, "s", "")) < 0 || (r = append_pixmaps(reply, ArgbImage {})) < 0
        || (r = sd_bus_message_append(reply, "ss", item->m_icon.tip.c_str(), "")) < 0)
        return r;
    return sd_bus_message_close_container(reply);
}

int StatusNotifierItem::get_program(sd_bus*, char const*, char const*, char const*, sd_bus_message* reply, void*, sd_bus_error*)
{
    return sd_bus_message_append(reply, "s", program_invocation_short_name);
}

int StatusNotifierItem::on_activate(sd_bus_message* call, void* self, sd_bus_error*)
{
    return static_cast<StatusNotifierItem*>(self)->deliver(call, activate_messages());
}

int StatusNotifierItem::on_context_menu(sd_bus_message* call, void* self, sd_bus_error*)
{
    return static_cast<StatusNotifierItem*>(self)->deliver(call, context_menu_messages());
}

int StatusNotifierItem::deliver(sd_bus_message* call, std::vector<UINT> const& messages)
{
    int x = 0;
    int y = 0;
    int r = sd_bus_message_read(call, "ii", &x, &y);
    if (r < 0)
        return r;
    // The owner opens its menu where the pointer is, so the pointer is placed first.
    user::set_cursor_position(POINT { x, y });
    for (UINT message : messages)
        deliver_tray_mouse(m_icon, message);
    return sd_bus_reply_method_return(call, "");
}

}
