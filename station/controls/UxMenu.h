// The owner-drawn drop-down menu of the menu buttons: it loads a menu resource, puts
// translated texts on its commands, gives each command the image of the toolbar button with
// the same id, and draws every item itself: a flat look (white items, a grey image gutter, a
// light highlight box) on true-colour displays, a classic look on palette displays.
//
// Shared by every UxMenu of the program (user-interface thread only): the registry of the
// sub-menu handles that UxMenu objects appended (WM_MEASUREITEM and WM_MENUCHAR are answered
// for those), the image store (one image list of all command images, with each command's
// faded and shadowed copies in the flat look), the two look settings and the system facts
// the look depends on.
//
// Item texts are UTF-8 here (the platform's text); they are dynamic strings, so there is no
// fixed area to overflow.
#pragma once

#include "platform/framework/Afx.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/common/ImageList.h"
#include "platform/controls/common/Menu.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// One item of a UxMenu: the record its owner-drawn item carries as item data.
struct UxMenuData {
    std::string text; // the narrow text: what is measured, drawn and searched
    int own_image_index { -1 };
    int store_index { -1 }; // the command's image in the image store, -1 for none
    int reserved {};
    int own_image { -1 }; // -1: no image of its own; the store holds every image
    UINT flags {};
    UINT_PTR id {}; // command id, or the sub-menu's handle for an item that opens one
    bool claimed {};
    HIMAGELIST own_list {};
    int reserved2 {};
};

class UxMenu {
public:
    // What the look depends on, computed once at start from GetVersion, GetVersionEx and the
    // theme (or chosen by tests).
    struct System {
        int os_code {}; // 7: the version that has the flat menus
        bool classic_theme {};
        bool xp_capable() const { return os_code == 7 && !classic_theme; }
    };
    static System& system();
    // Computes the operating-system code from a GetVersion value and, for the older family,
    // the GetVersionEx major and minor numbers.
    static int os_code_from_version(DWORD version, DWORD major_ex, DWORD minor_ex);
    // Whether a theme file name names the classic theme.
    static bool is_classic_theme(std::string const& theme_file);
    // The look settings: one for the flat-capable case, one for all others.
    static int& xp_look();
    static int& other_look();
    static int& gutter_setting();
    static int look() { return system().xp_capable() ? xp_look() : other_look(); }
    // Forgets the image store, the registry and the settings, and computes the
    // operating-system code again (tests; program start).
    static void reset_shared_state();

    UxMenu();
    virtual ~UxMenu();
    UxMenu(UxMenu const&) = delete;
    UxMenu& operator=(UxMenu const&) = delete;

    HMENU m_hMenu {};
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }

    // [SECTION] Loading
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item);
    virtual BOOL LoadTranslatedMenu(UINT id, std::map<UINT, CString> const& texts);
    virtual BOOL LoadTranslatedMenu(LPCSTR name, std::map<UINT, CString> const& texts);
    virtual BOOL LoadPlainMenu(UINT id);
    virtual BOOL LoadPlainMenu(LPCSTR name);
    virtual BOOL DestroyMenu();
    // Walks a menu template (the RT_MENU bytes); the resource forms end here.
    BOOL load_template(BYTE const* bytes, size_t size, std::map<UINT, CString> const* texts);
    BOOL is_loaded() const { return m_bLoaded; }

    // [SECTION] Images
    BOOL TakeToolbarImages(UINT toolbar_id);
    void ChangeImageSize(int width, int height) { m_nImageWidth = width, m_nImageHeight = height; }
    void ChooseMaskColour(COLORREF colour) { m_crBackground = colour, m_bBackgroundSet = true; }
    int image_width() const { return m_nImageWidth; }
    int image_height() const { return m_nImageHeight; }
    // Gives every item with `id` the image `index` of `list` (and `text` when given).
    // `source` names what the image is made from, when known: a command whose stored image
    // came from the same source keeps it.
    BOOL set_command_image(char const* text, UINT id, HIMAGELIST list, int index, std::string const& source = {});
    // The store's first position of `id`, or -1; whether it has the faded and shadowed copies.
    static int store_index(UINT id);
    static bool has_copies(UINT id);
    static HIMAGELIST image_store();

    // [SECTION] Items
    BOOL AppendItem(std::string const& text, UINT flags, UINT_PTR id);
    void update_records();
    std::vector<std::unique_ptr<UxMenuData>> const& items() const { return m_items; }
    // Text of the item at `position` (or of the first item with command `id`); FALSE when
    // there is none.
    BOOL GetItemText(int position, std::string& text) const;
    BOOL GetCommandText(UINT id, std::string& text) const;
    // Depth first: this menu, then its sub-menus, each item in position order. `skip` holds
    // the (menu, position) pairs already found.
    UxMenu* FindCommand(UINT id, int& position, std::vector<std::pair<UxMenu const*, int>> const* skip = nullptr);
    UxMenu* sub_menu_object(HMENU handle) const;
    // The menu (this one or a sub-menu, depth first) whose items hold the record `data`.
    UxMenu* owner_of(ULONG_PTR data);
    // Image size and transparent colour for this menu and all its sub-menus.
    void set_image_options(int width, int height, COLORREF mask);

    // [SECTION] Registry and messages
    static bool is_registered(HMENU menu);
    static UxMenu* from_handle(HMENU menu);
    // WM_MENUCHAR for a registered menu.
    static LRESULT FindKeyboardShortcut(UINT ch, UINT flags, HMENU menu);

private:
    void finish_menu();
    static void forget_images();
    int gutter_width() const;
    void draw_flat(CDC* dc, DRAWITEMSTRUCT const& item, UxMenuData const& record);
    void draw_classic(CDC* dc, DRAWITEMSTRUCT const& item, UxMenuData const& record);
    void reset_loaded_popups();
    int add_to_store(UINT id, HIMAGELIST list, int index, std::string const& source);
    std::string toolbar_source(UINT toolbar_id, int image, COLORREF mask) const;

    std::vector<std::unique_ptr<UxMenuData>> m_items;
    std::vector<HMENU> m_submenus;
    std::vector<std::unique_ptr<UxMenu>> m_submenu_objects;
    int m_nImageWidth { 16 };
    int m_nImageHeight { 15 };
    COLORREF m_crBackground { RGB(192, 192, 192) };
    bool m_bBackgroundSet {};
    BOOL m_bLoaded {};
};
