// The window tree as text, read through the controls' own messages, so a list shows what it
// would answer its parent.
#include "platform/display/WindowTreeDump.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/TabMessages.h"
#include "platform/controls/common/CommonControls.h"
#include "platform/controls/common/Header.h"
#include "platform/controls/common/ListView.h"
#include "platform/user/Input.h"
#include "platform/user/WindowCore.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace platform::display {

std::string escaped_line(std::string const& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\')
            out += "\\\\";
        else if (c != '\r')
            out += c;
    }
    return out;
}

namespace {

// Item texts longer than this are cut: the dump is for reading, not for copying data.
constexpr int text_room = 1024;

std::string class_of(HWND hwnd)
{
    char name[128] {};
    GetClassName(hwnd, name, sizeof(name));
    return name;
}

std::string text_of(HWND hwnd)
{
    int length = GetWindowTextLength(hwnd);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
    GetWindowText(hwnd, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::string window_line(HWND hwnd, int depth)
{
    RECT r {};
    GetWindowRect(hwnd, &r);
    bool has_parent = (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) != 0;
    char head[256];
    std::snprintf(head, sizeof(head), "window\t%d\t%p\t%s\t%d\t%ld,%ld,%ld,%ld\t%c%c%c\t", depth,
        static_cast<void*>(hwnd), escaped_line(class_of(hwnd)).c_str(), has_parent ? GetDlgCtrlID(hwnd) : 0,
        static_cast<long>(r.left), static_cast<long>(r.top), static_cast<long>(r.right),
        static_cast<long>(r.bottom), IsWindowVisible(hwnd) ? 'V' : 'v', IsWindowEnabled(hwnd) ? 'E' : 'e',
        GetFocus() == hwnd ? 'F' : 'f');
    return head + escaped_line(text_of(hwnd)) + "\n";
}

std::string item_line(HWND hwnd, int row, bool selected, std::vector<std::string> const& cells)
{
    char head[64];
    std::snprintf(head, sizeof(head), "item\t%p\t%d\t%d", static_cast<void*>(hwnd), row, selected ? 1 : 0);
    std::string line = head;
    for (std::string const& cell : cells)
        line += "\t" + escaped_line(cell);
    return line + "\n";
}

std::string list_view_items(HWND hwnd)
{
    HWND header = reinterpret_cast<HWND>(SendMessage(hwnd, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessage(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    columns = columns > 0 ? columns : 1;
    int rows = static_cast<int>(SendMessage(hwnd, LVM_GETITEMCOUNT, 0, 0));
    std::string out;
    for (int row = 0; row < rows; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column) {
            char text[text_room] {};
            LVITEM item {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessage(hwnd, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            text[sizeof(text) - 1] = '\0';
            cells.emplace_back(text);
        }
        auto state = SendMessage(hwnd, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED);
        out += item_line(hwnd, row, (state & LVIS_SELECTED) != 0, cells);
    }
    return out;
}

struct StringListMessages {
    UINT count, text_length, text, selection;
    DWORD owner_draw, has_strings;
};
constexpr StringListMessages list_box_messages { LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL,
    LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE, LBS_HASSTRINGS };
constexpr StringListMessages combo_box_messages { CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_GETCURSEL,
    CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE, CBS_HASSTRINGS };

// An owner-drawn list without strings keeps only item data, which has no text to show.
std::string string_list_items(HWND hwnd, StringListMessages const& m)
{
    DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    bool texts = !(style & m.owner_draw) || (style & m.has_strings);
    int rows = static_cast<int>(SendMessage(hwnd, m.count, 0, 0));
    int selection = static_cast<int>(SendMessage(hwnd, m.selection, 0, 0));
    std::string out;
    for (int row = 0; row < rows; ++row) {
        std::string text;
        auto length = texts ? SendMessage(hwnd, m.text_length, static_cast<WPARAM>(row), 0) : -1;
        if (length >= 0) {
            std::vector<char> buffer(static_cast<size_t>(length) + 1);
            SendMessage(hwnd, m.text, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.data()));
            buffer.back() = '\0';
            text = buffer.data();
        }
        out += item_line(hwnd, row, row == selection, { text });
    }
    return out;
}

std::string tab_items(HWND hwnd)
{
    int tabs = static_cast<int>(SendMessage(hwnd, TCM_GETITEMCOUNT, 0, 0));
    int selection = static_cast<int>(SendMessage(hwnd, TCM_GETCURSEL, 0, 0));
    std::string out;
    for (int tab = 0; tab < tabs; ++tab) {
        char text[text_room] {};
        TCITEM item {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessage(hwnd, TCM_GETITEM, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        text[sizeof(text) - 1] = '\0';
        out += item_line(hwnd, tab, tab == selection, { text });
    }
    return out;
}

std::string items_of(HWND hwnd)
{
    std::string name = class_of(hwnd);
    if (name == WC_LISTVIEW)
        return list_view_items(hwnd);
    if (name == "ListBox" || name == "ComboLBox")
        return string_list_items(hwnd, list_box_messages);
    if (name == "ComboBox")
        return string_list_items(hwnd, combo_box_messages);
    if (name == WC_TABCONTROL)
        return tab_items(hwnd);
    return {};
}

}

std::string dump_window(HWND hwnd, int depth)
{
    std::string out = window_line(hwnd, depth) + items_of(hwnd);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        out += dump_window(child, depth + 1);
    return out;
}

std::string dump_window_tree()
{
    std::string out;
    for (HWND hwnd : user::top_level_windows())
        out += dump_window(hwnd, 0);
    return out;
}

}
