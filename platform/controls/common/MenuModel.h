// The inside of menus: each menu handle names a MenuModel, a list of items. Handles are
// numbers from a table, so a destroyed menu's handle is simply unknown afterwards.
#pragma once

#include "platform/controls/common/Menu.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::commctrl {

struct MenuItem {
    UINT type {};  // MF_STRING, MF_SEPARATOR, MF_OWNERDRAW, MF_POPUP, MF_BITMAP, breaks
    UINT state {}; // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_HILITE, MF_DEFAULT
    UINT id {};
    HMENU submenu {};
    std::string text;
    ULONG_PTR data {};
    HBITMAP checked_bitmap {};
    HBITMAP unchecked_bitmap {};

    bool separator() const { return type & MF_SEPARATOR; }
    bool owner_drawn() const { return type & MF_OWNERDRAW; }
    bool choosable() const { return !separator() && !submenu && !(state & (MF_GRAYED | MF_DISABLED)); }
    // The flags GetMenuState answers.
    UINT flags() const;
};

class MenuModel {
public:
    explicit MenuModel(bool popup)
        : m_popup(popup)
    {
    }

    static HMENU create(bool popup);
    static MenuModel* from(HMENU menu);
    // Destroys the menu and, depth first, the sub-menus its items open.
    static bool destroy(HMENU menu);

    bool popup() const { return m_popup; }
    std::vector<MenuItem>& items() { return m_items; }
    std::vector<MenuItem> const& items() const { return m_items; }

    // The item named by position or command (sub-menus searched depth first), with the menu
    // that holds it. Null when there is none.
    struct Found {
        MenuModel* menu;
        int position;
        MenuItem* item;
    };
    std::optional<Found> find(UINT item, UINT flags);

    static bool make_item(UINT flags, UINT_PTR id, LPCSTR text, MenuItem& out);
    bool insert(int position, MenuItem item); // position -1 or past the end: append

private:
    bool m_popup;
    std::vector<MenuItem> m_items;
};

}
