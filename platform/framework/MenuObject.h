// CMenu: owns one menu handle (destroyed with the object unless detached) and forwards to the
// menu calls; LoadMenu builds a menu from the program's resources by id.
//
// Rules:
// - LoadMenu answers a menu bar whose items are the resource's top-level entries; a "popup"
//   entry becomes a pop-up menu (GetSubMenu(0) is what TrackPopupMenu is usually given).
// - GetSubMenu and FromHandle answer the menu's own object when one owns the handle, else a
//   temporary object that lives until AfxDeleteTempMap.
#pragma once

#include "platform/framework/ControlHeaders.h"
#include "platform/framework/Wnd.h"

extern "C" {

// The menu with resource id `name` (MAKEINTRESOURCE or "#id"), or null.
HMENU LoadMenu(HINSTANCE instance, LPCSTR name);

}

class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(CMenu const&) = delete;
    CMenu& operator=(CMenu const&) = delete;

    HMENU m_hMenu {};
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    static CMenu* FromHandle(HMENU menu);

    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT id) { return Attach(::LoadMenu(nullptr, MAKEINTRESOURCE(static_cast<WORD>(id)))); }
    BOOL LoadMenu(LPCTSTR name) { return Attach(::LoadMenu(nullptr, name)); }
    BOOL Attach(HMENU menu);
    HMENU Detach();
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR item = nullptr) { return ::AppendMenu(m_hMenu, flags, id, item); }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCTSTR item = nullptr)
    {
        return ::InsertMenu(m_hMenu, position, flags, id, item);
    }
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCTSTR item = nullptr)
    {
        return ::ModifyMenu(m_hMenu, position, flags, id, item);
    }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
    BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
    UINT EnableMenuItem(UINT item, UINT enable) { return ::EnableMenuItem(m_hMenu, item, enable); }
    UINT CheckMenuItem(UINT item, UINT check) { return static_cast<UINT>(::CheckMenuItem(m_hMenu, item, check)); }
    UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    int GetMenuString(UINT item, LPTSTR buffer, int size, UINT flags) const
    {
        return ::GetMenuString(m_hMenu, item, buffer, size, flags);
    }
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    CMenu* GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
    BOOL GetMenuItemInfo(UINT item, MENUITEMINFO* info, BOOL by_position = FALSE)
    {
        return ::GetMenuItemInfo(m_hMenu, item, by_position, info);
    }
    BOOL SetMenuItemInfo(UINT item, MENUITEMINFO const* info, BOOL by_position = FALSE)
    {
        return ::SetMenuItemInfo(m_hMenu, item, by_position, info);
    }
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr)
    {
        return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, rect);
    }

    // Owner-drawn items (MF_OWNERDRAW): the owner window's WM_MEASUREITEM / WM_DRAWITEM with
    // ODT_MENU come here when the menu has an object. The defaults do nothing.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) { }
    virtual void DrawItem(LPDRAWITEMSTRUCT) { }
};

namespace platform::framework {

// The object owning `menu`, or null.
CMenu* permanent_menu(HMENU menu);
void delete_temporary_menus();

}
