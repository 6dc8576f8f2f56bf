#include "station/controls/UxMenu.h"

#include "platform/framework/Resources.h"
#include "platform/system/Process.h"
#include "platform/system/Registry.h"
#include "platform/user/Utf8.h"

#include <algorithm>
#include <cctype>

// [SECTION] Shared state
// [SECTION] Operating-system code and theme
// [SECTION] Loading: resources and the template walk
// [SECTION] Appending items and the shortcut column
// [SECTION] Bringing records up to date
// [SECTION] Searches
// [SECTION] Keyboard shortcuts

namespace {

LPCSTR const RT_MENU_TYPE = MAKEINTRESOURCE(4);

// The theme file named by the default value of the current theme's key, read once.
bool read_classic_theme()
{
    HKEY key {};
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char text[261] {};
    DWORD size = 260, type = 0;
    LONG const result = RegQueryValueEx(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return false;
    text[std::min<DWORD>(size, 260)] = '\0';
    return UxMenu::is_classic_theme(text);
}

// The operating-system code of the system the program runs on.
int read_os_code()
{
    DWORD const version = GetVersion();
    OSVERSIONINFO info {};
    info.dwOSVersionInfoSize = sizeof info;
    if ((version & 0x80000000u) && !GetVersionEx(&info))
        return 2;
    return UxMenu::os_code_from_version(version, info.dwMajorVersion, info.dwMinorVersion);
}

struct Shared {
    Shared()
    {
        system.os_code = read_os_code();
        system.classic_theme = read_classic_theme();
    }
    std::vector<HMENU> registry;
    std::map<HMENU, UxMenu*> objects;
    int xp_look { 1 };
    int other_look { 0 };
    int gutter { 1 };
    UxMenu::System system;
};

Shared& shared()
{
    static Shared s;
    return s;
}

// UTF-16 <-> UTF-8 for the template texts.
std::string narrow(std::u16string const& wide)
{
    std::string out;
    for (size_t i = 0; i < wide.size(); ++i) {
        uint32_t c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
        platform::append_utf8(out, c);
    }
    return out;
}

std::u16string wide(std::string const& text)
{
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        auto const b = static_cast<unsigned char>(text[i]);
        int const extra = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        uint32_t c = extra == 0 ? b : b & (0x3F >> extra);
        size_t j = 1;
        for (; j <= static_cast<size_t>(extra) && i + j < text.size(); ++j)
            c = (c << 6) | (static_cast<unsigned char>(text[i + j]) & 0x3F);
        i += j;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

void put_word(std::vector<BYTE>& out, WORD w)
{
    out.push_back(static_cast<BYTE>(w & 0xFF));
    out.push_back(static_cast<BYTE>(w >> 8));
}

void put_items(std::vector<BYTE>& out, std::vector<platform::framework::MenuItemResource> const& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        auto const& item = items[i];
        WORD flags = 0;
        if (item.popup)
            flags |= MF_POPUP;
        if (item.grayed)
            flags |= MF_GRAYED;
        if (item.checked)
            flags |= MF_CHECKED;
        if (i + 1 == items.size())
            flags |= MF_END;
        put_word(out, flags);
        if (!item.popup)
            put_word(out, static_cast<WORD>(item.separator ? 0 : item.id));
        for (char16_t c : wide(item.text))
            put_word(out, c);
        put_word(out, 0);
        if (item.popup)
            put_items(out, item.children);
    }
}

// The template bytes of a menu of the resource file, laid out as RT_MENU data.
std::vector<BYTE> template_of(platform::framework::MenuResource const& menu)
{
    std::vector<BYTE> out;
    put_word(out, 0);
    put_word(out, 0);
    put_items(out, menu.items);
    return out;
}

// A DC of the main window (or of the screen) with the system menu font selected.
class MenuFontDC {
public:
    MenuFontDC()
    {
        CWnd* main = AfxGetMainWnd();
        m_hwnd = main ? main->m_hWnd : nullptr;
        m_dc = ::GetDC(m_hwnd);
        NONCLIENTMETRICS metrics {};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        m_font = CreateFontIndirect(&metrics.lfMenuFont);
        m_old = SelectObject(m_dc, m_font);
    }
    ~MenuFontDC()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_font);
        ::ReleaseDC(m_hwnd, m_dc);
    }
    MenuFontDC(MenuFontDC const&) = delete;
    MenuFontDC& operator=(MenuFontDC const&) = delete;
    int width(std::string const& text) const
    {
        SIZE size {};
        GetTextExtentPoint32(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

private:
    HWND m_hwnd {};
    HDC m_dc {};
    HFONT m_font {};
    HGDIOBJ m_old {};
};

std::string menu_text_by_position(HMENU menu, int position)
{
    char buffer[1024] {};
    int const n = GetMenuString(menu, static_cast<UINT>(position), buffer, sizeof buffer, MF_BYPOSITION);
    return std::string(buffer, static_cast<size_t>(std::max(0, n)));
}

}

UxMenu::System& UxMenu::system() { return shared().system; }
int& UxMenu::xp_look() { return shared().xp_look; }
int& UxMenu::other_look() { return shared().other_look; }
int& UxMenu::gutter_setting() { return shared().gutter; }

void UxMenu::reset_shared_state()
{
    forget_images();
    Shared& s = shared();
    s.registry.clear();
    s.xp_look = 1;
    s.other_look = 0;
    s.gutter = 1;
    s.system = System {};
    s.system.os_code = read_os_code();
}

// [SECTION] Operating-system code and theme

int UxMenu::os_code_from_version(DWORD version, DWORD major_ex, DWORD minor_ex)
{
    DWORD const major = version & 0xFF;
    DWORD const minor = (version >> 8) & 0xFF;
    if (version & 0x80000000u) {
        if (major < 4)
            return 0;
        if (major_ex == 4 && minor_ex == 10)
            return 3;
        if (major_ex == 4 && minor_ex == 90)
            return 4;
        return 2;
    }
    if (major == 4)
        return 5;
    if (major == 5 && minor == 0)
        return 6;
    if (major == 5 && minor == 1)
        return 7;
    return 1;
}

bool UxMenu::is_classic_theme(std::string const& theme_file)
{
    static constexpr char const suffix[] = "windows classic.theme";
    size_t const n = sizeof suffix - 1;
    if (theme_file.size() < n)
        return false;
    std::string tail = theme_file.substr(theme_file.size() - n);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == suffix;
}

// [SECTION] Construction and destruction

UxMenu::UxMenu() = default;

UxMenu::~UxMenu()
{
    DestroyMenu();
}

BOOL UxMenu::DestroyMenu()
{
    Shared& s = shared();
    for (HMENU sub : m_submenus) {
        s.registry.erase(std::remove(s.registry.begin(), s.registry.end(), sub), s.registry.end());
        s.objects.erase(sub);
    }
    m_submenus.clear();
    // The sub-menu objects own nothing of the handle tree: the top handle destroys it all.
    for (auto& sub : m_submenu_objects)
        sub->m_hMenu = nullptr;
    m_submenu_objects.clear();
    m_items.clear();
    if (!m_hMenu)
        return FALSE;
    s.objects.erase(m_hMenu);
    BOOL const done = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return done;
}

// [SECTION] Loading: resources and the template walk

BOOL UxMenu::LoadTranslatedMenu(UINT id, std::map<UINT, CString> const& texts)
{
    return LoadTranslatedMenu(MAKEINTRESOURCE(id), texts);
}

BOOL UxMenu::LoadPlainMenu(UINT id)
{
    return LoadPlainMenu(MAKEINTRESOURCE(id));
}

BOOL UxMenu::LoadPlainMenu(LPCSTR name)
{
    static std::map<UINT, CString> const none;
    return LoadTranslatedMenu(name, none);
}

// The RT_MENU bytes of the resource when the program has them raw, else the template of
// the resource file's menu statement.
BOOL UxMenu::LoadTranslatedMenu(LPCSTR name, std::map<UINT, CString> const& texts)
{
    if (HRSRC raw = FindResource(nullptr, name, RT_MENU_TYPE)) {
        auto const* bytes = static_cast<BYTE const*>(LockResource(LoadResource(nullptr, raw)));
        return load_template(bytes, SizeofResource(nullptr, raw), &texts);
    }
    if (!IS_INTRESOURCE(name))
        return FALSE;
    auto const* menu = platform::framework::resources().menu(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
    if (!menu)
        return FALSE;
    std::vector<BYTE> const bytes = template_of(*menu);
    return load_template(bytes.data(), bytes.size(), &texts);
}

// Steps 1-7 of the load: every read is checked against `size`; a template that ends inside
// an item or leaves a sub-menu open loads nothing.
BOOL UxMenu::load_template(BYTE const* bytes, size_t size, std::map<UINT, CString> const* texts)
{
    DestroyMenu();
    m_bLoaded = FALSE;
    m_hMenu = CreatePopupMenu();
    if (!m_hMenu)
        return FALSE;
    shared().objects[m_hMenu] = this;
    size_t at = 0;
    auto word = [&](WORD& w) {
        if (!bytes || at + 2 > size)
            return false;
        w = static_cast<WORD>(bytes[at] | (bytes[at + 1] << 8));
        at += 2;
        return true;
    };
    WORD version = 0, offset = 0;
    if (!word(version) || !word(offset)) {
        DestroyMenu();
        return FALSE;
    }
    at += offset;
    // Each open menu, with whether the item that opened it was the last of its parent.
    struct Frame {
        UxMenu* menu;
        bool last_of_parent;
    };
    std::vector<Frame> open { { this, false } };
    while (!open.empty()) {
        WORD flags = 0, id = 0;
        if (!word(flags) || (!(flags & MF_POPUP) && !word(id))) {
            DestroyMenu();
            return FALSE;
        }
        std::u16string text16;
        for (WORD c = 0;;) {
            if (!word(c)) {
                DestroyMenu();
                return FALSE;
            }
            if (!c)
                break;
            text16 += static_cast<char16_t>(c);
        }
        bool const last = flags & MF_END;
        UINT const append_flags = flags & ~MF_END;
        UxMenu* current = open.back().menu;
        if (flags & MF_POPUP) {
            auto sub = std::make_unique<UxMenu>();
            sub->m_hMenu = CreatePopupMenu();
            UxMenu* child = sub.get();
            shared().objects[child->m_hMenu] = child;
            current->m_submenu_objects.push_back(std::move(sub));
            current->AppendItem(narrow(text16), append_flags, reinterpret_cast<UINT_PTR>(child->m_hMenu));
            open.push_back({ child, last });
            continue;
        }
        std::string text = narrow(text16);
        if (texts) {
            auto it = texts->find(id);
            if (it != texts->end())
                text = it->second.str().substr(0, 4096);
        }
        current->AppendItem(text, append_flags, id);
        if (!last)
            continue;
        // The menu is finished; so is each parent whose last item opened the one just done.
        bool parent_done = true;
        while (parent_done && !open.empty()) {
            open.back().menu->finish_menu();
            parent_done = open.back().last_of_parent;
            open.pop_back();
        }
    }
    // The top level turns back into plain text items; the button shows sub-menu 0.
    for (size_t i = 0; i < m_items.size(); ++i) {
        UxMenuData& r = *m_items[i];
        UINT const flags = MF_BYPOSITION | MF_STRING | (r.flags & MF_POPUP);
        ModifyMenu(m_hMenu, static_cast<UINT>(i), flags, r.id, r.text.c_str());
        r.flags = flags;
    }
    m_bLoaded = TRUE;
    return TRUE;
}

// [SECTION] Appending items and the shortcut column

BOOL UxMenu::AppendItem(std::string const& text, UINT flags, UINT_PTR id)
{
    if (id == 0)
        flags = MF_SEPARATOR | MF_OWNERDRAW | (flags & MF_BYPOSITION);
    else
        flags |= MF_OWNERDRAW;
    if (flags & MF_POPUP) {
        auto const sub = reinterpret_cast<HMENU>(id);
        shared().registry.push_back(sub);
        m_submenus.push_back(sub);
    }
    auto record = std::make_unique<UxMenuData>();
    record->text = text;
    record->flags = flags;
    record->id = id;
    record->store_index = (flags & MF_POPUP) ? -1 : store_index(static_cast<UINT>(id));
    BOOL const done = AppendMenu(m_hMenu, flags, id, reinterpret_cast<LPCSTR>(record.get()));
    m_items.push_back(std::move(record));
    if (m_bLoaded)
        reset_loaded_popups();
    return done;
}

// After an append to a menu loaded before, its sub-menu items go back to plain text. A
// position and a record are paired from the first position whose (non-empty) menu text is a
// record's text; later positions follow with later records.
void UxMenu::reset_loaded_popups()
{
    int const count = GetMenuItemCount(m_hMenu);
    int first_position = 0, first_record = 0;
    for (int p = 0; p < count && !first_position; ++p) {
        std::string const text = menu_text_by_position(m_hMenu, p);
        for (size_t r = 0; r < m_items.size() && !text.empty(); ++r) {
            if (m_items[r]->text == text && p >= static_cast<int>(r)) {
                first_position = p, first_record = static_cast<int>(r);
                break;
            }
        }
    }
    for (int p = first_position, r = first_record; p < count && r < static_cast<int>(m_items.size()); ++p, ++r) {
        UxMenuData& record = *m_items[static_cast<size_t>(r)];
        if (!(record.flags & MF_POPUP))
            continue;
        ModifyMenu(m_hMenu, static_cast<UINT>(p), MF_BYPOSITION | MF_POPUP, record.id, record.text.c_str());
        record.flags = MF_BYPOSITION | MF_POPUP;
    }
}

// Pads the labels that have a shortcut (after a tab) to the width of the widest label plus
// one blank. Padding stops early when a blank adds no width, so it always ends.
void UxMenu::finish_menu()
{
    MenuFontDC dc;
    int column = 0;
    for (auto const& r : m_items) {
        std::string const label = r->text.substr(0, r->text.find('\t'));
        column = std::max(column, dc.width(label + " "));
    }
    for (auto& r : m_items) {
        size_t const tab = r->text.find('\t');
        if (tab == std::string::npos)
            continue;
        std::string label = r->text.substr(0, tab);
        for (int width = dc.width(label); width < column;) {
            int const wider = dc.width(label + " ");
            if (wider <= width)
                break;
            label += ' ';
            width = wider;
        }
        r->text = label + r->text.substr(tab);
    }
}

// [SECTION] Bringing records up to date

void UxMenu::update_records()
{
    for (auto& r : m_items)
        r->claimed = false;
    std::vector<std::unique_ptr<UxMenuData>> updated;
    int const count = GetMenuItemCount(m_hMenu);
    for (int p = 0; p < count; ++p) {
        UINT const state = GetMenuState(m_hMenu, static_cast<UINT>(p), MF_BYPOSITION);
        HMENU const sub = ::GetSubMenu(m_hMenu, p);
        bool const separator = !sub && (state & MF_SEPARATOR);
        UINT_PTR const id = sub ? reinterpret_cast<UINT_PTR>(sub) : separator ? 0 : GetMenuItemID(m_hMenu, p);
        std::string const text = menu_text_by_position(m_hMenu, p);
        std::unique_ptr<UxMenuData> record;
        for (auto& r : m_items) {
            if (r && !r->claimed && r->id == id) {
                r->claimed = true;
                record = std::move(r);
                break;
            }
        }
        UINT const pos = static_cast<UINT>(p);
        if (record) {
            if (!text.empty())
                record->text = text;
            if (!sub && !separator) {
                record->flags = (state & 0xFF) | MF_BYPOSITION | MF_OWNERDRAW;
                ModifyMenu(m_hMenu, pos, record->flags, id, reinterpret_cast<LPCSTR>(record.get()));
            } else if (separator) {
                ModifyMenu(m_hMenu, pos, MF_BYPOSITION | MF_OWNERDRAW | MF_SEPARATOR, 0, reinterpret_cast<LPCSTR>(record.get()));
            }
        } else {
            record = std::make_unique<UxMenuData>();
            record->text = text;
            record->id = id;
            if (sub)
                record->flags = ((state & 0xFF) & ~MF_POPUP) | MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP;
            else if (separator)
                record->flags = (state & 0xFF) | MF_BYPOSITION | MF_OWNERDRAW | MF_SEPARATOR;
            else
                record->flags = (state & 0xFF) | MF_BYPOSITION | MF_OWNERDRAW;
            record->store_index = sub || separator ? -1 : store_index(static_cast<UINT>(id));
            ModifyMenu(m_hMenu, pos, record->flags, id, reinterpret_cast<LPCSTR>(record.get()));
        }
        record->claimed = true;
        updated.push_back(std::move(record));
    }
    m_items = std::move(updated);
}

// [SECTION] Searches

UxMenu* UxMenu::sub_menu_object(HMENU handle) const
{
    for (auto const& sub : m_submenu_objects)
        if (sub->m_hMenu == handle)
            return sub.get();
    return nullptr;
}

UxMenu* UxMenu::owner_of(ULONG_PTR data)
{
    for (auto const& r : m_items)
        if (reinterpret_cast<ULONG_PTR>(r.get()) == data)
            return this;
    for (auto const& sub : m_submenu_objects)
        if (UxMenu* found = sub->owner_of(data))
            return found;
    return nullptr;
}

void UxMenu::set_image_options(int width, int height, COLORREF mask)
{
    ChangeImageSize(width, height);
    ChooseMaskColour(mask);
    for (auto const& sub : m_submenu_objects)
        sub->set_image_options(width, height, mask);
}

UxMenu* UxMenu::FindCommand(UINT id, int& position, std::vector<std::pair<UxMenu const*, int>> const* skip)
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        UxMenuData const& r = *m_items[i];
        bool const popup = r.flags & MF_POPUP;
        if (!popup && r.id == id) {
            std::pair<UxMenu const*, int> const pair { this, static_cast<int>(i) };
            if (!skip || std::find(skip->begin(), skip->end(), pair) == skip->end()) {
                position = static_cast<int>(i);
                return this;
            }
        }
        if (popup) {
            if (UxMenu* sub = sub_menu_object(reinterpret_cast<HMENU>(r.id))) {
                if (UxMenu* found = sub->FindCommand(id, position, skip))
                    return found;
            }
        }
    }
    position = -1;
    return nullptr;
}

