#include "platform/controls/common/MenuModel.h"

#include <map>
#include <mutex>

namespace platform::commctrl {

namespace {

struct MenuTable {
    std::mutex mutex;
    std::map<ULONG_PTR, std::unique_ptr<MenuModel>> menus;
    ULONG_PTR next { 0x10000 }; // handles are never reused
};

MenuTable& table()
{
    static MenuTable t;
    return t;
}

constexpr UINT kTypeBits = MF_SEPARATOR | MF_OWNERDRAW | MF_POPUP | MF_BITMAP | MF_MENUBARBREAK | MF_MENUBREAK
    | MF_RIGHTJUSTIFY;
constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

}

UINT MenuItem::flags() const
{
    UINT f = type | state;
    if (!submenu)
        return f;
    MenuModel* sub = MenuModel::from(submenu);
    UINT count = sub ? static_cast<UINT>(sub->items().size()) : 0;
    return (count << 8) | (f & 0xFF);
}

HMENU MenuModel::create(bool popup)
{
    std::lock_guard lock(table().mutex);
    ULONG_PTR id = table().next++;
    table().menus[id] = std::make_unique<MenuModel>(popup);
    return reinterpret_cast<HMENU>(id);
}

MenuModel* MenuModel::from(HMENU menu)
{
    std::lock_guard lock(table().mutex);
    auto it = table().menus.find(reinterpret_cast<ULONG_PTR>(menu));
    return it == table().menus.end() ? nullptr : it->second.get();
}

bool MenuModel::destroy(HMENU menu)
{
    std::unique_ptr<MenuModel> owned;
    {
        std::lock_guard lock(table().mutex);
        auto it = table().menus.find(reinterpret_cast<ULONG_PTR>(menu));
        if (it == table().menus.end())
            return false;
        owned = std::move(it->second);
        table().menus.erase(it);
    }
    for (MenuItem const& item : owned->items()) {
        if (item.submenu)
            destroy(item.submenu);
    }
    return true;
}

std::optional<MenuModel::Found> MenuModel::find(UINT item, UINT flags)
{
    if (flags & MF_BYPOSITION) {
        if (item >= m_items.size())
            return std::nullopt;
        return Found { this, static_cast<int>(item), &m_items[item] };
    }
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        MenuItem& it = m_items[i];
        if (it.submenu) {
            if (reinterpret_cast<ULONG_PTR>(it.submenu) == item)
                return Found { this, static_cast<int>(i), &it };
            if (MenuModel* sub = from(it.submenu)) {
                if (auto found = sub->find(item, flags))
                    return found;
            }
        } else if (it.id == item && !it.separator()) {
            return Found { this, static_cast<int>(i), &it };
        }
    }
    return std::nullopt;
}

bool MenuModel::make_item(UINT flags, UINT_PTR id, LPCSTR text, MenuItem& out)
{
    out = {};
    out.type = flags & kTypeBits;
    out.state = flags & kStateBits;
    if (flags & MF_POPUP) {
        out.submenu = reinterpret_cast<HMENU>(id);
        if (!from(out.submenu))
            return false;
    } else {
        out.id = static_cast<UINT>(id);
    }
    if (flags & MF_SEPARATOR) {
        out.type = MF_SEPARATOR | (flags & MF_OWNERDRAW);
        out.id = 0;
        if (flags & MF_OWNERDRAW)
            out.data = reinterpret_cast<ULONG_PTR>(text);
    } else if (flags & MF_OWNERDRAW) {
        out.data = reinterpret_cast<ULONG_PTR>(text);
    } else if (!(flags & MF_BITMAP) && text) {
        out.text = text;
    }
    return true;
}

bool MenuModel::insert(int position, MenuItem item)
{
    if (position < 0 || static_cast<std::size_t>(position) >= m_items.size())
        m_items.push_back(std::move(item));
    else
        m_items.insert(m_items.begin() + position, std::move(item));
    return true;
}

}
