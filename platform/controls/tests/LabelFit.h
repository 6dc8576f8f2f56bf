// Whether the texts of a dialog's controls fit them, measured with the drawing module's text
// extent in each control's own font: the texts of buttons, check boxes, radio buttons, group
// boxes, statics and the choice a drop-down list shows, and the headers and cells of a report
// list. The programs' label tests
// use it over their pages, in the pinned test font and in the faces a user's machine draws.
#pragma once

#include "platform/controls/ControlMessages.h"
#include "platform/controls/common/ListView.h"
#include "platform/user/User.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace platform::controls::testing {

// Room a control's own drawing takes beside its text, in pixels: a push button's frame and
// its focus rectangle, the box of a check box or radio button and the gap after it, the
// group box's indent either side of its title; a list header's inset either side of its
// title and a list cell's.
constexpr int kButtonFrame = 4;
constexpr int kCheckBox = 13 + 4;
constexpr int kGroupIndent = 8 + 8;
constexpr int kHeaderInset = 6 + 6;
constexpr int kCellInset = 2 + 2;
constexpr int kComboEdges = 2 + 2 + 1 + 2 + 1;

struct Misfit {
    std::string text;
    int id;
    int width;
    int needed;
};

inline std::string text_of(HWND hwnd)
{
    char text[512] {};
    GetWindowText(hwnd, text, sizeof text);
    return text;
}

inline std::string class_of(HWND hwnd)
{
    char name[64] {};
    GetClassName(hwnd, name, sizeof name);
    return name;
}

