#include "platform/framework/MenuObject.h"

#include "platform/framework/Resources.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

using namespace platform::framework;

namespace {

struct MenuMaps {
    std::mutex mutex;
    std::map<HMENU, CMenu*> permanent;
    std::map<HMENU, std::unique_ptr<CMenu>> temporary;
};

MenuMaps& maps()
{
    static MenuMaps m;
    return m;
}

int id_of(LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
    if (name && name[0] == '#')
        return std::atoi(name + 1);
    return -1;
}

bool append_items(HMENU menu, std::vector<MenuItemResource> const& items);

bool append_item(HMENU menu, MenuItemResource const& item)
{
    if (item.separator)
        return ::AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    UINT const state = (item.grayed ? MF_GRAYED : 0) | (item.checked ? MF_CHECKED : 0);
    if (!item.popup)
        return ::AppendMenu(menu, MF_STRING | state, item.id, item.text.c_str());
    HMENU const popup = ::CreatePopupMenu();
    if (!popup || !append_items(popup, item.children)
        || !::AppendMenu(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(popup), item.text.c_str())) {
        if (popup)
            ::DestroyMenu(popup);
        return false;
    }
    return true;
}

bool append_items(HMENU menu, std::vector<MenuItemResource> const& items)
{
    for (MenuItemResource const& item : items) {
        if (!append_item(menu, item))
            return false;
    }
    return true;
}

}

extern "C" HMENU LoadMenu(HINSTANCE, LPCSTR name)
{
    MenuResource const* resource = resources().menu(id_of(name));
    if (!resource)
        return nullptr;
    HMENU const menu = ::CreateMenu();
    if (menu && !append_items(menu, resource->items)) {
        ::DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    if (!menu)
        return nullptr;
    std::lock_guard lock(maps().mutex);
    if (auto it = maps().permanent.find(menu); it != maps().permanent.end())
        return it->second;
    auto& slot = maps().temporary[menu];
    if (!slot) {
        slot = std::make_unique<CMenu>();
        slot->m_hMenu = menu;
    }
    return slot.get();
}

BOOL CMenu::Attach(HMENU menu)
{
    if (!menu || m_hMenu)
        return FALSE;
    m_hMenu = menu;
    std::lock_guard lock(maps().mutex);
    maps().permanent[menu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU const menu = m_hMenu;
    if (!menu)
        return nullptr;
    std::lock_guard lock(maps().mutex);
    if (auto it = maps().permanent.find(menu); it != maps().permanent.end() && it->second == this)
        maps().permanent.erase(it);
    m_hMenu = nullptr;
    return menu;
}

// A temporary object never owns its menu: only an attached one destroys it.
BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu || permanent_menu(m_hMenu) != this) {
        m_hMenu = nullptr;
        return FALSE;
    }
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const
{
    std::string buffer(1024, '\0');
    int const length = ::GetMenuString(m_hMenu, item, buffer.data(), static_cast<int>(buffer.size()), flags);
    text = buffer.c_str();
    return length;
}

namespace platform::framework {

CMenu* permanent_menu(HMENU menu)
{
    std::lock_guard lock(maps().mutex);
    auto it = maps().permanent.find(menu);
    return it == maps().permanent.end() ? nullptr : it->second;
}

void delete_temporary_menus()
{
    std::map<HMENU, std::unique_ptr<CMenu>> doomed;
    {
        std::lock_guard lock(maps().mutex);
        doomed.swap(maps().temporary);
    }
    for (auto& [menu, object] : doomed)
        object->m_hMenu = nullptr;
}

}
