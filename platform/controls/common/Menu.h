// Menus: menu handles with their items (text, separators, owner-drawn items, sub-menus,
// grey and checked states) and TrackPopupMenu, the modal menu loop of a pop-up menu.
//
// Rules kept from the API these names come from:
// - MF_BYCOMMAND finds the first item with the id, searching sub-menus depth first;
//   MF_BYPOSITION counts from 0 in the menu itself.
// - GetMenuState answers the item's flags, for a sub-menu item with the sub-menu's item count
//   in the high byte; an item that does not exist answers (UINT)-1, as do EnableMenuItem and
//   CheckMenuItem (which answer the previous state otherwise).
// - DeleteMenu destroys the sub-menu an item opens, RemoveMenu does not; DestroyMenu
//   destroys the menu and its sub-menus.
// - Grey or disabled items cannot be chosen, by mouse or keyboard.
//
// The layer's choices:
// - An owner-drawn item has no text (its item data stands where the text would be):
//   GetMenuString answers 0 and an empty string for it.
// - Menus loaded from resources by id come through the framework's resource loader, which
//   builds them with CreateMenu / CreatePopupMenu and AppendMenu, or hands the RT_MENU bytes
//   to LoadMenuIndirect.
#pragma once

#include "platform/controls/common/CommonControls.h"

#include <functional>
#include <string>
#include <vector>

constexpr UINT MF_INSERT = 0x00000000;
constexpr UINT MF_CHANGE = 0x00000080;
constexpr UINT MF_APPEND = 0x00000100;
constexpr UINT MF_DELETE = 0x00000200;
constexpr UINT MF_REMOVE = 0x00001000;
constexpr UINT MF_BYCOMMAND = 0x00000000;
constexpr UINT MF_BYPOSITION = 0x00000400;
constexpr UINT MF_SEPARATOR = 0x00000800;
constexpr UINT MF_ENABLED = 0x00000000;
constexpr UINT MF_GRAYED = 0x00000001;
constexpr UINT MF_DISABLED = 0x00000002;
constexpr UINT MF_UNCHECKED = 0x00000000;
constexpr UINT MF_CHECKED = 0x00000008;
constexpr UINT MF_USECHECKBITMAPS = 0x00000200;
constexpr UINT MF_STRING = 0x00000000;
constexpr UINT MF_BITMAP = 0x00000004;
constexpr UINT MF_OWNERDRAW = 0x00000100;
constexpr UINT MF_POPUP = 0x00000010;
constexpr UINT MF_MENUBARBREAK = 0x00000020;
constexpr UINT MF_MENUBREAK = 0x00000040;
constexpr UINT MF_UNHILITE = 0x00000000;
constexpr UINT MF_HILITE = 0x00000080;
constexpr UINT MF_DEFAULT = 0x00001000;
constexpr UINT MF_SYSMENU = 0x00002000;
constexpr UINT MF_HELP = 0x00004000;
constexpr UINT MF_RIGHTJUSTIFY = 0x00004000;
constexpr UINT MF_MOUSESELECT = 0x00008000;
// In menu templates only: the last item of a (sub-)menu.
constexpr UINT MF_END = 0x00000080;

constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_BITMAP = MF_BITMAP;
constexpr UINT MFT_MENUBARBREAK = MF_MENUBARBREAK;
constexpr UINT MFT_MENUBREAK = MF_MENUBREAK;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFT_RADIOCHECK = 0x00000200;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFS_GRAYED = 0x00000003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_UNCHECKED = MF_UNCHECKED;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;

constexpr UINT MIIM_STATE = 0x00000001;
constexpr UINT MIIM_ID = 0x00000002;
constexpr UINT MIIM_SUBMENU = 0x00000004;
constexpr UINT MIIM_CHECKMARKS = 0x00000008;
constexpr UINT MIIM_TYPE = 0x00000010;
constexpr UINT MIIM_DATA = 0x00000020;
constexpr UINT MIIM_STRING = 0x00000040;
constexpr UINT MIIM_BITMAP = 0x00000080;
constexpr UINT MIIM_FTYPE = 0x00000100;

constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_HORIZONTAL = 0x0000;
constexpr UINT TPM_VERTICAL = 0x0040;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

// Answers to WM_MENUCHAR, in the high word (the low word names an item position).
constexpr WORD MNC_IGNORE = 0;
constexpr WORD MNC_CLOSE = 1;
constexpr WORD MNC_EXECUTE = 2;
constexpr WORD MNC_SELECT = 3;

struct MENUITEMINFO {
    UINT cbSize;
    UINT fMask;
    UINT fType;
    UINT fState;
    UINT wID;
    HMENU hSubMenu;
    HBITMAP hbmpChecked;
    HBITMAP hbmpUnchecked;
    ULONG_PTR dwItemData;
    LPSTR dwTypeData;
    UINT cch;
    HBITMAP hbmpItem;
};
using LPMENUITEMINFO = MENUITEMINFO*;
using MENUITEMINFOA = MENUITEMINFO;

struct TPMPARAMS {
    UINT cbSize;
    RECT rcExclude;
};

extern "C" {

HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// `item` is the text (UTF-8), the item data for MF_OWNERDRAW, or ignored for MF_SEPARATOR;
// with MF_POPUP `id` is the sub-menu's handle.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, LPCSTR item);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR item);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR item);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
UINT EnableMenuItem(HMENU menu, UINT item, UINT enable);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int buffer_size, UINT flags);
HMENU GetSubMenu(HMENU menu, int position);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, MENUITEMINFO* info);
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, MENUITEMINFO const* info);
// Builds a menu from the bytes of an RT_MENU resource (`size` bytes; the header's second word
// is the offset of the first item after the 4-byte header; items: flags word, id word unless
// MF_POPUP, zero-terminated UTF-16 text; MF_END ends a (sub-)menu). Null when malformed.
HMENU LoadMenuIndirect(void const* menu_template, DWORD size);

// Shows `menu` at (x, y) (screen coordinates) and runs the menu loop until an item is chosen
// or the menu is cancelled. With TPM_RETURNCMD the chosen command is returned (0 for none);
// otherwise it is posted to `owner` as WM_COMMAND and the call answers whether an item was
// chosen. TPM_NONOTIFY leaves out WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_MENUSELECT and
// WM_EXITMENULOOP. Owner-drawn items are measured and drawn through `owner` (WM_MEASUREITEM,
// WM_DRAWITEM with ODT_MENU), typed characters go to it as WM_MENUCHAR when no item's
// mnemonic matches. The menu window has the mouse capture while the loop runs, and the loop
// takes every key message of the thread. Only the user-interface thread may call it.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, RECT const* ignored);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, TPMPARAMS const* params);
BOOL EndMenu();

}

inline BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL by_position, MENUITEMINFO* info)
{
    return GetMenuItemInfo(menu, item, by_position, info);
}

namespace platform::commctrl {

// [SECTION] Tests and scripted runs
// What a test sees of an open pop-up menu: the menu, its window and its items as shown.
struct OpenMenuItem {
    UINT id;
    UINT flags; // as GetMenuState by position
    std::string text;
    RECT rect; // in the pop-up window's client area
};
class OpenMenu {
public:
    virtual ~OpenMenu() = default;
    virtual HMENU menu() const = 0;
    virtual HWND window() const = 0;
    virtual std::vector<OpenMenuItem> items() const = 0;
    virtual int selected() const = 0; // position, -1 for none
    // Chooses the item with command `id` as a click on it would: a grey, disabled or missing
    // item is not chosen and the menu stays open (answer false).
    virtual bool choose(UINT id) = 0;
    virtual void cancel() = 0; // as Escape
};
// Called each time a pop-up menu opens (the top one of TrackPopupMenu and each sub-menu), on
// the user-interface thread, before the menu loop waits for input. Null to remove.
using MenuHook = std::function<void(OpenMenu&)>;
void set_menu_hook(MenuHook hook);

}
