// The menu calls: forwarders into MenuModel, and the menu template reader.
#include "platform/controls/common/MenuModel.h"
#include "platform/user/Utf8.h"

#include <algorithm>
#include <cstring>
#include <span>

using platform::commctrl::MenuItem;
using platform::commctrl::MenuModel;

namespace {

constexpr UINT kNotFound = static_cast<UINT>(-1);

MenuItem* find_item(HMENU menu, UINT item, UINT flags)
{
    MenuModel* m = MenuModel::from(menu);
    if (!m)
        return nullptr;
    auto found = m->find(item, flags);
    return found ? found->item : nullptr;
}

bool remove_item(HMENU menu, UINT position, UINT flags, bool destroy_submenu)
{
    MenuModel* m = MenuModel::from(menu);
    auto found = m ? m->find(position, flags) : std::nullopt;
    if (!found)
        return false;
    HMENU sub = found->item->submenu;
    auto& items = found->menu->items();
    items.erase(items.begin() + found->position);
    if (destroy_submenu && sub)
        MenuModel::destroy(sub);
    return true;
}

// Reads the menu template: every read is checked against the end of the bytes, and the menu
// is handed out only when the whole template was read.
class TemplateReader {
public:
    explicit TemplateReader(std::span<BYTE const> bytes)
        : m_bytes(bytes)
    {
    }

    bool word(WORD& out)
    {
        if (m_at + 2 > m_bytes.size())
            return false;
        out = static_cast<WORD>(m_bytes[m_at] | (m_bytes[m_at + 1] << 8));
        m_at += 2;
        return true;
    }

    bool text(std::string& out)
    {
        out.clear();
        for (WORD unit = 0;;) {
            if (!word(unit))
                return false;
            if (unit == 0)
                return true;
            char32_t c = unit;
            if (unit >= 0xD800 && unit < 0xDC00) {
                WORD low = 0;
                if (!word(low) || low < 0xDC00 || low >= 0xE000)
                    return false;
                c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
            }
            platform::append_utf8(out, c);
        }
    }

    bool skip_to(std::size_t offset)
    {
        if (offset > m_bytes.size())
            return false;
        m_at = offset;
        return true;
    }

    // Fills `menu` until the item that carries MF_END; sub-menus nest at most `depth` deep.
    bool fill(HMENU menu, int depth)
    {
        if (depth > 16)
            return false;
        for (;;) {
            WORD flags = 0;
            WORD id = 0;
            std::string label;
            if (!word(flags))
                return false;
            bool popup = flags & MF_POPUP;
            if ((!popup && !word(id)) || !text(label))
                return false;
            UINT append_flags = flags & ~MF_END;
            if (popup) {
                HMENU sub = CreatePopupMenu();
                if (!fill(sub, depth + 1) || !AppendMenu(menu, append_flags, reinterpret_cast<UINT_PTR>(sub), label.c_str())) {
                    DestroyMenu(sub);
                    return false;
                }
            } else {
                if (id == 0 && label.empty() && !(flags & MF_OWNERDRAW))
                    append_flags |= MF_SEPARATOR;
                AppendMenu(menu, append_flags, id, label.c_str());
            }
            if (flags & MF_END)
                return true;
        }
    }

private:
    std::span<BYTE const> m_bytes;
    std::size_t m_at {};
};

}