BOOL UxMenu::GetItemText(int position, std::string& text) const
{
    if (position < 0 || position >= static_cast<int>(m_items.size()))
        return FALSE;
    text = m_items[static_cast<size_t>(position)]->text;
    return TRUE;
}

BOOL UxMenu::GetCommandText(UINT id, std::string& text) const
{
    int position = -1;
    UxMenu* menu = const_cast<UxMenu*>(this)->FindCommand(id, position);
    return menu ? menu->GetItemText(position, text) : FALSE;
}

// [SECTION] Registry and keyboard shortcuts

bool UxMenu::is_registered(HMENU menu)
{
    auto const& r = shared().registry;
    return menu && std::find(r.begin(), r.end(), menu) != r.end();
}

UxMenu* UxMenu::from_handle(HMENU menu)
{
    auto it = shared().objects.find(menu);
    return it == shared().objects.end() ? nullptr : it->second;
}

// "&" and the typed character, lower-cased, searched in each item's text by position.
LRESULT UxMenu::FindKeyboardShortcut(UINT ch, UINT flags, HMENU menu)
{
    UxMenu* object = is_registered(menu) ? from_handle(menu) : nullptr;
    if (!object || !(flags & MF_POPUP))
        return 0;
    if (GetMenuItemCount(menu) != static_cast<int>(object->m_items.size()))
        object->update_records();
    std::string key = "&";
    key += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    for (size_t i = 0; i < object->m_items.size(); ++i) {
        std::string text = object->m_items[i]->text;
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (text.find(key) != std::string::npos)
            return MAKELRESULT(static_cast<WORD>(i), MNC_EXECUTE);
    }
    return 0;
}