// The text's extent in the control's own font; `lines`: how many lines it needs when it
// wraps at `width` (0: it does not wrap); `wrapped`: the size of the wrapped text (wider than
// `width` when a word alone is).
inline SIZE extent_in(HWND hwnd, std::string const& text, int width, int* lines, SIZE* wrapped = nullptr)
{
    HDC dc = GetDC(hwnd);
    auto font = reinterpret_cast<HFONT>(SendMessage(hwnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    SIZE size {};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (lines) {
        RECT r { 0, 0, width, 0 };
        DrawText(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
        TEXTMETRIC tm {};
        GetTextMetrics(dc, &tm);
        *lines = tm.tmHeight ? (r.bottom + tm.tmHeight - 1) / tm.tmHeight : 1;
        if (wrapped)
            *wrapped = SIZE { r.right, r.bottom };
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size;
}

// Strips the mnemonic marks ("&Apply" draws "Apply").
inline std::string drawn(std::string text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// Whether a standard control's text fits; adds it to `misfits` when not. A multi-line button
// and a wrapping static fit when their wrapped lines do (a word alone wider than the control
// does not).
inline void check_control(HWND hwnd, std::vector<Misfit>& misfits)
{
    std::string const text = drawn(text_of(hwnd));
    if (text.empty() || text.find('\n') != std::string::npos)
        return;
    std::string const cls = class_of(hwnd);
    auto const style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    RECT client {};
    GetClientRect(hwnd, &client);
    int const width = client.right;
    int const height = client.bottom;
    int room = width;
    if (cls == "Button") {
        DWORD const kind = style & 0xF;
        if (kind == BS_OWNERDRAW)
            return;
        bool const box = kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON
            || kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE;
        room -= kind == BS_GROUPBOX ? kGroupIndent : box ? kCheckBox : kButtonFrame;
        if (style & BS_MULTILINE) {
            int lines = 0;
            SIZE wrapped {};
            SIZE const size = extent_in(hwnd, text, room, &lines, &wrapped);
            if (lines * size.cy > height || wrapped.cx > room)
                misfits.push_back({ text, GetDlgCtrlID(hwnd), width, std::max(lines * size.cy, int(wrapped.cx)) });
            return;
        }
    } else if (cls == "Static") {
        DWORD const kind = style & SS_TYPEMASK;
        if (kind != SS_LEFT && kind != SS_CENTER && kind != SS_RIGHT && kind != SS_LEFTNOWORDWRAP && kind != SS_SIMPLE)
            return;
        if (kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT) {
            int lines = 0;
            SIZE const size = extent_in(hwnd, text, width, &lines);
            if (lines * size.cy > std::max(height, int(size.cy)))
                misfits.push_back({ text, GetDlgCtrlID(hwnd), width, size.cx });
            return;
        }
    } else if (cls == "ComboBox") {
        // A drop-down list shows its choice in the field left of the arrow button, inside
        // the sunken edge, 3 pixels in; an owner-drawn one draws its own.
        if ((style & 0x3) != CBS_DROPDOWNLIST || (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)))
            return;
        room -= kComboEdges + GetSystemMetrics(SM_CXVSCROLL);
    } else {
        return;
    }
    SIZE const size = extent_in(hwnd, text, 0, nullptr);
    if (size.cx > room)
        misfits.push_back({ text, GetDlgCtrlID(hwnd), room, size.cx });
}

inline BOOL collect_child(HWND hwnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

// Every descendant of `parent`, visible or not.
inline std::vector<HWND> children_of(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, collect_child, reinterpret_cast<LPARAM>(&children));
    return children;
}

// The misfits among them, but for the controls with the ids in `unjudged`.
inline std::vector<Misfit> misfits_under(HWND parent, std::set<int> const& unjudged = {})
{
    std::vector<Misfit> misfits;
    for (HWND hwnd : children_of(parent))
        if (!unjudged.count(GetDlgCtrlID(hwnd)))
            check_control(hwnd, misfits);
    return misfits;
}

// A left-aligned static's text ends at least `kTextGap` pixels before a visible sibling that
// starts on its right on the same line ("short" drawn right up to "SNR1 >>" reads as one word).
constexpr int kTextGap = 2;

inline RECT rect_in_parent(HWND hwnd)
{
    RECT r {};
    GetWindowRect(hwnd, &r);
    HWND const parent = GetParent(hwnd);
    ScreenToClient(parent, reinterpret_cast<POINT*>(&r));
    ScreenToClient(parent, reinterpret_cast<POINT*>(&r) + 1);
    return r;
}

inline std::vector<Misfit> crowded_statics_under(HWND parent)
{
    std::vector<Misfit> misfits;
    std::vector<HWND> const all = children_of(parent);
    for (HWND hwnd : all) {
        auto const kind = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & SS_TYPEMASK;
        std::string const text = drawn(text_of(hwnd));
        if (class_of(hwnd) != "Static" || !IsWindowVisible(hwnd) || text.empty() || (kind != SS_LEFT && kind != SS_LEFTNOWORDWRAP))
            continue;
        RECT const r = rect_in_parent(hwnd);
        int lines = 0;
        SIZE wrapped {};
        extent_in(hwnd, text, r.right - r.left, &lines, &wrapped);
        long const end = r.left + wrapped.cx;
        for (HWND other : all) {
            if (other == hwnd || GetParent(other) != GetParent(hwnd) || !IsWindowVisible(other) || text_of(other).empty())
                continue;
            RECT const o = rect_in_parent(other);
            bool const same_line = o.top < r.bottom && r.top < o.bottom;
            if (same_line && o.left >= r.right && end + kTextGap > o.left)
                misfits.push_back({ text, GetDlgCtrlID(hwnd), int(o.left - r.left), int(wrapped.cx) + kTextGap });
        }
    }
    return misfits;
}

// A report list's column headers and cells, each within its column; `samples` adds texts a
// column shows when it has rows (column index, text), so that an empty list is judged too.
inline std::vector<Misfit> list_misfits(HWND list, std::vector<std::pair<int, std::string>> const& samples = {})
{
    std::vector<Misfit> misfits;
    int const id = GetDlgCtrlID(list);
    auto check = [&](int column, std::string const& text, int inset) {
        int const width = int(SendMessage(list, LVM_GETCOLUMNWIDTH, WPARAM(column), 0));
        int const needed = int(extent_in(list, text, 0, nullptr).cx) + inset;
        if (!text.empty() && needed > width)
            misfits.push_back({ text, id, width, needed });
    };
    int const rows = int(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    for (int column = 0;; ++column) {
        char text[128] {};
        LVCOLUMN header {};
        header.mask = LVCF_TEXT;
        header.pszText = text;
        header.cchTextMax = sizeof text;
        if (!SendMessage(list, LVM_GETCOLUMN, WPARAM(column), reinterpret_cast<LPARAM>(&header)))
            break;
        check(column, text, kHeaderInset);
        for (int row = 0; row < rows; ++row) {
            char cell[128] {};
            LVITEM item {};
            item.iSubItem = column;
            item.pszText = cell;
            item.cchTextMax = sizeof cell;
            SendMessage(list, LVM_GETITEMTEXT, WPARAM(row), reinterpret_cast<LPARAM>(&item));
            check(column, cell, kCellInset);
        }
    }
    for (auto const& [column, text] : samples)
        check(column, text, kCellInset);
    return misfits;
}

inline std::string describe(std::vector<Misfit> const& misfits)
{
    std::string out;
    for (Misfit const& m : misfits)
        out += "\"" + m.text + "\" (id " + std::to_string(m.id) + "): room " + std::to_string(m.width) + ", needs "
            + std::to_string(m.needed) + "\n";
    return out;
}

}