extern "C" {

HMENU CreateMenu()
{
    return MenuModel::create(false);
}

HMENU CreatePopupMenu()
{
    return MenuModel::create(true);
}

BOOL DestroyMenu(HMENU menu)
{
    return MenuModel::destroy(menu);
}

BOOL IsMenu(HMENU menu)
{
    return MenuModel::from(menu) != nullptr;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, LPCSTR item)
{
    return InsertMenu(menu, kNotFound, flags | MF_BYPOSITION, id, item);
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR item)
{
    MenuModel* m = MenuModel::from(menu);
    MenuItem made;
    if (!m || !MenuModel::make_item(flags, id, item, made))
        return FALSE;
    if (flags & MF_BYPOSITION)
        return m->insert(position == kNotFound ? -1 : static_cast<int>(position), std::move(made));
    auto found = m->find(position, MF_BYCOMMAND);
    if (!found)
        return m->insert(-1, std::move(made));
    return found->menu->insert(found->position, std::move(made));
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR item)
{
    MenuItem* target = find_item(menu, position, flags);
    MenuItem made;
    if (!target || !MenuModel::make_item(flags, id, item, made))
        return FALSE;
    // The item keeps its check bitmaps; a sub-menu it no longer opens is destroyed.
    made.checked_bitmap = target->checked_bitmap;
    made.unchecked_bitmap = target->unchecked_bitmap;
    if (target->submenu && target->submenu != made.submenu)
        MenuModel::destroy(target->submenu);
    *target = std::move(made);
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags)
{
    return remove_item(menu, position, flags, true);
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags)
{
    return remove_item(menu, position, flags, false);
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT enable)
{
    MenuItem* target = find_item(menu, item, enable);
    if (!target)
        return kNotFound;
    UINT previous = target->state & (MF_GRAYED | MF_DISABLED);
    target->state = (target->state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check)
{
    MenuItem* target = find_item(menu, item, check);
    if (!target)
        return kNotFound;
    DWORD previous = target->state & MF_CHECKED;
    target->state = (target->state & ~MF_CHECKED) | (check & MF_CHECKED);
    return previous;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags)
{
    MenuItem* target = find_item(menu, item, flags);
    return target ? target->flags() : kNotFound;
}

int GetMenuItemCount(HMENU menu)
{
    MenuModel* m = MenuModel::from(menu);
    return m ? static_cast<int>(m->items().size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    MenuItem* target = position < 0 ? nullptr : find_item(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return !target || target->submenu ? kNotFound : target->id;
}

int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int buffer_size, UINT flags)
{
    MenuItem* target = find_item(menu, item, flags);
    if (!target)
        return 0;
    int length = static_cast<int>(target->text.size());
    if (!buffer || buffer_size <= 0)
        return length;
    int copied = std::min(length, buffer_size - 1);
    std::memcpy(buffer, target->text.data(), static_cast<std::size_t>(copied));
    buffer[copied] = '\0';
    return copied;
}

HMENU GetSubMenu(HMENU menu, int position)
{
    MenuItem* target = position < 0 ? nullptr : find_item(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return target ? target->submenu : nullptr;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, MENUITEMINFO* info)
{
    MenuItem* target = find_item(menu, item, by_position ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!target || !info)
        return FALSE;
    if (info->fMask & (MIIM_FTYPE | MIIM_TYPE))
        info->fType = target->type & ~MF_POPUP;
    if (info->fMask & MIIM_STATE)
        info->fState = target->state;
    if (info->fMask & MIIM_ID)
        info->wID = target->submenu ? static_cast<UINT>(reinterpret_cast<ULONG_PTR>(target->submenu)) : target->id;
    if (info->fMask & MIIM_SUBMENU)
        info->hSubMenu = target->submenu;
    if (info->fMask & MIIM_CHECKMARKS) {
        info->hbmpChecked = target->checked_bitmap;
        info->hbmpUnchecked = target->unchecked_bitmap;
    }
    if (info->fMask & MIIM_DATA)
        info->dwItemData = target->data;
    if (info->fMask & (MIIM_STRING | MIIM_TYPE)) {
        if (info->dwTypeData && info->cch > 0) {
            std::size_t copied = std::min<std::size_t>(target->text.size(), info->cch - 1);
            std::memcpy(info->dwTypeData, target->text.data(), copied);
            info->dwTypeData[copied] = '\0';
        }
        info->cch = static_cast<UINT>(target->text.size());
    }
    return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, MENUITEMINFO const* info)
{
    MenuItem* target = find_item(menu, item, by_position ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!target || !info)
        return FALSE;
    if (info->fMask & MIIM_SUBMENU && info->hSubMenu && !MenuModel::from(info->hSubMenu))
        return FALSE;
    if (info->fMask & (MIIM_FTYPE | MIIM_TYPE))
        target->type = (info->fType & ~MF_POPUP) | (target->type & MF_POPUP);
    if (info->fMask & MIIM_STATE)
        target->state = info->fState;
    if (info->fMask & MIIM_ID)
        target->id = info->wID;
    if (info->fMask & MIIM_SUBMENU) {
        target->submenu = info->hSubMenu;
        target->type = (target->type & ~MF_POPUP) | (info->hSubMenu ? MF_POPUP : 0);
    }
    if (info->fMask & MIIM_CHECKMARKS) {
        target->checked_bitmap = info->hbmpChecked;
        target->unchecked_bitmap = info->hbmpUnchecked;
    }
    if (info->fMask & MIIM_DATA)
        target->data = info->dwItemData;
    if (info->fMask & (MIIM_STRING | MIIM_TYPE) && !(target->type & (MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP)))
        target->text = info->dwTypeData ? info->dwTypeData : "";
    return TRUE;
}

HMENU LoadMenuIndirect(void const* menu_template, DWORD size)
{
    if (!menu_template)
        return nullptr;
    TemplateReader reader({ static_cast<BYTE const*>(menu_template), size });
    WORD version = 0;
    WORD offset = 0;
    if (!reader.word(version) || !reader.word(offset) || version != 0 || !reader.skip_to(4u + offset))
        return nullptr;
    HMENU menu = CreateMenu();
    if (!reader.fill(menu, 0)) {
        DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}

}
